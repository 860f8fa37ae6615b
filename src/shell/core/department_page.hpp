#pragma once
// The department page of the drug library editors: one name box per
// department, Text1 onwards, each taking a limited number of characters.
// "OK" stores the names as typed; a restore shows each stored name cut to the
// box's length, without trailing blanks (only the display is cut).

#include <string>

#include "shell/core/form.hpp"
#include "shell/core/text.hpp"

namespace mc {

inline std::string departmentBox(int department) { return "Text" + std::to_string(department); }

inline void addDepartmentBoxes(Form& form, int count, int maxLength) {
    for (int d = 1; d <= count; ++d) {
        Control& box = form.add(departmentBox(d));
        box.maxLength = maxLength;
        box.page = 2;
    }
}

// `Names` is a table of the department names indexed 1..Names::size.
template <typename Names>
void showDepartmentNames(Form& form, const Names& names, std::size_t shownLength) {
    for (int d = 1; d <= Names::size; ++d)
        form[departmentBox(d)].text = trimTrailingBlanks(names[d].substr(0, shownLength));
}

template <typename Names>
void storeDepartmentNames(const Form& form, Names& names) {
    for (int d = 1; d <= Names::size; ++d) names[d] = form[departmentBox(d)].text;
}

}  // namespace mc
