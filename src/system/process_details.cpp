#include "system/process_details.h"

#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <vector>

#include "system/remote_layout.h"
#include "system/remote_process.h"

namespace k32 {

namespace {

// A command line holds at most this many characters, as CreateProcess takes it.
constexpr std::size_t kMaxCommandLine = 32767;
// The longest path the system gives, terminator included.
constexpr DWORD kMaxPath = 32768;
// A version resource is a few kilobytes and its format cannot describe more than 64 KB; the size the
// system asks for holds room of its own beside it.
constexpr DWORD kMaxVersionInfo = 1 << 20;

constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
constexpr NTSTATUS kBufferOverflow = static_cast<NTSTATUS>(0x80000005L);
constexpr NTSTATUS kBufferTooSmall = static_cast<NTSTATUS>(0xC0000023L);

// Reads bytes of another process at an address of its word size; false unless every byte was read.
using MemoryReader = bool (*)(HANDLE process, std::uint64_t address, void* buffer, std::size_t size);

struct ParameterTexts {
  std::wstring imagePath;
  std::wstring commandLine;
};

template <typename Pointer>
std::wstring RemoteText(HANDLE process, const RemoteString<Pointer>& text, MemoryReader read) {
  const std::size_t length = std::min<std::size_t>(text.length / sizeof(wchar_t), kMaxCommandLine);
  std::wstring value(length, L'\0');
  if (length == 0 || !read(process, text.buffer, value.data(), length * sizeof(wchar_t))) return {};
  return value.substr(0, value.find(L'\0'));
}

// The image path and command line in the process parameters its environment block points to.
template <typename Pointer>
ParameterTexts ReadParameters(HANDLE process, std::uint64_t peb, MemoryReader read) {
  constexpr std::size_t kParametersInPeb = 4 * sizeof(Pointer);
  // The command line follows the image path.
  constexpr std::size_t kImagePathInParameters = sizeof(Pointer) == 8 ? 0x60 : 0x38;
  Pointer parameters = 0;
  RemoteString<Pointer> texts[2]{};
  if (!read(process, peb + kParametersInPeb, &parameters, sizeof parameters) ||
      !read(process, std::uint64_t{parameters} + kImagePathInParameters, texts, sizeof texts))
    return {};
  return {RemoteText(process, texts[0], read), RemoteText(process, texts[1], read)};
}

#ifndef _WIN64
bool ReadWiderWordSize(HANDLE process, std::uint64_t address, void* buffer, std::size_t size) {
  using ReadProc = NTSTATUS(NTAPI*)(HANDLE, std::uint64_t, PVOID, std::uint64_t, std::uint64_t*);
  static const auto read64 = SystemEntry<ReadProc>(L"ntdll.dll", "NtWow64ReadVirtualMemory64");
  std::uint64_t read = 0;
  return read64 && address != 0 && NT_SUCCESS(read64(process, address, buffer, size, &read)) && read == size;
}

ParameterTexts ReadWiderParameters(HANDLE process) {
  using QueryProc = NTSTATUS(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
  static const auto query64 = SystemEntry<QueryProc>(L"ntdll.dll", "NtWow64QueryInformationProcess64");
  BasicInformation<std::uint64_t> basic{};
  if (!query64 || !NT_SUCCESS(query64(process, kProcessBasicInformation, &basic, sizeof basic, nullptr)))
    return {};
  return ReadParameters<std::uint64_t>(process, basic.pebBaseAddress, &ReadWiderWordSize);
}
#endif

ParameterTexts ReadParameterTexts(HANDLE process) {
#ifdef _WIN64
  // A 32-bit process reads its parameters from a 32-bit copy behind an environment block of its own.
  // The copy is made while it starts; the system's own are there from its creation.
  ULONG_PTR peb32 = 0;
  if (NT_SUCCESS(QueryProcess(process, kProcessWow64Information, &peb32, sizeof peb32)) && peb32 != 0) {
    ParameterTexts texts = ReadParameters<std::uint32_t>(process, peb32, &ReadSameWordSize);
    if (!texts.commandLine.empty()) return texts;
  }
#else
  if (WiderThanThisProgram(process)) return ReadWiderParameters(process);
#endif
  BasicInformation<std::uintptr_t> basic{};
  if (!NT_SUCCESS(QueryProcess(process, kProcessBasicInformation, &basic, sizeof basic))) return {};
  return ReadParameters<std::uintptr_t>(process, basic.pebBaseAddress, &ReadSameWordSize);
}

// The system's own answer, where it has one: it needs only the limited query right.
std::wstring CommandLineByQuery(HANDLE process) {
  std::vector<std::uint64_t> buffer(1024 / sizeof(std::uint64_t));
  for (int attempt = 0; attempt < 2; ++attempt) {
    const auto bytes = static_cast<ULONG>(buffer.size() * sizeof buffer[0]);
    ULONG needed = 0;
    const NTSTATUS status =
        QueryProcess(process, kProcessCommandLineInformation, buffer.data(), bytes, &needed);
    if (NT_SUCCESS(status)) {
      // The text follows its descriptor inside the buffer; anything else is not trusted.
      const auto& text = *reinterpret_cast<const UNICODE_STRING*>(buffer.data());
      const auto begin = reinterpret_cast<std::uintptr_t>(buffer.data());
      const auto chars = reinterpret_cast<std::uintptr_t>(text.Buffer);
      if (chars < begin + sizeof text || chars > begin + bytes || text.Length > begin + bytes - chars)
        return {};
      return std::wstring(text.Buffer, std::min<std::size_t>(text.Length / sizeof(wchar_t), kMaxCommandLine));
    }
    const bool tooSmall =
        status == kInfoLengthMismatch || status == kBufferOverflow || status == kBufferTooSmall;
    if (!tooSmall || needed <= bytes || needed > sizeof(UNICODE_STRING) + 65536) return {};
    buffer.resize((needed + sizeof buffer[0] - 1) / sizeof buffer[0]);
  }
  return {};
}

struct Translation {
  WORD language;
  WORD codePage;
};

// The user's language, then the first translation listed, then the two a resource most often has.
std::vector<Translation> TranslationsToTry(const void* versionInfo) {
  std::vector<Translation> translations;
  void* listed = nullptr;
  UINT bytes = 0;
  if (VerQueryValueW(versionInfo, L"\\VarFileInfo\\Translation", &listed, &bytes) && listed) {
    const auto* first = static_cast<const Translation*>(listed);
    const auto* end = first + bytes / sizeof(Translation);
    const LANGID userLanguage = GetUserDefaultUILanguage();
    const auto* users = std::find_if(first, end, [&](Translation t) { return t.language == userLanguage; });
    if (users != end) translations.push_back(*users);
    if (first != end) translations.push_back(*first);
  }
  translations.push_back({0x0409, 0x04B0});
  translations.push_back({0x0804, 0x04B0});
  return translations;
}

std::wstring VersionString(const void* versionInfo, Translation translation, const wchar_t* name) {
  wchar_t key[64] = {};
  std::swprintf(key, std::size(key), L"\\StringFileInfo\\%04x%04x\\%ls", translation.language,
                translation.codePage, name);
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(versionInfo, key, &value, &length) || !value) return {};
  const auto* text = static_cast<const wchar_t*>(value);
  return std::wstring(text, wcsnlen(text, length));
}

}  // namespace

gui::KernelHandle OpenToReadDetails(std::uint32_t processId) {
  gui::KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!process) process.Reset(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  return process;
}

std::uint64_t ProcessCreateTime(HANDLE process) {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

bool WiderThanThisProgram([[maybe_unused]] HANDLE process) {
#ifdef _WIN64
  return false;
#else
  BOOL selfOnWow64 = FALSE, targetOnWow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &selfOnWow64) && selfOnWow64 &&
         IsWow64Process(process, &targetOnWow64) && !targetOnWow64;
#endif
}

std::wstring ProcessUserName(HANDLE process) {
  HANDLE rawToken = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &rawToken)) return {};
  const gui::KernelHandle token(rawToken);
  alignas(TOKEN_USER) std::byte user[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  DWORD size = 0;
  if (!GetTokenInformation(token.Get(), TokenUser, user, sizeof user, &size)) return {};
  // Account and domain names are at most 256 characters.
  wchar_t name[257] = {}, domain[257] = {};
  DWORD nameLength = std::size(name), domainLength = std::size(domain);
  SID_NAME_USE use{};
  if (!LookupAccountSidW(nullptr, reinterpret_cast<const TOKEN_USER*>(user)->User.Sid, name, &nameLength,
                         domain, &domainLength, &use))
    return {};
  std::wstring account(domain, wcsnlen(domain, std::size(domain)));
  if (!account.empty()) account += L'\\';
  return account.append(name, wcsnlen(name, std::size(name)));
}

