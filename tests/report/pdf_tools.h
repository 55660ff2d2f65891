#pragma once

// Reads a PDF back with poppler's command-line tools, as a user's viewer would.

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace pdf_tools {

/// Runs a shell command and returns what it printed; status receives its exit status.
inline std::string Output(const std::string& command, int* status = nullptr) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[4096];
    while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    const int result = pclose(pipe);
    if (status != nullptr) *status = result;
    return out;
}

inline std::string Quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

/// Page count from pdfinfo; -1 when it cannot read the file.
inline int PageCount(const std::filesystem::path& pdf) {
    const std::string info = Output("pdfinfo " + Quoted(pdf) + " 2>/dev/null");
    const std::size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

/// The text of pages first..last (all pages when both are 0), laid out as on the page.
inline std::string Text(const std::filesystem::path& pdf, int first = 0, int last = 0) {
    std::string range;
    if (first > 0) range = " -f " + std::to_string(first) + " -l " + std::to_string(last);
    return Output("pdftotext -layout" + range + " " + Quoted(pdf) + " - 2>/dev/null");
}

/// Number of fonts the file uses and how many of them it embeds (pdffonts' "emb" column, the
/// fifth from the right of each row).
inline std::pair<int, int> FontsEmbedded(const std::filesystem::path& pdf) {
    std::istringstream rows(Output("pdffonts " + Quoted(pdf) + " 2>/dev/null"));
    std::string row;
    int fonts = 0, embedded = 0;
    for (int line = 0; std::getline(rows, row); ++line) {
        if (line < 2) continue;  // header and rule
        std::istringstream words(row);
        std::vector<std::string> columns;
        for (std::string word; words >> word;) columns.push_back(word);
        if (columns.size() < 6) continue;
        ++fonts;
        embedded += columns[columns.size() - 5] == "yes" ? 1 : 0;
    }
    return {fonts, embedded};
}

/// True when pdftoppm renders every page without an error message.
inline bool Renders(const std::filesystem::path& pdf) {
    const std::filesystem::path prefix = std::filesystem::temp_directory_path() / "render_check";
    int status = -1;
    const std::string errors =
        Output("pdftoppm -r 20 -png " + Quoted(pdf) + " " + Quoted(prefix) + " 2>&1", &status);
    for (const auto& entry : std::filesystem::directory_iterator(prefix.parent_path()))
        if (entry.path().filename().string().rfind("render_check", 0) == 0)
            std::filesystem::remove(entry.path());
    return status == 0 && errors.empty();
}

}  // namespace pdf_tools
