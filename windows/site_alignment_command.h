#pragma once

#include "data_input_form.h"
#include "entry_history.h"

/// The data-entry window's cells of the alignment on site from one whole set to another.
class TSiteAlignmentCommand : public TEntryCommand {
  public:
    TSiteAlignmentCommand(TEntryHistory& history, TFormDataInput& form,
                          const TFormDataInput::SiteAlignment& before,
                          const TFormDataInput::SiteAlignment& after, QUndoCommand* parent,
                          const QString& text = {})
        : TEntryCommand(history, text, nullptr, false, parent),
          form_(form),
          before_(before),
          after_(after) {}

  protected:
    void Do() override { form_.siteAlignment_ = after_; }
    void Undo() override { form_.siteAlignment_ = before_; }

  private:
    TFormDataInput& form_;
    TFormDataInput::SiteAlignment before_;
    TFormDataInput::SiteAlignment after_;
};
