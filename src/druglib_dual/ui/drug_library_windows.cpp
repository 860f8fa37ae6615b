#include "druglib_dual/ui/drug_library_windows.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "druglib_dual/core/quelda036_editor.hpp"
#include "druglib_dual/core/quelda041_editor.hpp"
#include "shell/ui/department_fields.hpp"
#include "shell/ui/editor_window.hpp"
#include "shell/ui/named_widget.hpp"

namespace mc::druglib::ui {
namespace {

using mc::ui::named;

QLineEdit* box(const QString& name, int width) {
    auto* edit = named<QLineEdit>(name);
    edit->setFixedWidth(width);
    return edit;
}

QComboBox* list(const QString& name) {
    auto* combo = named<QComboBox>(name);
    combo->setMinimumWidth(130);
    return combo;
}

// Check1..Check12 and Check13..Check24 side by side.
QGridLayout* departmentChecks() {
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    grid->setHorizontalSpacing(16);
    const int height = mc::ui::captionedCheckHeight();
    for (int d = 1; d <= 24; ++d) {
        auto* check = named<QCheckBox>(QStringLiteral("Check%1").arg(d));
        check->setMinimumSize(170, height);
        grid->addWidget(check, (d - 1) % 12, (d - 1) / 12);
    }
    return grid;
}

// A limit row: caption, box and unit label.
void addLimit(QGridLayout* grid, int row, int column, int caption, int text, int unit) {
    grid->addWidget(named<QLabel>(QStringLiteral("Label%1").arg(caption)), row, column);
    grid->addWidget(box(QStringLiteral("Text%1").arg(text), 70), row, column + 1);
    grid->addWidget(named<QLabel>(QStringLiteral("Label%1").arg(unit)), row, column + 2);
}

// Rows 0 and 1 of both drug pages: the drug number and the name box.
QGridLayout* numberAndName() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->addWidget(named<QLabel>(QStringLiteral("Label51")), 0, 0);
    grid->addWidget(named<QLabel>(QStringLiteral("Label1")), 0, 1);
    grid->addWidget(named<QLabel>(QStringLiteral("Label2")), 1, 0);
    grid->addWidget(box(QStringLiteral("Text26"), 150), 1, 1, 1, 2);
    return grid;
}

QWidget* withChecks(QGridLayout* fields) {
    auto* page = new QWidget;
    auto* columns = new QHBoxLayout(page);
    columns->setContentsMargins(0, 0, 0, 0);
    fields->setRowStretch(fields->rowCount(), 1);
    columns->addLayout(fields);
    columns->addSpacing(30);
    columns->addLayout(departmentChecks());
    return page;
}

// Release 041: name, concentration and dose units with their limits, vial
// units; the 24 department boxes in two columns on the right.
QWidget* drugFields041() {
    auto* grid = numberAndName();
    grid->addWidget(named<QLabel>(QStringLiteral("Label12")), 2, 0);
    grid->addWidget(list(QStringLiteral("Combo2")), 2, 1, 1, 2);
    grid->addWidget(named<QLabel>(QStringLiteral("Label5")), 2, 4);
    grid->addWidget(list(QStringLiteral("Combo1")), 2, 5, 1, 2);
    addLimit(grid, 3, 0, 3, 27, 8);
    addLimit(grid, 4, 0, 4, 28, 9);
    addLimit(grid, 3, 4, 6, 31, 10);
    addLimit(grid, 4, 4, 7, 32, 11);
    grid->addWidget(named<QLabel>(QStringLiteral("Label13")), 5, 0);
    grid->addWidget(list(QStringLiteral("Combo3")), 5, 1, 1, 2);
    grid->setColumnMinimumWidth(2, 70);
    grid->setColumnMinimumWidth(3, 20);
    grid->setColumnMinimumWidth(6, 90);
    return withChecks(grid);
}

// Release 036: one column of name, limits and dose units; the department boxes.
QWidget* drugFields036() {
    auto* grid = numberAndName();
    addLimit(grid, 2, 0, 3, 27, 8);
    addLimit(grid, 3, 0, 4, 28, 9);
    grid->addWidget(named<QLabel>(QStringLiteral("Label5")), 4, 0);
    grid->addWidget(list(QStringLiteral("Combo1")), 4, 1, 1, 2);
    addLimit(grid, 5, 0, 6, 31, 10);
    addLimit(grid, 6, 0, 7, 32, 11);
    grid->setColumnMinimumWidth(2, 80);
    return withChecks(grid);
}

}  // namespace

QWidget* createQuelda041Window(const std::filesystem::path& workingDirectory, const NumberFormat& numberFormat,
                               PrintServices printing) {
    return new mc::ui::EditorWindow(
        std::make_unique<Quelda041Editor>(workingDirectory, numberFormat, std::move(printing)), mc::ui::departmentNameFields(25),
        drugFields041());
}

QWidget* createQuelda036Window(const std::filesystem::path& workingDirectory, const NumberFormat& numberFormat) {
    return new mc::ui::EditorWindow(std::make_unique<Quelda036Editor>(workingDirectory, numberFormat),
                                    mc::ui::departmentNameFields(25), drugFields036());
}

}  // namespace mc::druglib::ui
