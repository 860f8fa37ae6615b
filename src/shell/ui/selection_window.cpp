#include "shell/ui/selection_window.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/ui/window_fit.hpp"

namespace mc::ui {
namespace {

QString text(std::string_view s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

SelectionWindow::SelectionWindow(EditorFactory createEditor) : createEditor_(std::move(createEditor)) {
    setObjectName(QStringLiteral("Selection"));
    setWindowTitle(text(SelectionCaption));
    setAttribute(Qt::WA_DeleteOnClose);
    offerNoMaximise(this);  // it keeps the size of its buttons

    auto* prompt = new QLabel(text(SelectionPrompt));
    prompt->setObjectName(QStringLiteral("Label1"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(36);
    grid->setVerticalSpacing(14);
    for (int column = 0; column < static_cast<int>(PumpHeadings.size()); ++column) {
        const PumpHeading& heading = PumpHeadings[static_cast<std::size_t>(column)];
        auto* label = new QLabel(text(heading.caption));
        label->setObjectName(text(heading.name));
        grid->addWidget(label, 0, column);
    }
    for (const VersionButton& version : VersionButtons) {
        auto* button = new QPushButton(text(version.caption));
        button->setObjectName(text(version.name));
        button->setFixedSize(110, 32);
        connect(button, &QPushButton::clicked, this, [this, &version] { versionChosen(version); });
        grid->addWidget(button, version.row + 1, version.column, Qt::AlignLeft);
    }
    grid->setRowStretch(5, 1);

    auto* all = new QVBoxLayout(this);
    all->setContentsMargins(18, 10, 18, 18);
    all->addWidget(prompt);
    all->addSpacing(30);
    all->addLayout(grid);
    all->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* SelectionWindow::editor(EditorKind kind) const { return editors_[static_cast<std::size_t>(kind)]; }

void SelectionWindow::versionChosen(const VersionButton& button) {
    auto& window = editors_[static_cast<std::size_t>(button.editor)];
    if (!window) {
        window = createEditor_(button.editor);
        window->setScreen(screen());  // opens on the screen the choice was made on
    }
    window->show();
    window->raise();
    window->activateWindow();
    if (button.closesSelection) close();
}

}  // namespace mc::ui
