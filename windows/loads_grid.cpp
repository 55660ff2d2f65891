#include "loads_grid.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

#include "number_locale.h"
#include "number_text.h"
#include "pasted_block.h"

namespace {

constexpr int kValueRole = Qt::UserRole;

}  // namespace

TLoadsGrid::TLoadsGrid(QWidget* parent) : QTableWidget(parent) {
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
}

void TLoadsGrid::FitColumns() {
    QHeaderView* header = horizontalHeader();
    const QFontMetrics metrics(header->font());
    constexpr int kPadding = 16;  // px, the header's margins
    int height = 0;
    for (int c = 0; c < columnCount(); ++c) {
        const QTableWidgetItem* h = horizontalHeaderItem(c);
        const QString caption = h != nullptr ? h->text() : QString();
        int word = 0;
        for (const QString& w : caption.split(QLatin1Char(' ')))
            word = std::max(word, metrics.horizontalAdvance(w));
        // About two lines of caption at the most.
        const int halfCaption = metrics.horizontalAdvance(caption) / 2 + kPadding;
        const int width = std::max({sizeHintForColumn(c) + kPadding, word + kPadding, halfCaption});
        header->resizeSection(c, width);
        height = std::max(height, metrics
                                      .boundingRect(QRect(0, 0, width - kPadding, 1000),
                                                    Qt::AlignCenter | Qt::TextWordWrap, caption)
                                      .height());
    }
    header->setMinimumHeight(height + kPadding / 2);
}

QTableWidgetItem* TLoadsGrid::Item(int row, int column) {
    QTableWidgetItem* cell = item(row, column);
    if (cell == nullptr) {
        cell = new QTableWidgetItem();
        cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        setItem(row, column, cell);
    }
    return cell;
}

QTableWidgetItem* TLoadsGrid::SetNumber(int row, int column, double value, int decimals) {
    QTableWidgetItem* cell = Item(row, column);
    cell->setData(kValueRole, value);
    cell->setText(QString::fromStdString(
        shaftline::FormatFixed(value, decimals, DecimalSeparator(), GroupSeparator())));
    cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return cell;
}

QTableWidgetItem* TLoadsGrid::SetText(int row, int column, const QString& text) {
    QTableWidgetItem* cell = Item(row, column);
    cell->setData(kValueRole, QVariant());
    cell->setText(text);
    return cell;
}

QString TLoadsGrid::CopyText() const {
    shaftline::TextBlock block;
    std::vector<std::string>& header = block.rows.emplace_back();
    for (int c = 0; c < columnCount(); ++c) {
        const QTableWidgetItem* h = horizontalHeaderItem(c);
        header.push_back(h != nullptr ? h->text().toStdString() : std::string());
    }
    for (int r = 0; r < rowCount(); ++r) {
        std::vector<std::string>& cells = block.rows.emplace_back();
        for (int c = 0; c < columnCount(); ++c) {
            const QTableWidgetItem* cell = item(r, c);
            if (cell == nullptr) {
                cells.emplace_back();
            } else if (const QVariant value = cell->data(kValueRole); value.isValid()) {
                cells.push_back(shaftline::FormatShortest(value.toDouble(), DecimalSeparator()));
            } else {
                cells.push_back(cell->text().toStdString());
            }
        }
    }
    return QString::fromStdString(shaftline::FormatCopiedBlock(block));
}

void TLoadsGrid::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(CopyText());
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void TCommitDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    // The editor starts from the full value, not from its rounded text.
    auto* line = qobject_cast<QLineEdit*>(editor);
    const QVariant value = index.data(kValueRole);
    if (line != nullptr && value.isValid()) {
        line->setText(QString::fromStdString(
            shaftline::FormatShortest(value.toDouble(), DecimalSeparator())));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void TCommitDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                   const QModelIndex& index) const {
    if (auto* line = qobject_cast<QLineEdit*>(editor)) commit_(index.row(), line->text());
}
