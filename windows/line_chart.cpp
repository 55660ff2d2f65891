#include "line_chart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QMouseEvent>
#include <QRubberBand>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "round_axis_ticks.h"

namespace {

// One notch of a standard mouse wheel, in eighths of a degree.
constexpr int kNotchAngle = 120;

// Smallest rectangle dragged out that zooms, px.
constexpr int kMinZoomArea = 4;

// Room per tick along each axis, px: a label of the horizontal axis is wider than it is high.
constexpr double kTickSpacingX = 90;
constexpr double kTickSpacingY = 30;

}  // namespace

LineChart::LineChart(const QString& objectName, const QString& title,
                     const std::vector<SeriesStyle>& series, bool animatedZoom, QWidget* parent)
    : QChartView(parent) {
    setObjectName(objectName);
    auto* chart = new QChart();
    chart->setTitle(title);
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    // The curves are animated together with the axes: both take the same steps of the same
    // length, so no frame shows the curves at the new range under the axes of the old one.
    chart->setAnimationOptions(animatedZoom ? QChart::AllAnimations : QChart::NoAnimation);
    setChart(chart);
    setRenderHint(QPainter::Antialiasing, false);

    axisX_ = new QCategoryAxis(chart);
    axisY_ = new QCategoryAxis(chart);
    for (QCategoryAxis* axis : {axisX_, axisY_})
        axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    chart->addAxis(axisX_, Qt::AlignBottom);
    chart->addAxis(axisY_, Qt::AlignLeft);

    for (const SeriesStyle& style : series) {
        auto* s = new QLineSeries(chart);
        s->setObjectName(style.name);
        s->setName(style.name);
        chart->addSeries(s);
        // The theme re-colours a series when it is added; the colour is set afterwards.
        s->setColor(style.colour);
        s->attachAxis(axisX_);
        s->attachAxis(axisY_);
        series_.push_back(s);
    }
    ApplyRanges();
    // The number of ticks follows the size of the plot area.
    connect(chart, &QChart::plotAreaChanged, this, &LineChart::ApplyRanges);
}

QLineSeries* LineChart::Series(int index) const {
    if (index < 0 || index >= SeriesCount()) return nullptr;
    return series_[static_cast<std::size_t>(index)];
}

void LineChart::Clear(int index) {
    QLineSeries* s = Series(index);
    if (s == nullptr) return;
    s->clear();
    FitAutomaticAxes();
}

void LineChart::AddXY(int index, double x, double y) {
    AddPoints(index, {{x, y}});
}

void LineChart::AddPoints(int index, const std::vector<std::pair<double, double>>& points) {
    QLineSeries* s = Series(index);
    if (s == nullptr) return;
    QList<QPointF> all = s->points();
    all.reserve(all.size() + static_cast<qsizetype>(points.size()));
    for (const auto& [x, y] : points) {
        if (!std::isfinite(x) || !std::isfinite(y)) continue;
        // After the last point whose x is not greater: equal x keeps the order of arrival.
        auto at = std::upper_bound(all.begin(), all.end(), x,
                                   [](double v, const QPointF& p) { return v < p.x(); });
        all.insert(at, QPointF(x, y));
    }
    s->replace(all);
    FitAutomaticAxes();
}

void LineChart::Zoom(int percent) {
    // A chart with nothing in it keeps its default range and stays automatic, so that the
    // first line drawn into it later is fitted rather than lost in a range fixed around nothing.
    if (!HasPoints()) return;
    x_ = shaftline::ZoomedRange(x_, percent);
    y_ = shaftline::ZoomedRange(y_, percent);
    fixed_ = true;
    ApplyRanges();
}

void LineChart::FitAll(int percent) {
    fixed_ = false;
    FitAutomaticAxes();
    Zoom(percent);
}

void LineChart::ZoomToArea(const QRect& area) {
    const QRect r = area.normalized();
    if (r.width() < kMinZoomArea || r.height() < kMinZoomArea || series_.empty()) return;
    const auto value = [this](QPoint p) {
        return chart()->mapToValue(chart()->mapFromScene(mapToScene(p)), series_.front());
    };
    const QPointF a = value(r.topLeft());
    const QPointF b = value(r.bottomRight());
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) ||
        !std::isfinite(b.y()) || a.x() == b.x() || a.y() == b.y())
        return;
    x_ = {std::min(a.x(), b.x()), std::max(a.x(), b.x())};
    y_ = {std::min(a.y(), b.y()), std::max(a.y(), b.y())};
    fixed_ = true;
    ApplyRanges();
}

void LineChart::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !HasPoints()) return QChartView::mousePressEvent(event);
    if (band_ == nullptr) band_ = new QRubberBand(QRubberBand::Rectangle, viewport());
    bandStart_ = event->position().toPoint();
    band_->setGeometry(QRect(bandStart_, QSize()));
    band_->show();
    event->accept();
}

void LineChart::mouseMoveEvent(QMouseEvent* event) {
    if (band_ == nullptr || !band_->isVisible()) return QChartView::mouseMoveEvent(event);
    band_->setGeometry(QRect(bandStart_, event->position().toPoint()).normalized());
    event->accept();
}

void LineChart::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || band_ == nullptr || !band_->isVisible())
        return QChartView::mouseReleaseEvent(event);
    band_->hide();
    ZoomToArea(QRect(bandStart_, event->position().toPoint()));
    event->accept();
}

bool LineChart::HasPoints() const {
    for (const QLineSeries* s : series_) {
        if (s->count() > 0) return true;
    }
    return false;
}

void LineChart::FitAutomaticAxes() {
    if (fixed_) return;
    bool any = false;
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    for (const QLineSeries* s : series_) {
        for (const QPointF& p : s->points()) {
            if (!any) {
                x0 = x1 = p.x();
                y0 = y1 = p.y();
                any = true;
                continue;
            }
            x0 = std::min(x0, p.x());
            x1 = std::max(x1, p.x());
            y0 = std::min(y0, p.y());
            y1 = std::max(y1, p.y());
        }
    }
    x_ = any ? shaftline::PaddedRange(x0, x1) : kEmptyRange;
    y_ = any ? shaftline::PaddedRange(y0, y1) : kEmptyRange;
    ApplyRanges();
}

// New ticks change the width of the labels and with it the plot area, which asks for ticks
// again from inside the chart's layout: that second request is answered after it.
void LineChart::ApplyRanges() {
    if (applyingRanges_) {
        if (!rangesPending_) QTimer::singleShot(0, this, &LineChart::ApplyRanges);
        rangesPending_ = true;
        return;
    }
    applyingRanges_ = true;
    rangesPending_ = false;
    const QRectF area = chart()->plotArea();
    const int ticksX = area.width() > 0 ? static_cast<int>(area.width() / kTickSpacingX) : 5;
    const int ticksY = area.height() > 0 ? static_cast<int>(area.height() / kTickSpacingY) : 5;
    SetAxisRangeWithRoundTicks(axisX_, x_.min, x_.max, ticksX);
    SetAxisRangeWithRoundTicks(axisY_, y_.min, y_.max, ticksY);
    applyingRanges_ = false;
}

void LineChart::wheelEvent(QWheelEvent* event) {
    wheelAngle_ += event->angleDelta().y();
    while (wheelAngle_ >= kNotchAngle) {
        wheelAngle_ -= kNotchAngle;
        emit WheelNotch(true);
    }
    while (wheelAngle_ <= -kNotchAngle) {
        wheelAngle_ += kNotchAngle;
        emit WheelNotch(false);
    }
    event->accept();
}
