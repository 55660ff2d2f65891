#pragma once

#include <optional>
#include <set>
#include <stdexcept>
#include <string>

namespace shaftline::cli {

/// Exit statuses of shaftline-calc.
enum ExitStatus : int {
    kExitDone = 0,
    kExitOutput = 1,  ///< the results, the help, the report or the results book not written
    kExitUsage = 2,
    kExitWorkbook = 3,
    kExitRotorData = 4,
};

/// A command line that cannot be carried out; what() says which argument and why.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct CalcOptions {
    std::string workbook;  ///< empty: Data.xls beside the executable
    /// With --solid: the rotors typed "Цельнокованный", all others with shrunk-on discs,
    /// whatever types the book carries. Without it the book's types hold.
    std::set<int> solidRotors;
    bool solidGiven = false;
    std::optional<int> baseRotor;  ///< align the shaft line to this rotor; else the book's one
    bool json = false;
    bool helpShown = false;  ///< --help was given and printed; nothing else to do

    std::optional<std::string> reportPath;   ///< write the PDF report of the results there
    std::optional<std::string> resultsPath;  ///< write the results book (.xlsx) there
    std::optional<std::string> fieldSheetPath;  ///< write the alignment field sheet (PDF) there
    std::optional<std::string> alignmentPath;  ///< alignment inputs (JSON) instead of the book's
    std::optional<std::string> optimisePath;  ///< choose the support lifts for the task in this JSON file
};

/// Parses the command line. Throws UsageError for anything it cannot accept.
CalcOptions ParseCalcOptions(int argc, const char* const* argv);

/// The --solid list: comma-separated rotor numbers 1..19, each written as a decimal integer.
std::set<int> ParseRotorList(const std::string& list);

/// Checks that no output overwrites the book `bookPath` or the other output: the same file by
/// device and inode, also through symbolic or hard links. Throws UsageError naming the option.
void CheckOutputsAgainstBook(const CalcOptions& options, const std::string& bookPath);

/// Checks the numbers of the options against the rotor count of the workbook. Throws
/// UsageError: a rotor that is not in the workbook, or a solid-forged even position (an
/// intermediate piece has no rotor type).
void CheckOptionsAgainstRotorCount(const CalcOptions& options, int rotorCount);

}  // namespace shaftline::cli
