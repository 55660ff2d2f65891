#pragma once

#include <cstddef>
#include <cstdint>

// What a shaft-line book may hold. A full shaft line is 19 sheets of at most 53 rows by 18
// columns (about 18 000 cells, a few hundred kilobytes in any format); the limits leave room
// for whatever else a user keeps in a book, and refuse what only a damaged or hostile file
// holds before it costs memory or time.

namespace shaftline::io {

/// The file itself.
inline constexpr std::uintmax_t kMaxWorkbookFileBytes = 64U << 20;

/// Compound document (.xls): directory entries reachable from the root, and the longest chain
/// of links (sibling or child) from the root to an entry.
inline constexpr std::size_t kMaxDirectoryEntries = 1024;
inline constexpr std::size_t kMaxDirectoryDepth = 128;

/// BIFF8 records walked in one pass over the workbook stream (CONTINUE records included).
inline constexpr std::size_t kMaxRecords = 1U << 20;
/// CONTINUE records after one record: the largest shared-string table allowed needs about
/// 2 100, a formula's longest text result 9.
inline constexpr std::size_t kMaxContinueRecords = 1U << 12;

/// Shared strings of a book (.xls, .xlsx): how many, and their text in UTF-8 bytes.
inline constexpr std::size_t kMaxSharedStrings = 1U << 16;
inline constexpr std::size_t kMaxSharedStringBytes = 16U << 20;

/// Cells with a value written in all sheets of a book, inside the layout or not; a cell
/// written again counts again.
inline constexpr std::size_t kMaxCells = 1U << 18;

/// Text that goes from the layout cells into the book, in UTF-8 bytes.
inline constexpr std::size_t kMaxBookTextBytes = 4U << 20;

/// Zip container (.xlsx, .ods): members, and the bytes all of them unpack to together (a full
/// line unpacks to 0.5 MB as .xlsx, 1.4 MB as .ods).
inline constexpr std::size_t kMaxZipMembers = 1024;
inline constexpr std::uint64_t kMaxUnpackedBytes = 32U << 20;

/// XML parts of a zip book: nesting of elements, attributes of one element (a cell has a
/// handful), namespace declarations in one part (a spreadsheet program writes a few dozen).
/// Parts are read whole, each at most once: together at most kMaxUnpackedBytes.
inline constexpr std::size_t kMaxXmlDepth = 64;
inline constexpr std::size_t kMaxXmlAttributes = 256;
inline constexpr std::size_t kMaxXmlNamespaceDeclarations = 1024;

}  // namespace shaftline::io
