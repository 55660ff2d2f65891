#pragma once

// Runs the built shaftline-calc as a separate process and collects what it printed.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

struct CalcResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

/// Runs shaftline-calc with the arguments, in the folder `cwd` if one is given, its standard
/// output into `outFile` instead of being collected if one is given.
inline CalcResult RunCalc(const std::vector<std::string>& args, const std::string& cwd = "",
                          const std::string& outFile = "") {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path();
    const fs::path outPath = dir / ("calc_out_" + std::to_string(getpid()));
    const fs::path errPath = dir / ("calc_err_" + std::to_string(getpid()));
    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outFile.empty() ? outPath.c_str() : outFile.c_str(),
                             O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(127);
        std::vector<char*> argv{const_cast<char*>(SHAFTLINE_CALC)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(SHAFTLINE_CALC, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    CalcResult result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (outFile.empty()) result.out = ReadWhole(outPath);
    result.err = ReadWhole(errPath);
    fs::remove(outPath);
    fs::remove(errPath);
    return result;
}
