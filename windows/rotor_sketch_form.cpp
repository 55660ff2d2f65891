#include "rotor_sketch_form.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "rotor.h"
#include "sketch_picture.h"
#include "window_fit.h"

/// The paint area of the sketch: paints the rectangles of the last DrawSketch, so a covered or
/// scrolled window is renewed without recomputing.
class SketchPaintBox : public QWidget {
  public:
    explicit SketchPaintBox(QWidget* parent) : QWidget(parent) {}

    void SetDrawing(const shaftline::SketchDrawing* drawing) { drawing_ = drawing; }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (drawing_ == nullptr) return;
        QPainter painter(this);
        painter.setPen(QPen(Qt::black, 1));
        for (const shaftline::SketchPiece& piece : drawing_->pieces) {
            painter.setBrush(shaftline::report::kSketchShaftColour);
            DrawRect(painter, piece.shaft);
            painter.setBrush(shaftline::report::kSketchDiscColour);
            DrawRect(painter, piece.disc);
        }
    }

  private:
    // Edges as given: right and bottom are one past the last filled pixel, as on a canvas whose
    // rectangle outline lies inside the edges.
    static void DrawRect(QPainter& painter, const shaftline::SketchRect& r) {
        const int width = r.right - r.left;
        const int height = r.bottom - r.top;
        if (width == 0 || height == 0) return;
        painter.drawRect(QRect(QPoint(std::min(r.left, r.right), std::min(r.top, r.bottom)),
                               QSize(std::abs(width), std::abs(height)))
                             .adjusted(0, 0, -1, -1));
    }

    const shaftline::SketchDrawing* drawing_ = nullptr;
};

TFormRotorSketch::TFormRotorSketch(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormRotorSketch"));
    setWindowTitle(QStringLiteral("Эскиз ротора"));
    resize(783, 540);
    KeepOnScreen(this);

    auto* panel1 = new QFrame(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel1->setFixedHeight(57);
    auto* label1 = new QLabel(QStringLiteral("Масштаб"), panel1);
    label1->setObjectName(QStringLiteral("Label1"));
    trackBar1_ = new QSlider(Qt::Horizontal, panel1);
    trackBar1_->setObjectName(QStringLiteral("TrackBar1"));
    trackBar1_->setRange(1, 50);
    trackBar1_->setValue(20);
    trackBar1_->setFixedWidth(705);
    trackBar1_->setTickPosition(QSlider::TicksBelow);
    auto* panelLayout = new QHBoxLayout(panel1);
    // Narrow margins keep the label and the 705-pixel track bar inside the window's 783.
    panelLayout->setContentsMargins(4, 4, 4, 4);
    panelLayout->addWidget(label1);
    panelLayout->addWidget(trackBar1_);
    panelLayout->addStretch();

    scrollBox_ = new QScrollArea(this);
    scrollBox_->setObjectName(QStringLiteral("ScrollBox1"));
    scrollBox_->setWidgetResizable(false);
    scrollBox_->setFrameShape(QFrame::NoFrame);
    paintBox1_ = new SketchPaintBox(scrollBox_);
    paintBox1_->setObjectName(QStringLiteral("PaintBox1"));
    paintBox1_->resize(775, 449);
    paintBox1_->SetDrawing(&drawing_);
    scrollBox_->setWidget(paintBox1_);
    scrollBox_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    notice_ = new QLabel(
        QStringLiteral("Нет данных ротора. Выполните расчёт, затем откройте эскиз."), this);
    notice_->setObjectName(QStringLiteral("LabelNoRotor"));
    notice_->setAlignment(Qt::AlignCenter);
    notice_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel1);
    layout->addWidget(scrollBox_, 1);
    layout->addWidget(notice_, 1);

    connect(trackBar1_, &QSlider::valueChanged, this, &TFormRotorSketch::TrackBar1Change);
}

QWidget* TFormRotorSketch::PaintBox1() const {
    return paintBox1_;
}

double TFormRotorSketch::Scale() const {
    return static_cast<double>(trackBar1_->value()) / trackBar1_->maximum();
}

void TFormRotorSketch::SetRotor(const shaftline::TRotor* rotor) {
    rotor_ = rotor;
}

void TFormRotorSketch::DrawSketch() {
    const bool haveRotor = rotor_ != nullptr;
    notice_->setVisible(!haveRotor);
    scrollBox_->setVisible(haveRotor);
    if (!haveRotor) {
        drawing_ = {};
        return;
    }
    // Each new height moves the centre line and so redraws; the pass repeats that until the
    // height stays as it is.
    drawing_ = shaftline::SettledSketch(rotor_->SectionsView(), rotor_->GetSectionCount(), Scale(),
                                        paintBox1_->height());
    paintBox1_->resize(std::max(drawing_.width, 0), drawing_.height);
    paintBox1_->update();
}

void TFormRotorSketch::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

// A large rotor is wider and taller than the window: it opens on its left end and its centre
// line, not on the empty corner above the drawing.
void TFormRotorSketch::FormActivate() {
    DrawSketch();
    if (layout() != nullptr) layout()->activate();
    ScrollToCentreLine(0, false);
}

// A new scale keeps the centre line in sight and the same part of the rotor in the middle.
void TFormRotorSketch::TrackBar1Change() {
    const QScrollBar* across = scrollBox_->horizontalScrollBar();
    const int oldWidth = paintBox1_->width();
    const double middle = across->value() + scrollBox_->viewport()->width() / 2.0;
    const double share = oldWidth > 0 ? std::clamp(middle / oldWidth, 0.0, 1.0) : 0.0;
    paintBox1_->update();
    DrawSketch();
    ScrollToCentreLine(share, true);
}

void TFormRotorSketch::ScrollToCentreLine(double axialShare, bool centred) {
    const QSize view = scrollBox_->viewport()->size();
    const int centreRow = paintBox1_->height() / 2;
    scrollBox_->verticalScrollBar()->setValue(centreRow - view.height() / 2);
    const double x = axialShare * paintBox1_->width() - (centred ? view.width() / 2.0 : 0.0);
    scrollBox_->horizontalScrollBar()->setValue(static_cast<int>(std::lround(x)));
}
