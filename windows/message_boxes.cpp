#include "message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

void Show(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
          const QString& detailedText) {
    QMessageBox box(icon, title, text, QMessageBox::Ok,
                    parent != nullptr ? parent : QApplication::activeWindow());
    if (!detailedText.isEmpty()) box.setDetailedText(detailedText);
    box.exec();
}

}  // namespace

QString ProgramTitle() {
    return QStringLiteral("Ротовал");
}

void ShowMessage(QWidget* parent, const QString& text) {
    Show(parent, QMessageBox::NoIcon, ProgramTitle(), text, {});
}

void ShowRefusal(QWidget* parent, const QString& text) {
    Show(parent, QMessageBox::Warning, ProgramTitle(), text, {});
}

void ShowError(QWidget* parent, const QString& text) {
    Show(parent, QMessageBox::Critical, ProgramTitle(), text, {});
}

void ShowWarning(QWidget* parent, const QString& title, const QString& text,
                 const QString& detailedText) {
    Show(parent, QMessageBox::Warning, title, text, detailedText);
}

SaveAnswer AskSaveChanges(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, ProgramTitle(), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    parent != nullptr ? parent : QApplication::activeWindow());
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Отмена"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return SaveAnswer::Save;
        case QMessageBox::No:
            return SaveAnswer::Discard;
        default:
            return SaveAnswer::Cancel;
    }
}
