// "Центровка" on the sample book aligned to a base rotor: the targets and the moves as the core
// computes them from the inputs typed, the inputs kept with the book as steps of the history,
// and a bad text refused at its cell.
#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUndoStack>

#include "../report/pdf_tools.h"
#include "alignment_cells.h"
#include "alignment_form.h"
#include "alignment_texts.h"
#include "loads_grid.h"
#include "number_text.h"
#include "report_export.h"
#include "report_input.h"
#include "shaft_line_workbook.h"
#include "test_window_support.h"

namespace {

QString Fixed(double value, int decimals = shaftline::kAlignmentDecimals) {
    return LocaleFixed(value, decimals);
}

void WithAlignmentWindow(ModalWatcher& watcher, const std::function<void(ModalWatcher&)>& inside) {
    WithWindowOf("ButtonAlignment", watcher, inside);
}

// The core on the records of the data-entry window and the given inputs.
shaftline::AlignmentResult CoreAlignment(const shaftline::AlignmentInputs& inputs) {
    const int count = FormDataInput->RotorCountText().toInt();
    auto coupled = shaftline::CalcCoupledShaftLine(FormDataInput->Rotors(), count);
    if (!coupled.value) qFatal("%s", coupled.problem.c_str());
    auto result =
        shaftline::CalcAlignment(FormDataInput->Rotors(), count, 3, *coupled.value, inputs);
    if (!result.value) qFatal("%s", result.problem.c_str());
    return std::move(*result.value);
}

}  // namespace

