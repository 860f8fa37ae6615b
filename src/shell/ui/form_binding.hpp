#pragma once
// Connects a window's widgets to the Form of its model: widgets are matched to
// controls by objectName, user events go to the model, and after each event
// the whole form is rendered again. Texts cross here between QString and the
// core's Latin-1 bytes.

#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <string>

#include "shell/core/form.hpp"

namespace mc::ui {

QString fromLatin1(const std::string& text);
std::string toLatin1(const QString& text);

class FormBinding {
public:
    // Binds every descendant of `root` whose objectName names a control of
    // the model's form. `afterEvent` runs after each forwarded event, once
    // the widgets show its outcome.
    // Widgets named in `structure` hold the window together and show no control.
    FormBinding(QWidget* root, FormModel& model, std::function<void()> afterEvent = {},
                const QStringList& structure = {});

    // Pushes the whole form into the widgets.
    void render();

    // The widget bound to the control of this name; null when there is none.
    QWidget* widget(const std::string& name) const;

    // What does not match between the widgets and the form: a control no
    // widget shows, a named widget of no control, two widgets of one name.
    // Empty for a window built right; a window checks it when it starts.
    const QStringList& mismatches() const { return mismatches_; }

private:
    void connectWidget(QWidget* widget, const std::string& name);
    void forwarded();

    FormModel& model_;
    std::function<void()> afterEvent_;
    QHash<QString, QPointer<QWidget>> widgets_;
    QStringList mismatches_;
    bool rendering_ = false;
};

}  // namespace mc::ui
