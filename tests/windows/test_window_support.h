#pragma once
// Shared by the window tests: the program's own application object and windows, a watcher that
// answers modal boxes the way a user would, and helpers that type into the rotor pages.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <array>
#include <deque>
#include <functional>
#include <vector>

#include "app_windows.h"
#include "data_input_form.h"
#include "number_text.h"
#include "shaftline_application.h"
#include "string_grid.h"

/// Runs a Qt Test object inside the program's application object. Each test creates the four
/// windows afresh in init() and destroys them in cleanup().
#define SHAFTLINE_WINDOW_TEST_MAIN(TestObject)  \
    int main(int argc, char** argv) {           \
        TApplication app(argc, argv);           \
        TestObject test;                        \
        return QTest::qExec(&test, argc, argv); \
    }

/// One message box as the user saw it.
struct SeenBox {
    QString title;
    QString text;
    QString detailedText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

/// While alive, closes every modal window that comes up: message boxes are recorded and
/// answered by clicking the button with the next caption of `buttons`, with OK when there is
/// none left or no button has that caption; any other dialog is handed to `onDialog` (if set) and
/// then closed, unless `onDialog` closed it with an answer of its own. A timer does not fire again
/// inside its own handler, so windows opened from `onDialog` need a second watcher; a dialog that a
/// watcher is handling is left to that watcher.
class ModalWatcher : public QObject {
  public:
    ModalWatcher() {
        timer_.setInterval(1);
        connect(&timer_, &QTimer::timeout, this, &ModalWatcher::Poll);
        timer_.start();
    }

    std::deque<QString> buttons;
    std::vector<SeenBox> boxes;
    std::function<void(QDialog*)> onDialog;
    std::vector<QString> dialogs;  ///< object names of the other dialogs, in order

  private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) return;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxes.push_back({box->windowTitle(), box->text(), box->detailedText(), box->icon()});
            if (!buttons.empty()) {
                const QString caption = buttons.front();
                buttons.pop_front();
                for (QAbstractButton* button : box->buttons())
                    if (button->text() == caption) return button->click();
            }
            box->done(QMessageBox::Ok);
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            if (std::find(Busy().begin(), Busy().end(), dialog) != Busy().end()) return;
            dialogs.push_back(dialog->objectName());
            Busy().push_back(dialog);
            if (onDialog) onDialog(dialog);
            Busy().pop_back();
            if (dialog->isVisible()) dialog->reject();
        }
    }

    static std::vector<QDialog*>& Busy() {
        static std::vector<QDialog*> handled;
        return handled;
    }

    QTimer timer_;
};

template <typename T>
T* Control(const QString& name) {
    T* control = FormDataInput->findChild<T*>(name);
    if (control == nullptr) qWarning("no control %s", qPrintable(name));
    return control;
}

inline QString Name(const char* prefix, int rotor) {
    return QString::fromLatin1(prefix) + QString::number(rotor);
}

/// Types a new text into a count edit, as a user who selects the old text first.
inline void TypeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

inline void SetRotorCount(int count) {
    TypeInto(Control<QLineEdit>(QStringLiteral("EditKolRotor")), QString::number(count));
}

/// Shows page `rotor` as a click on its tab would.
inline void ShowPage(int rotor) {
    Control<QTabWidget>(QStringLiteral("PageControl1"))->setCurrentIndex(rotor - 1);
}

/// Writes a cell as the cell editor does when the user finishes typing.
inline void EditCell(TStringGrid* grid, int row, int column, const QString& text) {
    QTableWidgetItem* item = grid->item(row - 1, column);
    if (item == nullptr) qFatal("cell %d,%d is not in view", row, column);
    item->setText(text);
}

using SectionRow = std::array<QString, 8>;

/// A plain shaft piece of the given length step: coordinate, no disc, diameter 400, Young
/// 21000 kgf/mm², no blades. Decimal texts without a fraction suit every locale.
inline SectionRow Piece(int coordinate, int diameter = 400) {
    return {
        QString::number(coordinate), "0", QString::number(diameter), "0", "0", "21000", "0", "0"};
}

/// Types a whole rotor page: its section count and the rows of its section grid.
inline void EnterRotor(int rotor, const std::vector<SectionRow>& rows) {
    ShowPage(rotor);
    TypeInto(Control<QLineEdit>(Name("EditUchast", rotor)), QString::number(rows.size()));
    auto* grid = Control<TStringGrid>(Name("GridInitParams", rotor));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < 8; ++c) EditCell(grid, static_cast<int>(r) + 1, c, rows[r][c]);
}

/// Types row 1 of a rotor's support grid: 18 values, left support then right support.
inline void EnterSupports(int rotor, const std::array<QString, 18>& values) {
    auto* grid = FormDataInput->AddParams(rotor);
    for (int c = 0; c < 18; ++c) EditCell(grid, 1, c, values[c]);
}

/// Support data whose rises are zero: all heights and terms 0, all temperatures 20.
inline std::array<QString, 18> LevelSupports() {
    std::array<QString, 18> values;
    for (int c = 0; c < 18; ++c) values[c] = (c % 9) % 2 == 1 && c % 9 < 6 ? "20" : "0";
    return values;
}

/// A number as the windows show it in the default locale: fixed decimals, grouped thousands.
inline QString LocaleFixed(double value, int decimals) {
    const QLocale locale;
    return QString::fromStdString(shaftline::FormatFixed(value, decimals,
                                                         locale.decimalPoint().toStdString(),
                                                         locale.groupSeparator().toStdString()));
}

/// Imports the sample book beside the program, calculates and makes rotor 3 the base rotor.
inline void CalculateSampleAligned(ModalWatcher& watcher) {
    QTest::mouseClick(Control<QToolButton>("SpeedButton2"), Qt::LeftButton);
    QTest::mouseClick(Control<QToolButton>("SpeedButton1"), Qt::LeftButton);
    ShowPage(3);
    QTest::mouseClick(FormDataInput->CheckBoxR(3), Qt::LeftButton);
    watcher.boxes.clear();
}

/// Presses the button that opens a window and runs `inside` while it is open, with a watcher
/// of its own for the message boxes over it.
inline void WithWindowOf(const char* button, ModalWatcher& watcher,
                         const std::function<void(ModalWatcher&)>& inside) {
    watcher.onDialog = [&inside](QDialog*) {
        ModalWatcher inner;
        inside(inner);
    };
    QTest::mouseClick(Control<QPushButton>(button), Qt::LeftButton);
}

/// Types into a table cell through its editor, as a user who finishes with Enter; the view
/// commits and closes the editor from its event queue.
inline void TypeIntoCell(QTableWidget* grid, int row, int column, const QString& text) {
    QTableWidgetItem* item = grid->item(row, column);
    grid->setCurrentItem(item);
    grid->editItem(item);
    QPointer<QLineEdit> editor;
    for (QLineEdit* e : grid->findChildren<QLineEdit*>())
        if (e->isVisible()) editor = e;
    if (editor == nullptr) qFatal("no cell editor at %d,%d for %s", row, column, qPrintable(text));
    editor->selectAll();
    editor->insert(text);  // key clicks carry Latin letters only
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(editor.isNull() || !editor->isVisible());
}
