#include "cli/core/page_ok.hpp"

#include "shell/core/text.hpp"

namespace mc::cli {

FieldMessages pressOk(EditorFrame& editor, const PageButtons& page) {
    const Form& form = editor.form();
    editor.textEdited(page.field, form[page.field].text);
    editor.click(page.ok);
    FieldMessages messages;
    for (const std::string_view line : splitLines(form[page.message].text))
        if (!line.empty() && line != page.confirmation) messages.push_back({"", std::string(line)});
    editor.click(page.cancel);  // disabled once the page is stored
    return messages;
}

}  // namespace mc::cli
