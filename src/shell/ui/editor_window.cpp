#include "shell/ui/editor_window.hpp"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
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
#include "shell/ui/review_windows.hpp"
#include "shell/ui/window_fit.hpp"
#include "shell/ui/working_folder.hpp"

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

// A page's message label in a place of its own, a few lines high: however
// many messages it lists, they scroll there, and the page keeps its size.
QScrollArea* messageArea(const std::string& name, int pointSize = 0) {
    auto* label = named<QLabel>(name);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (pointSize > 0) {
        QFont font = label->font();
        font.setPointSize(pointSize);
        label->setFont(font);
    }
    auto* area = new QScrollArea;
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus);  // the keyboard stays with the page's fields
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);  // as wide as the page, never wider
    area->setFixedHeight((pointSize > 0 ? 4 : 3) * QFontMetrics(label->font()).lineSpacing() + 8);
    area->setWidget(label);
    return area;
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
    all->addWidget(messageArea(layout.openMessage));
    // Small type: which folder the lists show and Save writes into, and the
    // button that chooses another.
    auto* folder = named<QLabel>(std::string(WorkingFolder));
    QFont small = folder->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    folder->setFont(small);
    folder->setWordWrap(true);
    folder->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);  // a long path wraps
    folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folder, 1);
    folderRow->addWidget(named<QPushButton>(std::string(ChooseFolder)), 0, Qt::AlignTop);
    all->addLayout(folderRow);
    return page;
}

QGroupBox* dataPage(const std::string& frame, QWidget* fields, const std::string& message,
                    QHBoxLayout* buttons, int messagePointSize = 0) {
    auto* page = named<QGroupBox>(frame);
    auto* all = new QVBoxLayout(page);
    all->addWidget(fields);
    all->addStretch();
    all->addWidget(messageArea(message, messagePointSize));
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
    all->addWidget(messageArea("Label76"));
    all->addLayout(buttonRow({"Command6", "ReviewChanges", "Command11"}));
    return page;
}

// The status strip at the foot of the window: the library and whether it is
// saved, and below them what the last action did.
QVBoxLayout* statusStrip() {
    auto* top = new QHBoxLayout;
    top->addWidget(named<QLabel>(std::string(StatusLibrary)));
    // Long notes and messages wrap instead of widening the window.
    auto* note = named<QLabel>(std::string(StatusNote));
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    note->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    top->addWidget(note, 1);
    top->addWidget(named<QLabel>(std::string(StatusSaved)));
    // "3 problems": shows the Problems list.
    auto* problems = named<QPushButton>("StatusProblems");
    problems->setFlat(true);
    problems->setAccessibleName(QStringLiteral("Problems"));
    top->addWidget(problems);
    auto* message = named<QLabel>(std::string(StatusMessage));
    message->setWordWrap(true);
    message->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // Room for two lines from the start, so that a message does not push the pages up.
    message->setMinimumHeight(2 * message->fontMetrics().lineSpacing());
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
// The page's fields, in that order.
QList<QPointer<QWidget>> orderTabs(QWidget* page) {
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
    return {fields.begin(), fields.end()};
}

// Where typing goes on a page: its first box that takes typing, else (the
// Open page) its first field.
QWidget* firstBox(const QList<QPointer<QWidget>>& fields) {
    QWidget* first = nullptr;
    for (QWidget* field : fields) {
        if (!field || !field->isVisible() || !field->isEnabled()) continue;
        auto* box = qobject_cast<QLineEdit*>(field);
        if (box && !box->isReadOnly()) return box;
        if (!first) first = field;
    }
    return first;
}

// Marks a layout, and every layout inside it, to be measured again.
void measureAfresh(QLayout* layout) {
    for (int i = 0; QLayoutItem* item = layout->itemAt(i); ++i)
        if (QLayout* inner = item->layout()) measureAfresh(inner);
    layout->invalidate();
}

// Every control keeps its place while hidden, so that a page not yet shown
// (whose controls Qt counts as hidden) already has its full size.
void keepPlacesWhileHidden(QWidget* pages) {
    for (QWidget* widget : pages->findChildren<QWidget*>()) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
}

}  // namespace

