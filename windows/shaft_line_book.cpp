#include "shaft_line_book.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

#include "data_input_form.h"
#include "message_boxes.h"
#include "number_locale.h"
#include "shaft_line_book_writer.h"
#include "typed_file_name.h"
#include "written_note.h"

namespace {

const QString kOrganization = QStringLiteral("shaftline");
const QString kApplication = QStringLiteral("shaftline");
const QString kRecentKey = QStringLiteral("books/recent");
const QString kFolderKey = QStringLiteral("books/folder");
const QString kBookSuffix = QStringLiteral(".xlsx");
const QString kNewBookName = QStringLiteral("Валопровод.xlsx");

bool IsBookSuffix(const QString& suffix) {
    const QString lower = suffix.toLower();
    return lower == u"xls" || lower == u"xlsx" || lower == u"ods";
}

// The book file a drag carries: one local .xls, .xlsx or .ods file; empty otherwise.
QString DroppedBook(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasUrls() || mime->urls().size() != 1) return {};
    const QUrl url = mime->urls().front();
    if (!url.isLocalFile()) return {};
    const QString path = url.toLocalFile();
    return IsBookSuffix(QFileInfo(path).suffix()) ? path : QString();
}

}  // namespace

TShaftLineBook::TShaftLineBook(TFormDataInput* form) : QObject(form), form_(form) {
    connect(form, &TFormDataInput::modifiedChanged, this, &TShaftLineBook::changed);
}

QString TShaftLineBook::Caption() const {
    QString caption = ProgramTitle();
    if (!path_.isEmpty())
        caption += QStringLiteral(" — ") + QFileInfo(path_).fileName();
    else if (!source_.isEmpty())
        caption += QStringLiteral(" — образец «%1»").arg(QFileInfo(source_).fileName());
    if (form_->IsModified()) caption += u'*';
    return caption;
}

QStringList TShaftLineBook::RecentBooks() const {
    QSettings settings(kOrganization, kApplication);
    return settings.value(kRecentKey).toStringList().mid(0, kRecentBooks);
}

bool TShaftLineBook::Open(const QString& path) {
    if (!ConfirmSaveChanges()) return false;
    if (!form_->OpenBook(path)) {
        if (!QFileInfo::exists(path)) ForgetRecent(path);
        return false;
    }
    SetPath(path);
    Remember(path_);
    return true;
}

bool TShaftLineBook::AskAndOpen() {
    const QString path = AskFileName(false);
    return !path.isEmpty() && Open(path);
}

bool TShaftLineBook::OpenFromCommandLine(const QStringList& arguments) {
    return arguments.size() > 1 && Open(arguments.at(1));
}

bool TShaftLineBook::Save() {
    // A book opened from .xls or .ods is saved as a new .xlsx, never in a format it is not.
    if (path_.isEmpty() || QFileInfo(path_).suffix().toLower() != u"xlsx") return SaveAs();
    return SaveTo(path_);
}

bool TShaftLineBook::SaveAs() {
    const QString path = AskFileName(true);
    return !path.isEmpty() && SaveTo(path);
}

bool TShaftLineBook::SaveTo(const QString& path) {
    CommitTyping();
    try {
        shaftline::io::WriteShaftLineBook(QFile::encodeName(path).toStdString(),
                                          form_->BookFromWindow(), DecimalSeparator());
    } catch (const shaftline::io::WorkbookError& error) {
        ShowError(DialogParent(), QString::fromUtf8(error.what()));
        return false;
    }
    form_->SetUnmodified();
    SetPath(path);
    Remember(path_);
    ShowWrittenNote(DialogParent(), QStringLiteral("Книга сохранена"), path_);
    return true;
}

bool TShaftLineBook::ConfirmSaveChanges() {
    CommitTyping();
    if (!form_->IsModified()) return true;
    switch (AskSaveChanges(DialogParent(), QStringLiteral("Сохранить изменения в книге?"))) {
        case SaveAnswer::Save:
            return Save();
        case SaveAnswer::Discard:
            return true;
        case SaveAnswer::Cancel:
            break;
    }
    return false;
}

void TShaftLineBook::Forget(const QString& source) {
    SetPath({});
    source_ = QFileInfo(source).absoluteFilePath();
}

void TShaftLineBook::AcceptDraggedBook(QDragEnterEvent* event) {
    if (!DroppedBook(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TShaftLineBook::OpenDroppedBook(QDropEvent* event) {
    const QString path = DroppedBook(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    QMetaObject::invokeMethod(
        this, [this, path] { Open(path); }, Qt::QueuedConnection);
}

// The window that is in front: the data-entry window while it is open, else the main window.
QWidget* TShaftLineBook::DialogParent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return form_->parentWidget() != nullptr ? form_->parentWidget() : form_;
}

// A cell editor that is still open (a key pressed while typing) holds text its grid does not
// have yet; taking the focus from it puts the text into the grid.
void TShaftLineBook::CommitTyping() {
    QWidget* focused = QApplication::focusWidget();
    if (focused != nullptr && form_->isAncestorOf(focused)) focused->clearFocus();
}

QString TShaftLineBook::AskFileName(bool save) {
    QSettings settings(kOrganization, kApplication);
    const QString folder = settings.value(kFolderKey, QDir::homePath()).toString();
    QFileDialog dialog(DialogParent());
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save) {
        dialog.setWindowTitle(QStringLiteral("Сохранить книгу"));
        dialog.setNameFilter(QStringLiteral("Книга Excel (*.xlsx)"));
        dialog.setDefaultSuffix(QStringLiteral("xlsx"));
        const QFileInfo current(path_);
        dialog.setDirectory(path_.isEmpty() ? folder : current.absolutePath());
        dialog.selectFile(path_.isEmpty() ? kNewBookName
                                          : current.completeBaseName() + QStringLiteral(".xlsx"));
    } else {
        dialog.setWindowTitle(QStringLiteral("Открыть книгу"));
        dialog.setNameFilter(QStringLiteral("Книги (*.xls *.xlsx *.ods)"));
        dialog.setDirectory(folder);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    QString path = dialog.selectedFiles().front();
    if (save) path = WithKnownSuffix(path, {kBookSuffix}, kBookSuffix);
    settings.setValue(kFolderKey, QFileInfo(path).absolutePath());
    return path;
}

void TShaftLineBook::SetPath(const QString& path) {
    path_ = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    if (!path_.isEmpty()) source_ = path_;
    emit changed();
}

void TShaftLineBook::Remember(const QString& path) {
    QSettings settings(kOrganization, kApplication);
    QStringList recent = settings.value(kRecentKey).toStringList();
    recent.removeAll(path);
    recent.prepend(path);
    settings.setValue(kRecentKey, recent.mid(0, kRecentBooks));
    emit changed();
}

void TShaftLineBook::ForgetRecent(const QString& path) {
    QSettings settings(kOrganization, kApplication);
    QStringList recent = settings.value(kRecentKey).toStringList();
    if (recent.removeAll(QFileInfo(path).absoluteFilePath()) == 0) return;
    settings.setValue(kRecentKey, recent);
    emit changed();
}
