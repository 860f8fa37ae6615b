#pragma once
// Drives the US editor model the way a technician does: by control names and
// shown texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "druglib_us/core/orrx_usa_editor.hpp"
#include "support/temp_folder.hpp"

namespace mc::druglib_us {

using Texts = std::vector<std::string>;
// Values of drug page controls: box texts, picked items ("" for none), "1"/"" for check boxes.
using PageValues = std::map<std::string, std::string>;

// The order a technician fills the page in: each picker before the boxes it empties.
inline const Texts PageOrder{"Text26", "Text25", "Text33", "Combo2", "Text27", "Combo1", "Text28", "Text31",
                             "Text32", "Text34", "Text35", "Combo3", "Text36", "Text39", "Text40", "Text41",
                             "Text42", "Combo4", "Text37", "Text38"};

// A page that passes every rule.
inline PageValues validPage() {
    return {{"Text26", "Heparin"}, {"Text25", "10"},    {"Text33", "100"},   {"Combo2", "MG/ML"},
            {"Text27", "5"},       {"Combo1", "MCG/KG/MIN"},                 {"Text28", "5"},
            {"Text31", "2"},       {"Text32", "10"},    {"Text34", "1"},     {"Text35", "20"},
            {"Combo3", "WEIGHT"},  {"Text36", "1"},     {"Text39", "1"},     {"Text40", "2"},
            {"Text41", "0.5"},     {"Text42", "3"},     {"Combo4", "SS"},    {"Text37", "30"},
            {"Check1", "1"}};
}

inline PageValues with(PageValues page, const PageValues& changes) {
    for (const auto& [name, value] : changes) page[name] = value;
    return page;
}

inline Texts lines(const std::string& text) {
    Texts out;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        out.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return out;
}

class UsEditorTest : public ::testing::Test {
protected:
    testing::TempFolder folder;
    NumberFormat numbers{'.'};
    std::unique_ptr<OrrxUsaEditor> editor = std::make_unique<OrrxUsaEditor>(folder.path(), numbers);

    const Control& operator[](const std::string& name) const { return editor->form()[name]; }
    const std::string& text(const std::string& name) const { return (*this)[name].text; }
    void type(const std::string& name, const std::string& value) { editor->textEdited(name, value); }
    void click(const std::string& name) { editor->click(name); }
    void tick(const std::string& name, bool checked = true) { editor->toggle(name, checked); }
    void pick(const std::string& name, const std::string& entry) {
        const auto& items = (*this)[name].items;
        const auto it = std::find(items.begin(), items.end(), entry);
        ASSERT_TRUE(entry.empty() || it != items.end()) << entry << " not in " << name;
        editor->pick(name, entry.empty() ? -1 : static_cast<int>(it - items.begin()));
    }
    void fill(const PageValues& page) {
        for (const auto& name : PageOrder) {
            const auto it = page.find(name);
            if (it == page.end()) continue;
            if (name.starts_with("Combo")) pick(name, it->second);
            else type(name, it->second);
        }
        for (int d = 1; d <= DepartmentCount; ++d) {
            const auto it = page.find("Check" + std::to_string(d));
            if (it != page.end()) tick("Check" + std::to_string(d), !it->second.empty());
        }
    }
    void newLibrary() {
        click("Command12");
        click("Command3");
    }
    Texts ok() {
        click("Command9");
        return lines(text("Label74"));
    }
    // Fills the shown entry and confirms it.
    Texts enter(const PageValues& page) {
        fill(page);
        return ok();
    }
    void openFile(const std::string& name) {
        click("Command2");  // back on the Open page, whose lists are then read again
        const auto& items = (*this)["File1"].items;
        const auto it = std::find(items.begin(), items.end(), name);
        ASSERT_NE(it, items.end()) << name;
        editor->pick("File1", static_cast<int>(it - items.begin()));
        click("Command1");
    }
    void save(const std::string& name) {
        click("Command10");
        type("Text29", name);
        click("Command11");
    }
    std::string drugOf() const { return text("Label1") + " of " + text("Label14"); }
    bool modified() const { return (*this)["Command9"].enabled; }
};

}  // namespace mc::druglib_us
