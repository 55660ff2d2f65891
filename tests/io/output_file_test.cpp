// The one rule for the files the program writes: what it must not replace it refuses, saying
// why, and a write that stops half-way leaves nothing beside the target.
#include "output_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "message_text.h"

using namespace shaftline::io;

namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

class Folder {
  public:
    Folder() {
        std::string pattern = (fs::temp_directory_path() / "shaftline-out-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
        ::chmod(path_.c_str(), 0777);  // for the other user of the tests run as root
    }
    ~Folder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(path_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    std::string path_;
};

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The refusal of writing `path`, empty when it was written; as the user `user` when the tests
// run as root, so that permissions count.
std::string Refusal(const std::string& path, uid_t user) {
    int pipe[2];
    if (::pipe(pipe) != 0) throw std::runtime_error("pipe failed");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        std::string refusal;
        if (::geteuid() == 0 && user != 0 && ::setresuid(user, user, user) != 0) refusal = "setuid";
        try {
            if (refusal.empty()) WriteReplacingFile(path, "отчета", "new");
        } catch (const OutputRefusal& e) {
            refusal = e.what();
        }
        if (::write(pipe[1], refusal.data(), refusal.size()) < 0) _exit(2);
        _exit(0);
    }
    ::close(pipe[1]);
    std::string refusal;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;) refusal.append(buffer, n);
    ::close(pipe[0]);
    ::waitpid(child, nullptr, 0);
    return refusal;
}

struct Refused {
    const char* name;
    std::function<std::string(const Folder&)> target;  // made in the folder
    bool needsRoot;                                    // the target belongs to another user
    const char* reason;
};

void PrintTo(const Refused& row, std::ostream* out) {
    *out << row.name;
}

class RefusedTargetTest : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedTargetTest, SaysWhyAndLeavesTheTargetAndTheFolderAsTheyWere) {
    if (GetParam().needsRoot && ::geteuid() != 0) GTEST_SKIP() << "needs another user's file";
    Folder folder;
    const std::string target = GetParam().target(folder);
    struct stat before {};
    ASSERT_EQ(::lstat(target.c_str(), &before), 0);
    const std::vector<std::string> names = folder.Names();

    const std::string refusal = Refusal(target, ::geteuid() == 0 ? kNobody : ::geteuid());
    EXPECT_NE(refusal.find(GetParam().reason), std::string::npos) << refusal;

    struct stat after {};
    ASSERT_EQ(::lstat(target.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(folder.Names(), names);
}

std::string OwnedBy(const std::string& path, uid_t owner, mode_t mode) {
    WriteBytes(path, "previous");
    if (::chown(path.c_str(), owner, owner) != 0 && ::geteuid() == 0)
        throw std::runtime_error("chown failed");
    ::chmod(path.c_str(), mode);
    return path;
}

uid_t TestUser() {
    return ::geteuid() == 0 ? kNobody : ::geteuid();
}

INSTANTIATE_TEST_SUITE_P(
    Targets, RefusedTargetTest,
    ::testing::Values(
        Refused{"Pipe",
                [](const Folder& f) {
                    const std::string fifo = f.File("pipe.pdf");
                    ::mkfifo(fifo.c_str(), 0666);
                    return fifo;
                },
                false, "стоит не обычный файл"},
        Refused{"Device", [](const Folder&) { return std::string("/dev/null"); }, false,
                "стоит не обычный файл"},
        Refused{"LinkToADevice",
                [](const Folder& f) {
                    fs::create_symlink("/dev/null", f.File("null.pdf"));
                    return f.File("null.pdf");
                },
                false, "стоит не обычный файл"},
        Refused{"DanglingLink",
                [](const Folder& f) {
                    fs::create_symlink(f.File("nowhere.pdf"), f.File("link.pdf"));
                    return f.File("link.pdf");
                },
                false, "ведет к несуществующему файлу"},
        Refused{"Folder",
                [](const Folder& f) {
                    fs::create_directory(f.File("folder.pdf"));
                    return f.File("folder.pdf");
                },
                false, "на месте отчета стоит папка"},
        Refused{"ReadOnlyFile",
                [](const Folder& f) { return OwnedBy(f.File("read-only.pdf"), TestUser(), 0444); },
                false, "файл защищен от записи"},
        Refused{"AnotherUsersFile",
                [](const Folder& f) { return OwnedBy(f.File("theirs.pdf"), 0, 0644); }, true,
                "файл защищен от записи"},
        Refused{"AnotherUsersFileOpenToAll",
                [](const Folder& f) { return OwnedBy(f.File("shared.pdf"), 0, 0666); }, true,
                "файл принадлежит другому пользователю"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReplacingFileTest, KilledWriteLeavesNothingBeside) {
    Folder folder;
    const std::string target = folder.File("book.xlsx");
    WriteBytes(target, "previous");
    const pid_t child = ::fork();
    if (child == 0) {
        ReplacingFile file(target, "книги");
        file.Write(std::string(100000, 'x'));
        ::raise(SIGKILL);
        _exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"book.xlsx"});
    EXPECT_EQ(ReadBytes(target), "previous");
}

// Where the file system has no unnamed files, the hidden part file of a killed write is
// recognised and removed by the next write; one still young may belong to a running write.
TEST(ReplacingFileTest, NextWriteRemovesOldLeftoversOnly) {
    Folder folder;
    const std::string old = folder.File(".shaftline-part-abc123");
    const std::string young = folder.File(".shaftline-part-def456");
    const std::string foreign = folder.File(".shaftline-part-of-mine");
    for (const std::string& path : {old, young, foreign}) WriteBytes(path, "part");
    const timespec hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, old.c_str(), hourAgo, 0), 0);
    ASSERT_EQ(::utimensat(AT_FDCWD, foreign.c_str(), hourAgo, 0), 0);

    WriteReplacingFile(folder.File("r.pdf"), "отчета", "pdf");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{".shaftline-part-def456",
                                                        ".shaftline-part-of-mine", "r.pdf"}));
}

