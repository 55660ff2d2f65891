#pragma once

#include <QWidget>
#include <vector>

/// The line in the vertical plane against its assembly elevations: every rotor (odd record) a
/// straight segment between its bearings, as found and after the moves, the vertical scale
/// exaggerated; an arrow at each bearing that moves.
class TAlignmentSketch : public QWidget {
    Q_OBJECT
  public:
    explicit TAlignmentSketch(QWidget* parent = nullptr);

    /// x: places of the supports J0..J(n) (mm); found, after: their offsets from the assembly
    /// elevations (mm) as found and after the moves; empty ones clear the picture.
    void SetLine(std::vector<double> x, std::vector<double> found, std::vector<double> after);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<double> x_;
    std::vector<double> found_;
    std::vector<double> after_;
};
