#include "sketch_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace shaftline {

namespace {

// Keeps every pixel value far inside int, so sums of a few of them cannot overflow.
constexpr double kPixelLimit = 16777216.0;

int ToPixels(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::clamp(v, -kPixelLimit, kPixelLimit));
}

int Trunc(double v) {
    return ToPixels(std::trunc(v));
}

// The default rounding mode rounds halves to the even neighbour.
int Near(double v) {
    return ToPixels(std::nearbyint(v));
}

}  // namespace

SketchDrawing SketchPass(const SectionArray& sections, int sectionCount, double scale,
                         int paintHeight) {
    const int n = std::clamp(sectionCount, 0, kMaxSections);
    const int c = paintHeight / 2;
    SketchDrawing drawing;
    drawing.pieces.reserve(static_cast<std::size_t>(n));
    int x = 0;
    for (int k = 1; k <= n; ++k) {
        const TRotorSection& s = sections[static_cast<std::size_t>(k)];
        const TRotorSection& before = sections[static_cast<std::size_t>(k - 1)];
        const double length = s.Coord - before.Coord;

        SketchPiece piece;
        const int left = x;
        piece.shaft = {left, c - Trunc(s.Diameter * scale),
                       ToPixels(static_cast<double>(left) + 2.0 * Trunc(length * scale)),
                       c + Near(s.Diameter * scale)};
        const int middle = left + std::abs(piece.shaft.right - piece.shaft.left) / 2;
        const int halfThickness = Trunc(s.DiscThickness * scale);
        piece.disc = {middle - halfThickness, c - Trunc(s.DiscDiameter * scale),
                      middle - halfThickness + 2 * halfThickness, c + Near(s.DiscDiameter * scale)};

        drawing.width = piece.shaft.right;
        drawing.height = std::max({drawing.height, piece.shaft.bottom, piece.disc.bottom});
        x = piece.shaft.right;
        drawing.pieces.push_back(piece);
    }
    return drawing;
}

SketchDrawing SettledSketch(const SectionArray& sections, int sectionCount, double scale,
                            int paintHeight, int maxPasses) {
    SketchDrawing drawing = SketchPass(sections, sectionCount, scale, paintHeight);
    for (int pass = 1; pass < maxPasses && drawing.height != paintHeight; ++pass) {
        paintHeight = drawing.height;
        drawing = SketchPass(sections, sectionCount, scale, paintHeight);
    }
    return drawing;
}

}  // namespace shaftline
