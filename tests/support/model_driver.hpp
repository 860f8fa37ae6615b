#pragma once
// Drives an editor model the way a technician drives its window, by control
// names and shown texts, without widgets: the one driver of the core tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "shell/core/form.hpp"

namespace mc::testing {

// Values of controls: box texts, picked entries ("" for none), "1"/"" for check boxes.
using Values = std::map<std::string, std::string>;

inline Values with(Values values, const Values& changes) {
    for (const auto& [name, value] : changes) values[name] = value;
    return values;
}

// The lines of a message label, without their CR LF.
inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t start = 0, end = 0; start < text.size(); start = end + 2) {
        end = std::min(text.find("\r\n", start), text.size());
        out.push_back(text.substr(start, end - start));
    }
    return out;
}

class ModelDriver {
public:
    explicit ModelDriver(FormModel& model) : model_(model) {}

    const Control& operator[](const std::string& name) const { return model_.form()[name]; }
    void type(const std::string& name, const std::string& text) { model_.textEdited(name, text); }
    void click(const std::string& name) { model_.click(name); }
    void toggle(const std::string& name, bool on) { model_.toggle(name, on); }
    // Picks the entry shown as `entry`; "" leaves the list unchosen.
    void pick(const std::string& name, const std::string& entry) {
        const auto& items = (*this)[name].items;
        const auto it = std::find(items.begin(), items.end(), entry);
        if (!entry.empty()) {
            ASSERT_NE(it, items.end()) << entry << " not in " << name;
        }
        model_.pick(name, entry.empty() ? -1 : static_cast<int>(it - items.begin()));
    }
    // Lists are picked, check boxes ticked, boxes typed, in the order given.
    void set(const std::vector<std::pair<std::string, std::string>>& values) {
        for (const auto& [name, value] : values) {
            if (name.starts_with("Combo")) pick(name, value);
            else if (name.starts_with("Check")) toggle(name, !value.empty());
            else type(name, value);
        }
    }
    // Clicks the controls named in turn; "Name=value" picks a file, else sets the control as set() does.
    void act(const std::vector<std::string>& steps) {
        for (const std::string& step : steps) {
            const auto equals = step.find('=');
            if (equals == std::string::npos) click(step);
            else if (step.starts_with("File")) pick(step.substr(0, equals), step.substr(equals + 1));
            else set({{step.substr(0, equals), step.substr(equals + 1)}});
        }
    }
    // What the control shows: a list's chosen entry, a check box "1" or "", else its text.
    std::string shown(const std::string& name) const {
        const Control& control = (*this)[name];
        if (name.starts_with("Combo")) return control.selectedText();
        if (name.starts_with("Check")) return control.checked ? "1" : "";
        return control.text;
    }
    std::vector<std::string> messages(const std::string& label) const { return lines((*this)[label].text); }
    // The fields a refused "OK" marked, in the order of their names.
    std::vector<std::string> marked() const {
        std::vector<std::string> names;
        for (const auto& [name, control] : model_.form().controls())
            if (control.error && !name.starts_with("Label")) names.push_back(name);
        return names;
    }

private:
    FormModel& model_;
};

}  // namespace mc::testing
