#pragma once

#include <cstddef>
#include <cstdint>

// The records of a zip archive that the book reader reads and the book writer packs again.

namespace shaftline::io::zip {

inline constexpr std::uint32_t kLocalHeader = 0x04034B50;
inline constexpr std::uint32_t kCentralHeader = 0x02014B50;
inline constexpr std::uint32_t kEndOfDirectory = 0x06054B50;
inline constexpr std::size_t kLocalHeaderBytes = 30;
inline constexpr std::size_t kCentralHeaderBytes = 46;
inline constexpr std::size_t kEndOfDirectoryBytes = 22;
inline constexpr std::uint16_t kStored = 0;
inline constexpr std::uint16_t kDeflated = 8;

}  // namespace shaftline::io::zip
