#pragma once
// The print page window: loading it prints the print file as one page on the
// default printer, a large title above a fixed-pitch body. The printing
// editors load it and unload it at once; it is never shown.

#include <QWidget>
#include <filesystem>

#include "shell/core/print_page.hpp"

class QLabel;

namespace mc::ui {

class SettPrint : public QWidget {
    Q_OBJECT
public:
    enum class Outcome { Printed, NothingToPrint, Failed };

    explicit SettPrint(QWidget* parent = nullptr);

    // The load step: lays the print file out and, when it has a body, prints it.
    Outcome load(const std::filesystem::path& printFile);

    // Line 1 of the file into the title label, every further line (each with
    // a line break) into the body label. True when the body is not empty.
    bool layOut(const std::filesystem::path& printFile);
    // Prints both labels as laid out, as one page on the default printer.
    bool printLabels();

private:
    QLabel* title_;
    QLabel* body_;
};

// Printing as the running program does it: the system's default printer and
// the user's regional date and time formats.
PrintServices systemPrintServices();

}  // namespace mc::ui
