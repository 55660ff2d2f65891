#pragma once

#include <sys/types.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// One rule for every file the program writes for the user (the shaft-line book, the results
// book, the PDF report): it never replaces what it should not, and a write that stops half-way
// leaves the previous file and nothing else behind.

namespace shaftline::io {

/// A target that may not be written, or a write that failed; what() is the Russian reason
/// without the file's name ("файл только для чтения").
class OutputRefusal : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// The Russian reason for a failed file operation with errno `error`; 0 for an unknown cause.
std::string SystemReason(int error);

/// Which file a path names, for telling whether two paths name the same one: an existing file
/// by its device and inode (links followed, so a symbolic or hard link is the file it leads
/// to); a file still to be created by its folder's device and inode and its own name.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    std::string name;  ///< empty for an existing file

    bool operator==(const FileIdentity&) const = default;
};

/// Nothing when the path leads nowhere a file could be (a missing folder, say).
std::optional<FileIdentity> IdentityOf(const std::string& path);

/// The path for a message: the file's own name kept whole, the folders before it shortened
/// from the left ("…/Расчеты/валопровод.xlsx") so that the whole stays within the length a
/// message quotes, every character made safe as QuotedForMessage makes it.
std::string QuotedPathForMessage(std::string_view path);

/// A file written in place of `path` only on Commit(). The target is checked first: a name is
/// given; it is no folder, device, pipe or socket; a symbolic link leads to an existing file
/// (the file is written where the link points and the link stays); an existing file is one the
/// user may write and owns. The content goes to an unnamed file in the target's folder, which
/// Commit() links into the target's place in one step, with the previous file's permissions;
/// a process killed before that leaves nothing. Where the file system has no unnamed files, a
/// hidden file whose name the program recognises is used, and such files left by a killed write
/// are removed by the next write in that folder. The name of the file is taken byte for byte.
/// Every refusal is an OutputRefusal; `what` names the kind of file in the genitive for the
/// reasons ("книги", "отчета").
class ReplacingFile {
  public:
    ReplacingFile(const std::string& path, std::string_view what);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    /// A name by which another library may open the file for writing; valid until Commit().
    const std::string& OpenableName() const { return openable_; }
    /// Everything written to the file so far, through OpenableName() too.
    std::string Contents() const;
    /// Replaces the whole content.
    void Write(std::string_view bytes);
    /// Puts the file in the target's place, after checking the target again.
    void Commit();

  private:
    struct Target;
    Target CheckedTarget() const;
    void OpenUnnamed(const std::string& folder);
    void OpenNamed(const std::string& folder);
    void Discard();

    std::string path_;
    std::string what_;
    std::string folder_;  // the target's, with a final symbolic link followed
    std::string named_;   // the hidden file's name when the file system has no unnamed files
    std::string openable_;
    int fd_ = -1;
};

/// Writes `bytes` as the file `path` under the rule of ReplacingFile.
void WriteReplacingFile(const std::string& path, std::string_view what, std::string_view bytes);

}  // namespace shaftline::io
