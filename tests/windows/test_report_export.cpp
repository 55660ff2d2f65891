// The PDF report from the windows: the data-entry window's button, the main window's export
// and print preview, and the refusals when there is nothing sound to report.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLocale>
#include <QTemporaryDir>
#include <QToolButton>

#include "../report/pdf_tools.h"
#include "data_input_form.h"
#include "main_window.h"
#include "number_text.h"
#include "shaft_line_book.h"
#include "test_window_support.h"

namespace {

const QString kNoResults =
    "Нет результатов расчета для ротора 1. Чтобы получить отчет, сначала "
    "нажмите кнопку \"Расчет\".";

void Press(const char* button) {
    QTest::mouseClick(Control<QToolButton>(button), Qt::LeftButton);
}

// Import of the sample book, rotor 1 solid-forged, calculation and rotor 3 as the base.
void ImportCalculateAlign(ModalWatcher& watcher) {
    Press("SpeedButton2");
    FormDataInput->ComboBox(1)->setCurrentText("Цельнокованный");
    Press("SpeedButton1");
    ShowPage(3);
    QTest::mouseClick(FormDataInput->CheckBoxR(3), Qt::LeftButton);
    watcher.boxes.clear();
}

std::string PdfText(const QString& path) {
    return pdf_tools::Text(path.toStdString());
}

}  // namespace

