#include "screen_scroll_area.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

// Room the window needs around the scroll area on the screen: the frame the window manager
// draws, a title bar, a status bar, px.
const QSize kAroundArea(32, 96);

}  // namespace

TScreenScrollArea::TScreenScrollArea(QWidget* content, QWidget* parent) : QScrollArea(parent) {
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setWidget(content);
}

QSize TScreenScrollArea::minimumSizeHint() const {
    const QSize own = QScrollArea::minimumSizeHint();
    if (widget() == nullptr) return own;
    const QScreen* shown = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    QSize wanted = widget()->minimumSizeHint();
    if (shown != nullptr) wanted = wanted.boundedTo(shown->availableGeometry().size() - kAroundArea);
    return wanted.expandedTo(own);
}
