#pragma once

#include <QColor>
#include <QSize>
#include <QString>
#include <optional>
#include <string_view>
#include <vector>

#include "axis_ticks.h"
#include "chart_points.h"

class QByteArray;
class QImage;
class QPainter;
class QRectF;

namespace shaftline::report {

/// The two elastic-line charts of the shaft line.
enum class ElasticChart { Nominal, Assembly };

QString ChartTitle(ElasticChart chart);
/// Number of series of the chart: 19 for the nominal one, 20 for the assembly one.
int ChartSeriesCount(ElasticChart chart);
/// Colour of series `index` (rotor index + 1) as the main window's charts draw it.
QColor ChartSeriesColour(ElasticChart chart, int index);

/// Range of a chart axis, mm.
using AxisSpan = AxisRange;

/// The zoom, in percent, at which the main window shows its charts after they are filled.
inline constexpr int kChartZoomPercent = 90;

/// What a chart picture shows: its series and, if given, the ranges of its axes; without them
/// the axes fit the points with a tenth of their span to spare on each side.
struct ChartPicture {
    ElasticChart chart = ElasticChart::Nominal;
    std::vector<SeriesPoints> series;
    std::optional<AxisSpan> x;
    std::optional<AxisSpan> y;
};

/// The chart as the main window fills it from rotors 1..count.
ChartPicture ElasticChartPicture(ElasticChart chart, const RotorArray& rotors, int count);

/// The axis ranges a picture without given ranges shows.
AxisSpan FittedXSpan(const ChartPicture& picture);
AxisSpan FittedYSpan(const ChartPicture& picture);

/// Draws the chart into `area` with the painter's font as the base font: the title, axes with
/// round tick values, the series in their colours (a colour met again in the same chart is
/// drawn dashed, so the legend tells the rotors apart) and a legend naming the rotors.
void PaintChart(QPainter& painter, const QRectF& area, const ChartPicture& picture,
                std::string_view decimalSeparator);

/// The picture on a white image of `size` pixels at the given device pixel ratio.
QImage ChartImage(const ChartPicture& picture, QSize size, double devicePixelRatio,
                  std::string_view decimalSeparator);

/// The picture as an SVG document of `size` pixels at 96 dots per inch.
QByteArray ChartSvg(const ChartPicture& picture, QSize size, std::string_view decimalSeparator);

/// Writes the picture as PNG or SVG (`size` in pixels at 96 dots per inch). False when the file
/// cannot be written; an existing file is then left as it was.
bool WriteChartPng(const QString& path, const ChartPicture& picture, QSize size,
                   std::string_view decimalSeparator);
bool WriteChartSvg(const QString& path, const ChartPicture& picture, QSize size,
                   std::string_view decimalSeparator);

}  // namespace shaftline::report
