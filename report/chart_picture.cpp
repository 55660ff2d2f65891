#include "chart_picture.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <array>
#include <cmath>

#include "axis_ticks.h"
#include "report_font.h"

namespace shaftline::report {

namespace {

// The main window's series colours by index; the two charts differ only in the first five.
constexpr std::array<QRgb, 19> kNominalColours = {
    qRgb(255, 0, 0),   qRgb(128, 0, 128),   qRgb(0, 128, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),   qRgb(128, 128, 128), qRgb(255, 0, 255), qRgb(0, 128, 128),
    qRgb(0, 0, 128),   qRgb(128, 0, 0),     qRgb(0, 255, 0),   qRgb(128, 128, 0),
    qRgb(128, 0, 128), qRgb(192, 192, 192), qRgb(0, 255, 255), qRgb(0, 0, 0),
    qRgb(255, 0, 0),   qRgb(255, 0, 0),     qRgb(255, 0, 0)};
constexpr std::array<QRgb, 20> kAssemblyColours = {
    qRgb(255, 0, 0),   qRgb(0, 128, 0),     qRgb(64, 0, 64),   qRgb(0, 0, 255),
    qRgb(0, 64, 0),    qRgb(128, 128, 128), qRgb(255, 0, 255), qRgb(0, 128, 128),
    qRgb(0, 0, 128),   qRgb(128, 0, 0),     qRgb(0, 255, 0),   qRgb(128, 128, 0),
    qRgb(128, 0, 128), qRgb(192, 192, 192), qRgb(0, 255, 255), qRgb(0, 0, 0),
    qRgb(255, 0, 0),   qRgb(255, 0, 0),     qRgb(255, 0, 0),   qRgb(255, 0, 0)};

const QString kXCaption = QStringLiteral("Координата, мм");
const QString kYCaption = QStringLiteral("Прогиб, мм");

// As the window shows the points after its first fill.
AxisSpan Fitted(double lo, double hi, bool any) {
    if (!any) return kEmptyAxisRange;
    return ZoomedRange(PaddedRange(lo, hi), kChartZoomPercent);
}

template <typename Coordinate>
AxisSpan FittedSpan(const ChartPicture& picture, Coordinate coordinate) {
    bool any = false;
    double lo = 0, hi = 0;
    for (const SeriesPoints& s : picture.series) {
        for (const auto& point : s.points) {
            const double v = coordinate(point);
            if (!std::isfinite(v)) continue;
            lo = any ? std::min(lo, v) : v;
            hi = any ? std::max(hi, v) : v;
            any = true;
        }
    }
    return Fitted(lo, hi, any);
}

QString TickLabel(double value, const AxisTicks& ticks, std::string_view separator) {
    return QString::fromStdString(FormatTickLabel(value, ticks.decimals, separator));
}

// Pens of the drawn series: the chart's colour, dashed when an earlier series of the same
// chart has the same colour.
struct SeriesPen {
    const SeriesPoints* series;
    QPen pen;
};

std::vector<SeriesPen> SeriesPens(const ChartPicture& picture, double width) {
    std::vector<SeriesPen> pens;
    std::vector<QRgb> used;
    for (const SeriesPoints& s : picture.series) {
        if (s.points.empty()) continue;
        const QColor colour = ChartSeriesColour(picture.chart, s.series);
        QPen pen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        const int repeats = static_cast<int>(std::count(used.begin(), used.end(), colour.rgb()));
        if (repeats > 0) {
            pen.setCapStyle(Qt::FlatCap);
            pen.setDashPattern(repeats == 1 ? QVector<qreal>{4, 2} : QVector<qreal>{1.5, 1.5});
        }
        used.push_back(colour.rgb());
        pens.push_back({&s, pen});
    }
    return pens;
}

// Legend entries flow in rows under the plot: a line sample and the rotor's name each.
struct LegendLayout {
    std::vector<std::vector<std::size_t>> rows;  ///< indices into the pens
    double sample = 0;                           ///< length of a line sample
    double gap = 0;
    double lineHeight = 0;

