#include "shell/ui/editor_window.hpp"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "shell/ui/named_widget.hpp"
#include "shell/ui/recovery_store.hpp"

namespace mc::ui {
namespace {

// Room around the button captions, so that no style clips them. A proxy style
// on the buttons alone, not a style sheet: a sheet makes Qt restyle every
// widget of the window as it is added, which costs more than building it.
class RoomyButtons : public QProxyStyle {
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contents,
                           const QWidget* widget) const override {
        const QSize size = QProxyStyle::sizeFromContents(type, option, contents, widget);
        // About 4 px above and below and 14 px beside the caption, beyond the
        // style's own margins.
        return type == CT_PushButton ? size + QSize(16, 8) : size;
    }
};

QStyle* roomyButtons() {
    static QPointer<RoomyButtons> style;
    if (!style) {
        style = new RoomyButtons;
        style->setParent(qApp);
    }
    return style;
}

QLabel* messageLabel(const std::string& name) {
    auto* label = named<QLabel>(name);
    label->setWordWrap(true);
    label->setMinimumHeight(48);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QHBoxLayout* buttonRow(std::initializer_list<std::string> names) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (const auto& name : names) row->addWidget(named<QPushButton>(name));
    return row;
}

QListWidget* fileList(const std::string& name) {
    auto* list = named<QListWidget>(name);
    list->setFixedWidth(300);
    list->setMinimumHeight(220);
    return list;
}

QGroupBox* openPage(const FrameLayout& layout) {
    auto* page = named<QGroupBox>("Frame1");
    auto* side = new QVBoxLayout;
    auto* chosen = named<QLineEdit>("Text30");
    chosen->setReadOnly(true);
    side->addWidget(chosen);
    side->addWidget(named<QPushButton>("Command1"));
    side->addWidget(named<QPushButton>(layout.newButton));
    for (const auto& [name, caption] : layout.fileButtons) side->addWidget(named<QPushButton>(name));
    for (const auto& [name, caption] : layout.modeButtons) side->addWidget(named<QRadioButton>(name));
    side->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addWidget(fileList("File1"));
    columns->addLayout(side);
    columns->addStretch();
    auto* all = new QVBoxLayout(page);
    all->addLayout(columns);
    all->addWidget(messageLabel(layout.openMessage));
    // Small type: which folder the lists show and Save writes into.
    auto* folder = named<QLabel>(std::string(WorkingFolder));
    QFont small = folder->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    folder->setFont(small);
    folder->setWordWrap(true);
    folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    all->addWidget(folder);
    return page;
}

QGroupBox* dataPage(const std::string& frame, QWidget* fields, const std::string& message,
                    QHBoxLayout* buttons) {
    auto* page = named<QGroupBox>(frame);
    auto* all = new QVBoxLayout(page);
    all->addWidget(fields);
    all->addStretch();
    all->addWidget(messageLabel(message));
    all->addLayout(buttons);
    return page;
}

QGroupBox* savePage() {
    auto* page = named<QGroupBox>("Frame4");
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(named<QLabel>("Label75"));
    auto* name = named<QLineEdit>("Text29");
    name->setFixedWidth(220);
    nameRow->addWidget(name);
    nameRow->addStretch();
    auto* all = new QVBoxLayout(page);
    all->addLayout(nameRow);
    all->addWidget(fileList("File2"));
    all->addWidget(messageLabel("Label76"));
    all->addLayout(buttonRow({"Command6", "Command11"}));
    return page;
}

// The status strip at the foot of the window: the library and whether it is
// saved, and below them what the last action did.
QVBoxLayout* statusStrip() {
    auto* top = new QHBoxLayout;
    top->addWidget(named<QLabel>(std::string(StatusLibrary)));
    top->addStretch();
    top->addWidget(named<QLabel>(std::string(StatusNote)));
    top->addWidget(named<QLabel>(std::string(StatusSaved)));
    auto* message = named<QLabel>(std::string(StatusMessage));
    message->setWordWrap(true);
    // A long message wraps instead of widening the window.
    message->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    message->setAccessibleDescription(QStringLiteral("Status"));
    auto* strip = new QVBoxLayout;
    strip->addLayout(top);
    strip->addWidget(message);
    return strip;
}

bool isInputField(QWidget* widget) {
    return qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget) ||
           qobject_cast<QListWidget*>(widget);
}

