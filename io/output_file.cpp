#include "output_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>

#include "message_text.h"

namespace shaftline::io {

namespace {

namespace fs = std::filesystem;

// Hidden files of a write in progress; the second prefix is that of earlier versions.
constexpr std::string_view kPartPrefix = ".shaftline-part-";
constexpr std::string_view kEarlierPartPrefix = ".shaftline-book-";
constexpr std::size_t kPartSuffixLength = 6;
// A write takes seconds at most: a part file this old belongs to a write that was killed.
constexpr auto kLeftoverAge = std::chrono::minutes(10);
// A folder is searched for leftovers only this far, so that a huge folder costs little.
constexpr int kLeftoverSearchEntries = 100000;

}  // namespace

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
        case EFBIG:
            return "файл больше, чем позволено записывать";
        case EROFS:
            return "диск доступен только для чтения";
        case EISDIR:
            return "на этом месте стоит папка";
        case ENAMETOOLONG:
            return "слишком длинное имя файла";
        case ELOOP:
            return "символические ссылки в пути замкнуты в круг";
        case EIO:
            return "ошибка ввода-вывода при записи на диск";
        case EMFILE:
        case ENFILE:
            return "открыто слишком много файлов";
        case ENOMEM:
            return "не хватает памяти";
        case 0:
            return "файл не удалось записать";
        default:
            return std::string("файл не удалось записать (") + std::strerror(error) + ")";
    }
}

namespace {

[[noreturn]] void RefuseSystem(int error) {
    throw OutputRefusal(SystemReason(error));
}

std::string FolderOf(const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

std::string RandomSuffix() {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static std::random_device device;
    std::string suffix;
    for (std::size_t i = 0; i < kPartSuffixLength; ++i)
        suffix += kLetters[device() % (sizeof kLetters - 1)];
    return suffix;
}

bool IsPartName(std::string_view name) {
    for (std::string_view prefix : {kPartPrefix, kEarlierPartPrefix})
        if (name.size() == prefix.size() + kPartSuffixLength && name.starts_with(prefix))
            return true;
    return false;
}

// Part files of this user's killed writes: old enough that no write can still be using them.
void RemoveLeftovers(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    const auto now = std::chrono::system_clock::now();
    int seen = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (++seen > kLeftoverSearchEntries) break;
        if (!IsPartName(entry->d_name)) continue;
        struct stat status {};
        if (::fstatat(::dirfd(dir), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(status.st_mode) || status.st_uid != ::geteuid())
            continue;
        const auto modified = std::chrono::system_clock::from_time_t(status.st_mtim.tv_sec);
        if (now - modified > kLeftoverAge) ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The rename is on the disk only once its folder is.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) return FileIdentity{status.st_dev, status.st_ino, {}};
    if (errno != ENOENT) return std::nullopt;
    // A dangling link names the file it would create; no writer here follows one.
    const fs::path name = fs::path(path).filename();
    if (name.empty() || ::stat(FolderOf(path).c_str(), &status) != 0) return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino, name.string()};
}

std::string QuotedPathForMessage(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    if (CharacterCount(path) <= kMaxQuotedChars || slash == std::string_view::npos)
        return QuotedForMessage(path);
    const std::string_view name = path.substr(slash + 1);
    const std::string_view folder = path.substr(0, slash + 1);
    const std::size_t nameChars = CharacterCount(name);
    if (nameChars + 3 >= kMaxQuotedChars) return "…/" + QuotedForMessage(name);
    // The end of the folder part that fits beside "…" and the name, begun at a folder's start
    // when there is one.
    const std::size_t keep = kMaxQuotedChars - nameChars - 1;
    std::size_t start = folder.size();
    for (std::size_t chars = 0; start > 0 && chars < keep;) {
        --start;
        if ((static_cast<unsigned char>(folder[start]) & 0xC0) != 0x80) ++chars;
    }
    if (const std::size_t boundary = folder.find('/', start);
        start > 0 && boundary + 1 < folder.size())
        start = boundary;
    return "…" + QuotedForMessage(folder.substr(start)) + QuotedForMessage(name);
}

struct ReplacingFile::Target {
    std::string path;  // where the file lands
    std::optional<struct stat> existing;
};

ReplacingFile::ReplacingFile(const std::string& path, std::string_view what)
    : path_(path), what_(what) {
    folder_ = FolderOf(CheckedTarget().path);
    RemoveLeftovers(folder_);
    OpenUnnamed(folder_);
}

ReplacingFile::~ReplacingFile() {
    Discard();
}

ReplacingFile::Target ReplacingFile::CheckedTarget() const {
    if (path_.empty()) throw OutputRefusal("не задано имя файла");
    struct stat status {};
    if (::lstat(path_.c_str(), &status) != 0) {
        if (errno == ENOENT) return {path_, std::nullopt};  // the folder is checked on opening
        RefuseSystem(errno);
    }
    std::string target = path_;
    if (S_ISLNK(status.st_mode)) {
        // Creating a file where a dangling link points is how a planted link makes a program
        // write where it never meant to; a link is followed only to an existing file.
        if (::stat(path_.c_str(), &status) != 0) {
            if (errno == ENOENT)
                throw OutputRefusal("символическая ссылка ведет к несуществующему файлу");
            RefuseSystem(errno);
        }
        char* real = ::realpath(path_.c_str(), nullptr);
        if (real == nullptr) RefuseSystem(errno);
        target = real;
        std::free(real);
    }
    if (S_ISDIR(status.st_mode)) throw OutputRefusal("на месте " + what_ + " стоит папка");
    if (!S_ISREG(status.st_mode))
        throw OutputRefusal("на месте " + what_ +
                            " стоит не обычный файл, а устройство, канал или сокет");
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        if (errno == EACCES || errno == EPERM) throw OutputRefusal("файл защищен от записи");
        RefuseSystem(errno);
    }
    if (::geteuid() != 0 && status.st_uid != ::geteuid())
        throw OutputRefusal("файл принадлежит другому пользователю");
    return {target, status};
}

