// The print page window: how it reads the print file and lays the page out,
// rendered in-process to PDF and read back with poppler's tools.

#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "shell/ui/settprint.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"
#include "support/pdf_text.hpp"

using mc::ui::SettPrint;
using namespace mc::testing;

class SettPrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { quietOffscreenNoise(); }

    // Everything below the title is the body, blank lines and blanks kept; a title alone is nothing to print.
    void readsTitleAndBodyLines() {
        const struct {
            QByteArray bytes;
            QString title, body;
        } cases[] = {
            {"T\r\n a \r\nb\r\n", "T", " a \nb\n"}, {"T\r\n\r\n\r\n", "T", "\n\n"}, {"T\r\nb", "T", "b\n"},
            {"T\nb\n", "T", "b\n"}, {"\xB5g\r\n\xE9t\xE9\r\n", QString::fromUtf8("µg"), QString::fromUtf8("été\n")},
            {"T\r\n", "T", ""}, {"", "", ""},
        };
        TempFolder folder;
        for (const auto& c : cases) {
            folder.write("ToPrint.tmp", c.bytes.toStdString());
            SettPrint window;
            QCOMPARE(window.layOut(folder.path() / "ToPrint.tmp", ""), !c.body.isEmpty());
            QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label2"))->text(), c.title);
            QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label1"))->text(), c.body);
        }
    }

    void laysTheTitleAndBodyOutOnOnePage() {
        const QStringList body = {QStringLiteral("Drug Number              : 2"),
                                  QStringLiteral("   Dose Minimum          : 0.5 mg"),
                                  QStringLiteral("      iiiiiiii|MMMMMMMM|")};
        const std::string page = "Drug Library: CARDIO     Page 1 of 3\r\n" + body.join("\r\n").toStdString() + "\r\n";
        TempFolder folder;
        folder.write("ToPrint.tmp", page);
        SettPrint window;
        const std::string footer = "File CARDIO.tm2  SHA-256 ba33bbf01d353c74  Page 1 of 3  Printed 2026-12-06 14:05";
        QVERIFY(window.layOut(folder.path() / "ToPrint.tmp", footer));
        // Laid out at the size of the sheet, larger than many screens, the page is never shown.
        QVERIFY(window.width() > 700 && window.height() > 1000);
        QTemporaryDir rendered;
        QFile file(rendered.filePath(QStringLiteral("page.pdf")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(window.renderPdf()) > 0);
        file.close();
        const QString pdf = file.fileName();
        QVERIFY(!window.isVisible());
        QCOMPARE(folder.read("ToPrint.tmp"), page);  // the print file stays, holding the page

        // The text reads back line for line, the body keeping its blanks; the
        // footer stands below the body, in the body's font, never in the print file.
        const QStringList text = pdfText(pdf).split(QLatin1Char('\n'));
        auto lineWith = [&](const QString& words) {
            for (const QString& line : text)
                if (line.contains(words)) return line;
            return QStringLiteral("<%1 not found>").arg(words);
        };
        QVERIFY2(lineWith(QStringLiteral("Drug Library: CARDIO")).contains(QStringLiteral("Page 1 of 3")), qPrintable(text.join('\n')));
        const qsizetype margin = lineWith(QStringLiteral("Drug Number")).indexOf(QLatin1Char('D'));
        for (const QString& line : body) QCOMPARE(lineWith(line.trimmed()).mid(margin), line);
        QCOMPARE(lineWith(QStringLiteral("SHA-256")).simplified(), QString::fromStdString(footer).simplified());

        // Placement and type, in points from the sheet's top-left corner: both
        // labels 960 twips (48 pt) from the left, their tops 1080 and 2160 twips
        // (54 and 108 pt) down, the title 18 pt and the body 8.25 pt, the body
        // fixed-pitch (Liberation Mono advances 0.6 em) with its blanks kept.
        const QList<Word> words = wordsOf(pdf);
        const Word title = wordOf(words, QStringLiteral("Drug"), 1), first = wordOf(words, QStringLiteral("Drug"), 2),
                   indented = wordOf(words, QStringLiteral("iiiiiiii|MMMMMMMM|")), footed = wordOf(words, QStringLiteral("File"));
        constexpr double Advance = 0.6 * 8.25;
        QVERIFY2(near(title.xMin, 48, 1) && title.yMin > 53.5 && title.yMin < 60, title.describe().constData());
        QVERIFY2(near(first.xMin, 48, 0.5) && first.yMin > 107.5 && first.yMin < 112, first.describe().constData());
        QVERIFY2(near((title.yMax - title.yMin) / (first.yMax - first.yMin), 18 / 8.25, 0.1), title.describe().constData());
        QVERIFY2(near(indented.xMin, 48 + 6 * Advance, 0.5) && near(indented.xMax - indented.xMin, 18 * Advance, 0.5),
                 indented.describe().constData());
        QVERIFY2(near(footed.xMin, 48, 0.5) && footed.yMin > indented.yMax + 8 &&
                     near(footed.yMax - footed.yMin, first.yMax - first.yMin, 0.5),
                 footed.describe().constData());
        const QString fonts = output(QStringLiteral("pdffonts"), {pdf});
        QVERIFY2(fonts.contains(QStringLiteral("LiberationSans")) && fonts.contains(QStringLiteral("LiberationMono")),
                 qPrintable(fonts));
    }

    void dateAndTimeAreRegionalTexts() {
        const mc::PrintServices services = mc::ui::systemPrintServices();
        const std::string date = services.currentDate();
        const std::string time = services.currentTime();
        const std::string year = std::to_string(QDate::currentDate().year() % 100);
        QVERIFY2(date.find(year) != std::string::npos && date.find(':') == std::string::npos, date.c_str());
        QVERIFY2(time.find(':') != std::string::npos || time.find('.') != std::string::npos, time.c_str());
    }
};

MC_HEADLESS_TEST_MAIN(SettPrintTest)
#include "settprint_test.moc"