// A caption standing just left of its field, in a grid or a row, names it for
// screen readers (and gives its shortcut, as a label's buddy does).
void nameFieldsByCaptions(QLayout* layout) {
    if (!layout) return;
    auto captionAt = [](QLayoutItem* item) { return item ? qobject_cast<QLabel*>(item->widget()) : nullptr; };
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        for (int i = 0; i < grid->count(); ++i) {
            QWidget* field = grid->itemAt(i)->widget();
            if (!field || !isInputField(field)) continue;
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
            if (column == 0) continue;
            if (QLabel* caption = captionAt(grid->itemAtPosition(row, column - 1)); caption && !caption->buddy())
                caption->setBuddy(field);
        }
    } else {
        for (int i = 1; i < layout->count(); ++i) {
            QWidget* field = layout->itemAt(i)->widget();
            if (!field || !isInputField(field)) continue;
            if (QLabel* caption = captionAt(layout->itemAt(i - 1)); caption && !caption->buddy())
                caption->setBuddy(field);
        }
    }
    for (int i = 0; i < layout->count(); ++i) nameFieldsByCaptions(layout->itemAt(i)->layout());
}

// Tab goes down the left column of a page, then down each column to its
// right (the department boxes last among the fields), then along the buttons.
void orderTabs(QWidget* page) {
    if (page->layout()) page->layout()->activate();
    QList<QWidget*> fields;
    QList<QWidget*> buttons;
    for (QWidget* widget : page->findChildren<QWidget*>()) {
        if (widget->focusPolicy() == Qt::NoFocus || widget->objectName().isEmpty()) continue;
        const bool field = qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget) ||
                           qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget) ||
                           qobject_cast<QListWidget*>(widget);
        // The "Go to" box stands among the record buttons and is reached with them.
        if (field && widget->objectName() != QLatin1String("GoTo")) fields << widget;
        else if (qobject_cast<QPushButton*>(widget) || field) buttons << widget;
    }
    auto at = [page](QWidget* w) { return w->mapTo(page, QPoint(0, 0)); };
    std::stable_sort(fields.begin(), fields.end(), [&](QWidget* a, QWidget* b) {
        const QPoint pa = at(a), pb = at(b);
        return pa.x() != pb.x() ? pa.x() < pb.x() : pa.y() < pb.y();
    });
    std::stable_sort(buttons.begin(), buttons.end(), [&](QWidget* a, QWidget* b) {
        const QPoint pa = at(a), pb = at(b);
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    const QList<QWidget*> chain = fields + buttons;
    for (qsizetype i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace

EditorWindow::EditorWindow(std::unique_ptr<EditorFrame> model, QWidget* page2Fields, QWidget* page3Fields)
    : model_(std::move(model)) {
    const FrameLayout& layout = model_->layout();
    setObjectName(QString::fromStdString(layout.windowName));
    setWindowTitle(fromLatin1(layout.caption));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* page3Buttons = new QHBoxLayout;
    for (const auto& [name, caption] : layout.recordButtons) page3Buttons->addWidget(named<QPushButton>(name));
    if (layout.goTo) {
        auto* caption = named<QLabel>("GoToLabel");
        auto* box = named<QLineEdit>("GoTo");
        box->setFixedWidth(110);
        caption->setBuddy(box);
        page3Buttons->addSpacing(12);
        page3Buttons->addWidget(caption);
        page3Buttons->addWidget(box);
    }
    page3Buttons->addStretch();
    for (const auto& [name, caption] : layout.recordActions) page3Buttons->addWidget(named<QPushButton>(name));
    for (const char* name : {"Command7", "Command8", "Command9", "Command10"})
        page3Buttons->addWidget(named<QPushButton>(name));

    auto* pages = new QStackedWidget;
    pages->addWidget(openPage(layout));
    pages->addWidget(dataPage("Frame2", page2Fields, "Label36",
                              buttonRow({"Command2", "Command5", "Command4", "Command3"})));
    if (layout.page2MessagePointSize > 0) {
        // Large type: the label scrolls when many messages are listed, so the window keeps its size.
        auto* message = pages->findChild<QLabel*>(QStringLiteral("Label36"));
        QFont font = message->font();
        font.setPointSize(layout.page2MessagePointSize);
        message->setFont(font);
        auto* page = message->parentWidget();
        auto* scroll = new QScrollArea;
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setFixedHeight(4 * QFontMetrics(font).lineSpacing() + 8);
        delete page->layout()->replaceWidget(message, scroll);  // the label's old place in the layout
        scroll->setWidget(message);
    }
    pages->addWidget(dataPage("Frame3", page3Fields, "Label74", page3Buttons));
    pages->addWidget(savePage());

    // The pages keep their own size; where the screen is smaller than they
    // are, they scroll inside the window so that every control stays reachable.
    content_ = new QWidget;
    auto* contentLayout = new QVBoxLayout(content_);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->addWidget(pages);
    contentLayout->setSizeConstraint(QLayout::SetFixedSize);
    content_->installEventFilter(this);
    auto* scroll = named<QScrollArea>("PageScroll");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content_);

    auto* all = new QVBoxLayout(this);
    all->addWidget(scroll);
    all->addLayout(statusStrip());

    for (auto* button : findChildren<QPushButton*>()) button->setStyle(roomyButtons());

    binding_ = std::make_unique<FormBinding>(this, *model_);
    addShortcuts();
    connect(pages, &QStackedWidget::currentChanged, this, [this, pages](int index) { orderTabsOnce(pages->widget(index)); });
    if (recoveryStore()) model_->watchLibrary([this] { keepRecoveryCopy(); }, [this] { dropRecoveryCopy(); });
    addGoToShortcut();
    nameFields();
}

void EditorWindow::keepRecoveryCopy() {
    RecoveryStore* store = recoveryStore();
    if (!store) return;
    const auto bytes = model_->libraryBytes();
    if (!bytes) return;
    const RecoveryCopy copy{model_->layout().windowName, model_->libraryName(),
                            QDateTime::currentDateTime().toString(Qt::ISODate).left(19).toStdString(), *bytes,
                            model_->libraryMode()};
    if (!store->write(copy))
        model_->setStatusNote("No recovery copy could be written in " + store->folder().toLatin1().toStdString());
}

void EditorWindow::dropRecoveryCopy() {
    if (RecoveryStore* store = recoveryStore()) store->remove(model_->layout().windowName);
}

void EditorWindow::offerLeftWork() {
    RecoveryStore* store = recoveryStore();
    if (!store) return;
    auto setAside = [this](const RecoveryStore::LeftCopy& left) {
        model_->setStatusNote("A damaged recovery copy was moved aside as " +
                              RecoveryStore::moveAside(left).toLatin1().toStdString());
    };
    for (const RecoveryStore::LeftCopy& left : store->leftBehind(model_->layout().windowName)) {
        if (!left.copy) {
            setAside(left);
            continue;
        }
        QMessageBox question(QMessageBox::Question, windowTitle(), fromLatin1(restoreQuestion(*left.copy)),
                             QMessageBox::NoButton, this);
        question.setObjectName(QStringLiteral("RestoreQuestion"));
        question.setTextFormat(Qt::PlainText);  // a file name is never markup
        QPushButton* restore = question.addButton(QStringLiteral("Restore"), QMessageBox::AcceptRole);
        QPushButton* discard = question.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
        question.setDefaultButton(restore);  // no escape: a day's work is dropped only by choice
        question.exec();
        if (question.clickedButton() == discard) RecoveryStore::discard(left);
        if (question.clickedButton() != restore) continue;
        if (model_->restoreLibrary(left.copy->bytes, left.copy->source, restoredMessage(*left.copy),
                                   left.copy->mode)) {
            setAside(left);
            continue;
        }
        // The restored work now lives in this program's own copy; any older
        // ones wait for the next start rather than replace it.
        RecoveryStore::discard(left);
        break;
    }
    render();
}

void EditorWindow::nameFields() {
    nameFieldsByCaptions(layout());
    const QList<QWidget*> widgets = findChildren<QWidget*>();
    for (QWidget* widget : widgets) nameFieldsByCaptions(widget->layout());
    // The caption a screen reader announces for a field: its accessible name,
    // or the text of the label whose buddy it is.
    QHash<const QWidget*, QString> buddyCaptions;
    for (QWidget* widget : widgets)
        if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy()) buddyCaptions.insert(label->buddy(), label->text());
    auto captionOf = [&buddyCaptions](const QWidget* field) {
        return field->accessibleName().isEmpty() ? buddyCaptions.value(field) : field->accessibleName();
    };
    // A drop-down announces its chosen entry, not its caption: name it.
    for (QWidget* widget : widgets)
        if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->accessibleName().isEmpty())
            combo->setAccessibleName(captionOf(combo));
    // Where no caption stands beside a field, the editor's caption of it names it.
    for (int page = 2; page <= 3; ++page)
        for (const auto& [caption, name] : model_->captionsOf(page))
            if (QWidget* field = binding_->widget(name); field && captionOf(field).isEmpty())
                field->setAccessibleName(fromLatin1(caption));
    const std::pair<const char*, const char*> openAndSave[] = {
        {"File1", "Macro files"}, {"Text30", "Chosen macro file"}, {"File2", "Macro files in the working folder"}};
    for (const auto& [name, caption] : openAndSave)
        if (QWidget* field = binding_->widget(name)) field->setAccessibleName(QString::fromLatin1(caption));
}

