#include "xlsx_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "biff_workbook.h"
#include "message_text.h"
#include "shaft_line_workbook.h"
#include "xlsxwriter.h"

namespace shaftline::io {

namespace {

namespace fs = std::filesystem;

std::string SystemReason(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "нет прав на запись в эту папку или в этот файл";
        case ENOENT:
            return "папка не найдена";
        case ENOTDIR:
            return "в пути к папке стоит файл, а не папка";
        case ENOSPC:
            return "на диске нет места";
        case EDQUOT:
            return "превышена дисковая квота";
        case EROFS:
            return "диск доступен только для чтения";
        case EISDIR:
            return "на месте книги стоит папка";
        case ENAMETOOLONG:
            return "слишком длинное имя файла";
        case EIO:
            return "ошибка ввода-вывода при записи на диск";
        case 0:
            return "файл не удалось записать";
        default:
            return std::string("файл не удалось записать (") + std::strerror(error) + ")";
    }
}

std::string WriterReason(lxw_error error, int systemError) {
    switch (error) {
        case LXW_ERROR_MEMORY_MALLOC_FAILED:
            return "не хватает памяти";
        case LXW_ERROR_CREATING_TMPFILE:
        case LXW_ERROR_READING_TMPFILE:
            return "не удалось записать временный файл (" + SystemReason(systemError) + ")";
        case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
            return "текст длиннее 32767 знаков не помещается в ячейку книги";
        case LXW_ERROR_SHEETNAME_LENGTH_EXCEEDED:
        case LXW_ERROR_INVALID_SHEETNAME_CHARACTER:
        case LXW_ERROR_SHEETNAME_START_END_APOSTROPHE:
        case LXW_ERROR_SHEETNAME_ALREADY_USED:
            return "недопустимое имя листа";
        case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE:
            return "ячейка за пределами листа";
        default:
            return SystemReason(systemError);
    }
}

// A new file gets the permissions any program of the user would give it; a book written over
// an existing one keeps that one's permissions.
mode_t BookMode(const std::string& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A file system that cannot sync (EINVAL) has nothing more to write.
bool SyncToDisk(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    const int failure = errno;
    ::close(fd);
    errno = failure;
    return synced;
}

}  // namespace

void XlsxSheet::RefuseCell(int row, int column, int error) const {
    book_->Refuse("лист «" + QuotedForMessage(name_) + "», ячейка " + CellName(row, column) + ": " +
                  WriterReason(static_cast<lxw_error>(error), 0));
}

void XlsxSheet::WriteNumber(int row, int column, double value, XlsxFormat format) {
    const lxw_error error = worksheet_write_number(
        sheet_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column), value, format.format_);
    if (error != LXW_NO_ERROR) RefuseCell(row, column, error);
}

void XlsxSheet::WriteText(int row, int column, std::string_view text, XlsxFormat format) {
    const std::string zeroEnded(text);
    const lxw_error error =
        worksheet_write_string(sheet_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                               zeroEnded.c_str(), format.format_);
    if (error != LXW_NO_ERROR) RefuseCell(row, column, error);
}

void XlsxSheet::SetColumnWidth(int firstColumn, int lastColumn, double width) {
    worksheet_set_column(sheet_, static_cast<lxw_col_t>(firstColumn),
                         static_cast<lxw_col_t>(lastColumn), width, nullptr);
}

void XlsxSheet::SetRowHeight(int row, double height) {
    worksheet_set_row(sheet_, static_cast<lxw_row_t>(row), height, nullptr);
}

void XlsxSheet::FreezeTopRows(int rows) {
    worksheet_freeze_panes(sheet_, static_cast<lxw_row_t>(rows), 0);
}

XlsxBook::XlsxBook(const std::string& path) : path_(path) {
    if (path.empty()) Refuse("не задано имя файла");
    std::error_code ec;
    const fs::path resolved = fs::weakly_canonical(path, ec);
    target_ = ec ? path : resolved.string();
    if (fs::is_directory(target_, ec)) Refuse("на месте книги стоит папка");

    fs::path folder = fs::path(target_).parent_path();
    if (folder.empty()) folder = ".";
    std::string pattern = (folder / ".shaftline-book-XXXXXX").string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        // A folder of the system (/proc) that takes no new files answers as if it were missing.
        const int failure = errno;
        if (failure == ENOENT && fs::is_directory(folder, ec))
            Refuse("в этой папке нельзя создавать файлы");
        Refuse(SystemReason(failure));
    }
    ::close(fd);
    temporary_ = pattern;

    book_ = workbook_new(temporary_.c_str());
    if (book_ == nullptr) {
        DiscardTemporary();
        Refuse(WriterReason(LXW_ERROR_MEMORY_MALLOC_FAILED, 0));
    }
}

XlsxBook::~XlsxBook() {
    if (book_ != nullptr) lxw_workbook_free(book_);
    DiscardTemporary();
}

void XlsxBook::DiscardTemporary() {
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

void XlsxBook::Refuse(const std::string& reason) const {
    throw WorkbookError("Книга «" + QuotedForMessage(path_) + "» не сохранена: " + reason + ".");
}

XlsxSheet XlsxBook::AddSheet(const std::string& name) {
    const lxw_error invalid = workbook_validate_sheet_name(book_, name.c_str());
    if (invalid != LXW_NO_ERROR)
        Refuse("лист «" + QuotedForMessage(name) + "»: " + WriterReason(invalid, 0));
    lxw_worksheet* sheet = workbook_add_worksheet(book_, name.c_str());
    if (sheet == nullptr) Refuse(WriterReason(LXW_ERROR_MEMORY_MALLOC_FAILED, 0));
    return XlsxSheet(*this, sheet, name);
}

XlsxFormat XlsxBook::AddFormat(const XlsxStyle& style) {
    lxw_format* format = workbook_add_format(book_);
    if (format == nullptr) Refuse(WriterReason(LXW_ERROR_MEMORY_MALLOC_FAILED, 0));
    if (style.bold) format_set_bold(format);
    if (style.wrap) format_set_text_wrap(format);
    if (style.alignLeft) format_set_align(format, LXW_ALIGN_LEFT);
    if (!style.numberFormat.empty()) format_set_num_format(format, style.numberFormat.c_str());
    return XlsxFormat(format);
}

void XlsxBook::Close() {
    if (book_ == nullptr) Refuse("книга уже закрыта");
    errno = 0;
    const lxw_error error = workbook_close(book_);  // frees the book whatever the outcome
    const int systemError = errno;
    book_ = nullptr;
    if (error != LXW_NO_ERROR) {
        DiscardTemporary();
        Refuse(WriterReason(error, systemError));
    }
    // The complete book reaches the disk before it takes the place of the previous one.
    if (::chmod(temporary_.c_str(), BookMode(target_)) != 0 || !SyncToDisk(temporary_) ||
        ::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int failure = errno;
        DiscardTemporary();
        Refuse(SystemReason(failure));
    }
    temporary_.clear();
}

}  // namespace shaftline::io
