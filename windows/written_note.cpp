#include "written_note.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QStatusBar>

#include "message_text.h"

namespace {

QStatusBar* StatusBarNear(QWidget* near) {
    QWidget* window = near != nullptr ? near->window() : QApplication::activeWindow();
    if (window != nullptr)
        if (auto* bar = window->findChild<QStatusBar*>()) return bar;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<QMainWindow*>(top)) return main->statusBar();
    return nullptr;
}

}  // namespace

void ShowWrittenNote(QWidget* near, const QString& what, const QString& path) {
    QStatusBar* bar = StatusBarNear(near);
    if (bar == nullptr) return;
    const QString shown = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    bar->showMessage(
        QStringLiteral("%1: «%2»")
            .arg(what, QString::fromStdString(shaftline::QuotedForMessage(shown.toStdString()))),
        kWrittenNoteMs);
}