void EditorWindow::fitToScreen() {
    QScreen* screen = this->screen();
    if (!screen || !layout()) return;
    // What the window needs to show its pages whole, and what the screen offers.
    const QMargins margins = layout()->contentsMargins();
    const QSize strip = layout()->itemAt(1)->sizeHint();
    QSize wanted(content_->width() + margins.left() + margins.right(),
                 content_->height() + layout()->spacing() + strip.height() + margins.top() + margins.bottom());
    const QRect available = screen->availableGeometry();
    const QSize frame = frameGeometry().size() - size();
    const QSize room = available.size() - frame;
    // A page that scrolls one way needs room for that scroll bar the other way.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const bool tooTall = wanted.height() > room.height();
    const bool tooWide = wanted.width() > room.width();
    if (tooTall) wanted.rwidth() += bar;
    if (tooWide) wanted.rheight() += bar;
    const QSize size = wanted.boundedTo(room);
    if (size != this->size() || minimumSize() != size || maximumSize() != size) setFixedSize(size);
    // Never placed off the screen, even in part.
    QRect placed(pos(), size + frame);
    if (!available.contains(placed)) {
        placed.moveRight(std::min(placed.right(), available.right()));
        placed.moveBottom(std::min(placed.bottom(), available.bottom()));
        placed.moveLeft(std::max(placed.left(), available.left()));
        placed.moveTop(std::max(placed.top(), available.top()));
        move(placed.topLeft());
    }
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == content_ && event->type() == QEvent::Resize) fitToScreen();
    return QWidget::eventFilter(watched, event);
}

