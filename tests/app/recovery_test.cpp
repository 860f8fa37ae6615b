#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include "support/editor_windows.hpp"
#include "support/full_disk.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "recovery_work.hpp"
#include "shell/ui/recovery_store.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"

using namespace mc::testing;
using mc::EditorKind;

Q_DECLARE_METATYPE(mc::EditorKind)

// The recovery copy through the real program: a child process runs the
// editors, is killed, and this process starts again and restores the work.
class RecoveryTest : public QObject {
    Q_OBJECT

    QTemporaryDir dataHome;
    QString recoveryFolder;
    QTimer answerer;
    QStringList replies;  // what the next restore questions are answered
    QStringList asked;    // what they asked
    bool askedAsPlainText = true;

    struct Child {
        std::unique_ptr<QProcess> process;
        QString status;  // what it printed once its work was done
    };

    // `fileSizeLimit` bytes and more cannot be written by the child, as on a full disk.
    static Child startChild(EditorKind kind, const TempFolder& folder, const char* action, rlim_t fileSizeLimit = 0) {
        Child child{std::make_unique<QProcess>(), {}};
        limitFileSize(*child.process, fileSizeLimit);
        child.process->setProgram(QStringLiteral(MC_RECOVERY_CHILD));
        child.process->setArguments({QString::number(static_cast<int>(kind)),
                                     QString::fromStdString(folder.path().string()), QString::fromLatin1(action)});
        child.process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.process->start();
        QElapsedTimer waited;
        waited.start();
        while (!child.process->canReadLine() && waited.elapsed() < 60000 &&
               child.process->state() != QProcess::NotRunning)
            child.process->waitForReadyRead(200);
        child.status = QString::fromLatin1(child.process->readLine()).trimmed();
        return child;
    }

    static void killChild(Child& child) {
        child.process->kill();  // SIGKILL: the program gets no chance to tidy up
        child.process->waitForFinished();
    }

    QWidget* openEditor(EditorKind kind, const TempFolder& folder) {
        QWidget* editor = mc::app::createEditorWindow(kind, folder.path(), mc::NumberFormat{});
        editor->show();
        QTest::qWait(100);  // the window asks once it is up
        return editor;
    }

    QStringList copiesIn(const QString& pattern = QStringLiteral("*.recovery")) const {
        return QDir(recoveryFolder).entryList({pattern}, QDir::Files | QDir::System);
    }

    static std::string copyText(const mc::RecoveryCopy& copy) {
        return mc::recoveryCopyText(copy, mc::ui::RecoveryStore::sha256);
    }

    // A copy left by a program that no longer runs, written by hand.
    void leaveCopy(const QString& owner, const std::string& editor, const std::string& text, int ageSeconds) {
        QFile file(QDir(recoveryFolder).filePath(owner + QLatin1Char('-') + QString::fromStdString(editor) +
                                                 QStringLiteral(".recovery")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        file.flush();
        file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime);
    }

private slots:
    void initTestCase() {
        quietOffscreenNoise();
        QVERIFY(dataHome.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
        QApplication::setApplicationName(QStringLiteral("tavrel-macro-creator"));
        mc::ui::installRecoveryStore(std::make_unique<mc::ui::RecoveryStore>(mc::ui::RecoveryStore::defaultFolder()));
        recoveryFolder = mc::ui::recoveryStore()->folder();
        QVERIFY(recoveryFolder.startsWith(dataHome.path()));
        QVERIFY(recoveryFolder.endsWith(QStringLiteral("/recovery")));
        connect(&answerer, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || box->objectName() != QStringLiteral("RestoreQuestion")) return;
            asked << box->text();
            askedAsPlainText &= box->textFormat() == Qt::PlainText;
            const QString reply = replies.isEmpty() ? QStringLiteral("Discard") : replies.takeFirst();
            if (reply == QStringLiteral("Escape")) return QTest::keyClick(box, Qt::Key_Escape);
            for (QAbstractButton* button : box->buttons())
                if (button->text() == reply) button->click();
        });
        answerer.start(10);
    }

    void cleanupTestCase() { mc::ui::installRecoveryStore(nullptr); }

    void cleanup() {
        QList<QPointer<QWidget>> windows;
        for (QWidget* window : QApplication::topLevelWidgets()) windows << window;
        for (const QPointer<QWidget>& window : windows) delete window.data();
        const QDir dir(recoveryFolder);
        for (const QString& name : dir.entryList({QStringLiteral("*.recovery*")}, QDir::Files | QDir::System | QDir::Hidden))
            QFile::remove(dir.filePath(name));
        replies.clear();
        asked.clear();
        askedAsPlainText = true;
    }

