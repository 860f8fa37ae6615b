#include "shell/ui/review_windows.hpp"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "shell/ui/form_binding.hpp"

namespace mc::ui {

ProblemsWindow::ProblemsWindow(QWidget* editor, std::function<void(int row)> activated)
    : QDialog(editor), list_(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("ProblemsWindow"));
    setWindowTitle(QStringLiteral("Problems"));
    setModal(false);
    // Shown beside the editor while the technician types there.
    setAttribute(Qt::WA_ShowWithoutActivating);
    list_->setObjectName(QStringLiteral("ProblemList"));
    list_->setHeaderLabels({QStringLiteral("Entry"), QStringLiteral("Field"), QStringLiteral("Problem")});
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(list_, &QTreeWidget::itemActivated, this,
            [this, activated](QTreeWidgetItem* item) { activated(list_->indexOfTopLevelItem(item)); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    resize(640, 300);
}

void ProblemsWindow::show(const std::vector<EditorFrame::LibraryProblem>& problems,
                          const std::function<std::string(int page, const std::string& control)>& captionOf) {
    list_->clear();
    for (const auto& problem : problems) {
        const std::string field = problem.field.empty() ? std::string() : captionOf(problem.page, problem.field);
        list_->addTopLevelItem(
            new QTreeWidgetItem({fromLatin1(problem.entry), fromLatin1(field), fromLatin1(problem.text)}));
    }
    setWindowTitle(QStringLiteral("Problems (%1)").arg(problems.size()));
    QDialog::show();
}

ChangesWindow::ChangesWindow(QWidget* editor, const std::vector<std::string>& changes, std::function<void()> print)
    : QDialog(editor), list_(new QListWidget(this)) {
    setObjectName(QStringLiteral("ChangesWindow"));
    setWindowTitle(QStringLiteral("Changes"));
    list_->setObjectName(QStringLiteral("ChangeList"));
    for (const std::string& line : changes) list_->addItem(fromLatin1(line));
    if (changes.empty()) list_->addItem(QStringLiteral("No changes"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* printButton = buttons->addButton(QStringLiteral("Print"), QDialogButtonBox::ActionRole);
    printButton->setObjectName(QStringLiteral("PrintChanges"));
    connect(printButton, &QPushButton::clicked, this, [print] { print(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(640, 360);
}

}  // namespace mc::ui