void EditorWindow::addShortcuts() {
    const FrameLayout& layout = model_->layout();
    struct Key {
        QKeySequence keys;
        std::vector<std::string> byPage;  // what the key presses on pages 1 to 4
        const char* shown;
    };
    const Key keys[] = {
        {QKeySequence(Qt::Key_Return), {"Command1", "Command4", "Command9", "Command11"}, "Enter"},
        {QKeySequence(Qt::Key_Enter), {"Command1", "Command4", "Command9", "Command11"}, "Enter"},
        {QKeySequence(Qt::Key_Escape), {"", "Command5", "Command8", ""}, "Esc"},
        {QKeySequence(Qt::Key_PageDown), {"", "", layout.nextRecord, ""}, "Page Down"},
        {QKeySequence(Qt::Key_PageUp), {"", "", layout.previousRecord, ""}, "Page Up"},
    };
    for (const Key& key : keys) {
        auto* shortcut = new QShortcut(key.keys, this);
        const std::vector<std::string> byPage = key.byPage;
        connect(shortcut, &QShortcut::activated, this, [this, byPage] {
            const int page = model_->visiblePage();
            if (page < 1 || page > 4) return;
            // Enter in the "Go to" box goes there.
            if (focusWidget() && focusWidget()->objectName() == QLatin1String("GoTo") &&
                byPage == std::vector<std::string>{"Command1", "Command4", "Command9", "Command11"}) {
                model_->click("GoTo");
                render();
                return;
            }
            // Enter on a button presses that button, as one expects.
            auto* focused = qobject_cast<QPushButton*>(focusWidget());
            if (focused && byPage == std::vector<std::string>{"Command1", "Command4", "Command9", "Command11"}) {
                focused->click();
                return;
            }
            press(byPage[static_cast<std::size_t>(page - 1)]);
        });
        // Captions stay as they are; the shortcut shows in the tooltip.
        for (const std::string& name : key.byPage) {
            auto* button = qobject_cast<QAbstractButton*>(binding_->widget(name));
            if (button && name != "Command1")
                button->setToolTip(QStringLiteral("Shortcut: %1").arg(QString::fromLatin1(key.shown)));
        }
    }
}