EditorWindow::EditorWindow(std::unique_ptr<EditorFrame> model, QWidget* page2Fields, QWidget* page3Fields)
    : model_(std::move(model)) {
    const FrameLayout& layout = model_->layout();
    setObjectName(QString::fromStdString(layout.windowName));
    setWindowTitle(fromLatin1(layout.caption));
    setAttribute(Qt::WA_DeleteOnClose);
    offerNoMaximise(this);  // the window keeps one size

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
                              buttonRow({"Command2", "Command5", "Command4", "Command3"}),
                              layout.page2MessagePointSize));
    pages->addWidget(dataPage("Frame3", page3Fields, "Label74", page3Buttons));
    pages->addWidget(savePage());
    keepPlacesWhileHidden(pages);

    // The pages keep their own size; where the screen is smaller than they
    // are, they scroll inside the window so that every control stays reachable.
    content_ = new QWidget;
    auto* contentLayout = new QVBoxLayout(content_);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->addWidget(pages);
    contentLayout->setSizeConstraint(QLayout::SetFixedSize);
    auto* scroll = named<QScrollArea>("PageScroll");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);  // a click beside the fields leaves the keyboard where it is
    scroll->setWidget(content_);

    auto* all = new QVBoxLayout(this);
    all->addWidget(scroll);
    all->addLayout(statusStrip());

    for (auto* button : findChildren<QPushButton*>()) button->setStyle(roomyButtons());

    const auto afterEvent = [this] {
        followFreshPage();
        followProblems();
    };
    binding_ = std::make_unique<FormBinding>(this, *model_, afterEvent, QStringList{QStringLiteral("PageScroll")});
    // A control without its widget would never be shown; a widget without its control never filled.
    for (const QString& mismatch : binding_->mismatches())
        qCritical("%s: %s", qPrintable(objectName()), qPrintable(mismatch));
    model_->askWith([this](const Question& question) { return ask(question); });
    connect(qobject_cast<QPushButton*>(binding_->widget(std::string(ChooseFolder))), &QPushButton::clicked, this,
            &EditorWindow::chooseFolder);
    problemsWindow_ = new ProblemsWindow(this, [this](int row) {
        model_->showProblem(static_cast<std::size_t>(row));
        render();
        activateWindow();
    });
    connect(qobject_cast<QPushButton*>(binding_->widget("StatusProblems")), &QPushButton::clicked, this,
            [this] { showProblems(true); });
    connect(qobject_cast<QPushButton*>(binding_->widget("ReviewChanges")), &QPushButton::clicked, this,
            &EditorWindow::reviewChanges);
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
        for (const PageField& field : model_->pageTable(page))
            if (QWidget* widget = binding_->widget(field.control); widget && captionOf(widget).isEmpty())
                widget->setAccessibleName(fromLatin1(field.caption));
    const std::pair<const char*, const char*> openAndSave[] = {
        {"File1", "Macro files"}, {"Text30", "Chosen macro file"}, {"File2", "Macro files in the working folder"}};
    for (const auto& [name, caption] : openAndSave)
        if (QWidget* field = binding_->widget(name)) field->setAccessibleName(QString::fromLatin1(caption));
}

QSize EditorWindow::wantedSize() const {
    // The largest page (the stack is as large as its largest page), the
    // status strip below it, and room for a scroll bar where a page scrolls.
    const QMargins margins = layout()->contentsMargins();
    // Qt lays out no page out of view, and keeps the sizes it measured of
    // them before they were polished: they are measured afresh.
    for (QWidget* widget : content_->findChildren<QWidget*>()) {
        widget->updateGeometry();
        if (widget->layout()) measureAfresh(widget->layout());
    }
    const QSize pages = content_->sizeHint();
    const QSize strip = layout()->itemAt(1)->sizeHint();
    QSize wanted(std::max(pages.width(), strip.width()) + margins.left() + margins.right(),
                 pages.height() + layout()->spacing() + strip.height() + margins.top() + margins.bottom());
    if (QScreen* screen = this->screen()) {
        const QSize room = screen->availableGeometry().size().shrunkBy(frameMarginsOf(this));
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        const bool tooTall = wanted.height() > room.height();
        if (wanted.width() > room.width()) wanted.rheight() += bar;
        if (tooTall) wanted.rwidth() += bar;
    }
    return wanted;
}

