#include "loads_chart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QValueAxis>
#include <algorithm>

TLoadsChart::TLoadsChart(QWidget* parent) : QChartView(parent) {
    auto* chart = new QChart();
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(220);
}

void TLoadsChart::SetLoads(const QStringList& supports, const std::vector<double>& coupled,
                           const std::vector<double>& own) {
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    coupled_ = new QBarSet(QStringLiteral("Нагрузка, кгс"));
    own_ = new QBarSet(QStringLiteral("Нагрузка без связи роторов, кгс"));
    coupled_->setColor(QColor(0, 90, 170));
    own_->setColor(QColor(170, 170, 170));
    // Negative loads in red, as in the table: a bar of the coupled set is "selected" for that.
    coupled_->setSelectedColor(Qt::red);
    double lo = 0, hi = 0;
    for (std::size_t j = 0; j < coupled.size() && j < own.size(); ++j) {
        coupled_->append(coupled[j]);
        if (coupled[j] < 0) coupled_->selectBar(static_cast<int>(j));
        own_->append(own[j]);
        lo = std::min({lo, coupled[j], own[j]});
        hi = std::max({hi, coupled[j], own[j]});
    }
    auto* series = new QBarSeries();
    series->append(coupled_);
    series->append(own_);
    c->addSeries(series);

    auto* x = new QBarCategoryAxis();
    x->append(supports);
    x->setTitleText(QStringLiteral("Опора"));
    c->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto* y = new QValueAxis();
    y->setRange(lo, hi > lo ? hi : lo + 1);
    y->applyNiceNumbers();
    y->setLabelFormat(QStringLiteral("%.0f"));
    y->setTitleText(QStringLiteral("кгс"));
    c->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
}
