#pragma once
// What the status strip at the foot of an editor says of its library: which
// library it is, whether it holds changes not yet saved, a note on the work
// of an earlier run and what the last action did; and who must hear when the
// library changes (its recovery copy) or its changes are dropped.

#include <functional>
#include <string>
#include <string_view>

#include "shell/core/form.hpp"

namespace mc {

inline constexpr std::string_view StatusLibrary = "StatusLibrary";
inline constexpr std::string_view StatusSaved = "StatusSaved";
// What the last action did where nothing else shows it (saved, opened, printed).
inline constexpr std::string_view StatusMessage = "StatusMessage";
// A note of the status strip: what became of the work of an earlier run.
inline constexpr std::string_view StatusNote = "StatusNote";
inline constexpr std::string_view NewLibrary = "new library";
inline constexpr std::string_view NotSaved = "not saved";

class LibraryStatus {
public:
    explicit LibraryStatus(Form& form);

    // True while the library holds changes not saved since the last Open, New or Save.
    bool unsaved() const { return unsaved_; }
    // Says so, drops a note on earlier work once saved, and tells the watchers.
    void setUnsaved(bool unsaved);
    // Something that belongs to the unsaved work changed without a new store.
    void changedAgain();
    // `changed` runs whenever the library in memory changes, `discarded` when
    // it no longer holds unsaved changes (Open, New, Save).
    void watch(std::function<void()> changed, std::function<void()> discarded);

    const std::string& name() const { return form_[std::string(StatusLibrary)].text; }
    void setName(std::string name) { form_[std::string(StatusLibrary)].text = std::move(name); }
    void setNote(std::string note) { form_[std::string(StatusNote)].text = std::move(note); }
    void tell(std::string text) { form_[std::string(StatusMessage)].text = std::move(text); }

private:
    Form& form_;
    bool unsaved_ = false;
    std::function<void()> changed_;
    std::function<void()> discarded_;
};

}  // namespace mc
