#include "gui/toolbar.h"

#include <algorithm>
#include <cctype>

#include "gui/guard.h"
#include "gui/handles.h"

namespace k32::gui {

TToolButton::TToolButton(TToolBar* bar, std::string name, TAction* action, std::string caption,
                         int separatorWidth)
    : Name(std::move(name)),
      bar_(bar),
      action_(action),
      caption_(std::move(caption)),
      separatorWidth_(separatorWidth),
      commandId_(bar->nextCommand_++) {}

TToolButton::~TToolButton() {
  if (action_) action_->RemoveClient(this);
}

void TToolButton::Click() {
  if (OnClick) {
    OnClick();
  } else if (action_) {
    action_->Execute();
  }
}

RECT TToolButton::Rect() const {
  RECT rect{};
  if (bar_->HandleAllocated())
    SendMessageA(bar_->Handle(), TB_GETITEMRECT, bar_->IndexOf(*this), reinterpret_cast<LPARAM>(&rect));
  return rect;
}

void TToolButton::ActionChanged(TAction&) { bar_->Sync(*this); }

TToolBar::TToolBar(TWinControl* parent, bool textButtons) : TControl(parent), text_(textButtons) {}

void TToolBar::CreateParams(TCreateParams& params) {
  params.className = TOOLBARCLASSNAMEA;
  params.style |= TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE |
                  (text_ ? TBSTYLE_LIST : 0);
}

void TToolBar::CreateWnd() {
  SendMessageA(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  Populate();
}

void TToolBar::Populate() {
  HWND bar = Handle();
  if (text_) {
    SendMessageA(bar, TB_SETIMAGELIST, 0, 0);
    SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    SendMessageA(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
  } else {
    int width = 16, height = 16;
    if (Images) ImageList_GetIconSize(Images, &width, &height);
    SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(width, height));
    SendMessageA(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(Images));
  }
  for (auto& button : buttons_) InsertButton(*button);
  if (text_) SendMessageA(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(Scale(kMinTextButtonWidth), Scale(21)));
}

// The buttons are made again: the bar sizes them, and the separators, only as they are inserted.
void TToolBar::ChangeScale(int oldDpi) {
  TControl::ChangeScale(oldDpi);
  if (!HandleAllocated()) return;
  while (SendMessageA(Handle(), TB_BUTTONCOUNT, 0, 0) > 0) SendMessageA(Handle(), TB_DELETEBUTTON, 0, 0);
  Populate();
}

void TToolBar::InsertButton(TToolButton& button) {
  TBBUTTON info{};
  info.idCommand = button.commandId_;
  if (button.IsSeparator()) {
    info.fsStyle = BTNS_SEP;
    info.iBitmap = Scale(button.separatorWidth_);
  } else {
    info.fsStyle = BTNS_BUTTON | (text_ ? BTNS_SHOWTEXT : 0);
    info.iBitmap = text_ ? I_IMAGENONE : (button.action_ ? button.action_->ImageIndex() : -1);
    info.fsState = TBSTATE_ENABLED;
    if (text_) info.iString = reinterpret_cast<INT_PTR>(button.caption_.c_str());
  }
  SendMessageA(Handle(), TB_INSERTBUTTONA, IndexOf(button), reinterpret_cast<LPARAM>(&info));
  if (text_ && !button.IsSeparator()) FitTextButton(button);
  Sync(button);
}

// A text button is as wide as its caption needs, and at least kMinTextButtonWidth. The width is set,
// not left to auto-sizing: some systems (Wine) size an auto-sized button to its caption alone.
void TToolBar::FitTextButton(TToolButton& button) {
  WindowDC dc(nullptr);
  SelectObjectScope font(dc.Get(), Font());
  RECT text{};
  DrawTextA(dc.Get(), button.caption_.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
  const auto padding = static_cast<DWORD>(SendMessageA(Handle(), TB_GETPADDING, 0, 0));
  TBBUTTONINFOA info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_SIZE;
  info.cx = static_cast<WORD>(std::max<int>(Scale(kMinTextButtonWidth), text.right + 2 * LOWORD(padding)));
  SendMessageA(Handle(), TB_SETBUTTONINFOA, button.commandId_, reinterpret_cast<LPARAM>(&info));
}

int TToolBar::IndexOf(const TToolButton& button) const {
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    if (buttons_[i].get() == &button) return static_cast<int>(i);
  return -1;
}

void TToolBar::Sync(TToolButton& button) {
  if (!HandleAllocated() || button.IsSeparator()) return;
  HWND bar = Handle();
  const int id = button.commandId_;
  SendMessageA(bar, TB_HIDEBUTTON, id, MAKELPARAM(!button.Visible(), 0));
  SendMessageA(bar, TB_ENABLEBUTTON, id, MAKELPARAM(button.Enabled(), 0));
  SendMessageA(bar, TB_CHECKBUTTON, id, MAKELPARAM(button.Down(), 0));
  if (!text_ && button.action_)
    SendMessageA(bar, TB_CHANGEBITMAP, id, MAKELPARAM(button.action_->ImageIndex(), 0));
}

TToolButton* TToolBar::AddButton(const std::string& name, TAction* action) {
  buttons_.push_back(std::make_unique<TToolButton>(this, name, action, "", 0));
  TToolButton* button = buttons_.back().get();
  if (HandleAllocated()) InsertButton(*button);
  if (action) action->AddClient(button);
  return button;
}

TToolButton* TToolBar::AddTextButton(const std::string& name, const std::string& caption,
                                     std::function<void()> onClick) {
  buttons_.push_back(std::make_unique<TToolButton>(this, name, nullptr, caption, 0));
  TToolButton* button = buttons_.back().get();
  button->OnClick = std::move(onClick);
  if (HandleAllocated()) InsertButton(*button);
  return button;
}

void TToolBar::AddSeparator(int width) {
  buttons_.push_back(std::make_unique<TToolButton>(this, "", nullptr, "", width));
  if (HandleAllocated()) InsertButton(*buttons_.back());
}

TToolButton* TToolBar::Find(const std::string& name) const {
  for (const auto& button : buttons_)
    if (button->Name == name) return button.get();
  return nullptr;
}

TToolButton* TToolBar::FromCommand(int id) const {
  for (const auto& button : buttons_)
    if (button->commandId_ == id) return button.get();
  return nullptr;
}

SIZE TToolBar::IdealSize() {
  SIZE size{0, 0};
  for (const auto& button : buttons_) {
    if (!button->IsSeparator() && !button->Visible()) continue;
    const RECT rect = button->Rect();
    size.cx = std::max(size.cx, rect.right);
    size.cy = std::max(size.cy, rect.bottom);
  }
  return size;
}

TToolButton* TToolBar::ButtonForAccelerator(char letter) const {
  const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  for (const auto& button : buttons_) {
    const std::string& caption = button->caption_;
    const auto amp = caption.find('&');
    if (amp != std::string::npos && amp + 1 < caption.size() &&
        std::toupper(static_cast<unsigned char>(caption[amp + 1])) == wanted && button->Visible())
      return button.get();
  }
  return nullptr;
}

TToolButton* TToolBar::ButtonAt(POINT point) {
  HWND bar = Handle();
  const auto index = static_cast<int>(SendMessageA(bar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)));
  if (index < 0 || index >= static_cast<int>(buttons_.size())) return nullptr;
  TBBUTTON info{};
  SendMessageA(bar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&info));
  return FromCommand(info.idCommand);
}

std::string TToolBar::HintAt(POINT point) {
  TToolButton* button = ButtonAt(point);
  return button ? button->Hint() : Hint;
}

bool TToolBar::CommandReflected(WPARAM wparam, LRESULT* result) {
  TToolButton* button = FromCommand(LOWORD(wparam));
  if (!button) return false;
  button->Click();
  *result = 0;
  return true;
}

void TToolBar::Release() {
  if (!pressed_) return;
  pressed_ = false;
  if (OnRelease) OnRelease();
}

LRESULT TToolBar::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const POINT point{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
      if (TToolButton* button = ButtonAt(point); button && button->OnMouseDown && button->Enabled()) {
        button->OnMouseDown();
        return 0;
      }
      // Only a press on a button takes the mouse until it is let go; elsewhere there is no press.
      if (!pressed_ && OnPress) OnPress();
      pressed_ = true;
      const LRESULT result = TControl::WndProc(message, wparam, lparam);
      if (GetCapture() != Handle()) Release();
      return result;
    }
    case WM_LBUTTONUP: {
      // The click runs while the bar handles this, before the press ends.
      releasing_ = true;
      struct Done {
        TToolBar& bar;
        ~Done() {
          bar.releasing_ = false;
          Guarded([this] { bar.Release(); });
        }
      } done{*this};
      return TControl::WndProc(message, wparam, lparam);
    }
    case WM_CAPTURECHANGED:
      if (!releasing_) Release();
      break;
    default:
      break;
  }
  if (message == WM_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(lparam);
    if (header->code == TTN_GETDISPINFOA || header->code == TTN_GETDISPINFOW) {
      TToolButton* button = FromCommand(static_cast<int>(header->idFrom));
      tipBuffer_ = button && button->ShowHint ? ShortHint(button->Hint()) : std::string();
      if (header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(lparam);
        info->lpszText = tipBuffer_.data();
      } else {
        const int length = MultiByteToWideChar(CP_ACP, 0, tipBuffer_.c_str(), -1, nullptr, 0);
        tipBufferW_.assign(static_cast<std::size_t>(std::max(length, 1)), L'\0');
        MultiByteToWideChar(CP_ACP, 0, tipBuffer_.c_str(), -1, tipBufferW_.data(), length);
        reinterpret_cast<NMTTDISPINFOW*>(lparam)->lpszText = tipBufferW_.data();
      }
      return 0;
    }
  }
  return TControl::WndProc(message, wparam, lparam);
}

