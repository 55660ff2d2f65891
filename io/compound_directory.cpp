// The directory of a compound document, checked before libgsf walks it. libgsf follows the
// directory's tree of entries recursively and visits siblings in quadratic time, so a few
// megabytes of entries chained one under the other overflow the stack, and chained side by
// side take seconds. A shaft-line book holds a few dozen entries.
#include <optional>
#include <vector>

#include "book_limits.h"
#include "compound_file.h"

namespace shaftline::io {

namespace {

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kNoEntry = 0xFFFFFFFF;
constexpr std::size_t kHeaderFatEntries = 109;
constexpr std::size_t kEntryBytes = 128;
constexpr std::uint8_t kStreamEntry = 2;

[[noreturn]] void Damaged(const std::string& what) {
    throw CompoundFileError("файл .xls повреждён: " + what);
}

class SectorMap {
  public:
    explicit SectorMap(ByteSpan file) : file_(file) {
        const std::uint16_t shift = ReadU16(file, 0x1E);
        if (shift != 9 && shift != 12) {
            Damaged("неверный размер сектора");
        }
        sectorBytes_ = std::size_t{1} << shift;
        sectorCount_ = file.size() / sectorBytes_;  // the header takes the place of one
        ReadFatSectors(ReadU32(file, 0x2C), ReadU32(file, 0x44));
    }

    std::size_t SectorBytes() const { return sectorBytes_; }

    ByteSpan Sector(std::uint32_t sector) const {
        const std::size_t at = (static_cast<std::size_t>(sector) + 1) * sectorBytes_;
        if (sector >= sectorCount_ || file_.size() - at < sectorBytes_) {
            Damaged("сектор за концом файла");
        }
        return file_.subspan(at, sectorBytes_);
    }

    /// The sectors of a chain, in order; a chain longer than the file has sectors loops.
    std::vector<std::uint32_t> Chain(std::uint32_t first) const {
        std::vector<std::uint32_t> chain;
        for (std::uint32_t s = first; s != kEndOfChain; s = Next(s)) {
            if (chain.size() > sectorCount_) {
                Damaged("цепочка секторов каталога замкнута в петлю");
            }
            chain.push_back(s);
        }
        return chain;
    }

    /// The stream of a directory entry when it lies in the file as one run of sectors.
    std::optional<ByteSpan> ContiguousStream(ByteSpan entry, std::uint32_t miniCutoff,
                                             std::uint16_t majorVersion) const {
        // Version 3 keeps only the low half of the size; the high half may hold anything.
        std::uint64_t size = ReadU32(entry, 120);
        if (majorVersion != 3) size |= static_cast<std::uint64_t>(ReadU32(entry, 124)) << 32;
        if (size < miniCutoff || size > file_.size()) return std::nullopt;
        const std::uint32_t first = ReadU32(entry, 116);
        const std::size_t sectors = (size + sectorBytes_ - 1) / sectorBytes_;
        std::uint32_t s = first;
        for (std::size_t i = 0; i + 1 < sectors; ++i, ++s) {
            if (s >= sectorCount_ || Next(s) != s + 1) return std::nullopt;
        }
        const std::size_t at = (static_cast<std::size_t>(first) + 1) * sectorBytes_;
        if (s >= sectorCount_ || at > file_.size() || file_.size() - at < size) return std::nullopt;
        return file_.subspan(at, static_cast<std::size_t>(size));
    }

  private:
    void ReadFatSectors(std::uint32_t count, std::uint32_t difat) {
        if (count > sectorCount_) {
            Damaged("таблица размещения больше самого файла");
        }
        for (std::size_t i = 0; i < kHeaderFatEntries && fat_.size() < count; ++i) {
            fat_.push_back(ReadU32(file_, 0x4C + 4 * i));
        }
        const std::size_t perSector = sectorBytes_ / 4 - 1;
        for (std::size_t steps = 0; fat_.size() < count; ++steps) {
            if (difat >= kEndOfChain || steps > sectorCount_) {
                Damaged("таблица размещения не читается");
            }
            const ByteSpan sector = Sector(difat);
            for (std::size_t i = 0; i < perSector && fat_.size() < count; ++i) {
                fat_.push_back(ReadU32(sector, 4 * i));
            }
            difat = ReadU32(sector, 4 * perSector);
        }
    }

