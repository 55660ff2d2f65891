#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "alignment_inputs.h"
#include "calc_options.h"
#include "shaft_line.h"
#include "shaft_line_workbook.h"
#include "support.h"
#include "support_lift_task.h"

namespace shaftline::cli {

/// Rotor data that the transfer or the validation refuses; what() names rotor and column or
/// section, one problem per line.
class RotorDataError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// Where a rotor's type or the base rotor came from.
enum class ChoiceSource { Default, Book, Option };

/// A shaft line calculated from a workbook, as the windows would leave it.
struct ShaftLineRun {
    RotorArray rotors;
    int count = 0;
    std::optional<int> baseRotor;
    ChoiceSource baseSource = ChoiceSource::Default;
    std::array<ChoiceSource, kMaxRotors + 1> typeSources{};  ///< index = rotor number
    std::array<SupportRises, kMaxRotors + 1> rises{};    ///< index = rotor number
    std::array<SupportStates, kMaxRotors + 1> states{};  ///< index = rotor number
    AlignmentInputs alignment;  ///< the alignment on site: from --alignment or the book
    /// mm per support J0..J(n): the lifts in force the book carries, added to the elevations of
    /// every state wherever the coupled line is calculated; all 0 without.
    std::vector<double> lifts;
    /// The bearing journals the book carries, for a choice of lifts whose task gives none;
    /// when a journal cell cannot be used, none and the message that names it.
    std::vector<JournalSize> journals;
    std::string journalProblem;
};

/// The same road as the windows: the workbook's cell texts become rotor records and support
/// data through the transfer (decimal separator '.'), then the calculation run, the alignment
/// to the base rotor if there is one (--base, else the one the book carries), with the rotor
/// types of --solid, else the ones the book carries, else shrunk-on discs; the support rises of every rotor and their three-state
/// values; the lifts in force the book carries. Throws RotorDataError; nothing is half-done, since the result is only returned whole.
ShaftLineRun RunShaftLine(const io::ShaftLineWorkbook& workbook, const CalcOptions& options);

}  // namespace shaftline::cli
