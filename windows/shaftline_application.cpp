#include "shaftline_application.h"

#include <QIcon>
#include <clocale>
#include <exception>

#include "message_boxes.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // The installed menu entry's name: the desktop matches the windows to it; its icon comes
    // from the icon theme (none in the build tree).
    setDesktopFileName(kDesktopEntryName);
    setWindowIcon(QIcon::fromTheme(kDesktopEntryName));
    // QApplication has set the C library's locale from the environment; numbers inside files
    // (and inside the libraries that write them) keep the '.', while numbers shown to a person
    // take the user's separator from QLocale.
    std::setlocale(LC_NUMERIC, "C");
}

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
