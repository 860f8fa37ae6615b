#include "shell/ui/department_fields.hpp"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace mc::ui {

QWidget* departmentNameFields(int departmentCount) {
    auto* page = new QWidget;
    auto* grid = new QGridLayout;
    auto* columns = new QHBoxLayout(page);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->addLayout(grid);
    columns->addStretch();
    grid->setHorizontalSpacing(10);
    for (int d = 1; d <= departmentCount; ++d) {
        const int row = d <= 12 ? d - 1 : d - 13;
        const int column = d <= 12 ? 0 : 2;
        auto* number = new QLabel(QString::number(d));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(number, row, column);
        auto* name = new QLineEdit;
        name->setObjectName(QStringLiteral("Text%1").arg(d));
        name->setFixedWidth(200);
        name->setAccessibleName(QStringLiteral("Department %1").arg(d));  // its number alone says little
        grid->addWidget(name, row, column + 1);
    }
    grid->setColumnMinimumWidth(2, 50);
    return page;
}

int captionedCheckHeight() { return QCheckBox(QStringLiteral("Xg")).sizeHint().height(); }

}  // namespace mc::ui
