#include "shell/core/page_table.hpp"

#include <algorithm>

namespace mc {

const PageTable& noFields() {
    static const PageTable none;
    return none;
}

const PageField* fieldOf(const PageTable& table, std::string_view control) {
    const auto it = std::find_if(table.begin(), table.end(), [&](const PageField& f) { return f.control == control; });
    return it == table.end() ? nullptr : &*it;
}

const PageField* fieldCaptioned(const PageTable& table, std::string_view caption) {
    const auto it = std::find_if(table.begin(), table.end(), [&](const PageField& f) { return f.caption == caption; });
    return it == table.end() ? nullptr : &*it;
}

void addPageControls(Form& form, const PageTable& table, int page) {
    for (const PageField& field : table) {
        if (!field.captionLabel.empty()) form.add(field.captionLabel).text = field.caption;
        Control& control = form.add(field.control);
        control.maxLength = field.maxLength;
        control.numeric = field.kind == FieldKind::Number;
        control.page = page;
        if (!field.unitLabel.empty()) form.add(field.unitLabel);
    }
}

std::string joinedMessages(const FieldMessages& messages) {
    std::string text;
    for (const FieldMessage& m : messages) text += m.message + "\r\n";
    return text;
}

}  // namespace mc
