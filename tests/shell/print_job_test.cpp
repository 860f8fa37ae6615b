// Printing on the real default printer (the test scheduler's cups-pdf queue):
// one job per page, and every way the printer can refuse pages is reported
// with the count of pages printed.

#include <QApplication>
#include <QDate>
#include <QProcessEnvironment>
#include <cstdio>

#include "shell/ui/print_job.hpp"
#include "shell/ui/settprint.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"
#include "support/test_printer.hpp"

using namespace mc::testing;

constexpr std::string_view NoPrinterChild = "--no-printer-child";

static const mc::PrintedFile Printed{"ward3.tm2", "ba33bbf01d353c74bda319136e38ac82144e4641329d59206e785c143474e98c"};

// Run as a child process with CUPS_SERVER pointing where nobody listens: prints into the folder argv[2].
static int noPrinterChild(int argc, char** argv) {
    QApplication app(argc, argv);
    mc::PrintServices services = mc::ui::systemPrintServices();
    std::printf("%s\n", mc::printPages(argv[2], {{"Title", "Body"}}, Printed, services).value_or("printed").c_str());
    return 0;
}

class PrintJobTest : public QObject {
    Q_OBJECT

    TempFolder folder;
    mc::PrintServices services;

    // What the Open page says of the printout; "<printed>" when every page was printed.
    QString print(const std::vector<mc::PrintedPage>& pages) {
        return QString::fromStdString(mc::printPages(folder.path(), pages, Printed, services).value_or("<printed>"));
    }

private slots:
    void initTestCase() {
        quietOffscreenNoise();
        QCOMPARE(mc::ui::defaultPrinterName(), Queue);
    }

    // A job left by a test that failed half-way must not count as the next one's.
    void init() {
        QVERIFY(queueDrained());
        services = mc::ui::systemPrintServices();
    }

    // Whatever a test did to the queue, the next one finds it taking jobs.
    void cleanup() {
        queueCommand("cupsaccept");
        queueCommand("cupsenable");
    }

    // A page without body (a title alone) is no job.
    void eachPageIsOneJobInPageOrder() {
        const QSet<QString> before = pdfsNow();
        QCOMPARE(print({{"Page 1", "first"}, {"Title only"}, {"Page 3", "third"}}), QStringLiteral("<printed>"));
        const QStringList pdfs = newPdfs(before);
        QCOMPARE(pdfs.size(), 2);
        for (int k = 0; k < 2; ++k) {
            const QString page = pdfText(pdfs[k]).simplified();
            const QString footer = QStringLiteral("Page %1 %2 File ward3.tm2 SHA-256 ba33bbf01d353c74 Page %1 of 3 Printed "
                                                  "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d$");
            QVERIFY2(page.contains(QRegularExpression(footer.arg(2 * k + 1).arg(QString::fromLatin1(k ? "third" : "first")))),
                     qPrintable(page));
        }
        // The date and time of the signature lines are the system's, in its regional formats.
        const std::string date = services.currentDate(), time = services.currentTime();
        QVERIFY2(date.find(std::to_string(QDate::currentDate().year() % 100)) != std::string::npos &&
                     date.find(':') == std::string::npos, date.c_str());
        QVERIFY2(time.find(':') != std::string::npos || time.find('.') != std::string::npos, time.c_str());
        QCOMPARE(folder.read("ToPrint.tmp"), std::string("Page 3\r\nthird\r\n"));
    }

    // A printer that takes no jobs prints nothing; one that stops taking them
    // midway stops the printout, and the count of pages printed is said.
    void aPrinterThatTakesNoJobsStopsThePrintout_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("printedFirst");
        QTest::addColumn<QString>("message");
        const QString midway = QStringLiteral("Printing stopped: 1 of 3 pages were printed. Page 2 was not printed (");
        QTest::newRow("rejecting") << "cupsreject" << 0
                                   << "The printer MacroCreatorPDF does not accept jobs. Nothing was printed.";
        QTest::newRow("stopped") << "cupsdisable" << 0 << "The printer MacroCreatorPDF is stopped. Nothing was printed.";
        QTest::newRow("rejecting midway") << "cupsreject" << 1 << midway + QStringLiteral("the printer refused it");
        QTest::newRow("stopped midway") << "cupsdisable" << 1 << midway + QStringLiteral("job ");
    }
    void aPrinterThatTakesNoJobsStopsThePrintout() {
        QFETCH(QString, command);
        QFETCH(int, printedFirst);
        QFETCH(QString, message);
        const QByteArray queueCommandName = command.toLatin1();
        services.pagePrinted = [&](int printed, int) {
            if (printed == printedFirst && queueDrained()) queueCommand(queueCommandName.constData());
            return true;
        };
        if (printedFirst == 0) QVERIFY(queueCommand(queueCommandName.constData()));
        const QSet<QString> before = pdfsNow();
        const QString result = print({{"Page 1", "first"}, {"Page 2", "second"}, {"Page 3", "third"}});
        QVERIFY2(printedFirst ? result.startsWith(message) && result.endsWith(QStringLiteral("nor were the pages after it."))
                              : result == message,
                 qPrintable(result));
        // The page a stopped printer holds is no page on paper: take it back.
        output(QStringLiteral("cancel"), {QStringLiteral("-a"), Queue});
        queueCommand("cupsenable");
        QCOMPARE(newPdfs(before).size(), printedFirst);
    }

    void withoutDefaultPrinterNothingIsPrintedAndNothingBreaks() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("CUPS_SERVER"),
                           QString::fromStdString((folder.path() / "nobody-listens.sock").string()));
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(NoPrinterChild), QString::fromStdString(folder.path().string())});
        QVERIFY(child.waitForFinished(60000) && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0);
        QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()),
                 QStringLiteral("There is no default printer. Nothing was printed.\n"));
    }
};

int main(int argc, char** argv) {
    prepareHeadlessQt();
    if (argc > 2 && argv[1] == NoPrinterChild) return noPrinterChild(argc, argv);
    useTestPrinter();
    QApplication app(argc, argv);
    PrintJobTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "print_job_test.moc"
