#include "alignment_tables.h"
#include "report_sections.h"

namespace shaftline::report {

namespace {

ReportTable AsReportTable(const AlignmentTable& table, const std::vector<std::size_t>& columns) {
    ReportTable out;
    for (std::size_t i : columns)
        out.columns.push_back({table.headers[i], i == 0 ? Qt::AlignLeft : Qt::AlignHCenter});
    for (const std::vector<QString>& cells : table.rows) {
        ReportRow row;
        for (std::size_t i : columns) row.cells.push_back(cells[i]);
        out.rows.push_back(std::move(row));
    }
    return out;
}

ReportTable AsReportTable(const AlignmentTable& table) {
    std::vector<std::size_t> all(table.headers.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
    return AsReportTable(table, all);
}

bool AnyFound(const AlignmentResult& alignment) {
    for (const CouplingAlignment& c : alignment.couplings)
        if (c.found) return true;
    return false;
}

void LayOutReadings(ReportLayout& layout, const AlignmentResult& alignment,
                    const std::string& decimal) {
    const AlignmentTable readings = ReadingsTable(alignment, decimal);
    layout.Subheading(QStringLiteral("Замеры как найдено и отклонения от целей"));
    layout.Paragraph(QStringLiteral(
        "Цель по вертикали — монтажная расцентровка, по горизонтали — 0; отклонение = замер − "
        "цель. Раскрытие — разность зазоров в мм при заданном диаметре замера, без него — излом "
        "в мм/м."));
    // Two tables of the one row set, so that the columns stay readable on a portrait page.
    layout.Table(AsReportTable(readings, {0, 1, 2, 3, 4, 5, 6, 7}));
    layout.Subheading(QStringLiteral("Допуски и оценка до и после перемещений"));
    layout.Table(AsReportTable(readings, {0, 1, 8, 9, 10, 11, 12}));
    for (const QString& note : ClosureNotes(alignment, decimal)) layout.Paragraph(note);
}

}  // namespace

ReportSection AlignmentSection(std::shared_ptr<const ReportInput> input) {
    return [input](ReportLayout& layout) {
        if (!input->alignment || input->alignment->couplings.empty()) return;
        const AlignmentResult& alignment = *input->alignment;
        const std::string& decimal = input->decimalSeparator;
        layout.PageBreak();
        layout.Heading(QStringLiteral("Центровка муфт"));
        layout.Paragraph(QStringLiteral(
            "Смещение положительно, когда правая полумуфта выше (по горизонтали — правее, смотря "
            "от ротора 1 к последнему); излом и раскрытие положительны, когда муфта раскрыта "
            "вверху (справа). Расцентровки монтажного состояния — цели центровки."));
        layout.Subheading(QStringLiteral("Расцентровки муфт в трех состояниях опор"));
        if (const std::string lifts = io::LiftsInForceText(*input); !lifts.empty())
            layout.Paragraph(QString::fromStdString(lifts) +
                             QStringLiteral("; расцентровки всех состояний даны с ними."));
        layout.Table(AsReportTable(TargetsTable(alignment, decimal)));
        if (!AnyFound(alignment)) {
            layout.Paragraph(QStringLiteral("Замеров нет: перемещения опор не рассчитаны."));
            return;
        }
        LayOutReadings(layout, alignment, decimal);
        const OrProblem<CoupledShaftLine> coupled =
            CalcCoupledShaftLine(*input->rotors, input->count, input->lifts);
        if (!coupled.value || !alignment.moves) return;
        layout.Subheading(QStringLiteral("Перемещения опор"));
        layout.Table(AsReportTable(MovesTable(alignment, coupled.value->line, decimal)));
        if (!alignment.loadsAsFound) return;
        layout.Subheading(QStringLiteral("Нагрузки на опоры при муфтах, собранных как найдено"));
        layout.Table(AsReportTable(LoadsAsFoundTable(alignment, coupled.value->line, decimal)));
    };
}

}  // namespace shaftline::report
