#pragma once

#include <QDialog>
#include <array>
#include <optional>
#include <vector>

#include "coupled_shaft_line.h"
#include "shaft_line_workbook.h"

class QLabel;
class QPushButton;
class QTabWidget;
class TLoadsChart;
class TLoadsGrid;
class TSupportLiftTab;

/// The support loads of the rotors rigidly coupled: one tab per support state with a table of
/// the supports (loads, own loads, what the couplings shift, moments) and a bar chart of the
/// loads, each with an editable extra lift per support for a what-if; a tab with the
/// influence coefficients; and a tab that chooses the lifts for the loads and puts them into
/// every state. The rotor records are only read.
class TFormLoads : public QDialog {
    Q_OBJECT
  public:
    explicit TFormLoads(QWidget* parent = nullptr);

    /// Couples rotors 1..count as their records stand and fills every tab; the extra lifts
    /// start at the lifts in force (mm per support, missing ones 0), the supports of
    /// `baseRotor` (0: rotor 1) fixed for the choice of lifts, the journals as the book keeps
    /// them. False, after a message, when the line cannot be coupled.
    bool FillLoads(const shaftline::RotorArray& rotors, int count, int baseRotor = 0,
                   const std::vector<double>& liftsInForce = {},
                   const shaftline::io::JournalTexts& journals = {});

    QTabWidget* PageControl1() const { return pageControl1_; }
    TLoadsGrid* StateGrid(shaftline::SupportState state) const { return Tab(state).grid; }
    TLoadsChart* StateChart(shaftline::SupportState state) const { return Tab(state).chart; }
    QLabel* UnloadedLabel(shaftline::SupportState state) const { return Tab(state).unloaded; }
    /// The line under the table that names the supports carrying more than twice their own load.
    QLabel* OverloadedLabel(shaftline::SupportState state) const { return Tab(state).overloaded; }
    TLoadsGrid* InfluenceGrid() const { return influence_; }
    TSupportLiftTab* LiftTab() const { return liftTab_; }
    /// The line that names the lifts in force.
    QLabel* InForceLabel() const { return inForce_; }
    /// What a state tab shows: the state with its extra lifts.
    const shaftline::CoupledState& ShownState(shaftline::SupportState state) const {
        return Tab(state).shown;
    }
    const std::vector<double>& Lifts(shaftline::SupportState state) const {
        return Tab(state).lifts;
    }

    /// Table columns of a state tab.
    enum Column {
        kSupportColumn,
        kCoordColumn,
        kElevationColumn,
        kLiftColumn,
        kLoadColumn,
        kOwnLoadColumn,
        kShiftColumn,
        kMomentColumn,
        kBearingColumn,
        kColumnCount
    };

  signals:
    /// "Применить" (the chosen lifts) or "Сбросить" (all 0): the lifts to keep in force.
    void LiftsPutInForce(const std::vector<double>& lifts);
    /// A journal of the choice of lifts was typed: the journals to keep with the book.
    void JournalsEdited(const shaftline::io::JournalTexts& journals);

  private:
    struct StateTab {
        TLoadsGrid* grid = nullptr;
        TLoadsChart* chart = nullptr;
        QLabel* unloaded = nullptr;
        QLabel* overloaded = nullptr;
        std::vector<double> lifts;  ///< mm, per support
        shaftline::CoupledState shown;
    };

    const StateTab& Tab(shaftline::SupportState state) const {
        return tabs_[static_cast<std::size_t>(state)];
    }
    StateTab& Tab(shaftline::SupportState state) { return tabs_[static_cast<std::size_t>(state)]; }
    QWidget* BuildStateTab(shaftline::SupportState state);
    QWidget* BuildInfluenceTab();
    void ShowState(shaftline::SupportState state);
    void FillInfluence();
    void LiftTyped(shaftline::SupportState state, int support, const QString& text);
    void ResetLifts(shaftline::SupportState state);
    void SetAllLifts(const std::vector<double>& lifts);
    void PutInForce(const std::vector<double>& lifts);
    void ShowInForce();
    QString SupportCaption(int support) const;
    QString BearingText(shaftline::SupportState state, int support) const;

    QTabWidget* pageControl1_ = nullptr;
    TLoadsGrid* influence_ = nullptr;
    TSupportLiftTab* liftTab_ = nullptr;
    QLabel* inForce_ = nullptr;
    std::vector<double> liftsInForce_;  ///< mm per support
    std::array<StateTab, shaftline::kSupportStateCount> tabs_;
    std::optional<shaftline::CoupledShaftLine> coupled_;
    /// mm, per support: the rise of its bearing, which the assembly state subtracts.
    std::vector<double> bearingRises_;
};
