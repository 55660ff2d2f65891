// The menu "Справка": the manual in the help window (F1, contents, search) and the box "О
// программе".
#include <QAction>
#include <QImage>
#include <QListWidget>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTextBrowser>

#include "help_form.h"
#include "main_window.h"
#include "test_window_support.h"

namespace {

QAction* MenuItem(const char* name) {
    return Form1->findChild<QAction*>(QString::fromLatin1(name));
}

TFormHelp* HelpWindow() {
    return Form1->findChild<TFormHelp*>();
}

TFormHelp* OpenWithF1() {
    QTest::keyClick(Form1, Qt::Key_F1);
    return HelpWindow();
}

// Types Cyrillic text as a keyboard would: a key event per character, carrying its text.
void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QListWidgetItem* ContentsItem(TFormHelp* help, const QString& heading) {
    for (int row = 0; row < help->Contents()->count(); ++row) {
        QListWidgetItem* item = help->Contents()->item(row);
        if (item->text().trimmed() == heading) return item;
    }
    return nullptr;
}

}  // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        CreateAppWindows();
        Form1->show();
        QVERIFY(QTest::qWaitForWindowActive(Form1));
    }
    void cleanup() { DestroyAppWindows(); }

    void helpMenuComesLastWithItsItems() {
        const QList<QAction*> menus = Form1->menuBar()->actions();
        QCOMPARE(menus.last()->objectName(), QString("MenuHelp"));
        QCOMPARE(menus.last()->text(), QString("&Справка"));
        QCOMPARE(MenuItem("ActionManual")->text(), QString("&Руководство"));
        QCOMPARE(MenuItem("ActionManual")->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(MenuItem("ActionAbout")->text(), QString("&О программе"));
    }

    void f1OpensOneHelpWindowBesideTheMainWindow() {
        QVERIFY(HelpWindow() == nullptr);
        TFormHelp* help = OpenWithF1();
        QVERIFY(help != nullptr);
        QVERIFY(help->isVisible());
        QVERIFY(!help->isModal());
        QCOMPARE(help->windowTitle(), QString("Руководство"));
        QVERIFY(help->Text()->toPlainText().contains("Ротовал — руководство"));
        Form1->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        QCOMPARE(OpenWithF1(), help);
        QCOMPARE(Form1->findChildren<TFormHelp*>().size(), 1);
    }

    void contentsListsTheSectionsInOrder() {
        TFormHelp* help = OpenWithF1();
        QStringList headings;
        for (int row = 0; row < help->Contents()->count(); ++row)
            headings << help->Contents()->item(row)->text();
        const QStringList sections = {"Что считает программа", "Расчётная модель",
                                      "Единицы и знаки",       "Книга с данными",
                                      "Порядок работы",        "Расчёт из командной строки",
                                      "Пример: образец книги"};
        QCOMPARE(headings.filter(QRegularExpression("^\\S")), sections);
        // Parts of a section stand indented under it.
        QVERIFY(headings.indexOf("    Промежуточные валы на чётных позициях") >
                headings.indexOf("Расчётная модель"));
    }

    void choosingAHeadingShowsIt_data() {
        QTest::addColumn<QString>("heading");
        QTest::newRow("section") << "Книга с данными";
        QTest::newRow("part") << "Подъёмы опор и три состояния";
        QTest::newRow("workflow part") << "Базовый ротор";
    }
    void choosingAHeadingShowsIt() {
        QFETCH(QString, heading);
        TFormHelp* help = OpenWithF1();
        QListWidgetItem* item = ContentsItem(help, heading);
        QVERIFY(item != nullptr);
        const QRect place = help->Contents()->visualItemRect(item);
        QTest::mouseClick(help->Contents()->viewport(), Qt::LeftButton, {}, place.center());
        QCOMPARE(help->ShownHeading(), heading);
    }

    void searchMarksEveryPlaceAndStepsThroughThem() {
        TFormHelp* help = OpenWithF1();
        TypeText(help->Search(), "цапф");
        const int places = help->Text()->extraSelections().size();
        QVERIFY(places >= 3);
        QCOMPARE(help->SearchStatus(), QString("Найдено: %1").arg(places));
        QCOMPARE(help->Text()->textCursor().selectedText().toLower(), QString("цапф"));
        const int first = help->Text()->textCursor().position();
        QTest::keyClick(help->Search(), Qt::Key_Return);
        QVERIFY(help->Text()->textCursor().position() > first);
        // Past the last place the search starts again from the first one.
        for (int step = 1; step < places; ++step) QTest::keyClick(help->Search(), Qt::Key_Return);
        QCOMPARE(help->Text()->textCursor().position(), first);
    }

    void searchForAbsentTextSaysSo() {
        TFormHelp* help = OpenWithF1();
        TypeText(help->Search(), "щщщ");
        QCOMPARE(help->SearchStatus(), QString("Не найдено"));
        QVERIFY(help->Text()->extraSelections().isEmpty());
        help->Search()->clear();
        QCOMPARE(help->SearchStatus(), QString());
    }

    void everyPictureOfTheManualIsShipped() {
        TFormHelp* help = OpenWithF1();
        const QString html = help->Text()->document()->toHtml();
        QRegularExpression image("<img src=\"([^\"]+)\"");
        int pictures = 0;
        for (const QRegularExpressionMatch& m : image.globalMatch(html)) {
            const QUrl url = QUrl(TFormHelp::kManualSource).resolved(QUrl(m.captured(1)));
            const QByteArray file =
                help->Text()->loadResource(QTextDocument::ImageResource, url).toByteArray();
            QVERIFY2(!QImage::fromData(file).isNull(), qPrintable(url.toString()));
            ++pictures;
        }
        QVERIFY(pictures >= 3);
    }

    void aboutBoxNamesVersionLicenceAndLibraries() {
        ModalWatcher watcher;
        MenuItem("ActionAbout")->trigger();
        QCOMPARE(watcher.boxes.size(), std::size_t{1});
        const SeenBox& box = watcher.boxes.front();
        QCOMPARE(box.title, QString("О программе"));
        for (const QString& part :
             {QString("Ротовал"), QString("Версия 1."), QString(qVersion()),
              QString("GPL-3.0-or-later"), QString("Qt 6 Charts"), QString("libxlsxwriter"),
              QString("BSD-2-Clause"), QString("libgsf")})
            QVERIFY2(box.text.contains(part), qPrintable(part));
    }
};

SHAFTLINE_WINDOW_TEST_MAIN(TestHelpWindow)
#include "test_help_window.moc"
