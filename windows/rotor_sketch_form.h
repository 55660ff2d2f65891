#pragma once

#include <QDialog>

#include "sketch_geometry.h"

namespace shaftline {
class TRotor;
}
class QLabel;
class QSlider;
class QScrollArea;
class QWidget;
class SketchPaintBox;

/// The sketch window: a scaled side view of one rotor (shaft pieces red, discs blue).
class TFormRotorSketch : public QDialog {
    Q_OBJECT
  public:
    explicit TFormRotorSketch(QWidget* parent = nullptr);

    /// The rotor to draw (not owned); nullptr shows a notice instead of a drawing.
    void SetRotor(const shaftline::TRotor* rotor);
    void DrawSketch();

    const shaftline::TRotor* Rotor() const { return rotor_; }
    /// Pixels per millimetre of the section data are twice this: TrackBar1 position / maximum.
    double Scale() const;
    /// What the last DrawSketch put into PaintBox1.
    const shaftline::SketchDrawing& Drawing() const { return drawing_; }

    QSlider* TrackBar1() const { return trackBar1_; }
    QWidget* PaintBox1() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormActivate();
    void TrackBar1Change();
    /// Scrolls the view so that the centre line runs through its middle and the axial point
    /// at `axialShare` of the drawing's width (0 = the left end) stands at its left edge, or
    /// in its middle when `centred`.
    void ScrollToCentreLine(double axialShare, bool centred);

    const shaftline::TRotor* rotor_ = nullptr;
    shaftline::SketchDrawing drawing_;
    QSlider* trackBar1_ = nullptr;
    QScrollArea* scrollBox_ = nullptr;
    SketchPaintBox* paintBox1_ = nullptr;
    QLabel* notice_ = nullptr;
};
