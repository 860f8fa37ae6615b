#include "shell/core/library_status.hpp"

namespace mc {

LibraryStatus::LibraryStatus(Form& form) : form_(form) {
    form_.add(std::string(StatusLibrary)).text = std::string(NewLibrary);
    form_.add(std::string(StatusSaved));
    form_.add(std::string(StatusNote));
    form_.add(std::string(StatusMessage));
}

void LibraryStatus::setUnsaved(bool unsaved) {
    unsaved_ = unsaved;
    form_[std::string(StatusSaved)].text = unsaved ? std::string(NotSaved) : std::string();
    if (!unsaved) form_[std::string(StatusNote)].text.clear();  // a note on earlier work is past
    const auto& tell = unsaved ? changed_ : discarded_;
    if (tell) tell();
}

void LibraryStatus::changedAgain() {
    if (unsaved_ && changed_) changed_();
}

void LibraryStatus::watch(std::function<void()> changed, std::function<void()> discarded) {
    changed_ = std::move(changed);
    discarded_ = std::move(discarded);
}

}  // namespace mc
