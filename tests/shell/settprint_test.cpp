// The print page window: how it reads the print file and lays the page out,
// rendered in-process to PDF and read back with poppler's tools.

#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QTest>
#include <cmath>

#include "shell/core/macro_files.hpp"
#include "shell/ui/settprint.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"
#include "support/pdf_text.hpp"

using mc::ui::SettPrint;
using namespace mc::testing;

class SettPrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { mc::testing::quietOffscreenNoise(); }

    void readsTitleAndBodyLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("hasBody");
        QTest::newRow("title and body") << QByteArray("T\r\n a \r\nb\r\n") << "T" << " a \nb\n" << true;
        QTest::newRow("blank body lines count") << QByteArray("T\r\n\r\n\r\n") << "T" << "\n\n" << true;
        QTest::newRow("last line unterminated") << QByteArray("T\r\nb") << "T" << "b\n" << true;
        QTest::newRow("LF only") << QByteArray("T\nb\n") << "T" << "b\n" << true;
        QTest::newRow("Latin-1") << QByteArray("\xB5g\r\n\xE9t\xE9\r\n") << QString::fromUtf8("µg")
                                 << QString::fromUtf8("été\n") << true;
        QTest::newRow("title only") << QByteArray("T\r\n") << "T" << "" << false;
        QTest::newRow("empty file") << QByteArray("") << "" << "" << false;
    }
    void readsTitleAndBodyLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, title);
        QFETCH(QString, body);
        QFETCH(bool, hasBody);
        mc::testing::TempFolder folder;
        folder.write("ToPrint.tmp", bytes.toStdString());
        SettPrint window;
        QCOMPARE(window.layOut(folder.path() / "ToPrint.tmp", ""), hasBody);
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label2"))->text(), title);
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label1"))->text(), body);
    }

    void laysTheTitleAndBodyOutOnOnePage() {
        const QByteArray page =
            "Drug Library: CARDIO     Page 1 of 3\r\n"
            "Drug Number              : 2\r\n"
            "   Dose Minimum          : 0.5 mg\r\n"
            "      iiiiiiii|MMMMMMMM|\r\n";
        mc::testing::TempFolder folder;
        folder.write("ToPrint.tmp", page.toStdString());
        SettPrint window;
        const std::string footer = "File CARDIO.tm2  SHA-256 ba33bbf01d353c74  Page 1 of 3  Printed 2026-12-06 14:05";
        QVERIFY(window.layOut(folder.path() / "ToPrint.tmp", footer));
        QTemporaryDir rendered;
        const QString pdf = rendered.filePath(QStringLiteral("page.pdf"));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(window.renderPdf());
        file.close();
        QVERIFY2(output(QStringLiteral("pdfinfo"), {pdf}).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\n"))),
                 qPrintable(pdf));

        // The text reads back line for line, and the body keeps its blanks.
        const QStringList text =
            output(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                .split(QLatin1Char('\n'));
        auto lineWith = [&](const QString& words) {
            for (const QString& line : text)
                if (line.contains(words)) return line;
            return QStringLiteral("<%1 not found>").arg(words);
        };
        const QString title = lineWith(QStringLiteral("Drug Library: CARDIO"));
        const QString first = lineWith(QStringLiteral("Drug Number"));
        const QString second = lineWith(QStringLiteral("Dose Minimum"));
        const QString third = lineWith(QStringLiteral("iiiiiiii"));
        QVERIFY2(title.contains(QStringLiteral("Page 1 of 3")), qPrintable(title));
        const qsizetype margin = first.indexOf(QLatin1Char('D'));
        QVERIFY2(first.mid(margin) == QStringLiteral("Drug Number              : 2"), qPrintable(first));
        QVERIFY2(second.mid(margin) == QStringLiteral("   Dose Minimum          : 0.5 mg"), qPrintable(second));
        QVERIFY2(third.mid(margin) == QStringLiteral("      iiiiiiii|MMMMMMMM|"), qPrintable(third));
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
    }

    // The print page is laid out at the size of the sheet, larger than many
    // screens, and so it is never shown: printing draws its labels only.
    void thePrintPageIsNeverShownWhateverTheScreen() {
        mc::testing::TempFolder folder;
        folder.write("ToPrint.tmp", "Title\r\nBody\r\n");
        SettPrint window;
        QVERIFY(window.layOut(folder.path() / "ToPrint.tmp", "File x.tm2"));
        QVERIFY(window.width() > 700 && window.height() > 1000);
        QVERIFY(!window.isVisible());
        QVERIFY(!window.renderPdf().isEmpty());
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

int main(int argc, char** argv) {
    mc::testing::prepareHeadlessQt();
    QApplication app(argc, argv);
    SettPrintTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "settprint_test.moc"
