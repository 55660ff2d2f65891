// The section grids' largest steps and their undo: a full rotor of 50 sections pasted from
// the clipboard text into an empty grid, and a book of 19 rotors of 50 sections filling the
// window. Goal for each step and for its undo: under 50 ms.
#include <benchmark/benchmark.h>

#include <QUndoStack>

#include "app_windows.h"
#include "data_input_form.h"
#include "grid_actions.h"
#include "rotor.h"
#include "shaft_line.h"
#include "shaft_line_workbook.h"
#include "shaftline_application.h"
#include "string_grid.h"
#include "windows_bench_main.h"

namespace {

// Rotor of 50 plain shaft pieces of 40 mm with a disc every fifth section, as texts.
std::vector<std::array<std::string, 8>> LargestRotorRows() {
    std::vector<std::array<std::string, 8>> rows;
    for (int row = 1; row <= shaftline::kMaxSections; ++row) {
        const bool disc = row % 5 == 0;
        rows.push_back({std::to_string(40 * row), disc ? "900" : "0",
                        std::to_string(300 + 5 * (row % 7)), disc ? "60" : "0", "0", "21000",
                        disc ? "2.5" : "0", disc ? "90" : "0"});
    }
    return rows;
}

void BM_PasteFiftySectionsAndUndo(benchmark::State& state) {
    CreateAppWindows();
    QString block;
    for (const auto& row : LargestRotorRows()) {
        QStringList cells;
        for (const std::string& cell : row) cells << QString::fromStdString(cell);
        block += cells.join(u'\t') + QStringLiteral("\r\n");
    }
    TStringGrid* grid = FormDataInput->GridInitParams(1);
    grid->setCurrentCell(0, 0);
    for (auto _ : state) {
        TGridActions::Of(grid)->PasteText(block);
        FormDataInput->UndoStack()->undo();
    }
    if (grid->RowCount() != 2) state.SkipWithError("the paste was not undone");
    DestroyAppWindows();
}
BENCHMARK(BM_PasteFiftySectionsAndUndo)->Unit(benchmark::kMillisecond);

void BM_FillFromBookAndUndo(benchmark::State& state) {
    CreateAppWindows();
    shaftline::io::ShaftLineWorkbook book;
    for (int rotor = 1; rotor <= shaftline::kMaxRotors; ++rotor) {
        shaftline::io::RotorSheet& sheet = book.sheets.emplace_back();
        sheet.sectionCount = shaftline::kMaxSections;
        sheet.rows = LargestRotorRows();
        sheet.support.fill("0");
    }
    for (auto _ : state) {
        FormDataInput->FillFromBook(book);
        FormDataInput->UndoStack()->undo();
    }
    if (FormDataInput->GridInitParams(19)->RowCount() != 2) state.SkipWithError("not undone");
    DestroyAppWindows();
}
BENCHMARK(BM_FillFromBookAndUndo)->Unit(benchmark::kMillisecond);

}  // namespace

SHAFTLINE_WINDOWS_BENCH_MAIN(TApplication)
