#include "report_layout.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <numeric>

#include "report_font.h"

namespace shaftline::report {

namespace {

constexpr double kBodyPoints = 9;
constexpr double kTablePoints = 7.5;
constexpr double kSmallestTablePoints = 5.5;
constexpr double kFooterPoints = 7;
constexpr double kFooterMm = 8;  // room kept for the footer at the bottom of the text area
constexpr double kTableGapMm = 2;

const QColor kRule(150, 150, 150);
const QColor kHeaderFill(232, 232, 232);
const QColor kGroupFill(245, 245, 245);

}  // namespace

// Widths and heights of a table in one font size.
struct TableGeometry {
    QFont font;
    QFont bold;
    std::vector<double> widths;
    double padding = 0;
    double rowHeight = 0;
    double headerHeight = 0;
    double baseline = 0;  ///< from the top of a row

    double Width() const { return std::accumulate(widths.begin(), widths.end(), 0.0); }
};

namespace {

double LongestWord(const QString& text, const QFontMetricsF& metrics) {
    double longest = 0;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts))
        longest = std::max(longest, metrics.horizontalAdvance(word));
    return longest;
}

TableGeometry Measure(const ReportTable& table, double points, const QPaintDevice* device) {
    TableGeometry g;
    g.font = ReportFont(points);
    g.bold = ReportFont(points, true);
    const QFontMetricsF metrics(g.font, device);
    const QFontMetricsF boldMetrics(g.bold, device);
    g.padding = metrics.averageCharWidth() * 0.7;
    const double verticalPadding = metrics.height() * 0.18;
    g.rowHeight = metrics.height() + 2 * verticalPadding;
    g.baseline = verticalPadding + metrics.ascent();
    g.widths.assign(table.columns.size(), 0.0);
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        g.widths[c] = LongestWord(table.columns[c].header, boldMetrics);
    for (const ReportRow& row : table.rows) {
        if (row.group) continue;
        for (std::size_t c = 0; c < row.cells.size() && c < g.widths.size(); ++c)
            g.widths[c] = std::max(g.widths[c], metrics.horizontalAdvance(row.cells[c]));
    }
    for (double& w : g.widths) w += 2 * g.padding;
    return g;
}

// Every table spans the text width, its columns in proportion to their contents.
void FitWidths(TableGeometry& g, double width) {
    const double natural = g.Width();
    if (natural <= 0) return;
    for (double& w : g.widths) w *= width / natural;
}

void MeasureHeader(TableGeometry& g, const ReportTable& table, const QPaintDevice* device) {
    const QFontMetricsF boldMetrics(g.bold, device);
    double tallest = boldMetrics.height();
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        const QRectF box =
            boldMetrics.boundingRect(QRectF(0, 0, std::max(g.widths[c] - 2 * g.padding, 1.0), 1e6),
                                     Qt::AlignHCenter | Qt::TextWordWrap, table.columns[c].header);
        tallest = std::max(tallest, box.height());
    }
    g.headerHeight = tallest + (g.rowHeight - boldMetrics.height());
}

int TextFlags(Qt::Alignment alignment) {
    return static_cast<int>(alignment | Qt::AlignVCenter);
}

}  // namespace

ReportLayout::ReportLayout(QPagedPaintDevice& device, QPainter* painter, QString footer,
                           int totalPages)
    : device_(device), painter_(painter), footer_(std::move(footer)), totalPages_(totalPages) {}

double ReportLayout::Mm(double millimetres) const {
    return millimetres * device_.logicalDpiY() / 25.4;
}

double ReportLayout::ContentWidth() const {
    return device_.width();
}

double ReportLayout::Bottom() const {
    return device_.height() - Mm(kFooterMm);
}

void ReportLayout::EnsureRoom(double height) {
    if (height > RoomBelow() && !AtPageTop()) NewPage();
}

void ReportLayout::Text(const QString& text, const QFont& font, double keepBelow,
                        double spaceAfter) {
    const QFontMetricsF metrics(font, &device_);
    const QRectF box(0, 0, ContentWidth(), 1e7);
    const int flags = Qt::AlignLeft | Qt::TextWordWrap;
    const double height = metrics.boundingRect(box, flags, text).height();
    EnsureRoom(height + keepBelow);
    if (painter_ != nullptr) {
        painter_->setFont(font);
        painter_->setPen(Qt::black);
        painter_->drawText(QRectF(0, y_, ContentWidth(), height), flags, text);
    }
    y_ += height + spaceAfter;
}

void ReportLayout::Title(const QString& text) {
    Text(text, ReportFont(15, true), 0, Mm(3));
}

void ReportLayout::Heading(const QString& text, double keepBelowMm) {
    if (!AtPageTop()) y_ += Mm(3);
    Text(text, ReportFont(12, true), Mm(keepBelowMm), Mm(2));
}

void ReportLayout::Subheading(const QString& text, double keepBelowMm) {
    if (!AtPageTop()) y_ += Mm(1.5);
    Text(text, ReportFont(kBodyPoints + 0.5, true), Mm(keepBelowMm), Mm(1.2));
}

void ReportLayout::Paragraph(const QString& text) {
    Text(text, ReportFont(kBodyPoints), 0, Mm(1));
}

void ReportLayout::Space(double millimetres) {
    y_ = std::min(y_ + Mm(millimetres), Bottom());
}

