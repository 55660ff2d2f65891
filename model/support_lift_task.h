#pragma once

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "coupled_shaft_line.h"

namespace shaftline {

/// A bearing journal: with its size the specific pressure of the support is known.
struct JournalSize {
    int support = 0;       ///< j of J(j), 0..n
    double diameter = 0;   ///< mm
    double length = 0;     ///< mm
    std::optional<double> pressureMax;  ///< kgf/cm², the allowed specific pressure
};

/// Range of the lift of one support, mm; infinite sides are open.
struct LiftRange {
    double min = -std::numeric_limits<double>::infinity();
    double max = std::numeric_limits<double>::infinity();
};

/// What the choice of the support lifts d(J0..J(n)) aims at and what it must respect.
struct SupportLiftTask {
    /// kgf per support J0..J(n), each above 0; empty: the own loads (couplings open).
    std::vector<double> targets;
    /// The states whose loads count: nominal, assembly or both.
    std::vector<SupportState> states = {SupportState::kNominal, SupportState::kAssembly};
    /// The supports held at their elevations (j of J(j)); empty: DefaultFixedSupports.
    std::optional<std::vector<int>> fixed;
    std::optional<double> bandPercent;  ///< every load within ±band % of its target
    std::optional<double> minLoad;      ///< kgf, every load at least this
    std::vector<JournalSize> journals;
    std::vector<LiftRange> ranges;  ///< empty, or one per support J0..J(n)
};

/// The two supports of the base rotor `baseRotor` (1..count; 0 for none, then rotor 1): a rigid
/// lift or tilt of the line changes no load, so holding them makes the choice unique.
std::vector<int> DefaultFixedSupports(int baseRotor);

/// Which side of a load a constraint holds.
enum class LoadLimit { kBandMin, kBandMax, kMinLoad, kPressureMax };

/// "band_min", "band_max", "min_load", "pressure_max".
const char* LoadLimitKey(LoadLimit limit);

/// "нижняя граница допуска", "верхняя граница допуска", "наименьшая нагрузка",
/// "нагрузка при допустимом удельном давлении": what the limit of a load is.
const char* LoadLimitName(LoadLimit limit);

/// One limit on the load of one support in one counted state.
struct LoadConstraint {
    SupportState state = SupportState::kNominal;
    int support = 0;  ///< j of J(j)
    LoadLimit kind = LoadLimit::kBandMin;
    double limit = 0;  ///< kgf

    bool IsLower() const { return kind == LoadLimit::kBandMin || kind == LoadLimit::kMinLoad; }
};

/// Specific pressure 100·R/(d·l), kgf/cm², of a load R (kgf) on a journal d × l (mm).
double SpecificPressure(double load, const JournalSize& journal);

/// The task checked against the line: the targets resolved (own loads when none were typed),
/// the fixed supports resolved, every number valid. The problem names what is wrong.
struct ResolvedLiftTask {
    std::vector<double> targets;  ///< kgf, J0..J(n), all above 0
    std::vector<SupportState> states;
    std::vector<bool> fixed;  ///< per support
    int fixedCount = 0;
    std::vector<LoadConstraint> constraints;
    std::vector<LiftRange> ranges;  ///< one per support; open for fixed supports
    std::vector<std::optional<JournalSize>> journals;  ///< per support
};

OrProblem<ResolvedLiftTask> ResolveLiftTask(const CoupledShaftLine& coupled, const SupportLiftTask& task,
                                            int baseRotor);

}  // namespace shaftline
