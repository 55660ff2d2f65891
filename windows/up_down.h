#pragma once

#include <QSpinBox>
#include <QValidator>

class QLineEdit;

/// Accepts only a decimal count within 1..maximum written without leading zeros; an empty text
/// stays possible while the user retypes the number.
class CountValidator : public QValidator {
  public:
    CountValidator(int maximum, QObject* parent) : QValidator(parent), maximum_(maximum) {}
    State validate(QString& input, int& pos) const override;

  private:
    int maximum_;
};

/// Up-down spinner attached to a count edit: only its two arrow buttons are shown. Stepping writes
/// the new count into the edit; a valid count typed into the edit moves the spinner along.
class TUpDown : public QSpinBox {
    Q_OBJECT
  public:
    explicit TUpDown(QWidget* parent = nullptr);

    /// Attaches the spinner to `edit`, limits what can be typed there to 1..maximum and takes
    /// the count already in the edit as its position. With `arrowKeys` the Up and Down keys in
    /// the edit step the spinner.
    void Associate(QLineEdit* edit, int maximum, bool wrap, bool arrowKeys);

  signals:
    /// A step is about to write its count into the edit.
    void Stepping();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FollowEdit(const QString& text);

    QLineEdit* edit_ = nullptr;
    bool arrowKeys_ = false;
};
