#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "coupled_shaft_line.h"
#include "shaft_line_workbook.h"
#include "support_lift_optimisation.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class TLoadsGrid;

/// "Подбор высот опор": the task of the support lifts (target loads, band, least load, counted
/// states, fixed supports, lift ranges, journal sizes and allowed pressures), "Подобрать" that
/// solves it, the loads before and after, the pressures and the lifts in words; "Применить" hands the lifts on, "Сбросить" takes them back.
class TSupportLiftTab : public QWidget {
    Q_OBJECT
  public:
    explicit TSupportLiftTab(QWidget* parent = nullptr);

    /// The line to choose lifts for (it must outlive the tab's use of it); the supports of
    /// `baseRotor` (0: rotor 1) start fixed, the journal columns hold the texts kept with the
    /// book. Clears an earlier result.
    void SetLine(const shaftline::CoupledShaftLine& coupled, int baseRotor,
                 const shaftline::io::JournalTexts& journals = {});
    /// The journal columns' texts, J0 first, then any kept for supports past the line's.
    shaftline::io::JournalTexts Journals() const;

    const std::optional<shaftline::SupportLiftOptimum>& Optimum() const { return optimum_; }

    /// Columns of the supports' table.
    enum TaskColumn {
        kTaskSupport,
        kTaskTarget,
        kTaskFixed,
        kTaskMin,
        kTaskMax,
        kTaskDiameter,
        kTaskLength,
        kTaskPressure,
        kTaskColumnCount
    };

  signals:
    void LiftsApplied(const std::vector<double>& lifts);
    void LiftsCleared();
    /// A journal diameter, length or allowed pressure was typed.
    void JournalsEdited(const shaftline::io::JournalTexts& journals);

  private:
    void Optimise();
    std::optional<shaftline::SupportLiftTask> ReadTask();
    void ShowOptimum();
    void MarkViolations();

    const shaftline::CoupledShaftLine* coupled_ = nullptr;
    int baseRotor_ = 0;
    std::optional<shaftline::SupportLiftOptimum> optimum_;
    /// The journals kept with the book, also those of supports past the line's last one.
    shaftline::io::JournalTexts journals_{};

    QComboBox* target_ = nullptr;
    QLineEdit* band_ = nullptr;
    QLineEdit* minLoad_ = nullptr;
    QCheckBox* nominal_ = nullptr;
    QCheckBox* assembly_ = nullptr;
    QTableWidget* supports_ = nullptr;
    QPushButton* apply_ = nullptr;
    QPlainTextEdit* summary_ = nullptr;
    TLoadsGrid* result_ = nullptr;
};
