#include <optional>

#include "biff_workbook.h"

namespace shaftline::io {

namespace {

struct CellRef {
    int row = 0;
    int column = 0;
};

CellRef RefOf(const BiffRecord& record) {
    return {ReadU16(record.data, 0), ReadU16(record.data, 2)};
}

bool IsCellRecord(std::uint16_t type) {
    switch (type) {
        case biff::kFormula:
        case biff::kMulRk:
        case biff::kMulBlank:
        case biff::kRString:
        case biff::kLabelSst:
        case biff::kBlank:
        case biff::kNumber:
        case biff::kLabel:
        case biff::kBoolErr:
        case biff::kRk:
            return true;
        default:
            return false;
    }
}

// Decodes the cell records of one worksheet substream into the sheet's window.
class SheetReader {
  public:
    SheetReader(ByteSpan stream, const BiffGlobals& globals, const BiffSheetEntry& entry,
                CellCounter& cells)
        : globals_(globals), cells_(cells), cursor_(stream, entry.offset), sheet_(entry.name) {}

    LayoutSheet Read() {
        BiffRecord record;
        if (!cursor_.Next(record) || record.type != biff::kBof) {
            throw BiffFormatError("лист не начинается с записи BOF");
        }
        if (ReadU16(record.data, 2) != biff::kBofWorksheet) {
            throw BiffFormatError("это не рабочий лист с ячейками");
        }
        // Charts embedded in the sheet bring substreams of their own, BOF to EOF.
        int depth = 1;
        while (cursor_.Next(record)) {
            if (record.type == biff::kBof) {
                ++depth;
            } else if (record.type == biff::kEof && --depth == 0) {
                ResolvePending();
                return std::move(sheet_);
            } else if (depth == 1) {
                Decode(record);
            }
        }
        throw BiffFormatError("лист не завершён записью EOF");
    }

  private:
    void Decode(const BiffRecord& record) {
        if (IsCellRecord(record.type)) {
            ResolvePending();
            if (record.type != biff::kBlank && record.type != biff::kMulBlank) {
                cells_.Count();
            }
        }
        const ByteSpan data = record.data;
        switch (record.type) {
            case biff::kNumber: {
                const CellRef at = RefOf(record);
                sheet_.SetNumber(at.row, at.column, ReadF64(data, 6));
                break;
            }
            case biff::kRk: {
                const CellRef at = RefOf(record);
                sheet_.SetNumber(at.row, at.column, DecodeRk(ReadU32(data, 6)));
                break;
            }
            case biff::kMulRk:
                DecodeMulRk(record);
                break;
            case biff::kMulBlank: {
                const CellRef at = RefOf(record);
                const std::size_t count = data.size() >= 6 ? (data.size() - 6) / 2 : 0;
                for (std::size_t i = 0; i < count; ++i) {
                    sheet_.SetEmpty(at.row, at.column + static_cast<int>(i));
                }
                break;
            }
            case biff::kBlank: {
                const CellRef at = RefOf(record);
                sheet_.SetEmpty(at.row, at.column);
                break;
            }
            case biff::kLabelSst:
                DecodeLabelSst(record);
                break;
            case biff::kLabel:
            case biff::kRString: {
                const CellRef at = RefOf(record);
                if (sheet_.Contains(at.row, at.column)) {
                    ContinuedReader text({data.subspan(std::min<std::size_t>(6, data.size()))});
                    sheet_.SetText(at.row, at.column, text.UnicodeString(2));
                }
                break;
            }
            case biff::kBoolErr: {
                const CellRef at = RefOf(record);
                if (data.size() < 8) {
                    throw BiffFormatError("запись логического значения короче положенного");
                }
                if (data[7] != 0) {
                    sheet_.SetError(at.row, at.column, ErrorText(data[6]));
                } else {
                    sheet_.SetBoolean(at.row, at.column, data[6] != 0);
                }
                break;
            }
            case biff::kFormula:
                DecodeFormula(record);
                break;
            case biff::kString:
                DecodeString(record);
                break;
            default:
                break;
        }
    }

    void DecodeMulRk(const BiffRecord& record) {
        const CellRef at = RefOf(record);
        if (record.data.size() < 6 || (record.data.size() - 6) % 6 != 0) {
            throw BiffFormatError("запись MULRK неверной длины");
        }
        const std::size_t count = (record.data.size() - 6) / 6;
        if (count > 1) cells_.Count(count - 1);
        for (std::size_t i = 0; i < count; ++i) {
            const int column = at.column + static_cast<int>(i);
            if (sheet_.Contains(at.row, column)) {
                sheet_.SetNumber(at.row, column, DecodeRk(ReadU32(record.data, 4 + 6 * i + 2)));
            }
        }
    }

    void DecodeLabelSst(const BiffRecord& record) {
        const CellRef at = RefOf(record);
        if (!sheet_.Contains(at.row, at.column)) {
            return;
        }
        const std::uint32_t index = ReadU32(record.data, 6);
        if (index >= globals_.sharedStrings.size()) {
            throw BiffFormatError("ячейка " + CellName(at.row, at.column) +
                                  " ссылается на отсутствующую строку общей таблицы");
        }
        sheet_.SetSharedText(at.row, at.column, index);
    }

    // The stored result of a formula: a number, or a marker 0xFFFF in the top bytes with the
    // kind of result in the first byte. A text result follows in a STRING record.
    void DecodeFormula(const BiffRecord& record) {
        const CellRef at = RefOf(record);
        const ByteSpan data = record.data;
        if (ReadU16(data, 12) != 0xFFFF) {
            sheet_.SetNumber(at.row, at.column, ReadF64(data, 6));
            return;
        }
        switch (data[6]) {
            case 0:
                pending_ = at;
                break;
            case 1:
                sheet_.SetBoolean(at.row, at.column, data[8] != 0);
                break;
            case 2:
                sheet_.SetError(at.row, at.column, ErrorText(data[8]));
                break;
            case 3:
                sheet_.SetText(at.row, at.column, std::string());
                break;
            default:
                if (sheet_.Contains(at.row, at.column)) {
                    throw BiffFormatError("неизвестный тип результата формулы в ячейке " +
                                          CellName(at.row, at.column));
                }
        }
    }

    void DecodeString(const BiffRecord& record) {
        const std::vector<ByteSpan> segments = ContinuedBody(record.data, cursor_);
        if (!pending_) {
            return;
        }
        const CellRef at = *pending_;
        pending_.reset();
        if (sheet_.Contains(at.row, at.column)) {
            sheet_.SetText(at.row, at.column, StringRecordText(segments));
        }
    }

    // A formula with a text result whose STRING record never came: the file is damaged, and
    // the cell must not pass for an empty one.
    void ResolvePending() {
        if (pending_ && sheet_.Contains(pending_->row, pending_->column)) {
            throw BiffFormatError("нет сохранённого результата формулы в ячейке " +
                                  CellName(pending_->row, pending_->column));
        }
        pending_.reset();
    }

    const BiffGlobals& globals_;
    CellCounter& cells_;
    RecordCursor cursor_;
    LayoutSheet sheet_;
    std::optional<CellRef> pending_;
};

}  // namespace

LayoutSheet ReadBiffSheet(ByteSpan stream, const BiffGlobals& globals, std::size_t index,
                          CellCounter& cells) {
    const BiffSheetEntry& entry = globals.sheets.at(index);
    if (entry.type != 0) {
        return LayoutSheet(entry.name, entry.type == 2 ? SheetKind::Chart : SheetKind::Other);
    }
    return SheetReader(stream, globals, entry, cells).Read();
}

}  // namespace shaftline::io
