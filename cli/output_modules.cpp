#include "output_modules.h"

#include <dlfcn.h>

#include <cstring>

#include "message_text.h"
#include "output_file.h"

namespace shaftline::cli {

namespace {

constexpr std::size_t kReasonSize = 1024;

// The longest reason of a failed load that a message keeps, in characters.
constexpr std::size_t kMaxLoadReasonChars = 400;

[[noreturn]] void Refuse(const std::filesystem::path& module, const std::string& reason) {
    throw OutputModuleError("модуль «" + io::QuotedPathForMessage(module.string()) + "» " + reason);
}

// The loader's reason ("PATH: REASON", where REASON may name a missing library), without the
// module's path, which the message names already, and safe for a terminal.
std::string LoadReason(const std::filesystem::path& module, const char* error) {
    std::string_view reason = error != nullptr ? error : "причина неизвестна";
    const std::string prefix = module.string() + ": ";
    if (reason.starts_with(prefix)) reason.remove_prefix(prefix.size());
    std::string quoted;
    std::size_t chars = 0;
    // In pieces that QuotedForMessage takes whole, cut at character starts.
    while (!reason.empty() && chars < kMaxLoadReasonChars) {
        std::size_t end = 0;
        for (std::size_t n = 0; end < reason.size() && n < kMaxQuotedChars; ++n) {
            ++end;
            while (end < reason.size() && (static_cast<unsigned char>(reason[end]) & 0xC0) == 0x80)
                ++end;
        }
        quoted += QuotedForMessage(reason.substr(0, end));
        chars += kMaxQuotedChars;
        reason.remove_prefix(end);
    }
    return reason.empty() ? quoted : quoted + "…";
}

// Never unloaded: Qt keeps threads and handlers of its own until the process ends.
OutputEntry LoadEntry(const std::filesystem::path& module, const char* entryName) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(module, ec)) Refuse(module, "не найден");
    void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        Refuse(module, "не загружен: " + LoadReason(module, ::dlerror()));
    }
    const auto entry = reinterpret_cast<OutputEntry>(::dlsym(handle, entryName));
    if (entry == nullptr) Refuse(module, "не подходит к этой программе: в нем нет ее записи");
    return entry;
}

std::string WriteThroughModule(const std::filesystem::path& module, const char* entryName,
                               const ShaftLineRun& run, const io::ShaftLineWorkbook& workbook,
                               const std::string& bookPath, const std::string& outputPath) {
    const OutputEntry entry = LoadEntry(module, entryName);
    char reason[kReasonSize] = {};
    const int written = entry(sizeof(ShaftLineRun), sizeof(io::ShaftLineWorkbook), &run, &workbook,
                              bookPath.c_str(), outputPath.c_str(), reason, sizeof reason);
    if (written < 0) Refuse(module, "собран из другой версии программы");
    if (written > 0) return {};
    // A module of another build may leave the buffer without its end.
    const std::size_t length = ::strnlen(reason, sizeof reason);
    if (length > 0) return std::string(reason, length);
    return "файл «" + io::QuotedPathForMessage(outputPath) + "» не записан";
}

}  // namespace

std::string WritePdfReportThroughModule(const std::filesystem::path& folder,
                                        const ShaftLineRun& run,
                                        const io::ShaftLineWorkbook& workbook,
                                        const std::string& bookPath, const std::string& pdfPath) {
    return WriteThroughModule(folder / SHAFTLINE_PDF_MODULE_FILE, kPdfReportEntry, run, workbook,
                              bookPath, pdfPath);
}

std::string WriteResultsBookThroughModule(const std::filesystem::path& folder,
                                          const ShaftLineRun& run,
                                          const io::ShaftLineWorkbook& workbook,
                                          const std::string& bookPath,
                                          const std::string& resultsPath) {
    return WriteThroughModule(folder / SHAFTLINE_RESULTS_MODULE_FILE, kResultsBookEntry, run,
                              workbook, bookPath, resultsPath);
}

std::string WriteFieldSheetThroughModule(const std::filesystem::path& folder,
                                         const ShaftLineRun& run,
                                         const io::ShaftLineWorkbook& workbook,
                                         const std::string& bookPath, const std::string& pdfPath) {
    return WriteThroughModule(folder / SHAFTLINE_PDF_MODULE_FILE, kFieldSheetEntry, run, workbook,
                              bookPath, pdfPath);
}

int RunOutputEntry(std::size_t runSize, std::size_t workbookSize, char* reason,
                   std::size_t reasonSize, const std::function<std::string()>& write) {
    if (runSize != sizeof(ShaftLineRun) || workbookSize != sizeof(io::ShaftLineWorkbook)) return -1;
    std::string refusal;
    try {
        refusal = write();
    } catch (const std::exception& e) {
        refusal = e.what();
        if (refusal.empty()) refusal = "внутренняя ошибка модуля";
    }
    if (reasonSize > 0) {
        std::size_t length = std::min(refusal.size(), reasonSize - 1);
        // Not in the middle of a UTF-8 sequence.
        while (length > 0 && length < refusal.size() && (refusal[length] & 0xC0) == 0x80) --length;
        std::memcpy(reason, refusal.data(), length);
        reason[length] = '\0';
    }
    return refusal.empty() ? 1 : 0;
}

}  // namespace shaftline::cli
