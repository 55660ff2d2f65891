// The .xlsx and .ods readers: the first byte chooses which part of a fixed, valid package the
// rest of the input becomes, or (4 and above) takes the rest as a whole zip file.
#include "fuzz_check.h"
#include "zip_package.h"

namespace {

const char* const kPackageRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"r1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
const char* const kWorkbook =
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
    "<sheet name=\"1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
const char* const kWorkbookRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
    "Target=\"sharedStrings.xml\"/></Relationships>";
const char* const kSheet =
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
    "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row><row r=\"2\"><c r=\"A2\" t=\"s\"><v>0</v></c>"
    "</row></sheetData></worksheet>";
const char* const kStrings =
    "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>1</t></si>"
    "</sst>";

void Read(const zip_package::Bytes& file) {
    try {
        CheckAccepted(shaftline::io::ParseShaftLineWorkbook(file, "fuzz.xlsx", "."));
    } catch (const shaftline::io::WorkbookError&) {
        // A refusal is a correct answer; any other exception escapes and counts as a crash.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string part(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0]) {
        case 0:
            Read(zip_package::Zip({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                                   {"content.xml", part}}));
            break;
        case 1:
        case 2:
        case 3:
            Read(zip_package::Zip({{"_rels/.rels", kPackageRels},
                                   {"xl/workbook.xml", data[0] == 3 ? part : kWorkbook},
                                   {"xl/_rels/workbook.xml.rels", kWorkbookRels},
                                   {"xl/sharedStrings.xml", data[0] == 2 ? part : kStrings},
                                   {"xl/worksheets/sheet1.xml", data[0] == 1 ? part : kSheet}}));
            break;
        default:
            Read(zip_package::Bytes(data + 1, data + size));
    }
    return 0;
}