// ---------------------------------------------------------------------------------------------

TCoolBar::TCoolBar(TWinControl* parent) : TWinControl(parent) {
  SetAlign(TAlign::alTop);
  SetHeight(26);
}

void TCoolBar::CreateParams(TCreateParams& params) {
  params.className = REBARCLASSNAMEA;
  params.style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | RBS_VARHEIGHT | RBS_BANDBORDERS |
                 CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE;
  params.exStyle = WS_EX_CONTROLPARENT;
}

void TCoolBar::AddBand(TControl* child, int minHeight, int width) {
  bands_.push_back({child, minHeight, width});
}

REBARBANDINFOA TCoolBar::BandInfo(const Band& band) {
  REBARBANDINFOA info{};
  info.cbSize = REBARBANDINFOA_V3_SIZE;
  info.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_STYLE;
  info.fStyle = RBBS_CHILDEDGE;
  info.hwndChild = band.child->Handle();
  info.cyMinChild = static_cast<UINT>(Scale(band.minHeight));
  // A band is never narrower than its tool bar's buttons; any other child keeps its whole width.
  int width = Scale(band.width);
  auto* bar = dynamic_cast<TToolBar*>(band.child);
  if (bar) width = std::max(width, static_cast<int>(bar->IdealSize().cx) + Scale(12));
  info.cxMinChild = bar ? 0 : static_cast<UINT>(width);
  info.cx = static_cast<UINT>(width);
  return info;
}

