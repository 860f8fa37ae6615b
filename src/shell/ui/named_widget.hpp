#pragma once
// A new widget carrying its control's name, by which the form binding finds it.

#include <QString>
#include <QWidget>
#include <string>

namespace mc::ui {

template <typename W>
W* named(const QString& name, QWidget* parent = nullptr) {
    auto* widget = new W(parent);
    widget->setObjectName(name);
    return widget;
}

template <typename W>
W* named(const std::string& name, QWidget* parent = nullptr) {
    return named<W>(QString::fromStdString(name), parent);
}

template <typename W>
W* named(const char* name, QWidget* parent = nullptr) {
    return named<W>(QString::fromLatin1(name), parent);
}

}  // namespace mc::ui