    void killedWorkIsRestoredAndSavesAsEnteredByteForByte_data() {
        QTest::addColumn<EditorKind>("kind");
        QTest::newRow("Quelda041") << EditorKind::Quelda041;
        QTest::newRow("Quelda036") << EditorKind::Quelda036;
        QTest::newRow("ORRX_USA") << EditorKind::OrrxUsa;
        QTest::newRow("RX") << EditorKind::Rx;
        QTest::newRow("KT") << EditorKind::Kt;
    }
    void killedWorkIsRestoredAndSavesAsEnteredByteForByte() {
        QFETCH(EditorKind, kind);
        TempFolder first, second, reference;
        Child child = startChild(kind, first, "work");
        QVERIFY2(child.status.startsWith(QStringLiteral("ready not saved|")), qPrintable(child.status));
        QCOMPARE(copiesIn().size(), 1);
        killChild(child);
        QCOMPARE(copiesIn().size(), 1);  // a kill leaves the copy

        replies << QStringLiteral("Restore");
        QWidget* editor = openEditor(kind, second);
        QCOMPARE(asked.size(), 1);
        QVERIFY2(asked[0].startsWith(QStringLiteral("Unsaved work from ")), qPrintable(asked[0]));
        QVERIFY(asked[0].endsWith(QStringLiteral(" was found (new library). Restore it?")));
        QVERIFY(visible(editor, "Frame2"));
        if (kind == EditorKind::Rx || kind == EditorKind::Kt)  // the pump mode is part of the work
            QVERIFY(widget<QAbstractButton>(editor, "EPIDURAL")->isChecked());
        // One click away from the restored page asks first; Escape keeps it.
        QVERIFY(!clickAndAnswer(editor, "Command2", QStringLiteral("Escape")).isEmpty());
        QVERIFY(visible(editor, "Frame2"));
        QCOMPARE(shown(editor, "StatusSaved"), QStringLiteral("not saved"));
        QCOMPARE(shown(editor, "StatusLibrary"), QStringLiteral("new library"));
        QVERIFY(shown(editor, "StatusNote").startsWith(QStringLiteral("Restored unsaved work from ")));
        QCOMPARE(QDir(QString::fromStdString(second.path().string())).entryList(QDir::Files).size(), 0);
        QCOMPARE(copiesIn().size(), 1);  // the restored work has a copy of this program's own
        QVERIFY(copiesIn()[0] == QFileInfo(mc::ui::recoveryStore()->pathOf(editor->objectName().toStdString())).fileName());
        QCOMPARE(copiesIn(QStringLiteral("*.lock")).size(), 1);  // the dead program's lock went with its copy
        saveAs(editor, QStringLiteral("LIB"));
        QCOMPARE(copiesIn().size(), 0);  // saved: no copy

        QWidget* fresh = openEditor(kind, reference);
        enterWork(fresh, kind);
        saveAs(fresh, QStringLiteral("LIB"));
        const std::string extension = static_cast<mc::ui::EditorWindow*>(fresh)->model().MacroExtension();
        const auto name = "LIB" + extension;
        QVERIFY(!reference.read(name).empty() && reference.read(name) != "<missing>");
        QCOMPARE(QByteArray::fromStdString(second.read(name)), QByteArray::fromStdString(reference.read(name)));
        QCOMPARE(asked.size(), 1);
    }

