// "Print Macro Data" on the real default printer (the test printer's PDF
// queue): 14 jobs in page order, read back as text.

#include <QApplication>
#include <QTest>

#include "protocols/core/macro_file.hpp"
#include "protocols/core/protocol_editor.hpp"
#include "shell/ui/settprint.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"
#include "support/test_printer.hpp"

using namespace mc::testing;

class ProtocolPrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        quietOffscreenNoise();
        QVERIFY(queueDrained());
    }

    void fourteenJobsInPageOrder() {
        TempFolder folder;
        mc::protocols::ProtocolMacro macro;
        macro.PumpSettings[27] = "5";
        macro.ProtocolDrugName[15] = "Fifteen";
        macro.ProtocolConcUnit[16] = "2";
        macro.ProtocolConcentration[16] = "50";
        folder.write("ABC.tb2", mc::protocols::writeProtocolMacro(macro, mc::protocols::Variant::Kt, "ABC"));
        mc::protocols::ProtocolEditor editor(mc::protocols::Variant::Kt, folder.path(), mc::NumberFormat{},
                                             mc::ui::systemPrintServices());
        editor.pick("File1", 0);
        const QSet<QString> before = pdfsNow();
        editor.click("Command12");
        QCOMPARE(QString::fromStdString(editor.form()["OpenMessage"].text), QString());
        const QStringList pdfs = newPdfs(before);
        QCOMPARE(pdfs.size(), 14);
        const QString first = pdfText(pdfs[0]);
        QVERIFY2(first.contains(QStringLiteral("Protocol ABC")) && first.contains(QStringLiteral("Setting (page 1 of 14)")),
                 qPrintable(first));
        QVERIFY2(first.contains(QRegularExpression(QStringLiteral("Keystroke Volume\\s+5\\n"))), qPrintable(first));
        const QString ninth = pdfText(pdfs[8]);
        QVERIFY2(ninth.contains(QStringLiteral("Protocols (page 9 of 14)")) && ninth.contains(QStringLiteral("Fifteen")),
                 qPrintable(ninth));
        QVERIFY2(ninth.contains(QRegularExpression(QStringLiteral("Concentration\\s+50 mcg/mL"))), qPrintable(ninth));
        QVERIFY(pdfText(pdfs[13]).contains(QStringLiteral("(page 14 of 14)")));
    }
};

int main(int argc, char** argv) {
    prepareHeadlessQt();
    useTestPrinter();
    QApplication app(argc, argv);
    ProtocolPrintTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "print_test.moc"
