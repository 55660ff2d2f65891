#pragma once

#include <vector>

#include "rotor.h"

namespace shaftline {

/// A rectangle of the sketch in pixels: left and top edges, right and bottom edges.
struct SketchRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend bool operator==(const SketchRect&, const SketchRect&) = default;
};

/// One section of the sketch: the shaft piece and the disc drawn over it.
struct SketchPiece {
    SketchRect shaft;
    SketchRect disc;
};

/// One drawing pass: the pieces of sections 1..N and the size the paint area takes after it.
struct SketchDrawing {
    std::vector<SketchPiece> pieces;
    int width = 0;   ///< right edge of the last shaft piece
    int height = 0;  ///< lowest bottom edge of all rectangles, at least 0
};

/// One pass of the sketch with the centre line at paintHeight / 2 (towards zero). Both axes are
/// drawn at 2 × scale pixels per millimetre: a length L spans 2 × trunc(L × scale) pixels, a
/// diameter D trunc(D × scale) pixels above the centre line and round-half-to-even(D × scale)
/// below it. sectionCount is taken within 0..50; pixel values are held within ±2^24.
SketchDrawing SketchPass(const SectionArray& sections, int sectionCount, double scale,
                         int paintHeight);

/// The drawing once the paint area has settled: each pass moves the centre line to half the
/// height the previous pass left, until the height no longer changes (at most maxPasses).
SketchDrawing SettledSketch(const SectionArray& sections, int sectionCount, double scale,
                            int paintHeight, int maxPasses = 64);

}  // namespace shaftline
