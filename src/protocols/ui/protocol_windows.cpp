#include "protocols/ui/protocol_windows.hpp"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "protocols/core/protocol_editor.hpp"
#include "shell/ui/editor_window.hpp"
#include "shell/ui/named_widget.hpp"

namespace mc::protocols::ui {
namespace {

using mc::ui::named;

// A box wide enough for its longest text.
QLineEdit* box(const std::string& name, int maxLength) {
    auto* edit = named<QLineEdit>(name);
    edit->setFixedWidth(30 + 9 * maxLength);
    return edit;
}

QComboBox* list(const std::string& name, int width) {
    auto* combo = named<QComboBox>(name);
    combo->setMinimumWidth(width);
    return combo;
}

QWidget* control(const std::string& name, int maxLength, int listWidth) {
    if (name.starts_with("Combo")) return list(name, listWidth);
    return box(name, maxLength);
}

// The input and, right of it, its unit.
QHBoxLayout* withUnit(QWidget* input, const std::string& unitLabel) {
    auto* cell = new QHBoxLayout;
    cell->setSpacing(6);
    cell->addWidget(input);
    if (!unitLabel.empty()) cell->addWidget(named<QLabel>(unitLabel));
    cell->addStretch();
    return cell;
}

// Two columns of caption, control and unit: "Technician Code" to "Auto-bolus"
// on the left, "Pressure Level" to the end on the right.
QWidget* settingFields(Variant variant) {
    auto* page = new QWidget;
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    const auto& rows = settingRows(variant);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const PageField& field = rows[i].field;
        const bool left = i < LeftColumnRows;
        const int r = static_cast<int>(left ? i : i - LeftColumnRows);
        const int column = left ? 0 : 3;
        QWidget* input = control(field.control, field.maxLength, 160);
        auto* caption = named<QLabel>(field.captionLabel);
        caption->setBuddy(input);  // a screen reader announces the field by its caption
        grid->addWidget(caption, r, column);
        grid->addLayout(withUnit(input, field.unitLabel), r, column + 1);
    }
    grid->setColumnMinimumWidth(1, 230);
    grid->setColumnMinimumWidth(2, 30);
    auto* columns = new QHBoxLayout(page);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->addLayout(grid);
    columns->addStretch();
    return page;
}

// One column of caption, control and unit, the controls starting at one edge.
QWidget* protocolFields(Variant variant) {
    auto* page = new QWidget;
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    grid->setColumnMinimumWidth(0, 128);
    int r = -1;
    QHBoxLayout* cell = nullptr;
    for (const ProtocolRow& row : protocolRows(variant)) {
        const PageField& field = row.field;
        if (row.besidePrevious) {
            // The unit list, right of the concentration box.
            QComboBox* unit = list(field.control, 100);
            unit->setAccessibleName(QString::fromStdString(field.caption));
            cell->insertWidget(1, unit);
            continue;
        }
        ++r;
        const int width = field.control == "Combo19" ? 260 : 130;
        QWidget* input = control(field.control, field.maxLength, width);
        if (!field.captionLabel.empty()) {
            auto* caption = named<QLabel>(field.captionLabel);
            caption->setBuddy(input);  // a screen reader announces the field by its caption
            grid->addWidget(caption, r, 0);
        } else {
            input->setAccessibleName(QString::fromStdString(field.caption));
        }
        cell = withUnit(input, field.unitLabel);
        grid->addLayout(cell, r, 1);
    }
    grid->setColumnMinimumWidth(1, 300);
    auto* columns = new QHBoxLayout(page);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->addLayout(grid);
    columns->addStretch();
    return page;
}

}  // namespace

QWidget* createProtocolWindow(Variant variant, const std::filesystem::path& workingDirectory,
                              const NumberFormat& numberFormat, PrintServices printing) {
    return new mc::ui::EditorWindow(
        std::make_unique<ProtocolEditor>(variant, workingDirectory, numberFormat, std::move(printing)),
        settingFields(variant), protocolFields(variant));
}

}  // namespace mc::protocols::ui
