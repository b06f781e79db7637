// The loader's module list and the page reads under it, over the memory of a process made up here
// in the layout of either word size.
#include "system/loader_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "system/paged_reader.h"

namespace k32 {
namespace {

constexpr std::uint64_t kPage = 0x1000;

// Bytes from address 0 up to a size, nothing readable past it; keeps the addresses read from.
struct FakeMemory {
  explicit FakeMemory(std::size_t size) : bytes(size) {
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(i);
  }
  bool Read(std::uint64_t address, void* buffer, std::size_t size) {
    reads.push_back(address);
    if (address > bytes.size() || size > bytes.size() - address) return false;
    std::memcpy(buffer, bytes.data() + address, size);
    return true;
  }
  RemoteRead Reader() {
    return
        [this](std::uint64_t address, void* buffer, std::size_t size) { return Read(address, buffer, size); };
  }
  void Put(std::uint64_t address, std::uint64_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
      bytes.at(address + i) = static_cast<unsigned char>(value >> (8 * i));
  }
  std::uint64_t Get(std::uint64_t address, std::size_t size) {
    std::uint64_t value = 0;
    std::memcpy(&value, &bytes.at(address), size);
    return value;
  }
  std::vector<unsigned char> bytes;
  std::vector<std::uint64_t> reads;
};

// The environment block, the loader's data and module entries of a process of ptr-byte pointers.
struct FakeProcess {
  static constexpr std::uint64_t kPeb = 0x7000, kLoader = 0x9000;
  explicit FakeProcess(std::size_t ptr) : ptr(ptr) {
    memory.Put(kPeb + 3 * ptr, kLoader, ptr);
    Link(Head(), Head());
  }
  std::uint64_t Head() const { return kLoader + 8 + ptr; }
  // Enters a module at the end of the list, or at its start; where its entry lies.
  std::uint64_t Add(const std::u16string& name, const std::u16string& path, std::uint64_t base,
                    bool first = false) {
    const std::uint64_t entry = next += 0x1000;
    memory.Put(entry + 6 * ptr, base, ptr);
    memory.Put(entry + 8 * ptr, base >> 12, 4);
    const auto put = [&](const std::u16string& text, std::uint64_t at, std::uint64_t chars) {
      memory.Put(entry + at, text.size() * 2, 2);
      memory.Put(entry + at + ptr, entry + chars, ptr);
      for (std::size_t i = 0; i < text.size(); ++i) memory.Put(entry + chars + 2 * i, text[i], 2);
    };
    put(path, ptr == 8 ? 0x48 : 0x24, 0x100);
    put(name, ptr == 8 ? 0x58 : 0x2C, 0x600);
    const std::uint64_t before = first ? Head() : memory.Get(Head() + ptr, ptr);
    const std::uint64_t after = memory.Get(before, ptr);
    Link(before, entry);
    Link(entry, after);
    return entry;
  }
  void Link(std::uint64_t from, std::uint64_t to) {
    memory.Put(from, to, ptr);
    memory.Put(to + ptr, from, ptr);
  }
  std::optional<LoaderList> Read(std::uint64_t knownFirst = 0) {
    const auto loader = ReadLoaderAddress(kPeb, ptr, memory.Reader());
    return loader ? ReadLoaderList(*loader, ptr, memory.Reader(), knownFirst) : std::nullopt;
  }
  std::size_t ptr;
  FakeMemory memory{0x100000};
  std::uint64_t next = 0x20000;
};

TEST(LoaderList, ModulesInLoadOrderAsTheSnapshotGivesThemInEitherWordSize) {
  for (const std::size_t ptr : {4u, 8u}) {
    FakeProcess process(ptr);
    EXPECT_EQ(process.Read()->modules.size(), 0u);
    const std::uint64_t high = ptr == 8 ? 0x7FF812340000 : 0x7C800000;
    const std::uint64_t exe = process.Add(u"a.exe", u"C:\\a.exe", 0x400000);
    process.Add(u"k.dll", u"C:\\k.dll", high);
    // Cut as the snapshot's buffers of 256 and 260 characters cut them: never half a surrogate pair.
    process.Add(std::u16string(300, u'n'), std::u16string(258, u'p') + u"\xD83D\xDE00", 0x10000000);
    process.Add(std::u16string(u"x.dll\0rest", 10), u"C:\\x.dll", 0x20000000);
    const auto list = process.Read();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->first, exe);
    ASSERT_EQ(list->modules.size(), 4u);
    EXPECT_EQ(list->modules[0].moduleName + L"|" + list->modules[0].exePath, L"a.exe|C:\\a.exe");
    EXPECT_EQ(list->modules[1].moduleHandle, high);
    EXPECT_EQ(list->modules[1].moduleSize, high >> 12 & 0xFFFFFFFF);
    EXPECT_EQ(list->modules[2].moduleName, std::wstring(255, L'n'));
    EXPECT_EQ(list->modules[2].exePath, std::wstring(258, L'p'));
    EXPECT_EQ(list->modules[3].moduleName, L"x.dll");
  }
}

TEST(LoaderList, AKnownFirstEntryWhileItStaysFirstAndNothingUnlessAllIsRead) {
  FakeProcess process(8);
  const std::uint64_t exe = process.Add(u"a.exe", u"C:\\a.exe", 0x400000);
  const std::uint64_t dll = process.Add(u"b.dll", u"C:\\b.dll", 0x500000);
  EXPECT_EQ(process.Read(exe)->modules.size(), 2u);
  EXPECT_EQ(std::count(process.memory.reads.begin(), process.memory.reads.end(), process.Head()), 0);
  const std::uint64_t front = process.Add(u"c.dll", u"C:\\c.dll", 0x600000, true);
  EXPECT_EQ(process.Read(exe)->first, front);
  EXPECT_EQ(process.Read(exe)->modules.size(), 3u);

  process.memory.Put(dll + 0x60, 0xDEAD0000, 8);  // a name that cannot be read
  EXPECT_FALSE(process.Read());
  process.memory.Put(dll + 0x60, dll + 0x600, 8);
  process.memory.Put(dll, exe, 8);  // a list that never comes back to its start
  EXPECT_FALSE(process.Read());
  process.memory.Put(FakeProcess::kPeb + 24, 0, 8);  // a loader not set up yet
  EXPECT_FALSE(process.Read());
}

TEST(PagedReader, EachPageOnceRunsAheadInOneReadAndTheBytesThemselvesWhereNoPageIsWhole) {
  FakeMemory memory(0x200000 + 100);  // the last page readable up to 100 bytes in
  PagedReader pages(memory.Reader(), kPage);
  pages.ReadAhead({0x10000, 0x11000, 0x300000});
  EXPECT_EQ(memory.reads.size(), 2u);  // a run of two pages, and one that cannot be read
  unsigned char bytes[8] = {};
  ASSERT_TRUE(pages.Read(0x10FFC, bytes, sizeof bytes));  // across the two pages read ahead
  EXPECT_EQ(bytes[0], 0xFC);
  EXPECT_EQ(bytes[4], 0x00);
  ASSERT_TRUE(pages.Read(0x12000, bytes, 4));  // a page read as asked, once
  ASSERT_TRUE(pages.Read(0x12004, bytes, 4));
  EXPECT_EQ(memory.reads.size(), 3u);
  EXPECT_EQ(pages.PagesUsed(), (std::vector<std::uint64_t>{0x10000, 0x11000, 0x12000}));
  EXPECT_TRUE(pages.Read(0x200010, bytes, 4));
  EXPECT_EQ(bytes[0], 0x10);
  EXPECT_FALSE(pages.Read(0x200060, bytes, 8));
  EXPECT_FALSE(pages.Read(~std::uint64_t{0} - 2, bytes, 8));  // past the last address
  // Past the pages it keeps, the reads still come right.
  for (std::uint64_t page = 0; page < PagedReader::kMaxPages + 8; ++page)
    ASSERT_TRUE(pages.Read(page * kPage + 1, bytes, 2));
  EXPECT_EQ(bytes[1], 2);
}

}  // namespace
}  // namespace k32
