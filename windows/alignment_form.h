#pragma once

#include <QDialog>
#include <optional>

#include "coupled_shaft_line.h"
#include "coupling_alignment.h"

class QLabel;
class QTableWidgetItem;
class TAlignmentSketch;
class TFormDataInput;
class TLoadsGrid;

/// The alignment on site of the rotors rigidly coupled: the targets of every coupling in the
/// three states; per coupling its inputs (plane, diameter, tolerances, readings as bracket gaps
/// or as offset and gap per plane) with the verdicts; per bearing whether it is held, the
/// bounds of its vertical move, the moves and the loads as found. The inputs are the
/// data-entry window's, every change one step of its history; the records are only read.
class TFormAlignment : public QDialog {
    Q_OBJECT
  public:
    explicit TFormAlignment(QWidget* parent = nullptr);

    /// Couples rotors 1..count of `entry` and shows the alignment with its inputs. False, after
    /// a message, when the line cannot be coupled.
    bool FillAlignment(TFormDataInput* entry, int count, std::optional<int> base);

    TLoadsGrid* TargetsGrid() const { return targets_; }
    TLoadsGrid* InputsGrid() const { return inputs_; }
    TLoadsGrid* BearingsGrid() const { return bearings_; }
    QLabel* NoticeLabel() const { return notice_; }
    /// The line that names the support lifts in force the targets include.
    QLabel* InForceLabel() const { return inForce_; }
    TAlignmentSketch* Sketch() const { return sketch_; }
    /// What the tables show, as the core computed it from the inputs.
    const shaftline::AlignmentResult& Shown() const { return *shown_; }

    /// Columns of the couplings' inputs: the plane .. the bracket gaps or the readings are
    /// typed, the rest are results.
    enum InputColumn {
        kInNumber,
        kInPlane,
        kInDiameter,
        kInOffsetTolerance,
        kInGapTolerance,
        kInKind,
        kInFirstRow,                     // a1..a4
        kInSecondRow = kInFirstRow + 4,  // b1..b4, or the readings per plane
        kInClosure = kInSecondRow + 4,
        kInVerticalBefore,
        kInHorizontalBefore,
        kInVerticalAfter,
        kInHorizontalAfter,
        kInColumnCount
    };
    /// Columns of the bearings.
    enum BearingColumn {
        kBrSupport,
        kBrBearing,
        kBrFixed,
        kBrMoveMin,
        kBrMoveMax,
        kBrVertical,
        kBrHorizontal,
        kBrDesignLoad,
        kBrFoundLoad,
        kBrColumnCount
    };

  private:
    void Recalculate();
    void ShowTargets();
    void ShowInputs();
    void ShowBearings();
    void ShowSketch(const shaftline::AlignmentInputs& inputs);
    void InputTyped(int row, int column, const QString& text);
    void BoundTyped(int row, int column, const QString& text);
    void FixedToggled(QTableWidgetItem* item);
    void Refuse(const QString& place, const QString& text, const QString& why);

    TFormDataInput* entry_ = nullptr;
    int count_ = 0;
    std::optional<int> base_;
    std::optional<shaftline::CoupledShaftLine> coupled_;
    std::optional<shaftline::AlignmentResult> shown_;
    std::vector<int> fixedShown_;  ///< supports j held in what is shown
    bool filling_ = false;
    TLoadsGrid* targets_ = nullptr;
    TLoadsGrid* inputs_ = nullptr;
    TLoadsGrid* bearings_ = nullptr;
    QLabel* notice_ = nullptr;
    QLabel* inForce_ = nullptr;
    TAlignmentSketch* sketch_ = nullptr;
};
