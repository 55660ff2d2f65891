// "Подбор высот опор" in "Нагрузки на опоры", on two equal spans carrying a point load at their
// middles: the task typed into the tab, the lifts chosen and put into every state, taken back,
// and a typed text that is no number refused by its field.
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <cmath>
#include <numbers>

#include "loads_form.h"
#include "loads_grid.h"
#include "number_text.h"
#include "rotor.h"
#include "support_lift_tab.h"
#include "test_window_support.h"

using shaftline::SupportState;

namespace {

constexpr double kSpan = 4000, kDiameter = 300, kLoad = 1500;  // mm, mm, kgf

shaftline::RotorArray TwoPointLoadedSpans() {
    shaftline::RotorArray rotors;
    for (int k = 1; k <= 2; ++k) {
        rotors[k] = std::make_unique<shaftline::TRotor>();
        rotors[k]->SetSectionCount(1);
        rotors[k]->SetCoord(1, kSpan);
        rotors[k]->SetDiameter(1, kDiameter);
        rotors[k]->SetYoung(1, 2.1e4);
    }
    if (!shaftline::RunCalculation(rotors, 2).empty()) qFatal("the spans are refused");
    for (int k = 1; k <= 2; ++k) rotors[k]->SetMass(1, kLoad);
    return rotors;
}

QString Fixed(double value, int decimals) {
    const QLocale locale;
    return QString::fromStdString(shaftline::FormatFixed(value, decimals, locale.decimalPoint().toStdString(), ""));
}

template <typename T>
T* In(QWidget* parent, const char* name) {
    T* control = parent->findChild<T*>(QString::fromLatin1(name));
    if (control == nullptr) qFatal("no control %s", name);
    return control;
}

}  // namespace

class TestSupportLifts : public QObject {
    Q_OBJECT
  private slots:
    void ChosenLiftsGoIntoEveryState();
    void TypedTextThatIsNoNumberIsRefused();
    void JournalsAndLiftsInForceAreHandedOn();
};

void TestSupportLifts::ChosenLiftsGoIntoEveryState() {
    const shaftline::RotorArray rotors = TwoPointLoadedSpans();
    TFormLoads form;
    QVERIFY(form.FillLoads(rotors, 2));
    TSupportLiftTab* tab = form.LiftTab();
    QTableWidget* task = In<QTableWidget>(tab, "GridTask");
    QCOMPARE(task->rowCount(), 3);
    // Rotor 1's supports start fixed; the ends are held instead, every target 2P/3.
    QCOMPARE(task->item(1, TSupportLiftTab::kTaskFixed)->checkState(), Qt::Checked);
    task->item(1, TSupportLiftTab::kTaskFixed)->setCheckState(Qt::Unchecked);
    task->item(2, TSupportLiftTab::kTaskFixed)->setCheckState(Qt::Checked);
    In<QComboBox>(tab, "ComboTarget")->setCurrentIndex(1);
    for (int j = 0; j < 3; ++j) task->item(j, TSupportLiftTab::kTaskTarget)->setText(Fixed(2 * kLoad / 3, 6));
    task->item(1, TSupportLiftTab::kTaskDiameter)->setText(QStringLiteral("200"));
    task->item(1, TSupportLiftTab::kTaskLength)->setText(QStringLiteral("100"));
    QTest::mouseClick(In<QPushButton>(tab, "ButtonOptimise"), Qt::LeftButton);

    QVERIFY(tab->Optimum());
    const double rigidity = 2.1e4 * std::numbers::pi * std::pow(kDiameter, 4) / 64;
    const double lift = -17 * kLoad * std::pow(kSpan, 3) / (144 * rigidity);
    TLoadsGrid* result = In<TLoadsGrid>(tab, "GridLifts");
    QCOMPARE(result->item(1, 2)->text(), QStringLiteral("опустить опору 2 на %1 мм").arg(Fixed(-lift, 3)));
    QCOMPARE(result->item(0, 2)->text(), QStringLiteral("опора 1 остается на месте"));
    const QString text = In<QPlainTextEdit>(tab, "TextLifts")->toPlainText();
    QVERIFY2(text.endsWith(QStringLiteral("Все ограничения выполнены.")), qPrintable(text));
    // 100·R/(d·l) at the middle, 2P/3 on a journal 200 × 100 mm: 5 kgf/cm².
    QCOMPARE(result->item(1, 5)->text(), Fixed(100 * (2 * kLoad / 3) / (200 * 100), 2));
    QVERIFY(result->item(0, 5)->text().isEmpty());

    QSignalSpy inForce(&form, &TFormLoads::LiftsPutInForce);
    QTest::mouseClick(In<QPushButton>(tab, "ButtonApply"), Qt::LeftButton);
    QCOMPARE(inForce.size(), 1);
    QCOMPARE(inForce[0][0].value<std::vector<double>>(), form.Lifts(SupportState::kNominal));
    // The moment over the middle support after the lifts, P·L/6 with the end loads P/3 each side.
    const double moment = form.ShownState(SupportState::kNominal).moments[1];
    QVERIFY(std::abs(std::abs(moment) - kLoad * kSpan / 6) < 1);
    const QLocale locale;
    QCOMPARE(result->item(1, 7)->text(),
             QString::fromStdString(shaftline::FormatFixed(moment, 0, locale.decimalPoint().toStdString(),
                                                           locale.groupSeparator().toStdString())));
    for (SupportState state : shaftline::kSupportStates) {
        QCOMPARE(form.Lifts(state).size(), std::size_t{3});
        QVERIFY(std::abs(form.Lifts(state)[1] - lift) < 1e-9 * std::abs(lift));
        for (double load : form.ShownState(state).loads) QVERIFY(std::abs(load - 2 * kLoad / 3) < 1e-6);
    }
    QTest::mouseClick(In<QPushButton>(tab, "ButtonClearLifts"), Qt::LeftButton);
    for (SupportState state : shaftline::kSupportStates)
        QCOMPARE(form.Lifts(state), std::vector<double>(3, 0.0));
    QCOMPARE(inForce.size(), 2);
    QCOMPARE(inForce[1][0].value<std::vector<double>>(), std::vector<double>(3, 0.0));
    // Opened again with lifts in force, every state starts from them.
    QVERIFY(form.FillLoads(rotors, 2, 0, {0, lift}));
    for (SupportState state : shaftline::kSupportStates) {
        QCOMPARE(form.Lifts(state), (std::vector<double>{0, lift, 0}));
        for (double load : form.ShownState(state).loads) QVERIFY(std::abs(load - 2 * kLoad / 3) < 1e-6);
    }
}

