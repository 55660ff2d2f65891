// The calculation button: completeness check, atomic transfer into fresh records, the run and
// the deflection column, compared with the core run on the same texts.
#include <QApplication>
#include <QLocale>
#include <QToolButton>

#include "number_text.h"
#include "rotor_transfer.h"
#include "test_window_support.h"

namespace {

using RotorRows = std::vector<SectionRow>;

const QString kAskForBase = "Выберите один базовый ротор и нажмите кнопку ОК";

// What the core makes of the same texts: the reference for the window's run.
shaftline::RotorArray CoreRun(const std::vector<RotorRows>& line,
                              const std::vector<QString>& types = {}) {
    shaftline::RotorArray rotors;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const RotorRows& rows = line[i];
        const int rotor = static_cast<int>(i) + 1;
        const QString type =
            i < types.size() ? types[i] : (rotor % 2 == 1 ? "С насадными дисками" : "");
        rotors[i + 1] = shaftline::RotorFromText(
            rotor, std::to_string(rows.size()), type.toStdString(),
            [&rows](int row, int column) { return rows[row - 1][column].toStdString(); },
            QLocale().decimalPoint().toStdString());
    }
    const auto problems = shaftline::RunCalculation(rotors, static_cast<int>(line.size()));
    if (!problems.empty()) qFatal("reference line does not calculate");
    return rotors;
}

void EnterLine(const std::vector<RotorRows>& line) {
    SetRotorCount(static_cast<int>(line.size()));
    for (std::size_t i = 0; i < line.size(); ++i) EnterRotor(static_cast<int>(i) + 1, line[i]);
}

void PressCalculate() {
    QTest::mouseClick(Control<QToolButton>("SpeedButton1"), Qt::LeftButton);
}

QString Deflection(const shaftline::TRotor& rotor, int section) {
    return QString::fromStdString(
        shaftline::FormatGeneral(rotor.SectionsView()[static_cast<std::size_t>(section)].Deflection,
                                 QLocale().decimalPoint().toStdString()));
}

const RotorRows kRotorA = {Piece(1000, 500), Piece(3000, 700), Piece(5000, 700), Piece(6000, 500)};
const RotorRows kRotorB = {Piece(400, 300), Piece(800, 300)};
const RotorRows kRotorC = {Piece(1500, 600), Piece(2500, 900), Piece(4000, 600)};

}  // namespace

