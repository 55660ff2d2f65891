#pragma once

#include <QChartView>
#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>
#include <vector>

#include "axis_ticks.h"

class QCategoryAxis;
class QMouseEvent;
class QRubberBand;
class QLineSeries;
class QWheelEvent;

/// A line chart with a title, a hidden legend, many coloured line series reached by a 0-based
/// index, and a percentage zoom of its axes.
///
/// Axes fit the data while they are automatic; the first zoom fixes them, and from then on
/// every zoom starts from the range the previous one left, also when points are added later.
class LineChart : public QChartView {
    Q_OBJECT
  public:
    struct SeriesStyle {
        QString name;  ///< objectName of the series
        QColor colour;
    };

    using AxisRange = shaftline::AxisRange;
    /// Shown while an automatic axis has no data to fit.
    static constexpr AxisRange kEmptyRange = shaftline::kEmptyAxisRange;

    LineChart(const QString& objectName, const QString& title,
              const std::vector<SeriesStyle>& series, bool animatedZoom, QWidget* parent = nullptr);

    int SeriesCount() const { return static_cast<int>(series_.size()); }
    /// Series `index` (0-based); nullptr outside 0..SeriesCount()-1.
    QLineSeries* Series(int index) const;

    /// Removes every point of series `index`; an index outside the chart is ignored.
    void Clear(int index);
    /// Adds (x, y) keeping ascending x; a point with an x equal to existing ones goes after
    /// them. Non-finite points and an index outside the chart are ignored.
    void AddXY(int index, double x, double y);
    /// The same as AddXY for each point in turn, with one redraw.
    void AddPoints(int index, const std::vector<std::pair<double, double>>& points);

    /// Zooms every axis to `percent` of its current range: d = span × (percent − 100) / 100,
    /// [a, b] becomes [a + d, b − d] and stays fixed. An axis that would collapse or turn
    /// inside out keeps its range.
    void Zoom(int percent);
    /// Makes the axes automatic again, fits them to the data and zooms them to `percent`, as
    /// the first zoom after filling does.
    void FitAll(int percent);
    /// Fixes the axes to the values under the rectangle `area` of the view (view pixels); an
    /// area narrower or lower than a few pixels changes nothing.
    void ZoomToArea(const QRect& area);

    AxisRange XRange() const { return x_; }
    AxisRange YRange() const { return y_; }
    bool AxesFixed() const { return fixed_; }
    bool HasPoints() const;

  signals:
    /// One notification per wheel notch: up is away from the user.
    void WheelNotch(bool up);

  protected:
    void wheelEvent(QWheelEvent* event) override;
    /// Dragging with the left button outlines the rectangle to zoom into.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void FitAutomaticAxes();
    void ApplyRanges();

    std::vector<QLineSeries*> series_;
    // Value axes that put their ticks and labels at round values (category axes, one category
    // per tick interval).
    QCategoryAxis* axisX_ = nullptr;
    QCategoryAxis* axisY_ = nullptr;
    AxisRange x_ = kEmptyRange;
    AxisRange y_ = kEmptyRange;
    bool fixed_ = false;
    bool applyingRanges_ = false;
    bool rangesPending_ = false;
    QRubberBand* band_ = nullptr;
    QPoint bandStart_;
    int wheelAngle_ = 0;  ///< eighths of a degree not yet counted as a notch
};
