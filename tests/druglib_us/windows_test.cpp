#include <QApplication>
#include <QCheckBox>
#include <QTest>

#include "druglib_us/ui/orrx_usa_window.hpp"
#include "support/passing_pages.hpp"
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

    // The boxes take 20 characters; the decimal comma of the region reaches the
    // file; of the bolus time row and the bolus rate row only one is on screen.
    void buildSaveAndOpenALibrary() {
        QWidget* editor = mc::druglib_us::ui::createOrrxUsaWindow(folder.path(), mc::NumberFormat{','});
        editor->show();
        clickButton(editor, "Command12");
        typeInto(editor, "Text24", QStringLiteral("Emergency Department 24"));
        clickButton(editor, "Command4");
        QCOMPARE(shown(editor, "Text24"), QStringLiteral("Emergency Department"));
        saveScreenshot(editor, QStringLiteral("ORRX_USA-departments"));
        clickButton(editor, "Command3");
        enter(editor, passingUsDrug("Norepinephrine Infusion"));
        for (const char* box : {"Text28", "Text31", "Text32", "Text34", "Text35"}) typeInto(editor, box, QStringLiteral("0,1"));
        enter(editor, {{"Check1", ""}, {"Check24", "1"}});
        for (const QString& units : {QStringLiteral("HH:MM"), QStringLiteral("NOTIME")}) {
            pickInCombo(editor, "Combo4", units);
            const bool rate = units == QLatin1String("NOTIME");
            typeInto(editor, rate ? "Text38" : "Text37", rate ? QStringLiteral("30") : QStringLiteral("0:30"));
            QCOMPARE(visible(editor, "Text38") && visible(editor, "Label30") && visible(editor, "Label33"), rate);
            QCOMPARE(visible(editor, "Text37") && visible(editor, "Label31") && visible(editor, "Label32"), !rate);
            saveScreenshot(editor, QStringLiteral("ORRX_USA-drug-") + (rate ? units : QStringLiteral("HHMM")));
        }
        clickButton(editor, "Command9");
        QCOMPARE(shown(editor, "Text26"), QStringLiteral("Norepinephrine Infus"));
        clickButton(editor, "Command10");
        typeInto(editor, "Text29", QStringLiteral("Night"));
        clickButton(editor, "Command11");
        QVERIFY(folder.read("Night.tv1").find(",DR=0,1,BP=WEIGHT,") != std::string::npos);
        doubleClickInList(editor, "File1", QStringLiteral("Night.tv1"));
        QCOMPARE(shown(editor, "Text24"), QStringLiteral("Emergency Department"));
        clickButton(editor, "Command3");
        QCOMPARE(shown(editor, "Combo4") + shown(editor, "Text38"), QStringLiteral("NOTIME30"));
        QVERIFY(widget<QCheckBox>(editor, "Check24")->isChecked() && !widget<QCheckBox>(editor, "Check1")->isChecked());
        delete editor;
    }
};

MC_HEADLESS_TEST_MAIN(OrrxUsaWindowTest)
#include "windows_test.moc"