void TestSupportLifts::TypedTextThatIsNoNumberIsRefused() {
    const shaftline::RotorArray rotors = TwoPointLoadedSpans();
    TFormLoads form;
    QVERIFY(form.FillLoads(rotors, 2, 2));
    TSupportLiftTab* tab = form.LiftTab();
    // Rotor 2's supports are fixed: the middle and the right end.
    QCOMPARE(In<QTableWidget>(tab, "GridTask")->item(0, TSupportLiftTab::kTaskFixed)->checkState(), Qt::Unchecked);
    In<QLineEdit>(tab, "EditBand")->setText(QStringLiteral("двадцать"));
    ModalWatcher watcher;
    QTest::mouseClick(In<QPushButton>(tab, "ButtonOptimise"), Qt::LeftButton);
    QCOMPARE(watcher.boxes.size(), std::size_t{1});
    QVERIFY2(watcher.boxes[0].text.contains(QStringLiteral("Допуск нагрузки")), qPrintable(watcher.boxes[0].text));
    QVERIFY(!tab->Optimum());
    QVERIFY(!In<QPushButton>(tab, "ButtonApply")->isEnabled());
}

// The journals kept with the book fill their columns and every typed one is handed on, those of
// supports past the line kept; loads that break a limit are red; a state's lifts are put in
// force from its tab and named above.
void TestSupportLifts::JournalsAndLiftsInForceAreHandedOn() {
    const shaftline::RotorArray rotors = TwoPointLoadedSpans();
    TFormLoads form;
    const shaftline::io::JournalTexts kept{{{"200", "", "", "", "310"}, {"100"}, {}}};
    QVERIFY(form.FillLoads(rotors, 2, 0, {0, 0.5}, kept));
    QTableWidget* task = In<QTableWidget>(form.LiftTab(), "GridTask");
    QCOMPARE(task->item(0, TSupportLiftTab::kTaskDiameter)->text(), QStringLiteral("200"));
    QSignalSpy journals(&form, &TFormLoads::JournalsEdited);
    task->item(0, TSupportLiftTab::kTaskPressure)->setText(QStringLiteral("30"));
    QCOMPARE(journals.size(), 1);
    const auto edited = journals[0][0].value<shaftline::io::JournalTexts>();
    QCOMPARE(edited[0], (std::vector<std::string>{"200", "", "", "", "310"}));
    QCOMPARE(edited[2], (std::vector<std::string>{"30", "", ""}));
    // No lifts carry every support above 10 P: each load after them is red.
    In<QComboBox>(form.LiftTab(), "ComboTarget")->setCurrentIndex(1);
    for (int j = 0; j < 3; ++j) task->item(j, TSupportLiftTab::kTaskTarget)->setText(QStringLiteral("1000"));
    In<QLineEdit>(form.LiftTab(), "EditMinLoad")->setText(QStringLiteral("15000"));
    QTest::mouseClick(In<QPushButton>(form.LiftTab(), "ButtonOptimise"), Qt::LeftButton);
    QVERIFY(In<QPlainTextEdit>(form.LiftTab(), "TextLifts")->toPlainText().contains(QStringLiteral("Нарушены:")));
    TLoadsGrid* result = In<TLoadsGrid>(form.LiftTab(), "GridLifts");
    for (int column : {4, 9}) {
        QCOMPARE(result->item(1, column)->foreground().color(), QColor(Qt::red));
        QVERIFY(result->item(1, column)->toolTip().startsWith(QStringLiteral("наименьшая нагрузка 15")));
    }

    QVERIFY2(form.InForceLabel()->text().startsWith(QStringLiteral("Подъёмы опор в силе, мм: опора 2 0")),
             qPrintable(form.InForceLabel()->text()));
    QSignalSpy inForce(&form, &TFormLoads::LiftsPutInForce);
    QTest::mouseClick(In<QPushButton>(&form, "ButtonResetNominal"), Qt::LeftButton);
    QCOMPARE(form.Lifts(SupportState::kAssembly), (std::vector<double>{0, 0.5, 0}));
    QCOMPARE(inForce.size(), 0);
    QTest::mouseClick(In<QPushButton>(&form, "ButtonInForceNominal"), Qt::LeftButton);
    QCOMPARE(inForce.size(), 1);
    QCOMPARE(inForce[0][0].value<std::vector<double>>(), std::vector<double>(3, 0.0));
    QCOMPARE(form.Lifts(SupportState::kAssembly), std::vector<double>(3, 0.0));
    QCOMPARE(form.InForceLabel()->text(), QStringLiteral("Подъёмов опор в силе нет."));
}

SHAFTLINE_WINDOW_TEST_MAIN(TestSupportLifts)
#include "test_support_lifts.moc"
