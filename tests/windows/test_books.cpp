// Books in and out of the windows: saving the shaft line, opening it again, the modified mark in
// the main window's caption, the question before unsaved changes are given up, the recent
// books, and the messages for books that are refused.
#include <QAction>
#include <QDateTime>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUndoStack>
#include <QUrl>
#include <deque>

#include "main_window.h"
#include "shaft_line_book.h"
#include "shaft_line_workbook.h"
#include "test_window_support.h"

namespace {

const QString kImported =
    "Выберите тип каждого ротора и нажмите кнопку \"Расчет\" в виде калькулятора";

/// A ModalWatcher that answers a file dialog by choosing the next of `files` (cancelled when
/// none is left).
class Answers : public ModalWatcher {
  public:
    Answers() {
        onDialog = [this](QDialog* dialog) {
            auto* chooser = qobject_cast<QFileDialog*>(dialog);
            if (chooser == nullptr || files.empty()) return;
            chooser->selectFile(files.front());
            files.pop_front();
            static_cast<QDialog*>(chooser)->accept();
        };
    }
    std::deque<QString> files;
};

TShaftLineBook* Book() {
    return FormDataInput->Book();
}

// Two rotors as typed by hand in a comma locale, with a wrong entry kept as it was typed.
void TypeShaftLine() {
    SetRotorCount(2);
    EnterRotor(1, {Piece(1000), Piece(2500)});
    EditCell(FormDataInput->GridInitParams(1), 2, 6, "2,5");
    EditCell(FormDataInput->GridInitParams(1), 1, 1, "12,,5");
    EnterRotor(2, {Piece(700)});
    EnterSupports(1, LevelSupports());
    FormDataInput->ComboBox(1)->setCurrentIndex(0);
}

// A saved book as Gnumeric reads it and writes it again as a .xls, which our reader takes.
QString AsXls(const QString& xlsx) {
    const QString xls = xlsx + ".xls";
    const int result =
        QProcess::execute("ssconvert", {"-T", "Gnumeric_Excel:excel_biff8", xlsx, xls});
    if (result != 0) qWarning("ssconvert failed on %s", qPrintable(xlsx));
    return xls;
}

QString TestData(const char* name) {
    return QString(SHAFTLINE_IO_TEST_DATA) + "/" + name;
}

}  // namespace

