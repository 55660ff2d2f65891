#pragma once

#include <QChartView>
#include <QStringList>
#include <vector>

class QBarSet;

/// Bars of the support loads: per support the load with the rotors coupled beside the load
/// with the couplings open, kgf.
class TLoadsChart : public QChartView {
    Q_OBJECT
  public:
    explicit TLoadsChart(QWidget* parent = nullptr);

    /// One category per support, captioned `supports`.
    void SetLoads(const QStringList& supports, const std::vector<double>& coupled,
                  const std::vector<double>& own);

    QBarSet* CoupledSet() const { return coupled_; }
    QBarSet* OwnSet() const { return own_; }

  private:
    QBarSet* coupled_ = nullptr;
    QBarSet* own_ = nullptr;
};
