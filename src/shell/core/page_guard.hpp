#pragma once
// The guard of an editor's two data pages. A page is clean, as restored from
// memory, with its navigation enabled; or modified, with its "OK" and Cancel
// enabled, its navigation not, and its message asking for "OK". The guard
// also shows what "OK" did, and marks each field a refused "OK" names until
// the field is changed or the page restored.

#include <string>
#include <vector>

#include "shell/core/form.hpp"
#include "shell/core/page_table.hpp"

namespace mc {

struct FrameLayout;

class PageGuard {
public:
    PageGuard(Form& form, const FrameLayout& layout) : form_(form), layout_(layout) {}

    void markModified(int page);
    void setClean(int page);
    bool modified(int page) const;
    void showStored(int page, const std::string& confirmation);
    void showRefused(int page, const FieldMessages& messages);

    // The message label of a data page.
    static const char* messageLabel(int page) { return page == 2 ? "Label36" : "Label74"; }

private:
    struct Controls {
        const char* ok;
        const char* cancel;
        std::vector<std::string> navigation;
    };
    Controls controls(int page) const;
    void showState(int page, bool modified);

    Form& form_;
    const FrameLayout& layout_;
    std::vector<std::string> marked_;
};

}  // namespace mc
