#pragma once

#include <QColor>

#include "sketch_geometry.h"

class QPainter;
class QPointF;

namespace shaftline::report {

/// Fill colours of a rotor sketch, in the window and in the report: shaft pieces and discs.
inline const QColor kSketchShaftColour(255, 0, 0);
inline const QColor kSketchDiscColour(0, 0, 255);

/// Units of a report sketch per millimetre of the section data: a tenth of a millimetre is the
/// finest step the sketch geometry keeps.
inline constexpr double kSketchUnitsPerMm = 10.0;

/// The rotor's sketch in its true proportions, kSketchUnitsPerMm units per millimetre along and
/// across the axis, with the centre line at half the height.
SketchDrawing RotorSketch(const TRotor& rotor);

/// Denominator M of the largest standard drawing scale 1:M (1, 2, 2.5, 4, 5, 10, 15, 20, 25, 40,
/// 50, 75 times a power of ten) at which a drawing of lengthMm × heightMm fits into
/// widthMm × maxHeightMm. 0 when the drawing or the room is empty.
double FittingScaleDenominator(double lengthMm, double heightMm, double widthMm,
                               double maxHeightMm);

/// Draws the sketch with its top left corner at `origin`, `unitsPerMm` device units per
/// millimetre of the drawing: shaft pieces red and discs blue over them as in the sketch
/// window, outlined in black, and the centre line dash-dotted.
void PaintSketch(QPainter& painter, QPointF origin, const SketchDrawing& sketch, double unitsPerMm);

}  // namespace shaftline::report
