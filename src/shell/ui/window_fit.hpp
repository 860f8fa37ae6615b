#pragma once
// Where the program's windows stand and how large they are: wholly on their
// screen, whatever the window manager does, and never offering to maximise
// a window that cannot grow.

#include <QMargins>
#include <QSize>
#include <QWidget>

namespace mc::ui {

// Title bar and buttons without "Maximise"; call before the window is shown.
void offerNoMaximise(QWidget* window);

// The frame a window manager draws around the window. Before the window is
// framed, as large as title bars and borders commonly are, so that a window
// sized and placed with it is never cut off.
QMargins frameMarginsOf(const QWidget* window);

// Gives the window the fixed size `wanted`, within the available area of its
// screen, and moves it (with its frame) wholly onto that area: to its middle
// when `centre`, else by no more than it must.
void fitOnScreen(QWidget* window, QSize wanted, bool centre);

}  // namespace mc::ui
