#include "message_boxes.h"

#include <QApplication>
#include <QMessageBox>

namespace {

const QString kProgramTitle = QStringLiteral("Ротовал");

void Show(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
          const QString& detailedText) {
    QMessageBox box(icon, title, text, QMessageBox::Ok,
                    parent != nullptr ? parent : QApplication::activeWindow());
    if (!detailedText.isEmpty()) box.setDetailedText(detailedText);
    box.exec();
}

}  // namespace

void ShowMessage(QWidget* parent, const QString& text) {
    Show(parent, QMessageBox::NoIcon, kProgramTitle, text, {});
}

void ShowError(QWidget* parent, const QString& text) {
    Show(parent, QMessageBox::Critical, kProgramTitle, text, {});
}

void ShowWarning(QWidget* parent, const QString& title, const QString& text,
                 const QString& detailedText) {
    Show(parent, QMessageBox::Warning, title, text, detailedText);
}
