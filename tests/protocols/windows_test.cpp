#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "protocols/core/protocol_editor.hpp"
#include "protocols/ui/protocol_windows.hpp"
#include "support/qt_test_environment.hpp"
#include "support/temp_folder.hpp"
#include "support/window_driver.hpp"

using namespace mc::testing;
using mc::protocols::Variant;

namespace {

// The editor with its memory open to the test, standing for an opened file.
class OpenEditor : public mc::protocols::ProtocolEditor {
public:
    using ProtocolEditor::ProtocolEditor;
    mc::protocols::ProtocolMacro& memory() { return macro_; }
};

}  // namespace

// Both protocol editors through their real widgets.
class ProtocolWindowsTest : public QObject {
    Q_OBJECT

    TempFolder folder;
    OpenEditor* model = nullptr;

    QWidget* openEditor(Variant variant) {
        auto editor = std::make_unique<OpenEditor>(variant, folder.path(), mc::NumberFormat{'.'});
        model = editor.get();
        QWidget* window = mc::protocols::ui::createProtocolWindow(std::move(editor));
        window->show();
        return window;
    }

    static void fillSettings(QWidget* editor, Variant variant) {
        const char* typed[][2] = {{"Text1", "1234"}, {"Text2", "11"},   {"Text3", "33"},   {"Text4", "22"},
                                  {"Text5", "0.1"},  {"Text6", "2"},    {"Text7", "0.5"},  {"Text8", "0.5"},
                                  {"Text9", "2"},    {"Text10", "350"}, {"Text11", "100"}, {"Text12", "1"},
                                  {"Text13", "30"},  {"Text14", "5"},   {"Text15", "10"},  {"Text16", "5"}};
        for (const auto& [name, text] : typed) typeInto(editor, name, QString::fromLatin1(text));
        const char* chosen[][2] = {{"Combo1", "Level Two"}, {"Combo2", "No Code"},    {"Combo3", "Level One"},
                                   {"Combo4", "Level Three"}, {"Combo5", "Level Two"}, {"Combo6", "Level Two"},
                                   {"Combo7", "Level One"}, {"Combo8", "Level Three"}, {"Combo9", "Code switch"},
                                   {"Combo10", "ON"}, {"Combo12", "ON"}, {"Combo13", "OFF"}, {"Combo14", "5"},
                                   {"Combo15", "4"}, {"Combo16", "ON"}, {"Combo17", "Boluses"}, {"Combo18", "24"}};
        for (const auto& [name, text] : chosen) pickInCombo(editor, name, QString::fromLatin1(text));
        if (variant == Variant::Rx) {
            typeInto(editor, "Text31", QStringLiteral("400"));
        } else {
            pickInCombo(editor, "Combo11", QStringLiteral("Normal"));
            typeInto(editor, "Text17", QStringLiteral("30"));
        }
    }

private slots:
    void initTestCase() { quietOffscreenNoise(); }

    void modeButtonsOnTheOpenPage() {
        folder.write("a.tb2", "");
        folder.write("b.tv9", "");
        QWidget* editor = openEditor(Variant::Rx);
        auto* pca = widget<QRadioButton>(editor, "PCA");
        QCOMPARE(pca->text(), QStringLiteral("PCA"));
        QVERIFY(!pca->isChecked());
        QVERIFY(!widget<QRadioButton>(editor, "EPIDURAL")->isChecked());
        chooseInList(editor, "File1", QStringLiteral("a.tb2"));
        QVERIFY(enabled(editor, "Command12"));
        pca->click();
        QVERIFY(pca->isChecked());
        QCOMPARE(widget<QListWidget>(editor, "File1")->count(), 1);
        QCOMPARE(widget<QListWidget>(editor, "File1")->item(0)->text(), QStringLiteral("b.tv9"));
        QCOMPARE(shown(editor, "Text30"), QString());
        QVERIFY(!enabled(editor, "Command1"));
        QVERIFY(!enabled(editor, "Command12"));
        pca->click();  // a second click keeps the mode
        QVERIFY(pca->isChecked());
        widget<QRadioButton>(editor, "EPIDURAL")->click();
        QVERIFY(!pca->isChecked());
        QCOMPARE(widget<QListWidget>(editor, "File1")->count(), 0);
        saveScreenshot(editor, QStringLiteral("RX_Macro_Creator-1-mode"));
        delete editor;  // the work in it is dropped without the question a user gets
    }

