#include "alignment_sketch.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kMargin = 24;           // px
constexpr double kShownMove = 0.005;  // mm: a move that rounds to 0,00 gets no arrow

void Arrow(QPainter& painter, QPointF from, QPointF to) {
    painter.drawLine(from, to);
    const double dir = to.y() < from.y() ? 1 : -1;  // head points towards `to`
    QPainterPath head;
    head.moveTo(to);
    head.lineTo(to + QPointF(-4, 7 * dir));
    head.lineTo(to + QPointF(4, 7 * dir));
    head.closeSubpath();
    painter.fillPath(head, painter.pen().color());
}

}  // namespace

TAlignmentSketch::TAlignmentSketch(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(160);
}

void TAlignmentSketch::SetLine(std::vector<double> x, std::vector<double> found,
                               std::vector<double> after) {
    x_ = std::move(x);
    found_ = std::move(found);
    after_ = std::move(after);
    update();
}

void TAlignmentSketch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.setRenderHint(QPainter::Antialiasing);
    const std::size_t n = x_.size();
    if (n < 2 || found_.size() != n || after_.size() != n || x_.back() <= x_.front()) return;

    // Horizontal: the line's length over the width; vertical: the largest offset over 40 % of
    // the height, whatever it is in mm.
    double largest = 0;
    for (std::size_t j = 0; j < n; ++j)
        largest = std::max({largest, std::fabs(found_[j]), std::fabs(after_[j])});
    const double sx = (width() - 2.0 * kMargin) / (x_.back() - x_.front());
    const double sy = largest > 0 ? 0.4 * (height() - 2.0 * kMargin) / largest : 0;
    const double mid = height() / 2.0;
    const auto at = [&](std::size_t j, double offset) {
        return QPointF(kMargin + (x_[j] - x_.front()) * sx, mid - offset * sy);
    };

    painter.setPen(QPen(palette().mid().color(), 1, Qt::DashLine));
    painter.drawLine(QPointF(kMargin, mid), QPointF(width() - kMargin, mid));
    painter.setPen(palette().text().color());
    painter.drawText(QPointF(kMargin, 14),
                     QStringLiteral("Вертикальный масштаб увеличен: серые — как найдено, "
                                    "зеленые — после перемещений"));

    // Rotor k (odd) stands on J(k−1) and J(k).
    for (std::size_t k = 1; k < n; k += 2) {
        painter.setPen(QPen(QColor(140, 140, 140), 4));
        painter.drawLine(at(k - 1, found_[k - 1]), at(k, found_[k]));
        painter.setPen(QPen(QColor(0, 128, 0), 2));
        painter.drawLine(at(k - 1, after_[k - 1]), at(k, after_[k]));
    }
    painter.setPen(QPen(QColor(200, 0, 0), 1.5));
    for (std::size_t j = 0; j < n; ++j) {
        if (std::fabs(after_[j] - found_[j]) < kShownMove) continue;
        Arrow(painter, at(j, found_[j]), at(j, after_[j]));
    }
}
