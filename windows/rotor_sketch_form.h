#pragma once

#include <QDialog>

namespace shaftline { class TRotor; }
class QSlider;
class QScrollArea;
class QWidget;

/// The sketch window: a scaled side view of one rotor (shaft pieces red, discs blue).
class TFormRotorSketch : public QDialog {
    Q_OBJECT
public:
    explicit TFormRotorSketch(QWidget* parent = nullptr);

    /// The rotor to draw (not owned); nullptr shows a notice instead of a drawing.
    void SetRotor(const shaftline::TRotor* rotor);
    void DrawSketch();

    // The rest (TrackBar1, PaintBox1, FormActivate, ...) is the sketch's own.
};
