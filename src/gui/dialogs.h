// The common save-file dialog, shown through a seam the application holds so that a test can answer.
#pragma once

#include <windows.h>

#include <string>

namespace k32::gui {

enum TSaveOption : unsigned {
  ofHideReadOnly = 1u << 0,
  ofEnableSizing = 1u << 1,
  ofOverwritePrompt = 1u << 2,
};

class TSaveDialog {
 public:
  std::string DefaultExt;  // added by the dialog to a name typed without one
  std::string Filter;      // "description|pattern|description|pattern..."
  int FilterIndex = 1;     // 1-based, as the dialog counts
  unsigned Options = 0;    // TSaveOption bits
  std::wstring FileName;   // the chosen name after Execute, as the system holds it

  // Shows the dialog; true when the user chose a name, false when cancelled.
  bool Execute(HWND owner);
  // The dialog's flags for the options.
  [[nodiscard]] DWORD Flags() const;
  // The filter as the dialog takes it: pieces ended by a zero byte, the list by a second one.
  [[nodiscard]] std::string FilterPieces() const;
};

class ISaveDialogs {
 public:
  virtual ~ISaveDialogs() = default;
  // Shows the dialog and sets its FileName and FilterIndex; false when cancelled.
  virtual bool Execute(HWND owner, TSaveDialog& dialog) = 0;
};

// The system's dialog (GetSaveFileNameW: a folder in any script can be chosen).
ISaveDialogs& SystemSaveDialogs();

}  // namespace k32::gui
