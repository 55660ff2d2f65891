#pragma once

#include <QMainWindow>

class ElasticLineCharts;
class QAction;
class QLabel;
class QMenu;
class TShaftLineBook;

/// The main window: menu "Данные" -> "Ввод параметров", the two elastic-line charts one above
/// the other and the status line that tells the user the next step.
class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    explicit TForm1(QWidget* parent = nullptr);

    /// Menu command "Ввод параметров": shows the data-entry window modally, then draws the charts
    /// from its rotor records.
    void N2Click();

    /// The PDF report of the last calculation written to `path`; false after a message when
    /// there is nothing to report or the file cannot be written.
    bool ExportReport(const QString& path);
    /// The same report in the print preview, from which it is printed.
    void PrintReport();
    /// The results book (.xlsx) of the last calculation written to `path`; false after a
    /// message when there are no results or the book cannot be written.
    bool ExportResults(const QString& path);

    QString StatusText() const;
    ElasticLineCharts* Charts() const { return charts_; }

    /// Takes the book of the data-entry window into the menu "Файл" and the caption.
    void AttachBook(TShaftLineBook* book);

  protected:
    void showEvent(QShowEvent* event) override;
    /// Asks before unsaved changes are given up; Отмена keeps the program open.
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormActivate();
    void BuildFileMenu(QMenu* file);
    void ShowBook();

    ElasticLineCharts* charts_ = nullptr;
    QLabel* statusPanel_ = nullptr;
    bool activated_ = false;
    TShaftLineBook* book_ = nullptr;
    QList<QAction*> recentBooks_;
    // The items with keys, off while the data-entry window is shown: "Ввод параметров", the book
    // keys, which it has too, and printing, which takes the results of a calculation it may be
    // changing.
    QList<QAction*> bookKeys_;
};