// A table wider than the text takes a smaller font first; only then are cells cut.
TableGeometry ReportLayout::Geometry(const ReportTable& table) const {
    TableGeometry g;
    for (double points = kTablePoints;; points -= 0.5) {
        g = Measure(table, points, &device_);
        if (g.Width() <= ContentWidth() || points <= kSmallestTablePoints) break;
    }
    FitWidths(g, ContentWidth());
    MeasureHeader(g, table, &device_);
    return g;
}

double ReportLayout::TableHeight(const ReportTable& table) const {
    if (table.columns.empty()) return 0;
    const TableGeometry g = Geometry(table);
    return g.headerHeight + g.rowHeight * static_cast<double>(table.rows.size()) + Mm(kTableGapMm);
}

void ReportLayout::Table(const ReportTable& table) {
    if (table.columns.empty()) return;
    const TableGeometry g = Geometry(table);
    const QFontMetricsF metrics(g.font, &device_);

    const double whole = g.headerHeight + g.rowHeight * static_cast<double>(table.rows.size());
    const double pageRoom = Bottom();
    const double start =
        table.keepTogether && whole <= pageRoom
            ? whole
            : g.headerHeight +
                  g.rowHeight * static_cast<double>(std::min<std::size_t>(table.rows.size(), 3));
    EnsureRoom(start);

    const auto drawHeader = [&] {
        if (painter_ != nullptr) {
            painter_->setFont(g.bold);
            double x = 0;
            for (std::size_t c = 0; c < table.columns.size(); ++c) {
                const QRectF cell(x, y_, g.widths[c], g.headerHeight);
                painter_->fillRect(cell, kHeaderFill);
                painter_->setPen(QPen(kRule, Mm(0.1)));
                painter_->drawRect(cell);
                painter_->setPen(Qt::black);
                painter_->drawText(cell.adjusted(g.padding, 0, -g.padding, 0),
                                   Qt::AlignCenter | Qt::TextWordWrap, table.columns[c].header);
                x += g.widths[c];
            }
        }
        y_ += g.headerHeight;
    };

    drawHeader();
    for (const ReportRow& row : table.rows) {
        if (g.rowHeight > RoomBelow()) {
            NewPage();
            drawHeader();
        }
        if (painter_ != nullptr) {
            painter_->setPen(QPen(kRule, Mm(0.1)));
            if (row.group) {
                const QRectF cell(0, y_, g.Width(), g.rowHeight);
                painter_->fillRect(cell, kGroupFill);
                painter_->drawRect(cell);
                painter_->setFont(g.bold);
                painter_->setPen(Qt::black);
                painter_->drawText(cell.adjusted(g.padding, 0, -g.padding, 0),
                                   TextFlags(Qt::AlignLeft),
                                   row.cells.empty() ? QString() : row.cells[0]);
            } else {
                double x = 0;
                for (std::size_t c = 0; c < table.columns.size(); ++c) {
                    painter_->drawRect(QRectF(x, y_, g.widths[c], g.rowHeight));
                    x += g.widths[c];
                }
                painter_->setFont(g.font);
                painter_->setPen(Qt::black);
                x = 0;
                for (std::size_t c = 0; c < table.columns.size() && c < row.cells.size(); ++c) {
                    const double room = g.widths[c] - 2 * g.padding;
                    QString text = row.cells[c];
                    double w = metrics.horizontalAdvance(text);
                    if (w > room) {
                        text = metrics.elidedText(text, Qt::ElideRight, room);
                        w = metrics.horizontalAdvance(text);
                    }
                    const Qt::Alignment a = table.columns[c].alignment;
                    const double left = a & Qt::AlignRight     ? x + g.widths[c] - g.padding - w
                                        : a & Qt::AlignHCenter ? x + (g.widths[c] - w) / 2
                                                               : x + g.padding;
                    painter_->drawText(QPointF(left, y_ + g.baseline), text);
                    x += g.widths[c];
                }
            }
        }
        y_ += g.rowHeight;
    }
    y_ += Mm(kTableGapMm);
}

void ReportLayout::Figure(double height,
                          const std::function<void(QPainter&, const QRectF&)>& paint) {
    EnsureRoom(height);
    if (painter_ != nullptr) {
        painter_->save();
        paint(*painter_, QRectF(0, y_, ContentWidth(), height));
        painter_->restore();
    }
    y_ += height + Mm(2);
}

void ReportLayout::PageBreak() {
    if (!AtPageTop()) NewPage();
}

void ReportLayout::EndPage() {
    if (painter_ == nullptr) return;
    const QFont font = ReportFont(kFooterPoints);
    const QFontMetricsF metrics(font, &device_);
    const double top = device_.height() - metrics.height();
    painter_->setPen(QPen(kRule, Mm(0.1)));
    painter_->drawLine(QPointF(0, top - Mm(1)), QPointF(ContentWidth(), top - Mm(1)));
    painter_->setFont(font);
    painter_->setPen(Qt::black);
    const QRectF line(0, top, ContentWidth(), metrics.height());
    painter_->drawText(line, Qt::AlignLeft | Qt::AlignVCenter, footer_);
    painter_->drawText(line, Qt::AlignRight | Qt::AlignVCenter,
                       QStringLiteral("Страница %1 из %2").arg(page_).arg(totalPages_));
}

void ReportLayout::NewPage() {
    EndPage();
    if (painter_ != nullptr) device_.newPage();
    ++page_;
    y_ = 0;
    if (!continuedHeading_.isEmpty()) Text(continuedHeading_, ReportFont(12, true), 0, Mm(2));
}

void ReportLayout::Finish() {
    if (finished_) return;
    EndPage();
    finished_ = true;
}

}  // namespace shaftline::report
