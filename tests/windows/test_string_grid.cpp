// The text grid keeps every cell's text whatever its row and column counts do.
#include <QTest>

#include "string_grid.h"

class TestStringGrid : public QObject {
    Q_OBJECT
  private slots:
    void textsSurviveShrinkingAndGrowing_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::newRow("fewer rows") << 2 << 4;
        QTest::newRow("fewer columns") << 4 << 2;
        QTest::newRow("header only") << 1 << 4;
        QTest::newRow("nothing") << 0 << 0;
    }
    void textsSurviveShrinkingAndGrowing() {
        QFETCH(int, rows);
        QFETCH(int, columns);
        TStringGrid grid;
        grid.SetRowCount(4);
        grid.SetColCount(4);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) grid.SetCell(c, r, QString("%1/%2").arg(r).arg(c));
        grid.item(2, 3)->setText("typed");  // the user's edit of grid row 3
        grid.SetRowCount(rows);
        grid.SetColCount(columns);
        QCOMPARE(grid.rowCount(), std::max(rows - 1, 0));
        grid.SetRowCount(4);
        grid.SetColCount(4);
        QCOMPARE(grid.horizontalHeaderItem(3)->text(), QString("0/3"));
        QCOMPARE(grid.item(0, 0)->text(), QString("1/0"));
        QCOMPARE(grid.item(1, 3)->text(), QString("2/3"));
        QCOMPARE(grid.item(2, 3)->text(), QString("typed"));
        QCOMPARE(grid.Cell(3, 3), QString("typed"));
    }

    void cellsWrittenOutsideTheCountsShowLater() {
        TStringGrid grid;
        grid.SetRowCount(2);
        grid.SetColCount(8);
        grid.SetCell(8, 0, "Прогиб в сечениях");
        grid.SetCell(8, 5, "-0.25");
        QCOMPARE(grid.ColCount(), 8);
        QCOMPARE(grid.Cell(8, 5), QString("-0.25"));
        grid.SetRowCount(6);
        grid.SetColCount(9);
        QCOMPARE(grid.horizontalHeaderItem(8)->text(), QString("Прогиб в сечениях"));
        QCOMPARE(grid.item(4, 8)->text(), QString("-0.25"));
        QCOMPARE(grid.item(3, 8)->text(), QString());
    }

    void rowsBelowTheEditableRowRefuseTyping() {
        TStringGrid grid;
        grid.SetColCount(3);
        grid.SetRowCount(3);
        grid.SetLastEditableRow(1);
        grid.SetRowCount(5);  // rows added later follow the rule too
        QVERIFY(grid.item(0, 2)->flags() & Qt::ItemIsEditable);
        for (int tableRow = 1; tableRow < 4; ++tableRow)
            QVERIFY(!(grid.item(tableRow, 0)->flags() & Qt::ItemIsEditable));
    }
};

QTEST_MAIN(TestStringGrid)
#include "test_string_grid.moc"
