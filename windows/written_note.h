#pragma once

#include <QString>

class QWidget;

/// How long the status bar tells what was written, ms.
inline constexpr int kWrittenNoteMs = 15000;

/// After a file was written: "`what`: «path»" in the status bar of the window `near` belongs
/// to, or of the main window when that one has none. The status bar's own guidance text comes
/// back when the note times out.
void ShowWrittenNote(QWidget* near, const QString& what, const QString& path);
