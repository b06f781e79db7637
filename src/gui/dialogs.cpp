#include "gui/dialogs.h"

#include <commdlg.h>

#include <vector>

#include "common/text.h"
#include "gui/application.h"
#include "gui/wide_text.h"

namespace k32::gui {

namespace {

class SystemSaveDialog final : public ISaveDialogs {
 public:
  bool Execute(HWND owner, TSaveDialog& dialog) override {
    std::vector<wchar_t> name(32768, L'\0');
    dialog.FileName.copy(name.data(), name.size() - 1);
    // The pieces' zero characters convert as they are.
    const std::wstring filter = Wide(dialog.FilterPieces()), defaultExt = Wide(dialog.DefaultExt);
    OPENFILENAMEW open{};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.lpstrFilter = filter.size() > 2 ? filter.c_str() : nullptr;
    open.nFilterIndex = static_cast<DWORD>(dialog.FilterIndex);
    open.lpstrFile = name.data();
    open.nMaxFile = static_cast<DWORD>(name.size());
    open.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    open.Flags = dialog.Flags();
    if (!GetSaveFileNameW(&open)) return false;
    dialog.FileName = name.data();
    dialog.FilterIndex = static_cast<int>(open.nFilterIndex);
    return true;
  }
};

}  // namespace

ISaveDialogs& SystemSaveDialogs() {
  static SystemSaveDialog dialogs;
  return dialogs;
}

bool TSaveDialog::Execute(HWND owner) { return Application().SaveDialogs().Execute(owner, *this); }

DWORD TSaveDialog::Flags() const {
  DWORD flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (Options & ofHideReadOnly) flags |= OFN_HIDEREADONLY;
  if (Options & ofEnableSizing) flags |= OFN_ENABLESIZING;
  if (Options & ofOverwritePrompt) flags |= OFN_OVERWRITEPROMPT;
  return flags;
}

std::string TSaveDialog::FilterPieces() const {
  std::string pieces;
  for (std::size_t i = 0; i < Filter.size(); ++i) {
    const char c = Filter[i];
    if (IsLeadByte936(static_cast<unsigned char>(c)) && i + 1 < Filter.size()) {
      pieces += c;
      pieces += Filter[++i];  // a trail byte may look like the bar
    } else {
      pieces += c == '|' ? '\0' : c;
    }
  }
  pieces += '\0';
  pieces += '\0';
  return pieces;
}

}  // namespace k32::gui
