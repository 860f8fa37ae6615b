#include "shell/ui/editor_window.hpp"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace mc::ui {
namespace {

template <typename W>
W* named(const std::string& name, QWidget* parent = nullptr) {
    auto* widget = new W(parent);
    widget->setObjectName(QString::fromStdString(name));
    return widget;
}

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
    side->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addWidget(fileList("File1"));
    columns->addLayout(side);
    columns->addStretch();
    auto* all = new QVBoxLayout(page);
    all->addLayout(columns);
    all->addWidget(messageLabel(layout.openMessage));
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

}  // namespace

EditorWindow::EditorWindow(std::unique_ptr<EditorFrame> model, QWidget* page2Fields, QWidget* page3Fields)
    : model_(std::move(model)) {
    const FrameLayout& layout = model_->layout();
    setObjectName(QString::fromStdString(layout.windowName));
    setWindowTitle(fromLatin1(layout.caption));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* page3Buttons = new QHBoxLayout;
    for (const auto& [name, caption] : layout.recordButtons) page3Buttons->addWidget(named<QPushButton>(name));
    page3Buttons->addStretch();
    for (const char* name : {"Command7", "Command8", "Command9", "Command10"})
        page3Buttons->addWidget(named<QPushButton>(name));

    auto* pages = new QStackedWidget;
    pages->addWidget(openPage(layout));
    pages->addWidget(dataPage("Frame2", page2Fields, "Label36",
                              buttonRow({"Command2", "Command5", "Command4", "Command3"})));
    pages->addWidget(dataPage("Frame3", page3Fields, "Label74", page3Buttons));
    pages->addWidget(savePage());

    auto* all = new QVBoxLayout(this);
    all->addWidget(pages);
    all->setSizeConstraint(QLayout::SetFixedSize);

    for (auto* button : findChildren<QPushButton*>()) button->setStyle(roomyButtons());

    binding_ = std::make_unique<FormBinding>(this, *model_);
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
