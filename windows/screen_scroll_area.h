#pragma once

#include <QScrollArea>

/// A scroll area around the whole content of a window: it asks for the room its content needs
/// as long as the screen has it, so the window opens as it would without it; on a smaller
/// screen it asks for no more than the screen gives and scrolls instead.
class TScreenScrollArea : public QScrollArea {
    Q_OBJECT
  public:
    explicit TScreenScrollArea(QWidget* content, QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
};
