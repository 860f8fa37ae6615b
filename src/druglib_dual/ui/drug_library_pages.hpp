#pragma once
// The widgets of the 510 drug library's data pages, named as the controls of
// the editor models; the pages hold layout only.

#include <QWidget>

namespace mc::druglib::ui {

// Department names 1..12 in the left column, 13..25 in the right one.
QWidget* departmentFields();

// Release 041: name, concentration and dose units with their limits, vial
// units; the 24 department boxes in two columns on the right.
QWidget* drugFields041();

// Release 036: one column of name, limits and dose units; the department boxes.
QWidget* drugFields036();

}  // namespace mc::druglib::ui
