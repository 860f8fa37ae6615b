#pragma once
// The department page's boxes, shared by the drug library editors: names 1..12
// down the left column, the rest down the right one, each box named TextN.

#include <QWidget>

namespace mc::ui {

QWidget* departmentNameFields(int departmentCount);

// The height of a drug page's department box once its caption (the
// department's name) is shown: a box without one yet is given it, so that
// the page keeps its size when the names come.
int captionedCheckHeight();

}  // namespace mc::ui
