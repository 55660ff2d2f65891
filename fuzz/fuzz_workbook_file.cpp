// A whole .xls file: the compound-document container (libgsf) and the records inside it.
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        CheckAccepted(shaftline::io::ParseShaftLineWorkbook({data, size}, "fuzz.xls", "."));
    } catch (const shaftline::io::WorkbookError&) {
        // A refusal is a correct answer; any other exception escapes and counts as a crash.
    }
    return 0;
}
