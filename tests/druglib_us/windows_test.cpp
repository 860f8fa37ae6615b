#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "druglib_us/core/tv1_file.hpp"
#include "druglib_us/ui/orrx_usa_window.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"
#include "support/window_driver.hpp"

using namespace mc::testing;

// The US editor through its real widgets: what the technician sees and does.
class OrrxUsaWindowTest : public QObject {
    Q_OBJECT

    TempFolder folder;

    QWidget* openEditor() {
        QWidget* editor = mc::druglib_us::ui::createOrrxUsaWindow(folder.path(), mc::NumberFormat{','});
        editor->show();
        return editor;
    }

    static void fillDrug(QWidget* editor, const QString& bolusMode, const QString& timeUnits) {
        typeInto(editor, "Text26", QStringLiteral("Norepinephrine"));
        typeInto(editor, "Text25", QStringLiteral("40"));
        typeInto(editor, "Text33", QStringLiteral("120"));
        pickInCombo(editor, "Combo2", QStringLiteral("MCG/ML"));
        typeInto(editor, "Text27", QStringLiteral("64"));
        pickInCombo(editor, "Combo1", QStringLiteral("MCG/KG/MIN"));
        typeInto(editor, "Text28", QStringLiteral("0,1"));
        typeInto(editor, "Text31", QStringLiteral("0,05"));
        typeInto(editor, "Text32", QStringLiteral("1"));
        typeInto(editor, "Text34", QStringLiteral("0,01"));
        typeInto(editor, "Text35", QStringLiteral("2"));
        pickInCombo(editor, "Combo3", bolusMode);
        for (const char* box : {"Text36", "Text39", "Text40", "Text41", "Text42"})
            typeInto(editor, box, QStringLiteral("1"));
        pickInCombo(editor, "Combo4", timeUnits);
        typeInto(editor, timeUnits == QLatin1String("NOTIME") ? "Text38" : "Text37",
                 timeUnits == QLatin1String("HH:MM") ? QStringLiteral("0:30") : QStringLiteral("30"));
    }

private slots:
    void initTestCase() { quietOffscreenNoise(); }

    void buildSaveAndOpenALibrary() {
        QWidget* editor = openEditor();
        clickButton(editor, "Command12");
        typeInto(editor, "Text1", QStringLiteral("Intensive Care"));
        typeInto(editor, "Text24", QStringLiteral("Emergency Department"));
        QVERIFY(!enabled(editor, "Command3"));
        QVERIFY(enabled(editor, "Command2"));
        clickButton(editor, "Command4");
        QCOMPARE(shown(editor, "Label36"), QStringLiteral("Departments list Updated"));
        saveScreenshot(editor, QStringLiteral("ORRX_USA-departments"));
        clickButton(editor, "Command3");
        QCOMPARE(shown(editor, "Label1") + QStringLiteral(" of ") + shown(editor, "Label14"), QStringLiteral("1 of 1"));
        QCOMPARE(widget<QCheckBox>(editor, "Check1")->text(), QStringLiteral("Intensive Care"));
        QCOMPARE(widget<QCheckBox>(editor, "Check24")->text(), QStringLiteral("Emergency Department"));
        QVERIFY(!enabled(editor, "Command10"));
        QVERIFY(enabled(editor, "Command15"));

        fillDrug(editor, QStringLiteral("WEIGHT"), QStringLiteral("NOTIME"));
        QCOMPARE(shown(editor, "Label35"), QStringLiteral("MCG/KG"));
        clickButton(editor, "Command9");
        QCOMPARE(shown(editor, "Label74"), QStringLiteral("At list one Department must be enabled"));
        QTest::mouseClick(widget<QCheckBox>(editor, "Check24"), Qt::LeftButton);
        clickButton(editor, "Command9");
        QCOMPARE(shown(editor, "Label74"), QStringLiteral("Drug Updated"));
        QCOMPARE(shown(editor, "Text28"), QStringLiteral("0,1"));
        QVERIFY(enabled(editor, "Command10"));

        clickButton(editor, "Command10");
        typeInto(editor, "Text29", QStringLiteral("Night"));
        clickButton(editor, "Command11");
        QVERIFY(visible(editor, "Frame1"));
        QVERIFY(folder.read("Night.tv1").find(",BP=WEIGHT,BD=1,BTU=NOTIME,BR=30,BDLS=1,") != std::string::npos);

        chooseInList(editor, "File1", QStringLiteral("Night.tv1"));
        doubleClickInList(editor, "File1", QStringLiteral("Night.tv1"));
        QVERIFY(visible(editor, "Frame2"));
        QCOMPARE(shown(editor, "Text1"), QStringLiteral("Intensive Care"));
        clickButton(editor, "Command3");
        QCOMPARE(shown(editor, "Combo1"), QStringLiteral("MCG/KG/MIN"));
        QCOMPARE(shown(editor, "Text38"), QStringLiteral("30"));
        QVERIFY(widget<QCheckBox>(editor, "Check24")->isChecked());
        delete editor;
    }

