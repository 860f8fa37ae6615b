#pragma once
// Drives a real window through its widgets, found by objectName, and saves
// pictures of what it shows for anyone to look at.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QWidget>
#include <string>
#include <utility>
#include <vector>

namespace mc::testing {

template <typename W = QWidget>
W* widget(QWidget* window, const char* name) {
    auto* found = window->findChild<W*>(QString::fromLatin1(name));
    if (!found) qFatal("no widget %s", name);
    return found;
}

inline void clickButton(QWidget* window, const char* name) {
    QTest::mouseClick(widget<QAbstractButton>(window, name), Qt::LeftButton);
}

inline void typeInto(QWidget* window, const char* name, const QString& text) {
    auto* edit = widget<QLineEdit>(window, name);
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty()) QTest::keyClick(edit, Qt::Key_Backspace);
    else QTest::keyClicks(edit, text);
}

inline QPoint entryPosition(QListWidget* list, const QString& entry) {
    const auto items = list->findItems(entry, Qt::MatchExactly);
    if (items.isEmpty()) qFatal("no entry %s", qPrintable(entry));
    return list->visualItemRect(items.first()).center();
}

inline void chooseInList(QWidget* window, const char* name, const QString& entry) {
    auto* list = widget<QListWidget>(window, name);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entryPosition(list, entry));
}

inline void doubleClickInList(QWidget* window, const char* name, const QString& entry) {
    auto* list = widget<QListWidget>(window, name);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, entryPosition(list, entry));
}

inline void pickInCombo(QWidget* window, const char* name, const QString& entry) {
    auto* combo = widget<QComboBox>(window, name);
    const int index = combo->findText(entry);
    if (index < 0) qFatal("no entry %s", qPrintable(entry));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// Picks in each list ("Combo..."), ticks or clears each check box ("1" or ""),
// types into each box, in the order given.
inline void enter(QWidget* window, const std::vector<std::pair<std::string, std::string>>& values) {
    for (const auto& [name, text] : values) {
        if (name.starts_with("Combo")) pickInCombo(window, name.c_str(), QString::fromStdString(text));
        else if (!name.starts_with("Check")) typeInto(window, name.c_str(), QString::fromStdString(text));
        else if (widget<QCheckBox>(window, name.c_str())->isChecked() == text.empty())
            QTest::mouseClick(widget(window, name.c_str()), Qt::LeftButton);
    }
}

inline QString shown(QWidget* window, const char* name) {
    QWidget* w = widget(window, name);
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentText();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
    return {};
}

inline bool enabled(QWidget* window, const char* name) { return widget(window, name)->isEnabled(); }

// Whether the control is on screen: its page is the one in view and it is not hidden.
inline bool visible(QWidget* window, const char* name) { return widget(window, name)->isVisible(); }

inline void saveScreenshot(QWidget* window, const QString& name) {
    QDir().mkpath(QStringLiteral(MC_SCREENSHOT_DIR));
    QApplication::processEvents();
    window->grab().save(QStringLiteral(MC_SCREENSHOT_DIR "/") + name + QStringLiteral(".png"));
}

}  // namespace mc::testing
