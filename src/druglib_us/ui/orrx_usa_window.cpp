#include "druglib_us/ui/orrx_usa_window.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "druglib_us/core/drug_page.hpp"
#include "druglib_us/core/orrx_usa_editor.hpp"
#include "shell/ui/department_fields.hpp"
#include "shell/ui/editor_window.hpp"
#include "shell/ui/named_widget.hpp"

namespace mc::druglib_us::ui {
namespace {

using mc::ui::named;

QLabel* label(int number) { return named<QLabel>(QStringLiteral("Label%1").arg(number)); }

// A field's row: its caption, its box or list, and its unit.
void addField(QGridLayout* grid, int row, const PageField& field) {
    grid->addWidget(named<QLabel>(field.captionLabel), row, 0);
    if (field.kind == FieldKind::Choice) {
        auto* combo = named<QComboBox>(field.control);
        combo->setFixedWidth(130);
        grid->addWidget(combo, row, 1, 1, 2);
        return;
    }
    auto* edit = named<QLineEdit>(field.control);
    if (field.unitLabel.empty()) {  // the drug's name
        edit->setFixedWidth(190);
        grid->addWidget(edit, row, 1, 1, 2);
        return;
    }
    edit->setFixedWidth(100);
    grid->addWidget(edit, row, 1);
    auto* unit = named<QLabel>(field.unitLabel);
    unit->setMinimumWidth(90);  // room for "MCG/KG/MIN"
    grid->addWidget(unit, row, 2);
}

QGridLayout* column() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    return grid;
}

// The fields in page order: up to the dose rate in the left column, below the
// drug's number; from the bolus mode on in the right one, where the bolus time
// row and the bolus rate row share one place, since only one of them is ever shown.
void addFieldColumns(QHBoxLayout* columns) {
    auto* left = column();
    auto* number = new QHBoxLayout;
    number->setSpacing(6);
    number->addWidget(label(1));
    number->addWidget(label(13));
    number->addWidget(label(14));
    number->addStretch();
    left->addWidget(label(51), 0, 0);
    left->addLayout(number, 0, 1, 1, 2);
    auto* right = column();
    QGridLayout* grid = left;
    int row = 1;
    for (const PageField& field : drugEntryPageTable()) {
        if (field.control == "Combo3") {
            grid = right;
            row = 0;
        }
        if (field.control == "Text38") --row;
        addField(grid, row++, field);
    }
    left->setRowStretch(left->rowCount(), 1);
    right->setRowStretch(right->rowCount(), 1);
    columns->addLayout(left);
    columns->addSpacing(24);
    columns->addLayout(right);
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
    addFieldColumns(columns);
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