void TCoolBar::CreateWnd() {
  TWinControl::CreateWnd();
  for (const Band& band : bands_) {
    REBARBANDINFOA info = BandInfo(band);
    SendMessageA(Handle(), RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&info));
  }
  FitHeight();
}

void TCoolBar::ChangeScale(int oldDpi) {
  TWinControl::ChangeScale(oldDpi);
  if (!HandleAllocated()) return;
  for (std::size_t i = 0; i < bands_.size(); ++i) {
    REBARBANDINFOA info = BandInfo(bands_[i]);
    SendMessageA(Handle(), RB_SETBANDINFOA, i, reinterpret_cast<LPARAM>(&info));
  }
  FitHeight();
}

void TCoolBar::FitHeight() {
  const auto height = static_cast<int>(SendMessageA(Handle(), RB_GETBARHEIGHT, 0, 0));
  if (height > 0 && height != Height()) SetHeight(height);
}

bool TCoolBar::NotifyReflected(NMHDR* header, LRESULT* result) {
  if (header->code != RBN_HEIGHTCHANGE) return false;
  FitHeight();
  *result = 0;
  return true;
}

LRESULT TCoolBar::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  // The bands' children are laid out by the bar itself, not aligned.
  if (message == WM_SIZE) return TControl::WndProc(message, wparam, lparam);
  return TWinControl::WndProc(message, wparam, lparam);
}

}  // namespace k32::gui
