// A book whose reading runs out of memory is refused with its name, never with a bare
// std::bad_alloc: the reading runs in a child process whose address space ends a little above
// what it already uses.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "shaft_line_workbook.h"
#include "test_books.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

// Limits the process's address space to what it maps now and `more` bytes.
void LimitAddressSpace(std::size_t more) {
    std::size_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const auto bytes =
        static_cast<rlim_t>(pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)) + more);
    const rlimit limit{bytes, bytes};
    if (::setrlimit(RLIMIT_AS, &limit) != 0) std::_Exit(3);
}

// 0: refused naming the book as too large; 1: refused otherwise; 2: read.
[[noreturn]] void ReadWithLittleMemory(const std::string& path) {
    LimitAddressSpace(16U << 20);
    try {
        shaftline::io::ReadShaftLineWorkbook(path, ".");
    } catch (const shaftline::io::WorkbookError& e) {
        const std::string message = e.what();
        std::fputs(message.c_str(), stderr);
        const bool named = message.find("Книга «") != std::string::npos &&
                           message.find("слишком велика") != std::string::npos;
        std::_Exit(named ? 0 : 1);
    }
    std::_Exit(2);
}

TEST(BookMemoryTest, OutOfMemoryIsRefusedNamingTheBook) {
    if (kAddressSanitizer) GTEST_SKIP() << "AddressSanitizer reserves more than the limit";
    // Its sheet part unpacks to 31 MB, more than the child may map.
    const std::string path = test_books::Hostile("huge_sheet_comment.xlsx");
    EXPECT_EXIT(ReadWithLittleMemory(path), ::testing::ExitedWithCode(0), "");
}

}  // namespace
