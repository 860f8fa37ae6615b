// The frame's window through its real widgets: the Open page's list and the
// keyboard, what may be typed into a box, and the regional number format.

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QKeyEvent>
#include <QTest>
#include <filesystem>

#include "shell/core/editor_frame.hpp"
#include "shell/ui/editor_window.hpp"
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