TEST(ReplacingFileTest, WritesTheNameBytesGivenAndFollowsALinkToAFile) {
    Folder folder;
    const std::string name = "\xff\xfe отчет.pdf";  // no UTF-8
    WriteReplacingFile(folder.File(name), "отчета", "pdf");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{name});
    EXPECT_EQ(ReadBytes(folder.File(name)), "pdf");

    ASSERT_EQ(::chmod(folder.File(name).c_str(), 0640), 0);
    fs::create_symlink(folder.File(name), folder.File("link.pdf"));
    WriteReplacingFile(folder.File("link.pdf"), "отчета", "new");
    EXPECT_TRUE(fs::is_symlink(folder.File("link.pdf")));
    EXPECT_EQ(ReadBytes(folder.File(name)), "new");
    struct stat status {};
    ASSERT_EQ(::stat(folder.File(name).c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640U);
}

TEST(FileIdentityTest, LinksAndSpellingsOfOneFileAreThatFile) {
    Folder folder;
    const std::string book = folder.File("book.xls");
    WriteBytes(book, "book");
    fs::create_symlink(book, folder.File("symbolic.xls"));
    fs::create_hard_link(book, folder.File("hard.xls"));
    for (const char* same : {"symbolic.xls", "hard.xls", "./book.xls"})
        EXPECT_EQ(IdentityOf(folder.File(same)), IdentityOf(book)) << same;
    EXPECT_NE(IdentityOf(folder.File("new.pdf")), IdentityOf(book));
    EXPECT_EQ(IdentityOf(folder.File("new.pdf")), IdentityOf(folder.File("./new.pdf")));
    EXPECT_NE(IdentityOf(folder.File("new.pdf")), IdentityOf(folder.File("new.xlsx")));
    EXPECT_EQ(IdentityOf(folder.File("no folder/new.pdf")), std::nullopt);
}

struct QuotedPath {
    std::string path;
    std::string quoted;
};

void PrintTo(const QuotedPath& row, std::ostream* out) {
    *out << row.path;
}

class QuotedPathTest : public ::testing::TestWithParam<QuotedPath> {};

TEST_P(QuotedPathTest, KeepsTheFileNameAndShortensTheFolders) {
    const std::string quoted = QuotedPathForMessage(GetParam().path);
    EXPECT_EQ(quoted, GetParam().quoted);
    EXPECT_LE(shaftline::CharacterCount(quoted), shaftline::kMaxQuotedChars + 3);
}

INSTANTIATE_TEST_SUITE_P(Paths, QuotedPathTest,
                         ::testing::Values(QuotedPath{"/home/инженер/Расчеты/валопровод.xlsx",
                                                      "/home/инженер/Расчеты/валопровод.xlsx"},
                                           QuotedPath{"/home/engineer/" + std::string(60, 'a') +
                                                          "/Расчеты/валопровод.xlsx",
                                                      "…/Расчеты/валопровод.xlsx"},
                                           QuotedPath{"/home/" + std::string(100, 'b') + "/x.pdf",
                                                      "…" + std::string(53, 'b') + "/x.pdf"},
                                           QuotedPath{"/tmp/" + std::string(70, 'c') + ".pdf",
                                                      "…/" + std::string(60, 'c') + "…"},
                                           QuotedPath{
                                               "/tmp/" + std::string(60, 'd') + "/\x1b[2J.pdf",
                                               "…" + std::string(50, 'd') + "/\\e[2J.pdf"}));

}  // namespace
