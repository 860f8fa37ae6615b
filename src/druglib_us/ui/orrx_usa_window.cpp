#include "druglib_us/ui/orrx_usa_window.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "druglib_us/core/orrx_usa_editor.hpp"
#include "shell/ui/department_fields.hpp"
#include "shell/ui/editor_window.hpp"
#include "shell/ui/named_widget.hpp"

namespace mc::druglib_us::ui {
namespace {

using mc::ui::named;

QLabel* label(int number) { return named<QLabel>(QStringLiteral("Label%1").arg(number)); }

QLineEdit* box(int number, int width) {
    auto* edit = named<QLineEdit>(QStringLiteral("Text%1").arg(number));
    edit->setFixedWidth(width);
    return edit;
}

QComboBox* picker(int number) {
    auto* combo = named<QComboBox>(QStringLiteral("Combo%1").arg(number));
    combo->setFixedWidth(130);
    return combo;
}

QLabel* unit(int number) {
    auto* caption = label(number);
    caption->setMinimumWidth(90);  // room for "MCG/KG/MIN"
    return caption;
}

// A value row: caption, box and unit caption.
void addValue(QGridLayout* grid, int row, int caption, int text, int unitCaption) {
    grid->addWidget(label(caption), row, 0);
    grid->addWidget(box(text, 100), row, 1);
    grid->addWidget(unit(unitCaption), row, 2);
}

void addPicker(QGridLayout* grid, int row, int caption, int combo) {
    grid->addWidget(label(caption), row, 0);
    grid->addWidget(picker(combo), row, 1, 1, 2);
}

QGridLayout* column() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    return grid;
}

// Number, name, weights, concentration and dose rate.
QGridLayout* leftColumn() {
    auto* grid = column();
    auto* number = new QHBoxLayout;
    number->setSpacing(6);
    number->addWidget(label(1));
    number->addWidget(label(13));
    number->addWidget(label(14));
    number->addStretch();
    grid->addWidget(label(51), 0, 0);
    grid->addLayout(number, 0, 1, 1, 2);
    grid->addWidget(label(2), 1, 0);
    grid->addWidget(box(26, 190), 1, 1, 1, 2);
    addValue(grid, 2, 15, 25, 16);
    addValue(grid, 3, 17, 33, 18);
    addPicker(grid, 4, 19, 2);
    addValue(grid, 5, 3, 27, 4);
    addPicker(grid, 6, 6, 1);
    addValue(grid, 7, 5, 28, 7);
    addValue(grid, 8, 8, 31, 9);
    addValue(grid, 9, 20, 32, 21);
    addValue(grid, 10, 22, 34, 23);
    addValue(grid, 11, 24, 35, 25);
    grid->setRowStretch(12, 1);
    return grid;
}

// Bolus settings; the bolus time row and the bolus rate row share one place,
// since only one of them is ever shown.
QGridLayout* rightColumn() {
    auto* grid = column();
    addPicker(grid, 0, 26, 3);
    addValue(grid, 1, 27, 36, 28);
    addPicker(grid, 2, 29, 4);
    addValue(grid, 3, 31, 37, 32);
    addValue(grid, 3, 30, 38, 33);
    addValue(grid, 4, 34, 39, 35);
    addValue(grid, 5, 37, 40, 38);
    addValue(grid, 6, 39, 41, 40);
    addValue(grid, 7, 41, 42, 42);
    grid->setRowStretch(8, 1);
    return grid;
}

// Check1..Check24 in one column, captioned with the department names.
QVBoxLayout* departmentChecks() {
    auto* checks = new QVBoxLayout;
    checks->setSpacing(2);
    const int height = mc::ui::captionedCheckHeight();
    for (int d = 1; d <= DepartmentCount; ++d) {
        auto* check = named<QCheckBox>(QStringLiteral("Check%1").arg(d));
        check->setMinimumSize(190, height);  // a name of 20 characters
        checks->addWidget(check);
    }
    checks->addStretch();
    return checks;
}

QWidget* drugFields() {
    auto* page = new QWidget;
    auto* columns = new QHBoxLayout(page);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->addLayout(leftColumn());
    columns->addSpacing(24);
    columns->addLayout(rightColumn());
    columns->addSpacing(24);
    columns->addLayout(departmentChecks());
    return page;
}

}  // namespace

QWidget* createOrrxUsaWindow(const std::filesystem::path& workingDirectory, const NumberFormat& numberFormat) {
    return new mc::ui::EditorWindow(std::make_unique<OrrxUsaEditor>(workingDirectory, numberFormat),
                                    mc::ui::departmentNameFields(DepartmentCount), drugFields());
}

}  // namespace mc::druglib_us::ui
