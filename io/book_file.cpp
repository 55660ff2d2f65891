#include "book_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <new>

#include "book_limits.h"
#include "message_text.h"
#include "shaft_line_workbook.h"

namespace shaftline::io {

namespace {

constexpr std::size_t kHugePage = 2U << 20;

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

[[noreturn]] void Refuse(const std::string& path, const std::string& reason) {
    throw WorkbookError("Файл книги «" + QuotedForMessage(path) + "» " + reason + ".");
}

[[noreturn]] void RefuseOpen(const std::string& path, int error) {
    switch (error) {
        case ENOENT:
            Refuse(path, "не найден");
        case ENOTDIR:
            Refuse(path, "не найден: часть пути не является папкой");
        case ELOOP:
            Refuse(path, "не открывается: символические ссылки в пути образуют петлю");
        case EACCES:
        case EPERM:
            Refuse(path, "не открывается: нет права читать файл или искать в его папке");
        case ENAMETOOLONG:
            Refuse(path, "не открывается: слишком длинный путь");
        case ENXIO:
            Refuse(path, "не является обычным файлом (это сокет или устройство)");
        default:
            Refuse(path, "не удаётся открыть (ошибка " + std::to_string(error) + ")");
    }
}

void CheckRegularFile(const std::string& path, const struct stat& status) {
    if (S_ISREG(status.st_mode)) return;
    if (S_ISDIR(status.st_mode)) {
        throw WorkbookError("«" + QuotedForMessage(path) + "» — папка, а не файл книги.");
    }
    Refuse(path, S_ISFIFO(status.st_mode)
                     ? "является именованным каналом, а не обычным файлом; книга читается "
                       "только из обычного файла"
                     : "не является обычным файлом (это сокет или устройство); книга "
                       "читается только из обычного файла");
}

[[noreturn]] void RefuseTooLarge(const std::string& path) {
    Refuse(path, "слишком велик для книги с данными валопровода (больше " +
                     std::to_string(kMaxWorkbookFileBytes >> 20) + " МБ)");
}

// Reads until the buffer is full or the file ends; the count read.
std::size_t ReadUpTo(const std::string& path, int fd, std::uint8_t* buffer, std::size_t size) {
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t got = ::read(fd, buffer + filled, size - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            Refuse(path, "не удаётся прочитать (ошибка " + std::to_string(errno) + ")");
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    return filled;
}

}  // namespace

BookBytes::BookBytes(std::size_t capacity) : capacity_(capacity) {
    void* block = nullptr;
    if (capacity >= kHugePage) {
        const std::size_t rounded = (capacity + kHugePage - 1) / kHugePage * kHugePage;
        block = std::aligned_alloc(kHugePage, rounded);
        if (block != nullptr) ::madvise(block, rounded, MADV_HUGEPAGE);
    } else {
        block = std::malloc(capacity);
    }
    if (block == nullptr) throw std::bad_alloc();
    data_.reset(static_cast<std::uint8_t*>(block));
}

void BookBytes::Free::operator()(std::uint8_t* p) const {
    std::free(p);
}

BookBytes ReadBookFile(const std::string& path) {
    // Without O_NONBLOCK, opening a named pipe waits for a writer forever.
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        RefuseOpen(path, errno);
    }
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0) {
        RefuseOpen(path, errno);
    }
    CheckRegularFile(path, status);
    if (static_cast<std::uintmax_t>(status.st_size) > kMaxWorkbookFileBytes) {
        RefuseTooLarge(path);
    }

    // One byte more than the file holds tells whether it has grown since fstat.
    BookBytes bytes(static_cast<std::size_t>(status.st_size) + 1);
    const std::size_t size = ReadUpTo(path, fd.get(), bytes.Data(), bytes.Capacity());
    if (size == bytes.Capacity()) {
        Refuse(path, "меняется, пока его читают; повторите, когда его запишут до конца");
    }
    bytes.SetSize(size);
    return bytes;
}

}  // namespace shaftline::io
