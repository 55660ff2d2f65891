#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "shaft_line.h"
#include "support.h"

namespace shaftline {
class TransferError;
struct RotorProblem;
namespace io {
struct ShaftLineWorkbook;
}
}  // namespace shaftline
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QUndoStack;
class TEntryHistory;
class TStringGrid;

/// The data-entry window: one page per rotor with its counts, type, section grid and support
/// grid; the import, the calculation run, the choice of the base rotor with the alignment, and
/// the buttons that open the parameters window, the sketch and the support scheme. It owns the
/// rotor records for the life of the program.
class TFormDataInput : public QDialog {
    Q_OBJECT
  public:
    explicit TFormDataInput(QWidget* parent = nullptr);
    ~TFormDataInput() override;

    shaftline::RotorArray& Rotors() { return rotors_; }
    const shaftline::RotorArray& Rotors() const { return rotors_; }
    int BaseRotorNumber() const { return baseRotorNumber_; }
    /// Rises of the rotor whose support data were converted last, mm.
    double LeftRise() const { return leftRise_; }
    double RightRise() const { return rightRise_; }

    QString RotorCountText() const;
    QString StatusText() const;
    QTabWidget* PageControl1() const { return pageControl1_; }

    // Per-rotor controls (rotor 1..19), found by name: page, then panel, then control.
    QWidget* Page(int rotor) const;
    QLineEdit* EditUchast(int rotor) const;
    QCheckBox* CheckBoxR(int rotor) const;
    QComboBox* ComboBox(int rotor) const;
    TStringGrid* GridInitParams(int rotor) const;
    TStringGrid* AddParams(int rotor) const;

    // Handlers of the window's controls.
    void FormActivate();
    void EditKolRotorChange();
    void UpDownInc(int rotor);
    void RadioGroup1Click();
    void PageControl1Change();
    void Button20Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void TickCheckBox(int rotor);
    void PressParamsBtn();
    void Button21Click();
    void ButtonLoadsClick();

    /// True when every section cell of rotors 1..count holds text; otherwise names the
    /// lowest-numbered incomplete rotor in a message box.
    bool AllDataFilled();
    /// Builds fresh records for rotors 1..count from the grids and calculates them; the records
    /// replace those in Rotors only when every rotor converted and calculated. Reports the
    /// failure and answers false otherwise, with Rotors unchanged.
    bool SaveRotors();
    /// Support rises of rotor Index + 1 from row 1 of its support grid, stored in the rotor and
    /// in LeftRise/RightRise. False (after a message) when a cell does not convert.
    bool CalcSupportRises(int index);
    /// Fills counts and grids from the workbook "Data.xls" beside the program.
    void ImportFromExcel();
    /// The import from a given workbook file. False when the workbook was refused, after the
    /// warning; the window is then unchanged.
    bool ImportFromWorkbook(const QString& path);
    /// Counts, section grids and support grids of rotors 1..sheet count from a book that the
    /// reader has accepted whole.
    void FillFromBook(const shaftline::io::ShaftLineWorkbook& book);
    static QString TemplatePath();

    /// The window's undo history: every change of counts, rotor types and cells is one step of
    /// it. Clean after a book has filled the window.
    QUndoStack* UndoStack() const;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool FormKeyPress(QKeyEvent* event);
    void InstallHistory();
    bool EditingKeyPress(QObject* target, QKeyEvent* event);
    void RevealControl(QWidget* control);
    void BuildSourcePanel(QWidget* panel);
    QWidget* BuildRotorPage(int rotor);
    QWidget* RotorControlWidget(int rotor, const char* panelPrefix, const char* prefix) const;
    template <typename T>
    T* RotorControl(int rotor, const char* panelPrefix, const char* prefix) const {
        return qobject_cast<T*>(RotorControlWidget(rotor, panelPrefix, prefix));
    }
    void SetStatusText(const QString& text);
    int RotorCount() const;
    void WriteDeflections(int count);
    void ShowGrid(int rotor, bool supportGrid);
    void ShowTransferError(const shaftline::TransferError& error, bool supportGrid);
    void ShowProblems(const std::vector<shaftline::RotorProblem>& problems);
    bool ReportMissing(const std::vector<int>& missing, const QString& action);
    bool RecordExists(int rotor, const QString& action);
    std::optional<shaftline::SupportData> ReadSupportData(int rotor);
    void StoreRises(int rotor, const shaftline::SupportData& data);
    void AlignShaftLine(const std::vector<shaftline::SupportData>& supports);

    shaftline::RotorArray rotors_;
    int baseRotorNumber_ = 0;
    double leftRise_ = 0;   ///< mm
    double rightRise_ = 0;  ///< mm

    QLineEdit* editKolRotor_ = nullptr;
    QButtonGroup* radioGroup1_ = nullptr;
    QPushButton* button21_ = nullptr;
    QTabWidget* pageControl1_ = nullptr;
    QLabel* statusPanel_ = nullptr;
    TEntryHistory* history_ = nullptr;
};
