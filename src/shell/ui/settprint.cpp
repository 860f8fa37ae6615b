#include "shell/ui/settprint.hpp"

#include <QApplication>
#include <QBuffer>
#include <QDateTime>
#include <QFontMetrics>
#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QPointer>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QTime>
#include <memory>

#include "shell/core/macro_files.hpp"
#include "shell/core/text.hpp"
#include "shell/ui/digest.hpp"
#include "shell/ui/form_binding.hpp"
#include "shell/ui/print_job.hpp"

namespace mc::ui {
namespace {

// The window is laid out in twips at the usual 15 twips per pixel (96 dpi).
constexpr int TwipsPerPixel = 15;
constexpr int LayoutDpi = 1440 / TwipsPerPixel;
// A multiple of 96 dpi, so that every position and the 8.25 pt body font come
// out in whole device pixels.
constexpr int PrintDpi = 12 * LayoutDpi;

QLabel* placedLabel(QWidget* window, const char* name, int leftTwips, int topTwips, const QFont& font) {
    auto* label = new QLabel(window);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->move(leftTwips / TwipsPerPixel, topTwips / TwipsPerPixel);
    return label;
}

QFont fontOf(const char* family, QFont::StyleHint hint, qreal points) {
    QFont font(QString::fromLatin1(family));
    font.setStyleHint(hint);
    font.setPointSizeF(points);
    return font;
}

void drawLabel(QPainter& painter, const QLabel& label) {
    painter.setFont(label.font());  // point sizes resolve at the device's resolution
    const int dpi = painter.device()->logicalDpiX();
    const QPoint topLeft = label.pos() * dpi / LayoutDpi;
    // What runs off the sheet is cut off, as on paper.
    painter.drawText(QRect(topLeft, painter.window().bottomRight()), Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs,
                     label.text());
}

// The default printer's sheet; A4 when there is no printer to ask.
QPageSize defaultPageSize() {
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    const QPageSize size = printer.isNull() ? QPageSize() : printer.defaultPageSize();
    return size.isValid() ? size : QPageSize(QPageSize::A4);
}

}  // namespace

SettPrint::SettPrint(QWidget* parent)
    : QWidget(parent),
      title_(placedLabel(this, "Label2", 960, 1080, fontOf("Liberation Sans", QFont::SansSerif, 18))),
      body_(placedLabel(this, "Label1", 960, 2160, fontOf("Liberation Mono", QFont::Monospace, 8.25))),
      footer_(placedLabel(this, "Footer", 960, 2160, body_->font())),
      pageSize_(defaultPageSize()) {
    setObjectName(QStringLiteral("SettPrint"));
}

std::optional<std::string> SettPrint::load(const std::filesystem::path& printFile, const std::string& footer) {
    if (!layOut(printFile, footer)) return std::nullopt;
    return printOnePage([this](QPainter& painter) { paintPage(painter); }, pageSize_, PrintDpi,
                        QStringLiteral("ToPrint"));
}

bool SettPrint::layOut(const std::filesystem::path& printFile, const std::string& footer) {
    // A missing file reads as an empty one: nothing to print, nothing to report.
    ReadResult file = readFile(printFile);
    if (file.status != ReadStatus::Read) file.bytes.clear();
    return layOutLines(splitLines(file.bytes), footer);
}

bool SettPrint::layOutLines(const std::vector<std::string_view>& lines, const std::string& footer) {
    resize(pageSize_.sizePixels(LayoutDpi));
    QString body;
    for (std::size_t i = 1; i < lines.size(); ++i) body += fromLatin1(std::string(lines[i])) + QLatin1Char('\n');
    title_->setText(lines.empty() ? QString() : fromLatin1(std::string(lines[0])));
    body_->setText(body);
    title_->adjustSize();
    body_->adjustSize();
    // One empty line below the body, whose last line ends with a line break already.
    footer_->setText(fromLatin1(footer));
    footer_->adjustSize();
    footer_->move(body_->x(), body_->y() + body_->height() + QFontMetrics(body_->font()).lineSpacing());
    return !body.isEmpty();
}

void SettPrint::paintPage(QPainter& painter) const {
    drawLabel(painter, *title_);
    drawLabel(painter, *body_);
    drawLabel(painter, *footer_);
}

QByteArray SettPrint::renderPdf() const {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    setUpPdf(writer);
    QPainter painter(&writer);
    paintPage(painter);
    painter.end();
    return pdf;
}

void SettPrint::setUpPdf(QPdfWriter& writer) const {
    writer.setPageSize(pageSize_);
    writer.setPageMargins(QMarginsF());
    writer.setResolution(PrintDpi);
}

PrintServices systemPrintServices() {
    PrintServices services;
    services.printerProblem = [] { return defaultPrinterProblem(); };
    services.printerName = [] { return defaultPrinterName().toStdString(); };
    services.printFile = [](const std::filesystem::path& file, const std::string& footer) {
        SettPrint window;
        return window.load(file, footer);
    };
    services.printedAt = [] {
        return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString();
    };
    services.sha256 = sha256Hex;
    // A printout of more than a few pages shows its progress and can be
    // cancelled after the page being printed; the window repaints meanwhile.
    auto progress = std::make_shared<QPointer<QProgressDialog>>();
    services.printingStarts = [progress](int total) {
        if (total <= 3) return;
        auto* dialog = new QProgressDialog(QString(), QStringLiteral("Cancel"), 0, total, QApplication::activeWindow());
        dialog->setObjectName(QStringLiteral("PrintProgress"));
        dialog->setWindowTitle(QStringLiteral("Printing"));
        dialog->setWindowModality(Qt::WindowModal);
        dialog->setMinimumDuration(0);
        dialog->setLabelText(QStringLiteral("Printing page 1 of %1").arg(total));
        dialog->setValue(0);
        *progress = dialog;
        QApplication::processEvents();
    };
    services.pagePrinted = [progress](int printed, int total) {
        QProgressDialog* dialog = *progress;
        if (!dialog) return true;
        dialog->setValue(printed);
        if (printed < total) dialog->setLabelText(QStringLiteral("Printing page %1 of %2").arg(printed + 1).arg(total));
        QApplication::processEvents();
        return !dialog->wasCanceled();
    };
    services.printingEnds = [progress] {
        if (QProgressDialog* dialog = *progress) dialog->deleteLater();
        *progress = nullptr;
    };
    services.currentDate = [] { return toLatin1(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat)); };
    services.currentTime = [] { return toLatin1(QLocale::system().toString(QTime::currentTime(), QLocale::ShortFormat)); };
    return services;
}

}  // namespace mc::ui
