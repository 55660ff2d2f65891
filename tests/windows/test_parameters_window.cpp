// The "Параметры" button and the parameters window: which value lands in which label, the
// number format, the dash for an undefined assembly tilt, the tab it opens on, and refusals.
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QToolButton>
#include <cmath>
#include <map>

#include "number_text.h"
#include "param_form.h"
#include "test_window_support.h"

namespace {

const std::vector<SectionRow> kRotor = {Piece(1000, 500), Piece(3000, 700), Piece(5000, 700),
                                        Piece(6000, 500)};
constexpr double kLength = 6000;  // mm

// Supports whose rises are `left` and `right` mm: temperatures 20, the condenser term carries it.
std::array<QString, 18> Rises(const QString& left, const QString& right) {
    std::array<QString, 18> values = LevelSupports();
    values[6] = left;
    values[15] = right;
    return values;
}

QString Number7(double value) {
    const QLocale locale;
    return QString::fromStdString(shaftline::FormatNumber7(
        value, locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()));
}

void Calculate(const std::array<QString, 18>& supports) {
    EnterRotor(1, kRotor);
    EnterSupports(1, supports);
    QTest::mouseClick(Control<QToolButton>("SpeedButton1"), Qt::LeftButton);
}

// Presses "Параметры" on page 1 and reads the window's labels while it is open.
std::map<QString, QString> PressParameters(ModalWatcher& watcher, QString* tab = nullptr) {
    std::map<QString, QString> labels;
    watcher.onDialog = [&labels, tab](QDialog* dialog) {
        for (QLabel* label : dialog->findChildren<QLabel*>())
            labels[label->objectName()] = label->text();
        if (tab != nullptr) *tab = FormParam->PageControl1()->currentWidget()->objectName();
    };
    ShowPage(1);
    QTest::mouseClick(Control<QPushButton>("BtnParams1"), Qt::LeftButton);
    return labels;
}

}  // namespace