std::wstring ProcessCommandLine(HANDLE process) {
  std::wstring commandLine = CommandLineByQuery(process);
  return commandLine.empty() ? ReadParameterTexts(process).commandLine : commandLine;
}

std::wstring ProcessImagePath(HANDLE process) {
  using QueryImageName = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);
  static const auto queryImageName =
      SystemEntry<QueryImageName>(L"kernel32.dll", "QueryFullProcessImageNameW");
  if (queryImageName) {
    std::wstring path(kMaxPath, L'\0');
    DWORD length = kMaxPath;
    if (queryImageName(process, 0, path.data(), &length) && length < kMaxPath) return path.substr(0, length);
  }
  // Before Vista the system has no such query: the path the process was started from.
  return ReadParameterTexts(process).imagePath;
}

VersionTexts ReadVersionTexts(const std::wstring& path) {
  DWORD ignored = 0;
  const DWORD size = path.empty() ? 0 : GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0 || size > kMaxVersionInfo) return {};
  std::vector<std::uint64_t> versionInfo((size + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
  if (!GetFileVersionInfoW(path.c_str(), 0, size, versionInfo.data())) return {};
  for (const Translation translation : TranslationsToTry(versionInfo.data())) {
    VersionTexts texts{VersionString(versionInfo.data(), translation, L"FileDescription"),
                       VersionString(versionInfo.data(), translation, L"CompanyName")};
    if (!texts.description.empty() || !texts.company.empty()) return texts;
  }
  return {};
}

}  // namespace k32
