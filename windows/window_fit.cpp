#include "window_fit.h"

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QEvent>
#include <QWidget>
#include <algorithm>

namespace {

// Room for a frame the window manager has not drawn yet: borders and a title bar, px.
const QMargins kUnknownFrame(8, 32, 8, 8);

}  // namespace

void FitIntoScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    QMargins frame(window->geometry().left() - window->frameGeometry().left(),
                   window->geometry().top() - window->frameGeometry().top(),
                   window->frameGeometry().right() - window->geometry().right(),
                   window->frameGeometry().bottom() - window->geometry().bottom());
    if (frame.isNull()) frame = kUnknownFrame;
    const QSize room = area.size().shrunkBy(frame);
    const QSize size = window->size().boundedTo(room).expandedTo(window->minimumSize());
    if (size != window->size()) window->resize(size);
    // move() places the frame's top-left corner.
    const QSize outer = size.grownBy(frame);
    const int x = std::clamp(window->x(), area.left(),
                             std::max(area.left(), area.right() + 1 - outer.width()));
    const int y = std::clamp(window->y(), area.top(),
                             std::max(area.top(), area.bottom() + 1 - outer.height()));
    if (QPoint(x, y) != window->pos()) window->move(x, y);
}

namespace {

class ScreenFit : public QObject {
  public:
    explicit ScreenFit(QWidget* window) : QObject(window) { window->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched == parent())
            FitIntoScreen(static_cast<QWidget*>(watched));
        return false;
    }
};

}  // namespace

void KeepOnScreen(QWidget* window) {
    new ScreenFit(window);
}
