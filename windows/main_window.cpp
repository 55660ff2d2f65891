#include "main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>

#include "app_windows.h"
#include "chart_export_menu.h"
#include "chart_picture.h"
#include "data_input_form.h"
#include "elastic_line_charts.h"
#include "help_menu.h"
#include "message_boxes.h"
#include "number_text.h"
#include "report_export.h"
#include "shaft_line_book.h"

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
    setWindowTitle(ProgramTitle());
    resize(870, 627);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }

    QMenuBar* mainMenu = menuBar();
    mainMenu->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = mainMenu->addMenu(QStringLiteral("Файл"));
    file->menuAction()->setObjectName(QStringLiteral("MenuFile"));
    BuildFileMenu(file);
    QMenu* data = mainMenu->addMenu(QStringLiteral("Данные"));
    data->menuAction()->setObjectName(QStringLiteral("N1"));
    QAction* enterParameters = data->addAction(QStringLiteral("Ввод параметров"));
    enterParameters->setObjectName(QStringLiteral("N2"));
    connect(enterParameters, &QAction::triggered, this, &TForm1::N2Click);
    AddHelpMenu(mainMenu, this);

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
    // Chart views take drops for their scenes; a book dropped on a chart is for the window.
    for (QGraphicsView* view : findChildren<QGraphicsView*>()) view->setAcceptDrops(false);
    InstallChartExportMenus(*charts_);

    QStatusBar* status = statusBar();
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setFixedHeight(26);
    status->setSizeGripEnabled(false);
    statusPanel_ = new QLabel(status);
    statusPanel_->setObjectName(QStringLiteral("StatusPanel0"));
    status->addWidget(statusPanel_, 1);
    setAcceptDrops(true);
}

void TForm1::BuildFileMenu(QMenu* file) {
    const auto addItem = [this, file](const char* name, const QString& text, QKeySequence keys,
                                      bool (TShaftLineBook::*command)()) {
        QAction* item = file->addAction(text);
        item->setObjectName(QString::fromLatin1(name));
        item->setShortcut(keys);
        bookKeys_.append(item);
        connect(item, &QAction::triggered, this, [this, command] {
            if (book_ != nullptr) (book_->*command)();
        });
    };
    addItem("ActionOpenBook", QStringLiteral("Открыть книгу…"), QKeySequence(Qt::CTRL | Qt::Key_O),
            &TShaftLineBook::AskAndOpen);
    addItem("ActionSaveBook", QStringLiteral("Сохранить книгу"), QKeySequence(Qt::CTRL | Qt::Key_S),
            &TShaftLineBook::Save);
    addItem("ActionSaveBookAs", QStringLiteral("Сохранить книгу как…"),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &TShaftLineBook::SaveAs);
    file->addSeparator();
    // What leaves the program with the results of the last calculation.
    const auto addExport = [this, file](const char* name, const QString& text,
                                        void (*command)(QWidget*)) {
        QAction* item = file->addAction(text);
        item->setObjectName(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, [this, command] { command(this); });
        return item;
    };
    addExport("ActionReportPdf", QStringLiteral("Отчет (PDF)…"), &ExportReportWithDialog);
    QAction* print =
        addExport("ActionPrintReport", QStringLiteral("Печать…"), &PrintReportWithPreview);
    print->setShortcut(QKeySequence::Print);
    bookKeys_.append(print);
    addExport("ActionSaveResults", QStringLiteral("Сохранить результаты…"),
              &ExportResultsWithDialog);
    file->addSeparator();
    for (int index = 1; index <= TShaftLineBook::kRecentBooks; ++index) {
        QAction* recent = file->addAction(QString());
        recent->setObjectName(QStringLiteral("ActionRecentBook%1").arg(index));
        recent->setVisible(false);
        connect(recent, &QAction::triggered, this, [this, recent] {
            if (book_ != nullptr) book_->Open(recent->data().toString());
        });
        recentBooks_.append(recent);
    }
    file->addSeparator();
    QAction* exit = file->addAction(QStringLiteral("Выход"));
    exit->setObjectName(QStringLiteral("ActionExit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);
}

void TForm1::AttachBook(TShaftLineBook* book) {
    book_ = book;
    if (book->parent() != nullptr) book->parent()->installEventFilter(this);
    connect(book, &TShaftLineBook::changed, this, &TForm1::ShowBook);
    ShowBook();
}

void TForm1::ShowBook() {
    setWindowTitle(book_->Caption());
    const QStringList recent = book_->RecentBooks();
    for (int index = 0; index < recentBooks_.size(); ++index) {
        QAction* item = recentBooks_[index];
        item->setVisible(index < recent.size());
        if (index >= recent.size()) continue;
        const QString path = QDir::toNativeSeparators(recent[index]);
        const QString shown = fontMetrics().elidedText(path, Qt::ElideMiddle, 420);
        item->setText(QStringLiteral("&%1 %2").arg(index + 1).arg(
            QString(shown).replace(u'&', QStringLiteral("&&"))));
        item->setData(recent[index]);
        item->setStatusTip(path);
    }
}

// The data-entry window is a tool window of this one, so the keys of this window's menu would
// also answer there and make its own keys ambiguous: while it is shown, they are its own.
bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (book_ != nullptr && watched == book_->parent() &&
        (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        for (QAction* item : bookKeys_) item->setEnabled(event->type() == QEvent::Hide);
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (book_ != nullptr && !book_->ConfirmSaveChanges()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    TShaftLineBook::AcceptDraggedBook(event);
}

void TForm1::dropEvent(QDropEvent* event) {
    if (book_ != nullptr) book_->OpenDroppedBook(event);
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
    charts_->SetChartZoom(shaftline::report::kChartZoomPercent);
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

bool TForm1::ExportResults(const QString& path) {
    return ExportResultsBook(this, path);
}

QString TForm1::StatusText() const {
    return statusPanel_->text();
}
