#include "system/paged_reader.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace k32 {

PagedReader::PagedReader(RemoteRead read, std::size_t pageSize)
    : read_(std::move(read)), pageSize_(pageSize) {}

bool PagedReader::ReadRun(std::uint64_t start, std::size_t count) {
  std::vector<std::byte> bytes(count * pageSize_);
  if (!read_(start, bytes.data(), bytes.size())) return false;
  for (std::size_t i = 0; i < count; ++i) {
    const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(i * pageSize_);
    pages_[start + i * pageSize_].bytes.assign(first, first + static_cast<std::ptrdiff_t>(pageSize_));
  }
  return true;
}

void PagedReader::ReadAhead(std::vector<std::uint64_t> pageStarts) {
  for (std::uint64_t& start : pageStarts) start &= ~(pageSize_ - 1);
  std::sort(pageStarts.begin(), pageStarts.end());
  pageStarts.erase(std::unique(pageStarts.begin(), pageStarts.end()), pageStarts.end());
  for (std::size_t i = 0; i < pageStarts.size();) {
    std::size_t count = 1;
    while (i + count < pageStarts.size() && count < kMaxRun &&
           pageStarts[i + count] - pageStarts[i + count - 1] == pageSize_)
      ++count;
    if (pages_.size() + count > kMaxPages) return;
    (void)ReadRun(pageStarts[i], count);
    i += count;
  }
}

PagedReader::Page* PagedReader::PageAt(std::uint64_t start) {
  auto found = pages_.find(start);
  if (found == pages_.end()) {
    if (pages_.size() >= kMaxPages) return nullptr;
    if (!ReadRun(start, 1)) pages_[start] = Page{};  // kept as one that cannot be read whole
    found = pages_.find(start);
  }
  return found->second.bytes.empty() ? nullptr : &found->second;
}

bool PagedReader::Read(std::uint64_t address, void* buffer, std::size_t size) {
  if (size == 0) return true;
  if (address > std::numeric_limits<std::uint64_t>::max() - (size - 1)) return false;
  auto* out = static_cast<std::byte*>(buffer);
  const std::uint64_t last = address + (size - 1);  // the last byte: the end may lie past 2^64 - 1
  for (std::uint64_t at = address;;) {
    const std::uint64_t start = at & ~(pageSize_ - 1);
    Page* page = PageAt(start);
    if (!page) return read_(address, buffer, size);
    page->used = true;
    const std::uint64_t offset = at - start;
    const std::uint64_t count = std::min(last - at + 1, pageSize_ - offset);
    std::memcpy(out + (at - address), page->bytes.data() + offset, count);
    if (last - at < count) return true;
    at += count;
  }
}

std::vector<std::uint64_t> PagedReader::PagesUsed() const {
  std::vector<std::uint64_t> used;
  for (const auto& [start, page] : pages_)
    if (page.used) used.push_back(start);
  std::sort(used.begin(), used.end());
  return used;
}

}  // namespace k32
