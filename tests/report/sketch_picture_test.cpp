#include "sketch_picture.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <ostream>

#include "rotor_builders.h"

namespace {

using namespace shaftline;

struct ScaleCase {
    const char* name;
    double length, height, width, maxHeight;
    double denominator;
};

void PrintTo(const ScaleCase& c, std::ostream* out) {
    *out << c.name;
}

class DrawingScale : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(DrawingScale, LargestStandardScaleThatFits) {
    const ScaleCase& c = GetParam();
    EXPECT_DOUBLE_EQ(report::FittingScaleDenominator(c.length, c.height, c.width, c.maxHeight),
                     c.denominator);
}

INSTANTIATE_TEST_SUITE_P(Sketch, DrawingScale,
                         ::testing::Values(ScaleCase{"exact_fit", 1000, 10, 100, 70, 10},
                                           ScaleCase{"full_size", 100, 10, 100, 70, 1},
                                           ScaleCase{"between_2_and_2_5", 230, 0, 100, 70, 2.5},
                                           // 3210 long needs 1:17.8 across the width, 1800 high
                                           // 1:25.7: the height decides.
                                           ScaleCase{"height_decides", 3210, 1800, 180, 70, 40},
                                           ScaleCase{"next_decade", 16000, 1000, 170, 70, 100},
                                           ScaleCase{"empty_drawing", 0, 0, 170, 70, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Sketch, RotorSketchKeepsTrueProportions) {
    const auto rotor = shaftline::testing::MakeRotor({{400, 300}, {1000, 500, 0, 800, 100}});
    const SketchDrawing sketch = report::RotorSketch(*rotor);
    EXPECT_EQ(sketch.width, 1000 * report::kSketchUnitsPerMm);
    EXPECT_EQ(sketch.height, 800 * report::kSketchUnitsPerMm);  // the disc is the tallest
    ASSERT_EQ(sketch.pieces.size(), 2u);
    EXPECT_EQ(sketch.pieces[1].disc.right - sketch.pieces[1].disc.left,
              100 * report::kSketchUnitsPerMm);
}

TEST(Sketch, PaintedAtTheGivenScaleInsideItsBox) {
    const auto rotor = shaftline::testing::MakeRotor({{400, 300}, {1000, 500, 0, 800, 100}});
    const SketchDrawing sketch = report::RotorSketch(*rotor);
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        report::PaintSketch(painter, QPointF(50, 20), sketch, 0.2);  // 1:5 at 1 px per mm
    }
    // The rotor spans 200 × 160 px from (50, 20); nothing red or blue lies outside.
    int outside = 0, inside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c != QColor(255, 0, 0) && c != QColor(0, 0, 255)) continue;
            (x >= 50 && x <= 250 && y >= 20 && y <= 180 ? inside : outside) += 1;
        }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, 200 * 60);
}

}  // namespace
