#pragma once

// Builds a zip archive in memory with stored members, so that fuzzed bytes reach the XML
// readers with a valid container around them (a mutated zip would mostly fail its CRC).

#include <zlib.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zip_package {

using Bytes = std::vector<std::uint8_t>;
using Member = std::pair<std::string, std::string>;  // name, content

inline void Put(Bytes& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline Bytes Zip(const std::vector<Member>& members) {
    Bytes out;
    Bytes directory;
    for (const auto& [name, content] : members) {
        const auto crc = static_cast<std::uint32_t>(crc32(
            0, reinterpret_cast<const Bytef*>(content.data()), static_cast<uInt>(content.size())));
        const auto size = static_cast<std::uint32_t>(content.size());
        const auto offset = static_cast<std::uint32_t>(out.size());
        Put(out, 0x04034B50, 4);
        Put(out, 20, 2), Put(out, 0, 2), Put(out, 0, 2), Put(out, 0, 4);
        Put(out, crc, 4), Put(out, size, 4), Put(out, size, 4);
        Put(out, static_cast<std::uint32_t>(name.size()), 2), Put(out, 0, 2);
        out.insert(out.end(), name.begin(), name.end());
        out.insert(out.end(), content.begin(), content.end());
        Put(directory, 0x02014B50, 4);
        Put(directory, 20, 2), Put(directory, 20, 2), Put(directory, 0, 2), Put(directory, 0, 2);
        Put(directory, 0, 4), Put(directory, crc, 4), Put(directory, size, 4);
        Put(directory, size, 4), Put(directory, static_cast<std::uint32_t>(name.size()), 2);
        Put(directory, 0, 2), Put(directory, 0, 2), Put(directory, 0, 2), Put(directory, 0, 2);
        Put(directory, 0, 4), Put(directory, offset, 4);
        directory.insert(directory.end(), name.begin(), name.end());
    }
    const auto start = static_cast<std::uint32_t>(out.size());
    out.insert(out.end(), directory.begin(), directory.end());
    Put(out, 0x06054B50, 4), Put(out, 0, 2), Put(out, 0, 2);
    Put(out, static_cast<std::uint32_t>(members.size()), 2);
    Put(out, static_cast<std::uint32_t>(members.size()), 2);
    Put(out, static_cast<std::uint32_t>(directory.size()), 4), Put(out, start, 4), Put(out, 0, 2);
    return out;
}

}  // namespace zip_package