class TestParametersWindow : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        CreateAppWindows();
    }
    void cleanup() { DestroyAppWindows(); }

    void layoutBeforeTheFirstFilling() {
        QCOMPARE(FormParam->windowTitle(), QString("Параметры"));
        QCOMPARE(FormParam->findChild<QLabel*>("Label3")->text(), QString("Label3"));
        QCOMPARE(FormParam->findChild<QLabel*>("Label13")->text(),
                 QString("Высотное положение левой опоры(мотажное состояние),мм:"));
        QCOMPARE(FormParam->PageControl1()->count(), 3);
        QCOMPARE(FormParam->PageControl1()->tabText(2), QString("Опоры горизонтальны"));
        QCOMPARE(FormParam->PageControl1()->currentWidget()->objectName(), QString("TabSheet2"));
        QVERIFY(FormParam->findChild<QLabel*>("Label24")->x() >= 360);
        QCOMPARE(FormParam->findChild<QLabel*>("Label16")->y(), 16 + 5 * 24);
        // No caption reaches into its value, and every value fits into the window.
        const std::pair<const char*, const char*> rows[] = {{"Label1", "Label3"},
                                                            {"Label8", "Label6"},
                                                            {"Label13", "Label14"},
                                                            {"Label18", "Label20"}};
        for (const auto& [caption, value] : rows) {
            const QLabel* captionLabel = FormParam->findChild<QLabel*>(caption);
            const QLabel* valueLabel = FormParam->findChild<QLabel*>(value);
            QVERIFY(captionLabel->x() +
                        captionLabel->fontMetrics().horizontalAdvance(captionLabel->text()) <
                    valueLabel->x());
            QVERIFY(valueLabel->x() + valueLabel->width() <= FormParam->width());
        }
    }

    void labelsOfAKnownRotor_data() {
        QTest::addColumn<QString>("leftRise");
        QTest::addColumn<QString>("rightRise");
        QTest::newRow("left rise above right") << "3"
                                               << "0,5";
        QTest::newRow("right rise above left") << "0,5"
                                               << "3";
        QTest::newRow("equal rises") << "1,25"
                                     << "1,25";
        QTest::newRow("four-digit rise") << "1234,5678"
                                         << "1234";
    }
    void labelsOfAKnownRotor() {
        QFETCH(QString, leftRise);
        QFETCH(QString, rightRise);
        Calculate(Rises(leftRise, rightRise));
        ModalWatcher watcher;
        const std::map<QString, QString> labels = PressParameters(watcher);
        QCOMPARE(watcher.dialogs, std::vector<QString>{"FormParam"});

        const shaftline::TRotor& rotor = *FormDataInput->Rotors()[1];
        const double left = QLocale().toDouble(leftRise);
        const double right = QLocale().toDouble(rightRise);
        const double L = rotor.GetLeftJournalAngle();
        const double R = rotor.GetRightJournalAngle();
        // The rotor tips towards the lower support: both angles grow when the left one is higher.
        const double tilt = std::asin(std::abs(left - right) / kLength) * (left > right ? 1 : -1);
        QVERIFY(L < 0 && R > 0);
        QCOMPARE(labels.at("Label3"), Number7(L));
        QCOMPARE(labels.at("Label4"), Number7(R));
        QCOMPARE(labels.at("Label5"), QString("0,000000000"));
        QCOMPARE(labels.at("Label6"), QString("0,000000000"));
        QCOMPARE(labels.at("Label23"), Number7(L + tilt));
        QCOMPARE(labels.at("Label24"), Number7(R + tilt));
        QCOMPARE(labels.at("Label10"), Number7(left));
        QCOMPARE(labels.at("Label12"), Number7(right));
        QCOMPARE(labels.at("Label14"), Number7(-left));
        QCOMPARE(labels.at("Label16"), Number7(-right));
        QCOMPARE(labels.at("Label19"), QString("0,000000000"));
        QCOMPARE(labels.at("Label20"), QString("0,000000000"));
        // The rises are stored in the rotor for the assembly-state chart.
        QCOMPARE(rotor.LeftSupportRise, left);
        QCOMPARE(rotor.RightSupportRise, right);
    }

    void numberFormatAsTheUserSeesIt() {
        Calculate(Rises("1234,5678", "0,5"));
        ModalWatcher watcher;
        const std::map<QString, QString> labels = PressParameters(watcher);
        QCOMPARE(labels.at("Label12"), QString("0,500000000"));
        QCOMPARE(labels.at("Label10"), QString("1") + QLocale().groupSeparator() + "234,568000000");
        QCOMPARE(labels.at("Label14"),
                 QString("-1") + QLocale().groupSeparator() + "234,568000000");
    }

    void sevenDigitValuesAreNotCut() {
        Calculate(Rises("-1234567,8", "0"));
        ModalWatcher watcher;
        const std::map<QString, QString> labels = PressParameters(watcher);
        const QLabel* value = FormParam->findChild<QLabel*>("Label10");
        QCOMPARE(labels.at("Label10"), QString("-1") + QLocale().groupSeparator() + "234" +
                                           QLocale().groupSeparator() + "568,000000000");
        QVERIFY(value->fontMetrics().horizontalAdvance(value->text()) <= value->width());
        QVERIFY(value->x() + value->width() <= FormParam->width());
    }

    void undefinedTiltShowsADash() {
        Calculate(Rises("7000", "0"));  // more than the rotor is long
        ModalWatcher watcher;
        const std::map<QString, QString> labels = PressParameters(watcher);
        QCOMPARE(labels.at("Label23"), QString("—"));
        QCOMPARE(labels.at("Label24"), QString("—"));
        QCOMPARE(labels.at("Label10"), QString("7") + QLocale().groupSeparator() + "000,000000000");
        QVERIFY(labels.at("Label3") != QString("—"));
    }

    void baseRotorElevationsAfterAlignment() {
        Calculate(Rises("2", "1"));
        ModalWatcher watcher;
        ShowPage(1);
        QTest::mouseClick(FormDataInput->CheckBoxR(1), Qt::LeftButton);
        const std::map<QString, QString> labels = PressParameters(watcher);
        const shaftline::TRotor& rotor = *FormDataInput->Rotors()[1];
        QCOMPARE(labels.at("Label5"), QString("0,000000000"));
        QCOMPARE(labels.at("Label14"), QString("-2,000000000"));
        QCOMPARE(labels.at("Label16"), QString("-1,000000000"));
        QCOMPARE(labels.at("Label19"), Number7(rotor.GetOwnLeftAngle()));
        QVERIFY(labels.at("Label19") != QString("0,000000000"));
    }

    void opensOnTheTabLeftLastTime() {
        Calculate(Rises("0", "0"));
        ModalWatcher watcher;
        QString tab;
        PressParameters(watcher, &tab);
        QCOMPARE(tab, QString("TabSheet2"));
        FormParam->PageControl1()->setCurrentIndex(2);  // the user turns to the third tab
        PressParameters(watcher, &tab);
        QCOMPARE(tab, QString("TabSheet3"));
    }

    void refusedWithoutRecordOrSupportData_data() {
        QTest::addColumn<bool>("calculate");
        QTest::addColumn<QString>("badSupport");
        QTest::addColumn<QString>("mentioned");
        QTest::newRow("no calculation run") << false << "0"
                                            << "Расчет";
        QTest::newRow("support cell not a number") << true << "abc"
                                                   << "'abc'";
    }
    void refusedWithoutRecordOrSupportData() {
        QFETCH(bool, calculate);
        QFETCH(QString, badSupport);
        QFETCH(QString, mentioned);
        std::array<QString, 18> supports = LevelSupports();
        supports[10] = badSupport;
        if (calculate)
            Calculate(supports);
        else
            EnterSupports(1, supports);
        ModalWatcher watcher;
        PressParameters(watcher);
        QVERIFY(watcher.dialogs.empty());
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        QVERIFY2(watcher.boxes[0].text.contains(mentioned), qPrintable(watcher.boxes[0].text));
        QCOMPARE(FormParam->findChild<QLabel*>("Label3")->text(), QString("Label3"));
    }

    void risesBeyondDoublePrecisionAreRefusedAndKeepTheLastOnes() {
        Calculate(Rises("2", "1"));
        ModalWatcher watcher;
        PressParameters(watcher);
        for (int column : {6, 7, 8}) EditCell(FormDataInput->AddParams(1), 1, column, "1e308");
        watcher.dialogs.clear();
        PressParameters(watcher);
        QVERIFY(watcher.dialogs.empty());
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        const QString message = watcher.boxes[0].text;
        QVERIFY2(message.contains("Ротор 1, левая опора") && !message.contains("INF"),
                 qPrintable(message));
        const shaftline::TRotor& rotor = *FormDataInput->Rotors()[1];
        QCOMPARE(rotor.LeftSupportRise, 2.0);
        QCOMPARE(rotor.RightSupportRise, 1.0);
        QCOMPARE(FormDataInput->LeftRise(), 2.0);
    }
};

SHAFTLINE_WINDOW_TEST_MAIN(TestParametersWindow)
#include "test_parameters_window.moc"
