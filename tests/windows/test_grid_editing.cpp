// The section grids as a spreadsheet user works them: clipboard blocks between grids and
// locales, refused blocks, section rows inserted and removed, undo and redo of every step, and
// the keys that move between cells.
#include <QClipboard>
#include <QLocale>
#include <QMenu>
#include <QToolButton>
#include <QUndoStack>
#include <memory>

#include "grid_actions.h"
#include "test_window_support.h"

namespace {

/// Everything the user can see of the window's data: counts, types and every cell in view.
QStringList WindowTexts() {
    QStringList texts{Control<QLineEdit>("EditKolRotor")->text()};
    for (int rotor = 1; rotor <= 19; ++rotor) {
        texts << FormDataInput->EditUchast(rotor)->text();
        if (QComboBox* type = FormDataInput->ComboBox(rotor)) texts << type->currentText();
        for (TStringGrid* grid :
             {FormDataInput->GridInitParams(rotor), FormDataInput->AddParams(rotor)}) {
            texts << QString("%1x%2").arg(grid->RowCount()).arg(grid->ColCount());
            for (int row = 1; row < grid->RowCount(); ++row)
                for (int column = 0; column < grid->ColCount(); ++column)
                    texts << grid->item(row - 1, column)->text();
        }
    }
    return texts;
}

QStringList Column(TStringGrid* grid, int column) {
    QStringList texts;
    for (int row = 1; row < grid->RowCount(); ++row) texts << grid->item(row - 1, column)->text();
    return texts;
}

TGridActions* Actions(TStringGrid* grid) {
    return TGridActions::Of(grid);
}

/// Five plain pieces 100..500 on rotor 1.
TStringGrid* FivePieces() {
    EnterRotor(1, {Piece(100), Piece(200), Piece(300), Piece(400), Piece(500)});
    return FormDataInput->GridInitParams(1);
}

void ShowWindow() {
    FormDataInput->show();
    QVERIFY(QTest::qWaitForWindowExposed(FormDataInput));
    QApplication::setActiveWindow(FormDataInput);
}

}  // namespace

