// The structures of another process's memory as its own word size lays them out, whatever this
// program's: Pointer is std::uint32_t for a 32-bit process, std::uint64_t for a 64-bit one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace k32 {

template <typename Pointer>
struct RemoteString {
  std::uint16_t length;  // bytes
  std::uint16_t maximumLength;
  alignas(sizeof(Pointer)) Pointer buffer;
};
static_assert(sizeof(RemoteString<std::uint32_t>) == 8 && sizeof(RemoteString<std::uint64_t>) == 16);

template <typename Pointer>
struct BasicInformation {
  std::int32_t exitStatus;
  alignas(sizeof(Pointer)) Pointer pebBaseAddress;
  Pointer affinityMask;
  std::int32_t basePriority;
  alignas(sizeof(Pointer)) Pointer uniqueProcessId;
  Pointer inheritedFromUniqueProcessId;
};
static_assert(sizeof(BasicInformation<std::uint32_t>) == 24 && sizeof(BasicInformation<std::uint64_t>) == 48);

// Reads size bytes of another process at an address of its own; false unless every byte was read.
using RemoteRead = std::function<bool(std::uint64_t address, void* buffer, std::size_t size)>;

}  // namespace k32