    void aRefusedFileIsReported() {
        folder.write("broken.tv1", "TYPE=STARTDRUGLIBRARY\r\n");
        QWidget* editor = openEditor();
        chooseInList(editor, "File1", QStringLiteral("broken.tv1"));
        clickButton(editor, "Command1");
        QVERIFY(visible(editor, "Frame1"));
        QCOMPARE(shown(editor, "Label12"),
                 QStringLiteral("File broken.tv1 can not be open as corrupted or for newer creator version"));
        delete editor;
    }

    void typingStopsAtTheLimitButLongerTextsFromAFileShowWhole() {
        mc::druglib_us::UsDrugLibrary library;
        library.DepartmentName[1] = "Cardiology Intensive Care 1234";
        library.DrugCount = 1;
        library.Drug[1].DrugName = "Sodium Nitroprusside Infusion";  // 29 characters
        folder.write("long.tv1", mc::druglib_us::writeTv1(library, "long"));
        QWidget* editor = openEditor();
        chooseInList(editor, "File1", QStringLiteral("long.tv1"));
        clickButton(editor, "Command1");
        QCOMPARE(shown(editor, "Text1"), QStringLiteral("Cardiology Intensive"));
        typeInto(editor, "Text2", QString(21, QLatin1Char('d')));
        QCOMPARE(shown(editor, "Text2"), QString(20, QLatin1Char('d')));
        clickButton(editor, "Command5");
        clickButton(editor, "Command3");
        QCOMPARE(shown(editor, "Text26"), QStringLiteral("Sodium Nitroprusside Infusion"));
        QCOMPARE(widget<QCheckBox>(editor, "Check1")->text(), QStringLiteral("Cardiology Intensive Care 1234"));
        typeInto(editor, "Text26", QString(21, QLatin1Char('n')));
        QCOMPARE(shown(editor, "Text26"), QString(20, QLatin1Char('n')));
        delete editor;
    }

    // Pictures of the drug page in both bolus modes with each kind of bolus time row.
    void drugPageLayouts() {
        QWidget* editor = openEditor();
        clickButton(editor, "Command12");
        for (int d = 1; d <= 24; ++d)
            typeInto(editor, qPrintable(QStringLiteral("Text%1").arg(d)), QStringLiteral("Department name %1").arg(d, 3, 10, QLatin1Char('0')));
        clickButton(editor, "Command4");
        clickButton(editor, "Command3");
        typeInto(editor, "Text25", QStringLiteral("x"));
        clickButton(editor, "Command9");
        QVERIFY(shown(editor, "Label74").count(QLatin1Char('\n')) >= 10);
        QTest::qWait(100);  // the window grows to the long message list on a later pass
        saveScreenshot(editor, QStringLiteral("ORRX_USA-drug-refused"));
        for (const QString& mode : {QStringLiteral("WEIGHT"), QStringLiteral("VOLUME")}) {
            for (const QString& units : {QStringLiteral("NOTIME"), QStringLiteral("HH:MM")}) {
                fillDrug(editor, mode, units);
                const bool rate = units == QLatin1String("NOTIME");
                QCOMPARE(visible(editor, "Text38"), rate);
                QCOMPARE(visible(editor, "Label30"), rate);
                QCOMPARE(visible(editor, "Text37"), !rate);
                QCOMPARE(visible(editor, "Label32"), !rate);
                saveScreenshot(editor, QStringLiteral("ORRX_USA-drug-%1-%2").arg(mode, rate ? QStringLiteral("NOTIME")
                                                                                              : QStringLiteral("HHMM")));
            }
        }
        delete editor;
    }
};

MC_HEADLESS_TEST_MAIN(OrrxUsaWindowTest)
#include "windows_test.moc"
