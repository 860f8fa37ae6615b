#pragma once
// The print page window: loading it prints the print file as one page on the
// default printer, a large title above a fixed-pitch body, and below the body
// the footer line that names the file printed. The printing editors load it
// and unload it at once; it is never shown.

#include <QPageSize>
#include <QWidget>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/core/print_page.hpp"

class QLabel;
class QPainter;
class QPdfWriter;

namespace mc::ui {

class SettPrint : public QWidget {
    Q_OBJECT
public:
    explicit SettPrint(QWidget* parent = nullptr);

    // The load step: lays the print file out and, when it has a body, prints
    // it. Nothing when the page was printed or had nothing to print; else why
    // the printer did not take it.
    std::optional<std::string> load(const std::filesystem::path& printFile, const std::string& footer);

    // Line 1 of the file into the title label, every further line (each with
    // a line break) into the body label, and the footer a line below the
    // body, on a window the size of the default printer's page. True when the
    // body is not empty.
    bool layOut(const std::filesystem::path& printFile, const std::string& footer);
    // The same from the page's lines (title first), as the print file holds them.
    bool layOutLines(const std::vector<std::string_view>& lines, const std::string& footer);

    // Draws the labels as laid out, on a device of any resolution.
    void paintPage(QPainter& painter) const;

    // The page as one PDF page, as it goes to the printer.
    QByteArray renderPdf() const;
    // Gives a PDF writer the sheet and resolution of the printer, before painting.
    void setUpPdf(QPdfWriter& writer) const;

    QPageSize pageSize() const { return pageSize_; }

private:
    QLabel* title_;
    QLabel* body_;
    QLabel* footer_;
    QPageSize pageSize_;
};

// Printing as the running program does it: the system's default printer and
// the user's regional date and time formats.
PrintServices systemPrintServices();

}  // namespace mc::ui
