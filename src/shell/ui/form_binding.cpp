#include "shell/ui/form_binding.hpp"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QAccessible>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QValidator>
#include <algorithm>

namespace mc::ui {
namespace {

// The macro files are 8-bit text: characters beyond Latin-1 cannot be typed.
// The box's length limit holds typing only, so that a longer text shown from
// memory stays whole: typing may not make the text grow past the limit.
class TypingValidator : public QValidator {
public:
    explicit TypingValidator(QLineEdit* edit) : QValidator(edit) {
        // The box's text before an edit: the line edit already holds the edited text when it asks.
        QObject::connect(edit, &QLineEdit::textChanged, this,
                         [this](const QString& text) { committedLength_ = text.size(); });
    }
    // Before the model's text is put into the box: that text is accepted whole.
    void prepare(int maxLength, qsizetype shownLength) {
        maxLength_ = maxLength;
        committedLength_ = shownLength;
    }
    State validate(QString& input, int&) const override {
        for (QChar c : input)
            if (c.unicode() > 0xFF) return Invalid;
        if (maxLength_ > 0 && input.size() > maxLength_ && input.size() > committedLength_) return Invalid;
        return Acceptable;
    }

private:
    int maxLength_ = 0;
    qsizetype committedLength_ = 0;
};

QStringList listFromLatin1(const std::vector<std::string>& items) {
    QStringList list;
    for (const auto& item : items) list << mc::ui::fromLatin1(item);
    return list;
}

void renderList(QListWidget* list, const Control& control) {
    const QStringList items = listFromLatin1(control.items);
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
    if (shown != items) {
        list->clear();
        list->addItems(items);
    }
    if (control.selected >= 0) {
        if (list->currentRow() != control.selected || !list->item(control.selected)->isSelected())
            list->setCurrentRow(control.selected);
    } else {
        list->clearSelection();
        list->setCurrentIndex(QModelIndex());
    }
}

void renderCombo(QComboBox* combo, const Control& control) {
    const QStringList items = listFromLatin1(control.items);
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
    if (shown != items) {
        combo->clear();
        combo->addItems(items);
    }
    combo->setCurrentIndex(control.selected);
}

// Failures stand out in an error colour: a message label's text, and the
// field a failed rule names. Everything else keeps the style's palette.
void renderError(QWidget* widget, bool error) {
    static const QColor errorText(0xB0, 0x00, 0x20);
    static const QColor errorField(0xFF, 0xE4, 0xE4);
    if (!error && !widget->testAttribute(Qt::WA_SetPalette)) return;
    QPalette palette;  // the inherited palette
    if (error) {
        palette = widget->palette();
        if (qobject_cast<QLabel*>(widget)) {
            palette.setColor(QPalette::WindowText, errorText);
        } else {
            palette.setColor(QPalette::Base, errorField);
            palette.setColor(QPalette::Button, errorField);
        }
    }
    widget->setPalette(palette);
}

}  // namespace

QString fromLatin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toLatin1(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

FormBinding::FormBinding(QWidget* root, FormModel& model, std::function<void()> afterEvent,
                         const QStringList& structure)
    : model_(model), afterEvent_(std::move(afterEvent)) {
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        const QString objectName = widget->objectName();
        // Qt names the parts of its own widgets "qt_...".
        if (objectName.isEmpty() || objectName.startsWith(QLatin1String("qt_")) || structure.contains(objectName))
            continue;
        const std::string name = objectName.toStdString();
        if (!model_.form().has(name)) {
            mismatches_ << QStringLiteral("the widget %1 shows no control").arg(objectName);
            continue;
        }
        if (widgets_.contains(objectName)) {
            mismatches_ << QStringLiteral("two widgets are named %1").arg(objectName);
            continue;
        }
        widgets_.insert(objectName, widget);
        // A control hidden by its model keeps its place, so a page does not jump.
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
        connectWidget(widget, name);
    }
    for (const auto& [name, control] : model_.form().controls())
        if (!widgets_.contains(QString::fromStdString(name)))
            mismatches_ << QStringLiteral("the control %1 has no widget").arg(QString::fromStdString(name));
    render();
}

void FormBinding::connectWidget(QWidget* widget, const std::string& name) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setValidator(new TypingValidator(edit));
        QObject::connect(edit, &QLineEdit::textEdited, edit, [this, name](const QString& text) {
            model_.textEdited(name, toLatin1(text));
            forwarded();
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QObject::connect(combo, &QComboBox::activated, combo, [this, name](int index) {
            model_.pick(name, index);
            forwarded();
        });
    } else if (auto* option = qobject_cast<QRadioButton*>(widget)) {
        // The model decides which option is chosen; the button only reports the click.
        option->setAutoExclusive(false);
        QObject::connect(option, &QRadioButton::clicked, option, [this, name] {
            model_.click(name);
            forwarded();
        });
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        QObject::connect(check, &QCheckBox::clicked, check, [this, name](bool checked) {
            model_.toggle(name, checked);
            forwarded();
        });
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        QObject::connect(button, &QAbstractButton::clicked, button, [this, name] {
            model_.click(name);
            forwarded();
        });
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setTextFormat(Qt::PlainText);
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        // A file is chosen when the user selects it, by a click or by moving
        // to it with the keyboard. The row a list makes current on its own
        // when it takes the focus is not selected, so it chooses nothing.
        QObject::connect(list, &QListWidget::itemSelectionChanged, list, [this, name, list] {
            const QList<QListWidgetItem*> selected = list->selectedItems();
            if (rendering_ || selected.isEmpty()) return;
            model_.pick(name, list->row(selected.first()));
            forwarded();
        });
        QObject::connect(list, &QListWidget::itemDoubleClicked, list, [this, name](QListWidgetItem*) {
            model_.doubleClick(name);
            forwarded();
        });
    }
}

QWidget* FormBinding::widget(const std::string& name) const {
    return widgets_.value(QString::fromStdString(name));
}

void FormBinding::forwarded() {
    render();
    if (afterEvent_) afterEvent_();
}

void FormBinding::render() {
    rendering_ = true;
    const Form& form = model_.form();
    for (auto it = widgets_.constBegin(); it != widgets_.constEnd(); ++it) {
        QWidget* widget = it.value();
        if (!widget) continue;
        const Control& control = form[it.key().toStdString()];
        const QString text = fromLatin1(control.text);
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            if (auto* typing = dynamic_cast<TypingValidator*>(const_cast<QValidator*>(edit->validator())))
                typing->prepare(control.maxLength, text.size());
            if (edit->text() != text) edit->setText(text);
            // Numbers stand right-aligned, so that a column of them reads like a table.
            const Qt::Alignment alignment = (control.numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
            if (edit->alignment() != alignment) edit->setAlignment(alignment);
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            renderCombo(combo, control);
        } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            check->setText(text);
            check->setChecked(control.checked);
        } else if (auto* option = qobject_cast<QRadioButton*>(widget)) {
            option->setText(text);
            option->setChecked(control.checked);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            button->setText(text);
        } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
            renderList(list, control);
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            // Messages end every line with CR LF; a label breaks at LF alone.
            QString lines = QString(text).remove(QLatin1Char('\r'));
            while (lines.endsWith(QLatin1Char('\n'))) lines.chop(1);
            if (label->text() != lines) {
                label->setText(lines);
                // A changed message is announced, as a status line should be.
                QAccessibleEvent changed(label, QAccessible::NameChanged);
                QAccessible::updateAccessibility(&changed);
            }
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            group->setTitle(text);
        }
        widget->setEnabled(control.enabled);
        renderError(widget, control.error);
        // Pages are shown by their stack; every other control by its flag.
        if (auto* stack = qobject_cast<QStackedWidget*>(widget->parentWidget())) {
            if (control.visible) stack->setCurrentWidget(widget);
        } else if (widget->isHidden() == control.visible) {
            widget->setVisible(control.visible);
        }
    }
    rendering_ = false;
}

}  // namespace mc::ui
