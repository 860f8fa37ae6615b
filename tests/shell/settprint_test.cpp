// The print page window against a real default printer: a cups-pdf queue (see
// scripts/cups-test-printer.sh) whose jobs end up as PDF files that are read
// back with poppler's tools.

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "shell/core/macro_files.hpp"
#include "shell/ui/settprint.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"
#include "support/test_printer.hpp"

using mc::ui::SettPrint;
using namespace mc::testing;

namespace {

constexpr std::string_view NoPrinterChild = "--no-printer-child";

// A word of `pdftotext -bbox` in points from the top-left corner of the sheet.
struct Word {
    QString text;
    double xMin, yMin, xMax, yMax;

    QByteArray describe() const {
        return QStringLiteral("%1 at x %2..%3, y %4..%5").arg(text).arg(xMin).arg(xMax).arg(yMin).arg(yMax).toUtf8();
    }
};

bool near(double value, double expected, double tolerance) { return std::abs(value - expected) <= tolerance; }

QList<Word> wordsOf(const QString& pdf) {
    static const QRegularExpression pattern(QString::fromLatin1(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<Word> words;
    const QString html = output(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    for (auto it = pattern.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.append({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                      m.captured(4).toDouble()});
    }
    return words;
}

// The `nth` word (from 1) reading `text`, in the order poppler found them.
Word wordOf(const QList<Word>& words, const QString& text, int nth = 1) {
    for (const Word& w : words)
        if (w.text == text && --nth == 0) return w;
    return {QStringLiteral("<%1 not found>").arg(text), -1, -1, -1, -1};
}

// Run as a child process with CUPS_SERVER pointing where nobody listens.
int noPrinterChild(int argc, char** argv) {
    QApplication app(argc, argv);
    mc::PrintServices services = mc::ui::systemPrintServices();
    const std::filesystem::path file = std::filesystem::path(argv[2]) / "ToPrint.tmp";
    mc::replaceFile(file, "Title\r\nBody\r\n");
    const bool hasPrinter = services.hasDefaultPrinter();
    const bool printed = services.printFile(file);
    std::printf("hasDefaultPrinter=%d printFile=%d\n", hasPrinter ? 1 : 0, printed ? 1 : 0);
    return 0;
}

}  // namespace

class SettPrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        mc::testing::quietOffscreenNoise();
        QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), Queue);
    }

    // A job left by a test that failed half-way must not count as the next one's.
    void init() { QVERIFY(queueDrained()); }

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
        QCOMPARE(window.layOut(folder.path() / "ToPrint.tmp"), hasBody);
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label2"))->text(), title);
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label1"))->text(), body);
    }

    void printsTitleAndBodyAsOnePage() {
        const QByteArray page =
            "Drug Library: CARDIO     Page 1 of 3\r\n"
            "Drug Number              : 2\r\n"
            "   Dose Minimum          : 0.5 mg\r\n"
            "      iiiiiiii|MMMMMMMM|\r\n";
        mc::testing::TempFolder folder;
        folder.write("ToPrint.tmp", page.toStdString());
        const QSet<QString> before = pdfsNow();

        QVERIFY(mc::ui::systemPrintServices().printFile(folder.path() / "ToPrint.tmp"));

        const QStringList pdfs = newPdfs(before);
        QCOMPARE(pdfs.size(), 1);
        const QString pdf = pdfs.front();
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

        // Placement and type, in points from the sheet's top-left corner: both
        // labels 960 twips (48 pt) from the left, their tops 1080 and 2160 twips
        // (54 and 108 pt) down, the title 18 pt and the body 8.25 pt, the body
        // fixed-pitch (Liberation Mono advances 0.6 em) with its blanks kept.
        const QList<Word> words = wordsOf(pdf);
        const Word titleStart = wordOf(words, QStringLiteral("Drug"), 1);
        const Word bodyStart = wordOf(words, QStringLiteral("Drug"), 2);
        const Word indented = wordOf(words, QStringLiteral("iiiiiiii|MMMMMMMM|"));
        constexpr double Advance = 0.6 * 8.25;
        QVERIFY2(near(titleStart.xMin, 48, 1) && titleStart.yMin > 54 && titleStart.yMin < 60,
                 titleStart.describe().constData());
        QVERIFY2(near(bodyStart.xMin, 48, 0.5) && bodyStart.yMin > 108 && bodyStart.yMin < 112,
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

    void printsNothingWithoutABody_data() {
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("title only") << true << QByteArray("Title only\r\n");
        QTest::newRow("empty file") << true << QByteArray("");
        QTest::newRow("no file") << false << QByteArray();
    }
    void printsNothingWithoutABody() {
        QFETCH(bool, fileThere);
        QFETCH(QByteArray, bytes);
        mc::testing::TempFolder folder;
        if (fileThere) folder.write("ToPrint.tmp", bytes.toStdString());
        const QSet<QString> before = pdfsNow();

        SettPrint window;
        QCOMPARE(window.load(folder.path() / "ToPrint.tmp"), SettPrint::Outcome::NothingToPrint);
        // Nothing to print is no failure either: the caller goes on to its next page.
        QVERIFY(mc::ui::systemPrintServices().printFile(folder.path() / "ToPrint.tmp"));

        QCOMPARE(newPdfs(before), QStringList());
        QCOMPARE(mc::fileExists(folder.path() / "ToPrint.tmp"), fileThere);
    }

    void withoutDefaultPrinterNothingIsPrintedAndNothingBreaks() {
        mc::testing::TempFolder folder;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("CUPS_SERVER"),
                           QString::fromStdString((folder.path() / "nobody-listens.sock").string()));
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(NoPrinterChild), QString::fromStdString(folder.path().string())});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()), QStringLiteral("hasDefaultPrinter=0 printFile=0\n"));
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
    if (argc > 2 && argv[1] == NoPrinterChild) return noPrinterChild(argc, argv);

    useTestPrinter();

    QApplication app(argc, argv);
    SettPrintTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "settprint_test.moc"
