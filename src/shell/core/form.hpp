#pragma once
// What every control of a window shows, kept by the editor models so that the
// rules can be run and tested without a window system. A window renders a
// Form into its widgets (matched by objectName) and forwards user events.

#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace mc {

struct Control {
    std::string text;                // caption, box text or label text (Latin-1)
    std::vector<std::string> items;  // entries of a list
    int selected = -1;               // chosen entry of a list, -1 for none
    bool checked = false;
    bool visible = true;
    bool enabled = true;
    int maxLength = 0;               // of a text box; 0 means no limit
    bool error = false;              // a message label showing failures, or a field a failed rule names
    bool numeric = false;            // a box that holds a number
    int page = 0;                    // the page it stands on; 0 for one the window shows on every page

    const std::string& selectedText() const {
        static const std::string none;
        return selected >= 0 && selected < static_cast<int>(items.size())
                   ? items[static_cast<std::size_t>(selected)]
                   : none;
    }
};

class Form {
public:
    Control& add(const std::string& name, Control control = {}) {
        return controls_.insert_or_assign(name, std::move(control)).first->second;
    }
    bool has(const std::string& name) const { return controls_.contains(name); }

    Control& operator[](const std::string& name) {
        return const_cast<Control&>(std::as_const(*this)[name]);
    }
    const Control& operator[](const std::string& name) const {
        const auto it = controls_.find(name);
        if (it == controls_.end()) throw std::out_of_range("no control named " + name);
        return it->second;
    }

    const std::map<std::string, Control>& controls() const { return controls_; }

private:
    std::map<std::string, Control> controls_;
};

// The user events a window forwards to its model.
class FormModel {
public:
    virtual ~FormModel() = default;
    virtual Form& form() = 0;
    virtual void click(const std::string& name) = 0;                          // button, list entry
    virtual void doubleClick(const std::string& name) = 0;                    // list entry
    virtual void textEdited(const std::string& name, const std::string& text) = 0;
    virtual void pick(const std::string& name, int index) = 0;                // list entry chosen
    virtual void toggle(const std::string& name, bool checked) = 0;           // check box
};

}  // namespace mc
