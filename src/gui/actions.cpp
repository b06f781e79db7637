#include "gui/actions.h"

#include <algorithm>

#include "gui/application.h"

namespace k32::gui {

std::string ShortCutToText(TShortCut shortcut) {
  if (shortcut == scNone) return {};
  std::string text;
  if (shortcut & scShift) text += "Shift+";
  if (shortcut & scCtrl) text += "Ctrl+";
  if (shortcut & scAlt) text += "Alt+";
  const unsigned key = shortcut & 0xFF;
  if (key >= VK_F1 && key <= VK_F24) return text + "F" + std::to_string(key - VK_F1 + 1);
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return text + static_cast<char>(key);
  switch (key) {
    case VK_RETURN:
      return text + "Enter";
    case VK_ESCAPE:
      return text + "Esc";
    case VK_DELETE:
      return text + "Del";
    case VK_INSERT:
      return text + "Ins";
    case VK_SPACE:
      return text + "Space";
    case VK_TAB:
      return text + "Tab";
    case VK_ADD:
      return text + "Num +";
    case VK_SUBTRACT:
      return text + "Num -";
    default:
      break;
  }
  char name[64] = {};
  const UINT scan = MapVirtualKeyA(key, 0);
  if (GetKeyNameTextA(static_cast<LONG>(scan << 16), name, sizeof name) > 0) return text + name;
  return text + "#" + std::to_string(key);
}

TShortCut ShortCutFromKey(WPARAM virtualKey) {
  TShortCut shortcut = static_cast<TShortCut>(virtualKey & 0xFF);
  if (GetKeyState(VK_SHIFT) < 0) shortcut |= scShift;
  if (GetKeyState(VK_CONTROL) < 0) shortcut |= scCtrl;
  if (GetKeyState(VK_MENU) < 0) shortcut |= scAlt;
  return shortcut;
}

void TAction::SetCaption(const std::string& caption) { caption_ = caption, Changed(); }
void TAction::SetHint(const std::string& hint) { hint_ = hint, Changed(); }
void TAction::SetShortCut(TShortCut shortcut) { shortcut_ = shortcut, Changed(); }
void TAction::SetImageIndex(int index) { imageIndex_ = index, Changed(); }

void TAction::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  Changed();
}

void TAction::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Changed();
}

void TAction::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Changed();
}

bool TAction::Execute() {
  if (!enabled_) return false;
  if (OnExecute) OnExecute();
  return true;
}

void TAction::AddClient(IActionClient* client) {
  clients_.push_back(client);
  client->ActionChanged(*this);
}

void TAction::RemoveClient(IActionClient* client) {
  clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
}

void TAction::Changed() {
  const auto clients = clients_;
  for (IActionClient* client : clients) client->ActionChanged(*this);
}

TActionList::TActionList(std::function<HWND()> ownerWindow) : ownerWindow_(std::move(ownerWindow)) {
  Application().AddActionList(this);
}

TActionList::~TActionList() { Application().RemoveActionList(this); }

TAction* TActionList::Add(const std::string& name) {
  actions_.push_back(std::make_unique<TAction>());
  actions_.back()->Name = name;
  return actions_.back().get();
}

bool TActionList::ExecuteShortCut(TShortCut shortcut) {
  for (auto& action : actions_) {
    if (action->ShortCut() == shortcut && action->Enabled()) {
      action->Execute();
      return true;
    }
  }
  return false;
}

namespace {
// A key that types a character (Space, a letter, Backspace) without Ctrl or Alt, or a key of the
// field's own commands (Ctrl+C, Ctrl+V, ...), pressed in a field that takes typed text (an edit
// control answers DLGC_HASSETSEL): the key is the field's.
bool TypesIntoField(const MSG& msg, TShortCut shortcut) {
  constexpr TShortCut kFieldCommands[] = {scCtrl | 'A', scCtrl | 'C', scCtrl | 'V', scCtrl | 'X', scCtrl | 'Z'};
  const bool fieldCommand = std::find(std::begin(kFieldCommands), std::end(kFieldCommands), shortcut) !=
                            std::end(kFieldCommands);
  if (!fieldCommand && (shortcut & (scCtrl | scAlt))) return false;
  if (!fieldCommand && MapVirtualKeyW(static_cast<UINT>(msg.wParam), MAPVK_VK_TO_CHAR) == 0) return false;
  if (!msg.hwnd) return false;
  MSG copy = msg;
  const auto code = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&copy));
  return (code & DLGC_HASSETSEL) != 0;
}
}  // namespace

bool TActionList::IsShortCut(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  const WPARAM key = msg.wParam;
  if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) return false;
  const TShortCut shortcut = ShortCutFromKey(key);
  if (TypesIntoField(msg, shortcut)) return false;
  return ExecuteShortCut(shortcut);
}

}  // namespace k32::gui
