// Ticking a base rotor: the confirmation, the alignment and the support rises, compared with
// the core applied to copies of the same records; and every refusal, which changes nothing.
#include <QLabel>
#include <QLocale>
#include <QTemporaryDir>
#include <QToolButton>

#include "rotor_transfer.h"
#include "shaft_line_book.h"
#include "shaft_line_workbook.h"
#include "support.h"
#include "test_window_support.h"

namespace {

const QString kAligned =
    "Просмотрите необходимые параметры ротора, его эскиз или схему опоры. "
    "И закройте это окно для вывода графика";

const std::vector<SectionRow> kRotors[] = {
    {Piece(1000, 500), Piece(3000, 700), Piece(5000, 700), Piece(6000, 500)},
    {Piece(400, 300), Piece(800, 300)},
    {Piece(1500, 600), Piece(2500, 900), Piece(4000, 600)},
};

// Warm supports that rise by different amounts on the two sides of every rotor.
std::array<QString, 18> WarmSupports(int rotor) {
    const double k = rotor;
    const double values[18] = {8000, 40 + k,   1200, 60,   600, 70 + 5 * k,
                               0.1,  0.05 * k, 0.02, 9000, 35,  1000 + 100 * k,
                               55,   500,      65,   0.2,  0.1, 0.01 * k};
    std::array<QString, 18> texts;
    for (int c = 0; c < 18; ++c) texts[c] = QString::number(values[c], 'g', 15);
    return texts;
}

shaftline::SupportData Converted(const std::array<QString, 18>& texts) {
    shaftline::SupportData data;
    for (int c = 0; c < 18; ++c) data[c] = texts[c].toDouble();
    return data;
}

void EnterLine(int count) {
    SetRotorCount(count);
    for (int rotor = 1; rotor <= count; ++rotor) {
        EnterRotor(rotor, kRotors[(rotor - 1) % 3]);
        EnterSupports(rotor, WarmSupports(rotor));
    }
    QTest::mouseClick(Control<QToolButton>("SpeedButton1"), Qt::LeftButton);
}

void Tick(int rotor) {
    ShowPage(rotor);
    QTest::mouseClick(FormDataInput->CheckBoxR(rotor), Qt::LeftButton);
}

shaftline::RotorArray CopyOfRecords(int count) {
    shaftline::RotorArray copy;
    for (int k = 1; k <= count; ++k)
        copy[k] = std::make_unique<shaftline::TRotor>(*FormDataInput->Rotors()[k]);
    return copy;
}

// The core applied to the copies: alignment from `base`, then the rises of every rotor.
void CoreAlign(shaftline::RotorArray& rotors, int count, int base) {
    shaftline::AlignShaftLine(rotors, count, base);
    for (int k = 1; k <= count; ++k)
        shaftline::ApplySupportRises(*rotors[k], Converted(WarmSupports(k)));
}

void CompareWithRecords(const shaftline::RotorArray& expected, int count) {
    for (int k = 1; k <= count; ++k) {
        const shaftline::TRotor& got = *FormDataInput->Rotors()[k];
        const shaftline::TRotor& want = *expected[k];
        QCOMPARE(got.GetLeftJournalAngle(), want.GetLeftJournalAngle());
        QCOMPARE(got.GetRightJournalAngle(), want.GetRightJournalAngle());
        QCOMPARE(got.GetOwnLeftAngle(), want.GetOwnLeftAngle());
        QCOMPARE(got.GetOwnRightAngle(), want.GetOwnRightAngle());
        QCOMPARE(got.LeftSupportRise, want.LeftSupportRise);
        QCOMPARE(got.RightSupportRise, want.RightSupportRise);
        for (int j = 0; j <= want.GetSectionCount(); ++j)
            QCOMPARE(got.SectionsView()[j].LineOffset, want.SectionsView()[j].LineOffset);
    }
}

bool NothingAligned(int count) {
    for (int k = 1; k <= count; ++k) {
        const shaftline::TRotor* rotor = FormDataInput->Rotors()[k].get();
        if (rotor == nullptr) continue;
        if (rotor->GetOwnLeftAngle() != 0 || rotor->LeftSupportRise != 0 ||
            rotor->RightSupportRise != 0)
            return false;
        for (const shaftline::TRotorSection& s : rotor->SectionsView())
            if (s.LineOffset != 0) return false;
    }
    return true;
}

}  // namespace