class TestBooks : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QApplication::setQuitOnLastWindowClosed(false);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
    }
    void init() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        QSettings("shaftline", "shaftline").clear();
        CreateAppWindows();
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
    }
    void cleanup() { DestroyAppWindows(); }

    void savedBookOpensToTheSameWindow() {
        QTemporaryDir dir;
        TypeShaftLine();
        QVERIFY(FormDataInput->IsModified());
        QCOMPARE(Form1->windowTitle(), QString("Ротовал*"));
        const QString path = dir.filePath("линия.xlsx");
        QVERIFY(Book()->SaveTo(path));
        QVERIFY(!FormDataInput->IsModified());
        QCOMPARE(Form1->windowTitle(), QString("Ротовал — линия.xlsx"));
        const auto saved = FormDataInput->BookFromWindow();

        SetRotorCount(1);
        EditCell(FormDataInput->GridInitParams(1), 1, 0, "5");
        Answers answers;
        answers.buttons = {"Нет"};
        QVERIFY(Book()->Open(AsXls(path)));
        QCOMPARE(answers.boxes.size(), std::size_t(1));
        QCOMPARE(answers.boxes[0].text, QString("Сохранить изменения в книге?"));
        const auto opened = FormDataInput->BookFromWindow();
        QCOMPARE(opened.sheets.size(), std::size_t(2));
        for (std::size_t k = 0; k < 2; ++k) {
            QVERIFY(opened.sheets[k].rows == saved.sheets[k].rows);
            QVERIFY(opened.sheets[k].support == saved.sheets[k].support);
        }
        QCOMPARE(FormDataInput->GridInitParams(1)->Cell(1, 1), QString("12,,5"));
        QCOMPARE(FormDataInput->StatusText(), kImported);
        QVERIFY(!FormDataInput->IsModified());
        QCOMPARE(Form1->windowTitle(), QString("Ротовал — линия.xlsx.xls"));
    }

    // The lifts put in force and the journals typed in the loads window: one step of the
    // history each, saved with the book and restored when it opens; clearing is a step too.
    void liftsAndJournalsAreOneStepSavedAndRestored() {
        QTemporaryDir dir;
        TypeShaftLine();
        const std::vector<double> lifts{0, 0.25, -0.125};
        const int steps = FormDataInput->UndoStack()->count();
        FormDataInput->PutLiftsInForce(lifts);
        QCOMPARE(FormDataInput->UndoStack()->count(), steps + 1);
        FormDataInput->UndoStack()->undo();
        QVERIFY(FormDataInput->LiftsInForce().empty());
        FormDataInput->UndoStack()->redo();
        QCOMPARE(FormDataInput->LiftsInForce(), lifts);
        const shaftline::io::JournalTexts journals{{{"", "300"}, {"", "250,5"}, {"", "", "25"}}};
        FormDataInput->PutJournals(journals);
        QCOMPARE(FormDataInput->UndoStack()->count(), steps + 2);
        const QString path = dir.filePath("подъёмы.xlsx");
        QVERIFY(Book()->SaveTo(path));
        FormDataInput->PutLiftsInForce({0, 0, 0});
        FormDataInput->PutJournals({});
        QVERIFY(FormDataInput->LiftsInForce().empty());
        QVERIFY(FormDataInput->IsModified());
        Answers answers;
        answers.buttons = {"Нет"};
        QVERIFY(Book()->Open(path));
        QCOMPARE(FormDataInput->LiftsInForce(), lifts);
        QCOMPARE(FormDataInput->Journals(), journals);
        QVERIFY(!FormDataInput->IsModified());
    }

    // Opening a book, types included, is one step of the history; the modified mark is the
    // history's distance from the step last opened or saved.
    void openingIsOneStepAndTheMarkFollowsTheHistory() {
        shaftline::io::ShaftLineWorkbook book;
        for (const char* type : {"Цельнокованный", "", "свой тип"}) {
            shaftline::io::RotorSheet& sheet = book.sheets.emplace_back();
            sheet.sectionCount = 1;
            sheet.rows.assign(1, {"7", "", "", "", "", "", "", ""});
            sheet.rotorType = type;
        }
        QComboBox* first = FormDataInput->ComboBox(1);
        FormDataInput->FillFromBook(book, true);
        QCOMPARE(first->currentIndex(), 0);
        QCOMPARE(FormDataInput->ComboBox(3)->currentText(), QString("свой тип"));
        QVERIFY(!FormDataInput->IsModified());

        FormDataInput->UndoStack()->undo();
        QCOMPARE(first->currentText(), QString("С насадными дисками"));
        QCOMPARE(first->currentIndex(), 1);
        QCOMPARE(FormDataInput->ComboBox(3)->currentText(), QString("С насадными дисками"));
        QCOMPARE(FormDataInput->GridInitParams(1)->Cell(0, 1), QString());
        QCOMPARE(FormDataInput->RotorCountText(), QString("1"));
        QVERIFY(FormDataInput->IsModified());
        QVERIFY(Form1->windowTitle().endsWith(u'*'));

        FormDataInput->UndoStack()->redo();
        QCOMPARE(first->currentText(), QString("Цельнокованный"));
        QVERIFY(!FormDataInput->IsModified());
        EditCell(FormDataInput->GridInitParams(1), 1, 0, "8");
        QVERIFY(FormDataInput->IsModified());
        FormDataInput->UndoStack()->undo();
        QCOMPARE(FormDataInput->GridInitParams(1)->Cell(0, 1), QString("7"));
        QVERIFY(!FormDataInput->IsModified());
        QVERIFY(!Form1->windowTitle().endsWith(u'*'));
    }

    void typesTheBookCarriesAreRestored() {
        FormDataInput->ComboBox(3)->setCurrentIndex(0);
        shaftline::io::ShaftLineWorkbook book;
        for (const char* type : {"Цельнокованный", "Цельнокованный", "", "свой тип"}) {
            shaftline::io::RotorSheet& sheet = book.sheets.emplace_back();
            sheet.sectionCount = 1;
            sheet.rows.resize(1);
            sheet.rotorType = type;
        }
        FormDataInput->FillFromBook(book);
        FormDataInput->RestoreRotorTypes(book);
        QCOMPARE(FormDataInput->ComboBox(1)->currentIndex(), 0);
        QCOMPARE(FormDataInput->ComboBox(3)->currentText(), QString("Цельнокованный"));
        book.sheets[2].rotorType = "свой тип";
        FormDataInput->RestoreRotorTypes(book);
        QCOMPARE(FormDataInput->ComboBox(3)->currentText(), QString("свой тип"));
        QCOMPARE(FormDataInput->BookFromWindow().sheets[2].rotorType, std::string("свой тип"));
        QCOMPARE(FormDataInput->BookFromWindow().sheets[1].rotorType, std::string());
    }

    void onlyTypedDataMarkTheBookModified() {
        QTemporaryDir dir;
        TypeShaftLine();
        EditCell(FormDataInput->GridInitParams(1), 1, 1, "0");
        QVERIFY(Book()->SaveTo(dir.filePath("b.xlsx")));
        ModalWatcher watcher;
        QTest::mouseClick(Control<QToolButton>("SpeedButton1"), Qt::LeftButton);
        QVERIFY(watcher.boxes.empty());
        QVERIFY(FormDataInput->GridInitParams(1)->Cell(8, 2) != "");
        FormDataInput->FormActivate();
        QVERIFY(!FormDataInput->IsModified());
        const std::vector<std::function<void()>> edits = {
            [] { EditCell(FormDataInput->GridInitParams(2), 1, 7, "3"); },
            [] { EditCell(FormDataInput->AddParams(1), 1, 17, "0,5"); },
            [] { FormDataInput->ComboBox(1)->setEditText("С насадными"); },
            [] { TypeInto(FormDataInput->EditUchast(2), "4"); },
            [] { SetRotorCount(3); },
        };
        for (const auto& edit : edits) {
            FormDataInput->SetUnmodified();
            QCOMPARE(Form1->windowTitle(), QString("Ротовал — b.xlsx"));
            edit();
            QVERIFY(FormDataInput->IsModified());
            QCOMPARE(Form1->windowTitle(), QString("Ротовал — b.xlsx*"));
        }
    }

    void closingAsksAboutUnsavedChanges_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("named");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Отмена keeps the program open") << "Отмена" << true << false << false;
        QTest::newRow("Нет closes without saving") << "Нет" << true << true << false;
        QTest::newRow("Да saves over the book") << "Да" << true << true << true;
        QTest::newRow("Да asks for a name first") << "Да" << false << true << true;
        QTest::newRow("nothing typed, nothing asked") << "" << true << true << false;
    }
    void closingAsksAboutUnsavedChanges() {
        QFETCH(QString, answer);
        QFETCH(bool, named);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        const QString path = dir.filePath("книга.xlsx");
        if (named) QVERIFY(Book()->SaveTo(path));
        const QDateTime before = QFileInfo(path).lastModified();
        const bool typed = !answer.isEmpty();
        if (typed) TypeShaftLine();
        Answers answers;
        answers.buttons = {answer};
        answers.files = {path};
        QCOMPARE(Form1->close(), closes);
        QCOMPARE(answers.boxes.size(), std::size_t(typed ? 1 : 0));
        if (!typed) return;
        QCOMPARE(answers.boxes[0].text, QString("Сохранить изменения в книге?"));
        QCOMPARE(Form1->isVisible(), !closes);
        QCOMPARE(FormDataInput->IsModified(), !saved);
        if (saved) {
            QCOMPARE(shaftline::io::ReadShaftLineWorkbook(AsXls(path).toStdString(), ",")
                         .sheets[0]
                         .rows[1][6],
                     std::string("2,5"));
        } else {
            QCOMPARE(QFileInfo(path).lastModified(), before);
        }
        QCOMPARE(FormDataInput->GridInitParams(1)->Cell(6, 2), QString("2,5"));
    }

    void savingKeyTakesWhatTheOpenCellEditorHolds() {
        QTemporaryDir dir;
        const QString path = dir.filePath("b.xlsx");
        QVERIFY(Book()->SaveTo(path));
        FormDataInput->show();
        QApplication::setActiveWindow(FormDataInput);
        QVERIFY(QTest::qWaitForWindowActive(FormDataInput));
        TStringGrid* grid = FormDataInput->GridInitParams(1);
        grid->setFocus();
        grid->setCurrentCell(0, 2);
        QTest::keyClicks(QApplication::focusWidget(), "777");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(grid->Cell(2, 1), QString("777"));
        QVERIFY(!FormDataInput->IsModified());
        QCOMPARE(shaftline::io::ReadShaftLineWorkbook(AsXls(path).toStdString(), ",")
                     .sheets[0]
                     .rows[0][2],
                 std::string("777"));
    }

    void failedSaveSaysWhyAndKeepsTheMark() {
        QTemporaryDir dir;
        const QString path = dir.filePath("b.xlsx");
        QVERIFY(Book()->SaveTo(path));
        TypeShaftLine();
        Answers answers;
        const QString missing = dir.filePath("нет такой папки/b.xlsx");
        QVERIFY(!Book()->SaveTo(missing));
        QCOMPARE(answers.boxes.size(), std::size_t(1));
        QCOMPARE(answers.boxes[0].icon, QMessageBox::Critical);
        QVERIFY2(answers.boxes[0].text.contains("не сохранена: папка не найдена"),
                 qPrintable(answers.boxes[0].text));
        QVERIFY(FormDataInput->IsModified());
        QCOMPARE(Book()->Path(), path);
        QCOMPARE(Form1->windowTitle(), QString("Ротовал — b.xlsx*"));
        QCOMPARE(FormDataInput->GridInitParams(1)->Cell(1, 1), QString("12,,5"));
    }

    void refusedBooksLeaveTheWindowAsItWas_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("import");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("fragment");
        QTest::addColumn<bool>("status");
        QTest::newRow("import, A1 text") << "a1_text.xls" << true << int(QMessageBox::Critical)
                                         << "лист 2 «Плохой», ячейка A1: «два»" << false;
        QTest::newRow("import, 20 sheets")
            << "twenty_sheets.xls" << true << int(QMessageBox::Critical) << "20 листов" << false;
        QTest::newRow("import, no workbook")
            << "not_a_workbook.xls" << true << int(QMessageBox::Warning) << "Microsoft" << true;
        QTest::newRow("open, A1 text")
            << "a1_text.xls" << false << int(QMessageBox::Critical) << "ячейка A1: «два»" << false;
        QTest::newRow("open, no workbook")
            << "not_a_workbook.xls" << false << int(QMessageBox::Critical)
            << "не является книгой Excel" << false;
    }
    void refusedBooksLeaveTheWindowAsItWas() {
        QFETCH(QString, file);
        QFETCH(bool, import);
        QFETCH(int, icon);
        QFETCH(QString, fragment);
        QFETCH(bool, status);
        TypeShaftLine();
        FormDataInput->FormActivate();
        const QString statusBefore = FormDataInput->StatusText();
        Answers answers;
        answers.buttons = {"Нет"};  // opening asks first about the typed data
        if (import)
            FormDataInput->ImportBook(TestData(qPrintable(file)));
        else
            QVERIFY(!Book()->Open(TestData(qPrintable(file))));
        QCOMPARE(answers.boxes.size(), std::size_t(import ? 1 : 2));
        QCOMPARE(int(answers.boxes.back().icon), icon);
        QVERIFY2(answers.boxes.back().text.contains(fragment),
                 qPrintable(answers.boxes.back().text));
        QCOMPARE(FormDataInput->StatusText(), status ? kImported : statusBefore);
        QCOMPARE(Control<QLineEdit>("EditKolRotor")->text(), QString("2"));
        QCOMPARE(FormDataInput->GridInitParams(1)->Cell(1, 1), QString("12,,5"));
        QVERIFY(FormDataInput->IsModified());
    }

    void recentBooksCommandLineDropAndDialog() {
        QTemporaryDir dir;
        const QString first = dir.filePath("first.xls");
        const QString second = dir.filePath("second.xls");
        QVERIFY(QFile::copy(TestData("three_sheets.xls"), first));
        QVERIFY(QFile::copy(TestData("full_line_19x50.xls"), second));

        QVERIFY(Book()->OpenFromCommandLine({"shaftline", first}));
        QCOMPARE(Control<QLineEdit>("EditKolRotor")->text(), QString("3"));
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(second)});
        // Onto the chart of the nominal mode, as the window system delivers a drop.
        const QPointF onChart = Form1->findChild<QWidget*>("Panel1")->geometry().center();
        QDragEnterEvent enter(onChart.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(Form1->windowHandle(), &enter);
        QDropEvent drop(onChart, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Form1->windowHandle(), &drop);
        QTRY_COMPARE(Book()->Path(), second);
        QCOMPARE(Control<QLineEdit>("EditKolRotor")->text(), QString("19"));
        QCOMPARE(Book()->RecentBooks(), QStringList({second, first}));
        auto* recent = Form1->findChild<QAction*>("ActionRecentBook2");
        QVERIFY(recent->isVisible());
        QVERIFY(!Form1->findChild<QAction*>("ActionRecentBook3")->isVisible());

        recent->trigger();
        QCOMPARE(Book()->Path(), first);
        QCOMPARE(Book()->RecentBooks(), QStringList({first, second}));

        QVERIFY(QFile::remove(second));
        Answers answers;
        Form1->findChild<QAction*>("ActionRecentBook2")->trigger();
        QCOMPARE(answers.boxes.size(), std::size_t(1));
        QCOMPARE(Book()->RecentBooks(), QStringList({first}));
        QCOMPARE(Book()->Path(), first);

        // The open button's dialog, which remembers its folder.
        answers.files = {TestData("three_sheets.xls")};
        QTest::mouseClick(Control<QToolButton>("SpeedButton3"), Qt::LeftButton);
        QCOMPARE(Book()->Path(), TestData("three_sheets.xls"));
        QCOMPARE(QSettings("shaftline", "shaftline").value("books/folder").toString(),
                 QString(SHAFTLINE_IO_TEST_DATA));
    }

    void bookDroppedOnTheDataEntryWindowOpens() {
        QMimeData notes;
        notes.setUrls({QUrl::fromLocalFile(TestData("three_sheets.xls") + ".txt")});
        QDragEnterEvent refused({10, 10}, Qt::CopyAction, &notes, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(FormDataInput, &refused);
        QVERIFY(!refused.isAccepted());

        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(TestData("three_sheets.xls"))});
        QDragEnterEvent enter({10, 10}, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(FormDataInput, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(FormDataInput, &drop);
        QVERIFY(drop.isAccepted());
        QVERIFY(Book()->Path().isEmpty());  // not inside the drag
        QTRY_COMPARE(Book()->Path(), TestData("three_sheets.xls"));
        QCOMPARE(Control<QLineEdit>("EditKolRotor")->text(), QString("3"));
    }

  private:
    QTemporaryDir settings_;
};

SHAFTLINE_WINDOW_TEST_MAIN(TestBooks)
#include "test_books.moc"
