#include "run_results.h"

#include <filesystem>

#include "alignment_run.h"
#include "rotor_transfer.h"

namespace shaftline::cli {

io::CalculationResults RunResults(const ShaftLineRun& run, const io::ShaftLineWorkbook& workbook,
                                  const std::string& bookPath) {
    io::CalculationResults results;
    results.rotors = &run.rotors;
    results.count = run.count;
    results.baseRotor = run.baseRotor;
    results.lifts = run.lifts;
    results.bookFileName = std::filesystem::path(bookPath).filename().string();
    for (int k = 1; k <= run.count && k <= static_cast<int>(workbook.sheets.size()); ++k) {
        const io::RotorSheet& sheet = workbook.sheets[static_cast<std::size_t>(k - 1)];
        io::RotorInputTexts& texts = results.inputs[static_cast<std::size_t>(k)];
        const TRotor& rotor = *run.rotors[static_cast<std::size_t>(k)];
        if (!rotor.GetEvenPosition())
            texts.typeText = rotor.GetShrunkOnDiscs() ? kShrunkOnDiscsText : kSolidForgedText;
        texts.sectionRows = sheet.rows;
        texts.supportTexts = sheet.support;
        results.states[static_cast<std::size_t>(k)] = run.states[static_cast<std::size_t>(k)];
    }
    results.alignment = RunAlignment(run).result;
    return results;
}

}  // namespace shaftline::cli
