#include <QApplication>
#include <QCheckBox>
#include <QTest>

#include "druglib_dual/core/tm2_file.hpp"
#include "druglib_dual/ui/drug_library_windows.hpp"
#include "shell/core/selection.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"
#include "support/window_driver.hpp"

using namespace mc::testing;

// The drug pages through their real widgets: what the technician sees and does.
class DrugLibraryWindowsTest : public QObject {
    Q_OBJECT

    TempFolder folder;

    QWidget* openEditor(mc::EditorKind kind) {
        const mc::NumberFormat numbers{','};
        QWidget* editor = kind == mc::EditorKind::Quelda041
                              ? mc::druglib::ui::createQuelda041Window(folder.path(), numbers, {})
                              : mc::druglib::ui::createQuelda036Window(folder.path(), numbers);
        editor->show();
        return editor;
    }

private slots:
    void initTestCase() { quietOffscreenNoise(); }

    void release041DrugPage() {
        QWidget* editor = openEditor(mc::EditorKind::Quelda041);
        clickButton(editor, "Command12");
        typeInto(editor, "Text1", QStringLiteral("Intensive Care"));
        QVERIFY(!enabled(editor, "Command3"));
        QCOMPARE(shown(editor, "Label36"), QStringLiteral("Please validate modifications with OK key"));
        clickButton(editor, "Command4");
        QCOMPARE(shown(editor, "Label36"), QStringLiteral("Departments list Updated"));
        clickButton(editor, "Command3");
        QCOMPARE(widget<QCheckBox>(editor, "Check1")->text(), QStringLiteral("Intensive Care"));

        typeInto(editor, "Text26", QStringLiteral("Dobutamine"));
        pickInCombo(editor, "Combo2", QStringLiteral("mcg/mL"));
        pickInCombo(editor, "Combo3", QStringLiteral("mg"));
        pickInCombo(editor, "Combo1", QStringLiteral("mcg/kg/min"));
        QCOMPARE(shown(editor, "Label10"), QStringLiteral("mcg/kg/min"));
        typeInto(editor, "Text27", QStringLiteral("250"));
        typeInto(editor, "Text28", QStringLiteral("5000"));
        typeInto(editor, "Text31", QStringLiteral("2,5"));
        typeInto(editor, "Text32", QStringLiteral("20"));
        QTest::mouseClick(widget<QCheckBox>(editor, "Check1"), Qt::LeftButton);
        QVERIFY(!enabled(editor, "Command13"));
        clickButton(editor, "Command9");
        QCOMPARE(shown(editor, "Label74"), QStringLiteral("Concentration Maximum must be not more than 1000"));
        typeInto(editor, "Text28", QStringLiteral("500"));
        saveScreenshot(editor, QStringLiteral("Quelda041-drug-12-units-modified"));
        clickButton(editor, "Command9");
        QCOMPARE(shown(editor, "Label74"), QStringLiteral("Drug Updated"));
        QCOMPARE(shown(editor, "Text31"), QStringLiteral("2.5"));
        QVERIFY(enabled(editor, "Command13"));
        saveScreenshot(editor, QStringLiteral("Quelda041-drug-12-units"));

        clickButton(editor, "Command13");
        QCOMPARE(shown(editor, "Label1"), QStringLiteral("2"));
        pickInCombo(editor, "Combo2", QStringLiteral("mL Only"));
        for (const char* hidden : {"Text27", "Text28", "Combo3", "Label3", "Label13", "Label8"})
            QVERIFY2(!visible(editor, hidden), hidden);
        pickInCombo(editor, "Combo1", QStringLiteral("mL/hr"));
        typeInto(editor, "Text31", QStringLiteral("1"));
        typeInto(editor, "Text32", QStringLiteral("50"));
        clickButton(editor, "Command9");
        QCOMPARE(shown(editor, "Label74"), QStringLiteral("Drug Updated"));
        saveScreenshot(editor, QStringLiteral("Quelda041-drug-mL-only"));

        clickButton(editor, "Command10");
        typeInto(editor, "Text29", QStringLiteral("ICU lib"));
        clickButton(editor, "Command11");
        QVERIFY(visible(editor, "Frame1"));
        QVERIFY(!enabled(editor, "Command1"));
        const auto library = mc::druglib::readTm2Release041(folder.read("ICU lib.tm2"));
        QCOMPARE(library.DrugUnitCodes[2], 0xE7u);
        QCOMPARE(library.LibraryName, std::string("ICU lib    "));
        editor->close();
    }

    void release036DrugPageShowsTheMicroSign() {
        QWidget* editor = openEditor(mc::EditorKind::Quelda036);
        QVERIFY(!editor->findChild<QWidget*>(QStringLiteral("Command15")));
        clickButton(editor, "Command12");
        clickButton(editor, "Command3");
        QCOMPARE(shown(editor, "Combo1"), QStringLiteral("\u00B5g/kg/min"));
        QCOMPARE(shown(editor, "Label8"), QStringLiteral("mg/ml"));
        pickInCombo(editor, "Combo1", QStringLiteral("\u00B5g/h"));
        QCOMPARE(shown(editor, "Label11"), QStringLiteral("\u00B5g/h"));
        QCOMPARE(shown(editor, "Text31"), QString());
        typeInto(editor, "Text26", QStringLiteral("Fentanyl"));
        typeInto(editor, "Text31", QStringLiteral("0,5"));
        typeInto(editor, "Text32", QStringLiteral("655.35"));
        clickButton(editor, "Command9");
        QCOMPARE(shown(editor, "Label74"), QStringLiteral("Drug Updated"));
        saveScreenshot(editor, QStringLiteral("Quelda036-drug"));
        clickButton(editor, "Command10");
        typeInto(editor, "Text29", QStringLiteral("old"));
        clickButton(editor, "Command11");
        QVERIFY(folder.read("old.tm2").find("D36:0001=Fentanyl  ,02000000000032FFFF000000\r\n") != std::string::npos);
        editor->close();
    }
};

MC_HEADLESS_TEST_MAIN(DrugLibraryWindowsTest)
#include "windows_test.moc"
