#pragma once
// Handing one page to the system's default printer, and learning what became
// of it. With CUPS the program asks the scheduler whether the printer takes
// jobs and follows each job by its id; elsewhere Qt's printer is all there is.

#include <QPageSize>
#include <QString>
#include <functional>
#include <optional>
#include <string>

class QPainter;

namespace mc::ui {

// The name of the default printer, or empty when there is none.
QString defaultPrinterName();

// Why the default printer cannot take jobs now, or nothing when it can.
std::optional<std::string> defaultPrinterProblem();

// Draws one page on a painter whose device has the given resolution.
using PagePainter = std::function<void(QPainter&)>;

// Prints one page, drawn by `paint` at `dpi` on `pageSize` from the edge of
// the sheet, as one job. Nothing when the printer accepted it; else why not.
std::optional<std::string> printOnePage(const PagePainter& paint, const QPageSize& pageSize, int dpi,
                                        const QString& title);

}  // namespace mc::ui
