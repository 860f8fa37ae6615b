#pragma once
// A technician's work in each editor, done through the real widgets: shared
// by the program the recovery tests kill and by the tests themselves, so that
// a restored library can be compared with one entered afresh.

#include <QCoreApplication>
#include <QString>

#include "shell/core/selection.hpp"
#include "support/passing_pages.hpp"
#include "support/window_driver.hpp"

namespace mc::testing {

// Starts a new macro and confirms its first page; in the 041 and US editors a drug too.
// A protocol macro is for a pump in EPIDURAL mode, which is part of the work.
inline void enterWork(QWidget* editor, EditorKind kind) {
    if (kind == EditorKind::Rx || kind == EditorKind::Kt) {
        widget<QAbstractButton>(editor, "EPIDURAL")->click();  // a click on its middle may miss the button
        clickButton(editor, "Command13");
        enter(editor, passingSettings(kind == EditorKind::Rx));
        clickButton(editor, "Command4");
    } else {
        clickButton(editor, "Command12");
        typeInto(editor, "Text1", QStringLiteral("Intensive Care"));
        clickButton(editor, "Command4");
    }
    if (kind == EditorKind::Quelda041 || kind == EditorKind::OrrxUsa) {  // a US library is saved with a drug only
        clickButton(editor, "Command3");
        enter(editor, kind == EditorKind::OrrxUsa
                          ? passingUsDrug("Dobutamine")
                          : Entries{{"Text26", "Dobutamine"}, {"Combo2", "mcg/mL"}, {"Combo3", "mg"}, {"Combo1", "mcg/kg/min"},
                                    {"Text27", "250"}, {"Text28", "500"}, {"Text31", "2.5"}, {"Text32", "20"}, {"Check1", "1"}});
        clickButton(editor, "Command9");
    }
    QCoreApplication::processEvents();
}

// Saves the library in memory under `name` from whichever data page is in view.
inline void saveAs(QWidget* editor, const QString& name) {
    if (widget(editor, "Frame2")->isVisible()) clickButton(editor, "Command3");
    clickButton(editor, "Command10");
    typeInto(editor, "Text29", name);
    clickButton(editor, "Command11");
}

}  // namespace mc::testing