void EditorWindow::fitToScreen() { fitOnScreen(this, wantedSize(), false); }

bool EditorWindow::event(QEvent* event) {
    // A window manager frames and places a window after it is shown (moving
    // it, or only framing it before it becomes active): until it stands
    // framed on its screen, it is brought back wholly onto it. Only these two
    // events are looked at after the base class: others (a deferred delete)
    // may have ended the window.
    const bool placed = event->type() == QEvent::Move || event->type() == QEvent::WindowActivate;
    const bool handled = QWidget::event(event);
    if (placed && placing_ && isVisible()) {
        fitToScreen();
        const QRect frame = frameGeometry();
        if (frame != geometry() && screen() && screen()->availableGeometry().contains(frame)) placing_ = false;
    }
    return handled;
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
    if (placing_) fitOnScreen(this, wantedSize(), true);  // opens in the middle of its screen
    else fitToScreen();
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
    followFreshPage();  // the first time shown: the keyboard goes to the page in view
}

void EditorWindow::orderTabsOnce(QWidget* page) {
    // A page is laid out only while it is in view, so its tab order is set
    // the first time it comes into view.
    if (!page || !isVisible() || fieldsOf_.contains(page)) return;
    fieldsOf_.insert(page, orderTabs(page));
}

void EditorWindow::render() {
    binding_->render();
    followFreshPage();
    followProblems();
}

void EditorWindow::followProblems() {
    const std::size_t count = model_->problems().size();
    // The list comes up when problems are found, and follows them while it is up.
    if ((count > 0 && problemsShown_ == 0) || (problemsWindow_->isVisible() && count != problemsShown_))
        showProblems(false);
    if (count == 0) problemsWindow_->hide();
    problemsShown_ = count;
}

void EditorWindow::showProblems(bool toFront) {
    problemsShown_ = model_->problems().size();
    if (problemsShown_ == 0) return;
    const bool typingHere = isActiveWindow();
    problemsWindow_->show(model_->problems(), [this](int page, const std::string& control) {
        const PageField* field = fieldOf(model_->pageTable(page), control);
        return field ? field->caption : control;
    });
    if (toFront) {
        problemsWindow_->raise();
        problemsWindow_->activateWindow();
    } else if (typingHere) {
        activateWindow();  // where the platform activates every window shown
    }
}

void EditorWindow::reviewChanges() {
    ChangesWindow changes(this, model_->changes(), [this] {
        model_->printChanges();
        render();
    });
    changes.exec();
}

void EditorWindow::followFreshPage() {
    if (model_->freshPages() == freshPagesSeen_ || !isVisible()) return;
    freshPagesSeen_ = model_->freshPages();
    QWidget* page = findChild<QStackedWidget*>()->currentWidget();
    orderTabsOnce(page);
    if (QWidget* box = firstBox(fieldsOf_.value(page))) box->setFocus(Qt::OtherFocusReason);
}

void EditorWindow::chooseFolder() {
    QFileDialog dialog(this, QStringLiteral("Choose the working folder"),
                       QFile::decodeName(model_->workingDirectory().native().c_str()));
    dialog.setObjectName(QStringLiteral("FolderDialog"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const std::filesystem::path folder(QFile::encodeName(dialog.selectedFiles().first()).toStdString());
    model_->setWorkingDirectory(folder);
    folderChosen(folder);
    render();
}

bool EditorWindow::ask(const Question& question) {
    QMessageBox box(QMessageBox::Warning, windowTitle(), fromLatin1(question.text), QMessageBox::NoButton, this);
    box.setObjectName(QString::fromStdString(question.name));
    QPushButton* goAhead = box.addButton(fromLatin1(question.goAhead), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);  // Enter and Escape leave everything as it was
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == goAhead;
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    if (const auto question = model_->closeQuestion(); question && !ask(*question)) {
        event->ignore();
        return;
    }
    dropRecoveryCopy();
    event->accept();
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
