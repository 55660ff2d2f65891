#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace shaftline::io {

/// The bytes of a file in one block of memory, not cleared before the file fills it. Blocks
/// of megabytes ask for huge pages: a book near the size limit is read several times faster.
class BookBytes {
  public:
    explicit BookBytes(std::size_t capacity);
    std::uint8_t* Data() { return data_.get(); }
    std::size_t Capacity() const { return capacity_; }
    void SetSize(std::size_t size) { size_ = size; }
    std::span<const std::uint8_t> Span() const { return {data_.get(), size_}; }

  private:
    struct Free {
        void operator()(std::uint8_t* p) const;
    };
    std::unique_ptr<std::uint8_t[], Free> data_;
    std::size_t capacity_ = 0;
    std::size_t size_ = 0;
};

/// The bytes of a book file. Only a regular file is read, and never waited for: a named pipe,
/// a device or a folder is refused at once, as are a missing file, a loop of symbolic links,
/// a folder that may not be searched and a file above kMaxWorkbookFileBytes. Throws
/// WorkbookError naming the file and the reason.
BookBytes ReadBookFile(const std::string& path);

}  // namespace shaftline::io