    double Height() const { return lineHeight * static_cast<double>(rows.size()); }
};

QString RotorName(const SeriesPoints& s) {
    return QStringLiteral("Ротор %1").arg(s.rotor);
}

LegendLayout Legend(const std::vector<SeriesPen>& pens, const QFontMetricsF& metrics,
                    double width) {
    LegendLayout legend;
    legend.sample = metrics.height() * 1.8;
    legend.gap = metrics.height() * 0.4;
    legend.lineHeight = metrics.height() * 1.2;
    double used = 0;
    for (std::size_t i = 0; i < pens.size(); ++i) {
        const double entry = legend.sample + legend.gap +
                             metrics.horizontalAdvance(RotorName(*pens[i].series)) + legend.gap * 3;
        if (legend.rows.empty() || (used + entry > width && used > 0)) {
            legend.rows.emplace_back();
            used = 0;
        }
        legend.rows.back().push_back(i);
        used += entry;
    }
    return legend;
}

void PaintLegend(QPainter& painter, const LegendLayout& legend, const std::vector<SeriesPen>& pens,
                 const QFontMetricsF& metrics, const QRectF& box) {
    double y = box.top();
    for (const auto& row : legend.rows) {
        double rowWidth = 0;
        for (std::size_t i : row)
            rowWidth += legend.sample + legend.gap * 4 +
                        metrics.horizontalAdvance(RotorName(*pens[i].series));
        rowWidth -= legend.gap * 3;
        double x = box.center().x() - rowWidth / 2;
        const double middle = y + legend.lineHeight / 2;
        for (std::size_t i : row) {
            painter.setPen(pens[i].pen);
            painter.drawLine(QPointF(x, middle), QPointF(x + legend.sample, middle));
            x += legend.sample + legend.gap;
            painter.setPen(Qt::black);
            const QString name = RotorName(*pens[i].series);
            painter.drawText(QPointF(x, middle + (metrics.ascent() - metrics.descent()) / 2), name);
            x += metrics.horizontalAdvance(name) + legend.gap * 3;
        }
        y += legend.lineHeight;
    }
}

// Ticks for an axis of `length` device units whose labels need about `labelLength` each.
AxisTicks TicksFor(const AxisSpan& span, double length, double labelLength) {
    const int count = static_cast<int>(length / std::max(labelLength, 1.0));
    return RoundAxisTicks(span.min, span.max, std::clamp(count, 2, 12));
}

double WidestLabel(const AxisTicks& ticks, const QFontMetricsF& metrics,
                   std::string_view separator) {
    double widest = 0;
    for (int i = 0; i < ticks.count; ++i)
        widest =
            std::max(widest, metrics.horizontalAdvance(TickLabel(ticks.At(i), ticks, separator)));
    return widest;
}

// Draws one series as polylines, broken where a point is not finite.
void PaintSeries(QPainter& painter, const SeriesPoints& s, const AxisSpan& xs, const AxisSpan& ys,
                 const QRectF& plot) {
    QPolygonF line;
    const auto flush = [&] {
        if (line.size() > 1) painter.drawPolyline(line);
        line.clear();
    };
    for (const auto& [x, y] : s.points) {
        if (!std::isfinite(x) || !std::isfinite(y)) {
            flush();
            continue;
        }
        line << QPointF(plot.left() + (x - xs.min) / (xs.max - xs.min) * plot.width(),
                        plot.bottom() - (y - ys.min) / (ys.max - ys.min) * plot.height());
    }
    flush();
}

// A whole picture file: white ground, the report font, a small margin round the chart.
void PaintOnWhite(QPainter& painter, QSize size, const ChartPicture& picture,
                  std::string_view decimalSeparator) {
    constexpr double kMargin = 8;  // px
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    painter.setFont(ReportFont(9));
    PaintChart(painter,
               QRectF(kMargin, kMargin, size.width() - 2 * kMargin, size.height() - 2 * kMargin),
               picture, decimalSeparator);
}

bool Drawable(const AxisSpan& span) {
    return std::isfinite(span.min) && std::isfinite(span.max) && span.min < span.max;
}

}  // namespace

QString ChartTitle(ElasticChart chart) {
    return chart == ElasticChart::Nominal
               ? QStringLiteral("Упругая линия валопровода при номинальном режиме работы")
               : QStringLiteral("Упругая линия валопровода в монтажном состоянии");
}

int ChartSeriesCount(ElasticChart chart) {
    return chart == ElasticChart::Nominal ? static_cast<int>(kNominalColours.size())
                                          : static_cast<int>(kAssemblyColours.size());
}

QColor ChartSeriesColour(ElasticChart chart, int index) {
    if (index < 0 || index >= ChartSeriesCount(chart)) return Qt::black;
    const auto i = static_cast<std::size_t>(index);
    return QColor(chart == ElasticChart::Nominal ? kNominalColours[i] : kAssemblyColours[i]);
}

ChartPicture ElasticChartPicture(ElasticChart chart, const RotorArray& rotors, int count) {
    ChartPicture picture;
    picture.chart = chart;
    picture.series = chart == ElasticChart::Nominal ? NominalChartPoints(rotors, count)
                                                    : AssemblyChartPoints(rotors, count);
    return picture;
}

AxisSpan FittedXSpan(const ChartPicture& picture) {
    return FittedSpan(picture, [](const auto& p) { return p.first; });
}

AxisSpan FittedYSpan(const ChartPicture& picture) {
    return FittedSpan(picture, [](const auto& p) { return p.second; });
}

void PaintChart(QPainter& painter, const QRectF& area, const ChartPicture& picture,
                std::string_view decimalSeparator) {
    painter.save();
    const QFont base = painter.font();
    const QFontMetricsF metrics(base, painter.device());
    const double em = metrics.height();
    const double unit = em / 14.0;  // line widths follow the text size on every device
    const double gap = em * 0.35;

    QFont titleFont = base;
    titleFont.setBold(true);
    titleFont.setPointSizeF(base.pointSizeF() * 1.15);
    painter.setFont(titleFont);
    painter.setPen(Qt::black);
    const QRectF titleBox =
        painter.boundingRect(QRectF(area.left(), area.top(), area.width(), 0),
                             Qt::AlignHCenter | Qt::TextWordWrap, ChartTitle(picture.chart));
    painter.drawText(QRectF(area.left(), area.top(), area.width(), titleBox.height()),
                     Qt::AlignHCenter | Qt::TextWordWrap, ChartTitle(picture.chart));
    painter.setFont(base);

    const std::vector<SeriesPen> pens = SeriesPens(picture, unit * 2);
    const LegendLayout legend = Legend(pens, metrics, area.width());

    AxisSpan xs = picture.x.value_or(FittedXSpan(picture));
    AxisSpan ys = picture.y.value_or(FittedYSpan(picture));
    if (!Drawable(xs)) xs = {0, 1};
    if (!Drawable(ys)) ys = {0, 1};

    const double plotTop = area.top() + titleBox.height() + gap * 2;
    const double plotBottom =
        area.bottom() - legend.Height() - gap * 2 - em /*x labels*/ - em /*x caption*/ - gap;
    const AxisTicks yTicks = TicksFor(ys, plotBottom - plotTop, em * 2.5);
    const double yLabels = WidestLabel(yTicks, metrics, decimalSeparator);
    const double plotLeft = area.left() + em /*y caption*/ + gap + yLabels + gap;
    double plotRight = area.right() - em * 0.8;

    AxisTicks xTicks = TicksFor(xs, plotRight - plotLeft, metrics.averageCharWidth() * 10);
    const double xLabel = WidestLabel(xTicks, metrics, decimalSeparator);
    if (xTicks.count * (xLabel + em) > plotRight - plotLeft)
        xTicks = TicksFor(xs, plotRight - plotLeft, xLabel + em);
    const QRectF plot(QPointF(plotLeft, plotTop), QPointF(plotRight, plotBottom));
    if (plot.width() <= 0 || plot.height() <= 0) {
        painter.restore();
        return;
    }
    const auto X = [&](double x) {
        return plot.left() + (x - xs.min) / (xs.max - xs.min) * plot.width();
    };
    const auto Y = [&](double y) {
        return plot.bottom() - (y - ys.min) / (ys.max - ys.min) * plot.height();
    };

    // Grid at the ticks, the zero line a little darker, then the frame.
    painter.setPen(QPen(QColor(220, 220, 220), unit * 0.6));
    for (int i = 0; i < xTicks.count; ++i)
        painter.drawLine(QPointF(X(xTicks.At(i)), plot.top()),
                         QPointF(X(xTicks.At(i)), plot.bottom()));
    for (int i = 0; i < yTicks.count; ++i)
        painter.drawLine(QPointF(plot.left(), Y(yTicks.At(i))),
                         QPointF(plot.right(), Y(yTicks.At(i))));
    if (ys.min < 0 && ys.max > 0) {
        painter.setPen(QPen(QColor(150, 150, 150), unit * 0.8));
        painter.drawLine(QPointF(plot.left(), Y(0)), QPointF(plot.right(), Y(0)));
    }

    painter.save();
    painter.setClipRect(plot);
    for (const SeriesPen& s : pens) {
        painter.setPen(s.pen);
        PaintSeries(painter, *s.series, xs, ys, plot);
    }
    painter.restore();

    painter.setPen(QPen(Qt::black, unit));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);

