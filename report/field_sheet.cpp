#include "field_sheet.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <numeric>

#include "alignment_tables.h"
#include "alignment_texts.h"
#include "output_file.h"
#include "pdf_file.h"
#include "report_font.h"

namespace shaftline::report {

namespace {

const QString kTitle = QStringLiteral("Формуляр центровки");
const QMarginsF kMarginsMm(10, 10, 10, 10);
constexpr int kPdfDotsPerInch = 600;

// Type sizes tried from the largest down until everything stays on the page (points).
constexpr double kLargestPoints = 8;
constexpr double kSmallestPoints = 4.5;
constexpr double kPointsStep = 0.5;

// Supports listed in one column of the moves table before it continues beside: the 20 supports
// of the longest line in two columns.
constexpr std::size_t kMovesPerColumn = 10;

const QString kConventions = QStringLiteral(
    "Смещение положительно, когда правая полумуфта выше (по горизонтали — правее, смотря от "
    "ротора 1 к последнему); раскрытие положительно, когда муфта раскрыта вверху (справа). "
    "Раскрытие — разность зазоров в мм при заданном диаметре замера, без него — излом в мм/м. "
    "Цель по вертикали — монтажная расцентровка, по горизонтали — 0. Отклонение = замер − цель.");

// Paints (with a painter) or only measures (without one) the sheet at one type size; returns
// the height it takes, device units.
class SheetPainter {
  public:
    SheetPainter(QPainter* painter, const QPaintDevice& device, double points)
        : painter_(painter), device_(device), points_(points) {}

    double Mm(double millimetres) const { return millimetres * device_.logicalDpiY() / 25.4; }

    void Text(const QString& text, double width, bool bold = false, double points = 0) {
        const QFont font = ReportFont(points > 0 ? points : points_, bold);
        const QRectF box(0, y_, width, 1e9);
        const QRectF used =
            QFontMetricsF(font, &device_).boundingRect(box, Qt::TextWordWrap | Qt::AlignLeft, text);
        if (painter_ != nullptr) {
            painter_->setFont(font);
            painter_->drawText(QRectF(0, y_, width, used.height()),
                               Qt::TextWordWrap | Qt::AlignLeft, text);
        }
        y_ += used.height();
    }

    void Space(double millimetres) { y_ += Mm(millimetres); }

    // A table at `left` with columns as wide as their texts (captions wrapped at blanks), spread
    // to `width` when `fill`; its rows do not move y_ unless `advance`. Returns its height.
    double Table(const AlignmentTable& table, double left, double width, bool fill,
                 bool advance = true) {
        const QFont bold = ReportFont(points_, true);
        const QFontMetricsF metrics(ReportFont(points_), &device_);
        const QFontMetricsF boldMetrics(bold, &device_);
        const double pad = Mm(0.8);
        std::vector<double> widths = NaturalWidths(table, metrics, boldMetrics);
        const double total = std::accumulate(widths.begin(), widths.end(), 0.0);
        if (total > width) tooWide_ = true;
        if (fill || total > width)
            for (double& w : widths) w *= width / total;
        double header = 0;
        for (std::size_t i = 0; i < table.headers.size(); ++i) {
            const QRectF r =
                boldMetrics.boundingRect(QRectF(0, 0, widths[i] - 2 * pad, 1e9),
                                         Qt::TextWordWrap | Qt::AlignCenter, table.headers[i]);
            header = std::max(header, r.height() + 2 * pad);
        }
        const double row = metrics.height() + 2 * pad;
        const double height = header + row * static_cast<double>(table.rows.size());
        if (painter_ != nullptr) Draw(table, widths, left, header, row, pad);
        if (advance) y_ += height;
        return height;
    }

    // Whether a table did not fit across at this type size.
    bool TooWide() const { return tooWide_; }

    double Y() const { return y_; }

  private:
    // Per column the widest cell or the longest word of its caption, with the cell padding.
    std::vector<double> NaturalWidths(const AlignmentTable& table, const QFontMetricsF& metrics,
                                      const QFontMetricsF& boldMetrics) const {
        std::vector<double> widths;
        for (std::size_t i = 0; i < table.headers.size(); ++i) {
            double w = 0;
            for (const QString& word : table.headers[i].split(QLatin1Char(' ')))
                w = std::max(w, boldMetrics.horizontalAdvance(word));
            for (const std::vector<QString>& cells : table.rows)
                if (i < cells.size()) w = std::max(w, metrics.horizontalAdvance(cells[i]));
            widths.push_back(w + 2 * Mm(1.2));
        }
        return widths;
    }