class TestAlignmentWindow : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        CreateAppWindows();
    }
    void cleanup() { DestroyAppWindows(); }

    void refusedWithoutACalculationRun() {
        ModalWatcher watcher;
        QTest::mouseClick(Control<QPushButton>("ButtonAlignment"), Qt::LeftButton);
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        QVERIFY(watcher.boxes[0].text.contains("Чтобы увидеть центровку"));
        QVERIFY(watcher.dialogs.empty());
    }

    void targetsAreTheCore() {
        ModalWatcher watcher;
        CalculateSampleAligned(watcher);
        const shaftline::AlignmentResult core = CoreAlignment({});
        QVERIFY(!core.couplings.empty());
        bool checked = false;
        WithAlignmentWindow(watcher, [&](ModalWatcher&) {
            TLoadsGrid* grid = FormAlignment->TargetsGrid();
            QCOMPARE(grid->rowCount(), static_cast<int>(core.couplings.size()));
            for (int row = 0; row < grid->rowCount(); ++row) {
                const auto& c = core.couplings[static_cast<std::size_t>(row)];
                for (shaftline::SupportState state : shaftline::kSupportStates) {
                    const auto& t = c.targets[static_cast<std::size_t>(state)];
                    const int first = 2 + 3 * static_cast<int>(state);
                    QCOMPARE(grid->item(row, first)->text(), Fixed(t.offset));
                    QCOMPARE(grid->item(row, first + 1)->text(), Fixed(t.angle * 1000));
                    QCOMPARE(grid->item(row, first + 2)->text(), QString("—"));
                }
            }
            // Nothing found yet: no moves, the base rotor's bearings held.
            const int base = 2;  // J2, J3 carry rotor 3
            TLoadsGrid* bearings = FormAlignment->BearingsGrid();
            for (int j = 0; j < bearings->rowCount(); ++j) {
                QCOMPARE(bearings->item(j, TFormAlignment::kBrFixed)->checkState() == Qt::Checked,
                         j == base || j == base + 1);
                QVERIFY(bearings->item(j, TFormAlignment::kBrVertical)->text().isEmpty());
            }
            checked = true;
        });
        QVERIFY(checked);
    }

    // Readings typed as a laser system gives them move the bearings as the core does, every
    // cell one step of the data-entry history, kept in the book the window saves.
    void typedReadingsGiveTheCoreMoves() {
        ModalWatcher watcher;
        CalculateSampleAligned(watcher);
        const int steps = FormDataInput->UndoStack()->count();
        int piece = 0;
        bool checked = false;
        WithAlignmentWindow(watcher, [&](ModalWatcher& inner) {
            TLoadsGrid* grid = FormAlignment->InputsGrid();
            constexpr int kFirst = TFormAlignment::kInSecondRow;
            TypeIntoCell(grid, 0, TFormAlignment::kInKind, "замеры");
            const char* readings[] = {"0,1", "0,05", "-0,04", "0,02"};
            for (int i = 0; i < 4; ++i) TypeIntoCell(grid, 0, kFirst + i, readings[i]);
            TypeIntoCell(grid, 0, TFormAlignment::kInOffsetTolerance, "0,03");
            TypeIntoCell(grid, 0, TFormAlignment::kInGapTolerance, "0,05");
            QVERIFY(inner.boxes.empty());
            QCOMPARE(grid->item(0, TFormAlignment::kInKind)->text(), QString("Замеры"));

            shaftline::AlignmentInputs inputs;
            shaftline::CouplingInput& c = inputs.couplings.emplace_back();
            c.number = FormAlignment->Shown().couplings[0].geometry.number;
            c.foundVertical = shaftline::PlaneInput{0.1, std::nullopt, 0.05e-3};
            c.foundHorizontal = shaftline::PlaneInput{-0.04, std::nullopt, 0.02e-3};
            c.offsetTolerance = 0.03;
            c.gapTolerance = 0.05;
            const shaftline::AlignmentResult core = CoreAlignment(inputs);
            QVERIFY(core.moves.has_value());
            TLoadsGrid* bearings = FormAlignment->BearingsGrid();
            for (int j = 0; j < bearings->rowCount(); ++j) {
                const auto at = static_cast<std::size_t>(j);
                QCOMPARE(bearings->item(j, TFormAlignment::kBrVertical)->text().toStdString(),
                         shaftline::MoveText(core.moves->vertical[at], true, ","));
                QCOMPARE(bearings->item(j, TFormAlignment::kBrHorizontal)->text().toStdString(),
                         shaftline::MoveText(core.moves->horizontal[at], false, ","));
                QCOMPARE(bearings->item(j, TFormAlignment::kBrFoundLoad)->text(),
                         Fixed(core.loadsAsFound->loads[at], 0));
            }
            const bool before = core.couplings[0].inTolerance->vertical;
            QCOMPARE(grid->item(0, TFormAlignment::kInVerticalBefore)->foreground().color(),
                     before ? QColor(0, 128, 0) : QColor(200, 0, 0));
            piece = FormAlignment->Shown().couplings[0].geometry.piece;

            // Holding one more bearing is one step too, and the core agrees.
            bearings->item(0, TFormAlignment::kBrFixed)->setCheckState(Qt::Checked);
            QTRY_COMPARE(FormAlignment->Shown().moves->fixed.size(), std::size_t(3));
            QCOMPARE(FormAlignment->Shown().moves->vertical[0], 0.0);
            checked = true;
        });
        QVERIFY(checked);
        QCOMPARE(FormDataInput->UndoStack()->count(), steps + 8);
        const shaftline::io::ShaftLineWorkbook book = FormDataInput->BookFromWindow();
        const auto& cells = book.sheets[static_cast<std::size_t>(piece - 1)].alignment;
        QCOMPARE(cells[1][0], std::string("Замеры"));
        QCOMPARE(cells[1][3], std::string("-0,04"));
        const shaftline::AlignmentInputs read = shaftline::io::AlignmentFromBook(book, ",");
        QCOMPARE(read.couplings.size(), std::size_t(1));
        QCOMPARE(read.couplings[0].foundHorizontal->angle.value(), 0.02e-3);
        QCOMPARE(read.fixed.value(), (std::vector<int>{0, 2, 3}));
        // The protocol's section shows what the window showed.
        const auto report = FormDataInput->ReportInputForExport();
        QVERIFY(report && report->alignment && report->alignment->moves);
        QCOMPARE(report->alignment->moves->vertical, FormAlignment->Shown().moves->vertical);
        QVERIFY(FormAlignment->findChild<QWidget*>("BracketPositions") != nullptr);
        // ... and so does the field sheet the window writes for the crew.
        QTemporaryDir dir;
        const QString sheet = dir.filePath("формуляр.pdf");
        QVERIFY(ExportFieldSheetPdf(FormAlignment, sheet));
        QCOMPARE(pdf_tools::PageCount(sheet.toStdString()), 1);
        QVERIFY(pdf_tools::Text(sheet.toStdString()).find("Формуляр центровки") !=
                std::string::npos);

        FormDataInput->UndoStack()->undo();
        QVERIFY(!shaftline::io::AlignmentFromBook(FormDataInput->BookFromWindow(), ",").fixed);
        FormDataInput->UndoStack()->undo();
        QCOMPARE(FormDataInput->SiteAlignmentInputs()[static_cast<std::size_t>(piece - 1)][1][6],
                 std::string());
    }

    // A book's alignment cells come in with the book, in the same step, and go out with it.
    void bookCellsKeptThroughOpenAndSave() {
        shaftline::io::ShaftLineWorkbook book = FormDataInput->BookFromWindow();
        book.sheets.resize(3, book.sheets.front());
        book.sheets[1].alignment[0] = {"Муфта", "0,1", "0,2", "0,3", "0,2", "", "600"};
        book.sheets[2].alignment[0] = {"Опоры", "1", "", "", "1", "-0,5", "1"};
        const int steps = FormDataInput->UndoStack()->count();
        FormDataInput->FillFromBook(book, true);
        QCOMPARE(FormDataInput->UndoStack()->count(), steps + 1);
        const shaftline::io::ShaftLineWorkbook saved = FormDataInput->BookFromWindow();
        for (std::size_t k = 0; k < 3; ++k)
            QCOMPARE(saved.sheets[k].alignment, book.sheets[k].alignment);
        FormDataInput->UndoStack()->undo();
        QCOMPARE(FormDataInput->SiteAlignmentInputs()[1][0][0], std::string());
    }

    void badTextRefusedKeepingTheOldValue() {
        ModalWatcher watcher;
        CalculateSampleAligned(watcher);
        int piece = 0;
        int steps = 0;
        WithAlignmentWindow(watcher, [&](ModalWatcher& inner) {
            TLoadsGrid* grid = FormAlignment->InputsGrid();
            piece = FormAlignment->Shown().couplings[0].geometry.piece;
            TypeIntoCell(grid, 0, TFormAlignment::kInFirstRow, "0,2");
            steps = FormDataInput->UndoStack()->count();
            const struct {
                int column;
                const char* text;
            } bad[] = {{TFormAlignment::kInFirstRow, "0,2мм"},
                       {TFormAlignment::kInKind, "лазер"},
                       {TFormAlignment::kInDiameter, "inf"}};
            std::size_t seen = 0;
            for (const auto& b : bad) {
                const QString old = grid->item(0, b.column)->text();
                TypeIntoCell(grid, 0, b.column, b.text);
                ++seen;
                QTRY_COMPARE(inner.boxes.size(), seen);
                QVERIFY2(inner.boxes.back().text.endsWith("Остается прежнее значение."),
                         qPrintable(inner.boxes.back().text));
                QTRY_VERIFY(QApplication::activeModalWidget() == FormAlignment);
                QCOMPARE(grid->item(0, b.column)->text(), old);
            }
            QCOMPARE(FormDataInput->UndoStack()->count(), steps);
            // Brackets not yet complete: a notice under the tables, the targets still shown.
            QVERIFY(FormAlignment->NoticeLabel()->text().contains("не задан зазор"));
            QCOMPARE(FormAlignment->TargetsGrid()->rowCount(),
                     static_cast<int>(FormAlignment->Shown().couplings.size()));
        });
        const auto& cells =
            FormDataInput->SiteAlignmentInputs()[static_cast<std::size_t>(piece - 1)];
        QCOMPARE(cells[0][1], std::string("0,2"));
        QCOMPARE(cells[1][0], std::string("Скобы"));
    }
};

QTEST_MAIN(TestAlignmentWindow)
#include "test_alignment_window.moc"
