// The rotors rigidly coupled: support loads and moments in the three support states and the
// influence coefficients, rounded as the loads window shows them.
#include <algorithm>

#include "coupled_shaft_line.h"
#include "number_text.h"
#include "report_sections.h"
#include "utf8_text.h"

namespace shaftline::report {

namespace {

// Supports per block of the influence table: twenty columns of coefficients would not be
// readable across a portrait page.
constexpr std::size_t kInfluenceColumns = 10;

struct Fixed {
    const ReportInput& input;
    QString operator()(double value, int decimals) const {
        return QString::fromStdString(
            FormatFixed(value, decimals, input.decimalSeparator, input.groupSeparator));
    }
};

ReportTable StateTable(const ReportInput& input, const CoupledShaftLine& coupled,
                       const CoupledState& state) {
    const Fixed fixed{input};
    ReportTable table;
    table.keepTogether = true;
    table.columns = {{QStringLiteral("Опора"), Qt::AlignLeft},
                     {QStringLiteral("Координата, мм")},
                     {QStringLiteral("Высотное положение, мм")},
                     {QStringLiteral("Нагрузка, кгс")},
                     {QStringLiteral("Нагрузка без связи роторов, кгс")},
                     {QStringLiteral("Изменение нагрузки, кгс")},
                     {QStringLiteral("Изгибающий момент, кгс·мм")}};
    const std::vector<CoupledSupport>& supports = coupled.line.supports;
    const std::vector<double> shift = CouplingShift(coupled.line, state);
    for (std::size_t j = 0; j < supports.size(); ++j) {
        table.rows.push_back({{Utf8Text(SupportLabel(supports[j], static_cast<int>(j))),
                               fixed(supports[j].x, kCoupledLengthDecimals),
                               fixed(state.elevations[j], kCoupledLengthDecimals),
                               fixed(state.loads[j], kCoupledLoadDecimals),
                               fixed(supports[j].ownLoad, kCoupledLoadDecimals),
                               fixed(shift[j], kCoupledLoadDecimals),
                               fixed(state.moments[j], kCoupledMomentDecimals)}});
    }
    return table;
}

// Rows: the loaded support; columns: supports first..first + kInfluenceColumns − 1 lifted.
ReportTable InfluenceBlock(const ReportInput& input, const CoupledShaftLine& coupled,
                           std::size_t first) {
    const Fixed fixed{input};
    const std::vector<std::vector<double>>& a = coupled.influence;
    const std::size_t last = std::min(a.size(), first + kInfluenceColumns);
    ReportTable table;
    table.keepTogether = true;
    table.columns.push_back({QStringLiteral("Опора"), Qt::AlignHCenter});
    for (std::size_t j = first; j < last; ++j) table.columns.push_back({QString::number(j + 1)});
    for (std::size_t i = 0; i < a.size(); ++i) {
        ReportRow row;
        row.cells.push_back(QString::number(i + 1));
        for (std::size_t j = first; j < last; ++j)
            row.cells.push_back(fixed(a[i][j], kCoupledCoefficientDecimals));
        table.rows.push_back(std::move(row));
    }
    return table;
}

void LayOutCoupled(ReportLayout& layout, const ReportInput& input,
                   const CoupledShaftLine& coupled) {
    for (SupportState state : kSupportStates) {
        const CoupledState& s = coupled.State(state);
        const ReportTable table = StateTable(input, coupled, s);
        layout.Subheading(Utf8Text(SupportStateName(state)),
                          layout.ToMm(layout.TableHeight(table)));
        layout.Table(table);
        if (const std::string unloaded = UnloadedSupportsText(coupled.line, s); !unloaded.empty())
            layout.Paragraph(Utf8Text(unloaded));
    }
    const std::size_t supports = coupled.influence.size();
    for (std::size_t first = 0; first < supports; first += kInfluenceColumns) {
        const ReportTable block = InfluenceBlock(input, coupled, first);
        if (first == 0) {
            layout.Subheading(QStringLiteral("Коэффициенты влияния, кгс/мм"),
                              layout.ToMm(layout.TableHeight(block)) + 10);
            layout.Paragraph(QStringLiteral(
                "Изменение нагрузки опоры (строка) при подъеме одной опоры (столбец) на 1 мм; "
                "не зависит от состояния опор."));
        }
        layout.Table(block);
    }
}

}  // namespace

ReportSection CoupledSection(std::shared_ptr<const ReportInput> input) {
    return [input](ReportLayout& layout) {
        layout.PageBreak();
        layout.Heading(QStringLiteral("Роторы, жестко соединенные муфтами"));
        layout.Paragraph(
            QStringLiteral("Нагрузки на опоры и изгибающие моменты в опорах в трех состояниях "
                           "опор. Ужесточение вала дисками не учитывается."));
        const OrProblem<CoupledShaftLine> coupled =
            CalcCoupledShaftLine(*input->rotors, input->count, input->lifts);
        if (const std::string lifts = io::LiftsInForceText(*input); !lifts.empty())
            layout.Paragraph(QString::fromStdString(lifts));
        if (!coupled.value) {
            layout.Paragraph(QStringLiteral("Не рассчитаны: ") +
                             QString::fromStdString(coupled.problem));
            return;
        }
        LayOutCoupled(layout, *input, *coupled.value);
    };
}

}  // namespace shaftline::report
