#pragma once

#include <QDialog>
#include <QTextCursor>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTextBrowser;

/// The manual in the program's own window: the contents list of its headings at the left, the
/// text at the right and a search field above them. The window is not modal, so the user reads
/// it beside the window the manual describes.
class TFormHelp : public QDialog {
    Q_OBJECT
  public:
    /// The manual shipped in the program's resources.
    static const QString kManualSource;

    explicit TFormHelp(QWidget* parent = nullptr);

    /// Shows the window, or brings it forward when it is already shown.
    void ShowManual();

    QListWidget* Contents() const { return contents_; }
    QTextBrowser* Text() const { return text_; }
    QLineEdit* Search() const { return search_; }
    /// How many places hold the searched text, "Не найдено" and the like.
    QString SearchStatus() const;
    /// The heading that stands at the top of the text or, when the text is scrolled to its
    /// end, the last heading above the visible part's top.
    QString ShownHeading() const;

  private:
    void FillContents();
    void ShowHeading(QListWidgetItem* item);
    /// Marks every place of the searched text and moves to the first one after the cursor.
    void Find();
    /// The next place of the searched text, from the start again after the last one.
    void FindNext();
    void ShowFound(const QTextCursor& found);

    QListWidget* contents_ = nullptr;
    QTextBrowser* text_ = nullptr;
    QLineEdit* search_ = nullptr;
    QLabel* searchStatus_ = nullptr;
    int foundCount_ = 0;
};
