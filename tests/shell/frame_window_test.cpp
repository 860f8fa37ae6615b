// The frame's window through its real widgets: the Open page's list and the
// keyboard, what may be typed into a box, and the regional number format.

#include <QKeyEvent>

#include "shell/ui/editor_window.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"
#include "support/window_driver.hpp"

using namespace mc::testing;

static mc::FrameLayout plainLayout() {
    mc::FrameLayout layout;
    layout.windowName = "Plain_Macro_Creator";
    layout.caption = "Plain";
    layout.extension = ".tst";
    layout.fileButtons = {{"Command15", "Print Macro Data"}};
    return layout;
}

class FrameWindowTest : public QObject {
    Q_OBJECT

    TempFolder folder;

    QWidget* openWindow(const std::filesystem::path& workingFolder) {
        auto* window = new mc::ui::EditorWindow(
            std::make_unique<mc::EditorFrame>(plainLayout(), workingFolder, mc::NumberFormat{}), new QWidget,
            new QWidget);
        window->show();
        QApplication::setActiveWindow(window);
        if (!QTest::qWaitForWindowActive(window)) qWarning("window not active");
        return window;
    }

private slots:
    void initTestCase() {
        quietOffscreenNoise();
        folder.write("one.tst", "");
        folder.write("two.tst", "");
        folder.write("three.tst", "");
    }
    void cleanup() {
        for (QWidget* window : QApplication::topLevelWidgets()) window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The Open page names the folder it lists; a name beyond Latin-1 shows '?'
    // where the character cannot be shown, like the names of the files.
    void theOpenPageNamesItsWorkingFolder() {
        for (const auto& [name, shownName] :
             {std::pair{"Ward 3", "Ward 3"}, {"M\u00e9dicaments", "M\u00e9dicaments"}, {"\u00c4rzte \u20ac", "\u00c4rzte ?"}}) {
            const std::filesystem::path workingFolder = folder.path() / QString::fromUtf8(name).toStdU16String();
            std::filesystem::create_directories(workingFolder);
            QWidget* window = openWindow(workingFolder);
            QVERIFY(visible(window, "WorkingFolder"));
            QVERIFY(widget(window, "Frame1")->isAncestorOf(widget(window, "WorkingFolder")));
            QCOMPARE(shown(window, "WorkingFolder"),
                     QString::fromStdString(folder.path().string()) + '/' + QString::fromUtf8(shownName));
        }
    }

    // Taking the focus chooses nothing; the first key stroke lands on the first file, as in any list.
    void movingThroughTheListWithTheKeyboardChoosesAFile() {
        QWidget* window = openWindow(folder.path());
        auto* list = widget<QListWidget>(window, "File1");
        list->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        QVERIFY(list->hasFocus());
        QCOMPARE(shown(window, "Text30"), QString());
        QVERIFY(!enabled(window, "Command1") && !enabled(window, "Command15"));
        for (const auto& [key, chosen] : {std::pair{Qt::Key_Down, "one.tst"}, {Qt::Key_End, "two.tst"},
                                          {Qt::Key_Up, "three.tst"}, {Qt::Key_Home, "one.tst"}}) {
            QTest::keyClick(list, key);
            QCOMPARE(shown(window, "Text30"), QString::fromLatin1(chosen));
        }
        QVERIFY(enabled(window, "Command1") && enabled(window, "Command15"));
    }

    void onlyLatin1CanBeTyped() {
        QWidget* window = openWindow(folder.path());
        for (const char* button : {"Command12", "Command3", "Command10"}) clickButton(window, button);  // New, on to Save
        auto* name = widget<QLineEdit>(window, "Text29");
        name->setFocus();
        // Each character as a key press of its own; the euro sign and a kanji are refused.
        for (const QChar c : QString::fromUtf8("D\u00e9p\u20ac\u65e5t")) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(name, &press);
        }
        QCOMPARE(name->text(), QString::fromUtf8("D\u00e9pt"));
        QVERIFY(enabled(window, "Command11"));
    }

    // A drop-down whose entries change shows the longest of them whole.
    void aDropDownGrowsToItsLongestEntry() {
        mc::EditorFrame model(plainLayout(), folder.path(), mc::NumberFormat{});
        model.form().add("Combo1").items = {"mg"};
        model.form().add("Text1");
        QWidget window;
        auto* combo = new QComboBox(&window);
        combo->setObjectName(QStringLiteral("Combo1"));
        auto* box = new QLineEdit(&window);
        box->setObjectName(QStringLiteral("Text1"));
        mc::ui::FormBinding binding(&window, model);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QString longest = QStringLiteral("Million Units/kg/hr");
        model.form()["Combo1"].items = {"mg", longest.toStdString()};
        binding.render();
        combo->adjustSize();
        QVERIFY(combo->width() > combo->fontMetrics().horizontalAdvance(longest));

        // A control the model hides is hidden, and shown again when the model says so.
        for (const bool shownByModel : {false, true}) {
            model.form()["Text1"].visible = shownByModel;
            binding.render();
            QCOMPARE(box->isVisible(), shownByModel);
        }
    }

    void theRegionalDecimalSeparatorReachesTheCore() {
        QCOMPARE(mc::ui::numberFormatOf(QLocale(QLocale::English, QLocale::UnitedStates)).decimalSeparator, '.');
        QCOMPARE(mc::ui::numberFormatOf(QLocale(QLocale::German, QLocale::Germany)).decimalSeparator, ',');
        QCOMPARE(mc::ui::numberFormatOf(QLocale(QLocale::French, QLocale::France)).decimalSeparator, ',');
    }
};

MC_HEADLESS_TEST_MAIN(FrameWindowTest)
#include "frame_window_test.moc"
