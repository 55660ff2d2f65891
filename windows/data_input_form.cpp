#include "data_input_form.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QShowEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>

#include "control_lookup.h"
#include "message_text.h"
#include "number_text.h"
#include "rotor_grid_columns.h"
#include "screen_scroll_area.h"
#include "shaft_line_book.h"
#include "string_grid.h"
#include "support_scheme.h"
#include "support_scheme_window.h"
#include "up_down.h"
#include "window_fit.h"

namespace {

const QString kStatusOpened =
    QStringLiteral("Введите параметры роторов вручную или загрузите из Excel");
const QString kSupportScheme = QStringLiteral("ris.vsd");

QString QuotedPath(const QString& path) {
    return QString::fromStdString(
        shaftline::QuotedForMessage(QDir::toNativeSeparators(path).toStdString()));
}

QToolButton* MakeFlatButton(const char* name, const QString& hint, const QString& picture,
                            QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRaise(true);
    button->setFixedSize(33, 33);
    button->setIcon(QIcon(picture));
    button->setIconSize(QSize(28, 28));
    button->setToolTip(hint);
    // Taking the focus on a click closes an open cell editor first, so the button reads what
    // the user has just typed.
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

QPushButton* MakeButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFixedHeight(33);
    button->setAutoDefault(false);  // Enter in an edit must not press a button of the window
    return button;
}

}  // namespace

