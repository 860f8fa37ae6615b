// The two 510 printouts on the real default printer (the test printer's PDF
// queue): one job per page, read back as text.

#include <QApplication>
#include <QTest>
#include <algorithm>

#include "druglib_dual/core/quelda041_editor.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "shell/core/text.hpp"
#include "shell/ui/settprint.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"
#include "support/test_printer.hpp"

using namespace mc::testing;
using mc::druglib::DrugLibrary;

namespace {

void addDrug(DrugLibrary& library, int n, std::uint32_t mask) {
    library.DrugNames[n] = mc::padRight("Drug" + std::to_string(n), 14);
    library.DrugUnitCodes[n] = 0x07;
    library.DoseMaxCodes[n] = 10000;
    library.DepartmentMasks[n] = mask;
}

}  // namespace

class LibraryPrintTest : public QObject {
    Q_OBJECT

    TempFolder folder;

    // Saves `library`, chooses it and presses `button`; the text of each job, in job order.
    QStringList print(const DrugLibrary& library, const char* button) {
        folder.write("Cardio.tm2", mc::druglib::writeTm2Release041(library, "Cardio"));
        mc::druglib::Quelda041Editor editor(folder.path(), mc::NumberFormat{}, mc::ui::systemPrintServices());
        editor.pick("File1", 0);
        if (editor.form()["Text30"].text != "Cardio.tm2") return {QStringLiteral("<Cardio.tm2 not chosen>")};
        const QSet<QString> before = pdfsNow();
        editor.click(button);
        const QStringList pdfs = newPdfs(before);
        QStringList texts;
        for (const QString& pdf : pdfs) texts << pdfText(pdf);
        if (!pdfs.isEmpty()) {
            const QString picture = QStringLiteral(MC_SCREENSHOT_DIR "/printed-") + QString::fromLatin1(button);
            output(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                                                QStringLiteral("-singlefile"), pdfs.front(), picture});
        }
        return texts;
    }

private slots:
    void initTestCase() {
        quietOffscreenNoise();
        QVERIFY(queueDrained());
    }

    void oneJobPerDefinedDrug() {
        DrugLibrary library;
        for (int n : {2, 5, 9}) addDrug(library, n, 1);
        const QStringList jobs = print(library, "Command15");
        QCOMPARE(jobs.size(), 3);
        const int numbers[] = {2, 5, 9};
        for (int k = 0; k < 3; ++k) {
            QVERIFY2(jobs[k].contains(QStringLiteral("Page %1 of 3").arg(k + 1)), qPrintable(jobs[k]));
            QVERIFY2(jobs[k].contains(QRegularExpression(QStringLiteral("Drug Number\\s+: %1\\n").arg(numbers[k]))),
                     qPrintable(jobs[k]));
            QVERIFY(jobs[k].contains(QStringLiteral("File Name Cardio.tm2")));
        }
    }

    void aDepartmentOfSevenDrugsPrintsTwoPages() {
        DrugLibrary library;
        library.DepartmentNames[2] = "Cardiology";
        for (int n = 11; n <= 17; ++n) addDrug(library, n, 1u << 1);
        const QStringList jobs = print(library, "Command16");
        QCOMPARE(jobs.size(), 2);
        QVERIFY2(jobs[0].contains(QStringLiteral("Cardiology")) && jobs[0].contains(QStringLiteral("(2) Page 1 of 2")),
                 qPrintable(jobs[0]));
        QCOMPARE(jobs[0].count(QStringLiteral("Drug Number")), 5);
        QVERIFY(jobs[1].contains(QStringLiteral("(2) Page 2 of 2")));
        QCOMPARE(jobs[1].count(QStringLiteral("Drug Number")), 2);
    }

    void aPrinterThatRefusesJobsIsNamedOnTheOpenPage() {
        QVERIFY(queueCommand("cupsreject"));
        DrugLibrary library;
        addDrug(library, 1, 1);
        TempFolder own;
        own.write("Refused.tm2", mc::druglib::writeTm2Release041(library, "Refused"));
        mc::druglib::Quelda041Editor editor(own.path(), mc::NumberFormat{}, mc::ui::systemPrintServices());
        editor.pick("File1", 0);
        QCOMPARE(editor.form()["Text30"].text, std::string("Refused.tm2"));
        const QSet<QString> before = pdfsNow();
        editor.click("Command15");
        QVERIFY(queueCommand("cupsaccept"));
        QCOMPARE(QString::fromStdString(editor.form()["OpenMessage"].text),
                 QStringLiteral("The printer MacroCreatorPDF does not accept jobs. Nothing was printed."));
        QCOMPARE(newPdfs(before), QStringList());
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
