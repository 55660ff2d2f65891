#include "main_window.h"

#include <QAction>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>

#include "app_windows.h"
#include "chart_export_menu.h"
#include "data_input_form.h"
#include "elastic_line_charts.h"
#include "number_text.h"
#include "report_export.h"

namespace {

const QString kStatusStart = QStringLiteral("Выберите пункт меню Данные -> Ввод параметров");
const QString kStatusReturn = QStringLiteral(
    "Вы можете вернуться к просмотру параметров при помощи меню Данные -> Ввод параметров");

QFrame* MakePanel(const char* name, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(QFrame::NoFrame);
    return panel;
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Ротовал"));
    resize(870, 627);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }

    QMenuBar* mainMenu = menuBar();
    mainMenu->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* data = mainMenu->addMenu(QStringLiteral("Данные"));
    data->menuAction()->setObjectName(QStringLiteral("N1"));
    QAction* enterParameters = data->addAction(QStringLiteral("Ввод параметров"));
    enterParameters->setObjectName(QStringLiteral("N2"));
    connect(enterParameters, &QAction::triggered, this, &TForm1::N2Click);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->setHandleWidth(3);
    splitter->setChildrenCollapsible(false);
    QFrame* panel1 = MakePanel("Panel1", splitter);
    QFrame* panel2 = MakePanel("Panel2", splitter);
    splitter->addWidget(panel1);
    splitter->addWidget(panel2);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    // Panel1 starts 257 high; the lower panel takes the rest of the client area.
    splitter->setSizes({257, 10000});
    setCentralWidget(splitter);

    charts_ = new ElasticLineCharts(panel1, panel2, this);
    InstallChartExportMenus(*charts_);

    QStatusBar* status = statusBar();
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setFixedHeight(26);
    status->setSizeGripEnabled(false);
    statusPanel_ = new QLabel(status);
    statusPanel_->setObjectName(QStringLiteral("StatusPanel0"));
    status->addWidget(statusPanel_, 1);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!activated_) {
        activated_ = true;
        FormActivate();
    }
}

void TForm1::FormActivate() {
    statusPanel_->setText(kStatusStart);
}

void TForm1::N2Click() {
    charts_->SetChartZoom(90);
    FormDataInput->exec();
    // A count that is no integer escapes from here; the status line then keeps its text.
    const int count = shaftline::ParseInteger(FormDataInput->RotorCountText().toStdString());
    charts_->Fill(FormDataInput->Rotors(), count);
    statusPanel_->setText(kStatusReturn);
}

bool TForm1::ExportReport(const QString& path) {
    return ExportReportPdf(this, path);
}

void TForm1::PrintReport() {
    PrintReportWithPreview(this);
}

QString TForm1::StatusText() const {
    return statusPanel_->text();
}
