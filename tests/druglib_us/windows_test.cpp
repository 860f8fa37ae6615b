#include <QApplication>
#include <QCheckBox>
#include <QTest>

#include "druglib_us/ui/orrx_usa_window.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"
#include "support/window_driver.hpp"

using namespace mc::testing;

// The US editor through its real widgets: what only the window shows.
class OrrxUsaWindowTest : public QObject {
    Q_OBJECT

    TempFolder folder;

private slots:
    void initTestCase() { quietOffscreenNoise(); }

    // The boxes take 20 characters; the decimal comma of the region reaches the file.
    void buildSaveAndOpenALibrary() {
        QWidget* editor = mc::druglib_us::ui::createOrrxUsaWindow(folder.path(), mc::NumberFormat{','});
        editor->show();
        clickButton(editor, "Command12");
        typeInto(editor, "Text24", QStringLiteral("Emergency Department 24"));
        clickButton(editor, "Command4");
        QCOMPARE(shown(editor, "Text24"), QStringLiteral("Emergency Department"));
        saveScreenshot(editor, QStringLiteral("ORRX_USA-departments"));
        clickButton(editor, "Command3");
        clickButton(editor, "Command9");
        QVERIFY(shown(editor, "Label74").startsWith(QStringLiteral("Drug Name must be specified")));
        saveScreenshot(editor, QStringLiteral("ORRX_USA-drug-refused"));

        typeInto(editor, "Text26", QStringLiteral("Norepinephrine Infusion"));
        typeInto(editor, "Text33", QStringLiteral("120"));
        pickInCombo(editor, "Combo2", QStringLiteral("MCG/ML"));
        typeInto(editor, "Text27", QStringLiteral("64"));
        pickInCombo(editor, "Combo1", QStringLiteral("MCG/KG/MIN"));
        for (const char* box : {"Text28", "Text31", "Text32", "Text34", "Text35"})
            typeInto(editor, box, QStringLiteral("0,1"));
        pickInCombo(editor, "Combo3", QStringLiteral("WEIGHT"));
        for (const char* box : {"Text36", "Text39", "Text40", "Text41", "Text42"})
            typeInto(editor, box, QStringLiteral("1"));
        // Of the bolus time row and the bolus rate row only one is on screen.
        for (const QString& units : {QStringLiteral("HH:MM"), QStringLiteral("NOTIME")}) {
            pickInCombo(editor, "Combo4", units);
            const bool rate = units == QLatin1String("NOTIME");
            typeInto(editor, rate ? "Text38" : "Text37", rate ? QStringLiteral("30") : QStringLiteral("0:30"));
            QCOMPARE(visible(editor, "Text38") && visible(editor, "Label30") && visible(editor, "Label33"), rate);
            QCOMPARE(visible(editor, "Text37") && visible(editor, "Label31") && visible(editor, "Label32"), !rate);
            saveScreenshot(editor, QStringLiteral("ORRX_USA-drug-") + (rate ? units : QStringLiteral("HHMM")));
        }
        QCOMPARE(shown(editor, "Label35"), QStringLiteral("MCG/KG"));
        QTest::mouseClick(widget<QCheckBox>(editor, "Check24"), Qt::LeftButton);
        clickButton(editor, "Command9");
        QCOMPARE(shown(editor, "Label74"), QStringLiteral("Drug Updated"));
        QCOMPARE(shown(editor, "Text26"), QStringLiteral("Norepinephrine Infus"));

        clickButton(editor, "Command10");
        typeInto(editor, "Text29", QStringLiteral("Night"));
        clickButton(editor, "Command11");
        QVERIFY(folder.read("Night.tv1").find(",DR=0,1,BP=WEIGHT,BD=1,BTU=NOTIME,BR=30,BDLS=1,") != std::string::npos);
        chooseInList(editor, "File1", QStringLiteral("Night.tv1"));
        doubleClickInList(editor, "File1", QStringLiteral("Night.tv1"));
        QCOMPARE(shown(editor, "Text24"), QStringLiteral("Emergency Department"));
        clickButton(editor, "Command3");
        QCOMPARE(shown(editor, "Combo1") + shown(editor, "Text38"), QStringLiteral("MCG/KG/MIN30"));
        QVERIFY(widget<QCheckBox>(editor, "Check24")->isChecked());
        delete editor;
    }
};

MC_HEADLESS_TEST_MAIN(OrrxUsaWindowTest)
#include "windows_test.moc"
