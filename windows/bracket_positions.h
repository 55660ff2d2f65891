#pragma once

#include <QWidget>

/// The coupling seen from rotor 1 towards the last rotor: the bracket on the left half, its four
/// positions (1 top, 2 right, 3 bottom, 4 left), a radial gap a and an axial gap b, and the signs
/// of the offset and of the opening.
class TBracketPositions : public QWidget {
    Q_OBJECT
  public:
    explicit TBracketPositions(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {400, 170}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
};