class TestCalculationRun : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        QLocale::setDefault(QLocale::c());
        CreateAppWindows();
    }
    void cleanup() { DestroyAppWindows(); }

    void deflectionColumnMatchesTheCore_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("one rotor") << 1;
        QTest::newRow("two rotors") << 2;
        QTest::newRow("three rotors") << 3;
    }
    void deflectionColumnMatchesTheCore() {
        QFETCH(int, count);
        const std::vector<RotorRows> all = {kRotorA, kRotorB, kRotorC};
        const std::vector<RotorRows> line(all.begin(), all.begin() + count);
        EnterLine(line);
        ModalWatcher watcher;
        PressCalculate();
        QVERIFY(watcher.boxes.empty());
        const shaftline::RotorArray expected = CoreRun(line);
        for (int rotor = 1; rotor <= count; ++rotor) {
            TStringGrid* grid = FormDataInput->GridInitParams(rotor);
            const shaftline::TRotor& record = *FormDataInput->Rotors()[rotor];
            QCOMPARE(grid->ColCount(), 9);
            QCOMPARE(grid->horizontalHeaderItem(8)->text(), QString("Прогиб в сечениях"));
            const int sections = static_cast<int>(line[rotor - 1].size());
            QCOMPARE(record.GetSectionCount(), sections);
            QCOMPARE(record.GetEvenPosition(), rotor % 2 == 0);
            QCOMPARE(record.GetCouplingBreak(), expected[rotor]->GetCouplingBreak());
            for (int section = 1; section <= sections; ++section)
                QCOMPARE(grid->item(section - 1, 8)->text(), Deflection(*expected[rotor], section));
            QCOMPARE(grid->item(sections - 1, 8)->text(), QString("0"));  // the right support
        }
        if (count >= 2) {
            const auto& rotors = FormDataInput->Rotors();
            QCOMPARE(rotors[2]->GetCouplingBreak(),
                     rotors[1]->GetRightJournalAngle() - rotors[2]->GetLeftJournalAngle());
        }
        QCOMPARE(FormDataInput->Rotors()[1]->GetCouplingBreak(), 0.0);
        QCOMPARE(FormDataInput->StatusText(), kAskForBase);
        QCOMPARE(Control<QTabWidget>("PageControl1")->currentIndex(), count - 1);
    }

    void gridColumnsGoToTheirFields() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        EnterRotor(1, {{"100", "500", "200", "40", "50", "2,1e5", "1,5", "60"},
                       {"300", "0", "200", "0", "0", "210000", "0", "0"}});
        PressCalculate();
        const shaftline::TRotorSection& s = FormDataInput->Rotors()[1]->SectionsView()[1];
        QCOMPARE(s.Coord, 100.0);
        QCOMPARE(s.DiscDiameter, 500.0);
        QCOMPARE(s.Diameter, 200.0);
        QCOMPARE(s.DiscThickness, 40.0);
        QCOMPARE(s.InnerDiameter, 50.0);
        QCOMPARE(s.Young, 2.1e5);
        QCOMPARE(s.BladeMass, 1.5);
        QCOMPARE(s.BladeCount, 60.0);
        QCOMPARE(FormDataInput->Rotors()[1]->SectionsView()[0].Coord, 0.0);
        // A deflection with a fraction is written with the Russian decimal comma.
        QVERIFY(FormDataInput->GridInitParams(1)->item(0, 8)->text().contains(','));
    }

    void rotorTypeTextDecidesTheDiscTable_data() {
        QTest::addColumn<QString>("typeText");
        QTest::addColumn<bool>("shrunkOn");
        QTest::newRow("solid-forged") << "Цельнокованный" << false;
        QTest::newRow("shrunk-on discs") << "С насадными дисками" << true;
        QTest::newRow("lower case") << "цельнокованный" << true;
        QTest::newRow("trailing blank") << "Цельнокованный " << true;
        QTest::newRow("empty") << "" << true;
    }
    void rotorTypeTextDecidesTheDiscTable() {
        QFETCH(QString, typeText);
        QFETCH(bool, shrunkOn);
        EnterLine({kRotorA, kRotorB});
        FormDataInput->ComboBox(1)->setEditText(typeText);
        PressCalculate();
        QCOMPARE(FormDataInput->Rotors()[1]->GetShrunkOnDiscs(), shrunkOn);
        QVERIFY(FormDataInput->Rotors()[2]->GetShrunkOnDiscs());  // no selector on even pages
    }

    void secondRunWritesTheLatestValues() {
        EnterLine({kRotorA, kRotorB});
        PressCalculate();
        const QString first = FormDataInput->GridInitParams(1)->item(1, 8)->text();
        EditCell(FormDataInput->GridInitParams(1), 2, 2, "900");  // stiffer middle piece
        PressCalculate();
        RotorRows stiffer = kRotorA;
        stiffer[1][2] = "900";
        const shaftline::RotorArray expected = CoreRun({stiffer, kRotorB});
        for (int rotor = 1; rotor <= 2; ++rotor)
            QCOMPARE(FormDataInput->GridInitParams(rotor)->ColCount(), 9);
        QCOMPARE(FormDataInput->GridInitParams(1)->item(1, 8)->text(), Deflection(*expected[1], 2));
        QVERIFY(FormDataInput->GridInitParams(1)->item(1, 8)->text() != first);
        QCOMPARE(FormDataInput->Rotors()[1]->SectionsView()[2].Diameter, 900.0);
    }

    void reopeningHidesTheColumnAMessageBoxDoesNot() {
        EnterRotor(1, kRotorA);
        PressCalculate();
        ModalWatcher watcher;
        ShowPage(2);  // a page without a record: the sketch button refuses with a message
        FormDataInput->Button21Click();
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        QCOMPARE(FormDataInput->GridInitParams(1)->ColCount(), 9);
        FormDataInput->show();
        QCOMPARE(FormDataInput->GridInitParams(1)->ColCount(), 8);
        FormDataInput->hide();
        PressCalculate();
        QCOMPARE(FormDataInput->GridInitParams(1)->ColCount(), 9);
    }

    void incompleteDataNamesTheLowestRotor() {
        EnterLine({kRotorA, kRotorB, kRotorC});
        EditCell(FormDataInput->GridInitParams(3), 1, 7, "");
        EditCell(FormDataInput->GridInitParams(1), 4, 7, "");  // blade count of the last row
        ModalWatcher watcher;
        PressCalculate();
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        QCOMPARE(watcher.boxes[0].text, QString("Не все данные заполнены на вкладке для ротора 1"));
        for (int rotor = 1; rotor <= 3; ++rotor) {
            QVERIFY(FormDataInput->Rotors()[rotor] == nullptr);
            QCOMPARE(FormDataInput->GridInitParams(rotor)->ColCount(), 8);
        }
        QCOMPARE(FormDataInput->StatusText(), kAskForBase);
    }

    void badCellLeavesTheRotorsAsTheyWere_data() {
        QTest::addColumn<int>("rotor");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::newRow("letters in rotor 2") << 2 << 2 << 2 << "abc";
        QTest::newRow("a blank in rotor 3") << 3 << 1 << 0 << " ";
        QTest::newRow("thousands separator in rotor 1") << 1 << 3 << 5 << "21,000";
    }
    void badCellLeavesTheRotorsAsTheyWere() {
        QFETCH(int, rotor);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        EnterLine({kRotorA, kRotorB, kRotorC});
        PressCalculate();
        std::vector<const shaftline::TRotor*> before;
        std::vector<double> deflections;
        for (int k = 1; k <= 3; ++k) {
            before.push_back(FormDataInput->Rotors()[k].get());
            deflections.push_back(FormDataInput->Rotors()[k]->SectionsView()[1].Deflection);
        }
        const QString shownDeflection = FormDataInput->GridInitParams(1)->item(0, 8)->text();

        EditCell(FormDataInput->GridInitParams(1), 1, 2, "800");  // would change rotor 1
        EditCell(FormDataInput->GridInitParams(rotor), row, column, text);
        ShowPage(1);
        ModalWatcher watcher;
        PressCalculate();

        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        const QString message = watcher.boxes[0].text;
        QVERIFY2(message.contains("'" + text + "'"), qPrintable(message));
        QVERIFY2(message.contains(QString("ротор %1").arg(rotor)), qPrintable(message));
        QVERIFY2(message.contains(QString("строка %1").arg(row)), qPrintable(message));
        for (int k = 1; k <= 3; ++k) {
            QCOMPARE(FormDataInput->Rotors()[k].get(), before[k - 1]);
            QCOMPARE(FormDataInput->Rotors()[k]->SectionsView()[1].Deflection, deflections[k - 1]);
        }
        QCOMPARE(FormDataInput->Rotors()[1]->SectionsView()[1].Diameter, 500.0);
        QCOMPARE(FormDataInput->GridInitParams(1)->item(0, 8)->text(), shownDeflection);
        QCOMPARE(Control<QTabWidget>("PageControl1")->currentIndex(), rotor - 1);
        TStringGrid* grid = FormDataInput->GridInitParams(rotor);
        QCOMPARE(grid->currentRow(), row - 1);
        QCOMPARE(grid->currentColumn(), column);
        QVERIFY(!grid->isHidden());
    }

    void problemsOfSeveralRotorsComeInOneBox() {
        RotorRows noDiameter = kRotorA;
        noDiameter[0][2] = "0";
        RotorRows noModulus = kRotorC;
        noModulus[1][5] = "0";
        EnterLine({noDiameter, kRotorB, noModulus});
        ShowPage(2);
        ModalWatcher watcher;
        PressCalculate();
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        const QString message = watcher.boxes[0].text;
        QVERIFY2(message.contains("диаметр") && message.contains("Юнга"), qPrintable(message));
        QVERIFY(message.indexOf("1") < message.indexOf("3"));
        QCOMPARE(Control<QTabWidget>("PageControl1")->currentIndex(), 0);
        QCOMPARE(FormDataInput->GridInitParams(1)->currentRow(), 0);  // section 1
        QVERIFY(!FormDataInput->GridInitParams(1)->isHidden());
        for (int k = 1; k <= 3; ++k) QVERIFY(FormDataInput->Rotors()[k] == nullptr);
    }

    void textStillInTheCellEditorIsCalculated() {
        EnterLine({kRotorA});
        FormDataInput->show();
        QVERIFY(QTest::qWaitForWindowExposed(FormDataInput));
        TStringGrid* grid = FormDataInput->GridInitParams(1);
        grid->setFocus();
        grid->setCurrentCell(1, 2);  // section 2, "Диаметр"
        grid->editItem(grid->currentItem());
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor != nullptr && editor != grid);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, "900");
        // Enter in the editor must not press a button of the window either.
        PressCalculate();
        QVERIFY(FormDataInput->Rotors()[1] != nullptr);
        QCOMPARE(FormDataInput->Rotors()[1]->SectionsView()[2].Diameter, 900.0);
        FormDataInput->hide();
    }

    void enterInACountEditPressesNoButton() {
        FormDataInput->show();
        QVERIFY(QTest::qWaitForWindowExposed(FormDataInput));
        const QString status = FormDataInput->StatusText();
        auto* edit = Control<QLineEdit>("EditKolRotor");
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(FormDataInput->isVisible());
        QCOMPARE(FormDataInput->StatusText(), status);
        FormDataInput->hide();
    }

    void lowerCountLeavesHigherRecordsAlone() {
        EnterLine({kRotorA, kRotorB, kRotorC});
        PressCalculate();
        const shaftline::TRotor* third = FormDataInput->Rotors()[3].get();
        SetRotorCount(2);
        PressCalculate();
        QCOMPARE(FormDataInput->Rotors()[3].get(), third);
        QCOMPARE(FormDataInput->Rotors()[3]->GetSectionCount(), 3);
    }
};

SHAFTLINE_WINDOW_TEST_MAIN(TestCalculationRun)
#include "test_calculation_run.moc"
