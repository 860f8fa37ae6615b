#include "shell/ui/selection_window.hpp"
#include "support/editor_windows.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"

using namespace mc::testing;

class WindowsTest : public QObject {
    Q_OBJECT

    TempFolder folder;

private slots:
    void initTestCase() { quietOffscreenNoise(); }

    void cleanup() { deleteEditorWindows(); }

    void theSelectionOpensEachEditorOncePerRun() {
        QPointer<mc::ui::SelectionWindow> selection = new mc::ui::SelectionWindow([this](mc::EditorKind kind) {
            return mc::app::createEditorWindow(kind, folder.path(), mc::NumberFormat{});
        });
        QWidget* window = selection;
        window->show();
        QCOMPARE(window->objectName(), QStringLiteral("Selection"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Tavrel_Macro_Creator selection"));
        QCOMPARE(shown(window, "Label1"), QStringLiteral("Select pump software version"));
        QCOMPARE(shown(window, "Label5"), QStringLiteral("Orvella 510 LX"));
        // The headings stand above their columns.
        QVERIFY(widget(window, "Command9")->x() >= widget(window, "Label5")->x() - 1);
        QVERIFY(widget(window, "Command9")->y() > widget(window, "Command2")->y());
        saveScreenshot(window, QStringLiteral("Selection"));

        // Each editor exists once per run; the protocol pumps share one.
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

    // Every control of each editor has exactly one widget of its name, and
    // every named widget a control: a misnamed widget is never skipped. The
    // regional number format reaches every editor.
    void everyControlHasItsOneWidget() {
        for (const auto kind : {mc::EditorKind::Quelda041, mc::EditorKind::Quelda036, mc::EditorKind::OrrxUsa,
                                mc::EditorKind::Rx, mc::EditorKind::Kt}) {
            std::unique_ptr<QWidget> editor(mc::app::createEditorWindow(kind, folder.path(), mc::NumberFormat{','}));
            auto* window = qobject_cast<mc::ui::EditorWindow*>(editor.get());
            QVERIFY(window);
            QCOMPARE(window->bindingMismatches(), QStringList());
            QCOMPARE(window->model().numberFormat().decimalSeparator, ',');
        }
    }

    // The Open page of every editor, as a technician meets it: the macro files
    // of its own kind listed, nothing chosen though the list has the focus as
    // the window comes up, and a double-click opening the file.
    void everyEditorListsItsFilesAndChoosesNothingByItself() {
        for (const char* file : {"a.tm2", "z.tm2", "b.tv1", "c.tb2"}) folder.write(file, "");
        const std::pair<mc::EditorKind, const char*> cases[] = {{mc::EditorKind::Quelda041, "a.tm2"},
            {mc::EditorKind::Quelda036, "a.tm2"}, {mc::EditorKind::OrrxUsa, "b.tv1"}, {mc::EditorKind::Rx, "c.tb2"},
            {mc::EditorKind::Kt, "c.tb2"}};
        for (const auto& [kind, file] : cases) {
            QWidget* editor = openEditor(kind, folder.path());
            auto* list = widget<QListWidget>(editor, "File1");
            QVERIFY(list->count() >= 1);
            QCOMPARE(list->item(0)->text(), QString::fromLatin1(file));
            QVERIFY2(!enabled(editor, "Command1"), qPrintable(editor->objectName()));
            QCOMPARE(shown(editor, "Text30"), QString());
            chooseInList(editor, "File1", QString::fromLatin1(file));  // the first click of the double-click
            doubleClickInList(editor, "File1", QString::fromLatin1(file));  // an empty file: only the US reader refuses it
            QCOMPARE(visible(editor, "Frame1"), kind == mc::EditorKind::OrrxUsa);
            editor->close();
        }
    }
};

MC_HEADLESS_TEST_MAIN(WindowsTest)
#include "windows_test.moc"
