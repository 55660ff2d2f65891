#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The zip container of .xlsx and .ods books, read in memory. The central directory is checked
// whole before anything is unpacked: at most kMaxZipMembers members, which together unpack to
// at most kMaxUnpackedBytes, no member larger than the file could hold. A member is unpacked
// only into the size the directory declares, and must fill it exactly with a matching CRC; all
// members read from one archive, a member read again counting again, stay within
// kMaxUnpackedBytes.

namespace shaftline::io {

/// The first bytes of a zip archive (one with members, or an empty one).
bool IsZipArchive(std::span<const std::uint8_t> file);

class ZipArchive {
  public:
    /// Throws BookFormatError for a damaged directory or one beyond the limits.
    explicit ZipArchive(std::span<const std::uint8_t> file);

    bool Contains(std::string_view name) const;
    /// The unpacked member; throws BookFormatError when it is missing,
    /// encrypted, packed in an unknown way or damaged.
    std::string Read(std::string_view name) const;

  private:
    struct Member {
        std::string name;
        std::uint16_t flags = 0;
        std::uint16_t method = 0;
        std::uint32_t crc = 0;
        std::uint32_t packedBytes = 0;
        std::uint32_t bytes = 0;
        std::uint32_t headerOffset = 0;
    };

    const Member* Find(std::string_view name) const;
    std::span<const std::uint8_t> PackedData(const Member& member) const;

    std::span<const std::uint8_t> file_;
    std::vector<Member> members_;
    mutable std::uint64_t unpacked_ = 0;  ///< by Read, so far
};

}  // namespace shaftline::io
