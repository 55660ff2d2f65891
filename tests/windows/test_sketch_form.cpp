#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QtTest>

#include "rotor.h"
#include "rotor_sketch_form.h"

using shaftline::TRotor;

namespace {

struct Section {
    double coord = 0;          ///< mm
    double diameter = 0;       ///< mm
    double discDiameter = 0;   ///< mm
    double discThickness = 0;  ///< mm
};

std::unique_ptr<TRotor> MakeRotor(std::initializer_list<Section> rows) {
    auto rotor = std::make_unique<TRotor>();
    int k = 0;
    for (const Section& r : rows) {
        ++k;
        rotor->SetCoord(k, r.coord);
        rotor->SetDiameter(k, r.diameter);
        rotor->SetDiscDiameter(k, r.discDiameter);
        rotor->SetDiscThickness(k, r.discThickness);
    }
    rotor->SetSectionCount(k);
    return rotor;
}

/// A pixel of the paint area and its colour; an invalid colour stands for the background.
struct Probe {
    int x = 0;
    int y = 0;
    QColor colour;
};

}  // namespace

Q_DECLARE_METATYPE(Section)
Q_DECLARE_METATYPE(Probe)

class TestSketchForm : public QObject {
    Q_OBJECT
  private slots:
    void opensWithItsControls();
    void setRotorDrawsNothingUntilShown();
    void drawsInItsColours_data();
    void drawsInItsColours();
    void trackBarRescales_data();
    void trackBarRescales();
    void keepsTheTrackBarBetweenOpenings();
    void showsANoticeWithoutARotor();
    void rotorWithoutSectionsShrinksTheArea();
    void largeRotorOpensOnItsLeftEndAndCentreLine();
};

