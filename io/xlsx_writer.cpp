#include "xlsx_writer.h"

#include <locale.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "biff_workbook.h"
#include "message_text.h"
#include "output_file.h"
#include "shaft_line_workbook.h"
#include "xlsxwriter.h"
#include "zip_rewriter.h"

namespace shaftline::io {

namespace {

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

ssize_t Discard(void*, const char*, std::size_t size) {
    return static_cast<ssize_t>(size);
}

// The library writes its numbers and sizes with printf, which follows the C locale (a decimal
// comma in a Russian one), and tells of its failures in English on standard error, naming the
// temporary file. Each call runs in the "C" locale of this thread and with standard error
// discarded; the failure reaches the user as this program's Russian message.
class LibraryCall {
  public:
    LibraryCall() : lock_(Mutex()), locale_(::uselocale(CLocale())), stream_(stderr) {
        stderr = Discarding();
    }
    ~LibraryCall() {
        stderr = stream_;
        ::uselocale(locale_);
    }
    LibraryCall(const LibraryCall&) = delete;
    LibraryCall& operator=(const LibraryCall&) = delete;

  private:
    static std::mutex& Mutex() {
        static std::mutex mutex;
        return mutex;
    }
    static locale_t CLocale() {
        static const locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
        return c;
    }
    static FILE* Discarding() {
        static FILE* const nowhere = [] {
            FILE* file = ::fopencookie(nullptr, "w", {nullptr, Discard, nullptr, nullptr});
            if (file != nullptr) std::setvbuf(file, nullptr, _IONBF, 0);
            return file;
        }();
        return nowhere != nullptr ? nowhere : stderr;
    }

    std::lock_guard<std::mutex> lock_;
    locale_t locale_;
    FILE* stream_;
};

// The library names the worksheet parts by the order the sheets were added.
std::optional<std::size_t> SheetIndex(std::string_view member) {
    constexpr std::string_view prefix = "xl/worksheets/sheet";
    constexpr std::string_view suffix = ".xml";
    if (!member.starts_with(prefix) || !member.ends_with(suffix)) return std::nullopt;
    const std::string_view digits =
        member.substr(prefix.size(), member.size() - prefix.size() - suffix.size());
    std::size_t number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9' || number > 1000000) return std::nullopt;
        number = number * 10 + static_cast<std::size_t>(c - '0');
    }
    if (digits.empty() || number == 0) return std::nullopt;
    return number - 1;
}

}  // namespace

void XlsxSheet::RefuseCell(int row, int column, int error) const {
    book_->Refuse("лист «" + QuotedForMessage(name_) + "», ячейка " + CellName(row, column) + ": " +
                  WriterReason(static_cast<lxw_error>(error), 0));
}

void XlsxSheet::WriteNumber(int row, int column, double value, XlsxFormat format) {
    // A spreadsheet cell has no writing for NaN or infinity; the library would write "nan".
    if (!std::isfinite(value))
        book_->Refuse("лист «" + QuotedForMessage(name_) + "», ячейка " + CellName(row, column) +
                      ": значение не является конечным числом");
    lxw_error error = LXW_NO_ERROR;
    {
        const LibraryCall call;
        error = worksheet_write_number(sheet_, static_cast<lxw_row_t>(row),
                                       static_cast<lxw_col_t>(column), value, format.format_);
    }
    if (error != LXW_NO_ERROR) RefuseCell(row, column, error);
    book_->numbers_[index_][{row, column}] = value;
}

void XlsxSheet::WriteText(int row, int column, std::string_view text, XlsxFormat format) {
    const std::string zeroEnded(text);
    lxw_error error = LXW_NO_ERROR;
    {
        const LibraryCall call;
        error = worksheet_write_string(sheet_, static_cast<lxw_row_t>(row),
                                       static_cast<lxw_col_t>(column), zeroEnded.c_str(),
                                       format.format_);
    }
    if (error != LXW_NO_ERROR) RefuseCell(row, column, error);
    // An empty text without a format leaves the cell as it was; any other replaces it.
    if (!text.empty() || format.format_ != nullptr) book_->numbers_[index_].erase({row, column});
}

