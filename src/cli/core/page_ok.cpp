#include "cli/core/page_ok.hpp"

#include "shell/core/text.hpp"

namespace mc::cli {

std::vector<std::string> pressOk(EditorFrame& editor, const PageButtons& page) {
    const Form& form = editor.form();
    editor.textEdited(page.field, form[page.field].text);
    editor.click(page.ok);
    std::vector<std::string> messages;
    for (const std::string_view line : splitLines(form[page.message].text))
        if (!line.empty() && line != page.confirmation) messages.emplace_back(line);
    editor.click(page.cancel);  // disabled once the page is stored
    return messages;
}

}  // namespace mc::cli