    // A running program's copy is never offered; once it dies its copy is,
    // until the question is answered. Discard removes it for good, and so
    // does closing without saving the editor's own.
    void aDeadProgramsCopyIsOfferedUntilDiscarded() {
        TempFolder folder;
        Child running = startChild(EditorKind::Quelda041, folder, "work");
        QCOMPARE(copiesIn().size(), 1);
        QWidget* editor = openEditor(EditorKind::Quelda041, folder);
        QVERIFY(asked.isEmpty());
        enterWork(editor, EditorKind::Quelda041);  // both programs keep their own copy
        QCOMPARE(copiesIn().size(), 2);
        delete editor;  // this program's copy stays, as after a logout
        killChild(running);
        replies << QStringLiteral("Escape") << QStringLiteral("Discard");
        editor = openEditor(EditorKind::Quelda041, folder);
        QCOMPARE(asked.size(), 2);  // the dead program's copy, never this program's own; Escape drops nothing
        QCOMPARE(asked[0], asked[1]);
        QVERIFY(visible(editor, "Frame1"));
        QCOMPARE(shown(editor, "StatusSaved"), QString());
        QCOMPARE(copiesIn().size(), 1);
        delete editor;
        editor = openEditor(EditorKind::Quelda041, folder);
        QCOMPARE(asked.size(), 2);  // nothing is asked again
        // Closing without saving removes the copy.
        enterWork(editor, EditorKind::Quelda041);
        QCOMPARE(copiesIn().size(), 1);
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                for (QAbstractButton* button : box->buttons())
                    if (button->text() == QStringLiteral("Close without saving")) button->click();
        });
        QVERIFY(editor->close());
        QCOMPARE(copiesIn().size(), 0);
    }

    // Whatever stands under a copy's name is read as a macro file is: a copy
    // cut off or of another editor, a link to an endless device and a huge
    // file are set aside unread, and the editor starts empty.
    void damagedCopiesAreSetAsideUnreadAndTheEditorStartsEmpty() {
        TempFolder folder;
        const QDir dir(recoveryFolder);
        const std::string whole = copyText({"Quelda041_Macro_Creator", "new library", "2026-12-06T04:50:00",
                                            mc::druglib::writeTm2Release041({}, "RECOVER"), ""});
        leaveCopy(QStringLiteral("1x1"), "Quelda041_Macro_Creator", whole.substr(0, whole.size() / 2), 60);
        QByteArray other = QByteArray::fromStdString(whole);
        other.replace("Quelda041_Macro_Creator", "Quelda999_Macro_Creator");
        leaveCopy(QStringLiteral("4x1"), "Quelda041_Macro_Creator", other.toStdString(), 60);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), dir.filePath(QStringLiteral("2x1-Quelda041_Macro_Creator.recovery"))));
        QFile huge(dir.filePath(QStringLiteral("3x1-Quelda041_Macro_Creator.recovery")));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(qint64(40) << 30));  // sparse: 40 GiB that take no room
        huge.close();
        replies << QStringLiteral("Restore");
        QElapsedTimer timer;
        timer.start();
        QWidget* editor = openEditor(EditorKind::Quelda041, folder);
        QVERIFY2(timer.elapsed() < 10000, "nothing was read");
        QVERIFY(asked.isEmpty());
        QVERIFY(visible(editor, "Frame1"));
        QCOMPARE(shown(editor, "StatusSaved"), QString());
        QVERIFY2(shown(editor, "StatusNote").startsWith(QStringLiteral("A damaged recovery copy was moved aside as ")),
                 qPrintable(shown(editor, "StatusNote")));
        QCOMPARE(copiesIn().size(), 0);
        QCOMPARE(copiesIn(QStringLiteral("*.damaged-*")).size(), 4);
        QVERIFY(QFileInfo(dir.filePath(copiesIn(QStringLiteral("2x1-*.damaged-*")).value(0))).isSymLink());
    }

    // A program that ended without unsaved work leaves only its lock; the next
    // start removes it, and the lock of a program still running stays. On a
    // full disk no copy is written at all, and the status strip says so.
    void staleLocksAreRemovedAndAFullDiskLeavesNoCopy() {
        TempFolder folder;
        Child dead = startChild(EditorKind::Quelda041, folder, "work", 1024);
        QVERIFY2(dead.status.contains(QStringLiteral("No recovery copy could be written in ")), qPrintable(dead.status));
        Child running = startChild(EditorKind::Quelda041, folder, "none");
        killChild(dead);
        QCOMPARE(QDir(recoveryFolder).entryList({QStringLiteral("*-Quelda041*")}, QDir::Files), QStringList());
        QCOMPARE(copiesIn(QStringLiteral("*.lock")).size(), 3);
        mc::ui::installRecoveryStore(std::make_unique<mc::ui::RecoveryStore>(recoveryFolder));
        QCOMPARE(copiesIn(QStringLiteral("*.lock")).size(), 2);  // this program's and the running one's
        killChild(running);
    }

    // A question shows a file name as it is, never as markup.
    void severalCopiesAreOfferedNewestFirst() {
        TempFolder folder;
        const std::string markup = "<u>ward</u> <font color=red>3</font>.tm2";
        const std::string bytes = mc::druglib::writeTm2Release041({}, std::string(mc::RecoveryMacroName));
        leaveCopy(QStringLiteral("11x1"), "Quelda041_Macro_Creator",
                  copyText({"Quelda041_Macro_Creator", "older.tm2", "2026-12-06T01:00:00", bytes, ""}), 600);
        leaveCopy(QStringLiteral("12x1"), "Quelda041_Macro_Creator",
                  copyText({"Quelda041_Macro_Creator", markup, "2026-12-06T02:00:00", bytes, ""}), 60);
        leaveCopy(QStringLiteral("13x1"), "ORRX_USA_Macro_Creator",
                  copyText({"ORRX_USA_Macro_Creator", "usa.tv1", "2026-12-06T03:00:00", "x", ""}), 30);
        replies << QStringLiteral("Discard") << QStringLiteral("Restore");
        QWidget* editor = openEditor(EditorKind::Quelda041, folder);
        QCOMPARE(asked, (QStringList{
                            QString::fromStdString("Unsaved work from 2026-12-06 02:00:00 was found (" + markup + "). Restore it?"),
                            QStringLiteral("Unsaved work from 2026-12-06 01:00:00 was found (older.tm2). Restore it?"),
                        }));
        QVERIFY(askedAsPlainText);
        QCOMPARE(shown(editor, "StatusLibrary"), QStringLiteral("older.tm2"));
        QCOMPARE(shown(editor, "StatusNote"), QStringLiteral("Restored unsaved work from 2026-12-06 01:00:00"));
        QCOMPARE(copiesIn().size(), 2);  // the other editor's copy waits for its own editor
    }
};

MC_HEADLESS_TEST_MAIN(RecoveryTest)
#include "recovery_test.moc"
