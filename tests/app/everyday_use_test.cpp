// Every editor as a technician on a small laptop screen meets it: the window
// fits the screen's available area at every display scale, the keyboard
// reaches what the mouse does, each action says what it did, numbers line up,
// and a screen reader can name every field.

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QFileDialog>
#include <QListWidget>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "shell/core/macro_files.hpp"
#include "shell/ui/working_folder.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"
#include "support/editor_windows.hpp"

using namespace mc::testing;

namespace {

// Each editor, with a box of it that holds a number and one that holds a name.
const struct { mc::EditorKind kind; const char *name, *number, *text; } Editors[] = {
    {mc::EditorKind::Quelda041, "Quelda041", "Text32", "Text26"}, {mc::EditorKind::Quelda036, "Quelda036", "Text27", "Text1"},
    {mc::EditorKind::OrrxUsa, "OrrxUsa", "Text25", "Text26"},     {mc::EditorKind::Rx, "Rx", "Text8", "Text1"},
    {mc::EditorKind::Kt, "Kt", "Text22", "Text18"},
};

// A reference file: CITYHOSP, release 041, of Heparin at 2, Morphine at 7 and
// Fentanyl at 9 in four departments, or its release-036 cousin of two drugs.
std::string reference(const char* name) { return mc::readFile(std::filesystem::path(MC_CLI_DATA) / name).bytes; }

// What a screen reader says a control is: its name, or, for a drop-down (whose
// name is its chosen entry), the caption that labels it.
QString heardCaption(QWidget* control) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    if (qobject_cast<QComboBox*>(control)) {
        const auto labels = accessible->relations(QAccessible::Labelled);
        if (!labels.isEmpty()) return labels.first().first->text(QAccessible::Name);
        return control->accessibleName();
    }
    return accessible->text(QAccessible::Name);
}

QString scaleName() {
    const QByteArray scale = qgetenv("QT_SCALE_FACTOR");
    return scale.isEmpty() ? QStringLiteral("1") : QString::fromLatin1(scale);
}

}  // namespace

class EverydayUseTest : public QObject {
    Q_OBJECT

    TempFolder folder;

    mc::ui::EditorWindow* open(mc::EditorKind kind) { return openEditor(kind, folder.path()); }

    static QString focused() {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QStringLiteral("(none)");
    }

    // Opens a file on the Open page with the keyboard: choose it, then Enter.
    void openWithEnter(QWidget* window, const QString& file) {
        chooseInList(window, "File1", file);
        auto* list = widget<QListWidget>(window, "File1");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
    }

private slots:
    void initTestCase() { quietOffscreenNoise(); }

    void cleanup() { deleteEditorWindows(); }

