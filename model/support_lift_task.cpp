#include "support_lift_task.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace shaftline {

namespace {

std::string Support(int j) {
    return "опоры " + std::to_string(j + 1);
}

bool Counted(SupportState state) {
    return state == SupportState::kNominal || state == SupportState::kAssembly;
}

// Targets typed or the own loads; each above zero, since the objective divides by it.
std::string ResolveTargets(const CoupledShaftLine& coupled, const SupportLiftTask& task, ResolvedLiftTask& out) {
    const std::size_t supports = coupled.line.supports.size();
    if (task.targets.empty()) {
        for (std::size_t j = 0; j < supports; ++j) {
            const double own = coupled.line.supports[j].ownLoad;
            if (!(own > 0))
                return "Собственная нагрузка " + Support(static_cast<int>(j)) +
                       " не больше нуля: задайте целевые нагрузки";
            out.targets.push_back(own);
        }
        return {};
    }
    if (task.targets.size() != supports)
        return "Целевых нагрузок " + std::to_string(task.targets.size()) + ", а опор " + std::to_string(supports);
    for (std::size_t j = 0; j < supports; ++j) {
        if (!(task.targets[j] > 0) || !std::isfinite(task.targets[j]))
            return "Целевая нагрузка " + Support(static_cast<int>(j)) + " должна быть больше нуля";
    }
    out.targets = task.targets;
    return {};
}

std::string ResolveFixed(int supports, const SupportLiftTask& task, int baseRotor, ResolvedLiftTask& out) {
    const int rotors = supports - 1;
    const std::vector<int> fixed =
        task.fixed ? *task.fixed : DefaultFixedSupports(baseRotor >= 1 && baseRotor <= rotors ? baseRotor : 0);
    out.fixed.assign(static_cast<std::size_t>(supports), false);
    for (int j : fixed) {
        if (j < 0 || j >= supports)
            return "Опоры " + std::to_string(j + 1) + " нет: в валопроводе " + std::to_string(supports) + " опор";
        out.fixed[static_cast<std::size_t>(j)] = true;
    }
    out.fixedCount = static_cast<int>(std::count(out.fixed.begin(), out.fixed.end(), true));
    return {};
}

std::string ResolveJournals(int supports, const SupportLiftTask& task, ResolvedLiftTask& out) {
    out.journals.assign(static_cast<std::size_t>(supports), std::nullopt);
    for (const JournalSize& journal : task.journals) {
        if (journal.support < 0 || journal.support >= supports)
            return "Цапфа опоры " + std::to_string(journal.support + 1) + ": такой опоры нет";
        auto& slot = out.journals[static_cast<std::size_t>(journal.support)];
        if (slot) return "Цапфа " + Support(journal.support) + " задана дважды";
        const bool sized = journal.diameter > 0 && std::isfinite(journal.diameter) && journal.length > 0 &&
                           std::isfinite(journal.length);
        if (!sized) return "Диаметр и длина цапфы " + Support(journal.support) + " должны быть больше нуля";
        if (journal.pressureMax && !(*journal.pressureMax > 0 && std::isfinite(*journal.pressureMax)))
            return "Допустимое удельное давление " + Support(journal.support) + " должно быть больше нуля";
        slot = journal;
    }
    return {};
}

std::string ResolveRanges(int supports, const SupportLiftTask& task, ResolvedLiftTask& out) {
    out.ranges.assign(static_cast<std::size_t>(supports), LiftRange{});
    if (task.ranges.empty()) return {};
    if (task.ranges.size() != static_cast<std::size_t>(supports))
        return "Границ подъема " + std::to_string(task.ranges.size()) + ", а опор " + std::to_string(supports);
    for (int j = 0; j < supports; ++j) {
        const LiftRange& r = task.ranges[static_cast<std::size_t>(j)];
        const double inf = std::numeric_limits<double>::infinity();
        if (std::isnan(r.min) || std::isnan(r.max) || r.min > r.max || r.min == inf || r.max == -inf)
            return "Границы подъема " + Support(j) + " несовместны";
        if (!out.fixed[static_cast<std::size_t>(j)]) out.ranges[static_cast<std::size_t>(j)] = r;
    }
    return {};
}

// Every limit of every counted state's loads, in the order state, support, kind.
void AddConstraints(const SupportLiftTask& task, ResolvedLiftTask& out) {
    for (SupportState state : out.states) {
        for (std::size_t j = 0; j < out.targets.size(); ++j) {
            const int support = static_cast<int>(j);
            if (task.bandPercent) {
                const double share = *task.bandPercent / 100;
                out.constraints.push_back({state, support, LoadLimit::kBandMin, out.targets[j] * (1 - share)});
                out.constraints.push_back({state, support, LoadLimit::kBandMax, out.targets[j] * (1 + share)});
            }
            if (task.minLoad) out.constraints.push_back({state, support, LoadLimit::kMinLoad, *task.minLoad});
            const auto& journal = out.journals[j];
            if (journal && journal->pressureMax) {
                // p = 100·R/(d·l) ≤ p_max  ⇔  R ≤ p_max·d·l/100.
                const double load = *journal->pressureMax * journal->diameter * journal->length / 100;
                out.constraints.push_back({state, support, LoadLimit::kPressureMax, load});
            }
        }
    }
}

}  // namespace

