#pragma once

#include <optional>
#include <string>
#include <vector>

#include "coupled_span.h"
#include "coupled_three_moments.h"
#include "shaft_line.h"

namespace shaftline {

/// Largest extra lift of a support (mm, up or down) that a what-if accepts: far beyond any
/// bearing adjustment, and small enough to keep every load finite.
inline constexpr double kMaxExtraLift = 1000;

/// A result, or the reason (Russian, for the user) why there is none.
template <typename T>
struct OrProblem {
    std::optional<T> value;
    std::string problem;
};

/// Support J(j) of the coupled line, j = 0..n: J0 is the left bearing of rotor 1, J(k) the
/// right bearing of rotor k and the left one of rotor k + 1.
struct CoupledSupport {
    double x = 0;        ///< mm, along the line from J0: the rotor lengths laid end to end
    int leftRotor = 0;   ///< the rotor that ends on it; 0 for J0
    int rightRotor = 0;  ///< the rotor that starts on it; 0 for J(n)
    /// kgf, with the couplings open: the solver's RightReaction of the left rotor plus the
    /// LeftReaction of the right one.
    double ownLoad = 0;
};

/// Rotors 1..n rigidly coupled into one continuous beam over the supports J0..J(n), prepared
/// from the solved rotor records; independent of the support elevations.
struct CoupledLine {
    std::vector<CoupledSpan> spans;        ///< spans[k − 1] is rotor k
    std::vector<CoupledSupport> supports;  ///< J0..J(n)
    ThreeMomentEquations equations;

    int RotorCount() const { return static_cast<int>(spans.size()); }
};

/// The coupled line for one set of support elevations.
struct CoupledState {
    std::vector<double> elevations;  ///< mm, z(J0..J(n)), upward
    std::vector<double> loads;       ///< kgf, carried by J0..J(n), upward on the shaft positive
    std::vector<double> moments;     ///< kgf·mm, at J0..J(n), sagging positive; 0 at both ends
    /// mm, absolute elevation of the shaft axis: axis[k − 1][i] at section end i of rotor k, the
    /// chord between the rotor's two support elevations plus the deflection from it.
    std::vector<std::vector<double>> axis;
};

/// Prepares rotors 1..count from their records of the last calculation run (Coord, Mass,
/// Young, Inertia, the reactions). Refuses a count outside 1..19, a missing record and a
/// record that is no solved rotor (a span or a rigidity that is not positive, a weight that is
/// not finite).
OrProblem<CoupledLine> PrepareCoupledLine(const RotorArray& rotors, int count);

/// Loads, moments and axis for the support elevations z(J0..J(n)) (n + 1 finite values).
CoupledState SolveCoupledLine(const CoupledLine& line, const std::vector<double>& elevations);

/// "3 (роторы 2 и 3)", "1 (ротор 1)": support J(j) numbered from 1 with the rotors it carries.
std::string SupportLabel(const CoupledSupport& support, int j);

/// Elevations raised by extra lifts, support by support (mm).
std::vector<double> WithLifts(std::vector<double> elevations, const std::vector<double>& lifts);

/// Per support, what the couplings shift: the load of the state less the own load (kgf).
std::vector<double> CouplingShift(const CoupledLine& line, const CoupledState& state);

/// Indices j of the supports whose load is negative: the shaft would lift off them.
std::vector<int> UnloadedSupports(const CoupledState& state);

/// "Отрицательная нагрузка, вал отрывается от опоры: …" naming the unloaded supports by their
/// labels; empty when every support carries the shaft.
std::string UnloadedSupportsText(const CoupledLine& line, const CoupledState& state);

/// Decimals the tables of the coupled line show: loads 0.1 kgf, lengths and elevations
/// 0.001 mm, moments 1 kgf·mm, influence coefficients 0.1 kgf/mm.
inline constexpr int kCoupledLoadDecimals = 1;
inline constexpr int kCoupledLengthDecimals = 3;
inline constexpr int kCoupledMomentDecimals = 0;
inline constexpr int kCoupledCoefficientDecimals = 1;

/// True when every number of the state is finite.
bool AllFinite(const CoupledState& state);

}  // namespace shaftline