TFormDataInput::TFormDataInput(QWidget* parent) : QDialog(parent) {
    Q_INIT_RESOURCE(shaftline);  // the button pictures live in the static library
    setObjectName(QStringLiteral("FormDataInput"));
    setWindowTitle(QStringLiteral("Ввод данных"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    resize(870, 647);
    move(243, 166);
    KeepOnScreen(this);

    auto* panelSource = new QFrame(this);
    panelSource->setObjectName(QStringLiteral("PanelSource"));
    panelSource->setFixedHeight(65);
    BuildSourcePanel(panelSource);

    auto* panelData = new QFrame(this);
    panelData->setObjectName(QStringLiteral("PanelData"));
    pageControl1_ = new QTabWidget(panelData);
    pageControl1_->setObjectName(QStringLiteral("PageControl1"));
    for (int rotor = 1; rotor <= shaftline::kMaxRotors; ++rotor)
        pageControl1_->addTab(BuildRotorPage(rotor), QStringLiteral("Ротор %1").arg(rotor));
    auto* dataLayout = new QVBoxLayout(panelData);
    dataLayout->setContentsMargins(0, 0, 0, 0);
    dataLayout->addWidget(pageControl1_);

    auto* statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("StatusBar1"));
    statusBar->setSizeGripEnabled(false);
    statusPanel_ = new QLabel(statusBar);
    statusPanel_->setObjectName(QStringLiteral("StatusPanel0"));
    statusBar->addWidget(statusPanel_, 1);

    // On a screen narrower than the panels the window scrolls rather than leaving the screen.
    auto* content = new QWidget();
    content->setObjectName(QStringLiteral("DataInputContent"));
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->setSpacing(0);
    contentLayout->addWidget(panelSource);
    contentLayout->addWidget(panelData, 1);
    auto* scroll = new TScreenScrollArea(content, this);
    scroll->setObjectName(QStringLiteral("DataInputScroll"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(scroll, 1);
    layout->addWidget(statusBar);

    EditKolRotorChange();
    InstallHistory();
    connect(pageControl1_, &QTabWidget::currentChanged, this, &TFormDataInput::PageControl1Change);

    book_ = new TShaftLineBook(this);
    // What a book keeps changes only through the history: the window is modified exactly when
    // the history is away from the step at which it was last opened, imported or saved.
    connect(UndoStack(), &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
    setAcceptDrops(true);
    // Saving where the typing happens, with the main window's keys.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this), &QShortcut::activated, book_,
            &TShaftLineBook::Save);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this),
            &QShortcut::activated, book_, &TShaftLineBook::SaveAs);
    // The window sees every key before the focused control does.
    qApp->installEventFilter(this);
}

TFormDataInput::~TFormDataInput() {
    qApp->removeEventFilter(this);
    // The history empties itself as it goes, which is no change of the window's data.
    UndoStack()->disconnect(this);
}

void TFormDataInput::BuildSourcePanel(QWidget* panel) {
    auto* label = new QLabel(QStringLiteral("Количество роторов"), panel);
    label->setObjectName(QStringLiteral("LblKolUchast"));
    editKolRotor_ = new QLineEdit(QStringLiteral("1"), panel);
    editKolRotor_->setObjectName(QStringLiteral("EditKolRotor"));
    editKolRotor_->setFixedWidth(48);
    auto* upDown = new TUpDown(panel);
    upDown->setObjectName(QStringLiteral("UpDownKolUchast"));
    // Above 19 comes 1 and below 1 comes 19; the arrow keys do not step the rotor count.
    upDown->Associate(editKolRotor_, shaftline::kMaxRotors, true, false);
    connect(editKolRotor_, &QLineEdit::textChanged, this, &TFormDataInput::EditKolRotorChange);

    QToolButton* import = MakeFlatButton("SpeedButton2", QStringLiteral("Импорт  данных из Excel"),
                                         QStringLiteral(":/excel_import.png"), panel);
    connect(import, &QToolButton::clicked, this, &TFormDataInput::SpeedButton2Click);
    QToolButton* open = MakeFlatButton("SpeedButton3", QStringLiteral("Открыть книгу"),
                                       QStringLiteral(":/open_book.png"), panel);
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(open, &QToolButton::clicked, this, &TFormDataInput::SpeedButton3Click);
    QToolButton* calculate = MakeFlatButton("SpeedButton1", QStringLiteral("Расчет"),
                                            QStringLiteral(":/calculator.png"), panel);
    connect(calculate, &QToolButton::clicked, this, &TFormDataInput::SpeedButton1Click);
    QToolButton* report = MakeFlatButton("SpeedButton4", QStringLiteral("Отчет (PDF)"),
                                         QStringLiteral(":/report_pdf.png"), panel);
    connect(report, &QToolButton::clicked, this, &TFormDataInput::SpeedButton4Click);

    auto* radioBox = new QGroupBox(panel);
    radioBox->setObjectName(QStringLiteral("RadioGroup1"));
    radioGroup1_ = new QButtonGroup(radioBox);
    auto* radioLayout = new QVBoxLayout(radioBox);
    radioLayout->setContentsMargins(8, 2, 8, 2);
    radioLayout->setSpacing(0);
    const QString items[] = {QStringLiteral("Основные параметры"),
                             QStringLiteral("Дополнительные параметры")};
    for (int index = 0; index < 2; ++index) {
        auto* item = new QRadioButton(items[index], radioBox);
        item->setObjectName(QStringLiteral("RadioGroup1Item%1").arg(index));
        radioGroup1_->addButton(item, index);
        radioLayout->addWidget(item);
    }
    radioGroup1_->button(0)->setChecked(true);
    connect(radioGroup1_, &QButtonGroup::idClicked, this, &TFormDataInput::RadioGroup1Click);

    QPushButton* scheme = MakeButton("Button20", QStringLiteral("Схема опоры"), panel);
    connect(scheme, &QPushButton::clicked, this, &TFormDataInput::Button20Click);
    button21_ = MakeButton("Button21", QStringLiteral("Эскиз ротора"), panel);
    connect(button21_, &QPushButton::clicked, this, &TFormDataInput::Button21Click);
    QPushButton* loads = MakeButton("ButtonLoads", QStringLiteral("Нагрузки на опоры"), panel);
    connect(loads, &QPushButton::clicked, this, &TFormDataInput::ButtonLoadsClick);
    QPushButton* alignment = MakeButton("ButtonAlignment", QStringLiteral("Центровка"), panel);
    connect(alignment, &QPushButton::clicked, this, &TFormDataInput::ButtonAlignmentClick);

    auto* countRow = new QHBoxLayout();
    countRow->setSpacing(0);
    countRow->addWidget(editKolRotor_);
    countRow->addWidget(upDown);
    countRow->addStretch();
    auto* countColumn = new QVBoxLayout();
    countColumn->addWidget(label);
    countColumn->addLayout(countRow);

    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addLayout(countColumn);
    layout->addSpacing(12);
    layout->addWidget(import);
    layout->addWidget(open);
    layout->addWidget(calculate);
    layout->addWidget(report);
    layout->addSpacing(12);
    layout->addWidget(radioBox);
    layout->addSpacing(12);
    layout->addWidget(scheme);
    layout->addWidget(button21_);
    layout->addWidget(loads);
    layout->addWidget(alignment);
    layout->addStretch();
}

QWidget* TFormDataInput::Page(int rotor) const {
    if (rotor < 1 || rotor > pageControl1_->count()) return nullptr;
    return pageControl1_->widget(rotor - 1);
}

// Page, then panel, then control, each among the direct children of the one before.
QWidget* TFormDataInput::RotorControlWidget(int rotor, const char* panelPrefix,
                                            const char* prefix) const {
    QWidget* panel = FindChildControl(Page(rotor), RotorControlName(panelPrefix, rotor));
    return FindChildControl(panel, RotorControlName(prefix, rotor));
}

QLineEdit* TFormDataInput::EditUchast(int rotor) const {
    return RotorControl<QLineEdit>(rotor, "Panel1r", "EditUchast");
}

QCheckBox* TFormDataInput::CheckBoxR(int rotor) const {
    return RotorControl<QCheckBox>(rotor, "Panel1r", "CheckBoxR");
}

QComboBox* TFormDataInput::ComboBox(int rotor) const {
    return RotorControl<QComboBox>(rotor, "Panel1r", "ComboBox");
}

TStringGrid* TFormDataInput::GridInitParams(int rotor) const {
    return RotorControl<TStringGrid>(rotor, "Panel2r", "GridInitParams");
}

TStringGrid* TFormDataInput::AddParams(int rotor) const {
    return RotorControl<TStringGrid>(rotor, "Panel2r", "AddParams");
}

QString TFormDataInput::RotorCountText() const {
    return editKolRotor_->text();
}

int TFormDataInput::RotorCount() const {
    return shaftline::ParseInteger(RotorCountText().toStdString());
}

QString TFormDataInput::StatusText() const {
    return statusPanel_->text();
}

void TFormDataInput::SetStatusText(const QString& text) {
    statusPanel_->setText(text);
}

void TFormDataInput::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TFormDataInput::FormActivate() {
    for (int rotor = 1; rotor <= shaftline::kMaxRotors; ++rotor) {
        // Takes the deflection column of the last run out of view; its cells keep their text.
        if (TStringGrid* grid = GridInitParams(rotor)) grid->SetHeaderRow(kSectionGridHeaders);
        if (TStringGrid* grid = AddParams(rotor)) grid->SetHeaderRow(kSupportGridHeaders);
    }
    SetStatusText(kStatusOpened);
}

void TFormDataInput::EditKolRotorChange() {
    const QString text = RotorCountText();
    if (text.isEmpty()) return;
    const int count = shaftline::ParseInteger(text.toStdString());
    for (int index = 0; index < pageControl1_->count(); ++index) {
        const bool shown = index + 1 <= count;
        pageControl1_->setTabVisible(index, shown);
        if (shown) pageControl1_->setTabText(index, QStringLiteral("Ротор %1").arg(index + 1));
    }
}

// The edit that changed names the page; only the shown page's edit can be typed into, and the
// import sets the row count of every page it fills.
void TFormDataInput::UpDownInc(int rotor) {
    QLineEdit* edit = EditUchast(rotor);
    TStringGrid* grid = GridInitParams(rotor);
    if (edit == nullptr || grid == nullptr || edit->text().isEmpty()) return;
    grid->SetRowCount(shaftline::ParseInteger(edit->text().toStdString()) + 1);
}

void TFormDataInput::RadioGroup1Click() {
    ShowGrid(pageControl1_->currentIndex() + 1, radioGroup1_->checkedId() == 1);
}

void TFormDataInput::ShowGrid(int rotor, bool supportGrid) {
    TStringGrid* main = GridInitParams(rotor);
    TStringGrid* support = AddParams(rotor);
    if (main == nullptr || support == nullptr) return;
    main->setVisible(!supportGrid);
    support->setVisible(supportGrid);
}

void TFormDataInput::PageControl1Change() {
    // Rotors at even positions (odd page index) have no sketch.
    const bool sketch = pageControl1_->currentIndex() % 2 == 0;
    button21_->setEnabled(sketch);
    button21_->setToolTip(sketch ? QString()
                                 : QStringLiteral("Эскиз есть только у роторов; на этой вкладке "
                                                  "невесомая промежуточная деталь"));
}

// Key preview: every key typed anywhere in this window comes here before the focused control.
bool TFormDataInput::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && isVisible() && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this)
        return FormKeyPress(static_cast<QKeyEvent*>(event)) ||
               EditingKeyPress(watched, static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

// Escape closes the window even while a cell editor or a count edit has the focus; every other
// key goes on to the focused control.
bool TFormDataInput::FormKeyPress(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape) return false;
    close();
    return true;
}

void TFormDataInput::Button20Click() {
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString scheme = FindSupportScheme(QDir::current(), QDir(programDir));
    if (scheme.isEmpty()) {
        SetStatusText(
            QStringLiteral("Документ \"%1\" не найден в папке %2 и в папке программы %3")
                .arg(kSupportScheme, QuotedPath(QDir::currentPath()), QuotedPath(programDir)));
        return;
    }
    const QString refused =
        QStringLiteral("Не удалось открыть документ \"%1\"").arg(QFileInfo(scheme).fileName());
    // The drawing installed with the program is shown by the program itself, so it opens on a
    // machine with no program for drawings; the plant's own document goes to the desktop.
    if (QFileInfo(scheme).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
        auto* view = findChild<TSupportSchemeWindow*>();
        if (view == nullptr) view = new TSupportSchemeWindow(this);
        if (!view->Load(scheme)) return SetStatusText(refused);
        view->show();
        view->raise();
        view->activateWindow();
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(scheme))) SetStatusText(refused);
}
