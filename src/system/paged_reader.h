// Reads of another process's memory a page at a time, each page read once: the loader's entries
// and their names lie close together, and under Wine each read of another process is a round trip
// through the server that stops the process, far dearer than the copy of a whole page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "system/remote_layout.h"

namespace k32 {

class PagedReader {
 public:
  // pageSize: the system's page, a power of two.
  PagedReader(RemoteRead read, std::size_t pageSize);
  PagedReader(const PagedReader&) = delete;
  PagedReader& operator=(const PagedReader&) = delete;

  // The pages that start there read ahead, those that lie side by side in one read: where an
  // earlier walk found what it read. A run that cannot be read whole is left to be read as asked.
  void ReadAhead(std::vector<std::uint64_t> pageStarts);
  // The bytes at address from the pages read so far or read now; a page that cannot be read whole,
  // or one past those it keeps, is passed by: the bytes are then asked for as they are.
  [[nodiscard]] bool Read(std::uint64_t address, void* buffer, std::size_t size);
  // The starts of the pages that reads took bytes from, in address order.
  [[nodiscard]] std::vector<std::uint64_t> PagesUsed() const;

  // How many pages it keeps at most: a list that leads all over the address space costs no more
  // memory than this.
  static constexpr std::size_t kMaxPages = 256;
  // How many pages one read ahead takes at most.
  static constexpr std::size_t kMaxRun = 16;

 private:
  struct Page {
    std::vector<std::byte> bytes;  // empty: not readable whole
    bool used = false;
  };
  // The page starting there, read now when it is not kept; null when it cannot be read whole.
  Page* PageAt(std::uint64_t start);
  // Reads count pages side by side from start in one read; false when not every byte came.
  [[nodiscard]] bool ReadRun(std::uint64_t start, std::size_t count);

  RemoteRead read_;
  std::uint64_t pageSize_;
  std::unordered_map<std::uint64_t, Page> pages_;
};

}  // namespace k32
