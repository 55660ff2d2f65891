// The import button: counts, section grids and support grids from the workbook "Data.xls".
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <algorithm>

#include "data_input_form.h"
#include "message_boxes.h"
#include "number_locale.h"
#include "rotor_grid_columns.h"
#include "shaft_line_workbook.h"
#include "string_grid.h"

namespace {

const QString kStatusImported =
    QStringLiteral("Выберите тип каждого ротора и нажмите кнопку \"Расчет\" в виде калькулятора");
// Three lines; the second ends in a blank.
const QString kWorkbookWarning = QStringLiteral(
    "Не найден файл шаблона или ошибка при вызове Microsoft Excel.\n"
    "Выйдите из приложения, закройте все экземпляры Microsoft \n"
    "Excel и перезапустите приложение.");

}  // namespace

QString TFormDataInput::TemplatePath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Data.xls"));
}

void TFormDataInput::SpeedButton2Click() {
    ImportFromExcel();
    SetStatusText(kStatusImported);
}

void TFormDataInput::ImportFromExcel() {
    ImportFromWorkbook(TemplatePath());
}

bool TFormDataInput::ImportFromWorkbook(const QString& path) {
    shaftline::io::ShaftLineWorkbook book;
    try {
        book = shaftline::io::ReadShaftLineWorkbook(QFile::encodeName(path).toStdString(),
                                                    DecimalSeparator());
    } catch (const shaftline::io::WorkbookError& error) {
        ShowWarning(this, QStringLiteral("Warning"), kWorkbookWarning,
                    QString::fromStdString(error.what()));
        return false;
    }

    FillFromBook(book);
    SetBookPath(path);
    return true;
}

void TFormDataInput::FillFromBook(const shaftline::io::ShaftLineWorkbook& book) {
    // The reader has refused a workbook with more sheets than rotors, or a section count
    // outside 1..50; setting the texts runs the change handling of the count fields.
    const int count = std::min(static_cast<int>(book.sheets.size()), shaftline::kMaxRotors);
    editKolRotor_->setText(QString::number(count));
    for (int rotor = 1; rotor <= count; ++rotor) {
        const shaftline::io::RotorSheet& sheet = book.sheets[static_cast<std::size_t>(rotor - 1)];
        QLineEdit* sections = EditUchast(rotor);
        TStringGrid* grid = GridInitParams(rotor);
        TStringGrid* support = AddParams(rotor);
        if (sections == nullptr || grid == nullptr || support == nullptr) continue;
        sections->setText(QString::number(sheet.sectionCount));
        grid->SetRowCount(sheet.sectionCount + 1);
        for (std::size_t row = 0; row < sheet.rows.size(); ++row)
            for (std::size_t column = 0; column < sheet.rows[row].size(); ++column)
                grid->SetCell(static_cast<int>(column), static_cast<int>(row) + 1,
                              QString::fromStdString(sheet.rows[row][column]));
        support->SetRowCount(kSupportDataRow + 1);
        support->SetColCount(static_cast<int>(sheet.support.size()));
        for (std::size_t column = 0; column < sheet.support.size(); ++column)
            support->SetCell(static_cast<int>(column), kSupportDataRow,
                             QString::fromStdString(sheet.support[column]));
    }
}
