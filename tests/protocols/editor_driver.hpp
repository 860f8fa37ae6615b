#pragma once
// Drives a protocol-and-settings editor the way a technician does: by control
// names and shown texts, with a set of settings and a protocol that pass.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "protocols/core/protocol_editor.hpp"
#include "support/temp_folder.hpp"

namespace mc::protocols {

using Values = std::map<std::string, std::string>;

// The editor with its memory open to the tests, standing for what an opened file puts there.
class OpenEditor : public ProtocolEditor {
public:
    using ProtocolEditor::ProtocolEditor;
    ProtocolMacro& memory() { return macro_; }
};

class EditorDriver {
public:
    explicit EditorDriver(Variant variant, NumberFormat numbers = NumberFormat{'.'})
        : variant_(variant), numbers_(numbers) {
        editor = std::make_unique<OpenEditor>(variant, folder.path(), numbers);
    }

    testing::TempFolder folder;
    std::unique_ptr<OpenEditor> editor;

    const Control& operator[](const std::string& name) const { return editor->form()[name]; }
    void type(const std::string& name, const std::string& text) { editor->textEdited(name, text); }
    void click(const std::string& name) { editor->click(name); }
    // Picks the entry of a combo; "" leaves the combo unchosen.
    void pick(const std::string& name, const std::string& entry) {
        const auto& items = (*this)[name].items;
        const auto it = std::find(items.begin(), items.end(), entry);
        if (!entry.empty()) {
            ASSERT_NE(it, items.end()) << entry << " not in " << name;
        }
        editor->pick(name, entry.empty() ? -1 : static_cast<int>(it - items.begin()));
    }
    // Combos are picked, boxes typed.
    void set(const Values& values) {
        for (const auto& [name, value] : values) {
            if (name.starts_with("Combo")) pick(name, value);
            else type(name, value);
        }
    }

    // Settings that pass every rule; Allow Dosavia "ON", Auto-bolus "ON",
    // Maximum Basal Rate 30 and Minimum Lock Out 10.
    Values validSettings() const {
        Values values{{"Text1", "1234"},   {"Text2", "11"},     {"Text3", "33"},    {"Text4", "22"},
                      {"Combo1", "Level Two"}, {"Combo2", "No Code"}, {"Combo3", "Level One"},
                      {"Combo4", "Level Three"}, {"Combo5", "Level Two"}, {"Combo6", "Level Two"},
                      {"Combo7", "Level One"}, {"Combo8", "Level Three"}, {"Combo9", "Normaly open switch"},
                      {"Text5", "0.1"},    {"Text6", "2"},      {"Text7", "0.5"},   {"Combo10", "ON"},
                      {"Combo12", "ON"},   {"Combo13", "OFF"},  {"Text8", "0.5"},   {"Text9", "2"},
                      {"Text10", "350"},   {"Text11", "100"},   {"Text12", "1"},    {"Text13", "30"},
                      {"Combo14", "5"},    {"Combo15", "4"},    {"Combo16", "ON"},  {"Combo17", "Boluses"},
                      {"Combo18", "24"},   {"Text14", "5"},     {"Text15", "10"},   {"Text16", "5"}};
        if (variant_ == Variant::Rx) values["Text31"] = "400";
        else values.insert({{"Combo11", "Normal"}, {"Text17", "30"}});
        return values;
    }

    std::string okSettings() {
        click("Command4");
        return (*this)["Label36"].text;
    }

    // "New", the settings with `changes` confirmed, and the protocol page for protocol A.
    void toProtocolPage(const Values& changes = {}) {
        click("Command13");
        Values values = validSettings();
        for (const auto& [name, value] : changes) values[name] = value;
        set(values);
        ASSERT_EQ(okSettings(), "Setting Updated");
        click("Command3");
        ASSERT_TRUE((*this)["Frame3"].visible);
    }

    // A protocol that passes: Dosavia OFF, 2 mg/mL.
    static Values validProtocol() {
        return {{"Combo20", "OFF"}, {"Combo21", "mg/mL"}, {"Text18", "Morphine"}, {"Text19", "0"},
                {"Text20", "0"},    {"Text21", "100"},    {"Text22", "2"},        {"Text23", "3"},
                {"Text24", "4"},    {"Combo22", "Patient Bolus"}, {"Text25", "1"}, {"Text26", "2"},
                {"Text27", "15"},   {"Text28", "20"}};
    }

    // Fills the protocol page (the two unit combos first, as they empty the
    // volume fields) and presses "OK"; the message label afterwards.
    std::string okProtocol(const Values& changes) {
        Values values = validProtocol();
        for (const auto& [name, value] : changes) values[name] = value;
        for (const char* combo : {"Combo20", "Combo21"}) pick(combo, values[combo]);
        values.erase("Combo20");
        values.erase("Combo21");
        set(values);
        click("Command9");
        return (*this)["Label74"].text;
    }

private:
    Variant variant_;
    NumberFormat numbers_;
};

// Joins lines as the message labels show them: each ended by CR LF.
inline std::string lines(std::initializer_list<const char*> messages) {
    std::string text;
    for (const char* message : messages) text += std::string(message) + "\r\n";
    return text;
}

}  // namespace mc::protocols
