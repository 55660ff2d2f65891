#include "help_form.h"

#include <QAbstractTextDocumentLayout>
#include <QColor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Headings that the contents list names: the sections (h2) and their parts (h3); the title
// (h1) stands above them all.
constexpr int kFirstListedLevel = 2;
constexpr int kLastListedLevel = 3;
constexpr int kHeadingPosition = Qt::UserRole;
const QColor kFoundColour(255, 230, 120);

// A heading's text without the placeholders of pictures.
QString HeadingText(const QTextBlock& block) {
    return block.text().remove(QChar::ObjectReplacementCharacter).simplified();
}

int ListedLevel(const QTextBlock& block) {
    const int level = block.blockFormat().headingLevel();
    return level >= kFirstListedLevel && level <= kLastListedLevel ? level : 0;
}

}  // namespace

const QString TFormHelp::kManualSource = QStringLiteral("qrc:/manual/manual.html");

TFormHelp::TFormHelp(QWidget* parent) : QDialog(parent) {
    Q_INIT_RESOURCE(manual);  // the manual lives in the static library
    setObjectName(QStringLiteral("FormHelp"));
    setWindowTitle(QStringLiteral("Руководство"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setModal(false);
    // Wide enough for the drawings beside the contents, within the screen.
    QSize size(1120, 720);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);

    auto* searchLabel = new QLabel(QStringLiteral("&Поиск:"), this);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("HelpSearch"));
    search_->setClearButtonEnabled(true);
    search_->setPlaceholderText(QStringLiteral("слово или часть слова; Enter — следующее место"));
    searchLabel->setBuddy(search_);
    searchStatus_ = new QLabel(this);
    searchStatus_->setObjectName(QStringLiteral("HelpSearchStatus"));
    searchStatus_->setMinimumWidth(120);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(search_, 1);
    searchRow->addWidget(searchStatus_);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    contents_ = new QListWidget(splitter);
    contents_->setObjectName(QStringLiteral("HelpContents"));
    text_ = new QTextBrowser(splitter);
    text_->setObjectName(QStringLiteral("HelpText"));
    text_->setOpenExternalLinks(true);
    splitter->addWidget(contents_);
    splitter->addWidget(text_);
    splitter->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(splitter, 1);

    text_->setSource(QUrl(kManualSource));
    FillContents();
    // The contents list as wide as its longest heading, within two fifths of the window.
    const int listWidth = contents_->sizeHintForColumn(0) + 2 * contents_->frameWidth() +
                          contents_->verticalScrollBar()->sizeHint().width();
    const int widest = width() * 2 / 5;
    splitter->setSizes({std::min(listWidth, widest), width() - std::min(listWidth, widest)});
    connect(contents_, &QListWidget::itemActivated, this, &TFormHelp::ShowHeading);
    connect(contents_, &QListWidget::itemClicked, this, &TFormHelp::ShowHeading);
    connect(search_, &QLineEdit::textChanged, this, &TFormHelp::Find);
    connect(search_, &QLineEdit::returnPressed, this, &TFormHelp::FindNext);
}

void TFormHelp::ShowManual() {
    show();
    raise();
    activateWindow();
}

void TFormHelp::FillContents() {
    contents_->clear();
    for (QTextBlock block = text_->document()->begin(); block.isValid(); block = block.next()) {
        const int level = ListedLevel(block);
        if (level == 0) continue;
        const QString indent(4 * (level - kFirstListedLevel), u' ');
        auto* item = new QListWidgetItem(indent + HeadingText(block), contents_);
        item->setData(kHeadingPosition, block.position());
    }
}

void TFormHelp::ShowHeading(QListWidgetItem* item) {
    if (item == nullptr) return;
    const QTextBlock block = text_->document()->findBlock(item->data(kHeadingPosition).toInt());
    text_->setTextCursor(QTextCursor(block));
    const QRectF area = text_->document()->documentLayout()->blockBoundingRect(block);
    text_->verticalScrollBar()->setValue(static_cast<int>(area.top()));
}

QString TFormHelp::ShownHeading() const {
    const int top = text_->verticalScrollBar()->value();
    const QAbstractTextDocumentLayout* layout = text_->document()->documentLayout();
    for (QTextBlock block = text_->document()->begin(); block.isValid(); block = block.next()) {
        if (ListedLevel(block) != 0 && layout->blockBoundingRect(block).bottom() > top)
            return HeadingText(block);
    }
    return QString();
}

QString TFormHelp::SearchStatus() const {
    return searchStatus_->text();
}

void TFormHelp::Find() {
    const QString wanted = search_->text().trimmed();
    QList<QTextEdit::ExtraSelection> marks;
    if (!wanted.isEmpty()) {
        QTextEdit::ExtraSelection mark;
        mark.format.setBackground(kFoundColour);
        QTextDocument* document = text_->document();
        for (QTextCursor found = document->find(wanted); !found.isNull();
             found = document->find(wanted, found)) {
            mark.cursor = found;
            marks.append(mark);
        }
    }
    text_->setExtraSelections(marks);
    foundCount_ = static_cast<int>(marks.size());
    searchStatus_->setText(wanted.isEmpty()   ? QString()
                           : foundCount_ == 0 ? QStringLiteral("Не найдено")
                                              : QStringLiteral("Найдено: %1").arg(foundCount_));
    if (foundCount_ == 0) return;
    // Typing on keeps the place found so far when it still matches: search from its start.
    QTextCursor from = text_->textCursor();
    from.setPosition(from.selectionStart());
    QTextCursor found = text_->document()->find(wanted, from);
    ShowFound(found.isNull() ? marks.first().cursor : found);
}

void TFormHelp::FindNext() {
    const QString wanted = search_->text().trimmed();
    if (wanted.isEmpty() || foundCount_ == 0) return;
    QTextCursor found = text_->document()->find(wanted, text_->textCursor());
    if (found.isNull()) found = text_->document()->find(wanted);
    ShowFound(found);
}

void TFormHelp::ShowFound(const QTextCursor& found) {
    text_->setTextCursor(found);
    text_->ensureCursorVisible();
}
