#include "biff_workbook.h"

namespace shaftline::io {

namespace {

void CheckGlobalsBof(const BiffRecord& bof) {
    if (bof.type != biff::kBof) {
        throw BiffFormatError("поток книги не начинается с записи BOF");
    }
    const std::uint16_t version = ReadU16(bof.data, 0);
    const std::uint16_t kind = ReadU16(bof.data, 2);
    if (version != biff::kBiff8Version) {
        throw BiffFormatError(
            "книга сохранена в формате старше Excel 97; сохраните её в "
            "формате «Книга Excel 97-2003»");
    }
    if (kind != biff::kBofGlobals) {
        throw BiffFormatError("поток книги не начинается с глобальной части книги");
    }
}

BiffSheetEntry ReadBoundSheet(const BiffRecord& record) {
    BiffSheetEntry entry;
    entry.offset = ReadU32(record.data, 0);
    entry.type = record.data.size() > 5 ? record.data[5] : 0xFF;
    ContinuedReader name({record.data.subspan(std::min<std::size_t>(6, record.data.size()))});
    entry.name = name.UnicodeString(1);
    return entry;
}

std::vector<std::string> ReadSharedStrings(ByteSpan first, RecordCursor& cursor) {
    ContinuedReader reader(ContinuedBody(first, cursor));
    reader.U32();  // total count of string uses, not needed
    const std::uint32_t unique = reader.U32();
    // The declared count is not trusted for a reservation: a damaged file could claim billions.
    std::vector<std::string> strings;
    SharedStringLimit limit;
    while (strings.size() < unique && !reader.AtEnd()) {
        limit.Add(strings, reader.UnicodeString(2));
    }
    return strings;
}

}  // namespace

BiffGlobals ReadBiffGlobals(ByteSpan stream) {
    RecordCursor cursor(stream, 0);
    BiffRecord record;
    if (!cursor.Next(record)) {
        throw BiffFormatError("поток книги пуст");
    }
    CheckGlobalsBof(record);

    BiffGlobals globals;
    while (cursor.Next(record)) {
        switch (record.type) {
            case biff::kEof:
                return globals;
            case biff::kFilePass:
                throw BiffFormatError("книга зашифрована паролем; снимите защиту и сохраните её");
            case biff::kBoundSheet:
                globals.sheets.push_back(ReadBoundSheet(record));
                break;
            case biff::kSst:
                globals.sharedStrings = ReadSharedStrings(record.data, cursor);
                break;
            default:
                break;
        }
    }
    throw BiffFormatError("глобальная часть книги не завершена записью EOF");
}

std::string ErrorText(std::uint8_t code) {
    switch (code) {
        case 0x00:
            return "#NULL!";
        case 0x07:
            return "#DIV/0!";
        case 0x0F:
            return "#VALUE!";
        case 0x17:
            return "#REF!";
        case 0x1D:
            return "#NAME?";
        case 0x24:
            return "#NUM!";
        case 0x2A:
            return "#N/A";
        default:
            return "#ERROR!";
    }
}

}  // namespace shaftline::io
