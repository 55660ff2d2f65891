// The data-entry window as a user meets it: counts, tabs, grids, the switch between the two
// grids, the buttons that follow the page, name lookup and Escape.
#include <QAbstractButton>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include "control_lookup.h"
#include "test_window_support.h"

class TestDataEntry : public QObject {
    Q_OBJECT
  private slots:
    void init() { CreateAppWindows(); }
    void cleanup() { DestroyAppWindows(); }

    void startsWithOneRotorOfOneSection() {
        auto* pages = Control<QTabWidget>("PageControl1");
        QCOMPARE(pages->count(), 19);
        QVERIFY(pages->isTabVisible(0));
        for (int index = 1; index < 19; ++index) QVERIFY(!pages->isTabVisible(index));
        QCOMPARE(Control<QLineEdit>("EditKolRotor")->text(), QString("1"));
        for (int rotor = 1; rotor <= 19; ++rotor) {
            QCOMPARE(FormDataInput->GridInitParams(rotor)->RowCount(), 2);
            QVERIFY(!FormDataInput->GridInitParams(rotor)->isHidden());
            QVERIFY(FormDataInput->AddParams(rotor)->isHidden());
            QCOMPARE(FormDataInput->AddParams(rotor)->RowCount(), 5);
        }
        QCOMPARE(FormDataInput->ComboBox(1)->currentText(), QString("С насадными дисками"));
    }

    void countChangesKeepHiddenPages() {
        auto* pages = Control<QTabWidget>("PageControl1");
        SetRotorCount(3);
        for (int index = 0; index < 19; ++index) QCOMPARE(pages->isTabVisible(index), index < 3);
        QCOMPARE(pages->tabText(2), QString("Ротор 3"));
        EnterRotor(3, {Piece(1500)});
        EnterRotor(2, {Piece(700), Piece(900)});

        SetRotorCount(1);
        QVERIFY(pages->isTabVisible(0));
        QVERIFY(!pages->isTabVisible(1));
        QVERIFY(!pages->isTabVisible(2));

        SetRotorCount(3);
        for (int index = 0; index < 3; ++index)
            QCOMPARE(pages->tabText(index), QString("Ротор %1").arg(index + 1));
        QCOMPARE(FormDataInput->GridInitParams(3)->Cell(0, 1), QString("1500"));
        QCOMPARE(FormDataInput->EditUchast(2)->text(), QString("2"));
        QCOMPARE(FormDataInput->GridInitParams(2)->RowCount(), 3);
        QCOMPARE(FormDataInput->GridInitParams(2)->item(1, 0)->text(), QString("900"));
    }

