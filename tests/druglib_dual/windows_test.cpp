#include <QApplication>
#include <QCheckBox>
#include <QTest>

#include "druglib_dual/ui/drug_library_windows.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"
#include "support/window_driver.hpp"

using namespace mc::testing;

// The drug pages through their real widgets: keys, focus, colours, Latin-1
// on the screen.
class DrugLibraryWindowsTest : public QObject {
    Q_OBJECT

    TempFolder folder;

    QWidget* openEditor(bool release041) {
        QWidget* editor = release041 ? mc::druglib::ui::createQuelda041Window(folder.path(), {','}, {})
                                     : mc::druglib::ui::createQuelda036Window(folder.path(), {','});
        editor->show();
        QApplication::setActiveWindow(editor);
        return editor;
    }

private slots:
    void initTestCase() { quietOffscreenNoise(); }

    void drugPagesOfBothReleases() {
        QWidget* editor = openEditor(true);
        QVERIFY(QTest::qWaitForWindowActive(editor));
        clickButton(editor, "Command12");
        typeInto(editor, "Text1", QStringLiteral("Intensive Care"));
        QTest::keyClick(widget(editor, "Text1"), Qt::Key_Return);
        clickButton(editor, "Command3");
        QCOMPARE(widget<QCheckBox>(editor, "Check1")->text(), QStringLiteral("Intensive Care"));
        for (const auto& [key, drug] : {std::pair{Qt::Key_PageDown, "2"}, {Qt::Key_PageUp, "1"}, {Qt::Key_PageUp, "1"}}) {
            QTest::keyClick(widget(editor, "Text26"), key);
            QCOMPARE(shown(editor, "Label1"), QString::fromLatin1(drug));
        }
        // The fields in page order, then the departments down the first column and the second.
        widget(editor, "Text26")->setFocus();
        QStringList order;
        for (int k = 0; k < 35; ++k) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order.mid(0, 10), (QStringList{"Text26", "Combo2", "Text27", "Text28", "Combo3", "Combo1", "Text31",
                                               "Text32", "Check1", "Check2"}));
        QCOMPARE(order.mid(19, 3), (QStringList{"Check12", "Check13", "Check14"}));
        QVERIFY(order.indexOf(QStringLiteral("Command13")) > order.indexOf(QStringLiteral("Check24")));

        enter(editor, {{"Text26", "Dobutamine"}, {"Combo2", "mcg/mL"}, {"Combo3", "mg"}, {"Combo1", "mcg/kg/min"},
                       {"Text27", "x"}, {"Text28", "500"}, {"Text31", "2,5"}, {"Text32", "20"}, {"Check1", "1"}});
        // A refused "OK" colours its message and the field it names, until that field changes.
        clickButton(editor, "Command9");
        const QColor base = QApplication::palette().color(QPalette::Base);
        QVERIFY(widget(editor, "Label74")->palette().color(QPalette::WindowText) !=
                QApplication::palette().color(QPalette::WindowText));
        QVERIFY(widget(editor, "Text27")->palette().color(QPalette::Base) != base);
        QCOMPARE(widget(editor, "Text28")->palette().color(QPalette::Base), base);
        saveScreenshot(editor, QStringLiteral("Quelda041-failed-ok"));
        typeInto(editor, "Text27", QStringLiteral("250"));
        QCOMPARE(widget(editor, "Text27")->palette().color(QPalette::Base), base);
        clickButton(editor, "Command9");
        QCOMPARE(shown(editor, "Text31"), QStringLiteral("2.5"));
        saveScreenshot(editor, QStringLiteral("Quelda041-drug-12-units"));
        delete editor;

        // Release 036 shows the micro sign of its dose units.
        editor = openEditor(false);
        clickButton(editor, "Command12");
        clickButton(editor, "Command3");
        QCOMPARE(shown(editor, "Combo1"), QStringLiteral("\u00B5g/kg/min"));
        pickInCombo(editor, "Combo1", QStringLiteral("\u00B5g/h"));
        QCOMPARE(shown(editor, "Label11"), QStringLiteral("\u00B5g/h"));
        delete editor;
    }
};

MC_HEADLESS_TEST_MAIN(DrugLibraryWindowsTest)
#include "windows_test.moc"
