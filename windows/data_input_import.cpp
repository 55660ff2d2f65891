// Books coming in: the import button with the workbook "Data.xls" beside the program, and a
// book of the user's choice. Both fill counts, section grids and support grids.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QUndoStack>
#include <algorithm>
#include <optional>

#include "data_input_form.h"
#include "entry_history.h"
#include "grid_commands.h"
#include "message_boxes.h"
#include "number_locale.h"
#include "rotor_grid_columns.h"
#include "shaft_line_book.h"
#include "shaft_line_workbook.h"
#include "site_alignment_command.h"
#include "string_grid.h"

namespace {

const QString kStatusImported =
    QStringLiteral("Выберите тип каждого ротора и нажмите кнопку \"Расчет\" в виде калькулятора");
// Three lines; the second ends in a blank.
const QString kWorkbookWarning = QStringLiteral(
    "Не найден файл шаблона или ошибка при вызове Microsoft Excel.\n"
    "Выйдите из приложения, закройте все экземпляры Microsoft \n"
    "Excel и перезапустите приложение.");

// The whole book as the reader accepts it, or the reader's message why not; contentRefused
// tells a workbook whose sheets hold no shaft line from a file that is no usable workbook.
struct BookReading {
    std::optional<shaftline::io::ShaftLineWorkbook> book;
    QString reason;
    bool contentRefused = false;
};

BookReading ReadBook(const QString& path) {
    BookReading read;
    try {
        read.book = shaftline::io::ReadShaftLineWorkbook(QFile::encodeName(path).toStdString(),
                                                         DecimalSeparator());
    } catch (const shaftline::io::WorkbookContentError& error) {
        read.reason = QString::fromUtf8(error.what());
        read.contentRefused = true;
    } catch (const shaftline::io::WorkbookError& error) {
        read.reason = QString::fromUtf8(error.what());
    }
    return read;
}

}  // namespace

QString TFormDataInput::TemplatePath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Data.xls"));
}

// The sample replaces what the window holds, so unsaved changes are asked about first; the
// sample's data then count as changes of their own, not yet saved anywhere.
void TFormDataInput::SpeedButton2Click() {
    if (book_ != nullptr && !book_->ConfirmSaveChanges()) return;
    const Intake intake = ImportIntoWindow(TemplatePath());
    if (intake == Intake::Filled) UndoStack()->resetClean();
    if (intake != Intake::ContentRefused) SetStatusText(kStatusImported);
}

void TFormDataInput::ImportBook(const QString& path) {
    if (ImportIntoWindow(path) != Intake::ContentRefused) SetStatusText(kStatusImported);
}

void TFormDataInput::ImportFromExcel() {
    ImportFromWorkbook(TemplatePath());
}

bool TFormDataInput::ImportFromWorkbook(const QString& path) {
    return ImportIntoWindow(path) == Intake::Filled;
}

// The warning is for a template that is missing or is no usable workbook; a workbook that is
// read but whose sheets do not hold a shaft line is reported with its own message (sheet, cell,
// text). Either way the window stays as it was.
TFormDataInput::Intake TFormDataInput::ImportIntoWindow(const QString& path) {
    const BookReading read = ReadBook(path);
    if (!read.book) {
        if (read.contentRefused) {
            ShowError(this, read.reason);
            return Intake::ContentRefused;
        }
        ShowWarning(this, QStringLiteral("Warning"), kWorkbookWarning, read.reason);
        return Intake::Unusable;
    }
    FillFromBook(*read.book);
    if (book_ != nullptr) book_->Forget(path);  // the window now holds the template's data
    return Intake::Filled;
}

bool TFormDataInput::OpenBook(const QString& path) {
    const BookReading read = ReadBook(path);
    if (!read.book) {
        // From the main window's menu this window is hidden: the message goes over the main one.
        ShowError(isVisible() ? this : parentWidget(), read.reason);
        return false;
    }
    FillFromBook(*read.book, true);
    RestoreBaseRotor(*read.book);
    SetStatusText(kStatusImported);
    return true;
}

void TFormDataInput::FillFromBook(const shaftline::io::ShaftLineWorkbook& book, bool restoreTypes) {
    // The reader has refused a workbook with more sheets than rotors, or a section count
    // outside 1..50; setting the texts runs the change handling of the count fields. The whole
    // filling is one step of the history, after which the window counts as unchanged.
    const int count = std::min(static_cast<int>(book.sheets.size()), shaftline::kMaxRotors);
    auto* step = new QUndoCommand(QStringLiteral("загрузка книги"));
    const auto setText = [this, step](QLineEdit* edit, const QString& text) {
        new TSetTextCommand(*history_, {}, edit, edit->text(), text, -1, nullptr, false, step);
    };
    setText(editKolRotor_, QString::number(count));
    for (int rotor = 1; rotor <= count; ++rotor) {
        const shaftline::io::RotorSheet& sheet = book.sheets[static_cast<std::size_t>(rotor - 1)];
        QLineEdit* sections = EditUchast(rotor);
        TStringGrid* grid = GridInitParams(rotor);
        TStringGrid* support = AddParams(rotor);
        if (sections == nullptr || grid == nullptr || support == nullptr) continue;
        setText(sections, QString::number(sheet.sectionCount));
        new TResizeGridCommand(*history_, grid, sheet.sectionCount + 1, grid->ColCount(), step);
        std::vector<CellChange> cells;
        for (std::size_t row = 0; row < sheet.rows.size(); ++row)
            for (std::size_t column = 0; column < sheet.rows[row].size(); ++column) {
                const int c = static_cast<int>(column);
                const int r = static_cast<int>(row) + 1;
                cells.push_back(
                    {c, r, grid->Cell(c, r), QString::fromStdString(sheet.rows[row][column])});
            }
        new TSetCellsCommand(*history_, {}, grid, std::move(cells), false, false, step);
        new TResizeGridCommand(*history_, support, kSupportDataRow + 1,
                               static_cast<int>(sheet.support.size()), step);
        std::vector<CellChange> supportCells;
        for (std::size_t column = 0; column < sheet.support.size(); ++column) {
            const int c = static_cast<int>(column);
            supportCells.push_back({c, kSupportDataRow, support->Cell(c, kSupportDataRow),
                                    QString::fromStdString(sheet.support[column])});
        }
        new TSetCellsCommand(*history_, {}, support, std::move(supportCells), false, false, step);
    }
    if (restoreTypes) RestoreRotorTypes(book, step);
    RestoreSupportRows(book, step);
    // The alignment on site the book carries replaces the window's, in the same step.
    SiteAlignment site{};
    for (int rotor = 1; rotor <= count; ++rotor)
        site[static_cast<std::size_t>(rotor - 1)] =
            book.sheets[static_cast<std::size_t>(rotor - 1)].alignment;
    new TSiteAlignmentCommand(*history_, *this, siteAlignment_, site, step);
    history_->Push(step);
    UndoStack()->setClean();
}