    void settingPage_data() {
        QTest::addColumn<int>("variant");
        QTest::newRow("RX_Macro_Creator") << static_cast<int>(Variant::Rx);
        QTest::newRow("Macro_Creator") << static_cast<int>(Variant::Kt);
    }
    void settingPage() {
        QFETCH(int, variant);
        const auto which = static_cast<Variant>(variant);
        QWidget* editor = openEditor(which);
        clickButton(editor, "Command13");
        QCOMPARE(widget<QLabel>(editor, "Label36")->font().pointSize(), 18);
        QCOMPARE(shown(editor, "Label1"), QStringLiteral("Technician Code"));
        typeInto(editor, "Text1", QStringLiteral("1"));
        typeInto(editor, "Text1", QString());
        clickButton(editor, "Command4");
        QVERIFY(shown(editor, "Label36").startsWith(QStringLiteral("Technician Code must be entered\n")));
        saveScreenshot(editor, editor->objectName() + QStringLiteral("-2-settings-all-empty"));
        fillSettings(editor, which);
        QCOMPARE(shown(editor, "Label36"), QStringLiteral("Press OK key to accept value"));
        QVERIFY(!enabled(editor, "Command3"));
        typeInto(editor, "Text5", QStringLiteral("0.31"));
        clickButton(editor, "Command4");
        QCOMPARE(shown(editor, "Label36"), QStringLiteral("Minimum Pressing time must be < 0.3 second"));
        typeInto(editor, "Text5", QStringLiteral("0.1"));
        QSignalSpy typed(widget<QLineEdit>(editor, "Text15"), &QLineEdit::textEdited);
        typeInto(editor, "Text15", QStringLiteral("1234"));  // one more than the box takes
        QCOMPARE(shown(editor, "Text15"), QStringLiteral("123"));
        QCOMPARE(typed.count(), 3);  // the box refused the fourth key
        clickButton(editor, "Command4");
        QCOMPARE(shown(editor, "Label36"), QStringLiteral("Setting Updated"));
        QCOMPARE(shown(editor, "Combo9"), QStringLiteral("Code switch"));
        saveScreenshot(editor, editor->objectName() + QStringLiteral("-2-settings"));
        clickButton(editor, "Command3");
        QVERIFY(visible(editor, "Frame3"));
        delete editor;  // the work in it is dropped without the question a user gets
    }

    void protocolPage_data() { settingPage_data(); }
    void protocolPage() {
        QFETCH(int, variant);
        const auto which = static_cast<Variant>(variant);
        QWidget* editor = openEditor(which);
        clickButton(editor, "Command13");
        fillSettings(editor, which);
        clickButton(editor, "Command4");
        clickButton(editor, "Command3");
        QCOMPARE(shown(editor, "Combo19"), QStringLiteral("A:"));
        QCOMPARE(shown(editor, "Label51"), QStringLiteral("Protocol"));
        QCOMPARE(shown(editor, "Label64"), QStringLiteral("Limit"));
        pickInCombo(editor, "Combo20", QStringLiteral("ON"));
        pickInCombo(editor, "Combo21", QStringLiteral("mcg/mL"));
        QVERIFY(!enabled(editor, "Combo19"));
        QCOMPARE(shown(editor, "Label70"), QStringLiteral("mcg/kg/hr"));
        typeInto(editor, "Text18", QStringLiteral("Sufentanil"));
        if (which == Variant::Rx) typeInto(editor, "Text17", QStringLiteral("citrate"));
        const char* typed[][2] = {{"Text19", "40"},  {"Text20", "120"}, {"Text21", "250"}, {"Text22", "50"},
                                  {"Text23", "0.5"}, {"Text24", "1"},   {"Text25", "2"},   {"Text26", "5"},
                                  {"Text27", "15"},  {"Text28", "200"}};
        for (const auto& [name, text] : typed) typeInto(editor, name, QString::fromLatin1(text));
        typeInto(editor, "Text23", QStringLiteral("123456"));  // one more than the box takes
        QCOMPARE(shown(editor, "Text23"), QStringLiteral("12345"));
        typeInto(editor, "Text23", QStringLiteral("0.5"));
        clickButton(editor, "Command9");
        QCOMPARE(shown(editor, "Label74"), QStringLiteral("Protocol Updated"));
        QCOMPARE(model->macro().ProtocolInitialRate[1], std::string("0.010"));
        QCOMPARE(shown(editor, "Text23"), QStringLiteral("0.500"));
        QCOMPARE(shown(editor, "Combo19"),
                 which == Variant::Rx ? QStringLiteral("A:Sufentanil          citrate") : QStringLiteral("A:Sufentanil"));
        saveScreenshot(editor, editor->objectName() + QStringLiteral("-3-protocol"));

        // Texts longer than their boxes, as a file may hold them, are shown whole.
        model->memory().ProtocolDrugName[2] = "Hydromorphone 10 mg/mL extra";
        model->memory().ProtocolConcUnit[2] = "0";
        model->memory().ProtocolInitialRate[2] = "12.500";
        pickInCombo(editor, "Combo19", QStringLiteral("B:"));
        QCOMPARE(shown(editor, "Text23"), QStringLiteral("12.500"));
        QCOMPARE(shown(editor, "Text18"), which == Variant::Rx ? QStringLiteral("Hydromorphone 10 mg/")
                                                               : QStringLiteral("Hydromorphone 10 mg/mL extra"));
        QSignalSpy edits(widget<QLineEdit>(editor, "Text23"), &QLineEdit::textEdited);
        QTest::keyClick(widget<QLineEdit>(editor, "Text23"), Qt::Key_End);
        QTest::keyClick(widget<QLineEdit>(editor, "Text23"), Qt::Key_5);
        QCOMPARE(shown(editor, "Text23"), QStringLiteral("12.500"));
        QCOMPARE(edits.count(), 0);
        QTest::keyClick(widget<QLineEdit>(editor, "Text23"), Qt::Key_Backspace);
        QCOMPARE(shown(editor, "Text23"), QStringLiteral("12.50"));
        QCOMPARE(shown(editor, "Label74"), QString::fromLatin1(which == Variant::Rx ? "Press OK key to accept value"
                                                             : "Please validate modifications with OK key"));
        delete editor;  // the work in it is dropped without the question a user gets
    }
};

MC_HEADLESS_TEST_MAIN(ProtocolWindowsTest)
#include "windows_test.moc"