    // Tick labels: x under the plot, kept inside the area; y right-aligned left of it.
    const double tick = em * 0.25;
    const double baselineShift = (metrics.ascent() - metrics.descent()) / 2;
    for (int i = 0; i < xTicks.count; ++i) {
        const double x = X(xTicks.At(i));
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + tick));
        const QString label = TickLabel(xTicks.At(i), xTicks, decimalSeparator);
        const double w = metrics.horizontalAdvance(label);
        const double left = std::clamp(x - w / 2, area.left(), area.right() - w);
        painter.drawText(QPointF(left, plot.bottom() + tick + metrics.ascent()), label);
    }
    for (int i = 0; i < yTicks.count; ++i) {
        const double y = Y(yTicks.At(i));
        painter.drawLine(QPointF(plot.left() - tick, y), QPointF(plot.left(), y));
        const QString label = TickLabel(yTicks.At(i), yTicks, decimalSeparator);
        painter.drawText(
            QPointF(plot.left() - gap - metrics.horizontalAdvance(label), y + baselineShift),
            label);
    }
    const double xCaptionTop = plot.bottom() + tick + em;
    painter.drawText(QRectF(plot.left(), xCaptionTop, plot.width(), em), Qt::AlignCenter,
                     kXCaption);
    painter.save();
    painter.translate(area.left(), plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), em), Qt::AlignCenter, kYCaption);
    painter.restore();

    PaintLegend(painter, legend, pens, metrics,
                QRectF(area.left(), xCaptionTop + em + gap * 2, area.width(), legend.Height()));
    painter.restore();
}

QImage ChartImage(const ChartPicture& picture, QSize size, double devicePixelRatio,
                  std::string_view decimalSeparator) {
    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&image);
    PaintOnWhite(painter, size, picture, decimalSeparator);
    return image;
}

bool WriteChartPng(const QString& path, const ChartPicture& picture, QSize size,
                   std::string_view decimalSeparator) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (!ChartImage(picture, size, 1.0, decimalSeparator).save(&file, "PNG")) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QByteArray ChartSvg(const ChartPicture& picture, QSize size, std::string_view decimalSeparator) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(96);
    svg.setTitle(ChartTitle(picture.chart));
    {
        QPainter painter(&svg);
        PaintOnWhite(painter, size, picture, decimalSeparator);
    }
    return buffer.data();
}

bool WriteChartSvg(const QString& path, const ChartPicture& picture, QSize size,
                   std::string_view decimalSeparator) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray svg = ChartSvg(picture, size, decimalSeparator);
    if (file.write(svg) != svg.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace shaftline::report
