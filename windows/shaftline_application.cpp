#include "shaftline_application.h"

#include <exception>

#include "message_boxes.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowError(nullptr, QString::fromUtf8(error.what()));
    } catch (...) {
        ShowError(nullptr, QStringLiteral("Непредвиденная ошибка"));
    }
    return false;
}