    // The window takes no more than the screen's available area and stands
    // on it whole; its pages scroll where they are larger, so that every
    // control can be brought into view.
    void everyEditorFitsTheScreenAndReachesEveryControl() {
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        for (const auto& [kind, name, number, text] : Editors) {
            mc::ui::EditorWindow* window = open(kind);
            QVERIFY2(available.contains(window->frameGeometry()), name);  // as it opens
            QVERIFY2(!(window->windowFlags() & Qt::WindowMaximizeButtonHint), name);  // it cannot grow
            const QSize size = window->size();
            window->move(available.right() - 100, available.bottom() - 100);  // partly off the screen
            window->fitToScreen();
            QApplication::processEvents();
            auto* scroll = widget<QScrollArea>(window, "PageScroll");
            auto* pages = window->findChild<QStackedWidget*>();
            QVERIFY2(available.contains(window->frameGeometry()), name);
            const QSize needed = scroll->widget()->size();
            const bool fits = needed.width() <= scroll->viewport()->width() &&
                              needed.height() <= scroll->viewport()->height();
            // A release-041 library at scale 1 fits a 1366x768 screen whole, as it always did.
            if (kind == mc::EditorKind::Quelda041 && available.width() >= 1300) QVERIFY(fits);
            for (int page = 0; page < pages->count(); ++page) {
                pages->setCurrentIndex(page);
                QApplication::processEvents();
                QVERIFY2(available.contains(window->frameGeometry()), name);
                QVERIFY2(window->size() == size, name);  // one size on every page
                if (fits) QVERIFY2(!scroll->horizontalScrollBar()->isVisible() &&
                                       !scroll->verticalScrollBar()->isVisible(), name);
                // Too wide or too tall for the screen: the window takes the screen's width or height.
                if (needed.width() > scroll->viewport()->width())
                    QCOMPARE(window->frameGeometry().width(), available.width());
                if (needed.height() > scroll->viewport()->height())
                    QCOMPARE(window->frameGeometry().height(), available.height());
                for (QWidget* control : pages->widget(page)->findChildren<QWidget*>()) {
                    const bool operable = qobject_cast<QAbstractButton*>(control) ||
                                          qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control);
                    if (!operable || !control->isVisibleTo(pages->widget(page))) continue;
                    const QRect place(control->mapTo(scroll->widget(), QPoint(0, 0)), control->size());
                    scroll->ensureVisible(place.center().x(), place.center().y(), place.width() / 2 + 1,
                                          place.height() / 2 + 1);
                    QApplication::processEvents();
                    const QRect shown(control->mapTo(scroll->viewport(), QPoint(0, 0)), control->size());
                    QVERIFY2(scroll->viewport()->rect().contains(shown),
                             qPrintable(QStringLiteral("%1: %2 out of reach").arg(QLatin1String(name), control->objectName())));
                }
                scroll->horizontalScrollBar()->setValue(0);
                scroll->verticalScrollBar()->setValue(0);
                saveScreenshot(window, QStringLiteral("%1-page%2-scale%3").arg(QLatin1String(name)).arg(page + 1).arg(scaleName()));
            }
            pages->setCurrentIndex(0);

            // However many messages a refused "OK" lists, they scroll in their
            // place and the window keeps its size, its pages whole where they were.
            clickButton(window, window->model().layout().newButton.c_str());
            int longest = 0;
            const std::pair<const char*, const char*> dataPages[] = {
                {"Frame2", "Command4"}, {"Frame3", "Command9"}};  // each with its OK
            for (const auto& [page, ok] : dataPages) {
                if (!visible(window, page)) break;  // a new protocol macro waits for its settings first
                for (QLineEdit* box : widget(window, page)->findChildren<QLineEdit*>())
                    if (box->isVisible() && box->isEnabled() && box->objectName() != QLatin1String("GoTo"))
                        typeInto(window, box->objectName().toLatin1().constData(), QStringLiteral("x"));
                clickButton(window, ok);
                QApplication::processEvents();
                const QString message = shown(window, page == QLatin1String("Frame2") ? "Label36" : "Label74");
                longest = std::max(longest, static_cast<int>(message.count(QLatin1Char('\n'))) + 1);
                QVERIFY2(window->size() == size, qPrintable(QStringLiteral("%1 %2: %3").arg(name, page, message)));
                QVERIFY2(scroll->widget()->size() == needed, name);
                saveScreenshot(window, QStringLiteral("%1-%2-refused-scale%3").arg(QLatin1String(name), page, scaleName()));
                clickButton(window, page == QLatin1String("Frame2") ? "Command5" : "Command8");
                if (enabled(window, "Command3")) clickButton(window, "Command3");
            }
            QVERIFY2(longest >= 4, name);  // more messages than their place shows at once
        }
    }

    // A question comes as a box whose default, like Escape, is Cancel, which
    // keeps everything as it was; its other button goes ahead.
    void questionsDefaultToCancel() {
        mc::ui::EditorWindow* window = open(mc::EditorKind::Quelda041);
        clickButton(window, "Command12");
        typeInto(window, "Text1", QStringLiteral("ICU"));
        clickButton(window, "Command4");
        QCOMPARE(clickAndAnswer(window, "Command2", QStringLiteral("Escape")),
                 QStringLiteral("BackQuestion: The library holds changes that are not saved. Go back and lose them? [Cancel]"));
        QVERIFY(visible(window, "Frame2"));
        clickAndAnswer(window, "Command2", QStringLiteral("Go Back"));
        QVERIFY(visible(window, "Frame1"));
    }

    // Each page shown has the keyboard in its first box that takes typing,
    // and keeps it there after a successful "OK".
    void theKeyboardIsWhereTypingGoes() {
        const std::pair<mc::EditorKind, QString> editors[] = {{mc::EditorKind::Quelda041, "Text26"},
            {mc::EditorKind::Quelda036, "Text26"}, {mc::EditorKind::OrrxUsa, "Text26"}, {mc::EditorKind::Kt, "Text18"}};
        for (const auto& [kind, page3First] : editors) {
            mc::ui::EditorWindow* window = open(kind);
            QCOMPARE(focused(), QStringLiteral("File1"));
            clickButton(window, window->model().layout().newButton.c_str());
            QCOMPARE(focused(), QStringLiteral("Text1"));
            if (kind != mc::EditorKind::Kt) {
                typeInto(window, "Text3", QStringLiteral("ICU"));
                clickButton(window, "Command4");
                QCOMPARE(focused(), QStringLiteral("Text1"));
            }
            clickButton(window, "Command3");
            QCOMPARE(focused(), page3First);  // on a new US entry too
            clickButton(window, "Command10");
            QCOMPARE(focused(), kind == mc::EditorKind::OrrxUsa ? page3First : QStringLiteral("Text29"));  // a new US entry waits for OK
            delete window;
        }
    }

    // "Folder..." chooses the folder the editor works in; a menu start
    // remembers it for the next one, a shell start does not.
    void aChosenFolderIsListedAndRememberedByAMenuStart() {
        const std::filesystem::path shared = folder.path() / "Pharmacy" / "Shared";
        std::filesystem::create_directories(shared);
        std::ofstream(shared / "WARD.tm2", std::ios::binary) << reference("clean041.tm2");
        const std::pair<bool, std::filesystem::path> starts[] = {{true, shared}, {false, shared.parent_path()}};
        for (const auto& [menuStart, chosen] : starts) {
            mc::ui::startIn(folder.path(), menuStart);
            mc::ui::EditorWindow* window = open(mc::EditorKind::Quelda041);
            const QString typed = QString::fromStdString(chosen.string());
            QTimer::singleShot(0, this, [typed] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                if (!dialog || dialog->objectName() != QLatin1String("FolderDialog")) return;
                auto* path = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                path->setText(typed);
                QTest::keyClick(path, Qt::Key_Return);
            });
            clickButton(window, "ChooseFolder");
            QCOMPARE(shown(window, "WorkingFolder"), typed);
            QCOMPARE(mc::ui::startFolder(), chosen);  // where editors opened from now on work
            QCOMPARE(mc::ui::rememberedFolder(), std::optional(shared));  // a shell start leaves it
            const bool listed = !widget<QListWidget>(window, "File1")->findItems(QStringLiteral("WARD.tm2"), Qt::MatchExactly).isEmpty();
            QCOMPARE(listed, chosen == shared);
        }
    }

    // The keyboard's way through a library: Enter on a chosen file opens it,
    // Ctrl+G takes it to "Go to" and Enter there goes to the drug named, Enter
    // in the name box saves. The status strip says what each did, and a screen
    // reader hears the captions the technician sees.
    void theKeyboardOpensGoesToAndSaves() {
        folder.write("CITY.tm2", reference("clean041.tm2"));
        mc::ui::EditorWindow* window = open(mc::EditorKind::Quelda041);
        openWithEnter(window, QStringLiteral("CITY.tm2"));
        QVERIFY(visible(window, "Frame2"));
        // The status strip is read out as text; its label announces each change.
        QAccessibleInterface* status = QAccessible::queryAccessibleInterface(widget(window, "StatusMessage"));
        QCOMPARE(status->role(), QAccessible::StaticText);
        QCOMPARE(status->text(QAccessible::Name), QStringLiteral("Opened CITY.tm2: 3 drugs in 4 departments"));
        clickButton(window, "Command3");
        const std::pair<const char*, QString> captions[] = {{"Text26", "Drug Name"}, {"Text27", "Concentration Minimum"},
            {"Combo2", "Concentration Units"}, {"Check2", "Oncology"}, {"Command13", "Next Drug"}, {"GoTo", "Go to"},
            {"Text1", "Department 1"}, {"Text29", "Drug Library Name"}};
        for (const auto& [control, caption] : captions)  // a department box holds its name padded
            QCOMPARE(heardCaption(widget(window, control)).trimmed(), caption);
        QTest::keyClick(window, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), widget(window, "GoTo"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("mor"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(shown(window, "Label1"), QStringLiteral("7"));
        QCOMPARE(shown(window, "GoTo"), QString());
        clickButton(window, "Command10");
        widget(window, "Text29")->setFocus();
        QTest::keyClick(widget(window, "Text29"), Qt::Key_Return);
        QVERIFY2(visible(window, "Frame4"), "no name yet: Save waits");
        typeInto(window, "Text29", QStringLiteral("NEWLIB"));
        QTest::keyClick(widget(window, "Text29"), Qt::Key_Return);
        QVERIFY(visible(window, "Frame1"));
        QCOMPARE(shown(window, "StatusMessage"), QStringLiteral("Saved NEWLIB.tm2, read back and verified"));
        QCOMPARE(shown(window, "StatusLibrary"), QStringLiteral("NEWLIB.tm2"));
    }

    // A line the reader does not take is counted, never silently dropped;
    // a file of the other release says which editor it is for.
    void openingSaysWhatTheReaderLeftOut() {
        // Drugs 2, 9 and 100; departments 1 to 4 and 25.
        const std::string newer = reference("ok_fails041.tm2"), older = reference("clean036.tm2");
        const QString opened = QStringLiteral("Opened X.tm2: 3 drugs in 5 departments"),
                      openedOlder = QStringLiteral("Opened X.tm2: 2 drugs in 4 departments");
        using mc::EditorKind;
        const std::tuple<EditorKind, std::string, QString> cases[] = {
            // Two garbled lines; blank lines are ignored. A library line is of release 041 only.
            {EditorKind::Quelda041, newer + "D41:0003=garbled\r\n\r\n \t \r\nhello\r\n",
             opened + ". 2 lines of X.tm2 were not understood and were left out"},
            {EditorKind::Quelda036, older + "LIBRARY=CITYHOSP   \r\n",
             openedOlder + ". X.tm2 is a release-041 library: open it with Quelda041"},
            {EditorKind::Quelda036, newer,
             QStringLiteral("Opened X.tm2: 0 drugs in 5 departments. X.tm2 is a release-041 library: open it with Quelda041")},
            {EditorKind::Quelda041, older, openedOlder + ". X.tm2 is a release-036 library; saving writes release 041"},
            {EditorKind::Quelda036, older, openedOlder},
            {EditorKind::Kt, "", QStringLiteral("Opened X.tb2: 0 protocols")},
            {EditorKind::Kt, reference("last.tb2"),  // protocol Z only, and one line no reader knows
             QStringLiteral("Opened X.tb2: 1 protocol. 1 line of X.tb2 was not understood and was left out")},
        };
        for (const auto& [kind, bytes, said] : cases) {
            const QString file = kind == EditorKind::Kt ? QStringLiteral("X.tb2") : QStringLiteral("X.tm2");
            folder.write(file.toStdString(), bytes);
            mc::ui::EditorWindow* window = open(kind);
            openWithEnter(window, file);
            QCOMPARE(shown(window, "StatusMessage"), said);
        }
    }

    // Every field, list and drop-down of every page is announced with a
    // caption, every button with its own. Boxes that hold numbers stand
    // right-aligned; names stay left-aligned.
    void aScreenReaderNamesEveryControlAndNumbersLineUp() {
        for (const auto& [kind, name, number, text] : Editors) {
            mc::ui::EditorWindow* window = open(kind);
            QVERIFY2(widget<QLineEdit>(window, number)->alignment() & Qt::AlignRight, name);
            QVERIFY2(!(widget<QLineEdit>(window, text)->alignment() & Qt::AlignRight), name);
            for (QWidget* control : window->findChildren<QWidget*>()) {
                const bool field = qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control) ||
                                   qobject_cast<QListWidget*>(control) || qobject_cast<QAbstractButton*>(control);
                if (!field || control->objectName().isEmpty() || control->parent() == nullptr) continue;
                if (qobject_cast<QLineEdit*>(control) && qobject_cast<QComboBox*>(control->parentWidget())) continue;
                // A department box of the drug page says its department's name; a blank one has none to say.
                if (auto* check = qobject_cast<QCheckBox*>(control); check && check->text().trimmed().isEmpty()) continue;
                QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
                QVERIFY(accessible);
                QVERIFY2(!heardCaption(control).trimmed().isEmpty(),
                         qPrintable(QStringLiteral("%1: %2 has no name").arg(QLatin1String(name), control->objectName())));
            }
        }
    }
};

MC_HEADLESS_TEST_MAIN(EverydayUseTest)
#include "everyday_use_test.moc"
