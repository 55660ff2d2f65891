#include "report_sections.h"

#include <QPainter>
#include <array>
#include <string_view>

#include "chart_picture.h"
#include "number_text.h"
#include "report_font.h"
#include "rotor_transfer.h"
#include "sketch_picture.h"
#include "utf8_text.h"

namespace shaftline::report {

namespace {

constexpr double kChartHeightMm = 100;
constexpr double kChartFontPoints = 8;
constexpr double kSketchMaxHeightMm = 55;
constexpr double kParagraphMm = 6;       // one line of body text with its spacing
constexpr double kSketchSideRoomMm = 4;  // for the centre line beyond the rotor's ends

// The two number formats of the windows: the grid's and the parameters window's.
struct Numbers {
    const ReportInput& input;

    QString Grid(double value) const {
        return QString::fromStdString(FormatGeneral(value, input.decimalSeparator));
    }
    QString Param(std::optional<double> value) const {
        if (!value) return QStringLiteral("не определено");
        return QString::fromStdString(
            FormatNumber7(*value, input.decimalSeparator, input.groupSeparator));
    }
};

// Units of one support's nine values: heights and the condenser, vacuum and journal terms in
// mm, temperatures in °C.
constexpr std::array<std::string_view, 9> kSupportUnits = {", мм", ", °C", ", мм", ", °C", ", мм",
                                                           ", °C", ", мм", ", мм", ", мм"};

ReportTable SectionTable(const ReportInput& input, const TRotor& rotor, int number) {
    const Numbers numbers{input};
    const bool aligned = input.baseRotor.has_value();
    ReportTable table;
    table.columns.push_back({QStringLiteral("Участок"), Qt::AlignHCenter});
    for (std::string_view name : kSectionColumnNames) table.columns.push_back({Utf8Text(name)});
    table.columns.push_back({Utf8Text(kDeflectionColumnName)});
    if (aligned) table.columns.push_back({QStringLiteral("Смещение линии")});

    const auto& rows = input.inputs[static_cast<std::size_t>(number)].sectionRows;
    const SectionArray& sections = rotor.SectionsView();
    for (int r = 1; r <= rotor.GetSectionCount(); ++r) {
        ReportRow row;
        row.cells.push_back(QString::number(r));
        for (int c = 0; c < 8; ++c) {
            const bool typed = static_cast<std::size_t>(r) <= rows.size();
            row.cells.push_back(typed ? QString::fromStdString(rows[r - 1][c]) : QString());
        }
        row.cells.push_back(numbers.Grid(sections[r].Deflection));
        if (aligned) row.cells.push_back(numbers.Grid(sections[r].LineOffset));
        table.rows.push_back(std::move(row));
    }
    return table;
}

ReportTable SupportTable(const ReportInput& input, int number) {
    const auto& texts = input.inputs[static_cast<std::size_t>(number)].supportTexts;
    ReportTable table;
    table.keepTogether = true;
    table.columns = {{QStringLiteral("Левая опора"), Qt::AlignLeft},
                     {QStringLiteral("Значение")},
                     {QStringLiteral("Правая опора"), Qt::AlignLeft},
                     {QStringLiteral("Значение")}};
    for (std::size_t i = 0; i < 9; ++i) {
        table.rows.push_back(
            {{Utf8Text(kSupportColumnNames[i]) + Utf8Text(kSupportUnits[i]),
              QString::fromStdString(texts[i]),
              Utf8Text(kSupportColumnNames[i + 9]) + Utf8Text(kSupportUnits[i]),
              QString::fromStdString(texts[i + 9])}});
    }
    return table;
}

// The values of the parameters window, left and right support side by side.
ReportTable StatesTable(const ReportInput& input, int number) {
    const Numbers numbers{input};
    const SupportStates s = io::ShownSupportStates(input, number);
    const bool known = io::HasSupportData(input, number);
    const auto rises = [&](std::optional<double> value) {
        return known ? numbers.Param(value) : QStringLiteral("нет данных опор");
    };
    ReportTable table;
    table.keepTogether = true;
    table.columns = {{QStringLiteral("Величина"), Qt::AlignLeft},
                     {QStringLiteral("Левая опора")},
                     {QStringLiteral("Правая опора")}};
    const auto group = [&](const QString& caption) { table.rows.push_back({{caption}, true}); };
    const auto row = [&](const QString& caption, const QString& left, const QString& right) {
        table.rows.push_back({{caption, left, right}});
    };
    const QString angle = QStringLiteral("Угол поворота шейки, рад");
    const QString elevation = QStringLiteral("Высотное положение опоры, мм");
    group(QStringLiteral("Номинальный режим работы"));
    row(angle, numbers.Param(s.nominalLeftAngle), numbers.Param(s.nominalRightAngle));
    row(elevation, numbers.Param(s.nominalLeftElevation), numbers.Param(s.nominalRightElevation));
    group(QStringLiteral("Монтажное состояние"));
    row(angle, rises(s.assemblyLeftAngle), rises(s.assemblyRightAngle));
    row(QStringLiteral("Монтажная поправка опоры, мм"), rises(s.leftRise), rises(s.rightRise));
    row(elevation, rises(io::AssemblyElevation(s, s.assemblyLeftElevation)),
        rises(io::AssemblyElevation(s, s.assemblyRightElevation)));
    group(QStringLiteral("Опоры горизонтальны"));
    row(angle, numbers.Param(s.ownLeftAngle), numbers.Param(s.ownRightAngle));
    return table;
}

void Sketch(ReportLayout& layout, const ReportInput& input, const TRotor& rotor) {
    const SketchDrawing sketch = RotorSketch(rotor);
    const double lengthMm = sketch.width / kSketchUnitsPerMm;
    const double heightMm = sketch.height / kSketchUnitsPerMm;
    const double widthMm = layout.ContentWidth() / layout.Mm(1) - 2 * kSketchSideRoomMm;
    const double denominator =
        FittingScaleDenominator(lengthMm, heightMm, widthMm, kSketchMaxHeightMm);
    if (denominator <= 0) return;
    const double unitsPerMm = layout.Mm(1) / denominator;
    const QString caption =
        QStringLiteral("Эскиз ротора, масштаб 1:%1").arg(Numbers{input}.Grid(denominator));
    layout.Subheading(caption, heightMm / denominator + 2);
    layout.Figure(heightMm * unitsPerMm, [&](QPainter& painter, const QRectF& area) {
        PaintSketch(painter, QPointF(area.left() + layout.Mm(kSketchSideRoomMm), area.top()),
                    sketch, unitsPerMm);
    });
}

}  // namespace

ReportSection TitleSection(std::shared_ptr<const ReportInput> input, const QString& title) {
    return [input, title](ReportLayout& layout) {
        layout.Title(title);
        layout.Paragraph(QStringLiteral("Дата и время: ") +
                         input->created.toString(QStringLiteral("dd.MM.yyyy HH:mm")));
        if (!input->bookFileName.empty())
            layout.Paragraph(QStringLiteral("Книга: ") +
                             QString::fromStdString(input->bookFileName));
        layout.Paragraph(QStringLiteral("Количество роторов: %1").arg(input->count));
        layout.Paragraph(Utf8Text(io::BaseRotorText(*input)));
        layout.Paragraph(QStringLiteral("Углы в радианах, длины в миллиметрах."));
        layout.Space(3);
    };
}

ReportSection ChartsSection(std::shared_ptr<const ReportInput> input) {
    return [input](ReportLayout& layout) {
        for (ElasticChart chart : {ElasticChart::Nominal, ElasticChart::Assembly}) {
            const ChartPicture picture = ElasticChartPicture(chart, *input->rotors, input->count);
            layout.Figure(layout.Mm(kChartHeightMm), [&](QPainter& painter, const QRectF& area) {
                painter.setFont(ReportFont(kChartFontPoints));
                PaintChart(painter, area, picture, input->decimalSeparator);
            });
        }
    };
}

ReportSection RotorSection(std::shared_ptr<const ReportInput> input, int rotor) {
    return [input, rotor](ReportLayout& layout) {
        const TRotor* record = (*input->rotors)[static_cast<std::size_t>(rotor)].get();
        if (record == nullptr) return;
        layout.PageBreak();
        layout.Heading(QStringLiteral("Ротор %1").arg(rotor));
        layout.SetContinuedHeading(QStringLiteral("Ротор %1 (продолжение)").arg(rotor));
        layout.Paragraph(QStringLiteral("Тип ротора: ") +
                         Utf8Text(io::RotorKindText(*input, rotor)));
        layout.Paragraph(QStringLiteral("Количество участков: %1").arg(record->GetSectionCount()));
        // The units go into the heading: in the column captions they would take a third line.
        layout.Subheading(QStringLiteral("Участки и прогибы: длины и прогибы в мм, модуль Юнга в "
                                         "кгс/мм², масса лопатки в кг"));
        layout.Table(SectionTable(*input, *record, rotor));
        const ReportTable support = SupportTable(*input, rotor);
        layout.Subheading(QStringLiteral("Данные опор"), layout.ToMm(layout.TableHeight(support)));
        layout.Table(support);
        if (!record->GetEvenPosition()) Sketch(layout, *input, *record);
        // The results stay together under their heading.
        const ReportTable states = StatesTable(*input, rotor);
        layout.Subheading(QStringLiteral("Результаты расчета"),
                          layout.ToMm(layout.TableHeight(states)) + kParagraphMm);
        if (rotor > 1)
            layout.Paragraph(QStringLiteral("Излом в муфте перед ротором, рад: ") +
                             Numbers{*input}.Param(record->GetCouplingBreak()));
        layout.Table(states);
        layout.SetContinuedHeading({});
    };
}

}  // namespace shaftline::report
