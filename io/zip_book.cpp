#include "zip_book.h"

#include "layout_book.h"

namespace shaftline::io {

namespace {

constexpr std::string_view kSpreadsheetMimeType = "application/vnd.oasis.opendocument.spreadsheet";

}  // namespace

LayoutBook ReadZipBookLayout(std::span<const std::uint8_t> file) {
    const ZipArchive archive(file);
    if (archive.Contains("mimetype")) {
        // A template (.ots) has the same content under a mime type of its own.
        if (archive.Read("mimetype").starts_with(kSpreadsheetMimeType)) {
            return ReadOdsLayout(archive);
        }
        throw BookFormatError("документ OpenDocument не является электронной таблицей");
    }
    if (archive.Contains("_rels/.rels")) return ReadXlsxLayout(archive);
    if (archive.Contains("content.xml")) return ReadOdsLayout(archive);
    throw BookFormatError("zip-архив не является книгой .xlsx или .ods");
}

std::optional<CellPosition> ParseCellReference(std::string_view reference) {
    // At most XFD1048576: three letters, seven digits.
    std::size_t i = 0;
    int column = 0;
    while (i < reference.size() && i < 3 && reference[i] >= 'A' && reference[i] <= 'Z') {
        column = column * 26 + (reference[i] - 'A' + 1);
        ++i;
    }
    const std::size_t letters = i;
    int row = 0;
    while (i < reference.size() && i - letters < 7 && reference[i] >= '0' && reference[i] <= '9') {
        row = row * 10 + (reference[i] - '0');
        ++i;
    }
    if (letters == 0 || i == letters || i != reference.size() || row == 0) return std::nullopt;
    return CellPosition{row - 1, column - 1};
}

}  // namespace shaftline::io
