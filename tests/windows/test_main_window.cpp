// Program start, the main window's menu command around the modal data-entry window, and the
// one place that reports an error escaping a handler.
#include <QAction>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>
#include <stdexcept>

#include "elastic_line_charts.h"
#include "line_chart.h"
#include "main_window.h"
#include "param_form.h"
#include "rotor_sketch_form.h"
#include "test_window_support.h"

namespace {

const QString kStart = "Выберите пункт меню Данные -> Ввод параметров";
const QString kReturn =
    "Вы можете вернуться к просмотру параметров при помощи меню Данные -> Ввод параметров";

QAction* MenuItem(const char* name) {
    return Form1->findChild<QAction*>(QString::fromLatin1(name));
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        CreateAppWindows();
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
    }
    void cleanup() { DestroyAppWindows(); }

    void startShowsOnlyTheMainWindow() {
        QVERIFY(FormDataInput != nullptr && FormParam != nullptr && FormRotorSketch != nullptr);
        QCOMPARE(Form1->windowTitle(), QString("Ротовал"));
        QCOMPARE(Form1->size(), QSize(870, 627));
        QCOMPARE(Form1->StatusText(), kStart);
        QCOMPARE(MenuItem("N1")->text(), QString("Данные"));
        QCOMPARE(MenuItem("N2")->text(), QString("Ввод параметров"));
        QCOMPARE(Form1->findChild<QWidget*>("Panel1")->height(), 257);
        QCOMPARE(Form1->findChild<QSplitter*>("Splitter1")->handleWidth(), 3);
        QCOMPARE(Form1->findChild<QStatusBar*>("StatusBar1")->height(), 26);
        QVERIFY(!FormDataInput->isVisible());
        QVERIFY(!FormParam->isVisible());
        QVERIFY(!FormRotorSketch->isVisible());
        QCOMPARE(FormDataInput->windowTitle(), QString("Ввод данных"));
        QCOMPARE(FormDataInput->size(), QSize(870, 647));
        QCOMPARE(FormRotorSketch->windowTitle(), QString("Эскиз ротора"));
        QCOMPARE(Form1->Charts()->Chart1()->Series(0)->count(), 0);
    }

    void menuOpensTheDataEntryWindowModally() {
        ModalWatcher watcher;
        bool modal = false;
        QString status;
        watcher.onDialog = [&](QDialog* dialog) {
            modal = dialog->isModal();
            status = FormDataInput->StatusText();
        };
        MenuItem("N2")->trigger();
        QCOMPARE(watcher.dialogs, std::vector<QString>{"FormDataInput"});
        QVERIFY(modal);
        QCOMPARE(status, QString("Введите параметры роторов вручную или загрузите из Excel"));
        QCOMPARE(Form1->Charts()->ChartZoom(), 90);
        QCOMPARE(Form1->StatusText(), kReturn);
        MenuItem("N2")->trigger();
        QCOMPARE(Form1->StatusText(), kReturn);
        QVERIFY(watcher.boxes.empty());
    }

    void closingTheDataEntryWindowDrawsTheRotors() {
        ModalWatcher watcher;
        watcher.onDialog = [](QDialog*) {
            SetRotorCount(3);
            EnterRotor(1, {Piece(1000), Piece(2000), Piece(3000)});
            EnterRotor(2, {Piece(500)});
            EnterRotor(3, {Piece(1500), Piece(2500)});
            QTest::mouseClick(Control<QToolButton>("SpeedButton1"), Qt::LeftButton);
        };
        MenuItem("N2")->trigger();
        QVERIFY(watcher.boxes.empty());
        LineChart* nominal = Form1->Charts()->Chart1();
        QCOMPARE(nominal->Series(0)->count(), 4);  // sections 0..3 of rotor 1
        QCOMPARE(nominal->Series(1)->count(), 0);  // rotor 2 is not drawn
        QCOMPARE(nominal->Series(2)->count(), 3);
        // Rotor 3 starts where rotor 2 ends: 3000 + 500.
        QCOMPARE(nominal->Series(2)->at(0).x(), 3500.0);
        QCOMPARE(Form1->Charts()->Chart2()->Series(0)->count(), 4);
    }

    void badRotorCountAfterClosingIsReported() {
        ModalWatcher watcher;
        watcher.onDialog = [](QDialog*) { Control<QLineEdit>("EditKolRotor")->clear(); };
        // Delivered through the event loop, as a click on the menu is.
        QMetaObject::invokeMethod(MenuItem("N2"), &QAction::trigger, Qt::QueuedConnection);
        QTRY_COMPARE(watcher.boxes.size(), std::size_t(1));
        QCOMPARE(watcher.boxes[0].icon, QMessageBox::Critical);
        QCOMPARE(watcher.boxes[0].text, QString("'' is not a valid integer value"));
        QCOMPARE(Form1->StatusText(), kStart);
    }

    void errorEscapingAHandlerIsShownAndTheProgramGoesOn() {
        QPushButton faulty("faulty", Form1);
        int clicks = 0;
        connect(&faulty, &QPushButton::clicked, [&clicks] {
            ++clicks;
            throw std::runtime_error("Деление на ноль");
        });
        faulty.show();
        ModalWatcher watcher;
        QTest::mouseClick(&faulty, Qt::LeftButton);
        QTest::mouseClick(&faulty, Qt::LeftButton);
        QCOMPARE(clicks, 2);
        QCOMPARE(watcher.boxes.size(), std::size_t(2));
        QCOMPARE(watcher.boxes[0].text, QString("Деление на ноль"));
        QCOMPARE(watcher.boxes[0].icon, QMessageBox::Critical);
    }
};

SHAFTLINE_WINDOW_TEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
