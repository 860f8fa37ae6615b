// The two 510 printouts on the real default printer (the test printer's PDF
// queue): one job per page, read back as text.

#include <QApplication>
#include <QTest>

#include "druglib_dual/core/quelda041_editor.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "shell/ui/settprint.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"
#include "support/test_printer.hpp"

using namespace mc::testing;

class LibraryPrintTest : public QObject {
    Q_OBJECT

    // Saves `library` in a folder of its own, chooses it and presses `button`;
    // the text of each job, in job order, and what the Open page said.
    QStringList print(const mc::druglib::DrugLibrary& library, const char* button, std::string* said = nullptr) {
        TempFolder folder;
        folder.write("Cardio.tm2", mc::druglib::writeTm2Release041(library, "Cardio"));
        mc::druglib::Quelda041Editor editor(folder.path(), mc::NumberFormat{}, mc::ui::systemPrintServices());
        editor.pick("File1", 0);
        const QSet<QString> before = pdfsNow();
        editor.click(button);
        if (said) *said = editor.form()["OpenMessage"].text;
        const QStringList pdfs = newPdfs(before);
        QStringList texts;
        for (const QString& pdf : pdfs) texts << pdfText(pdf);
        if (!pdfs.isEmpty())
            output(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                                                QStringLiteral("-singlefile"), pdfs.front(),
                                                QStringLiteral(MC_SCREENSHOT_DIR "/printed-") + QString::fromLatin1(button)});
        return texts;
    }

private slots:
    void initTestCase() {
        quietOffscreenNoise();
        QVERIFY(queueDrained());
    }

    void eachPageIsAJobOfItsOwn() {
        mc::druglib::DrugLibrary library;
        library.DepartmentNames[2] = "Cardiology";
        const int drugs[] = {2, 5, 9};
        for (int n : drugs) {
            library.DrugNames[n] = "Drug" + std::to_string(n);
            library.DepartmentMasks[n] = 2;
        }
        const QStringList jobs = print(library, "Command15");
        QCOMPARE(jobs.size(), 3);
        for (int k = 0; k < 3; ++k) {
            const QRegularExpression page(QStringLiteral("Page %1 of 3\\s+Drug Number\\s+: %2\n").arg(k + 1).arg(drugs[k]));
            QVERIFY2(jobs[k].contains(page) && jobs[k].contains(QStringLiteral("File Name Cardio.tm2")),
                     qPrintable(jobs[k]));
        }
        const QStringList byDepartment = print(library, "Command16");
        QCOMPARE(byDepartment.size(), 1);
        const QRegularExpression header(QStringLiteral("Cardiology\\s+\\(2\\) Page 1 of 1"));
        QVERIFY2(byDepartment[0].contains(header), qPrintable(byDepartment[0]));
        QCOMPARE(byDepartment[0].count(QStringLiteral("Drug Number")), 3);
    }

    void aPrinterThatRefusesJobsIsNamedOnTheOpenPage() {
        QVERIFY(queueCommand("cupsreject"));
        mc::druglib::DrugLibrary library;
        library.DrugNames[1] = "Drug1";
        std::string said;
        const QStringList jobs = print(library, "Command15", &said);
        QVERIFY(queueCommand("cupsaccept"));
        QCOMPARE(QString::fromStdString(said),
                 QStringLiteral("The printer MacroCreatorPDF does not accept jobs. Nothing was printed."));
        QCOMPARE(jobs, QStringList());
    }
};

int main(int argc, char** argv) {
    prepareHeadlessQt();
    useTestPrinter();
    QApplication app(argc, argv);
    LibraryPrintTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "print_test.moc"