void TestSketchForm::opensWithItsControls() {
    TFormRotorSketch form;
    QCOMPARE(form.objectName(), QStringLiteral("FormRotorSketch"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Эскиз ротора"));
    QCOMPARE(form.size(), QSize(783, 540));
    auto* label = form.findChild<QLabel*>(QStringLiteral("Label1"));
    QVERIFY(label);
    QCOMPARE(label->text(), QStringLiteral("Масштаб"));
    QVERIFY(form.findChild<QWidget*>(QStringLiteral("Panel1")));
    auto* track = form.findChild<QSlider*>(QStringLiteral("TrackBar1"));
    QVERIFY(track);
    QCOMPARE(track->minimum(), 1);
    QCOMPARE(track->maximum(), 50);
    QCOMPARE(track->value(), 20);
    QCOMPARE(form.Scale(), 0.4);
    auto* paintBox = form.findChild<QWidget*>(QStringLiteral("PaintBox1"));
    QVERIFY(paintBox);
    QCOMPARE(paintBox->size(), QSize(775, 449));
    QVERIFY(qobject_cast<QScrollArea*>(paintBox->parentWidget()->parentWidget()));
    form.show();
    QCOMPARE(form.size(), QSize(783, 540));
}

void TestSketchForm::setRotorDrawsNothingUntilShown() {
    TFormRotorSketch form;
    auto rotor = MakeRotor({{1000, 500, 0, 0}});
    form.SetRotor(rotor.get());
    QCOMPARE(form.Rotor(), rotor.get());
    QCOMPARE(form.PaintBox1()->size(), QSize(775, 449));
    QVERIFY(form.Drawing().pieces.empty());
}

void TestSketchForm::drawsInItsColours_data() {
    QTest::addColumn<Section>("section");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QList<Probe>>("probes");
    const QColor red(255, 0, 0), blue(0, 0, 255), black(0, 0, 0);
    // The outline, in the default black pen, runs along each rectangle's edges.
    QTest::newRow("shaft settled to its size")
        << Section{1000, 500, 0, 0} << QSize(800, 400)
        << QList<Probe>{
               {400, 200, red}, {1, 1, red}, {0, 0, black}, {799, 399, black}, {400, 0, black}};
    // From the initial height 449 the area settles just below 640: centre row 319.
    QTest::newRow("disc over its shaft piece")
        << Section{1000, 500, 800, 100} << QSize(800, 639)
        << QList<Probe>{{400, 319, blue},  {400, 30, blue},
                        {200, 319, red},   {359, 319, red},  // just left of the disc, 360..440
                        {360, 319, black}, {200, 30, QColor()}};
}

void TestSketchForm::drawsInItsColours() {
    QFETCH(Section, section);
    QFETCH(QSize, size);
    QFETCH(QList<Probe>, probes);
    TFormRotorSketch form;
    auto rotor = MakeRotor({section});
    form.SetRotor(rotor.get());
    form.show();
    QCOMPARE(form.PaintBox1()->size(), size);
    const QImage image = form.PaintBox1()->grab().toImage();
    const QColor background = form.PaintBox1()->palette().window().color();
    for (const Probe& p : probes) {
        const QColor expected = p.colour.isValid() ? p.colour : background;
        QVERIFY2(image.pixelColor(p.x, p.y).rgb() == expected.rgb(),
                 qPrintable(QStringLiteral("pixel %1, %2").arg(p.x).arg(p.y)));
    }
}

void TestSketchForm::trackBarRescales_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("width");
    QTest::newRow("largest") << 50 << 1.0 << 2000;
    QTest::newRow("half") << 25 << 0.5 << 1000;
    QTest::newRow("smallest") << 1 << 0.02 << 40;
}

void TestSketchForm::trackBarRescales() {
    QFETCH(int, position);
    QFETCH(double, scale);
    QFETCH(int, width);
    TFormRotorSketch form;
    auto rotor = MakeRotor({{1000, 500, 0, 0}});
    form.SetRotor(rotor.get());
    form.show();
    form.TrackBar1()->setValue(position);
    QCOMPARE(form.Scale(), scale);
    QCOMPARE(form.PaintBox1()->width(), width);
    // Settled from wherever the last drawing left it: twice the lower half, within a pixel.
    const int lower = static_cast<int>(std::nearbyint(500 * scale));
    QVERIFY2(qAbs(form.PaintBox1()->height() - 2 * lower) <= 1,
             qPrintable(QString::number(form.PaintBox1()->height())));
    QCOMPARE(form.Drawing().pieces.at(0).shaft.right, width);
}

void TestSketchForm::keepsTheTrackBarBetweenOpenings() {
    TFormRotorSketch form;
    auto first = MakeRotor({{1000, 500, 0, 0}});
    auto second = MakeRotor({{500, 100, 0, 0}, {1500, 200, 0, 0}});
    form.SetRotor(first.get());
    form.show();
    form.TrackBar1()->setValue(10);
    form.hide();
    form.SetRotor(second.get());
    form.show();
    QCOMPARE(form.TrackBar1()->value(), 10);
    QCOMPARE(form.PaintBox1()->width(), 2 * 100 + 2 * 200);
}

void TestSketchForm::showsANoticeWithoutARotor() {
    TFormRotorSketch form;
    form.SetRotor(nullptr);
    form.show();
    auto* notice = form.findChild<QLabel*>(QStringLiteral("LabelNoRotor"));
    QVERIFY(notice);
    QVERIFY(notice->isVisible());
    QVERIFY(!notice->text().isEmpty());
    QVERIFY(form.Drawing().pieces.empty());
    form.TrackBar1()->setValue(30);  // redraws without a rotor

    auto rotor = MakeRotor({{1000, 500, 0, 0}});
    form.hide();
    form.SetRotor(rotor.get());
    form.show();
    QVERIFY(!notice->isVisible());
    QVERIFY(form.PaintBox1()->isVisible());
    QCOMPARE(form.Drawing().pieces.size(), std::size_t{1});
}

void TestSketchForm::rotorWithoutSectionsShrinksTheArea() {
    TFormRotorSketch form;
    auto rotor = MakeRotor({});
    form.SetRotor(rotor.get());
    form.show();
    QCOMPARE(form.PaintBox1()->size(), QSize(0, 0));
}

namespace {

// Where a point of the drawing appears in the scrolled view, px from the view's top left.
QPoint InView(const TFormRotorSketch& form, QPoint drawing) {
    const auto* scroll = form.findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
    return form.PaintBox1()->mapTo(scroll->viewport(), drawing);
}

int ViewHeight(const TFormRotorSketch& form) {
    return form.findChild<QScrollArea*>(QStringLiteral("ScrollBox1"))->viewport()->height();
}

}  // namespace

void TestSketchForm::largeRotorOpensOnItsLeftEndAndCentreLine() {
    // Wider and taller than the window at the default scale, like a low-pressure rotor: 3.2 m
    // long with discs of 1.5 m.
    TFormRotorSketch form;
    auto rotor = MakeRotor({{400, 400, 0, 0},
                            {1200, 900, 1500, 100},
                            {2000, 900, 1500, 100},
                            {2800, 900, 1500, 100},
                            {3200, 400, 0, 0}});
    form.SetRotor(rotor.get());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // The drawing itself as always: twice 0.4 px per mm along, 600 px each side of the centre.
    QCOMPARE(form.PaintBox1()->width(), 2560);
    QVERIFY(qAbs(form.PaintBox1()->height() - 1200) <= 1);
    const int centre = form.PaintBox1()->height() / 2;
    QCOMPARE(InView(form, {0, 0}).x(), 0);
    QVERIFY2(qAbs(InView(form, {0, centre}).y() - ViewHeight(form) / 2) <= 1,
             qPrintable(QString::number(InView(form, {0, centre}).y())));

    // The user scrolls to the middle of the rotor and doubles the scale: the centre line stays
    // in the middle of the view and so does the same part of the rotor.
    auto* across =
        form.findChild<QScrollArea*>(QStringLiteral("ScrollBox1"))->horizontalScrollBar();
    const int viewWidth =
        form.findChild<QScrollArea*>(QStringLiteral("ScrollBox1"))->viewport()->width();
    across->setValue(1280 - viewWidth / 2);
    form.TrackBar1()->setValue(40);
    const int newCentre = form.PaintBox1()->height() / 2;
    QVERIFY(newCentre > centre);
    QVERIFY(qAbs(InView(form, {0, newCentre}).y() - ViewHeight(form) / 2) <= 1);
    const int middle = form.PaintBox1()->width() / 2;
    QVERIFY2(qAbs(InView(form, {middle, newCentre}).x() - viewWidth / 2) <= 2,
             qPrintable(QString::number(InView(form, {middle, newCentre}).x())));

    // Small enough to fit: nothing to scroll, the drawing at the top left.
    form.TrackBar1()->setValue(5);
    QCOMPARE(InView(form, {0, 0}), QPoint(0, 0));
}

QTEST_MAIN(TestSketchForm)
#include "test_sketch_form.moc"
