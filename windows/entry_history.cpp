#include "entry_history.h"

#include <QLineEdit>
#include <QUndoStack>

TEntryHistory::TEntryHistory(QObject* parent) : QObject(parent), stack_(new QUndoStack(this)) {}

void TEntryHistory::Push(QUndoCommand* command) {
    stack_->push(command);
}

void TEntryHistory::Undo() {
    EndTypingSession();
    stack_->undo();
}

void TEntryHistory::Redo() {
    EndTypingSession();
    stack_->redo();
}

TEntryCommand::TEntryCommand(TEntryHistory& history, const QString& text, QWidget* revealed,
                             bool alreadyDone, QUndoCommand* parent)
    : QUndoCommand(text, parent), history_(history), revealed_(revealed), skipDo_(alreadyDone) {}

void TEntryCommand::redo() {
    if (skipDo_) {
        skipDo_ = false;
        return;
    }
    {
        const TEntryHistory::Replay replay(history_);
        Do();
    }
    Reveal();
}

void TEntryCommand::undo() {
    {
        const TEntryHistory::Replay replay(history_);
        Undo();
    }
    Reveal();
}

void TEntryCommand::Reveal() {
    if (revealed_ == nullptr) return;
    if (history_.reveal) history_.reveal(revealed_);
    ShowChange();
}

TSetTextCommand::TSetTextCommand(TEntryHistory& history, const QString& text, QLineEdit* edit,
                                 const QString& before, const QString& after, int session,
                                 QWidget* revealed, bool alreadyDone, QUndoCommand* parent)
    : TEntryCommand(history, text, revealed, alreadyDone, parent),
      edit_(edit),
      before_(before),
      after_(after),
      session_(session) {}

bool TSetTextCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const TSetTextCommand*>(other);
    if (next->edit_ != edit_ || next->session_ != session_) return false;
    after_ = next->after_;
    setObsolete(after_ == before_);
    return true;
}

// setText puts the cursor at the end, so an edit that already shows the text is left alone.
void TSetTextCommand::Do() {
    if (edit_->text() != after_) edit_->setText(after_);
}

void TSetTextCommand::Undo() {
    if (edit_->text() != before_) edit_->setText(before_);
}

TTextRecorder::TTextRecorder(QLineEdit* edit, TEntryHistory& history, QString stepText,
                             QWidget* revealed)
    : QObject(edit),
      edit_(edit),
      history_(history),
      stepText_(std::move(stepText)),
      revealed_(revealed),
      known_(edit->text()) {
    connect(edit, &QLineEdit::textChanged, this, &TTextRecorder::Record);
    connect(edit, &QLineEdit::editingFinished, &history, &TEntryHistory::EndTypingSession);
}

void TTextRecorder::Record(const QString& text) {
    const QString before = std::exchange(known_, text);
    const bool spinnerStep = std::exchange(spinnerStep_, false);
    if (history_.Replaying()) return;
    if (spinnerStep) history_.EndTypingSession();
    history_.Push(new TSetTextCommand(history_, stepText_, edit_, before, text,
                                      spinnerStep ? -1 : history_.TypingSession(), revealed_,
                                      true));
}
