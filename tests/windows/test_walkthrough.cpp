// The road of one calculation as the user walks it: menu, import, calculation, base rotor,
// parameters window, closing, charts. With SHAFTLINE_SCREENSHOTS set to a folder, each step's
// window is also saved there as a PNG to be looked at.
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QToolButton>

#include "elastic_line_charts.h"
#include "line_chart.h"
#include "main_window.h"
#include "param_form.h"
#include "rotor_sketch_form.h"
#include "test_window_support.h"

namespace {

// settleMs lets an animation (the nominal chart's zoom) finish before the picture is taken.
void Snapshot(QWidget* window, const QString& name, int settleMs = 0) {
    const QString folder = qEnvironmentVariable("SHAFTLINE_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QTest::qWait(settleMs);
    QDir().mkpath(folder);
    window->grab().save(QDir(folder).filePath(name + ".png"));
}

}  // namespace

class TestWalkthrough : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        CreateAppWindows();
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
    }
    void cleanup() { DestroyAppWindows(); }

    void importCalculateAlignAndDraw() {
        Snapshot(Form1, "1_start");
        ModalWatcher watcher;
        std::map<QString, QString> parameters;
        std::vector<SeenBox> boxes;
        std::vector<QString> dialogs;
        watcher.onDialog = [&](QDialog*) {
            // A timer does not fire inside its own handler: the windows opened over the
            // data-entry window need a watcher of their own.
            ModalWatcher inner;
            inner.onDialog = [&](QDialog* dialog) {
                if (dialog == FormRotorSketch) {
                    Snapshot(FormRotorSketch, "5_sketch", 50);
                    return;
                }
                Snapshot(FormParam, "5_parameters");
                for (QLabel* label : FormParam->findChildren<QLabel*>())
                    parameters[label->objectName()] = label->text();
            };
            QTest::qWait(20);
            Snapshot(FormDataInput, "2_opened");
            QTest::mouseClick(Control<QToolButton>("SpeedButton2"), Qt::LeftButton);
            Snapshot(FormDataInput, "3_imported");
            QTest::mouseClick(Control<QToolButton>("SpeedButton1"), Qt::LeftButton);
            Snapshot(FormDataInput, "4_calculated");
            ShowPage(1);
            QTest::mouseClick(FormDataInput->CheckBoxR(1), Qt::LeftButton);
            QTest::mouseClick(Control<QPushButton>("BtnParams1"), Qt::LeftButton);
            QTest::mouseClick(Control<QPushButton>("Button21"), Qt::LeftButton);
            Control<QAbstractButton>("RadioGroup1Item1")->click();
            Snapshot(FormDataInput, "6_support_data");
            boxes = inner.boxes;
            dialogs = inner.dialogs;
        };
        MenuItemTrigger();
        Snapshot(Form1, "7_charts", 1500);

        QVERIFY(watcher.boxes.empty());
        QCOMPARE(watcher.dialogs, std::vector<QString>{"FormDataInput"});
        QCOMPARE(boxes.size(), std::size_t(1));
        QCOMPARE(boxes[0].text, QString("Теперь ротор 1 базовый"));
        QCOMPARE(dialogs, (std::vector<QString>{"FormParam", "FormRotorSketch"}));
        QVERIFY(parameters.at("Label10") != "Label10");
        QCOMPARE(parameters.at("Label5"), parameters.at("Label6"));  // the base rotor lies level
        const int count = FormDataInput->RotorCountText().toInt();
        int drawn = 0;
        for (int rotor = 1; rotor <= count; rotor += 2) {
            const int points = Form1->Charts()->Chart1()->Series(rotor - 1)->count();
            QCOMPARE(points, FormDataInput->Rotors()[rotor]->GetSectionCount() + 1);
            drawn += points > 0;
        }
        QCOMPARE(drawn, (count + 1) / 2);
        QCOMPARE(Form1->StatusText(), QString("Вы можете вернуться к просмотру параметров при "
                                              "помощи меню Данные -> Ввод параметров"));
    }

  private:
    static void MenuItemTrigger() { Form1->findChild<QAction*>("N2")->trigger(); }
};

SHAFTLINE_WINDOW_TEST_MAIN(TestWalkthrough)
#include "test_walkthrough.moc"