class TestGridEditing : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        CreateAppWindows();
    }
    void cleanup() {
        DestroyAppWindows();
        QLocale::setDefault(QLocale::c());
    }

    void blockCopiedWithTheKeysPastesTheSameTexts() {
        SetRotorCount(3);
        EnterRotor(1, {{"100", "0", "400", "0", "0", "2,1E4", "1,5", "60"},
                       {"250", "\"диск\"", "a;b", "", "x\ty", "21000", "0", "0"},
                       {"300", "0", "400", "0", "0", "21000", "0", "0"}});
        ShowWindow();
        TStringGrid* from = FormDataInput->GridInitParams(1);
        from->setFocus();
        from->SelectBlock(0, 1, 8, 2);
        QTest::keyClick(from, Qt::Key_C, Qt::ControlModifier);

        ShowPage(3);
        TStringGrid* to = FormDataInput->GridInitParams(3);
        to->setFocus();
        to->setCurrentCell(0, 0);  // opens the cell editor, which leaves the block to the grid
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(FormDataInput->EditUchast(3)->text(), QString("2"));
        for (int row = 1; row <= 2; ++row)
            for (int column = 0; column < 8; ++column)
                QCOMPARE(to->item(row - 1, column)->text(), from->Cell(column, row));
        QTest::keyClick(to, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(FormDataInput->EditUchast(3)->text(), QString("3"));
        QTest::keyClick(to, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(FormDataInput->EditUchast(3)->text(), QString("2"));
        QCOMPARE(to->Cell(0, 1), QString("100"));
        FormDataInput->hide();
    }

    void pastedDecimalsTakeTheGridsSeparator_data() {
        QTest::addColumn<QLocale::Language>("language");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("English block into Russian grid")
            << QLocale::Russian << "1.5\t-0.25\t2.1E5\r\n1,234.5\t60\tвал\r\n"
            << QStringList{"1,5", "-0,25", "2,1E5", "1,234.5", "60", "вал"};
        QTest::newRow("Russian block into English grid")
            << QLocale::English << "1,5;-0,25;2,1E5\n1 234,5;60;1,234\n"
            << QStringList{"1.5", "-0.25", "2.1E5", "1 234,5", "60", "1,234"};
    }
    void pastedDecimalsTakeTheGridsSeparator() {
        QFETCH(QLocale::Language, language);
        QFETCH(QString, clipboard);
        QFETCH(QStringList, cells);
        QLocale::setDefault(QLocale(language));
        TStringGrid* grid = FormDataInput->GridInitParams(1);
        grid->setCurrentCell(0, 2);
        Actions(grid)->PasteText(clipboard);
        QStringList pasted;
        for (int row = 1; row <= 2; ++row)
            for (int column = 2; column < 5; ++column) pasted << grid->Cell(column, row);
        QCOMPARE(pasted, cells);
    }

    void blockThatDoesNotFitChangesNothing_data() {
        QTest::addColumn<bool>("supportGrid");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("message");
        QTest::newRow("past section 50")
            << false << 3 << 0 << 49 << 8
            << "Вставляемый блок (строк: 49, столбцов: 8) не помещается: начиная с участка 3 "
               "нужно участков: 51, а у ротора их не более 50. Ничего не вставлено.";
        QTest::newRow("past the last input column")
            << false << 1 << 2 << 1 << 7
            << "Вставляемый блок (строк: 1, столбцов: 7) не помещается: начиная со столбца "
               "\"Диаметр\" в таблице столбцов для ввода: 6. Ничего не вставлено.";
        QTest::newRow("into the deflection column")
            << false << 1 << 8 << 1 << 1
            << "Вставляемый блок (строк: 1, столбцов: 1) не помещается: начиная со столбца "
               "\"Прогиб в сечениях\" в таблице столбцов для ввода: 0. Ничего не вставлено.";
        QTest::newRow("two rows into the support row")
            << true << 1 << 0 << 2 << 18
            << "Вставляемый блок (строк: 2, столбцов: 18) не помещается: в таблице строк для "
               "ввода: 1. Ничего не вставлено.";
    }
    void blockThatDoesNotFitChangesNothing() {
        QFETCH(bool, supportGrid);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(QString, message);
        TStringGrid* grid = FivePieces();
        grid->SetColCount(9);  // the deflection column of a calculation run is in view
        grid->SetCell(8, 0, "Прогиб в сечениях");
        if (supportGrid) grid = FormDataInput->AddParams(1);
        const QStringList before = WindowTexts();
        const int steps = FormDataInput->UndoStack()->count();
        QString block;
        for (int r = 0; r < rows; ++r) block += QStringList(columns, "7").join('\t') + '\n';
        grid->setCurrentCell(row - 1, column);
        ModalWatcher watcher;
        Actions(grid)->PasteText(block);
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        QCOMPARE(watcher.boxes[0].text, message);
        QCOMPARE(WindowTexts(), before);
        QCOMPARE(FormDataInput->UndoStack()->count(), steps);
    }

    void blockUpToSection50RaisesTheCount() {
        TStringGrid* grid = FivePieces();
        grid->setCurrentCell(2, 0);
        QString block;
        for (int r = 3; r <= 50; ++r) block += QString("%1\t0\t400\n").arg(r * 100);
        Actions(grid)->PasteText(block);
        QCOMPARE(FormDataInput->EditUchast(1)->text(), QString("50"));
        QCOMPARE(grid->RowCount(), 51);
        QCOMPARE(grid->item(49, 0)->text(), QString("5000"));
        QCOMPARE(grid->item(49, 5)->text(), QString());  // a row never filled before
        QCOMPARE(grid->item(1, 0)->text(), QString("200"));
    }

    void rowsInsertedAndRemovedKeepTheOtherTexts() {
        TStringGrid* grid = FivePieces();
        grid->setCurrentCell(2, 3);
        Actions(grid)->InsertRow();
        QCOMPARE(FormDataInput->EditUchast(1)->text(), QString("6"));
        QCOMPARE(Column(grid, 0), QStringList({"100", "200", "", "300", "400", "500"}));
        QCOMPARE(Column(grid, 5), QStringList({"21000", "21000", "", "21000", "21000", "21000"}));

        grid->clearSelection();
        grid->setRangeSelected(QTableWidgetSelectionRange(0, 1, 0, 2), true);
        grid->setRangeSelected(QTableWidgetSelectionRange(3, 0, 4, 0), true);
        Actions(grid)->RemoveRows();
        QCOMPARE(FormDataInput->EditUchast(1)->text(), QString("3"));
        QCOMPARE(Column(grid, 0), QStringList({"200", "", "500"}));

        grid->setRangeSelected(QTableWidgetSelectionRange(0, 0, 2, 7), true);
        ModalWatcher watcher;
        Actions(grid)->RemoveRows();
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        QCOMPARE(FormDataInput->EditUchast(1)->text(), QString("3"));

        FormDataInput->UndoStack()->undo();
        QCOMPARE(Column(grid, 0), QStringList({"100", "200", "", "300", "400", "500"}));
        FormDataInput->UndoStack()->undo();
        QCOMPARE(Column(grid, 0), QStringList({"100", "200", "300", "400", "500"}));
        QCOMPARE(FormDataInput->EditUchast(1)->text(), QString("5"));
    }

    void undoBringsBackTheTextsBeforeAndRedoThoseAfter_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("paste") << "paste";
        QTest::newRow("cut") << "cut";
        QTest::newRow("row removal") << "remove";
        QTest::newRow("import") << "import";
    }
    void undoBringsBackTheTextsBeforeAndRedoThoseAfter() {
        QFETCH(QString, action);
        SetRotorCount(2);
        TStringGrid* grid = FivePieces();
        EnterSupports(1, LevelSupports());
        grid->setCurrentCell(3, 1);
        grid->SelectBlock(1, 4, 2, 2);
        const QStringList before = WindowTexts();
        if (action == "paste") Actions(grid)->PasteText("9\t9\n9\t9\n9\t9\n");
        if (action == "cut") Actions(grid)->Cut();
        if (action == "remove") Actions(grid)->RemoveRows();
        if (action == "import") FormDataInput->ImportFromExcel();
        const QStringList after = WindowTexts();
        QVERIFY(after != before);
        FormDataInput->UndoStack()->undo();
        QCOMPARE(WindowTexts(), before);
        FormDataInput->UndoStack()->redo();
        QCOMPARE(WindowTexts(), after);
    }

    // The sample counts as unsaved: no state of the history after it is clean.
    void importCountsAsUnsavedWhateverIsUndone() {
        EnterRotor(1, {Piece(100)});
        QVERIFY(!FormDataInput->UndoStack()->isClean());
        ModalWatcher watcher;
        watcher.buttons = {QStringLiteral("Нет")};
        QTest::mouseClick(Control<QToolButton>("SpeedButton2"), Qt::LeftButton);
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        QVERIFY(!FormDataInput->UndoStack()->isClean());
        const QString imported = FormDataInput->GridInitParams(1)->Cell(0, 1);
        EditCell(FormDataInput->GridInitParams(1), 1, 0, "1");
        FormDataInput->UndoStack()->undo();
        QCOMPARE(FormDataInput->GridInitParams(1)->Cell(0, 1), imported);
        QVERIFY(!FormDataInput->UndoStack()->isClean());
    }

    void countTypedAndStepsAreStepsOfTheirOwn() {
        ShowWindow();
        auto* sections = Control<QLineEdit>("EditUchast1");
        sections->setFocus();
        TypeInto(sections, "12");  // "1" -> "" -> "1" -> "12": one step
        QTest::keyClick(sections, Qt::Key_Up);
        QCOMPARE(sections->text(), QString("13"));
        QCOMPARE(FormDataInput->GridInitParams(1)->RowCount(), 14);
        QTest::keyClick(sections, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(sections->text(), QString("12"));
        QTest::keyClick(sections, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(sections->text(), QString("1"));
        QVERIFY(!FormDataInput->UndoStack()->canUndo());
        QCOMPARE(FormDataInput->GridInitParams(1)->RowCount(), 2);
        QTest::keyClick(sections, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(sections->text(), QString("12"));
        FormDataInput->hide();
    }

    void typedRotorTypeKeepsItsCaseAndIsAStep() {
        ShowWindow();
        QComboBox* type = FormDataInput->ComboBox(1);
        type->setFocus();
        type->lineEdit()->selectAll();
        for (const QChar letter : QString("цельнокованный")) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(letter));
            QApplication::sendEvent(type->lineEdit(), &press);
        }
        Control<QLineEdit>("EditKolRotor")->setFocus();  // leaving the field
        QCOMPARE(type->currentText(), QString("цельнокованный"));
        QCOMPARE(type->count(), 2);
        FormDataInput->UndoStack()->undo();
        QCOMPARE(type->currentText(), QString("С насадными дисками"));
        FormDataInput->hide();
    }

    void enterMovesDownTabRightAndTypingEdits() {
        TStringGrid* grid = FivePieces();
        ShowWindow();
        grid->setFocus();
        grid->setCurrentCell(0, 0);
        QTest::keyClicks(QApplication::focusWidget(), "150");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(grid->currentRow(), 1);
        QCOMPARE(grid->Cell(0, 1), QString("150"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(grid->currentColumn(), 1);
        QCOMPARE(grid->currentRow(), 1);

        grid->SelectBlock(2, 3, 1, 1);  // selected, no cell editor open
        QVERIFY(grid->OpenEditor() == nullptr);
        QTest::keyClicks(grid, "7");
        QVERIFY(grid->OpenEditor() != nullptr);
        QCOMPARE(grid->OpenEditor()->text(), QString("7"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(grid->OpenEditor()->text(), QString("400"));  // the editor's own typing first
        FormDataInput->hide();
    }

    void contextMenuOffersTheStepsOfTheGrid() {
        TStringGrid* grid = FivePieces();
        grid->setCurrentCell(1, 0);
        const std::unique_ptr<QMenu> menu(Actions(grid)->BuildContextMenu(grid));
        const auto action = [&menu](const char* name) {
            return menu->findChild<QAction*>(QString::fromLatin1(name));
        };
        QCOMPARE(action("ActionUndo")->text(), QString("Отменить: ввод в ячейку"));
        QVERIFY(!action("ActionRedo")->isEnabled());
        action("ActionRemoveRows")->trigger();
        QCOMPARE(Column(grid, 0), QStringList({"100", "300", "400", "500"}));

        const std::unique_ptr<QMenu> support(
            Actions(FormDataInput->AddParams(1))->BuildContextMenu(grid));
        QVERIFY(support->findChild<QAction*>("ActionRemoveRows") == nullptr);
    }
};

SHAFTLINE_WINDOW_TEST_MAIN(TestGridEditing)
#include "test_grid_editing.moc"
