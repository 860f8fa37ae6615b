#include "shell/core/page_guard.hpp"

#include "shell/core/editor_frame.hpp"

namespace mc {

PageGuard::Controls PageGuard::controls(int page) const {
    if (page == 2) return {"Command4", "Command5", {"Command3"}};
    Controls drugs{"Command9", "Command8", {"Command7", "Command10"}};
    for (const auto& [name, caption] : layout_.recordButtons) drugs.navigation.push_back(name);
    if (layout_.goTo) drugs.navigation.emplace_back("GoTo");
    return drugs;
}

void PageGuard::showState(int page, bool modified) {
    const Controls buttons = controls(page);
    form_[buttons.ok].enabled = modified;
    form_[buttons.cancel].enabled = modified;
    for (const auto& name : buttons.navigation) form_[name].enabled = !modified;
    Control& message = form_[messageLabel(page)];
    message.text = !modified ? "" : page == 2 ? layout_.page2ModifiedPrompt : layout_.page3ModifiedPrompt;
    message.error = false;
}

void PageGuard::markModified(int page) { showState(page, true); }

void PageGuard::setClean(int page) {
    showState(page, false);
    for (const std::string& name : marked_) form_[name].error = false;
    marked_.clear();
}

bool PageGuard::modified(int page) const { return form_[controls(page).ok].enabled; }

void PageGuard::showStored(int page, const std::string& confirmation) {
    Control& message = form_[messageLabel(page)];
    message.text = confirmation;
    message.error = false;
}

void PageGuard::showRefused(int page, const FieldMessages& messages) {
    for (const FieldMessage& failed : messages) {
        if (failed.field.empty()) continue;
        form_[failed.field].error = true;
        marked_.push_back(failed.field);
    }
    Control& message = form_[messageLabel(page)];
    message.text = joinedMessages(messages);
    message.error = true;
}

}  // namespace mc
