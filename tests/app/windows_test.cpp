#include <QApplication>
#include <QGroupBox>
#include <QListWidget>
#include <QPointer>
#include <QTest>

#include "app/editor_catalog.hpp"
#include "shell/ui/selection_window.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"
#include "support/window_driver.hpp"

using namespace mc::testing;

class WindowsTest : public QObject {
    Q_OBJECT

    TempFolder folder;
    QPointer<mc::ui::SelectionWindow> selection;

    mc::ui::SelectionWindow* start() {
        selection = new mc::ui::SelectionWindow([this](mc::EditorKind kind) {
            return mc::app::createEditorWindow(kind, folder.path(), mc::NumberFormat{});
        });
        selection->show();
        return selection;
    }

private slots:
    void initTestCase() { quietOffscreenNoise(); }

    void cleanup() {
        for (QWidget* window : QApplication::topLevelWidgets()) window->close();
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void selectionShowsTheVersionChoice() {
        QWidget* window = start();
        QCOMPARE(window->objectName(), QStringLiteral("Selection"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Tavrel_Macro_Creator selection"));
        QCOMPARE(shown(window, "Label1"), QStringLiteral("Select pump software version"));
        QCOMPARE(shown(window, "Label5"), QStringLiteral("Orvella 510 LX"));
        const char* captions[][2] = {{"Command1", "KtPCA17K"},  {"Command5", "KtEPI17K"},  {"Command6", "RXPCA18"},
                                     {"Command7", "RXEPI18"},   {"Command3", "RXPCA18E"},  {"Command8", "RXEPI18E"},
                                     {"Command4", "ORRX_USA"},  {"Command2", "Quelda036"}, {"Command9", "Quelda041"}};
        for (const auto& [name, caption] : captions) QCOMPARE(shown(window, name), QString::fromLatin1(caption));
        // The headings stand above their columns.
        QVERIFY(widget(window, "Command9")->x() >= widget(window, "Label5")->x() - 1);
        QVERIFY(widget(window, "Command9")->y() > widget(window, "Command2")->y());
        saveScreenshot(window, QStringLiteral("Selection"));
    }

    void eachEditorExistsOncePerRun() {
        QWidget* window = start();
        clickButton(window, "Command9");
        QPointer<QWidget> quelda041 = selection->editor(mc::EditorKind::Quelda041);
        QVERIFY(quelda041 && quelda041->isVisible());
        QCOMPARE(quelda041->objectName(), QStringLiteral("Quelda041_Macro_Creator"));
        clickButton(quelda041, "Command12");  // New: the editor now holds a page of its own
        clickButton(window, "Command9");
        QCOMPARE(selection->editor(mc::EditorKind::Quelda041), quelda041.data());
        QVERIFY(visible(quelda041, "Frame2"));

        clickButton(window, "Command2");
        QWidget* quelda036 = selection->editor(mc::EditorKind::Quelda036);
        QVERIFY(quelda036 && quelda036 != quelda041);
        QVERIFY(quelda041->isVisible() && quelda036->isVisible() && window->isVisible());

        quelda041->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!quelda041);
        clickButton(window, "Command9");
        QVERIFY2(visible(selection->editor(mc::EditorKind::Quelda041), "Frame1"), "opened afresh");
    }

    void versionButtonsShareTheProtocolEditor() {
        QWidget* window = start();
        clickButton(window, "Command5");
        QWidget* editor = selection->editor(mc::EditorKind::Kt);
        QCOMPARE(editor->objectName(), QStringLiteral("Macro_Creator"));
        clickButton(window, "Command6");
        clickButton(window, "Command7");
        QCOMPARE(selection->editor(mc::EditorKind::Kt), editor);
        QVERIFY(window->isVisible());
        clickButton(window, "Command3");
        QCOMPARE(selection->editor(mc::EditorKind::Rx)->objectName(), QStringLiteral("RX_Macro_Creator"));
        clickButton(window, "Command4");
        QCOMPARE(selection->editor(mc::EditorKind::OrrxUsa)->objectName(), QStringLiteral("ORRX_USA_Macro_Creator"));

        clickButton(window, "Command1");  // KtPCA17K: the same editor, and the choice closes
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!selection);
        QVERIFY(editor->isVisible());
    }

    void everyEditorHasTheFrame() {
        folder.write("a.tm2", "");
        folder.write("b.tv1", "");
        folder.write("c.tb2", "");
        struct Case { mc::EditorKind kind; const char* title; const char* file; const char* page2; const char* label75; int maxLength; };
        const Case cases[] = {
            {mc::EditorKind::Quelda041, "Tavrel_Macro_Creator for Quelda041", "a.tm2", "Departments list", "Drug Library Name", 11},
            {mc::EditorKind::Quelda036, "Tavrel_Macro_Creator", "a.tm2", "Departments list", "Macro Name", 8},
            {mc::EditorKind::OrrxUsa, "Tavrel_Macro_Creator", "b.tv1", "Departments list", "Macro Name", 24},
            {mc::EditorKind::Rx, "Tavrel_Macro_Creator", "c.tb2", "Pump Setting", "Macro Name", 8},
            {mc::EditorKind::Kt, "Tavrel_Macro_Creator", "c.tb2", "Pump Setting", "Macro Name", 8},
        };
        for (const Case& c : cases) {
            QWidget* editor = mc::app::createEditorWindow(c.kind, folder.path(), mc::NumberFormat{});
            editor->show();
            const QString name = editor->objectName();
            QCOMPARE(editor->windowTitle(), QString::fromLatin1(c.title));
            QVERIFY(visible(editor, "Frame1"));
            auto* list = widget<QListWidget>(editor, "File1");
            QCOMPARE(list->count(), 1);
            QCOMPARE(list->item(0)->text(), QString::fromLatin1(c.file));
            QVERIFY(!enabled(editor, "Command1"));
            chooseInList(editor, "File1", QString::fromLatin1(c.file));
            QVERIFY(enabled(editor, "Command1"));
            QCOMPARE(shown(editor, "Text30"), QString::fromLatin1(c.file));
            saveScreenshot(editor, name + QStringLiteral("-1-open"));

            clickButton(editor, c.kind == mc::EditorKind::Quelda041 || c.kind == mc::EditorKind::Quelda036 ||
                                        c.kind == mc::EditorKind::OrrxUsa ? "Command12" : "Command13");
            QVERIFY(visible(editor, "Frame2"));
            QCOMPARE(widget<QGroupBox>(editor, "Frame2")->title(), QString::fromLatin1(c.page2));
            saveScreenshot(editor, name + QStringLiteral("-2"));
            if (c.kind == mc::EditorKind::Rx) {
                // "New" leaves "Next" disabled there until page 2 is restored.
                QVERIFY(!enabled(editor, "Command3"));
                typeInto(editor, "Text1", QStringLiteral("1"));
                clickButton(editor, "Command5");
            }
            clickButton(editor, "Command3");
            QVERIFY(visible(editor, "Frame3"));
            saveScreenshot(editor, name + QStringLiteral("-3"));
            clickButton(editor, "Command10");
            QVERIFY(visible(editor, "Frame4"));
            QCOMPARE(shown(editor, "Label75"), QString::fromLatin1(c.label75));
            QVERIFY(!enabled(editor, "Command11"));
            typeInto(editor, "Text29", QString(c.maxLength + 1, QLatin1Char('n')));
            QCOMPARE(shown(editor, "Text29").size(), c.maxLength);
            typeInto(editor, "Text29", QStringLiteral("x"));
            QVERIFY(enabled(editor, "Command11"));
            typeInto(editor, "Text29", QString());
            QVERIFY(!enabled(editor, "Command11"));
            saveScreenshot(editor, name + QStringLiteral("-4-save"));
            clickButton(editor, "Command6");
            QVERIFY(visible(editor, "Frame3"));
            clickButton(editor, "Command7");
            QVERIFY(visible(editor, "Frame2"));
            clickButton(editor, "Command2");
            QVERIFY(visible(editor, "Frame1"));
            editor->close();
        }
    }

    void openingAVanishedFileSaysSoOnTheOpenPage() {
        folder.write("gone.tm2", "");
        QWidget* editor = mc::app::createEditorWindow(mc::EditorKind::Quelda041, folder.path(), mc::NumberFormat{});
        editor->show();
        chooseInList(editor, "File1", QStringLiteral("gone.tm2"));
        std::filesystem::remove(folder.path() / "gone.tm2");
        doubleClickInList(editor, "File1", QStringLiteral("gone.tm2"));
        QVERIFY(visible(editor, "Frame1"));
        QCOMPARE(shown(editor, "OpenMessage"), QStringLiteral("The Macro file gone.tm2 can not be opened. It may have been removed."));
        editor->close();
    }
};

MC_HEADLESS_TEST_MAIN(WindowsTest)
#include "windows_test.moc"
