// extract_workbook_stream IN.xls OUT.bin: writes the BIFF8 "Workbook" stream of IN.xls.
#include <cstdio>
#include <fstream>
#include <iterator>

#include "compound_file.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s IN.xls OUT.bin\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)), {});
    try {
        const auto stream = shaftline::io::ReadWorkbookStream(file);
        std::ofstream(argv[2], std::ios::binary)
            .write(reinterpret_cast<const char*>(stream.bytes.data()),
                   static_cast<std::streamsize>(stream.bytes.size()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[1], e.what());
        return 1;
    }
    return 0;
}
