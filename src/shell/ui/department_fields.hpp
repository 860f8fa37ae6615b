#pragma once
// The department page's boxes, shared by the drug library editors: names 1..12
// down the left column, the rest down the right one, each box named TextN.

#include <QWidget>

namespace mc::ui {

QWidget* departmentNameFields(int departmentCount);

}  // namespace mc::ui
