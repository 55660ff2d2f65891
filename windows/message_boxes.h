#pragma once

#include <QString>

class QWidget;

/// The program's name: the caption of its main window and of its message boxes.
QString ProgramTitle();

/// The program's message boxes: each is modal, has one OK button and returns when it is closed.
/// A null parent means the active window.

/// Plain notice (incomplete data, the new base rotor, a refused action).
void ShowMessage(QWidget* parent, const QString& text);

/// An action refused before it changed anything (no results yet, a value out of range), with
/// the reason and a warning icon.
void ShowRefusal(QWidget* parent, const QString& text);

/// An error that ended an action, with the error's own message.
void ShowError(QWidget* parent, const QString& text);

/// Warning with a title of its own and the technical cause under "Show Details...".
void ShowWarning(QWidget* parent, const QString& title, const QString& text,
                 const QString& detailedText);

/// The user's answer to the question whether to save the changes.
enum class SaveAnswer { Save, Discard, Cancel };

/// A question with the buttons Да (save, the default), Нет (give the changes up) and Отмена
/// (keep them and go back, also Escape and the close box).
SaveAnswer AskSaveChanges(QWidget* parent, const QString& text);
