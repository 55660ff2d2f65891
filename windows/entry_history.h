#pragma once

#include <QObject>
#include <QString>
#include <QUndoCommand>
#include <functional>

class QLineEdit;
class QUndoStack;
class QWidget;

/// The undo history of the data-entry window: one stack whose steps are small commands, each
/// doing and undoing one user action. While a command does or undoes its change the history is
/// replaying, so the recorders of typed changes leave that change alone.
class TEntryHistory : public QObject {
    Q_OBJECT
  public:
    explicit TEntryHistory(QObject* parent);

    QUndoStack* Stack() const { return stack_; }
    bool Replaying() const { return replaying_ > 0; }

    void Push(QUndoCommand* command);
    void Undo();
    void Redo();

    /// Changes typed into one edit merge into one step until the typing session ends: on leaving
    /// the edit, on Enter, and on every undo or redo.
    int TypingSession() const { return typingSession_; }
    void EndTypingSession() { ++typingSession_; }

    /// Brings the control that a step changed into view (its page, its grid); set by the window.
    std::function<void(QWidget*)> reveal;

    /// Marks the history as replaying while alive.
    class Replay {
      public:
        explicit Replay(TEntryHistory& history) : history_(history) { ++history_.replaying_; }
        ~Replay() { --history_.replaying_; }
        Replay(const Replay&) = delete;
        Replay& operator=(const Replay&) = delete;

      private:
        TEntryHistory& history_;
    };

  private:
    QUndoStack* stack_;
    int replaying_ = 0;
    int typingSession_ = 0;
};

/// A step of the history. Do and Undo run while the history replays; a step recorded from a
/// change that the user has already made skips its first Do. A step with a control to reveal
/// brings it into view after each later Do and Undo, and then shows what changed.
class TEntryCommand : public QUndoCommand {
  public:
    TEntryCommand(TEntryHistory& history, const QString& text, QWidget* revealed, bool alreadyDone,
                  QUndoCommand* parent);

    void redo() final;
    void undo() final;

  protected:
    virtual void Do() = 0;
    virtual void Undo() = 0;
    /// Marks the changed part (a cell block, a row) once the control is in view.
    virtual void ShowChange() {}

    TEntryHistory& history_;

  private:
    void Reveal();

    QWidget* revealed_;
    bool skipDo_;
};

/// One line edit's text from `before` to `after`. Steps of one typing session in the same edit
/// merge; a session of -1 never merges.
class TSetTextCommand : public TEntryCommand {
  public:
    TSetTextCommand(TEntryHistory& history, const QString& text, QLineEdit* edit,
                    const QString& before, const QString& after, int session, QWidget* revealed,
                    bool alreadyDone, QUndoCommand* parent = nullptr);

    int id() const override { return session_ < 0 ? -1 : 1; }
    bool mergeWith(const QUndoCommand* other) override;

  protected:
    void Do() override;
    void Undo() override;

  private:
    QLineEdit* edit_;
    QString before_;
    QString after_;
    int session_;
};

/// Makes every change of a line edit's text that does not come from the history a step: a
/// count edit, or the line edit of the rotor-type selector. A spinner step is a step of its
/// own; other changes merge within the typing session.
class TTextRecorder : public QObject {
  public:
    TTextRecorder(QLineEdit* edit, TEntryHistory& history, QString stepText, QWidget* revealed);

    /// The next change comes from the attached spinner.
    void MarkSpinnerStep() { spinnerStep_ = true; }

  private:
    void Record(const QString& text);

    QLineEdit* edit_;
    TEntryHistory& history_;
    QString stepText_;
    QWidget* revealed_;
    QString known_;
    bool spinnerStep_ = false;
};
