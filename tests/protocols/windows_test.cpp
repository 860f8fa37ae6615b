// Both protocol editors through their real widgets: what only a window shows.

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "protocols/core/macro_file.hpp"
#include "protocols/ui/protocol_windows.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"
#include "support/window_driver.hpp"

using namespace mc::testing;
using mc::protocols::Variant;

class ProtocolWindowsTest : public QObject {
    Q_OBJECT

    TempFolder folder;

private slots:
    void initTestCase() { quietOffscreenNoise(); }

    void pagesOfBothWindows() {
        // A file whose texts are longer than their boxes take.
        mc::protocols::ProtocolMacro macro;
        macro.ProtocolDrugName[1] = "Hydromorphone 10 mg/mL extra";
        macro.ProtocolConcUnit[1] = "0";
        macro.ProtocolInitialRate[1] = "12.500";
        for (const Variant which : {Variant::Rx, Variant::Kt}) {
            // In RX_Macro_Creator "PCA" lists the ".tv9" files.
            const QString file = which == Variant::Rx ? QStringLiteral("long.tv9") : QStringLiteral("long.tb2");
            folder.write(file.toStdString(), mc::protocols::writeProtocolMacro(macro, which, "LONG"));
            QWidget* editor = mc::protocols::ui::createProtocolWindow(which, folder.path(), mc::NumberFormat{'.'});
            editor->show();
            auto* pca = widget<QRadioButton>(editor, "PCA");
            widget<QRadioButton>(editor, "EPIDURAL")->click();
            pca->click();
            QVERIFY(pca->isChecked() && !widget<QRadioButton>(editor, "EPIDURAL")->isChecked());
            chooseInList(editor, "File1", file);
            clickButton(editor, "Command1");
            QCOMPARE(widget<QLabel>(editor, "Label36")->font().pointSize(), 18);
            saveScreenshot(editor, editor->objectName() + QStringLiteral("-2-settings"));
            clickButton(editor, "Command5");
            clickButton(editor, "Command3");
            QCOMPARE(shown(editor, "Text18"), which == Variant::Rx ? QStringLiteral("Hydromorphone 10 mg/")
                                                                   : QStringLiteral("Hydromorphone 10 mg/mL extra"));
            QCOMPARE(widget(editor, "Combo21")->accessibleName(), QStringLiteral("Concentration Units"));
            if (which == Variant::Rx)
                QCOMPARE(widget(editor, "Text17")->accessibleName(), QStringLiteral("Drug Name, second line"));
            // Typing may shorten a text longer than its box, but not make it longer.
            auto* rate = widget<QLineEdit>(editor, "Text23");
            QSignalSpy edits(rate, &QLineEdit::textEdited);
            QTest::keyClick(rate, Qt::Key_End);
            QTest::keyClick(rate, Qt::Key_5);
            QCOMPARE(edits.count(), 0);
            QTest::keyClick(rate, Qt::Key_Backspace);
            QTest::keyClick(rate, Qt::Key_1);  // the five characters the box takes: no more
            QCOMPARE(shown(editor, "Text23"), QStringLiteral("12.50"));
            saveScreenshot(editor, editor->objectName() + QStringLiteral("-3-protocol"));
            delete editor;  // the work in it is dropped without the question a user gets
        }
    }
};

MC_HEADLESS_TEST_MAIN(ProtocolWindowsTest)
#include "windows_test.moc"