    void rotorSpinnerWraps_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("expected");
        QTest::newRow("19 up gives 1") << "19" << true << "1";
        QTest::newRow("1 down gives 19") << "1" << false << "19";
        QTest::newRow("7 up gives 8") << "7" << true << "8";
        QTest::newRow("7 down gives 6") << "7" << false << "6";
    }
    void rotorSpinnerWraps() {
        QFETCH(QString, start);
        QFETCH(bool, up);
        QFETCH(QString, expected);
        FormDataInput->show();
        SetRotorCount(start.toInt());
        auto* spinner = Control<QSpinBox>("UpDownKolUchast");
        const QPoint arrow(spinner->width() / 2, spinner->height() * (up ? 1 : 3) / 4);
        QTest::mouseClick(spinner, Qt::LeftButton, {}, arrow);
        QCOMPARE(Control<QLineEdit>("EditKolRotor")->text(), expected);
        auto* pages = Control<QTabWidget>("PageControl1");
        for (int index = 0; index < 19; ++index)
            QCOMPARE(pages->isTabVisible(index), index < expected.toInt());
        FormDataInput->hide();
    }

    void arrowKeysStepOnlyTheSectionCount() {
        auto* rotors = Control<QLineEdit>("EditKolRotor");
        QTest::keyClick(rotors, Qt::Key_Up);
        QCOMPARE(rotors->text(), QString("1"));
        auto* sections = Control<QLineEdit>("EditUchast1");
        QTest::keyClick(sections, Qt::Key_Up);
        QTest::keyClick(sections, Qt::Key_Up);
        QCOMPARE(sections->text(), QString("3"));
        QCOMPARE(FormDataInput->GridInitParams(1)->RowCount(), 4);
        QTest::keyClick(sections, Qt::Key_Down);
        QCOMPARE(FormDataInput->GridInitParams(1)->RowCount(), 3);
    }

    void countsOutsideTheirRangeCannotBeTyped_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("25 rotors") << "EditKolRotor"
                                   << "25"
                                   << "2";
        QTest::newRow("0 rotors") << "EditKolRotor"
                                  << "0"
                                  << "";
        QTest::newRow("19 rotors") << "EditKolRotor"
                                   << "19"
                                   << "19";
        QTest::newRow("-3 rotors") << "EditKolRotor"
                                   << "-3"
                                   << "3";
        QTest::newRow("51 sections") << "EditUchast1"
                                     << "51"
                                     << "5";
        QTest::newRow("50 sections") << "EditUchast1"
                                     << "50"
                                     << "50";
        QTest::newRow("50 sections on page 6") << "EditUchast6"
                                               << "50"
                                               << "50";
        QTest::newRow("100 sections") << "EditUchast3"
                                      << "100"
                                      << "10";
        QTest::newRow("letters") << "EditUchast1"
                                 << "x7"
                                 << "7";
    }
    void countsOutsideTheirRangeCannotBeTyped() {
        QFETCH(QString, edit);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TypeInto(Control<QLineEdit>(edit), typed);
        QCOMPARE(Control<QLineEdit>(edit)->text(), shown);
    }

    void emptyCountChangesNothing() {
        SetRotorCount(4);
        TypeInto(Control<QLineEdit>("EditKolRotor"), "");
        QVERIFY(Control<QTabWidget>("PageControl1")->isTabVisible(3));
        TypeInto(Control<QLineEdit>("EditUchast1"), "6");
        TypeInto(Control<QLineEdit>("EditUchast1"), "");
        QCOMPARE(FormDataInput->GridInitParams(1)->RowCount(), 7);
    }

    void sectionRowsComeBackWithTheirText() {
        EnterRotor(1, {Piece(100), Piece(200), Piece(300), Piece(400), Piece(500)});
        TStringGrid* grid = FormDataInput->GridInitParams(1);
        QCOMPARE(grid->RowCount(), 6);
        QCOMPARE(FormDataInput->GridInitParams(2)->RowCount(), 2);
        TypeInto(Control<QLineEdit>("EditUchast1"), "3");
        QCOMPARE(grid->rowCount(), 3);
        TypeInto(Control<QLineEdit>("EditUchast1"), "5");
        QCOMPARE(grid->item(3, 0)->text(), QString("400"));
        QCOMPARE(grid->item(4, 0)->text(), QString("500"));
        QCOMPARE(grid->item(4, 5)->text(), QString("21000"));
        TypeInto(Control<QLineEdit>("EditUchast1"), "7");
        QCOMPARE(grid->item(6, 0)->text(), QString());
    }

    void radioGroupSwitchesOnlyTheShownPage() {
        SetRotorCount(2);
        ShowPage(1);
        QTest::mouseClick(Control<QAbstractButton>("RadioGroup1Item1"), Qt::LeftButton);
        QVERIFY(!FormDataInput->AddParams(1)->isHidden());
        QVERIFY(FormDataInput->GridInitParams(1)->isHidden());
        ShowPage(2);
        QVERIFY(!FormDataInput->GridInitParams(2)->isHidden());
        QVERIFY(FormDataInput->AddParams(2)->isHidden());
        QVERIFY(Control<QAbstractButton>("RadioGroup1Item1")->isChecked());
        QTest::mouseClick(Control<QAbstractButton>("RadioGroup1Item0"), Qt::LeftButton);
        ShowPage(1);
        QVERIFY(!FormDataInput->AddParams(1)->isHidden());
    }

    void sketchButtonFollowsThePage() {
        SetRotorCount(4);
        auto* sketch = Control<QPushButton>("Button21");
        QVERIFY(sketch->isEnabled());
        ShowPage(2);
        QVERIFY(!sketch->isEnabled());
        ShowPage(3);
        QVERIFY(sketch->isEnabled());
        ShowPage(4);
        QVERIFY(!sketch->isEnabled());
    }

    void evenPagesHaveNoTypeAndNoParameters() {
        for (int rotor = 1; rotor <= 19; ++rotor) {
            const bool odd = rotor % 2 == 1;
            QCOMPARE(FormDataInput->ComboBox(rotor) != nullptr, odd);
            auto* params = Control<QPushButton>(Name("BtnParams", rotor));
            QCOMPARE(params->isHidden(), !odd);
            QVERIFY(FormDataInput->CheckBoxR(rotor) != nullptr);
        }
        QComboBox* type = FormDataInput->ComboBox(3);
        QVERIFY(type->isEditable());
        QCOMPARE(type->itemText(0), QString("Цельнокованный"));
        QCOMPARE(type->itemText(1), QString("С насадными дисками"));
    }

    void controlsAreFoundByNameAmongDirectChildrenOnly() {
        QCOMPARE(FormDataInput->AddParams(15)->objectName(), QString("AddPArams15"));
        QWidget* page3 = FormDataInput->Page(3);
        QWidget* panel = FindChildControl(page3, "PANEL2R3");
        QVERIFY(panel != nullptr);
        QCOMPARE(FindChildControl(panel, "gridinitparams3"), FormDataInput->GridInitParams(3));
        QCOMPARE(FindChildControl(page3, "GridInitParams3"), nullptr);  // a grandchild
        QCOMPARE(FindChildControl(panel, "GridInitParams"), nullptr);
        // Every control name is used once in the window.
        QStringList names;
        for (QWidget* child : FormDataInput->findChildren<QWidget*>())
            if (!child->objectName().isEmpty() && !child->objectName().startsWith("qt_") &&
                child->window() == FormDataInput)
                names << child->objectName().toLower();
        const qsizetype all = names.size();
        names.removeDuplicates();
        QCOMPARE(names.size(), all);
    }

    void onlyTheSupportDataRowTakesTyping() {
        TStringGrid* support = FormDataInput->AddParams(1);
        QVERIFY(support->item(0, 0)->flags() & Qt::ItemIsEditable);
        QVERIFY(support->item(0, 17)->flags() & Qt::ItemIsEditable);
        QVERIFY(!(support->item(1, 0)->flags() & Qt::ItemIsEditable));
        QVERIFY(!(support->item(3, 17)->flags() & Qt::ItemIsEditable));
        QCOMPARE(support->horizontalHeaderItem(4)->text(), QString("Выс. подшип. лев"));
        QCOMPARE(support->horizontalHeaderItem(17)->text(), QString("Цапфа прав."));
    }

    void openingHidesTheDeflectionColumnButKeepsIt() {
        TStringGrid* grid = FormDataInput->GridInitParams(1);
        grid->SetColCount(9);
        grid->SetCell(8, 1, "-0.5");
        FormDataInput->show();
        QCOMPARE(grid->ColCount(), 8);
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), QString("Координаты"));
        QCOMPARE(FormDataInput->StatusText(),
                 QString("Введите параметры роторов вручную или загрузите из Excel"));
        FormDataInput->hide();
        grid->SetColCount(9);
        QCOMPARE(grid->item(0, 8)->text(), QString("-0.5"));
    }

    void escapeClosesFromAnyControl_data() {
        QTest::addColumn<QString>("focus");
        QTest::newRow("rotor count") << "EditKolRotor";
        QTest::newRow("section grid") << "GridInitParams1";
        QTest::newRow("rotor type") << "ComboBox1";
        QTest::newRow("base rotor box") << "CheckBoxR1";
    }
    void escapeClosesFromAnyControl() {
        QFETCH(QString, focus);
        FormDataInput->show();
        QVERIFY(QTest::qWaitForWindowExposed(FormDataInput));
        auto* control = Control<QWidget>(focus);
        control->setFocus();
        if (auto* grid = qobject_cast<TStringGrid*>(control)) {
            grid->setCurrentCell(0, 0);
            grid->editItem(grid->item(0, 0));  // the cell editor is open
        }
        QWidget* target =
            QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : control;
        QTest::keyClick(target, Qt::Key_Escape);
        QVERIFY(!FormDataInput->isVisible());
    }

    void missingSupportSchemeIsReported() {
        QTemporaryDir empty;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(empty.path());
        QTest::mouseClick(Control<QPushButton>("Button20"), Qt::LeftButton);
        QDir::setCurrent(previous);
        QVERIFY2(FormDataInput->StatusText().contains("\"ris.vsd\" не найден"),
                 qPrintable(FormDataInput->StatusText()));
    }
};

SHAFTLINE_WINDOW_TEST_MAIN(TestDataEntry)
#include "test_data_entry.moc"
