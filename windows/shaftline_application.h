#pragma once

#include <QApplication>
#include <QString>

/// Name of the installed menu entry (without ".desktop"), which is also the icon's name.
inline const QString kDesktopEntryName = QStringLiteral("org.shaftline.Shaftline");

/// The application object. Any exception that escapes an event handler ends up here: its
/// message is shown in an error box, the rest of that handler is skipped and the program goes on.
class TApplication : public QApplication {
    Q_OBJECT
  public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
