#include "zip_rewriter.h"

#include <zlib.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "output_file.h"
#include "zip_format.h"

namespace shaftline::io {

namespace {

using namespace zip;
constexpr std::uint16_t kDataDescriptorFlag = 0x0008;  // sizes after the data, not in the header
constexpr std::uint16_t kVersionNeeded = 20;           // deflate

[[noreturn]] void Malformed() {
    throw OutputRefusal("книга собрана с ошибкой: ее архив не прочитан");
}

std::uint32_t Read(std::string_view bytes, std::size_t at, int size) {
    if (at > bytes.size() || bytes.size() - at < static_cast<std::size_t>(size)) Malformed();
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

void Put(std::string& out, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

struct Member {
    std::uint16_t madeBy = 0, flags = 0, method = 0, time = 0, date = 0;
    std::uint32_t crc = 0, packedSize = 0, size = 0, internal = 0, external = 0, offset = 0;
    std::string name;
    std::string_view packed;  // the data as it lies in the archive
};

std::vector<Member> Members(std::string_view zip) {
    if (zip.size() < kEndOfDirectoryBytes) Malformed();
    std::size_t end = zip.size() - kEndOfDirectoryBytes;
    while (Read(zip, end, 4) != kEndOfDirectory) {
        if (end == 0 || zip.size() - end > kEndOfDirectoryBytes + 0xFFFF) Malformed();
        --end;
    }
    const std::uint32_t count = Read(zip, end + 10, 2);
    std::size_t at = Read(zip, end + 16, 4);
    std::vector<Member> members;
    for (std::uint32_t k = 0; k < count; ++k) {
        if (Read(zip, at, 4) != kCentralHeader) Malformed();
        Member m;
        m.madeBy = static_cast<std::uint16_t>(Read(zip, at + 4, 2));
        m.flags = static_cast<std::uint16_t>(Read(zip, at + 8, 2) & ~kDataDescriptorFlag);
        m.method = static_cast<std::uint16_t>(Read(zip, at + 10, 2));
        m.time = static_cast<std::uint16_t>(Read(zip, at + 12, 2));
        m.date = static_cast<std::uint16_t>(Read(zip, at + 14, 2));
        m.crc = Read(zip, at + 16, 4);
        m.packedSize = Read(zip, at + 20, 4);
        m.size = Read(zip, at + 24, 4);
        const std::size_t nameLength = Read(zip, at + 28, 2);
        const std::size_t tail = nameLength + Read(zip, at + 30, 2) + Read(zip, at + 32, 2);
        m.internal = Read(zip, at + 36, 2);
        m.external = Read(zip, at + 38, 4);
        const std::size_t local = Read(zip, at + 42, 4);
        if (at + kCentralHeaderBytes + nameLength > zip.size()) Malformed();
        m.name = std::string(zip.substr(at + kCentralHeaderBytes, nameLength));
        if (Read(zip, local, 4) != kLocalHeader) Malformed();
        const std::size_t data =
            local + kLocalHeaderBytes + Read(zip, local + 26, 2) + Read(zip, local + 28, 2);
        if (data > zip.size() || zip.size() - data < m.packedSize) Malformed();
        m.packed = zip.substr(data, m.packedSize);
        members.push_back(std::move(m));
        at += kCentralHeaderBytes + tail;
    }
    return members;
}

std::string Unpacked(const Member& m) {
    if (m.method == kStored) return std::string(m.packed);
    if (m.method != kDeflated) Malformed();
    std::string out(m.size, '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) Malformed();
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(m.packed.data()));
    stream.avail_in = static_cast<uInt>(m.packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&stream, Z_FINISH);
    const bool complete = result == Z_STREAM_END && stream.total_out == m.size;
    inflateEnd(&stream);
    if (!complete) Malformed();
    return out;
}

std::string Packed(std::string_view content) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        throw OutputRefusal("не хватает памяти");
    std::string out(deflateBound(&stream, static_cast<uLong>(content.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    stream.avail_in = static_cast<uInt>(content.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) throw OutputRefusal("не хватает памяти");
    return out;
}

void PutHeader(std::string& out, const Member& m, bool central) {
    Put(out, central ? kCentralHeader : kLocalHeader, 4);
    if (central) Put(out, m.madeBy, 2);
    for (std::uint32_t field :
         {std::uint32_t{kVersionNeeded}, std::uint32_t{m.flags}, std::uint32_t{m.method},
          std::uint32_t{m.time}, std::uint32_t{m.date}})
        Put(out, field, 2);
    Put(out, m.crc, 4);
    Put(out, m.packedSize, 4);
    Put(out, m.size, 4);
    Put(out, static_cast<std::uint32_t>(m.name.size()), 2);
    Put(out, 0, 2);  // no extra field
    if (central) {
        Put(out, 0, 2);  // comment
        Put(out, 0, 2);  // disk
        Put(out, m.internal, 2);
        Put(out, m.external, 4);
        Put(out, m.offset, 4);
    }
    out += m.name;
}

}  // namespace

std::string RewriteZipMembers(std::string_view archive, const ZipMemberChoice& chosen,
                              const ZipMemberRewrite& rewrite) {
    std::vector<Member> members = Members(archive);
    std::vector<std::string> rewritten(members.size());
    std::string out;
    out.reserve(archive.size() + archive.size() / 4);
    for (std::size_t k = 0; k < members.size(); ++k) {
        Member& m = members[k];
        if (chosen(m.name)) {
            const std::string changed = rewrite(m.name, Unpacked(m));
            if (changed.size() > UINT32_MAX) throw OutputRefusal("книга слишком велика");
            rewritten[k] = Packed(changed);
            m.method = kDeflated;
            m.size = static_cast<std::uint32_t>(changed.size());
            m.crc = static_cast<std::uint32_t>(crc32(
                0, reinterpret_cast<const Bytef*>(changed.data()), static_cast<uInt>(m.size)));
            m.packed = rewritten[k];
            m.packedSize = static_cast<std::uint32_t>(m.packed.size());
        }
        if (out.size() > UINT32_MAX) throw OutputRefusal("книга слишком велика");
        m.offset = static_cast<std::uint32_t>(out.size());
        PutHeader(out, m, false);
        out += m.packed;
    }
    const std::size_t directory = out.size();
    for (const Member& m : members) PutHeader(out, m, true);
    if (out.size() > UINT32_MAX) throw OutputRefusal("книга слишком велика");
    const std::size_t directorySize = out.size() - directory;
    Put(out, kEndOfDirectory, 4);
    Put(out, 0, 2);
    Put(out, 0, 2);
    Put(out, static_cast<std::uint32_t>(members.size()), 2);
    Put(out, static_cast<std::uint32_t>(members.size()), 2);
    Put(out, static_cast<std::uint32_t>(directorySize), 4);
    Put(out, static_cast<std::uint32_t>(directory), 4);
    Put(out, 0, 2);
    return out;
}

}  // namespace shaftline::io