class TestReportExport : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        CreateAppWindows();
    }
    void cleanup() { DestroyAppWindows(); }

    void reportButtonSitsBesideTheCalculation() {
        auto* button = Control<QToolButton>("SpeedButton4");
        QVERIFY(button != nullptr);
        QCOMPARE(button->parentWidget()->objectName(), QString("PanelSource"));
        QCOMPARE(button->toolTip(), QString("Отчет (PDF)"));
        QVERIFY(!button->icon().isNull());
    }

    void withoutCalculationTheMessageOfTheParametersWindow() {
        QTemporaryDir dir;
        const QString path = dir.filePath("r.pdf");
        ModalWatcher watcher;
        QVERIFY(!Form1->ExportReport(path));
        Press("SpeedButton4");
        Form1->PrintReport();
        QCOMPARE(watcher.boxes.size(), std::size_t(3));
        for (const SeenBox& box : watcher.boxes) QCOMPARE(box.text, kNoResults);
        QVERIFY(watcher.dialogs.empty());  // neither a file dialog nor a preview
        QVERIFY(!QFile::exists(path));
    }

    void fileMenuEntriesRefuseWithoutCalculation() {
        QTemporaryDir dir;
        ModalWatcher watcher;
        QVERIFY(!Form1->ExportResults(dir.filePath("r.xlsx")));
        for (const char* name : {"ActionReportPdf", "ActionPrintReport", "ActionSaveResults"})
            Form1->findChild<QAction*>(name)->trigger();
        QCOMPARE(watcher.boxes.size(), std::size_t(4));
        const QString noResults =
            QString(kNoResults).replace("получить отчет", "сохранить результаты");
        QCOMPARE(watcher.boxes[0].text, noResults);
        QCOMPARE(watcher.boxes[1].text, kNoResults);
        QCOMPARE(watcher.boxes[2].text, kNoResults);
        QCOMPARE(watcher.boxes[3].text, noResults);
        QVERIFY(watcher.dialogs.empty());
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    void resultsBookAskedForAndWritten() {
        ModalWatcher watcher;
        ImportCalculateAlign(watcher);
        QTemporaryDir dir;
        watcher.onDialog = [&](QDialog* dialog) {
            if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
                files->selectFile(dir.filePath("результаты"));
                static_cast<QDialog*>(files)->accept();
            }
        };
        Form1->findChild<QAction*>("ActionSaveResults")->trigger();
        QVERIFY(watcher.boxes.empty());
        QFile book(dir.filePath("результаты.xlsx"));
        QVERIFY(book.open(QIODevice::ReadOnly));
        QCOMPARE(book.read(2), QByteArray("PK"));
    }

    // An output aimed at the open book would lose the book: refused, the book left as it was.
    void outputOverTheOpenBookIsRefused() {
        ModalWatcher watcher;
        ImportCalculateAlign(watcher);
        QTemporaryDir dir;
        const QString path = dir.filePath("линия.xlsx");
        QVERIFY(FormDataInput->Book()->SaveTo(path));
        QFile book(path);
        QVERIFY(book.open(QIODevice::ReadOnly));
        const QByteArray saved = book.readAll();
        book.close();
        watcher.boxes.clear();
        QVERIFY(!Form1->ExportResults(path));
        QVERIFY(!Form1->ExportReport(path));
        QCOMPARE(watcher.boxes.size(), std::size_t(2));
        for (const SeenBox& box : watcher.boxes)
            QVERIFY2(box.text.contains("это открытая книга с данными"), qPrintable(box.text));
        QVERIFY(book.open(QIODevice::ReadOnly));
        QCOMPARE(book.readAll(), saved);
    }

    void reportOfTheAlignedLineInTheUsersFormat() {
        ModalWatcher watcher;
        ImportCalculateAlign(watcher);
        QTemporaryDir dir;
        const QString path = dir.filePath("r.pdf");
        QVERIFY(Form1->ExportReport(path));
        QVERIFY(watcher.boxes.empty());

        const shaftline::TRotor& rotor1 = *FormDataInput->Rotors()[1];
        // The title page, a page per rotor, two pages of the rotors coupled and the page of
        // the couplings' alignment.
        QCOMPARE(pdf_tools::PageCount(path.toStdString()),
                 4 + FormDataInput->RotorCountText().toInt());
        const std::string text = PdfText(path);
        for (const std::string& expected :
             {std::string("Книга: Data.xls"), std::string("Базовый ротор: 3"),
              std::string("Тип ротора: Цельнокованный"),
              shaftline::FormatNumber7(rotor1.GetLeftJournalAngle(), ",", "\u00a0"),
              shaftline::FormatGeneral(rotor1.SectionsView()[2].Deflection, ",")})
            QVERIFY2(text.find(expected) != std::string::npos, expected.c_str());
    }

    void pagesTypedOverAfterTheCalculationAreRefused() {
        ModalWatcher watcher;
        ImportCalculateAlign(watcher);
        TStringGrid* grid = FormDataInput->GridInitParams(2);
        const QString typed = grid->Cell(2, 1);
        EditCell(grid, 1, 2, "999");
        QTemporaryDir dir;
        QVERIFY(!Form1->ExportReport(dir.filePath("r.pdf")));
        QCOMPARE(watcher.boxes.size(), std::size_t(1));
        QCOMPARE(watcher.boxes[0].text,
                 QString("Данные ротора 2 изменены после расчета. Чтобы получить отчет, сначала "
                         "нажмите кнопку \"Расчет\"."));
        // The same value typed back is the calculated input again.
        EditCell(grid, 1, 2, typed);
        QVERIFY(Form1->ExportReport(dir.filePath("r.pdf")));
    }

    // Support data whose values the parameters window refuses are no values in the report.
    void supportValuesThatAreNotFiniteAreLeftOut_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("huge support terms") << "huge_support_terms.xls";
        QTest::newRow("huge support heights") << "huge_support_heights.xls";
        QTest::newRow("rises far apart") << "rises_far_apart.xls";
    }
    void supportValuesThatAreNotFiniteAreLeftOut() {
        QFETCH(QString, file);
        ModalWatcher watcher;
        FormDataInput->ImportBook(QString(SHAFTLINE_IO_TEST_DATA) + "/" + file);
        Press("SpeedButton1");
        QVERIFY(watcher.boxes.empty());
        QTemporaryDir dir;
        const QString path = dir.filePath("r.pdf");
        QVERIFY(Form1->ExportReport(path));
        const QString text = QString::fromStdString(PdfText(path));
        QVERIFY(text.contains("нет данных опор"));
        QVERIFY2(!text.contains("inf", Qt::CaseInsensitive), qPrintable(text));
        QVERIFY2(!text.contains("nan", Qt::CaseInsensitive), qPrintable(text));
    }

    void reportButtonAsksForTheFileName() {
        ModalWatcher watcher;
        ImportCalculateAlign(watcher);
        QTemporaryDir dir;
        QString asked;
        watcher.onDialog = [&](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            if (files == nullptr) return;
            asked = files->windowTitle();
            // Typed without the extension: the report gets ".pdf".
            files->selectFile(dir.filePath("протокол"));
            static_cast<QDialog*>(files)->accept();
        };
        Press("SpeedButton4");
        QCOMPARE(asked, QString("Отчет (PDF)"));
        QVERIFY(QFile::exists(dir.filePath("протокол.pdf")));
    }

    void printPreviewShowsTheReport() {
        ModalWatcher watcher;
        ImportCalculateAlign(watcher);
        watcher.dialogs.clear();
        Form1->PrintReport();
        QCOMPARE(watcher.dialogs, std::vector<QString>{"ReportPreview"});
    }
};

SHAFTLINE_WINDOW_TEST_MAIN(TestReportExport)
#include "test_report_export.moc"