    void Draw(const AlignmentTable& table, const std::vector<double>& widths, double left,
              double header, double row, double pad) {
        QPainter& p = *painter_;
        p.setPen(QPen(Qt::black, Mm(0.15)));
        double x = left;
        p.setFont(ReportFont(points_, true));
        for (std::size_t i = 0; i < table.headers.size(); ++i) {
            const QRectF cell(x, y_, widths[i], header);
            p.fillRect(cell, QColor(235, 235, 235));
            p.drawRect(cell);
            p.drawText(cell.adjusted(pad, pad, -pad, -pad), Qt::TextWordWrap | Qt::AlignCenter,
                       table.headers[i]);
            x += widths[i];
        }
        p.setFont(ReportFont(points_));
        double y = y_ + header;
        for (const std::vector<QString>& cells : table.rows) {
            x = left;
            for (std::size_t i = 0; i < cells.size() && i < widths.size(); ++i) {
                const QRectF cell(x, y, widths[i], row);
                p.setPen(QPen(Qt::black, Mm(0.15)));
                p.drawRect(cell);
                p.setPen(VerdictColour(cells[i]));
                p.drawText(cell.adjusted(pad, 0, -pad, 0),
                           (i == 0 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter,
                           cells[i]);
                x += widths[i];
            }
            y += row;
        }
        p.setPen(Qt::black);
    }

    static QColor VerdictColour(const QString& text) {
        if (text == QString::fromUtf8(VerdictText(true))) return QColor(0, 120, 0);
        if (text == QString::fromUtf8(VerdictText(false))) return QColor(190, 0, 0);
        return Qt::black;
    }

    QPainter* painter_;
    const QPaintDevice& device_;
    double points_;
    double y_ = 0;
    bool tooWide_ = false;
};

// The moves table in columns of kMovesPerColumn supports side by side.
std::vector<AlignmentTable> MoveColumns(const AlignmentTable& moves) {
    std::vector<AlignmentTable> columns;
    for (std::size_t first = 0; first < moves.rows.size(); first += kMovesPerColumn) {
        AlignmentTable part{moves.headers, {}};
        const std::size_t last = std::min(moves.rows.size(), first + kMovesPerColumn);
        part.rows.assign(moves.rows.begin() + static_cast<std::ptrdiff_t>(first),
                         moves.rows.begin() + static_cast<std::ptrdiff_t>(last));
        columns.push_back(std::move(part));
    }
    return columns;
}

double LayOutSheet(SheetPainter& s, const ReportInput& input, const CoupledLine* line,
                   double width) {
    const AlignmentResult& alignment = *input.alignment;
    const std::string& decimal = input.decimalSeparator;
    s.Text(kTitle, width, true, 14);
    QString stamp = input.created.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
    if (!input.bookFileName.empty())
        stamp += QStringLiteral(" — книга ") + QString::fromStdString(input.bookFileName);
    stamp += QStringLiteral(" — ") + QString::fromStdString(io::BaseRotorText(input));
    s.Text(stamp, width);
    if (const std::string lifts = io::LiftsInForceText(input); !lifts.empty())
        s.Text(QString::fromStdString(lifts) +
                   QStringLiteral("; цели всех состояний даны с ними."),
               width, true);
    s.Space(1);
    s.Text(kConventions, width);
    s.Space(2);
    s.Text(QStringLiteral("Расцентровки муфт: цели, замеры, отклонения и оценка"), width, true);
    s.Space(1);
    s.Table(ReadingsTable(alignment, decimal), 0, width, true);
    s.Space(1);
    for (const QString& note : ClosureNotes(alignment, decimal)) s.Text(note, width, true);
    s.Space(3);
    s.Text(QStringLiteral("Перемещения опор"), width, true);
    s.Space(1);
    if (!alignment.moves || line == nullptr) {
        s.Text(QStringLiteral("Замеров нет: перемещения опор не рассчитаны."), width);
    } else {
        const std::vector<AlignmentTable> columns =
            MoveColumns(MovesTable(alignment, *line, decimal));
        const double gap = s.Mm(6);
        const double part = (width - gap) / 2;
        double tallest = 0;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const double left = static_cast<double>(i) * (part + gap);
            tallest = std::max(tallest, s.Table(columns[i], left, part, false, false));
        }
        s.Space(tallest / s.Mm(1));
    }
    s.Space(6);
    s.Text(QStringLiteral("Замеры выполнил: ______________________      Перемещения выполнил: "
                          "______________________      Проверил: ______________________"),
           width);
    return s.Y();
}

}  // namespace

bool PaintFieldSheet(QPagedPaintDevice& device, const ReportInput& input) {
    if (!input.alignment || input.alignment->couplings.empty()) return false;
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, kMarginsMm,
                                     QPageLayout::Millimeter));
    std::optional<CoupledShaftLine> coupled;
    if (input.rotors != nullptr) coupled = CalcCoupledShaftLine(*input.rotors, input.count).value;
    const CoupledLine* line = coupled ? &coupled->line : nullptr;
    const double width = device.width();
    double points = kLargestPoints;
    for (; points > kSmallestPoints; points -= kPointsStep) {
        SheetPainter measure(nullptr, device, points);
        if (LayOutSheet(measure, input, line, width) <= device.height() && !measure.TooWide())
            break;
    }
    QPainter painter;
    if (!painter.begin(&device)) return false;
    painter.setRenderHint(QPainter::Antialiasing);
    SheetPainter sheet(&painter, device, points);
    LayOutSheet(sheet, input, line, width);
    return painter.end();
}

QByteArray FieldSheetPdf(const ReportInput& input) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfDotsPerInch);
        writer.setTitle(kTitle);
        painted = PaintFieldSheet(writer, input);
    }
    return painted ? buffer.data() : QByteArray();
}

std::string WriteFieldSheetPdf(const std::string& path, const ReportInput& input) {
    if (!input.alignment || input.alignment->couplings.empty())
        return "Формуляр центровки «" + io::QuotedPathForMessage(path) +
               "» не записан: в валопроводе нет муфт.";
    return WritePdfFile(path, "Формуляр центровки", "формуляра", "страница формуляра не нарисована",
                        [&input] { return FieldSheetPdf(input); });
}

}  // namespace shaftline::report
