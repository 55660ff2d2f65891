// The import button with the sample workbook beside the program, and the refusal of workbooks
// that cannot be read, which leaves the window as it was.
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QToolButton>

#include "shaft_line_workbook.h"
#include "test_window_support.h"

namespace {

const QString kImported =
    "Выберите тип каждого ротора и нажмите кнопку \"Расчет\" в виде калькулятора";
const QString kWarning =
    "Не найден файл шаблона или ошибка при вызове Microsoft Excel.\n"
    "Выйдите из приложения, закройте все экземпляры Microsoft \n"
    "Excel и перезапустите приложение.";

shaftline::io::ShaftLineWorkbook Sample() {
    return shaftline::io::ReadShaftLineWorkbook(FormDataInput->TemplatePath().toStdString(),
                                                QLocale().decimalPoint().toStdString());
}

// Changes typed before are given up as if saved, so that no question comes first (the question
// has tests of its own).
void PressImport() {
    FormDataInput->SetUnmodified();
    QTest::mouseClick(Control<QToolButton>("SpeedButton2"), Qt::LeftButton);
}

QString WriteFile(const QTemporaryDir& dir, const QByteArray& bytes) {
    const QString path = dir.filePath("Data.xls");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
    return path;
}

}  // namespace

class TestImport : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        if (!QFile::exists(TFormDataInput::TemplatePath()))
            QFAIL(qPrintable("the sample workbook is not beside the test: " +
                             TFormDataInput::TemplatePath()));
    }
    void init() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        CreateAppWindows();
    }
    void cleanup() { DestroyAppWindows(); }

    void sampleFillsCountsAndGrids() {
        const auto book = Sample();
        const int count = static_cast<int>(book.sheets.size());
        QVERIFY(count >= 5);
        FormDataInput->ComboBox(1)->setCurrentIndex(0);
        ShowPage(1);
        ModalWatcher watcher;
        PressImport();
        QVERIFY(watcher.boxes.empty());
        QCOMPARE(Control<QLineEdit>("EditKolRotor")->text(), QString::number(count));
        auto* pages = Control<QTabWidget>("PageControl1");
        for (int index = 0; index < 19; ++index)
            QCOMPARE(pages->isTabVisible(index), index < count);
        QCOMPARE(pages->currentIndex(), 0);
        for (int rotor = 1; rotor <= count; ++rotor) {
            const auto& sheet = book.sheets[rotor - 1];
            TStringGrid* grid = FormDataInput->GridInitParams(rotor);
            QCOMPARE(FormDataInput->EditUchast(rotor)->text(), QString::number(sheet.sectionCount));
            QCOMPARE(grid->RowCount(), sheet.sectionCount + 1);
            for (int row = 1; row <= sheet.sectionCount; ++row)
                for (int column = 0; column < 8; ++column)
                    QCOMPARE(grid->item(row - 1, column)->text(),
                             QString::fromStdString(sheet.rows[row - 1][column]));
            TStringGrid* support = FormDataInput->AddParams(rotor);
            QCOMPARE(support->RowCount(), 2);
            QCOMPARE(support->ColCount(), 18);
            for (int column = 0; column < 18; ++column)
                QCOMPARE(support->item(0, column)->text(),
                         QString::fromStdString(sheet.support[column]));
        }
        QCOMPARE(FormDataInput->ComboBox(1)->currentText(), QString("Цельнокованный"));
        QCOMPARE(FormDataInput->StatusText(), kImported);
    }

    void decimalsCarryTheUsersSeparator() {
        PressImport();
        bool comma = false;
        for (int rotor = 1; rotor <= Control<QLineEdit>("EditKolRotor")->text().toInt(); ++rotor) {
            TStringGrid* grid = FormDataInput->GridInitParams(rotor);
            for (int row = 1; row < grid->RowCount(); ++row)
                for (int column = 0; column < 8; ++column) {
                    const QString text = grid->Cell(column, row);
                    QVERIFY2(!text.contains('.'), qPrintable(text));
                    comma = comma || text.contains(',');
                }
        }
        QVERIFY(comma);
    }

    void importedLineCalculatesAndAligns() {
        PressImport();
        ModalWatcher watcher;
        QTest::mouseClick(Control<QToolButton>("SpeedButton1"), Qt::LeftButton);
        QVERIFY(watcher.boxes.empty());
        const int count = Control<QLineEdit>("EditKolRotor")->text().toInt();
        for (int rotor = 1; rotor <= count; ++rotor)
            QVERIFY(FormDataInput->Rotors()[rotor] != nullptr);
        ShowPage(3);
        QTest::mouseClick(FormDataInput->CheckBoxR(3), Qt::LeftButton);
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        QCOMPARE(watcher.boxes[0].text, QString("Теперь ротор 3 базовый"));
        QCOMPARE(FormDataInput->BaseRotorNumber(), 3);
        QVERIFY(FormDataInput->Rotors()[1]->SectionsView()[0].LineOffset != 0);
        QVERIFY(FormDataInput->Rotors()[count]->RightSupportRise != 0);
    }

    void secondImportGivesTheSameGrids() {
        PressImport();
        const QString first = FormDataInput->GridInitParams(2)->Cell(2, 1);
        EditCell(FormDataInput->GridInitParams(2), 1, 2, "1");
        QVERIFY(FormDataInput->IsModified());
        PressImport();
        QCOMPARE(FormDataInput->GridInitParams(2)->Cell(2, 1), first);
        QVERIFY(FormDataInput->IsModified());  // the sample is saved nowhere yet
    }

    void rotorsAboveTheSheetCountKeepTheirText() {
        const int sheets = static_cast<int>(Sample().sheets.size());
        SetRotorCount(sheets + 2);
        EnterRotor(sheets + 2, {Piece(777), Piece(999)});
        PressImport();
        QCOMPARE(Control<QLineEdit>("EditKolRotor")->text(), QString::number(sheets));
        QVERIFY(!Control<QTabWidget>("PageControl1")->isTabVisible(sheets + 1));
        QCOMPARE(FormDataInput->EditUchast(sheets + 2)->text(), QString("2"));
        QCOMPARE(FormDataInput->GridInitParams(sheets + 2)->Cell(0, 2), QString("999"));
    }

    void unreadableWorkbookIsRefusedWithTheWarning_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("exists");
        QTest::newRow("no file") << QByteArray() << false;
        QTest::newRow("text, not a workbook")
            << QByteArray("Координаты;Диаметр\n100;200\n") << true;
        QTest::newRow("empty file") << QByteArray() << true;
        QTest::newRow("cut compound header")
            << QByteArray::fromHex(
                   "d0cf11e0a1b11ae1000000000000000000000000000000003e000300feff0900")
            << true;
    }
    void unreadableWorkbookIsRefusedWithTheWarning() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, exists);
        QTemporaryDir dir;
        const QString path = exists ? WriteFile(dir, bytes) : dir.filePath("Data.xls");
        SetRotorCount(2);
        EnterRotor(2, {Piece(100), Piece(250)});
        ModalWatcher watcher;
        QVERIFY(!FormDataInput->ImportFromWorkbook(path));
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        QCOMPARE(watcher.boxes[0].title, QString("Warning"));
        QCOMPARE(watcher.boxes[0].icon, QMessageBox::Warning);
        QCOMPARE(watcher.boxes[0].text, kWarning);
        QVERIFY(!watcher.boxes[0].detailedText.isEmpty());
        QCOMPARE(Control<QLineEdit>("EditKolRotor")->text(), QString("2"));
        QCOMPARE(FormDataInput->GridInitParams(2)->RowCount(), 3);
        QCOMPARE(FormDataInput->GridInitParams(2)->Cell(0, 2), QString("250"));
        QCOMPARE(FormDataInput->AddParams(1)->RowCount(), 5);
    }
};

SHAFTLINE_WINDOW_TEST_MAIN(TestImport)
#include "test_import.moc"
