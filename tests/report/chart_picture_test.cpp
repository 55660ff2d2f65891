#include "chart_picture.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <ostream>

#include "chart_csv.h"
#include "number_text.h"

namespace {

using namespace shaftline;
using report::AxisSpan;
using report::ChartPicture;
using report::ElasticChart;

ChartPicture Picture(ElasticChart chart, std::vector<SeriesPoints> series) {
    ChartPicture picture;
    picture.chart = chart;
    picture.series = std::move(series);
    return picture;
}

// Rotor 1 sags between 0 and 1000 mm, rotor 3 between 1500 and 2500 mm.
std::vector<SeriesPoints> TwoRotors() {
    return {{0, 1, {{0, 0}, {500, -0.2}, {1000, 0}}}, {2, 3, {{1500, 0}, {2000, -0.4}, {2500, 0}}}};
}

// Pixels of the colour above `bottom` (the whole image by default).
int PixelsOf(const QImage& image, QColor colour, int bottom = -1) {
    int count = 0;
    for (int y = 0; y < (bottom < 0 ? image.height() : bottom); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == colour ? 1 : 0;
    return count;
}

struct SpanCase {
    const char* name;
    std::vector<std::pair<double, double>> points;
    AxisSpan y;
};

void PrintTo(const SpanCase& c, std::ostream* out) {
    *out << c.name;
}

class FittedSpan : public ::testing::TestWithParam<SpanCase> {};

TEST_P(FittedSpan, FitsThePointsWithATenthToSpareOnEachSide) {
    const AxisSpan y =
        report::FittedYSpan(Picture(ElasticChart::Nominal, {{0, 1, GetParam().points}}));
    EXPECT_NEAR(y.min, GetParam().y.min, 1e-12);
    EXPECT_NEAR(y.max, GetParam().y.max, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    ChartPicture, FittedSpan,
    ::testing::Values(SpanCase{"sagging", {{0, 0}, {1, -1}, {2, 0}}, {-1.1, 0.1}},
                      // A level line gets one unit round its value first, as in the window.
                      SpanCase{"level", {{0, 2}, {1, 2}}, {1.4, 2.6}},
                      SpanCase{"empty", {}, {0, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChartPicture, DrawsEachRotorInItsChartColour) {
    for (ElasticChart chart : {ElasticChart::Nominal, ElasticChart::Assembly}) {
        const QImage image =
            report::ChartImage(Picture(chart, TwoRotors()), QSize(800, 400), 1.0, ".");
        const QColor rotor3 = report::ChartSeriesColour(chart, 2);
        EXPECT_GT(PixelsOf(image, report::ChartSeriesColour(chart, 0)), 200);
        EXPECT_GT(PixelsOf(image, rotor3), 200) << rotor3.name().toStdString();
    }
    // The charts differ in the colour of rotor 3: green in the nominal mode, dark purple in the
    // assembly state.
    EXPECT_EQ(report::ChartSeriesColour(ElasticChart::Nominal, 2), QColor(0, 128, 0));
    EXPECT_EQ(report::ChartSeriesColour(ElasticChart::Assembly, 2), QColor(64, 0, 64));
}

TEST(ChartPicture, GivenRangeClipsWhatLiesOutsideIt) {
    ChartPicture picture = Picture(ElasticChart::Nominal, TwoRotors());
    picture.x = AxisSpan{1400, 2600};  // rotor 3 only
    const QImage image = report::ChartImage(picture, QSize(800, 400), 1.0, ".");
    // The legend at the bottom still names rotor 1; the plot above it shows no red.
    EXPECT_EQ(PixelsOf(image, QColor(255, 0, 0), image.height() * 3 / 4), 0)
        << "rotor 1 lies left of the range";
    EXPECT_GT(PixelsOf(image, QColor(0, 128, 0)), 200);
}

TEST(ChartPicture, SvgCarriesTitleLegendAndRoundTickLabels) {
    const QString svg = QString::fromUtf8(
        report::ChartSvg(Picture(ElasticChart::Assembly, TwoRotors()), QSize(800, 400), ","));
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains(report::ChartTitle(ElasticChart::Assembly)));
    EXPECT_TRUE(svg.contains(">Ротор 1<") && svg.contains(">Ротор 3<"));
    EXPECT_TRUE(svg.contains(">-0,2<")) << "y ticks at round values with the decimal comma";
    EXPECT_TRUE(svg.contains(">1000<") || svg.contains(">500<"));
}

struct CsvCase {
    const char* name;
    const char* decimal;
    char field;
};

void PrintTo(const CsvCase& c, std::ostream* out) {
    *out << c.name;
}

class ChartCsvRoundTrip : public ::testing::TestWithParam<CsvCase> {};

TEST_P(ChartCsvRoundTrip, RowsAreThePointsInSeriesOrder) {
    const std::vector<SeriesPoints> series = {{0, 1, {{0, 0}, {420.5, -0.0318654299075736}}},
                                              {2, 3, {{3210, 1.5e-5}}}};
    const std::string csv = report::ChartCsv(series, GetParam().decimal);
    ASSERT_EQ(csv.rfind("\xEF\xBB\xBF", 0), 0u) << "byte-order mark";
    // Fields split at the separator outside quotes; a quoted field loses its quotes.
    std::vector<std::vector<std::string>> rows(1);
    std::string field;
    bool quoted = false;
    for (std::size_t i = 3; i < csv.size(); ++i) {
        const char c = csv[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == GetParam().field) {
            rows.back().push_back(field);
            field.clear();
        } else if (!quoted && c == '\r' && csv.compare(i, 2, "\r\n") == 0) {
            rows.back().push_back(field);
            field.clear();
            rows.emplace_back();
            ++i;
        } else {
            field += c;
        }
    }
    rows.pop_back();  // after the last line break
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"Ротор", "X, мм", "Y, мм"}));
    std::size_t row = 1;
    for (const SeriesPoints& s : series) {
        for (const auto& [x, y] : s.points) {
            ASSERT_EQ(rows[row].size(), 3u);
            EXPECT_EQ(rows[row][0], std::to_string(s.rotor));
            EXPECT_DOUBLE_EQ(ParseReal(rows[row][1], GetParam().decimal), x);
            EXPECT_DOUBLE_EQ(ParseReal(rows[row][2], GetParam().decimal), y);
            ++row;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ChartCsv, ChartCsvRoundTrip,
                         ::testing::Values(CsvCase{"decimal_point", ".", ','},
                                           CsvCase{"decimal_comma", ",", ';'}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
