// One rotor page of the data-entry window, built the same way for all 19 rotors.
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "control_lookup.h"
#include "data_input_form.h"
#include "grid_header_hints.h"
#include "rotor_grid_columns.h"
#include "rotor_transfer.h"
#include "string_grid.h"
#include "up_down.h"

namespace {

const QString kIntermediatePieceNote = QStringLiteral(
    "Промежуточная деталь между роторами: считается невесомой, поэтому у нее нет типа ротора; "
    "она лежит на подшипниках соседних роторов, поэтому нет кнопки \"Параметры\"; эскиз "
    "строится только для роторов.");

// The support grid keeps the five rows of the window layout until an import sets two; only its
// data row (row 1) is ever read.
constexpr int kSupportGridRows = 5;
QFrame* MakePanel(const QString& name, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    return panel;
}

TStringGrid* MakeGrid(const QString& name, const auto& headers, int rows, QWidget* parent) {
    auto* grid = new TStringGrid(parent);
    grid->setObjectName(name);
    grid->SetRowCount(rows);
    grid->SetHeaderRow(headers);
    return grid;
}

// The support grid of page 15 is stored under a name in another letter case; the lookup, which
// ignores the case of ASCII letters, finds it all the same.
QString SupportGridName(int rotor) {
    return rotor == 15 ? QStringLiteral("AddPArams15") : RotorControlName("AddParams", rotor);
}

}  // namespace

QWidget* TFormDataInput::BuildRotorPage(int rotor) {
    const bool evenPosition = rotor % 2 == 0;
    auto* page = new QWidget();
    page->setObjectName(RotorControlName("TabSheet", rotor));

    QFrame* top = MakePanel(RotorControlName("Panel1r", rotor), page);
    top->setFixedHeight(73);
    auto* countLabel = new QLabel(QStringLiteral("Количество участков"), top);
    countLabel->setObjectName(RotorControlName("LblUchast", rotor));
    auto* sections = new QLineEdit(QStringLiteral("1"), top);
    sections->setObjectName(RotorControlName("EditUchast", rotor));
    sections->setFixedWidth(48);
    auto* upDown = new TUpDown(top);
    upDown->setObjectName(RotorControlName("UpDownUchast", rotor));
    upDown->Associate(sections, shaftline::kMaxSections, false, true);
    connect(sections, &QLineEdit::textChanged, this, [this, rotor] { UpDownInc(rotor); });

    auto* base = new QCheckBox(QStringLiteral("Базовый ротор"), top);
    base->setObjectName(RotorControlName("CheckBoxR", rotor));
    connect(base, &QCheckBox::clicked, this, [this, rotor] { TickCheckBox(rotor); });

    auto* params = new QPushButton(QStringLiteral("Параметры"), top);
    params->setObjectName(RotorControlName("BtnParams", rotor));
    params->setVisible(!evenPosition);
    params->setAutoDefault(false);
    connect(params, &QPushButton::clicked, this, &TFormDataInput::PressParamsBtn);

    auto* topLayout = new QGridLayout(top);
    topLayout->setContentsMargins(8, 4, 8, 4);
    auto* countRow = new QHBoxLayout();
    countRow->setSpacing(0);
    countRow->addWidget(sections);
    countRow->addWidget(upDown);
    countRow->addStretch();
    topLayout->addWidget(countLabel, 0, 0);
    topLayout->addLayout(countRow, 1, 0);
    topLayout->addWidget(base, 1, 1);
    topLayout->addWidget(params, 1, 2);
    // Rotors at even positions are intermediate pieces: no type selector.
    if (!evenPosition) {
        auto* typeLabel = new QLabel(QStringLiteral("Тип ротора"), top);
        typeLabel->setObjectName(RotorControlName("LblType", rotor));
        auto* type = new QComboBox(top);
        type->setObjectName(RotorControlName("ComboBox", rotor));
        type->setEditable(true);
        type->addItem(
            QString::fromUtf8(shaftline::kSolidForgedText.data(),
                              static_cast<qsizetype>(shaftline::kSolidForgedText.size())));
        type->addItem(
            QString::fromUtf8(shaftline::kShrunkOnDiscsText.data(),
                              static_cast<qsizetype>(shaftline::kShrunkOnDiscsText.size())));
        type->setCurrentIndex(1);
        // The text stays as typed: only the exact "Цельнокованный" is solid-forged, so neither a
        // case-blind completion nor a match on leaving the field may rewrite "цельнокованный";
        // typed texts are not added to the list.
        type->completer()->setCaseSensitivity(Qt::CaseSensitive);
        type->setInsertPolicy(QComboBox::NoInsert);
        type->setMinimumWidth(180);
        topLayout->addWidget(typeLabel, 0, 3);
        topLayout->addWidget(type, 1, 3);
    }
    if (evenPosition) {
        auto* note = new QLabel(kIntermediatePieceNote, top);
        note->setObjectName(RotorControlName("LblIntermediate", rotor));
        note->setWordWrap(true);
        topLayout->addWidget(note, 0, 3, 2, 2);
    }
    topLayout->setColumnStretch(4, 1);
    topLayout->setRowStretch(2, 1);

    QFrame* bottom = MakePanel(RotorControlName("Panel2r", rotor), page);
    TStringGrid* main =
        MakeGrid(RotorControlName("GridInitParams", rotor), kSectionGridHeaders, 2, bottom);
    // The deflection column is the calculation's output: it is read, never typed or pasted into.
    main->SetInputColumns(static_cast<int>(kSectionGridHeaders.size()));
    main->SetHeaderHints(SectionHeaderHints());
    TStringGrid* support =
        MakeGrid(SupportGridName(rotor), kSupportGridHeaders, kSupportGridRows, bottom);
    // Its data row can be typed into, so a shaft line entered by hand can be aligned too.
    support->SetLastEditableRow(kSupportDataRow);
    support->SetHeaderHints(SupportHeaderHints());
    support->hide();
    auto* bottomLayout = new QVBoxLayout(bottom);
    bottomLayout->setContentsMargins(0, 0, 0, 0);
    bottomLayout->addWidget(main);
    bottomLayout->addWidget(support);

    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(0);
    pageLayout->addWidget(top);
    pageLayout->addWidget(bottom, 1);
    return page;
}
