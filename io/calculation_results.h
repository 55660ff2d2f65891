#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "coupling_alignment.h"
#include "shaft_line.h"
#include "support.h"

namespace shaftline::io {

/// The inputs of one rotor as its page shows them, in UTF-8.
struct RotorInputTexts {
    std::string typeText;  ///< the rotor-type text; empty at even positions, which have none
    std::vector<std::array<std::string, 8>> sectionRows;  ///< rows 1..N of the section grid
    std::array<std::string, 18> supportTexts;             ///< row 1 of the support grid
};

/// The last calculation as the results leave the program (the PDF report, the results book):
/// the rotor records with the texts they were calculated from. The rotors belong to the caller
/// and must outlive the writing.
struct CalculationResults {
    const RotorArray* rotors = nullptr;
    int count = 0;                                       ///< rotors 1..count have records
    std::optional<int> baseRotor;                        ///< the shaft line is aligned to it
    std::array<RotorInputTexts, kMaxRotors + 1> inputs;  ///< index = rotor number
    /// Three-state support values; none for a rotor whose support data do not convert.
    std::array<std::optional<SupportStates>, kMaxRotors + 1> states;
    std::string bookFileName;  ///< file name of the book the data came from; empty for none
    /// Decimal separator of the texts in `inputs`, and of the numbers a report writes.
    std::string decimalSeparator = ".";
    /// The alignment on site of the coupled line as the core calculated it with the inputs in
    /// force; none when it was not calculated or was refused.
    std::optional<AlignmentResult> alignment;
    /// mm per support J0..J(n): the support lifts in force, added to every state of the
    /// coupled line; empty: none.
    std::vector<double> lifts{};
};

/// Rotor `number`'s type as the outputs name it: the typed text, or what an even position is,
/// marked when the line is aligned to it.
std::string RotorKindText(const CalculationResults& results, int number);

/// "Подъёмы опор в силе, мм: опора 2 0.25; …" naming every support lifted, in the results'
/// decimal separator; empty when no lift is in force.
std::string LiftsInForceText(const CalculationResults& results);

/// "Базовый ротор: B", or that the line is not aligned.
std::string BaseRotorText(const CalculationResults& results);

/// The three-state values the outputs show for rotor `number`: those of the calculation, or
/// without convertible support data the ones that need no rises (the rest to be shown as
/// missing, see HasSupportData).
SupportStates ShownSupportStates(const CalculationResults& results, int number);
bool HasSupportData(const CalculationResults& results, int number);

/// An assembly-state support elevation: defined only where the rotor's tilt is.
std::optional<double> AssemblyElevation(const SupportStates& states, double elevation);

}  // namespace shaftline::io
