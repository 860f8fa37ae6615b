#pragma once
// A data page described once: each field with the control that shows it, the
// caption beside it, how many characters it takes and the label of its unit.
// The page's form, the captions a window announces, the spreadsheet headings,
// the field names of the command-line program and the fields a failed rule
// marks all come from this one table. And what a page's "OK" says, as one
// message per failed rule with the field it is about.

#include <string>
#include <string_view>
#include <vector>

#include "shell/core/form.hpp"

namespace mc {

enum class FieldKind {
    Text,    // a box of free text
    Number,  // a box that holds a number
    Choice,  // a drop-down list
};

struct PageField {
    std::string control;       // "Text32"
    FieldKind kind;
    std::string caption;       // "Dose Maximum": the label beside it, the spreadsheet heading
    std::string captionLabel;  // "Label7"; empty when the caption stands nowhere on the page
    int maxLength = 0;         // characters a box takes; 0 for no limit
    std::string unitLabel;     // "Label11"; empty for a field without a unit
};
using PageTable = std::vector<PageField>;
// The table of a page without input fields.
const PageTable& noFields();

// The field shown by `control`; null when the page has none.
const PageField* fieldOf(const PageTable& table, std::string_view control);
// The table of a page described by richer rows, each with its `field`.
template <typename Rows>
PageTable fieldsOf(const Rows& rows) {
    PageTable table;
    for (const auto& row : rows) table.push_back(row.field);
    return table;
}

// The field of this caption; null when the page has none.
const PageField* fieldCaptioned(const PageTable& table, std::string_view caption);

// Adds the controls of data page `page` to a form: caption labels with their
// captions, boxes with their length and kind, lists, unit labels.
void addPageControls(Form& form, const PageTable& table, int page);

// One message of a page's "OK" and the control of the field it is about
// (empty when it is about no one field).
struct FieldMessage {
    std::string field;
    std::string message;
    bool operator==(const FieldMessage&) const = default;
};
using FieldMessages = std::vector<FieldMessage>;

// The page's message label: every message followed by CR LF.
std::string joinedMessages(const FieldMessages& messages);

}  // namespace mc
