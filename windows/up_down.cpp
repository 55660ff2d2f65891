#include "up_down.h"

#include <QKeyEvent>
#include <QLineEdit>

QValidator::State CountValidator::validate(QString& input, int&) const {
    if (input.isEmpty()) return Intermediate;
    if (input.front() == u'0') return Invalid;
    bool ok = false;
    const int value = input.toInt(&ok);
    for (QChar c : input)
        if (c < u'0' || c > u'9') return Invalid;
    return ok && value >= 1 && value <= maximum_ ? Acceptable : Invalid;
}

TUpDown::TUpDown(QWidget* parent) : QSpinBox(parent) {
    lineEdit()->hide();
    setFocusPolicy(Qt::NoFocus);
    setFixedWidth(18);
    setKeyboardTracking(false);
}

void TUpDown::Associate(QLineEdit* edit, int maximum, bool wrap, bool arrowKeys) {
    edit_ = edit;
    arrowKeys_ = arrowKeys;
    setRange(1, maximum);
    setWrapping(wrap);
    edit->setValidator(new CountValidator(maximum, edit));
    FollowEdit(edit->text());
    connect(this, &QSpinBox::valueChanged, edit, [this, edit](int value) {
        const QString text = QString::number(value);
        if (edit->text() == text) return;
        emit Stepping();
        edit->setText(text);
    });
    connect(edit, &QLineEdit::textChanged, this, &TUpDown::FollowEdit);
    edit->installEventFilter(this);
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event) {
    if (arrowKeys_ && watched == edit_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            stepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QSpinBox::eventFilter(watched, event);
}

// The edit may hold any text a program wrote into it; the spinner follows only a count it can
// show, and writes nothing back.
void TUpDown::FollowEdit(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < minimum() || value > maximum()) return;
    const QSignalBlocker quiet(this);
    setValue(value);
}
