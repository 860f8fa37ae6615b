#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "druglib_dual/core/tm2_file.hpp"
#include "druglib_dual/ui/drug_library_windows.hpp"
#include "shell/core/selection.hpp"
#include "shell/ui/settprint.hpp"
#include "support/recording_printer.hpp"
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

    // Answers the question the window asks next, as soon as it is asked.
    static void answerQuestion(const QString& button) {
        QTimer::singleShot(0, [button] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible())
                    for (QAbstractButton* b : box->buttons())
                        if (b->text() == button) b->click();
        });
    }

private slots:
    void initTestCase() { quietOffscreenNoise(); }

    void theStatusStripSaysWhichLibraryAndWhetherItIsSaved() {
        QWidget* editor = openEditor(mc::EditorKind::Quelda041);
        QCOMPARE(shown(editor, "StatusLibrary"), QStringLiteral("new library"));
        QCOMPARE(shown(editor, "StatusSaved"), QString());
        clickButton(editor, "Command12");
        clickButton(editor, "Command3");
        for (int k = 0; k < 3; ++k) clickButton(editor, "Command13");  // restores fire change handlers
        QCOMPARE(shown(editor, "StatusSaved"), QString());
        clickButton(editor, "Command7");
        typeInto(editor, "Text1", QStringLiteral("ICU"));
        QCOMPARE(shown(editor, "StatusSaved"), QString());  // typing is not yet stored
        clickButton(editor, "Command4");
        QCOMPARE(shown(editor, "StatusSaved"), QStringLiteral("not saved"));
        clickButton(editor, "Command3");
        clickButton(editor, "Command10");
        typeInto(editor, "Text29", QStringLiteral("Status"));
        clickButton(editor, "Command11");
        QCOMPARE(shown(editor, "StatusLibrary"), QStringLiteral("Status.tm2"));
        QCOMPARE(shown(editor, "StatusSaved"), QString());
        chooseInList(editor, "File1", QStringLiteral("Status.tm2"));
        clickButton(editor, "Command1");
        QCOMPARE(shown(editor, "StatusLibrary"), QStringLiteral("Status.tm2"));
        editor->close();
    }

    void closingWithUnsavedWorkAsksFirstAndCancelKeepsTheWindow() {
        QWidget* editor = openEditor(mc::EditorKind::Quelda041);
        clickButton(editor, "Command12");
        typeInto(editor, "Text1", QStringLiteral("ICU"));  // unconfirmed typing
        answerQuestion(QStringLiteral("Cancel"));
        QVERIFY(!editor->close());
        QVERIFY(editor->isVisible());
        clickButton(editor, "Command4");  // now stored, not saved
        answerQuestion(QStringLiteral("Cancel"));
        QVERIFY(!editor->close());
        answerQuestion(QStringLiteral("Close without saving"));
        QVERIFY(editor->close());
    }

    void keysPressTheButtonsOfThePageInView() {
        QWidget* editor = openEditor(mc::EditorKind::Quelda041);
        QApplication::setActiveWindow(editor);
        QVERIFY(QTest::qWaitForWindowActive(editor));
        clickButton(editor, "Command12");
        typeInto(editor, "Text2", QStringLiteral("Ward"));
        QTest::keyClick(widget(editor, "Text2"), Qt::Key_Escape);
        QCOMPARE(shown(editor, "Text2"), QString());
        typeInto(editor, "Text2", QStringLiteral("Ward"));
        QTest::keyClick(widget(editor, "Text2"), Qt::Key_Return);
        QCOMPARE(shown(editor, "Label36"), QStringLiteral("Departments list Updated"));
        clickButton(editor, "Command3");
        QTest::keyClick(widget(editor, "Text26"), Qt::Key_PageDown);
        QCOMPARE(shown(editor, "Label1"), QStringLiteral("2"));
        QTest::keyClick(widget(editor, "Text26"), Qt::Key_PageUp);
        QCOMPARE(shown(editor, "Label1"), QStringLiteral("1"));
        QTest::keyClick(widget(editor, "Text26"), Qt::Key_PageUp);
        QCOMPARE(shown(editor, "Label1"), QStringLiteral("1"));  // Previous Drug is disabled at drug 1
        QCOMPARE(widget(editor, "Command9")->toolTip(), QStringLiteral("Shortcut: Enter"));
        QCOMPARE(widget(editor, "Command13")->toolTip(), QStringLiteral("Shortcut: Page Down"));
        QCOMPARE(shown(editor, "Command9"), QStringLiteral("OK"));
        clickButton(editor, "Command7");
        answerQuestion(QStringLiteral("Go Back"));
        clickButton(editor, "Command2");
        answerQuestion(QStringLiteral("Close without saving"));
        editor->close();
    }

    void tabGoesDownTheColumnsThenTheDepartmentsThenTheButtons() {
        QWidget* editor = openEditor(mc::EditorKind::Quelda041);
        QApplication::setActiveWindow(editor);
        QVERIFY(QTest::qWaitForWindowActive(editor));
        clickButton(editor, "Command12");
        clickButton(editor, "Command3");
        widget(editor, "Text26")->setFocus();
        QStringList order;
        for (int k = 0; k < 35; ++k) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        const QStringList fields{QStringLiteral("Text26"), QStringLiteral("Combo2"), QStringLiteral("Text27"),
                                 QStringLiteral("Text28"), QStringLiteral("Combo3"), QStringLiteral("Combo1"),
                                 QStringLiteral("Text31"), QStringLiteral("Text32"), QStringLiteral("Check1"),
                                 QStringLiteral("Check2")};
        QCOMPARE(order.mid(0, fields.size()), fields);
        QCOMPARE(order.indexOf(QStringLiteral("Check13")), order.indexOf(QStringLiteral("Check12")) + 1);
        QVERIFY(order.indexOf(QStringLiteral("Command13")) > order.indexOf(QStringLiteral("Check24")));
        editor->close();
    }

    void aFailedOkShowsItsMessagesAndMarksTheFieldsUntilChanged() {
        QWidget* editor = openEditor(mc::EditorKind::Quelda041);
        clickButton(editor, "Command12");
        clickButton(editor, "Command3");
        typeInto(editor, "Text27", QStringLiteral("x"));
        clickButton(editor, "Command9");
        const QColor base = QApplication::palette().color(QPalette::Base);
        QVERIFY(shown(editor, "Label74").contains(QStringLiteral("Concentration Minimum must be valid value")));
        QVERIFY(widget(editor, "Label74")->palette().color(QPalette::WindowText) !=
                QApplication::palette().color(QPalette::WindowText));
        QVERIFY(widget(editor, "Text27")->palette().color(QPalette::Base) != base);
        QCOMPARE(widget(editor, "Text28")->palette().color(QPalette::Base), base);
        saveScreenshot(editor, QStringLiteral("Quelda041-failed-ok"));
        typeInto(editor, "Text27", QStringLiteral("1"));
        QCOMPARE(widget(editor, "Text27")->palette().color(QPalette::Base), base);
        clickButton(editor, "Command8");
        editor->close();
    }

    void aLongPrintoutShowsItsProgressAndCanBeCancelled() {
        mc::druglib::DrugLibrary library;
        for (int n = 1; n <= 6; ++n) {
            library.DrugNames[n] = "Drug" + std::to_string(n);
            library.DepartmentMasks[n] = 1;
        }
        folder.write("Long.tm2", mc::druglib::writeTm2Release041(library, "Long"));
        RecordingPrinter printer;
        mc::PrintServices services = mc::ui::systemPrintServices();
        const mc::PrintServices recording = printer.services();
        services.printerProblem = recording.printerProblem;
        QStringList labels;
        services.printFile = [&](const std::filesystem::path& file, const std::string& footer) {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QProgressDialog*>(top); dialog && dialog->isVisible()) {
                    labels << dialog->labelText();
                    if (labels.size() == 3) {
                        saveScreenshot(dialog, QStringLiteral("print-progress"));
                        dialog->cancel();
                    }
                }
            return recording.printFile(file, footer);
        };
        QWidget* editor = mc::druglib::ui::createQuelda041Window(folder.path(), mc::NumberFormat{}, services);
        editor->show();
        chooseInList(editor, "File1", QStringLiteral("Long.tm2"));
        clickButton(editor, "Command15");
        QCOMPARE(labels, (QStringList{QStringLiteral("Printing page 1 of 6"), QStringLiteral("Printing page 2 of 6"),
                                      QStringLiteral("Printing page 3 of 6")}));
        QCOMPARE(shown(editor, "OpenMessage"), QStringLiteral("Printing cancelled: 3 of 6 pages were printed; the rest were not."));
        QCOMPARE(printer.jobs.size(), 3u);
        // The print file holds the last page printed, however the printout ended.
        QCOMPARE(folder.read("ToPrint.tmp"), printer.jobs.back());
        editor->close();
    }

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
