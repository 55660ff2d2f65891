// The context menu of the main window's charts: the picture and the data of what a chart draws.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLineSeries>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include "chart_export_menu.h"
#include "elastic_line_charts.h"
#include "line_chart.h"
#include "main_window.h"
#include "test_window_support.h"

namespace {

/// Rotors 1..count of lengths 1000, 1100, ... with 3, 4, ... sections, diameter 300, solved.
shaftline::RotorArray SolvedLine(int count) {
    shaftline::RotorArray rotors;
    for (int k = 1; k <= count; ++k) {
        auto rotor = std::make_unique<shaftline::TRotor>();
        const int sections = 2 + k;
        rotor->SetSectionCount(sections);
        for (int j = 1; j <= sections; ++j) {
            rotor->SetCoord(j, (900.0 + 100.0 * k) * j / sections);
            rotor->SetDiameter(j, 300);
            rotor->SetYoung(j, 2.1e4);
        }
        rotor->LeftSupportRise = 0.3;
        rotor->RightSupportRise = 0.1 * k;
        rotors[k] = std::move(rotor);
    }
    if (!shaftline::RunCalculation(rotors, count).empty()) qFatal("test line does not solve");
    return rotors;
}

ChartExportMenu* MenuOf(LineChart* chart) {
    return chart->findChild<ChartExportMenu*>();
}

QStringList ActionTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions()) texts << action->text();
    return texts;
}

// Splits the CSV rows of a chart's data file (no field of it is quoted).
QList<QStringList> CsvRows(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QByteArray bytes = file.readAll();
    if (!bytes.startsWith("\xEF\xBB\xBF")) return {};
    QList<QStringList> rows;
    for (const QString& line : QString::fromUtf8(bytes.mid(3)).split("\r\n", Qt::SkipEmptyParts))
        rows << line.split(u';');
    return rows;
}

// The file holds 15 significant digits.
bool SameNumber(const QLocale& locale, const QString& text, double value) {
    bool ok = false;
    const double read = locale.toDouble(text, &ok);
    return ok && qAbs(read - value) <= 1e-14 * qMax(1.0, qAbs(value));
}

}  // namespace

class TestChartExport : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        CreateAppWindows();
        Form1->resize(870, 627);
    }
    void cleanup() { DestroyAppWindows(); }

    void menuOffersPictureAndDataOnceTheChartDraws() {
        for (LineChart* chart : {Form1->Charts()->Chart1(), Form1->Charts()->Chart2()}) {
            ChartExportMenu* menu = MenuOf(chart);
            QVERIFY(menu != nullptr);
            QCOMPARE(ActionTexts(menu->Menu()),
                     QStringList({"Показать все", "", "Копировать изображение",
                                  "Сохранить изображение…", "Сохранить данные…"}));
            emit chart->customContextMenuRequested(QPoint(20, 20));
            for (const QAction* action : menu->Menu()->actions()) QVERIFY(!action->isEnabled());
            menu->Menu()->hide();
        }
        const shaftline::RotorArray rotors = SolvedLine(3);
        Form1->Charts()->Fill(rotors, 3);
        LineChart* chart = Form1->Charts()->Chart1();
        emit chart->customContextMenuRequested(QPoint(20, 20));
        for (const QAction* action : MenuOf(chart)->Menu()->actions()) QVERIFY(action->isEnabled());
        MenuOf(chart)->Menu()->hide();
    }

    void dataFileHoldsEveryDrawnPointInTheUsersLocale() {
        const shaftline::RotorArray rotors = SolvedLine(5);
        Form1->Charts()->SetChartZoom(90);
        Form1->Charts()->Fill(rotors, 5);
        QTemporaryDir dir;
        for (LineChart* chart : {Form1->Charts()->Chart1(), Form1->Charts()->Chart2()}) {
            const QString path = dir.filePath(chart->objectName() + ".csv");
            QVERIFY(MenuOf(chart)->SaveData(path));
            const QList<QStringList> rows = CsvRows(path);
            QVERIFY(!rows.isEmpty());
            QCOMPARE(rows[0], QStringList({"Ротор", "X, мм", "Y, мм"}));
            const QLocale russian;
            int row = 1;
            for (int index = 0; index < chart->SeriesCount(); ++index) {
                for (const QPointF& point : chart->Series(index)->points()) {
                    QVERIFY2(row < rows.size(), "a drawn point is missing from the file");
                    QCOMPARE(rows[row].size(), 3);
                    QCOMPARE(rows[row][0], QString::number(index + 1));
                    QVERIFY(SameNumber(russian, rows[row][1], point.x()));
                    QVERIFY(SameNumber(russian, rows[row][2], point.y()));
                    ++row;
                }
            }
            QCOMPARE(row, rows.size());
            QCOMPARE(row - 1, 4 + 6 + 8);  // rotors 1, 3 and 5: N + 1 points each
        }
    }

    void picturesAreWrittenAsPngAndSvgAndCopied() {
        const shaftline::RotorArray rotors = SolvedLine(3);
        Form1->Charts()->Fill(rotors, 3);
        ChartExportMenu* menu = MenuOf(Form1->Charts()->Chart2());
        QTemporaryDir dir;
        QVERIFY(menu->SavePicture(dir.filePath("chart.png")));
        const QImage png(dir.filePath("chart.png"));
        QVERIFY(!png.isNull());
        QVERIFY(png.width() >= 640 && png.height() >= 360);
        QVERIFY(menu->SavePicture(dir.filePath("chart.SVG")));
        QVERIFY(QSvgRenderer(dir.filePath("chart.SVG")).isValid());

        QGuiApplication::clipboard()->clear();
        menu->CopyPicture();
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        QVERIFY(copied != nullptr && copied->hasImage());
        QVERIFY(copied->data("image/svg+xml").contains("<svg"));
    }

    void fileThatCannotBeWrittenIsReported() {
        const shaftline::RotorArray rotors = SolvedLine(1);
        Form1->Charts()->Fill(rotors, 1);
        ModalWatcher watcher;
        QVERIFY(!MenuOf(Form1->Charts()->Chart1())->SaveData("/no/such/folder/line.csv"));
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        QCOMPARE(watcher.boxes[0].text,
                 QString("Не удалось записать файл «/no/such/folder/line.csv»."));
    }
};

SHAFTLINE_WINDOW_TEST_MAIN(TestChartExport)
#include "test_chart_export.moc"
