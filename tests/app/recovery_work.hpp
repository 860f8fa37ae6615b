#pragma once
// A technician's work in each editor, done through the real widgets: shared
// by the program the recovery tests kill and by the tests themselves, so that
// a restored library can be compared with one entered afresh.

#include <QCoreApplication>
#include <QString>
#include <QTest>

#include "shell/core/selection.hpp"
#include "support/window_driver.hpp"

namespace mc::testing {

// Types into each box and picks in each list ("Combo..."), in this order.
inline void enter(QWidget* editor, std::initializer_list<std::pair<const char*, const char*>> values) {
    for (const auto& [name, text] : values) {
        if (QString::fromLatin1(name).startsWith(QStringLiteral("Combo"))) pickInCombo(editor, name, QString::fromLatin1(text));
        else typeInto(editor, name, QString::fromLatin1(text));
    }
}

inline void fillProtocolSettings(QWidget* editor, EditorKind kind) {
    enter(editor, {{"Text1", "1234"}, {"Text2", "11"}, {"Text3", "33"}, {"Text4", "22"}, {"Text5", "0.1"}, {"Text6", "2"},
                   {"Text7", "0.5"}, {"Text8", "0.5"}, {"Text9", "2"}, {"Text10", "350"}, {"Text11", "100"}, {"Text12", "1"},
                   {"Text13", "30"}, {"Text14", "5"}, {"Text15", "10"}, {"Text16", "5"}, {"Combo1", "Level Two"},
                   {"Combo2", "No Code"}, {"Combo3", "Level One"}, {"Combo4", "Level Three"}, {"Combo5", "Level Two"},
                   {"Combo6", "Level Two"}, {"Combo7", "Level One"}, {"Combo8", "Level Three"}, {"Combo9", "Code switch"},
                   {"Combo10", "ON"}, {"Combo12", "ON"}, {"Combo13", "OFF"}, {"Combo14", "5"}, {"Combo15", "4"}, {"Combo16", "ON"},
                   {"Combo17", "Boluses"}, {"Combo18", "24"}});
    if (kind == EditorKind::Rx) enter(editor, {{"Text31", "400"}});
    else enter(editor, {{"Combo11", "Normal"}, {"Text17", "30"}});
}

// Starts a new library and confirms its first page; in the 041 editor a drug too.
inline void enterWork(QWidget* editor, EditorKind kind) {
    switch (kind) {
    case EditorKind::Quelda041:
        clickButton(editor, "Command12");
        typeInto(editor, "Text1", QStringLiteral("Intensive Care"));
        clickButton(editor, "Command4");
        clickButton(editor, "Command3");
        enter(editor, {{"Text26", "Dobutamine"}, {"Combo2", "mcg/mL"}, {"Combo3", "mg"}, {"Combo1", "mcg/kg/min"},
                       {"Text27", "250"}, {"Text28", "500"}, {"Text31", "2.5"}, {"Text32", "20"}});
        QTest::mouseClick(widget(editor, "Check1"), Qt::LeftButton);
        clickButton(editor, "Command9");
        break;
    case EditorKind::Quelda036:
        clickButton(editor, "Command12");
        typeInto(editor, "Text1", QStringLiteral("Intensive Care"));
        clickButton(editor, "Command4");
        break;
    case EditorKind::OrrxUsa:  // a US library is saved with at least one drug
        clickButton(editor, "Command12");
        typeInto(editor, "Text1", QStringLiteral("Intensive Care"));
        clickButton(editor, "Command4");
        clickButton(editor, "Command3");
        enter(editor, {{"Text26", "Dobutamine"}, {"Text25", "10"}, {"Text33", "100"}, {"Combo2", "MG/ML"}, {"Text27", "5"},
                       {"Combo1", "MCG/KG/MIN"}, {"Text28", "5"}, {"Text31", "2"}, {"Text32", "10"}, {"Text34", "1"},
                       {"Text35", "20"}, {"Combo3", "WEIGHT"}, {"Text36", "1"}, {"Text39", "1"}, {"Text40", "2"},
                       {"Text41", "0.5"}, {"Text42", "3"}, {"Combo4", "SS"}, {"Text37", "30"}});
        QTest::mouseClick(widget(editor, "Check1"), Qt::LeftButton);
        clickButton(editor, "Command9");
        break;
    case EditorKind::Rx:
    case EditorKind::Kt:
        clickButton(editor, "Command13");
        fillProtocolSettings(editor, kind);
        clickButton(editor, "Command4");
        break;
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
