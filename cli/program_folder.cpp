#include "program_folder.h"

namespace shaftline::cli {

std::filesystem::path ProgramFolder(const char* argv0) {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) exe = std::filesystem::absolute(argv0, ec);
    return exe.parent_path();
}

}  // namespace shaftline::cli
