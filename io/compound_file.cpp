#include "compound_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "gsf_library.h"

namespace shaftline::io {

namespace {

struct GObjectUnref {
    void operator()(void* object) const { Gsf().objectUnref(object); }
};
template <typename T>
using GsfPtr = std::unique_ptr<T, GObjectUnref>;

constexpr std::array<std::uint8_t, 8> kCompoundMagic = {0xD0, 0xCF, 0x11, 0xE0,
                                                        0xA1, 0xB1, 0x1A, 0xE1};

bool StartsWith(ByteSpan file, std::initializer_list<std::uint8_t> prefix) {
    return file.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), file.begin());
}

[[noreturn]] void RefuseForeignFormat(ByteSpan file) {
    // A bare BIFF2..BIFF4 stream starts with its BOF record.
    if (StartsWith(file, {0x09, 0x00}) || StartsWith(file, {0x09, 0x02}) ||
        StartsWith(file, {0x09, 0x04})) {
        throw CompoundFileError(
            "книга сохранена в формате старше Excel 97; сохраните её в "
            "формате «Книга Excel 97-2003»");
    }
    throw CompoundFileError("файл не является книгой Excel или OpenDocument (.xls, .xlsx, .ods)");
}

void Quiet(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

// libgsf reports a damaged container through GLib warnings and failed assertions, some in the
// default log domain, as well as through its GError. The error is what the user gets, so the
// rest is kept off the terminal while the container is read.
class QuietGsfLog {
  public:
    QuietGsfLog() {
        const auto levels = static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL);
        for (std::size_t i = 0; i < kDomains.size(); ++i) {
            handlers_[i] = Gsf().logSetHandler(kDomains[i], levels, Quiet, nullptr);
        }
    }
    ~QuietGsfLog() {
        for (std::size_t i = 0; i < kDomains.size(); ++i) {
            Gsf().logRemoveHandler(kDomains[i], handlers_[i]);
        }
    }
    QuietGsfLog(const QuietGsfLog&) = delete;
    QuietGsfLog& operator=(const QuietGsfLog&) = delete;

  private:
    static constexpr std::array<const char*, 3> kDomains = {nullptr, "libgsf", "libgsf:msole"};
    std::array<guint, 3> handlers_{};
};

// Stream names compare without regard to the case of ASCII letters.
bool EqualsIgnoringCase(const char* name, const char* wanted) {
    if (name == nullptr || std::strlen(name) != std::strlen(wanted)) return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (; *name != '\0'; ++name, ++wanted)
        if (lower(*name) != lower(*wanted)) return false;
    return true;
}

}  // namespace

WorkbookStream ReadWorkbookStream(ByteSpan file) {
    if (file.size() < kCompoundMagic.size() ||
        !std::equal(kCompoundMagic.begin(), kCompoundMagic.end(), file.begin())) {
        RefuseForeignFormat(file);
    }
    if (const std::optional<ByteSpan> contiguous = CheckCompoundDirectory(file)) {
        return {{}, *contiguous};
    }
    const GsfLibrary& gsf = Gsf();
    const QuietGsfLog quiet;

    GsfPtr<GsfInput> input(
        gsf.inputMemoryNew(file.data(), static_cast<gsf_off_t>(file.size()), FALSE));
    GError* error = nullptr;
    GsfPtr<GsfInfile> container(gsf.infileMsoleNew(input.get(), &error));
    if (!container) {
        std::string reason = error != nullptr ? error->message : "неизвестная ошибка";
        gsf.clearError(&error);
        throw CompoundFileError("файл .xls повреждён (" + reason + ")");
    }

    GsfPtr<GsfInput> stream;
    bool oldBook = false;
    bool encryptedPackage = false;
    const int children = gsf.infileNumChildren(container.get());
    for (int i = 0; i < children && !stream; ++i) {
        const char* name = gsf.infileNameByIndex(container.get(), i);
        if (EqualsIgnoringCase(name, "Workbook")) {
            stream.reset(gsf.infileChildByIndex(container.get(), i));
        } else if (EqualsIgnoringCase(name, "Book")) {
            oldBook = true;
        } else if (EqualsIgnoringCase(name, "EncryptedPackage")) {
            encryptedPackage = true;  // a .xlsx under a password
        }
    }
    if (!stream) {
        throw CompoundFileError(
            oldBook            ? "книга сохранена в формате Excel 5.0/95; сохраните её в формате «Книга "
                                 "Excel 97-2003» или «Книга Excel» (.xlsx)"
            : encryptedPackage ? "книга зашифрована паролем; снимите защиту и сохраните её"
                               : "в файле нет книги Excel");
    }

    // A stream cannot hold more than the file it lives in; a larger size is a damaged directory.
    const gsf_off_t size = gsf.inputSize(stream.get());
    if (size < 0 || static_cast<std::uint64_t>(size) > file.size()) {
        throw CompoundFileError("файл .xls повреждён: неверный размер потока книги");
    }
    WorkbookStream result;
    result.copy.resize(static_cast<std::size_t>(size));
    if (size > 0 &&
        gsf.inputRead(stream.get(), result.copy.size(), result.copy.data()) == nullptr) {
        throw CompoundFileError("файл .xls повреждён: поток книги не читается");
    }
    result.bytes = result.copy;
    return result;
}

}  // namespace shaftline::io
