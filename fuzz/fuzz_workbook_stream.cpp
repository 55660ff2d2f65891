// The BIFF8 records themselves: the input is a "Workbook" stream without its container.
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        CheckAccepted(shaftline::io::ParseShaftLineWorkbookStream({data, size}, "fuzz.xls", ","));
    } catch (const shaftline::io::WorkbookError&) {
        // A refusal is a correct answer; any other exception escapes and counts as a crash.
    }
    return 0;
}
