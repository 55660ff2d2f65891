#include "alignment_tables.h"

#include <algorithm>

#include "alignment_texts.h"
#include "number_text.h"

namespace shaftline::report {

namespace {

const QString kNone = QStringLiteral("—");

QString Fixed(double value, const std::string& decimal) {
    return QString::fromStdString(FormatFixed(value, kAlignmentDecimals, decimal, ""));
}

// The angular value in the unit of the coupling's tolerance: gap difference (mm) with a
// diameter, angle (mm/m) without one.
double Angular(const CouplingReading& reading, const std::optional<double>& diameter) {
    return AngularDeviation(reading.angle, diameter);
}

QString AngularUnit(const CouplingAlignment& c) {
    return c.geometry.diameter ? QStringLiteral("мм") : QStringLiteral("мм/м");
}

QString Tolerance(const CouplingAlignment& c, const std::string& decimal) {
    const CouplingTolerance& t = c.tolerance;
    if (!t.offset && !t.angular) return kNone;
    return (t.offset ? Fixed(*t.offset, decimal) : kNone) + QStringLiteral(" / ") +
           (t.angular ? Fixed(*t.angular, decimal) + QStringLiteral(" ") + AngularUnit(c) : kNone);
}

QString Verdict(const std::optional<PlaneVerdicts>& verdicts, bool vertical) {
    if (!verdicts) return kNone;
    return QString::fromUtf8(VerdictText(vertical ? verdicts->vertical : verdicts->horizontal));
}

bool Listed(const std::vector<int>& list, int j) {
    return std::find(list.begin(), list.end(), j) != list.end();
}

}  // namespace

QString CouplingName(const CouplingAlignment& c) {
    return QString::number(c.geometry.number) + QStringLiteral(" (роторы ") +
           QString::number(c.leftRotor) + QStringLiteral(" и ") + QString::number(c.rightRotor) +
           QStringLiteral(")");
}

AlignmentTable TargetsTable(const AlignmentResult& alignment, const std::string& decimal) {
    AlignmentTable table;
    table.headers = {QStringLiteral("Муфта"), QStringLiteral("Состояние опор"),
                     QStringLiteral("Смещение, мм"), QStringLiteral("Излом, мм/м"),
                     QStringLiteral("Разность зазоров, мм")};
    for (const CouplingAlignment& c : alignment.couplings) {
        for (SupportState s : kSupportStates) {
            const CouplingReading& r = c.targets[static_cast<std::size_t>(s)];
            table.rows.push_back({CouplingName(c), QString::fromUtf8(SupportStateName(s)),
                                  Fixed(r.offset, decimal), Fixed(1000 * r.angle, decimal),
                                  r.gap ? Fixed(*r.gap, decimal) : kNone});
        }
    }
    return table;
}

AlignmentTable ReadingsTable(const AlignmentResult& alignment, const std::string& decimal) {
    AlignmentTable table;
    table.headers = {QStringLiteral("Муфта"),
                     QStringLiteral("Плоскость"),
                     QStringLiteral("Цель: смещение, мм"),
                     QStringLiteral("Цель: раскрытие"),
                     QStringLiteral("Замер: смещение, мм"),
                     QStringLiteral("Замер: раскрытие"),
                     QStringLiteral("Отклонение: смещение, мм"),
                     QStringLiteral("Отклонение: раскрытие"),
                     QStringLiteral("Допуск: смещение, мм / раскрытие"),
                     QStringLiteral("Оценка"),
                     QStringLiteral("После: смещение, мм"),
                     QStringLiteral("После: раскрытие"),
                     QStringLiteral("Оценка после")};
    const CouplingReading level{};
    for (const CouplingAlignment& c : alignment.couplings) {
        const std::optional<double>& d = c.geometry.diameter;
        const QString unit = QStringLiteral(" ") + AngularUnit(c);
        for (bool vertical : {true, false}) {
            // The horizontal plane is aligned straight: its target is 0.
            const CouplingReading& target =
                vertical ? c.targets[static_cast<std::size_t>(SupportState::kAssembly)] : level;
            std::vector<QString> row = {
                CouplingName(c),
                vertical ? QStringLiteral("вертикальная") : QStringLiteral("горизонтальная"),
                Fixed(target.offset, decimal), Fixed(Angular(target, d), decimal) + unit};
            if (c.found) {
                const CouplingReading& f = vertical ? c.found->vertical : c.found->horizontal;
                row.insert(row.end(),
                           {Fixed(f.offset, decimal), Fixed(Angular(f, d), decimal) + unit,
                            Fixed(f.offset - target.offset, decimal),
                            Fixed(Angular(f, d) - Angular(target, d), decimal) + unit});
            } else {
                row.insert(row.end(), {kNone, kNone, kNone, kNone});
            }
            row.push_back(Tolerance(c, decimal));
            row.push_back(Verdict(c.inTolerance, vertical));
            if (c.after) {
                const CouplingReading& a = vertical ? c.after->vertical : c.after->horizontal;
                row.insert(row.end(),
                           {Fixed(a.offset, decimal), Fixed(Angular(a, d), decimal) + unit});
            } else {
                row.insert(row.end(), {kNone, kNone});
            }
            row.push_back(Verdict(c.inToleranceAfter, vertical));
            table.rows.push_back(std::move(row));
        }
    }
    return table;
}

AlignmentTable MovesTable(const AlignmentResult& alignment, const CoupledLine& line,
                          const std::string& decimal) {
    AlignmentTable table;
    table.headers = {QStringLiteral("Опора"), QStringLiteral("По вертикали"),
                     QStringLiteral("По горизонтали")};
    if (!alignment.moves) return table;
    const BearingMoves& m = *alignment.moves;
    for (std::size_t j = 0; j < line.supports.size() && j < m.vertical.size(); ++j) {
        const int support = static_cast<int>(j);
        const bool fixed = Listed(m.fixed, support);
        const QString still = QStringLiteral("неподвижна");
        QString vertical =
            fixed ? still : QString::fromStdString(MoveText(m.vertical[j], true, decimal));
        if (Listed(m.binding, support)) vertical += QStringLiteral(", упор");
        table.rows.push_back(
            {QString::fromStdString(SupportLabel(line.supports[j], support)), vertical,
             fixed ? still : QString::fromStdString(MoveText(m.horizontal[j], false, decimal))});
    }
    return table;
}

AlignmentTable LoadsAsFoundTable(const AlignmentResult& alignment, const CoupledLine& line,
                                 const std::string& decimal) {
    AlignmentTable table;
    table.headers = {QStringLiteral("Опора"), QStringLiteral("Проектная нагрузка, кгс"),
                     QStringLiteral("Нагрузка как найдено, кгс"),
                     QStringLiteral("Опора как найдено")};
    if (!alignment.loadsAsFound) return table;
    const LoadsAsFound& l = *alignment.loadsAsFound;
    const auto load = [&decimal](double value) {
        return QString::fromStdString(FormatFixed(value, kCoupledLoadDecimals, decimal, ""));
    };
    for (std::size_t j = 0; j < line.supports.size() && j < l.loads.size(); ++j) {
        const int support = static_cast<int>(j);
        QString state = kNone;
        if (Listed(l.unloaded, support)) state = QStringLiteral("разгружена");
        if (Listed(l.overloaded, support)) state = QStringLiteral("перегружена");
        table.rows.push_back({QString::fromStdString(SupportLabel(line.supports[j], support)),
                              load(l.design[j]), load(l.loads[j]), state});
    }
    return table;
}

std::vector<QString> ClosureNotes(const AlignmentResult& alignment, const std::string& decimal) {
    std::vector<QString> notes;
    for (const CouplingAlignment& c : alignment.couplings) {
        if (!c.closure || c.closure->Consistent()) continue;
        notes.push_back(QStringLiteral("Муфта ") + CouplingName(c) + QStringLiteral(": ") +
                        QString::fromUtf8(kClosureFailedText) + QStringLiteral(" (радиальные ") +
                        Fixed(c.closure->radial, decimal) + QStringLiteral(", осевые ") +
                        Fixed(c.closure->axial, decimal) + QStringLiteral(" мм)."));
    }
    return notes;
}

}  // namespace shaftline::report
