#include "help_menu.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include "help_form.h"
#include "message_boxes.h"

namespace {

struct UsedLibrary {
    const char* name;
    const char* licence;
};

// What the windowed program links, with the licences under which the system ships them.
constexpr UsedLibrary kUsedLibraries[] = {
    {"Qt 6 (Core, Gui, Widgets, PrintSupport, Svg, OpenGL)", "LGPL-3.0 или GPL-2.0"},
    {"Qt 6 Charts", "GPL-3.0"},
    {"libgsf (контейнер книг .xls)", "LGPL-2.1"},
    {"GLib", "LGPL-2.1 или более поздняя"},
    {"libxml2 (XML книг .xlsx и .ods)", "MIT"},
    {"zlib (zip-контейнер книг .xlsx и .ods)", "Zlib"},
    {"libxlsxwriter (запись книг .xlsx)", "BSD-2-Clause"},
    {"libstdc++, libgcc (среда выполнения GCC)",
     "GPL-3.0 или более поздняя с исключением для библиотек среды выполнения GCC"},
};

}  // namespace

QString AboutText() {
    QString libraries;
    for (const UsedLibrary& library : kUsedLibraries)
        libraries += QStringLiteral("<tr><td>%1</td><td>&nbsp;%2</td></tr>")
                         .arg(QString::fromUtf8(library.name).toHtmlEscaped(),
                              QString::fromUtf8(library.licence).toHtmlEscaped());
    return QStringLiteral(
               "<h3>%1</h3>"
               "<p>Расчёт упругой линии и центровки валопровода турбоагрегата.</p>"
               "<p>Версия %2 (Qt %3).</p>"
               "<p>Свободная программа: её можно распространять и изменять на условиях "
               "GNU General Public License версии 3 или (по вашему выбору) любой более поздней "
               "версии (GPL-3.0-or-later). Программа распространяется без каких-либо "
               "гарантий.</p>"
               "<p>Используемые библиотеки и их лицензии:</p>"
               "<table>%4</table>"
               "<p>Полный текст лицензии и сведения о библиотеках: "
               "/usr/share/doc/shaftline/.</p>")
        .arg(ProgramTitle(), QStringLiteral(SHAFTLINE_VERSION), QString::fromLatin1(qVersion()),
             libraries);
}

void ShowAboutBox(QWidget* parent) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("О программе"), AboutText(),
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("AboutBox"));
    box.setTextFormat(Qt::RichText);
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull()) box.setIconPixmap(icon.pixmap(64, 64));
    box.exec();
}

void AddHelpMenu(QMenuBar* menuBar, QWidget* owner) {
    QMenu* help = menuBar->addMenu(QStringLiteral("&Справка"));
    help->menuAction()->setObjectName(QStringLiteral("MenuHelp"));
    QAction* manual = help->addAction(QStringLiteral("&Руководство"));
    manual->setObjectName(QStringLiteral("ActionManual"));
    manual->setShortcut(QKeySequence::HelpContents);
    // One help window, made at the first request and kept with its place and search.
    QObject::connect(manual, &QAction::triggered, owner, [owner] {
        auto* window = owner->findChild<TFormHelp*>(QString(), Qt::FindDirectChildrenOnly);
        if (window == nullptr) window = new TFormHelp(owner);
        window->ShowManual();
    });
    QAction* about = help->addAction(QStringLiteral("&О программе"));
    about->setObjectName(QStringLiteral("ActionAbout"));
    QObject::connect(about, &QAction::triggered, owner, [owner] { ShowAboutBox(owner); });
}