void XlsxSheet::SetColumnWidth(int firstColumn, int lastColumn, double width) {
    const LibraryCall call;
    worksheet_set_column(sheet_, static_cast<lxw_col_t>(firstColumn),
                         static_cast<lxw_col_t>(lastColumn), width, nullptr);
}

void XlsxSheet::SetRowHeight(int row, double height) {
    const LibraryCall call;
    worksheet_set_row(sheet_, static_cast<lxw_row_t>(row), height, nullptr);
}

void XlsxSheet::FreezeTopRows(int rows) {
    const LibraryCall call;
    worksheet_freeze_panes(sheet_, static_cast<lxw_row_t>(rows), 0);
}

XlsxBook::XlsxBook(const std::string& path) : path_(path) {
    try {
        file_ = std::make_unique<ReplacingFile>(path, "книги");
    } catch (const OutputRefusal& e) {
        Refuse(e.what());
    }
    {
        const LibraryCall call;
        book_ = workbook_new(file_->OpenableName().c_str());
    }
    if (book_ == nullptr) Refuse(WriterReason(LXW_ERROR_MEMORY_MALLOC_FAILED, 0));
}

XlsxBook::~XlsxBook() {
    if (book_ != nullptr) {
        const LibraryCall call;
        lxw_workbook_free(book_);
    }
}

void XlsxBook::Refuse(const std::string& reason) const {
    throw WorkbookError("Книга «" + QuotedPathForMessage(path_) + "» не сохранена: " + reason +
                        ".");
}

XlsxSheet XlsxBook::AddSheet(const std::string& name) {
    lxw_worksheet* sheet = nullptr;
    {
        const LibraryCall call;
        const lxw_error invalid = workbook_validate_sheet_name(book_, name.c_str());
        if (invalid != LXW_NO_ERROR)
            Refuse("лист «" + QuotedForMessage(name) + "»: " + WriterReason(invalid, 0));
        sheet = workbook_add_worksheet(book_, name.c_str());
    }
    if (sheet == nullptr) Refuse(WriterReason(LXW_ERROR_MEMORY_MALLOC_FAILED, 0));
    numbers_.emplace_back();
    return XlsxSheet(*this, sheet, name, numbers_.size() - 1);
}

XlsxFormat XlsxBook::AddFormat(const XlsxStyle& style) {
    const LibraryCall call;
    lxw_format* format = workbook_add_format(book_);
    if (format == nullptr) Refuse(WriterReason(LXW_ERROR_MEMORY_MALLOC_FAILED, 0));
    if (style.bold) format_set_bold(format);
    if (style.wrap) format_set_text_wrap(format);
    if (style.alignLeft) format_set_align(format, LXW_ALIGN_LEFT);
    if (!style.numberFormat.empty()) format_set_num_format(format, style.numberFormat.c_str());
    return XlsxFormat(format);
}

std::string XlsxBook::ExactBook(const std::string& written) const {
    const auto sheet = [this](std::string_view member) {
        const std::optional<std::size_t> index = SheetIndex(member);
        return index && *index < numbers_.size() ? index : std::nullopt;
    };
    return RewriteZipMembers(
        written, [&](std::string_view member) { return sheet(member).has_value(); },
        [&](std::string_view member, std::string_view content) {
            return WithExactNumbers(content, numbers_[*sheet(member)]);
        });
}

void XlsxBook::Close() {
    if (book_ == nullptr) Refuse("книга уже закрыта");
    lxw_error error = LXW_NO_ERROR;
    int systemError = 0;
    {
        const LibraryCall call;
        errno = 0;
        error = workbook_close(book_);  // frees the book whatever the outcome
        systemError = errno;
    }
    book_ = nullptr;
    if (error != LXW_NO_ERROR) Refuse(WriterReason(error, systemError));
    try {
        file_->Write(ExactBook(file_->Contents()));
        file_->Commit();
    } catch (const OutputRefusal& e) {
        Refuse(e.what());
    } catch (const std::bad_alloc&) {
        Refuse(WriterReason(LXW_ERROR_MEMORY_MALLOC_FAILED, 0));
    }
}

}  // namespace shaftline::io
