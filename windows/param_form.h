#pragma once

#include <QDialog>
#include <optional>

#include "support.h"

class QLabel;
class QTabWidget;

/// The support parameters of one rotor on three tabs: nominal operating mode, assembly state
/// and horizontal supports. Angles rad, lengths mm; values only, no inputs.
class TFormParam : public QDialog {
    Q_OBJECT
  public:
    explicit TFormParam(QWidget* parent = nullptr);

    /// Writes the twelve value labels from a rotor's three-state support values. The assembly
    /// angles show a dash when the assembly tilt is undefined.
    void FillParams(const shaftline::SupportStates& states);

    QTabWidget* PageControl1() const { return pageControl1_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QLabel* ValueLabel(const char* name) const;
    void SetValue(const char* label, std::optional<double> value);

    QTabWidget* pageControl1_ = nullptr;
    bool shownBefore_ = false;
    QPoint lastPosition_;
};
