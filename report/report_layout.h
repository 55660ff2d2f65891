#pragma once

#include <QFont>
#include <QString>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QRectF;

namespace shaftline::report {

struct TableGeometry;

struct ReportColumn {
    QString header;  ///< wrapped at blanks when the column is narrow
    Qt::Alignment alignment = Qt::AlignRight;
};

/// A table row: one text per column, or a group caption across all columns.
struct ReportRow {
    std::vector<QString> cells;
    bool group = false;  ///< cells[0] is the caption
};

struct ReportTable {
    std::vector<ReportColumn> columns;
    std::vector<ReportRow> rows;
    /// Moved whole to the next page when it does not fit below; a longer table is split between
    /// rows with its header repeated.
    bool keepTogether = false;
};

/// Lays a report out top to bottom on the pages of a paged device: headings, paragraphs,
/// tables that break between rows with their header repeated, and figures that stay on one
/// page. Every page ends in a footer with the given text and "Страница N из M".
///
/// Without a painter it only measures, with the same fonts and the same decisions, so that a
/// first pass can count the pages for the footers of the second.
class ReportLayout {
  public:
    ReportLayout(QPagedPaintDevice& device, QPainter* painter, QString footer, int totalPages);

    /// Device units per millimetre on paper.
    double Mm(double millimetres) const;
    double ContentWidth() const;

    void Title(const QString& text);
    /// A heading that starts a new page unless `keepBelowMm` of room stays under it.
    void Heading(const QString& text, double keepBelowMm = 40);
    void Subheading(const QString& text, double keepBelowMm = 25);
    void Paragraph(const QString& text);
    void Space(double millimetres);
    void Table(const ReportTable& table);
    /// Height the table takes when it is not split, device units.
    double TableHeight(const ReportTable& table) const;
    double ToMm(double units) const { return units / Mm(1); }
    /// A picture `height` device units high across the text width, painted by `paint` into the
    /// rectangle it gets (not called while measuring).
    void Figure(double height, const std::function<void(QPainter&, const QRectF&)>& paint);
    void PageBreak();
    /// A heading repeated at the top of every page that the blocks after it continue onto
    /// (e.g. "Ротор 5 (продолжение)"); empty ends the repetition.
    void SetContinuedHeading(const QString& text) { continuedHeading_ = text; }

    /// Ends the last page; the layout takes nothing more.
    void Finish();
    int PageCount() const { return page_; }

  private:
    TableGeometry Geometry(const ReportTable& table) const;
    void Text(const QString& text, const QFont& font, double keepBelow, double spaceAfter);
    void EnsureRoom(double height);
    void EndPage();
    void NewPage();
    double Bottom() const;
    double RoomBelow() const { return Bottom() - y_; }
    bool AtPageTop() const { return y_ <= 0; }

    QPagedPaintDevice& device_;
    QPainter* painter_;
    QString footer_;
    int totalPages_;
    int page_ = 1;
    double y_ = 0;  ///< top of the next block, device units from the top of the text area
    bool finished_ = false;
    QString continuedHeading_;
};

}  // namespace shaftline::report
