#pragma once

#include <QDialog>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shaft_line.h"
#include "sheet_layout.h"
#include "support.h"

namespace shaftline {
class TransferError;
struct RotorProblem;
struct AlignmentResult;
namespace io {
struct ShaftLineWorkbook;
}
namespace report {
struct ReportInput;
}
}  // namespace shaftline
class QButtonGroup;
class QDragEnterEvent;
class QDropEvent;
class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QUndoCommand;
class QUndoStack;
class TEntryHistory;
class TFormAlignment;
class TShaftLineBook;
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
    /// mm per support J0..J(n): the support lifts in force, saved with the book; empty: none.
    const std::vector<double>& LiftsInForce() const { return liftsInForce_; }
    /// Puts lifts in force (all 0: none) as one step of the history.
    void PutLiftsInForce(const std::vector<double>& lifts);
    /// The journal diameters, lengths and allowed pressures of the supports as typed for the
    /// choice of lifts, saved with the book.
    const shaftline::io::JournalTexts& Journals() const { return journals_; }
    /// Takes typed journal texts as one step of the history.
    void PutJournals(const shaftline::io::JournalTexts& journals);
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
    /// "Центровка": the alignment on site of the calculated line.
    void ButtonAlignmentClick();

    /// A sheet's cells of the alignment on site (L1:R2), as the book keeps them.
    using SiteAlignmentCells = std::array<std::array<std::string, shaftline::io::kAlignmentColumns>,
                                          shaftline::io::kAlignmentRows>;
    using SiteAlignment = std::array<SiteAlignmentCells, shaftline::kMaxRotors>;
    /// The alignment cells of sheets 1..19 (index rotor − 1): those of the last book opened,
    /// as the alignment window has edited them since; saved with the book.
    const SiteAlignment& SiteAlignmentInputs() const { return siteAlignment_; }
    /// Replaces the alignment cells as one step of the history named `what`; nothing when
    /// they do not change.
    void SetSiteAlignmentInputs(const SiteAlignment& cells, const QString& what);
    /// "Открыть книгу": the file dialog, then the book into the window.
    void SpeedButton3Click();

    /// True when every section cell of rotors 1..count holds text; otherwise names the
    /// lowest-numbered incomplete rotor in a message box.
    bool AllDataFilled();
    /// Builds fresh records for rotors 1..count from the grids and calculates them; the records
    /// replace those in Rotors only when every rotor converted and calculated. Reports the
    /// failure and answers false otherwise, with Rotors unchanged.
    bool SaveRotors();
    /// Support rises of rotor Index + 1 from row 1 of its support grid, stored in the rotor and
    /// in LeftRise/RightRise. False (after a message) when a cell does not convert or the values
    /// the rises give would not be finite; the rotor then keeps its previous rises.
    bool CalcSupportRises(int index);
    /// Fills counts and grids from the workbook "Data.xls" beside the program.
    void ImportFromExcel();
    /// The import from a given workbook file. False when the workbook was refused, after the
    /// warning; the window is then unchanged.
    bool ImportFromWorkbook(const QString& path);
    /// Counts, section grids and support grids of rotors 1..sheet count from a book that the
    /// reader has accepted whole.
    /// With restoreTypes the type selectors of rotors 1..sheet count take the types the book
    /// carries too, in the same step (a book of the user's choice; the import sets no types).
    void FillFromBook(const shaftline::io::ShaftLineWorkbook& book, bool restoreTypes = false);
    static QString TemplatePath();

    /// The report button: after the same checks as ReportInputForExport, asks for a file name
    /// and writes the PDF report there.
    void SpeedButton4Click();
    /// The inputs and results of the last calculation as a report shows them. Null, after a
    /// message, when rotors 1..count have no results or their pages no longer hold the inputs
    /// the results were calculated from.
    std::shared_ptr<const shaftline::report::ReportInput> ReportInputForExport();
    /// The same for the results book, whose messages say so.
    std::shared_ptr<const shaftline::report::ReportInput> ResultsForExport();
    /// The window's undo history: every change of counts, rotor types and cells is one step of
    /// it. Clean after a book has filled the window.
    QUndoStack* UndoStack() const;
    /// The import button's work on a given workbook: the import, then the status text, which
    /// stays as it was when the workbook was refused for its content.
    void ImportBook(const QString& path);
    /// A book of the user's choice, filled in as the import fills it, then the rotor types the
    /// book carries and the import's status text. False after the reason when the book was
    /// refused; the window is then unchanged.
    bool OpenBook(const QString& path);
    /// Ticks the base rotor a book carries (and no other) as the choice for the next "Расчет".
    void RestoreBaseRotor(const shaftline::io::ShaftLineWorkbook& book);
    /// The lifts in force and the journals a book carries, as child steps of its loading.
    void RestoreSupportRows(const shaftline::io::ShaftLineWorkbook& book, QUndoCommand* step);
    /// Puts the types a book carries into the type selectors of rotors 1..sheet count.
    /// The changes become children of `step`, or one step of their own when there is none.
    void RestoreRotorTypes(const shaftline::io::ShaftLineWorkbook& book,
                           QUndoCommand* step = nullptr);
    /// Counts, section and support texts and rotor types of the rotors shown, and the ticked
    /// base rotor, as a book holds them.
    shaftline::io::ShaftLineWorkbook BookFromWindow() const;
    /// The book file the window's data belong to.
    TShaftLineBook* Book() const { return book_; }

    /// True when counts, types or cells changed since the last open, save or import.
    bool IsModified() const;
    void SetUnmodified();

  signals:
    void modifiedChanged(bool modified);

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

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
    /// The error box of problems found after conversion, titled `title`, over the first
    /// problem's section grid or support grid.
    void ShowProblems(const std::vector<shaftline::RotorProblem>& problems, const QString& title,
                      bool supportGrid);
    bool ReportMissing(const std::vector<int>& missing, const QString& action);
    bool RecordExists(int rotor, const QString& action);
    std::optional<shaftline::SupportData> ReadSupportData(int rotor);
    bool AlignShaftLine(int base, const std::vector<shaftline::SupportData>& supports);
    enum class Intake { Filled, Unusable, ContentRefused };
    Intake ImportIntoWindow(const QString& path);
    /// A fresh record from the texts of rotor page `rotor`; throws TransferError.
    std::unique_ptr<shaftline::TRotor> RotorFromPage(int rotor, std::string_view separator) const;
    bool PagesHoldCalculatedInputs(int count, const QString& action);
    std::shared_ptr<const shaftline::report::ReportInput> CalculationForExport(
        const QString& action);
    std::optional<int> AlignedBaseRotor(int count) const;
    std::optional<shaftline::AlignmentResult> SiteAlignmentResult(
        const shaftline::io::ShaftLineWorkbook& book, int count, std::optional<int> base) const;

    friend class TSiteAlignmentCommand;
    shaftline::RotorArray rotors_;
    SiteAlignment siteAlignment_{};
    int baseRotorNumber_ = 0;
    std::vector<double> liftsInForce_;
    shaftline::io::JournalTexts journals_{};
    /// The base rotor an opened book carries, ticked and aligned to at the next "Расчет";
    /// 0 when there is none or the engineer has ticked a box since.
    int pendingBaseRotor_ = 0;
    double leftRise_ = 0;   ///< mm
    double rightRise_ = 0;  ///< mm

    QLineEdit* editKolRotor_ = nullptr;
    QButtonGroup* radioGroup1_ = nullptr;
    QPushButton* button21_ = nullptr;
    QTabWidget* pageControl1_ = nullptr;
    QLabel* statusPanel_ = nullptr;
    TEntryHistory* history_ = nullptr;
    TShaftLineBook* book_ = nullptr;
};