class TestAlignment : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        QLocale::setDefault(QLocale::c());
        CreateAppWindows();
    }
    void cleanup() { DestroyAppWindows(); }

    void baseRotorAgreesWithTheCore_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("base");
        QTest::newRow("one rotor") << 1 << 1;
        QTest::newRow("left end") << 3 << 1;
        QTest::newRow("middle") << 3 << 2;
        QTest::newRow("right end") << 3 << 3;
        QTest::newRow("rotor 8 of 9") << 9 << 8;
    }
    void baseRotorAgreesWithTheCore() {
        QFETCH(int, count);
        QFETCH(int, base);
        EnterLine(count);
        shaftline::RotorArray expected = CopyOfRecords(count);
        CoreAlign(expected, count, base);

        ModalWatcher watcher;
        Tick(base);
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        QCOMPARE(watcher.boxes[0].text, QString("Теперь ротор %1 базовый").arg(base));
        QCOMPARE(FormDataInput->BaseRotorNumber(), base);
        QVERIFY(FormDataInput->Rotors()[base]->GetBaseRotor());
        QVERIFY(FormDataInput->CheckBoxR(base)->isChecked());
        CompareWithRecords(expected, count);
        QVERIFY(FormDataInput->Rotors()[count]->RightSupportRise != 0);
        QCOMPARE(FormDataInput->LeftRise(), expected[count]->LeftSupportRise);
        QCOMPARE(FormDataInput->RightRise(), expected[count]->RightSupportRise);
        QCOMPARE(FormDataInput->StatusText(), kAligned);
    }

    void secondTickRealignsTheAlignedLine() {
        EnterLine(3);
        shaftline::RotorArray expected = CopyOfRecords(3);
        ModalWatcher watcher;
        Tick(1);
        Tick(3);
        CoreAlign(expected, 3, 1);
        CoreAlign(expected, 3, 3);
        QVERIFY(FormDataInput->CheckBoxR(1)->isChecked());
        QVERIFY(FormDataInput->CheckBoxR(3)->isChecked());
        QCOMPARE(FormDataInput->BaseRotorNumber(), 3);
        CompareWithRecords(expected, 3);
    }

    void untickingKeepsTheAlignment() {
        EnterLine(3);
        ModalWatcher watcher;
        Tick(2);
        shaftline::RotorArray aligned = CopyOfRecords(3);
        FormDataInput->findChild<QLabel*>("StatusPanel0")->clear();
        Tick(2);
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        QVERIFY(!FormDataInput->Rotors()[2]->GetBaseRotor());
        QCOMPARE(FormDataInput->BaseRotorNumber(), 2);
        CompareWithRecords(aligned, 3);
        QCOMPARE(FormDataInput->StatusText(), kAligned);
    }

    // A saved book keeps its base rotor: opened again, the rotor is ticked and the next
    // calculation run aligns the line to it, as the engineer's own tick would.
    void baseRotorOfAnOpenedBookIsAlignedAtTheNextRun() {
        QTemporaryDir dir;
        const QString path = dir.filePath("линия.xlsx");
        EnterLine(3);
        {
            ModalWatcher watcher;
            Tick(2);
        }
        const shaftline::RotorArray aligned = CopyOfRecords(3);
        QVERIFY(FormDataInput->Book()->SaveTo(path));
        DestroyAppWindows();
        CreateAppWindows();
        QVERIFY(FormDataInput->Book()->Open(path));
        QVERIFY(FormDataInput->CheckBoxR(2)->isChecked());
        QVERIFY(!FormDataInput->CheckBoxR(1)->isChecked());
        QCOMPARE(FormDataInput->BookFromWindow().baseRotor, 2);

        ModalWatcher watcher;
        QTest::mouseClick(Control<QToolButton>("SpeedButton1"), Qt::LeftButton);
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        QCOMPARE(watcher.boxes[0].text, QString("Теперь ротор 2 базовый"));
        QVERIFY(FormDataInput->Rotors()[2]->GetBaseRotor());
        CompareWithRecords(aligned, 3);
        QCOMPARE(FormDataInput->StatusText(), kAligned);

        // Only once: a further run starts clean, as it always does.
        QTest::mouseClick(Control<QToolButton>("SpeedButton1"), Qt::LeftButton);
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        QVERIFY(NothingAligned(3));
    }

    void newRunStartsCleanAndKeepsTheTick() {
        EnterLine(3);
        ModalWatcher watcher;
        Tick(2);
        QVERIFY(!NothingAligned(3));
        QTest::mouseClick(Control<QToolButton>("SpeedButton1"), Qt::LeftButton);
        QVERIFY(NothingAligned(3));
        QVERIFY(FormDataInput->CheckBoxR(2)->isChecked());
        QCOMPARE(FormDataInput->BaseRotorNumber(), 2);
        QVERIFY(!FormDataInput->Rotors()[2]->GetBaseRotor());
    }

    void tickWithoutRecordsIsTakenBack_data() {
        QTest::addColumn<int>("calculated");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("named");
        QTest::newRow("no calculation yet") << 0 << 2 << "1, 2";
        QTest::newRow("count raised after the run") << 2 << 3 << "3";
    }
    void tickWithoutRecordsIsTakenBack() {
        QFETCH(int, calculated);
        QFETCH(int, count);
        QFETCH(QString, named);
        if (calculated > 0) EnterLine(calculated);
        SetRotorCount(count);
        FormDataInput->findChild<QLabel*>("StatusPanel0")->setText("before");
        ModalWatcher watcher;
        Tick(1);
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        QVERIFY2(watcher.boxes[0].text.contains(named) && watcher.boxes[0].text.contains("Расчет"),
                 qPrintable(watcher.boxes[0].text));
        QVERIFY(!FormDataInput->CheckBoxR(1)->isChecked());
        QCOMPARE(FormDataInput->BaseRotorNumber(), 0);
        QVERIFY(NothingAligned(count));
        QCOMPARE(FormDataInput->StatusText(), QString("before"));
    }

    void badSupportCellStopsBeforeAnyChange_data() {
        QTest::addColumn<int>("rotor");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::newRow("letters, right half of rotor 2") << 2 << 12 << "x";
        QTest::newRow("empty, left half of rotor 3") << 3 << 0 << "";
    }
    void badSupportCellStopsBeforeAnyChange() {
        QFETCH(int, rotor);
        QFETCH(int, column);
        QFETCH(QString, text);
        EnterLine(3);
        EditCell(FormDataInput->AddParams(rotor), 1, column, text);
        ModalWatcher watcher;
        Tick(1);
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        const QString message = watcher.boxes[0].text;
        QVERIFY2(message.contains(QString("ротор %1").arg(rotor)), qPrintable(message));
        QVERIFY2(message.contains(QString::fromUtf8(column < 9 ? "лев" : "прав")),
                 qPrintable(message));
        QVERIFY(!FormDataInput->CheckBoxR(1)->isChecked());
        QCOMPARE(FormDataInput->BaseRotorNumber(), 0);
        QVERIFY(NothingAligned(3));
        QCOMPARE(Control<QTabWidget>("PageControl1")->currentIndex(), rotor - 1);
        TStringGrid* support = FormDataInput->AddParams(rotor);
        QVERIFY(!support->isHidden());
        QCOMPARE(support->currentColumn(), column);
    }

    // Support data whose rises overflow refuse the new base rotor: the tick is taken back and
    // the records keep the previous alignment, with no infinite rise stored anywhere.
    void supportValuesBeyondDoublePrecisionKeepThePreviousAlignment() {
        EnterLine(3);
        ModalWatcher watcher;
        Tick(1);
        const shaftline::RotorArray aligned = CopyOfRecords(3);
        for (int column = 9; column < 15; ++column)
            EditCell(FormDataInput->AddParams(2), 1, column, "1e300");
        Tick(3);
        QCOMPARE(watcher.boxes.size(), std::size_t(2));
        const SeenBox& refusal = watcher.boxes[1];
        QCOMPARE(refusal.icon, QMessageBox::Critical);
        QVERIFY2(refusal.text.contains("Ротор 2, правая опора") && !refusal.text.contains("INF"),
                 qPrintable(refusal.text));
        QVERIFY(!FormDataInput->CheckBoxR(3)->isChecked());
        QCOMPARE(FormDataInput->BaseRotorNumber(), 1);
        QVERIFY(!FormDataInput->Rotors()[3]->GetBaseRotor());
        CompareWithRecords(aligned, 3);
        QCOMPARE(Control<QTabWidget>("PageControl1")->currentIndex(), 1);
        QVERIFY(!FormDataInput->AddParams(2)->isHidden());
    }
};

SHAFTLINE_WINDOW_TEST_MAIN(TestAlignment)
#include "test_alignment.moc"
