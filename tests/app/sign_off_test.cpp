// Sign-off in the window: the problems of a library in view, the questions
// before printing one that has them, the list of changes, and the footer that
// ties each printed page to the bytes of its file; printed on the test printer.

#include <QApplication>
#include <QCryptographicHash>
#include <QListWidget>
#include <QTreeWidget>

#include "shell/core/macro_files.hpp"
#include "support/editor_windows.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"
#include "support/test_printer.hpp"

using namespace mc::testing;

class SignOffTest : public QObject {
    Q_OBJECT

    TempFolder folder;

    mc::ui::EditorWindow* openFile(const char* file) {
        mc::ui::EditorWindow* window = openEditor(mc::EditorKind::Quelda041, folder.path());
        chooseInList(window, "File1", QString::fromLatin1(file));
        clickButton(window, "Command1");
        return window;
    }

    QStringList printedTexts(const QSet<QString>& before) {
        QStringList texts;
        for (const QString& pdf : newPdfs(before)) texts << pdfText(pdf);
        return texts;
    }

private slots:
    void initTestCase() {
        quietOffscreenNoise();
        QVERIFY(queueDrained());
        // Drug 2's dose maximum is no hexadecimal, and its dose minimum is above the maximum it keeps.
        for (const auto& [reference, file] : {std::pair{"bad_hex041.tm2", "Ward.tm2"}, {"clean041.tm2", "Clean.tm2"}})
            folder.write(file, mc::readFile(std::filesystem::path(MC_CLI_DATA) / reference).bytes);
    }

    void cleanup() { deleteEditorWindows(); }

    void aLibraryWithProblemsShowsThemAndAsksBeforePrinting() {
        QPointer<mc::ui::EditorWindow> window = openFile("Ward.tm2");
        QCOMPARE(shown(window, "StatusProblems"), QStringLiteral("2 problems"));
        auto* list = window->findChild<QTreeWidget*>(QStringLiteral("ProblemList"));
        QVERIFY(list && list->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), window.data());  // the keyboard stays in the editor
        QStringList rows;
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            const QTreeWidgetItem* item = list->topLevelItem(row);
            rows << item->text(0) + QStringLiteral(" | ") + item->text(1) + QStringLiteral(" | ") + item->text(2);
        }
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0], QStringLiteral("Line 27 |  | dose maximum \"27G0\" is not hexadecimal; the drug keeps its "
                                         "earlier value"));
        QCOMPARE(rows[1], QStringLiteral("Drug 2 (Heparin) | Dose Minimum | Dose Minimum must be less or equal to "
                                         "Maximum"));
        saveScreenshot(list->window(), QStringLiteral("ProblemsWindow"));

        list->window()->activateWindow();  // the technician turns to the list
        QTRY_COMPARE(QApplication::activeWindow(), list->window());
        list->setFocus();
        for (const int row : {1, 0}) {  // a line's problem has no page to show: the drug stays in view
            list->setCurrentItem(list->topLevelItem(row));
            QTest::keyClick(list, Qt::Key_Return);
            QVERIFY(visible(window, "Frame3"));
        }
        QCOMPARE(shown(window, "Label1"), QStringLiteral("2"));
        const QColor MarkedField(0xFF, 0xE4, 0xE4);
        QCOMPARE(widget(window, "Text31")->palette().color(QPalette::Base), MarkedField);
        QVERIFY(widget(window, "Text32")->palette().color(QPalette::Base) != MarkedField);

        clickButton(window, "Command7");
        clickButton(window, "Command2");
        chooseInList(window, "File1", QStringLiteral("Ward.tm2"));
        const QSet<QString> before = pdfsNow();
        const QString asked = clickAndAnswer(window, "Command15", QStringLiteral("Cancel"));
        QVERIFY2(asked.startsWith(QStringLiteral("PrintQuestion: Ward.tm2 has 2 problems (first: ")), qPrintable(asked));
        QVERIFY2(asked.endsWith(QStringLiteral("Print it anyway? [Cancel]")), qPrintable(asked));
        QCOMPARE(printedTexts(before), QStringList());
        // Printed all the same, each page names its file and the start of its SHA-256.
        clickAndAnswer(window, "Command15", QStringLiteral("Print"));
        const QStringList pages = printedTexts(before);
        QCOMPARE(pages.size(), 3);
        const QString digest = QString::fromLatin1(
            QCryptographicHash::hash(QByteArray::fromStdString(folder.read("Ward.tm2")), QCryptographicHash::Sha256).toHex().left(16));
        const QString footer = QStringLiteral("File Ward\\.tm2\\s+SHA-256 %1\\s+Page %2 of 3\\s+Printed \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d");
        for (int k = 0; k < 3; ++k) QVERIFY2(pages[k].contains(QRegularExpression(footer.arg(digest).arg(k + 1))), qPrintable(pages[k]));
    }

    void theChangeListHoldsWhatWasChanged() {
        QPointer<mc::ui::EditorWindow> window = openFile("Clean.tm2");
        typeInto(window, "Text1", QStringLiteral("Intensive"));
        typeInto(window, "Text2", QStringLiteral("Oncology 2"));
        clickButton(window, "Command4");
        clickButton(window, "Command3");
        clickButton(window, "Command10");
        QStringList changes;
        const QSet<QString> before = pdfsNow();
        clickAndAnswer(window, "ReviewChanges", {}, [&changes](QWidget* dialog) {
            auto* list = dialog->findChild<QListWidget*>(QStringLiteral("ChangeList"));
            for (int row = 0; row < list->count(); ++row) changes << list->item(row)->text();
            saveScreenshot(dialog, QStringLiteral("ChangesWindow"));
            clickButton(dialog, "PrintChanges");
        });
        QCOMPARE(changes, QStringList({QStringLiteral("Department 1 (ICU): Name \"ICU\" -> \"Intensive\""),
                                       QStringLiteral("Department 2 (Oncology): Name \"Oncology\" -> \"Oncology 2\"")}));
        const QStringList pages = printedTexts(before);
        QCOMPARE(pages.size(), 1);
        for (const QString& change : changes) QVERIFY2(pages[0].contains(change), qPrintable(pages[0]));
        QVERIFY2(pages[0].contains(QRegularExpression(QStringLiteral("Changes to \\S+\\.tm2"))), qPrintable(pages[0]));
    }
};

int main(int argc, char** argv) {
    prepareHeadlessQt();
    useTestPrinter();
    QApplication app(argc, argv);
    SignOffTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "sign_off_test.moc"
