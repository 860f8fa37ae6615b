// The frame's window through its real widgets: the Open page's list and the
// keyboard, what may be typed into a box, and the regional number format.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QKeyEvent>
#include <QTest>
#include <filesystem>

#include "shell/core/editor_frame.hpp"
#include "shell/ui/editor_window.hpp"
#include "shell/ui/form_binding.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"
#include "support/window_driver.hpp"

using namespace mc::testing;

namespace {

mc::FrameLayout plainLayout() {
    mc::FrameLayout layout;
    layout.windowName = "Plain_Macro_Creator";
    layout.caption = "Plain";
    layout.extension = ".tst";
    layout.fileButtons = {{"Command15", "Print Macro Data"}};
    return layout;
}

// One drop-down and one box, and nothing the user does changes them.
class ListModel : public mc::FormModel {
public:
    ListModel() {
        form_.add("Combo1").items = {"mg"};
        form_.add("Text1");
    }
    mc::Form& form() override { return form_; }
    void click(const std::string&) override {}
    void doubleClick(const std::string&) override {}
    void textEdited(const std::string&, const std::string&) override {}
    void pick(const std::string&, int) override {}
    void toggle(const std::string&, bool) override {}

private:
    mc::Form form_;
};

}  // namespace

class FrameWindowTest : public QObject {
    Q_OBJECT

    TempFolder folder;

    QWidget* openWindow() { return openWindowIn(folder.path()); }
    QWidget* openWindowIn(const std::filesystem::path& workingFolder) {
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
    void theOpenPageNamesItsWorkingFolder_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shownName");
        QTest::newRow("plain") << QStringLiteral("Ward 3") << QStringLiteral("Ward 3");
        QTest::newRow("latin-1") << QStringLiteral("Médicaments") << QStringLiteral("Médicaments");
        QTest::newRow("beyond") << QStringLiteral("Ärzte €") << QStringLiteral("Ärzte ?");
    }
    void theOpenPageNamesItsWorkingFolder() {
        QFETCH(QString, name);
        QFETCH(QString, shownName);
        const std::filesystem::path workingFolder = folder.path() / name.toStdU16String();
        std::filesystem::create_directories(workingFolder);
        QWidget* window = openWindowIn(workingFolder);
        QVERIFY(visible(window, "WorkingFolder"));
        QCOMPARE(shown(window, "WorkingFolder"), QString::fromStdString(folder.path().string()) + '/' + shownName);
        QVERIFY(widget(window, "Frame1")->isAncestorOf(widget(window, "WorkingFolder")));
    }

    void theListTakingTheFocusChoosesNothing() {
        QWidget* window = openWindow();
        auto* list = widget<QListWidget>(window, "File1");
        list->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        QVERIFY(list->hasFocus());
        QCOMPARE(shown(window, "Text30"), QString());
        QVERIFY(!enabled(window, "Command1"));
        QVERIFY(!enabled(window, "Command15"));
    }

    void movingThroughTheListWithTheKeyboardChoosesAFile() {
        QWidget* window = openWindow();
        auto* list = widget<QListWidget>(window, "File1");
        list->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        // The first key stroke lands on the first file, as in any list.
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(shown(window, "Text30"), QStringLiteral("one.tst"));
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(shown(window, "Text30"), QStringLiteral("two.tst"));
        QVERIFY(enabled(window, "Command1"));
        QVERIFY(enabled(window, "Command15"));
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(shown(window, "Text30"), QStringLiteral("three.tst"));
        QTest::keyClick(list, Qt::Key_Home);
        QCOMPARE(shown(window, "Text30"), QStringLiteral("one.tst"));
    }

    void onlyLatin1CanBeTyped() {
        QWidget* window = openWindow();
        clickButton(window, "Command12");  // New
        clickButton(window, "Command3");
        clickButton(window, "Command10");
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
        ListModel model;
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
        model.form()["Text1"].visible = false;
        binding.render();
        QVERIFY(box->isHidden());
        model.form()["Text1"].visible = true;
        binding.render();
        QVERIFY(box->isVisible());
    }

    void theRegionalDecimalSeparatorReachesTheCore_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<char>("separator");
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << '.';
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << ',';
        QTest::newRow("French") << QLocale(QLocale::French, QLocale::France) << ',';
    }
    void theRegionalDecimalSeparatorReachesTheCore() {
        QFETCH(QLocale, locale);
        QFETCH(char, separator);
        QCOMPARE(mc::ui::numberFormatOf(locale).decimalSeparator, separator);
    }
};

MC_HEADLESS_TEST_MAIN(FrameWindowTest)
#include "frame_window_test.moc"
