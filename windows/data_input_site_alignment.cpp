// The alignment on site: its inputs kept with the book and the window that shows it.
#include "alignment_form.h"
#include "app_windows.h"
#include "data_input_form.h"
#include "site_alignment_command.h"

void TFormDataInput::SetSiteAlignmentInputs(const SiteAlignment& cells, const QString& what) {
    if (cells == siteAlignment_) return;
    history_->Push(
        new TSiteAlignmentCommand(*history_, *this, siteAlignment_, cells, nullptr, what));
}

// Like the loads, the alignment reads the records of the last calculation run.
void TFormDataInput::ButtonAlignmentClick() {
    const int count = RotorCount();
    if (!ReportMissing(shaftline::MissingRotors(rotors_, count),
                       QStringLiteral("увидеть центровку")))
        return;
    if (!FormAlignment->FillAlignment(this, count, AlignedBaseRotor(count))) return;
    FormAlignment->exec();
}
