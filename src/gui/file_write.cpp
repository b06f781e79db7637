#include "gui/file_write.h"

#include <windows.h>

#include <algorithm>

#include "gui/error.h"
#include "gui/handles.h"
#include "gui/wide_text.h"

namespace k32::gui {

void WriteWholeFile(const std::wstring& fileName, std::string_view bytes) {
  KernelHandle file(
      CreateFileW(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw EGuiError(FormatMessage1("无法创建文件 %s", Narrow(fileName)));
  while (!bytes.empty()) {
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes.data(), chunk, &written, nullptr) || written == 0)
      throw EGuiError(FormatMessage1("无法写入文件 %s", Narrow(fileName)));
    bytes.remove_prefix(written);
  }
}

}  // namespace k32::gui
