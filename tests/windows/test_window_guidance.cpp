// What the windows tell a newcomer and spare a daily user: the toolkit's own texts in Russian,
// units and ranges on the grid headers, the intermediate pieces explained, the keyboard, the
// page kept over a calculation, refusals with an icon, and the status bar after a save.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUndoStack>

#include "main_window.h"
#include "support_scheme_window.h"
#include "shaft_line_book.h"
#include "test_window_support.h"

namespace {

QAction* MenuAction(const char* name) {
    return Form1->menuBar()->findChild<QAction*>(QString::fromLatin1(name));
}

void EnterLine(int count) {
    SetRotorCount(count);
    for (int rotor = 1; rotor <= count; ++rotor)
        EnterRotor(rotor, {Piece(1000 * rotor), Piece(2000 * rotor)});
}

}  // namespace

class TestWindowGuidance : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        CreateAppWindows();
    }
    void cleanup() { DestroyAppWindows(); }

    // The standard buttons and the file dialog take their texts from the toolkit's catalogue.
    void toolkitTextsAreRussian_data() {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("russian");
        QTest::newRow("standard button") << "QPlatformTheme" << "Cancel" << "Отмена";
        QTest::newRow("file dialog") << "QFileDialog" << "File &name:" << "&Имя файла:";
    }
    void toolkitTextsAreRussian() {
        QFETCH(QString, context);
        QFETCH(QString, english);
        QFETCH(QString, russian);
        QCOMPARE(QCoreApplication::translate(qPrintable(context), qPrintable(english)), russian);
    }

    // Every header cell of both grids names its quantity with a unit, also after the headers
    // were written again and the deflection column came into view.
    void gridHeadersCarryUnitsAndRanges() {
        EnterLine(1);
        ModalWatcher watcher;
        QTest::mouseClick(Control<QToolButton>("SpeedButton1"), Qt::LeftButton);
        QVERIFY(watcher.boxes.empty());
        TStringGrid* sections = FormDataInput->GridInitParams(1);
        TStringGrid* support = FormDataInput->AddParams(1);
        QCOMPARE(sections->ColCount(), 9);
        const QStringList units = {"мм", "мм", "мм", "мм", "мм", "кгс/мм²", "кг", "", "мм"};
        for (int c = 0; c < sections->ColCount(); ++c) {
            const QString hint = sections->horizontalHeaderItem(c)->toolTip();
            QVERIFY2(!hint.isEmpty() && hint.contains(units[c]), qPrintable(hint));
        }
        QCOMPARE(sections->horizontalHeaderItem(5)->toolTip(),
                 QString("Модуль Юнга, кгс/мм²; 1 … 1·10⁸"));
        FormDataInput->FormActivate();
        QVERIFY(!sections->horizontalHeaderItem(0)->toolTip().isEmpty());
        QCOMPARE(support->ColCount(), 18);
        for (int c = 0; c < 18; ++c) {
            const QString hint = support->horizontalHeaderItem(c)->toolTip();
            const bool temperature = (c % 9) % 2 == 1 && c % 9 < 6;
            QVERIFY2(hint.contains(temperature ? "°C" : "мм"), qPrintable(hint));
            QVERIFY2(hint.contains(c < 9 ? "левой опоры" : "правой опоры"), qPrintable(hint));
        }
    }

    // Pages of even-positioned rotors say what the piece is; the sketch button says why it is off.
    void intermediatePiecesAreExplained() {
        SetRotorCount(3);
        for (int rotor = 1; rotor <= 3; ++rotor) {
            const bool even = rotor % 2 == 0;
            auto* note = FormDataInput->Page(rotor)->findChild<QLabel*>(Name("LblIntermediate", rotor));
            QCOMPARE(note != nullptr, even);
            if (even) QVERIFY(note->text().contains("невесом"));
            ShowPage(rotor);
            auto* sketch = Control<QPushButton>("Button21");
            QCOMPARE(sketch->isEnabled(), !even);
            QCOMPARE(sketch->toolTip().isEmpty(), !even);
        }
    }

    // F2 opens the data-entry window; while it is open the key is the grid's again.
    void keyboardReachesTheDataEntryWindow() {
        QCOMPARE(MenuAction("MenuFile")->text(), QString("&Файл"));
        QAction* enter = MenuAction("N2");
        QCOMPARE(enter->shortcut(), QKeySequence(Qt::Key_F2));
        Form1->show();
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        bool enabledInside = true;
        ModalWatcher watcher;
        watcher.onDialog = [&](QDialog* dialog) {
            if (dialog == FormDataInput) enabledInside = enter->isEnabled();
        };
        QTest::keyClick(Form1, Qt::Key_F2);
        QCOMPARE(watcher.dialogs.size(), std::size_t(1));
        QCOMPARE(watcher.dialogs[0], QString("FormDataInput"));
        QVERIFY(!enabledInside);
        QVERIFY(enter->isEnabled());
    }

    void calculationKeepsThePageShown() {
        EnterLine(3);
        ShowPage(2);
        ModalWatcher watcher;
        QTest::mouseClick(Control<QToolButton>("SpeedButton1"), Qt::LeftButton);
        QVERIFY(watcher.boxes.empty());
        QVERIFY(FormDataInput->Rotors()[3] != nullptr);
        QCOMPARE(Control<QTabWidget>("PageControl1")->currentIndex(), 1);
    }

    void refusalsCarryAnIcon() {
        EnterLine(1);
        ModalWatcher watcher;
        QTest::mouseClick(FormDataInput->CheckBoxR(1), Qt::LeftButton);  // nothing calculated yet
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        QVERIFY(watcher.boxes[0].text.contains("Расчет"));
        QCOMPARE(watcher.boxes[0].icon, QMessageBox::Warning);
    }

    void savedBookIsNamedInTheStatusBar() {
        EnterLine(1);
        QTemporaryDir dir;
        const QString path = dir.filePath("линия.xlsx");
        QVERIFY(FormDataInput->Book()->SaveTo(path));
        const QString note = Form1->statusBar()->currentMessage();
        QVERIFY2(note.startsWith("Книга сохранена") && note.contains("линия.xlsx"), qPrintable(note));
    }

    // The installed drawing opens in the program's own window; a broken one is reported.
    void supportSchemeDrawingIsShownByTheProgram_data() {
        QTest::addColumn<bool>("drawing");
        QTest::newRow("installed drawing") << true;
        QTest::newRow("broken drawing") << false;
    }
    void supportSchemeDrawingIsShownByTheProgram() {
        QFETCH(bool, drawing);
        QTemporaryDir dir;
        const QString scheme = dir.filePath("ris.svg");
        if (drawing) {
            QVERIFY(QFile::copy(SHAFTLINE_IO_TEST_DATA "/../../../resources/ris.svg", scheme));
        } else {
            QFile file(scheme);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("<svg") == 4);
        }
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QTest::mouseClick(Control<QPushButton>("Button20"), Qt::LeftButton);
        QDir::setCurrent(before);
        auto* view = FormDataInput->findChild<TSupportSchemeWindow*>();
        QCOMPARE(view != nullptr && view->isVisible() && view->HasDrawing(), drawing);
        QCOMPARE(FormDataInput->StatusText().startsWith("Не удалось открыть документ"), !drawing);
    }

    // The sample replaces an edited window only after the question, and counts as unsaved.
    void sampleImportAsksFirstAndIsUnsaved_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("imported");
        QTest::newRow("give the changes up") << "Нет" << true;
        QTest::newRow("keep them") << "Отмена" << false;
    }
    void sampleImportAsksFirstAndIsUnsaved() {
        QFETCH(QString, answer);
        QFETCH(bool, imported);
        EnterRotor(1, {Piece(777)});
        ModalWatcher watcher;
        watcher.buttons = {answer};
        QTest::mouseClick(Control<QToolButton>("SpeedButton2"), Qt::LeftButton);
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        QCOMPARE(watcher.boxes[0].text, QString("Сохранить изменения в книге?"));
        QCOMPARE(FormDataInput->GridInitParams(1)->Cell(0, 1) != "777", imported);
        QVERIFY(FormDataInput->IsModified());
        if (imported)
            QCOMPARE(Form1->windowTitle(), QString("Ротовал — образец «Data.xls»*"));
    }
};

SHAFTLINE_WINDOW_TEST_MAIN(TestWindowGuidance)
#include "test_window_guidance.moc"
