#include "chart_export_menu.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QSaveFile>
#include <QtCharts/QLineSeries>
#include <algorithm>

#include "chart_csv.h"
#include "elastic_line_charts.h"
#include "line_chart.h"
#include "message_boxes.h"
#include "message_text.h"
#include "number_locale.h"
#include "typed_file_name.h"
#include "written_note.h"

namespace {

const QString kPngFilter = QStringLiteral("Изображение PNG (*.png)");
const QString kSvgFilter = QStringLiteral("Рисунок SVG (*.svg)");
const QString kCsvFilter = QStringLiteral("Данные CSV (*.csv)");

QString DefaultName(shaftline::report::ElasticChart kind) {
    return kind == shaftline::report::ElasticChart::Nominal
               ? QStringLiteral("Упругая линия, номинальный режим")
               : QStringLiteral("Упругая линия, монтажное состояние");
}

QAction* AddAction(QMenu* menu, const char* name, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

}  // namespace

ChartExportMenu::ChartExportMenu(LineChart* chart, shaftline::report::ElasticChart kind)
    : QObject(chart), chart_(chart), kind_(kind), menu_(new QMenu(chart)) {
    menu_->setObjectName(chart->objectName() + QStringLiteral("Menu"));
    connect(AddAction(menu_, "CopyPicture", QStringLiteral("Копировать изображение")),
            &QAction::triggered, this, &ChartExportMenu::CopyPicture);
    connect(AddAction(menu_, "SavePicture", QStringLiteral("Сохранить изображение…")),
            &QAction::triggered, this, &ChartExportMenu::SavePictureAs);
    connect(AddAction(menu_, "SaveData", QStringLiteral("Сохранить данные…")), &QAction::triggered,
            this, &ChartExportMenu::SaveDataAs);
    chart_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(chart_, &QWidget::customContextMenuRequested, this, &ChartExportMenu::ShowMenu);
}

shaftline::report::ChartPicture ChartExportMenu::Picture() const {
    shaftline::report::ChartPicture picture;
    picture.chart = kind_;
    for (int index = 0; index < chart_->SeriesCount(); ++index) {
        const QList<QPointF> points = chart_->Series(index)->points();
        if (points.isEmpty()) continue;
        shaftline::SeriesPoints series{index, index + 1, {}};
        series.points.reserve(static_cast<std::size_t>(points.size()));
        for (const QPointF& p : points) series.points.emplace_back(p.x(), p.y());
        picture.series.push_back(std::move(series));
    }
    picture.x = shaftline::report::AxisSpan{chart_->XRange().min, chart_->XRange().max};
    picture.y = shaftline::report::AxisSpan{chart_->YRange().min, chart_->YRange().max};
    return picture;
}

// As large as the chart on the screen, and never too small to read.
QSize ChartExportMenu::PictureSize() const {
    return chart_->size().expandedTo(QSize(640, 360));
}

void ChartExportMenu::ShowMenu(const QPoint& position) {
    const bool drawn = chart_->HasPoints();
    for (QAction* action : menu_->actions()) action->setEnabled(drawn);
    menu_->popup(chart_->mapToGlobal(position));
}

void ChartExportMenu::CopyPicture() {
    const shaftline::report::ChartPicture picture = Picture();
    const std::string separator = DecimalSeparator();
    auto* data = new QMimeData();
    data->setImageData(shaftline::report::ChartImage(picture, PictureSize(),
                                                     chart_->devicePixelRatioF(), separator));
    data->setData(QStringLiteral("image/svg+xml"),
                  shaftline::report::ChartSvg(picture, PictureSize(), separator));
    QGuiApplication::clipboard()->setMimeData(data);
}

bool ChartExportMenu::Written(bool done, const QString& what, const QString& path) {
    if (done) ShowWrittenNote(chart_, what, path);
    if (!done)
        ShowError(
            chart_,
            QStringLiteral("Не удалось записать файл «%1».")
                .arg(QString::fromStdString(shaftline::QuotedForMessage(path.toStdString()))));
    return done;
}

bool ChartExportMenu::SavePicture(const QString& path) {
    const bool svg = path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
    const shaftline::report::ChartPicture picture = Picture();
    const bool done =
        svg ? shaftline::report::WriteChartSvg(path, picture, PictureSize(), DecimalSeparator())
            : shaftline::report::WriteChartPng(path, picture, PictureSize(), DecimalSeparator());
    return Written(done, QStringLiteral("Изображение графика записано"), path);
}

bool ChartExportMenu::SaveData(const QString& path) {
    const std::string csv = shaftline::report::ChartCsv(Picture().series, DecimalSeparator());
    QSaveFile file(path);
    const bool done = file.open(QIODevice::WriteOnly) &&
                      file.write(csv.data(), static_cast<qint64>(csv.size())) ==
                          static_cast<qint64>(csv.size()) &&
                      file.commit();
    return Written(done, QStringLiteral("Данные графика записаны"), path);
}

void ChartExportMenu::SavePictureAs() {
    QString filter = kPngFilter;
    const QString path =
        QFileDialog::getSaveFileName(chart_, QStringLiteral("Сохранить изображение"),
                                     DefaultName(kind_) + QStringLiteral(".png"),
                                     kPngFilter + QStringLiteral(";;") + kSvgFilter, &filter);
    if (path.isEmpty()) return;
    const QString png = QStringLiteral(".png");
    const QString svg = QStringLiteral(".svg");
    SavePicture(WithKnownSuffix(path, {png, svg}, filter == kSvgFilter ? svg : png));
}

void ChartExportMenu::SaveDataAs() {
    const QString path =
        QFileDialog::getSaveFileName(chart_, QStringLiteral("Сохранить данные"),
                                     DefaultName(kind_) + QStringLiteral(".csv"), kCsvFilter);
    if (path.isEmpty()) return;
    const QString csv = QStringLiteral(".csv");
    SaveData(WithKnownSuffix(path, {csv}, csv));
}

void InstallChartExportMenus(ElasticLineCharts& charts) {
    using shaftline::report::ElasticChart;
    for (auto [chart, kind] : {std::pair{charts.Chart1(), ElasticChart::Nominal},
                               std::pair{charts.Chart2(), ElasticChart::Assembly}}) {
        QMenu* menu = (new ChartExportMenu(chart, kind))->Menu();
        auto* showAll = new QAction(QStringLiteral("Показать все"), menu);
        showAll->setObjectName(QStringLiteral("ShowAll"));
        QObject::connect(showAll, &QAction::triggered, &charts,
                         [&charts, chart] { charts.ShowAll(chart); });
        menu->insertAction(menu->actions().value(0), showAll);
        menu->insertSeparator(menu->actions().value(1));
    }
}
