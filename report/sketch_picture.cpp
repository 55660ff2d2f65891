#include "sketch_picture.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

namespace shaftline::report {

namespace {

constexpr std::array<double, 12> kScaleMantissas = {1, 2, 2.5, 4, 5, 10, 15, 20, 25, 40, 50, 75};

QRectF Scaled(const SketchRect& r, QPointF origin, double factor) {
    return QRectF(QPointF(origin.x() + std::min(r.left, r.right) * factor,
                          origin.y() + std::min(r.top, r.bottom) * factor),
                  QSizeF(std::abs(r.right - r.left) * factor, std::abs(r.bottom - r.top) * factor));
}

}  // namespace

SketchDrawing RotorSketch(const TRotor& rotor) {
    // Sketch geometry draws 2 × scale units per millimetre. A pass with the centre line at 0
    // gives the largest half-height below it; twice that is the height the sketch settles at.
    const double scale = kSketchUnitsPerMm / 2;
    const int halfHeight =
        SketchPass(rotor.SectionsView(), rotor.GetSectionCount(), scale, 0).height;
    return SettledSketch(rotor.SectionsView(), rotor.GetSectionCount(), scale, 2 * halfHeight);
}

double FittingScaleDenominator(double lengthMm, double heightMm, double widthMm,
                               double maxHeightMm) {
    if (!(lengthMm > 0) || !(widthMm > 0) || !(maxHeightMm > 0) || !std::isfinite(lengthMm) ||
        !std::isfinite(heightMm))
        return 0;
    const double needed = std::max(lengthMm / widthMm, std::max(heightMm, 0.0) / maxHeightMm);
    for (double decade = 1; decade < 1e12; decade *= 100) {
        for (double mantissa : kScaleMantissas) {
            if (mantissa * decade >= needed * (1 - 1e-12)) return mantissa * decade;
        }
    }
    return 0;
}

void PaintSketch(QPainter& painter, QPointF origin, const SketchDrawing& sketch,
                 double unitsPerMm) {
    painter.save();
    const double factor = unitsPerMm / kSketchUnitsPerMm;
    const double outline = unitsPerMm * 0.15;
    painter.setPen(QPen(Qt::black, outline, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    for (const SketchPiece& piece : sketch.pieces) {
        for (const auto& [rect, colour] : {std::pair{piece.shaft, kSketchShaftColour},
                                           std::pair{piece.disc, kSketchDiscColour}}) {
            if (rect.right == rect.left || rect.bottom == rect.top) continue;
            painter.setBrush(colour);
            painter.drawRect(Scaled(rect, origin, factor));
        }
    }
    const double centre = origin.y() + static_cast<double>(sketch.height / 2) * factor;
    const double overhang = unitsPerMm * 3;
    QPen centreLine(Qt::black, outline, Qt::CustomDashLine);
    centreLine.setDashPattern({40, 8, 4, 8});
    painter.setPen(centreLine);
    painter.drawLine(QPointF(origin.x() - overhang, centre),
                     QPointF(origin.x() + sketch.width * factor + overhang, centre));
    painter.restore();
}

}  // namespace shaftline::report
