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
        const QByteArray page =
            "Drug Library: CARDIO     Page 1 of 3\r\n"
            "Drug Number              : 2\r\n"
            "   Dose Minimum          : 0.5 mg\r\n"
            "      iiiiiiii|MMMMMMMM|\r\n";
        TempFolder folder;
        folder.write("ToPrint.tmp", page.toStdString());
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

        // The text reads back line for line, and the body keeps its blanks.
        const QStringList text = pdfText(pdf).split(QLatin1Char('\n'));
        auto lineWith = [&](const QString& words) {
            for (const QString& line : text)
                if (line.contains(words)) return line;
            return QStringLiteral("<%1 not found>").arg(words);
        };
        const QString title = lineWith(QStringLiteral("Drug Library: CARDIO"));
        QVERIFY2(title.contains(QStringLiteral("Page 1 of 3")), qPrintable(title));
        const qsizetype margin = lineWith(QStringLiteral("Drug Number")).indexOf(QLatin1Char('D'));
        for (const char* line : {"Drug Number              : 2", "   Dose Minimum          : 0.5 mg",
                                 "      iiiiiiii|MMMMMMMM|"}) {
            const QString found = lineWith(QString::fromLatin1(line).trimmed());
            QVERIFY2(found.mid(margin) == QLatin1String(line), qPrintable(found));
        }
        // The footer stands below the body, in the body's font, never in the print file.
        const QString footerLine = lineWith(QStringLiteral("SHA-256"));
        QVERIFY2(footerLine.simplified() == QString::fromStdString(footer).simplified(), qPrintable(footerLine));

        // Placement and type, in points from the sheet's top-left corner: both
        // labels 960 twips (48 pt) from the left, their tops 1080 and 2160 twips
        // (54 and 108 pt) down, the title 18 pt and the body 8.25 pt, the body
        // fixed-pitch (Liberation Mono advances 0.6 em) with its blanks kept.
        const QList<Word> words = wordsOf(pdf);
        const Word titleStart = wordOf(words, QStringLiteral("Drug"), 1);
        const Word bodyStart = wordOf(words, QStringLiteral("Drug"), 2);
        const Word indented = wordOf(words, QStringLiteral("iiiiiiii|MMMMMMMM|"));
        const Word footerStart = wordOf(words, QStringLiteral("File"));
        QVERIFY2(near(footerStart.xMin, 48, 0.5) && footerStart.yMin > indented.yMax + 8,
                 footerStart.describe().constData());
        QVERIFY2(near(footerStart.yMax - footerStart.yMin, bodyStart.yMax - bodyStart.yMin, 0.5),
                 footerStart.describe().constData());
        constexpr double Advance = 0.6 * 8.25;
        QVERIFY2(near(titleStart.xMin, 48, 1) && titleStart.yMin > 53.5 && titleStart.yMin < 60,
                 titleStart.describe().constData());
        QVERIFY2(near(bodyStart.xMin, 48, 0.5) && bodyStart.yMin > 107.5 && bodyStart.yMin < 112,
                 bodyStart.describe().constData());
        const double sizeRatio = (titleStart.yMax - titleStart.yMin) / (bodyStart.yMax - bodyStart.yMin);
        QVERIFY2(near(sizeRatio, 18 / 8.25, 0.1), qPrintable(QString::number(sizeRatio)));
        QVERIFY2(near(indented.xMin, 48 + 6 * Advance, 0.5) && near(indented.xMax - indented.xMin, 18 * Advance, 0.5),
                 indented.describe().constData());

        const QString fonts = output(QStringLiteral("pdffonts"), {pdf});
        QVERIFY2(fonts.contains(QStringLiteral("LiberationSans")) && fonts.contains(QStringLiteral("LiberationMono")),
                 qPrintable(fonts));

        // The print file stays, holding the page.
        QCOMPARE(QByteArray::fromStdString(folder.read("ToPrint.tmp")), page);
        QVERIFY(!window.isVisible());
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
