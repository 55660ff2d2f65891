#include "param_form.h"

#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <vector>

#include "app_windows.h"
#include "main_window.h"
#include "number_locale.h"
#include "number_text.h"
#include "window_fit.h"

namespace {

struct ValueRow {
    const char* captionName;
    const char* caption;
    const char* valueName;
};

struct TabDescription {
    const char* name;
    const char* caption;
    int valueLeft;  ///< px, left edge of the value labels on this tab
    std::vector<ValueRow> rows;
};

const TabDescription kTabs[] = {
    {"TabSheet1",
     "Номинальный режим работы",
     368,
     {{"Label1", "Угол поворота шейки на левой опоре:", "Label3"},
      {"Label2", "Угол поворота шейки на правой опоре:", "Label4"},
      {"Label7", "Высотное положение левой опоры(номинальный режим),мм:", "Label5"},
      {"Label8", "Высотное положение правой опоры(номинальный режим),мм:", "Label6"}}},
    {"TabSheet2",
     "Монтажное состояние",
     360,
     {{"Label21", "Угол поворота шейки на левой опоре(монтажный):", "Label23"},
      {"Label22", "Угол поворота шейки на правой опоре(монтажный):", "Label24"},
      {"Label9", "Монтажная поправка левой опоры,мм:", "Label10"},
      {"Label11", "Монтажная поправка правой опоры,мм:", "Label12"},
      {"Label13", "Высотное положение левой опоры(мотажное состояние),мм:", "Label14"},
      {"Label15", "Высотное положение правой опоры(мотажное состояние),мм:", "Label16"}}},
    {"TabSheet3",
     "Опоры горизонтальны",
     368,
     {{"Label17", "Угол поворота шейки на левой опоре(опоры горизонтальны):", "Label19"},
      {"Label18", "Угол поворота шейки на правой опоре(опоры горизонтальны):", "Label20"}}},
};

constexpr int kFirstRowTop = 16;  // px from the top of the tab
constexpr int kRowPitch = 24;     // px
constexpr int kCaptionLeft = 8;   // px
constexpr int kRowHeight = 17;    // px
constexpr int kGap = 12;          // px

QLabel* MakeLabel(const char* name, const QString& text, QRect geometry, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    return label;
}

}  // namespace

TFormParam::TFormParam(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormParam"));
    setWindowTitle(QStringLiteral("Параметры"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    resize(486, 255);
    KeepOnScreen(this);
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    pageControl1_ = new QTabWidget(this);
    pageControl1_->setObjectName(QStringLiteral("PageControl1"));
    const QFontMetrics metrics(small);
    // Wide enough for the longest value the number format writes in fixed notation.
    const int valueWidth = metrics.horizontalAdvance(QStringLiteral("-8 888 888,888888888")) +
                           metrics.averageCharWidth();
    int widest = 0;
    for (const TabDescription& tab : kTabs) {
        auto* sheet = new QWidget();
        sheet->setObjectName(QString::fromLatin1(tab.name));
        // The value column stands where the layout puts it unless this font's captions reach
        // into it; then it moves right, and the window grows with it.
        int captionWidth = 0;
        for (const ValueRow& row : tab.rows)
            captionWidth =
                std::max(captionWidth, metrics.horizontalAdvance(QString::fromUtf8(row.caption)));
        const int valueLeft = std::max(tab.valueLeft, kCaptionLeft + captionWidth + kGap);
        widest = std::max(widest, valueLeft + valueWidth);
        int top = kFirstRowTop;
        for (const ValueRow& row : tab.rows) {
            MakeLabel(row.captionName, QString::fromUtf8(row.caption),
                      QRect(kCaptionLeft, top, captionWidth, kRowHeight), sheet);
            // Before the first filling a value label shows its own name.
            MakeLabel(row.valueName, QString::fromLatin1(row.valueName),
                      QRect(valueLeft, top, valueWidth, kRowHeight), sheet);
            top += kRowPitch;
        }
        pageControl1_->addTab(sheet, QString::fromUtf8(tab.caption));
    }
    resize(std::max(width(), widest + kGap), height());
    pageControl1_->setCurrentIndex(1);  // the assembly state comes first

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pageControl1_);
}

QLabel* TFormParam::ValueLabel(const char* name) const {
    return pageControl1_->findChild<QLabel*>(QString::fromLatin1(name));
}

void TFormParam::SetValue(const char* label, std::optional<double> value) {
    QString text = QStringLiteral("—");
    if (value && std::isfinite(*value)) {
        text = QString::fromStdString(
            shaftline::FormatNumber7(*value, DecimalSeparator(), GroupSeparator()));
    }
    if (QLabel* target = ValueLabel(label)) target->setText(text);
}

void TFormParam::FillParams(const shaftline::SupportStates& states) {
    SetValue("Label3", states.nominalLeftAngle);
    SetValue("Label4", states.nominalRightAngle);
    SetValue("Label5", states.nominalLeftElevation);
    SetValue("Label6", states.nominalRightElevation);
    SetValue("Label23", states.assemblyLeftAngle);
    SetValue("Label24", states.assemblyRightAngle);
    SetValue("Label10", states.leftRise);
    SetValue("Label12", states.rightRise);
    SetValue("Label14", states.assemblyLeftElevation);
    SetValue("Label16", states.assemblyRightElevation);
    SetValue("Label19", states.ownLeftAngle);
    SetValue("Label20", states.ownRightAngle);
}

// Centred over the main window the first time; later it opens where the user left it.
void TFormParam::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!shownBefore_) {
        shownBefore_ = true;
        if (Form1 != nullptr) {
            QRect frame(QPoint(), frameGeometry().size());
            frame.moveCenter(Form1->frameGeometry().center());
            move(frame.topLeft());
        }
    } else {
        move(lastPosition_);
    }
}

void TFormParam::hideEvent(QHideEvent* event) {
    lastPosition_ = pos();
    QDialog::hideEvent(event);
}
