// Splits a fuzzer's bytes into the values a target needs.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "listview/sort_locale.h"

namespace k32::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  int Pick(int n) { return Byte() % n; }
  // Text up to the next byte 0xFF (not included), or to the end.
  std::string_view Text() {
    const std::size_t start = pos_;
    while (pos_ < size_ && data_[pos_] != 0xFF) ++pos_;
    const std::string_view text(reinterpret_cast<const char*>(data_) + start, pos_ - start);
    if (pos_ < size_) ++pos_;
    return text;
  }
  std::string_view Rest() {
    const std::string_view text(reinterpret_cast<const char*>(data_) + pos_, size_ - pos_);
    pos_ = size_;
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// A locale made from the first few bytes: the usual separators and some that no locale has.
inline SortLocale LocaleFrom(FuzzInput& in) {
  static const char* const kSeparators[] = {",", ".", "/", ":",    "-", " ",
                                            "'", "e", "",  "\xA0", "1", "\xC9\xCF"};
  static const char* const kFormats[] = {"M/d/yyyy", "dd.MM.yyyy", "yyyy/M/d", "gg ee/MM/dd", "", "'x'"};
  static const char* const kMarkers[][2] = {
      {"AM", "PM"}, {"", ""}, {"\xC9\xCF\xCE\xE7", "\xCF\xC2\xCE\xE7"}, {"a", "p"}, {"am", "AM"}};
  static const int kYears[] = {2024, 1999, 1, 9999, 0, -5, 50, INT_MAX, INT_MIN, 10000};
  auto separator = [&] { return kSeparators[in.Pick(std::size(kSeparators))]; };
  const char* thousand = separator();
  const char* decimal = separator();
  const char* date = separator();
  const char* time = separator();
  const char* format = kFormats[in.Pick(std::size(kFormats))];
  const auto& markers = kMarkers[in.Pick(std::size(kMarkers))];
  const int year = kYears[in.Pick(std::size(kYears))];
  return MakeSortLocale(thousand, decimal, date, time, format, markers[0], markers[1], year);
}

}  // namespace k32::fuzz
