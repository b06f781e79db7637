#include "system/loader_list.h"

#include <string>
#include <utility>

#include "common/text.h"

namespace k32 {

namespace {

// The buffers of the module snapshot's entries, terminators included.
constexpr std::size_t kModuleNameChars = 256;
constexpr std::size_t kModulePathChars = 260;

template <typename Pointer>
struct ListLinks {
  Pointer next, previous;
};

// The start of the loader's entry of a module, up to the names.
template <typename Pointer>
struct LoaderEntry {
  ListLinks<Pointer> loadOrder, memoryOrder, initializationOrder;
  Pointer base, entryPoint;
  std::uint32_t imageSize;
  RemoteString<Pointer> fullName, baseName;
};
static_assert(sizeof(LoaderEntry<std::uint32_t>) == 0x34 && sizeof(LoaderEntry<std::uint64_t>) == 0x68);

// The names are UTF-16 whatever this build's wide character.
template <typename Pointer>
bool ReadName(const RemoteString<Pointer>& name, std::size_t bufferChars, const RemoteRead& read,
              std::wstring& text) {
  std::vector<char16_t> units(name.length / sizeof(char16_t));
  if (!units.empty() && !read(name.buffer, units.data(), units.size() * sizeof(char16_t))) return false;
  text = TextAsInBuffer(std::wstring(units.begin(), units.end()), bufferChars);
  return true;
}

template <typename Pointer>
std::optional<std::uint64_t> ReadAddress(std::uint64_t peb, const RemoteRead& read) {
  constexpr std::uint64_t kLoaderInPeb = 3 * sizeof(Pointer);
  Pointer loader = 0;
  if (!read(peb + kLoaderInPeb, &loader, sizeof loader) || loader == 0) return std::nullopt;
  return loader;
}

// The known first entry while it links back to the list's start, as it does while the process runs:
// its program's own module stays first.
template <typename Pointer>
bool StillFirst(std::uint64_t knownFirst, std::uint64_t head, const RemoteRead& read) {
  LoaderEntry<Pointer> entry{};
  return knownFirst != 0 && knownFirst == static_cast<Pointer>(knownFirst) &&
         read(knownFirst, &entry, sizeof entry) && entry.loadOrder.previous == head;
}

template <typename Pointer>
std::optional<LoaderList> ReadList(std::uint64_t loader, const RemoteRead& read, std::uint64_t knownFirst) {
  const std::uint64_t head = loader + 8 + sizeof(Pointer);  // the list in load order
  Pointer next = 0;
  if (StillFirst<Pointer>(knownFirst, head, read))
    next = static_cast<Pointer>(knownFirst);
  else if (!read(head, &next, sizeof next))
    return std::nullopt;
  LoaderList list;
  list.first = next == head ? 0 : next;
  // Each entry links back to the one before it: a link that does not was read while the loader
  // changed the list, and the walk stops there instead of following it elsewhere.
  std::uint64_t before = head;
  for (std::size_t walked = 0; next != head; ++walked) {
    LoaderEntry<Pointer> entry{};
    if (walked == kMaxLoaderEntries || !read(next, &entry, sizeof entry) || entry.loadOrder.previous != before)
      return std::nullopt;
    before = next;
    ModuleEntry module;
    if (!ReadName(entry.baseName, kModuleNameChars, read, module.moduleName) ||
        !ReadName(entry.fullName, kModulePathChars, read, module.exePath))
      return std::nullopt;
    module.moduleHandle = entry.base;
    module.moduleSize = entry.imageSize;
    list.modules.push_back(std::move(module));
    next = entry.loadOrder.next;
  }
  return list;
}

}  // namespace

std::optional<std::uint64_t> ReadLoaderAddress(std::uint64_t peb, std::size_t pointerSize,
                                               const RemoteRead& read) {
  if (pointerSize == sizeof(std::uint32_t)) return ReadAddress<std::uint32_t>(peb, read);
  if (pointerSize == sizeof(std::uint64_t)) return ReadAddress<std::uint64_t>(peb, read);
  return std::nullopt;
}

std::optional<LoaderList> ReadLoaderList(std::uint64_t loader, std::size_t pointerSize,
                                         const RemoteRead& read, std::uint64_t knownFirst) {
  if (pointerSize == sizeof(std::uint32_t)) return ReadList<std::uint32_t>(loader, read, knownFirst);
  if (pointerSize == sizeof(std::uint64_t)) return ReadList<std::uint64_t>(loader, read, knownFirst);
  return std::nullopt;
}

}  // namespace k32
