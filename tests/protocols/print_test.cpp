// "Print Macro Data" of both protocol-and-settings windows on the real default
// printer (the test printer's PDF queue): 14 jobs, read back as text.

#include <QApplication>
#include <QTest>

#include "protocols/core/macro_file.hpp"
#include "protocols/core/protocol_editor.hpp"
#include "shell/ui/settprint.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"
#include "support/test_printer.hpp"

using namespace mc::testing;
using mc::protocols::ProtocolMacro;
using mc::protocols::Variant;

class ProtocolPrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        quietOffscreenNoise();
        QVERIFY(queueDrained());
    }

    void fourteenJobsInPageOrder_data() {
        QTest::addColumn<int>("variant");
        QTest::newRow("RX_Macro_Creator") << static_cast<int>(Variant::Rx);
        QTest::newRow("Macro_Creator") << static_cast<int>(Variant::Kt);
    }
    void fourteenJobsInPageOrder() {
        QFETCH(int, variant);
        TempFolder folder;
        ProtocolMacro macro;
        macro.PumpSettings[27] = "5";
        macro.ProtocolDrugName[15] = "Fifteen";
        macro.ProtocolDrugName[16] = "Sixteen";
        macro.ProtocolConcUnit[16] = "2";
        macro.ProtocolConcentration[16] = "50";
        folder.write("ABC.tb2", mc::protocols::writeProtocolMacro(macro, static_cast<Variant>(variant), "ABC"));
        mc::protocols::ProtocolEditor editor(static_cast<Variant>(variant), folder.path(), mc::NumberFormat{},
                                             mc::ui::systemPrintServices());
        editor.pick("File1", 0);
        QCOMPARE(editor.form()["Text30"].text, std::string("ABC.tb2"));
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
        QVERIFY2(ninth.contains(QStringLiteral("Protocols (page 9 of 14)")), qPrintable(ninth));
        QVERIFY2(ninth.contains(QStringLiteral("O:")) && ninth.contains(QStringLiteral("Fifteen")), qPrintable(ninth));
        QVERIFY2(ninth.contains(QRegularExpression(QStringLiteral("Concentration\\s+50 mcg/mL"))), qPrintable(ninth));
        for (int page = 2; page <= 14; ++page)
            QVERIFY(pdfText(pdfs[page - 1]).contains(QStringLiteral("(page %1 of 14)").arg(page)));
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