void EditorWindow::addGoToShortcut() {
    auto* box = qobject_cast<QLineEdit*>(binding_->widget("GoTo"));
    if (!box) return;
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), this);
    connect(shortcut, &QShortcut::activated, this, [this, box] {
        if (model_->visiblePage() != 3 || !box->isEnabled()) return;
        box->setFocus(Qt::ShortcutFocusReason);
        box->selectAll();
    });
    box->setToolTip(QStringLiteral("Shortcut: Ctrl+G"));
}

void EditorWindow::press(const std::string& name) {
    if (name.empty()) return;
    if (auto* button = qobject_cast<QAbstractButton*>(binding_->widget(name))) {
        if (button->isEnabled()) button->click();
        return;
    }
    // An action of the model's own that no button stands for (stepping by a list).
    model_->click(name);
    render();
}

void EditorWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    fitToScreen();
    if (QWindow* handle = windowHandle(); handle && !screenFollowed_) {
        screenFollowed_ = true;
        connect(handle, &QWindow::screenChanged, this, [this](QScreen* screen) {
            fitToScreen();
            if (screen) connect(screen, &QScreen::availableGeometryChanged, this, &EditorWindow::fitToScreen, Qt::UniqueConnection);
        });
        if (QScreen* screen = handle->screen())
            connect(screen, &QScreen::availableGeometryChanged, this, &EditorWindow::fitToScreen, Qt::UniqueConnection);
    }
    if (!offered_) {
        offered_ = true;
        // Before anything else, once the window is up: work a dead program left behind.
        QTimer::singleShot(0, this, [this] { offerLeftWork(); });
    }
    auto* pages = findChild<QStackedWidget*>();
    orderTabsOnce(pages->currentWidget());
}

void EditorWindow::orderTabsOnce(QWidget* page) {
    // A page is laid out only while it is in view, so its tab order is set
    // the first time it comes into view.
    if (!page || !isVisible() || tabsOrdered_.contains(page)) return;
    tabsOrdered_.insert(page);
    orderTabs(page);
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    if (!model_->unsaved() && !model_->unconfirmedTyping()) {
        event->accept();
        return;
    }
    QMessageBox question(QMessageBox::Warning, windowTitle(),
                         model_->unsaved() ? QStringLiteral("The library holds changes that are not saved.")
                                           : QStringLiteral("This page holds changes that are not confirmed with OK."),
                         QMessageBox::NoButton, this);
    question.setObjectName(QStringLiteral("CloseQuestion"));
    question.setInformativeText(QStringLiteral("Close the window and lose them?"));
    QPushButton* drop = question.addButton(QStringLiteral("Close without saving"), QMessageBox::DestructiveRole);
    QPushButton* cancel = question.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    question.setDefaultButton(cancel);
    question.setEscapeButton(cancel);
    question.exec();
    if (question.clickedButton() == drop) {
        dropRecoveryCopy();
        event->accept();
    } else {
        event->ignore();
    }
}

EditorWindow::~EditorWindow() {
    // The widgets go first: their last signals must still find the binding.
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

NumberFormat numberFormatOf(const QLocale& locale) {
    const QString point = locale.decimalPoint();
    NumberFormat format;
    if (point.size() == 1 && point.at(0).unicode() < 0x80) format.decimalSeparator = point.at(0).toLatin1();
    return format;
}

NumberFormat systemNumberFormat() { return numberFormatOf(QLocale::system()); }

}  // namespace mc::ui
