#include "bracket_positions.h"

#include <QPainter>
#include <QPainterPath>

TBracketPositions::TBracketPositions(QWidget* parent) : QWidget(parent) {
    setMinimumSize(sizeHint());
    setToolTip(QStringLiteral("Положения скобы при повороте роторов, вид от ротора 1"));
}

void TBracketPositions::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPen ink(palette().color(QPalette::WindowText), 1.5);
    painter.setPen(ink);

    // Left: the coupling face with the four bracket positions.
    const QPointF centre(75, 72);
    const double radius = 40;
    painter.drawEllipse(centre, radius, radius);
    painter.drawEllipse(centre, 6.0, 6.0);
    const struct {
        QPointF offset;
        const char* label;
    } positions[] = {{{0, -1}, "1"}, {{1, 0}, "2"}, {{0, 1}, "3"}, {{-1, 0}, "4"}};
    for (const auto& p : positions) {
        const QPointF at = centre + p.offset * radius;
        painter.setBrush(palette().color(QPalette::Highlight));
        painter.drawEllipse(at, 5.0, 5.0);
        painter.setBrush(Qt::NoBrush);
        const QPointF text = centre + p.offset * (radius + 14) - QPointF(4, -5);
        painter.drawText(text, QString::fromLatin1(p.label));
    }
    painter.drawText(QPointF(centre.x() - 62, height() - 4), QStringLiteral("вид от ротора 1"));

    // Right: the two halves side by side, the bracket on the left one, gaps a and b.
    const double left = 185, joint = 265, right = 345, top = 40, bottom = 110;
    painter.drawRect(QRectF(QPointF(left, top + 8), QPointF(joint - 2, bottom)));
    painter.drawRect(QRectF(QPointF(joint + 2, top), QPointF(right, bottom - 8)));
    QPainterPath bracket;
    bracket.moveTo(joint - 30, top + 8);
    bracket.lineTo(joint - 30, top - 18);
    bracket.lineTo(joint + 20, top - 18);
    bracket.lineTo(joint + 20, top - 6);
    painter.drawPath(bracket);
    painter.drawText(QPointF(joint + 24, top - 6), QStringLiteral("a"));
    painter.drawText(QPointF(joint - 4, bottom + 16), QStringLiteral("b"));
    painter.drawText(QPointF(left, 16), QStringLiteral("левая"));
    painter.drawText(QPointF(joint + 10, 16), QStringLiteral("правая"));
    painter.drawText(QPointF(left, height() - 4), QStringLiteral("смещение > 0: правая выше"));
}
