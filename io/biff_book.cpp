// The .xls reader: the compound-document container, then the BIFF8 records of its stream.
#include "biff_workbook.h"
#include "book_format.h"
#include "compound_file.h"
#include "zip_book.h"

namespace shaftline::io {

LayoutBook ReadBiffLayout(std::span<const std::uint8_t> stream) {
    BiffGlobals globals = ReadBiffGlobals(stream);
    CheckSheetCount(globals.sheets.size());
    LayoutBook book;
    CellCounter cells;
    for (std::size_t k = 0; k < globals.sheets.size(); ++k) {
        try {
            book.sheets.push_back(ReadBiffSheet(stream, globals, k, cells));
        } catch (const BookFormatError& e) {
            if (e.SheetIndex()) throw;
            throw BookFormatError(e.what(), k, globals.sheets[k].name);
        }
    }
    book.sharedStrings = std::move(globals.sharedStrings);
    return book;
}

LayoutBook ReadBookLayout(std::span<const std::uint8_t> file) {
    if (IsZipArchive(file)) return ReadZipBookLayout(file);
    const WorkbookStream stream = ReadWorkbookStream(file);
    return ReadBiffLayout(stream.bytes);
}

}  // namespace shaftline::io