    std::uint32_t Next(std::uint32_t sector) const {
        const std::size_t perSector = sectorBytes_ / 4;
        const std::size_t index = sector / perSector;
        if (index >= fat_.size()) {
            Damaged("сектор вне таблицы размещения");
        }
        return ReadU32(Sector(fat_[index]), 4 * (sector % perSector));
    }

    ByteSpan file_;
    std::size_t sectorBytes_ = 0;
    std::size_t sectorCount_ = 0;
    std::vector<std::uint32_t> fat_;
};

// The entry's name is "Workbook", in any case of its ASCII letters.
bool IsWorkbookEntry(ByteSpan entry) {
    constexpr std::u16string_view kName = u"workbook";
    if (ReadU16(entry, 64) != (kName.size() + 1) * 2 || entry[66] != kStreamEntry) return false;
    for (std::size_t i = 0; i < kName.size(); ++i) {
        char16_t c = ReadU16(entry, 2 * i);
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != kName[i]) return false;
    }
    return true;
}

}  // namespace

std::optional<ByteSpan> CheckCompoundDirectory(ByteSpan file) {
    if (file.size() < 512) {
        Damaged("файл короче своего заголовка");
    }
    const SectorMap sectors(file);
    const std::vector<std::uint32_t> chain = sectors.Chain(ReadU32(file, 0x30));
    const std::size_t perSector = sectors.SectorBytes() / kEntryBytes;
    const std::size_t entryCount = chain.size() * perSector;
    if (entryCount == 0) {
        Damaged("нет каталога");
    }
    const auto entry = [&](std::uint32_t index) {
        return sectors.Sector(chain[index / perSector])
            .subspan((index % perSector) * kEntryBytes, kEntryBytes);
    };

    // Depth first from the root entry over the left, right and child links. A link that
    // leads nowhere is libgsf's to judge; an entry reached twice makes the tree a loop.
    struct Visit {
        std::uint32_t index;
        std::size_t depth;
        bool inRoot;  // one of the root's children, where the workbook stream lives
    };
    std::vector<bool> seen(entryCount);
    std::vector<Visit> pending{{0, 0, false}};
    std::size_t reached = 0;
    std::optional<ByteSpan> workbook;
    while (!pending.empty()) {
        const Visit visit = pending.back();
        pending.pop_back();
        if (seen[visit.index]) {
            Damaged("каталог замкнут в петлю");
        }
        seen[visit.index] = true;
        if (++reached > kMaxDirectoryEntries) {
            Damaged("в каталоге больше " + std::to_string(kMaxDirectoryEntries) +
                    " записей, а в книге валопровода их несколько десятков");
        }
        if (visit.depth > kMaxDirectoryDepth) {
            Damaged("каталог вложен глубже " + std::to_string(kMaxDirectoryDepth) + " уровней");
        }
        const ByteSpan data = entry(visit.index);
        if (visit.inRoot && !workbook && IsWorkbookEntry(data)) {
            workbook = data;
        }
        for (const std::size_t link : {68U, 72U, 76U}) {
            const std::uint32_t next = ReadU32(data, link);
            if (next != kNoEntry && next < entryCount) {
                const bool inRoot = link == 76 ? visit.index == 0 : visit.inRoot;
                pending.push_back({next, visit.depth + 1, inRoot});
            }
        }
    }
    return workbook ? sectors.ContiguousStream(*workbook, ReadU32(file, 0x38), ReadU16(file, 0x1A))
                    : std::nullopt;
}

}  // namespace shaftline::io