std::vector<int> DefaultFixedSupports(int baseRotor) {
    const int rotor = baseRotor >= 1 ? baseRotor : 1;
    return {rotor - 1, rotor};
}

const char* LoadLimitKey(LoadLimit limit) {
    switch (limit) {
        case LoadLimit::kBandMin:
            return "band_min";
        case LoadLimit::kBandMax:
            return "band_max";
        case LoadLimit::kMinLoad:
            return "min_load";
        case LoadLimit::kPressureMax:
            return "pressure_max";
    }
    return "";
}

const char* LoadLimitName(LoadLimit limit) {
    switch (limit) {
        case LoadLimit::kBandMin:
            return "нижняя граница допуска";
        case LoadLimit::kBandMax:
            return "верхняя граница допуска";
        case LoadLimit::kMinLoad:
            return "наименьшая нагрузка";
        case LoadLimit::kPressureMax:
            return "нагрузка при допустимом удельном давлении";
    }
    return "";
}

double SpecificPressure(double load, const JournalSize& journal) {
    return 100 * load / (journal.diameter * journal.length);
}

OrProblem<ResolvedLiftTask> ResolveLiftTask(const CoupledShaftLine& coupled, const SupportLiftTask& task,
                                            int baseRotor) {
    const int supports = static_cast<int>(coupled.line.supports.size());
    ResolvedLiftTask out;
    for (SupportState state : task.states) {
        if (!Counted(state)) return {std::nullopt, "Учитываются только номинальный режим и монтажное состояние"};
        if (std::find(out.states.begin(), out.states.end(), state) == out.states.end()) out.states.push_back(state);
    }
    if (out.states.empty()) return {std::nullopt, "Не выбрано ни одного состояния опор"};
    if (task.bandPercent && !(*task.bandPercent > 0 && std::isfinite(*task.bandPercent)))
        return {std::nullopt, "Допуск нагрузки должен быть больше нуля"};
    if (task.minLoad && !std::isfinite(*task.minLoad))
        return {std::nullopt, "Наименьшая нагрузка должна быть конечным числом"};
    for (const std::string& problem :
         {ResolveTargets(coupled, task, out), ResolveFixed(supports, task, baseRotor, out),
          ResolveJournals(supports, task, out)}) {
        if (!problem.empty()) return {std::nullopt, problem};
    }
    if (std::string problem = ResolveRanges(supports, task, out); !problem.empty())
        return {std::nullopt, std::move(problem)};
    AddConstraints(task, out);
    const bool bounded = std::any_of(out.ranges.begin(), out.ranges.end(), [](const LiftRange& r) {
        return std::isfinite(r.min) || std::isfinite(r.max);
    });
    if (out.fixedCount < 2 && (!out.constraints.empty() || bounded))
        return {std::nullopt,
                "При менее чем двух закрепленных опорах ограничения не задаются: подъем всей линии "
                "или ее наклон нагрузок не меняют"};
    return {std::move(out), {}};
}

}  // namespace shaftline
