#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QDragEnterEvent;
class QDropEvent;
class QWidget;
class TFormDataInput;

/// The book file behind the data-entry window: which book it holds, opening a book of the
/// user's choice, saving the shaft line as an .xlsx book, the question before unsaved changes
/// are given up, and the five books used last (kept in the user's settings with the folder of
/// the last file dialog).
class TShaftLineBook : public QObject {
    Q_OBJECT
  public:
    /// Owned by the data-entry window whose data it opens and saves.
    explicit TShaftLineBook(TFormDataInput* form);

    /// The book the window holds; empty when it holds none (typed by hand or imported).
    QString Path() const { return path_; }
    /// The main window's caption: "Ротовал", with " — " and the book's file name when there is
    /// one, and "*" while the window holds changes not saved.
    QString Caption() const;
    /// Most recent first, at most kRecentBooks.
    QStringList RecentBooks() const;
    static constexpr int kRecentBooks = 5;

    /// Fills the window from the book after asking about unsaved changes; false when the user
    /// kept the data or the book was refused (after the reason).
    bool Open(const QString& path);
    /// The file dialog for *.xls *.xlsx *.ods, then Open.
    bool AskAndOpen();
    /// The book given on the command line (the first argument after the program), if any.
    bool OpenFromCommandLine(const QStringList& arguments);
    /// Saves over the book the window holds; without one, or when it is no .xlsx, asks for a
    /// name first. False when nothing was saved (cancelled, or the reason was shown).
    bool Save();
    bool SaveAs();
    bool SaveTo(const QString& path);
    /// "Сохранить изменения в книге?" when the window holds unsaved changes: Да saves, Нет
    /// gives them up, Отмена keeps them. True when the caller may go on.
    bool ConfirmSaveChanges();
    /// The window's data no longer come from the book: an import from `source` replaced them.
    /// Saving then asks for a name, so the template is never written over.
    void Forget(const QString& source);
    /// The book file the window's data were last read from, opened or imported; the report
    /// names it. Empty while nothing was read.
    QString Source() const { return source_; }

    /// A drag entering a window is accepted when it carries a book: one local .xls, .xlsx or
    /// .ods file.
    static void AcceptDraggedBook(QDragEnterEvent* event);
    /// A drop that carries a book is accepted, and the book opened once the drag has ended, so
    /// that questions and messages do not come inside it.
    void OpenDroppedBook(QDropEvent* event);

  signals:
    /// The book, its modified mark or the recent books changed.
    void changed();

  private:
    QWidget* DialogParent() const;
    void CommitTyping();
    QString AskFileName(bool save);
    void SetPath(const QString& path);
    void Remember(const QString& path);
    void ForgetRecent(const QString& path);

    TFormDataInput* form_;
    QString path_;
    QString source_;
};
