#include "zip_archive.h"

#include <zlib.h>

#include <algorithm>

#include "biff_stream.h"
#include "book_limits.h"
#include "layout_book.h"
#include "message_text.h"
#include "zip_format.h"

namespace shaftline::io {

namespace {

using namespace zip;

[[noreturn]] void RefuseUnpackedSize() {
    throw BookFormatError("zip-архив книги распаковывается больше чем в " +
                          std::to_string(kMaxUnpackedBytes >> 20) +
                          " МБ; книге валопровода столько не нужно");
}

[[noreturn]] void Damaged(const std::string& what) {
    throw BookFormatError("zip-архив книги повреждён: " + what);
}

std::string MemberName(std::string_view name) {
    return "«" + QuotedForMessage(name) + "»";
}

// The end-of-directory record lies in the last 64 KB + 22 bytes (its comment is at most
// 64 KB); the one nearest the end whose comment reaches exactly to the end of the file.
std::size_t FindEndOfDirectory(std::span<const std::uint8_t> file) {
    if (file.size() < kEndOfDirectoryBytes) Damaged("нет каталога");
    const std::size_t lowest = file.size() > kEndOfDirectoryBytes + 0xFFFF
                                   ? file.size() - kEndOfDirectoryBytes - 0xFFFF
                                   : 0;
    for (std::size_t at = file.size() - kEndOfDirectoryBytes + 1; at-- > lowest;) {
        if (ReadU32(file, at) == kEndOfDirectory &&
            at + kEndOfDirectoryBytes + ReadU16(file, at + 20) == file.size()) {
            return at;
        }
    }
    Damaged("нет каталога");
}

// Unpacks into exactly the declared size: a member that would unpack to more, or ends
// before it, is damaged (and a bomb never gets more memory than its directory declares).
std::string Inflate(std::span<const std::uint8_t> packed, std::size_t bytes,
                    std::string_view name) {
    std::string out(bytes + 1, '\0');
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) Damaged("распаковка не началась");
    z.next_in = const_cast<Bytef*>(packed.data());
    z.avail_in = static_cast<uInt>(packed.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int status = inflate(&z, Z_FINISH);
    const bool complete = status == Z_STREAM_END && z.total_out == bytes;
    inflateEnd(&z);
    if (!complete) Damaged("часть " + MemberName(name) + " не распаковывается");
    out.resize(bytes);
    return out;
}

}  // namespace

bool IsZipArchive(std::span<const std::uint8_t> file) {
    return file.size() >= 4 && file[0] == 'P' && file[1] == 'K' &&
           ((file[2] == 3 && file[3] == 4) || (file[2] == 5 && file[3] == 6));
}

ZipArchive::ZipArchive(std::span<const std::uint8_t> file) : file_(file) {
    const std::size_t end = FindEndOfDirectory(file);
    const std::size_t count = ReadU16(file, end + 10);
    const std::size_t directoryBytes = ReadU32(file, end + 12);
    std::size_t at = ReadU32(file, end + 16);
    if (count == 0xFFFF || at == 0xFFFFFFFF) {
        Damaged("формат ZIP64 для книги валопровода не нужен и не читается");
    }
    if (at > end || end - at < directoryBytes) Damaged("каталог выходит за свои границы");
    if (count > kMaxZipMembers) {
        throw BookFormatError("в zip-архиве книги больше " + std::to_string(kMaxZipMembers) +
                              " частей");
    }

    std::uint64_t unpacked = 0;
    members_.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (at + kCentralHeaderBytes > end || ReadU32(file, at) != kCentralHeader) {
            Damaged("запись каталога не на месте");
        }
        Member m;
        m.flags = ReadU16(file, at + 8);
        m.method = ReadU16(file, at + 10);
        m.crc = ReadU32(file, at + 16);
        m.packedBytes = ReadU32(file, at + 20);
        m.bytes = ReadU32(file, at + 24);
        const std::size_t nameBytes = ReadU16(file, at + 28);
        const std::size_t extraBytes =
            static_cast<std::size_t>(ReadU16(file, at + 30)) + ReadU16(file, at + 32);
        m.headerOffset = ReadU32(file, at + 42);
        at += kCentralHeaderBytes;
        if (end - at < nameBytes + extraBytes) Damaged("запись каталога обрывается");
        m.name.assign(reinterpret_cast<const char*>(file.data() + at), nameBytes);
        at += nameBytes + extraBytes;

        if (m.packedBytes > file.size() || m.headerOffset >= end) {
            Damaged("часть " + MemberName(m.name) + " больше самого файла");
        }
        unpacked += m.bytes;
        if (unpacked > kMaxUnpackedBytes) RefuseUnpackedSize();
        members_.push_back(std::move(m));
    }
}

const ZipArchive::Member* ZipArchive::Find(std::string_view name) const {
    const auto it = std::find_if(members_.begin(), members_.end(),
                                 [name](const Member& m) { return m.name == name; });
    return it == members_.end() ? nullptr : &*it;
}

bool ZipArchive::Contains(std::string_view name) const {
    return Find(name) != nullptr;
}

std::span<const std::uint8_t> ZipArchive::PackedData(const Member& m) const {
    const std::size_t at = m.headerOffset;
    if (file_.size() - at < kLocalHeaderBytes || ReadU32(file_, at) != kLocalHeader) {
        Damaged("часть " + MemberName(m.name) + " не на месте");
    }
    const std::size_t data =
        at + kLocalHeaderBytes + ReadU16(file_, at + 26) + ReadU16(file_, at + 28);
    if (data > file_.size() || file_.size() - data < m.packedBytes) {
        Damaged("часть " + MemberName(m.name) + " обрывается концом файла");
    }
    return file_.subspan(data, m.packedBytes);
}

std::string ZipArchive::Read(std::string_view name) const {
    const Member* m = Find(name);
    if (m == nullptr) {
        Damaged("нет части " + MemberName(name));
    }
    if ((m->flags & 0x0001) != 0) {
        throw BookFormatError("книга зашифрована паролем; снимите защиту и сохраните её");
    }
    unpacked_ += m->bytes;
    if (unpacked_ > kMaxUnpackedBytes) RefuseUnpackedSize();
    const std::span<const std::uint8_t> packed = PackedData(*m);
    std::string out;
    if (m->method == kStored) {
        if (m->packedBytes != m->bytes) Damaged("часть " + MemberName(name) + " неверной длины");
        out.assign(reinterpret_cast<const char*>(packed.data()), packed.size());
    } else if (m->method == kDeflated) {
        out = Inflate(packed, m->bytes, name);
    } else {
        throw BookFormatError("часть " + MemberName(name) +
                              " сжата неизвестным способом; сохраните книгу заново");
    }
    const auto crc =
        crc32(0L, reinterpret_cast<const Bytef*>(out.data()), static_cast<uInt>(out.size()));
    if (crc != m->crc) {
        Damaged("контрольная сумма части " + MemberName(name) + " не сходится");
    }
    return out;
}

}  // namespace shaftline::io
