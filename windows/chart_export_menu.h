#pragma once

#include <QObject>

#include "chart_picture.h"

class ElasticLineCharts;
class LineChart;
class QMenu;

/// The context menu of an elastic-line chart: "Копировать изображение" puts the chart's picture
/// on the clipboard (as an image and as SVG), "Сохранить изображение…" writes it as PNG or SVG,
/// "Сохранить данные…" writes every drawn series as CSV. The picture is drawn from the chart's
/// points in the range it shows, not taken from the screen.
class ChartExportMenu : public QObject {
    Q_OBJECT
  public:
    ChartExportMenu(LineChart* chart, shaftline::report::ElasticChart kind);

    QMenu* Menu() const { return menu_; }

    /// The chart's drawn series (series index, rotor = index + 1) and the axis ranges it shows.
    shaftline::report::ChartPicture Picture() const;

    void CopyPicture();
    /// PNG, or SVG for a name ending in ".svg". False, after an error message, when the file
    /// cannot be written.
    bool SavePicture(const QString& path);
    /// The CSV of the drawn series in the user's locale. False, after a message, on failure.
    bool SaveData(const QString& path);

  private:
    void ShowMenu(const QPoint& position);
    void SavePictureAs();
    void SaveDataAs();
    QSize PictureSize() const;
    bool Written(bool done, const QString& what, const QString& path);

    LineChart* chart_;
    shaftline::report::ElasticChart kind_;
    QMenu* menu_;
};

/// Gives both charts of the main window their context menu, headed by "Показать все".
void InstallChartExportMenus(ElasticLineCharts& charts);