void ReplacingFile::OpenUnnamed(const std::string& folder) {
    fd_ = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        const int failure = errno;
        if (failure == EOPNOTSUPP || failure == EISDIR || failure == EINVAL)
            return OpenNamed(folder);
        std::error_code ec;
        // A folder of the system (/proc) that takes no new files answers as if it were missing.
        if (failure == ENOENT && fs::is_directory(folder, ec))
            throw OutputRefusal("в этой папке нельзя создавать файлы");
        RefuseSystem(failure);
    }
    // Other libraries open the file, and Commit() links it, by its name under /proc.
    openable_ = "/proc/self/fd/" + std::to_string(fd_);
    if (::access(openable_.c_str(), W_OK) != 0) {
        ::close(fd_);
        fd_ = -1;
        OpenNamed(folder);
    }
}

void ReplacingFile::OpenNamed(const std::string& folder) {
    std::string pattern = (fs::path(folder) / kPartPrefix).string() + "XXXXXX";
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) RefuseSystem(errno);
    named_ = pattern;
    openable_ = named_;
}

void ReplacingFile::Discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!named_.empty()) ::unlink(named_.c_str());
    named_.clear();
}

std::string ReplacingFile::Contents() const {
    struct stat status {};
    if (::fstat(fd_, &status) != 0) RefuseSystem(errno);
    std::string bytes(static_cast<std::size_t>(status.st_size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pread(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) RefuseSystem(errno);
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

void ReplacingFile::Write(std::string_view bytes) {
    if (::ftruncate(fd_, 0) != 0) RefuseSystem(errno);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) RefuseSystem(n < 0 ? errno : EIO);
        done += static_cast<std::size_t>(n);
    }
}

void ReplacingFile::Commit() {
    if (fd_ < 0) throw OutputRefusal("файл уже записан");
    // The target may have changed while the content was written.
    const Target target = CheckedTarget();
    if (FolderOf(target.path) != folder_)
        throw OutputRefusal("символическая ссылка изменилась во время записи");
    const mode_t mode = target.existing ? target.existing->st_mode & 07777 : NewFileMode();
    if (::fchmod(fd_, mode) != 0) RefuseSystem(errno);
    // The administrator's write keeps the owner of the file it replaces.
    if (target.existing && ::geteuid() == 0 &&
        ::fchown(fd_, target.existing->st_uid, target.existing->st_gid) != 0)
        RefuseSystem(errno);
    // The complete file reaches the disk before it takes the place of the previous one; a file
    // system that cannot sync (EINVAL) has nothing more to write.
    if (::fsync(fd_) != 0 && errno != EINVAL) RefuseSystem(errno);

    if (named_.empty()) {
        // A name that lives only between the link and the rename.
        std::string linked;
        for (int attempt = 0; linked.empty(); ++attempt) {
            const std::string name = (fs::path(folder_) / kPartPrefix).string() + RandomSuffix();
            if (::linkat(AT_FDCWD, openable_.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) ==
                0)
                linked = name;
            else if (errno != EEXIST || attempt > 100)
                RefuseSystem(errno);
        }
        named_ = linked;
    }
    if (::rename(named_.c_str(), target.path.c_str()) != 0) RefuseSystem(errno);
    named_.clear();
    ::close(fd_);
    fd_ = -1;
    SyncFolder(folder_);
}

void WriteReplacingFile(const std::string& path, std::string_view what, std::string_view bytes) {
    ReplacingFile file(path, what);
    file.Write(bytes);
    file.Commit();
}

}  // namespace shaftline::io
