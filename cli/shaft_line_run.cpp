#include "shaft_line_run.h"

#include "journal_cells.h"
#include "lift_cells.h"
#include "number_text.h"
#include "rotor_transfer.h"
#include "support_results.h"

namespace shaftline::cli {

namespace {

constexpr std::string_view kSeparator = ".";

std::string Lines(const std::vector<RotorProblem>& problems) {
    std::string text;
    for (const RotorProblem& p : problems) {
        text += (text.empty() ? "" : "\n") + p.message;
    }
    return text;
}

// The workbook cell a text came from: section r is sheet row r + 1, the support row is N + 3.
std::string CellAddress(int sheetRow, int gridColumn) {
    return std::string(1, static_cast<char>('A' + gridColumn)) + std::to_string(sheetRow);
}

[[noreturn]] void ThrowAtCell(const TransferError& e, int sheetRow) {
    throw RotorDataError(std::string(e.what()) + "; лист " + std::to_string(e.rotor) + ", ячейка " +
                         CellAddress(sheetRow, e.column < 0 ? 0 : e.column));
}

// --solid decides every rotor's type; without it a type the book carries, as the windows take
// it, and shrunk-on discs for a rotor without one.
std::string_view RotorType(const io::RotorSheet& sheet, int rotor, const CalcOptions& options,
                           ChoiceSource& source) {
    if (options.solidGiven) {
        source = ChoiceSource::Option;
        return options.solidRotors.contains(rotor) ? kSolidForgedText : kShrunkOnDiscsText;
    }
    if (!sheet.rotorType.empty()) {
        source = ChoiceSource::Book;
        return sheet.rotorType;
    }
    source = ChoiceSource::Default;
    return kShrunkOnDiscsText;
}

}  // namespace

ShaftLineRun RunShaftLine(const io::ShaftLineWorkbook& workbook, const CalcOptions& options) {
    ShaftLineRun run;
    run.count = static_cast<int>(workbook.sheets.size());
    run.baseRotor = options.baseRotor;
    if (options.baseRotor) {
        run.baseSource = ChoiceSource::Option;
    } else if (workbook.baseRotor >= 1 && workbook.baseRotor <= run.count) {
        run.baseRotor = workbook.baseRotor;
        run.baseSource = ChoiceSource::Book;
    }

    std::vector<SupportData> support(static_cast<std::size_t>(run.count));
    for (int k = 1; k <= run.count; ++k) {
        const io::RotorSheet& sheet = workbook.sheets[k - 1];
        const std::string_view type = RotorType(sheet, k, options, run.typeSources[k]);
        try {
            run.rotors[k] = RotorFromText(
                k, FormatInteger(sheet.sectionCount), type,
                [&sheet](int row, int column) { return sheet.rows[row - 1][column]; }, kSeparator);
        } catch (const TransferError& e) {
            ThrowAtCell(e, e.column < 0 ? 1 : e.row + 1);
        }
        try {
            support[static_cast<std::size_t>(k - 1)] = SupportDataFromText(
                k, [&sheet](int column) { return sheet.support[column]; }, kSeparator);
        } catch (const TransferError& e) {
            ThrowAtCell(e, sheet.sectionCount + 3);
        }
    }

    std::vector<RotorProblem> problems = RunCalculation(run.rotors, run.count);
    if (problems.empty()) {
        problems = AlignWithSupportRises(run.rotors, run.count, run.baseRotor, support);
    }
    if (!problems.empty()) {
        throw RotorDataError(Lines(problems));
    }
    if (run.baseRotor) run.rotors[*run.baseRotor]->SetBaseRotor(true);
    for (int k = 1; k <= run.count; ++k) {
        const TRotor& rotor = *run.rotors[k];
        run.rises[k] = {rotor.LeftSupportRise, rotor.RightSupportRise};
        run.states[k] = ComputeSupportStates(rotor, run.rises[k]);
    }
    try {
        run.lifts = io::LiftsFromBook(workbook, kSeparator, run.count + 1);
    } catch (const io::LiftCellError& e) {
        throw RotorDataError(e.what());
    }
    try {
        run.journals = io::JournalsFromBook(workbook, kSeparator, run.count + 1);
    } catch (const io::JournalCellError& e) {
        run.journalProblem = e.what();
    }
    return run;
}

}  // namespace shaftline::cli
