#include "shell/ui/window_fit.hpp"

#include <QScreen>
#include <QStyle>
#include <algorithm>

namespace mc::ui {

void offerNoMaximise(QWidget* window) {
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
}

QMargins frameMarginsOf(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    const QMargins known(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                         frame.bottom() - client.bottom());
    if (!known.isNull()) return known;
    const int border = 4;
    const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return {border, std::max(title, 24) + border, border, border};
}

void fitOnScreen(QWidget* window, QSize wanted, bool centre) {
    QScreen* screen = window->screen();
    if (!screen) return;
    const QRect available = screen->availableGeometry();
    const QMargins frame = frameMarginsOf(window);
    const QSize room = available.size().shrunkBy(frame);
    const QSize size = wanted.boundedTo(room);
    if (window->size() != size || window->minimumSize() != size || window->maximumSize() != size)
        window->setFixedSize(size);
    // A framed window's position is its frame's top left corner; before a
    // window manager has framed it, its client area's, and the frame comes
    // around that.
    const bool framed = window->frameGeometry() != window->geometry();
    const QPoint toClient = framed ? QPoint() : QPoint(frame.left(), frame.top());
    QRect placed(window->pos() - toClient, size.grownBy(frame));
    if (centre) placed.moveCenter(available.center());
    placed.moveRight(std::min(placed.right(), available.right()));
    placed.moveBottom(std::min(placed.bottom(), available.bottom()));
    placed.moveLeft(std::max(placed.left(), available.left()));
    placed.moveTop(std::max(placed.top(), available.top()));
    if (placed.topLeft() + toClient != window->pos()) window->move(placed.topLeft() + toClient);
}

}  // namespace mc::ui
