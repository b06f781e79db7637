#include "gui/comctrls.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "gui/application.h"

namespace k32::gui {

TImageList::TImageList(int width, int height)
    : list_(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 8, 8)) {}

void TImageList::AddMaskedResource(const char* resourceName, COLORREF mask) {
  strips_.push_back({resourceName, mask, 0, {}});
  LoadStrip(strips_.back());
}

void TImageList::AddDrawn(int count, TDrawPicture draw) {
  strips_.push_back({{}, RGB(255, 0, 255), count, std::move(draw)});
  LoadStrip(strips_.back());
}

void TImageList::LoadStrip(const TStrip& strip) {
  const int size = Size();
  if (!strip.draw) {
    const std::string sized = size == 16 ? strip.name : strip.name + "_" + std::to_string(size);
    BitmapHandle bitmap(static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), sized.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (bitmap) ImageList_AddMasked(list_.Get(), bitmap.Get(), strip.mask);
    return;
  }
  HDC screen = GetDC(nullptr);
  MemoryDCHandle dc(CreateCompatibleDC(screen));
  BitmapHandle bitmap(CreateCompatibleBitmap(screen, size * strip.count, size));
  ReleaseDC(nullptr, screen);
  if (!dc || !bitmap) return;
  const HGDIOBJ old = SelectObject(dc.Get(), bitmap.Get());
  const BrushHandle background(CreateSolidBrush(strip.mask));
  const RECT all{0, 0, size * strip.count, size};
  FillRect(dc.Get(), &all, background.Get());
  for (int i = 0; i < strip.count; ++i) {
    SetViewportOrgEx(dc.Get(), i * size, 0, nullptr);
    strip.draw(dc.Get(), size, i);
  }
  SelectObject(dc.Get(), old);
  ImageList_AddMasked(list_.Get(), bitmap.Get(), strip.mask);
}

int TImageList::Size() const {
  int width = 0, height = 0;
  ImageList_GetIconSize(list_.Get(), &width, &height);
  return width;
}

void TImageList::SetSize(int size) {
  if (size == Size()) return;
  ImageList_SetIconSize(list_.Get(), size, size);  // empties the list
  for (const TStrip& strip : strips_) LoadStrip(strip);
}

TIcon TImageList::GetIcon(int index) const {
  if (index < 0 || index >= Count()) return TIcon();
  return TIcon(ImageList_GetIcon(list_.Get(), index, ILD_NORMAL));
}

void TIcon::Assign(const TIcon& other) {
  if (&other == this) return;
  icon_.Reset(other.Empty() ? nullptr : CopyIcon(other.Handle()));
}

void TIcon::LoadResource(const char* name, int size) {
  icon_.Reset(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_ICON, size, size, 0)));
}

namespace {
UINT_PTR NextTimerId() {
  static UINT_PTR next = 100;
  return ++next;
}
}  // namespace

TTimer::TTimer() : id_(NextTimerId()) {}

TTimer::~TTimer() {
  if (running_) KillTimer(Application().UtilityWindow(), id_);
  Application().UnregisterTimer(id_);
}

void TTimer::SetInterval(UINT milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  Update();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Update();
}

void TTimer::Update() {
  HWND window = Application().UtilityWindow();
  if (running_) KillTimer(window, id_);
  running_ = false;
  if (!enabled_ || interval_ == 0 || !OnTimer) return;
  Application().RegisterTimer(id_, [this] {
    if (OnTimer) OnTimer();
  });
  running_ = SetTimer(window, id_, interval_, nullptr) != 0;
}

// ---------------------------------------------------------------------------------------------

TStatusBar::TStatusBar(TWinControl* parent, std::vector<int> panelWidths)
    : TControl(parent), widths_(std::move(panelWidths)), texts_(widths_.size()) {
  SetAlign(TAlign::alBottom);
  SetDesignBounds(0, 0, 0, 20);
}

void TStatusBar::CreateParams(TCreateParams& params) {
  params.className = STATUSCLASSNAMEA;
  params.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | SBARS_SIZEGRIP;
}

void TStatusBar::ApplyParts() {
  RECT client{};
  GetClientRect(Handle(), &client);
  int fixed = 0;
  for (const int width : widths_)
    if (width != kFill) fixed += Scale(width);
  std::vector<int> rights;
  int right = 0;
  for (std::size_t i = 0; i < widths_.size(); ++i) {
    right += widths_[i] == kFill ? std::max(0, static_cast<int>(client.right) - fixed) : Scale(widths_[i]);
    rights.push_back(i + 1 == widths_.size() ? -1 : right);
  }
  SendMessageA(Handle(), SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
}

LRESULT TStatusBar::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  const LRESULT result = TControl::WndProc(message, wparam, lparam);
  // A panel that fills is as wide as the bar leaves it.
  if (message == WM_SIZE && std::find(widths_.begin(), widths_.end(), kFill) != widths_.end()) ApplyParts();
  return result;
}

void TStatusBar::ChangeScale(int oldDpi) {
  TControl::ChangeScale(oldDpi);
  if (HandleAllocated()) ApplyParts();
}

void TStatusBar::CreateWnd() {
  ApplyParts();
  for (std::size_t i = 0; i < texts_.size(); ++i)
    SendMessageA(Handle(), SB_SETTEXTA, i, reinterpret_cast<LPARAM>(texts_[i].c_str()));
}

void TStatusBar::SetPanelText(int panel, const std::string& text) {
  texts_.at(static_cast<std::size_t>(panel)) = text;
  if (HandleAllocated()) SendMessageA(Handle(), SB_SETTEXTA, panel, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string TStatusBar::PanelText(int panel) {
  if (!HandleAllocated()) return texts_.at(static_cast<std::size_t>(panel));
  // The length message counts characters on some systems, not bytes: read into a roomy buffer.
  const auto length = LOWORD(SendMessageA(Handle(), SB_GETTEXTLENGTHA, panel, 0));
  std::string text(static_cast<std::size_t>(length) * 2 + 2, '\0');
  SendMessageA(Handle(), SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::strlen(text.c_str()));
  return text;
}

// ---------------------------------------------------------------------------------------------

TNotebook::TNotebook(TWinControl* parent) : TWinControl(parent) {}

TPanel* TNotebook::AddPage(const std::string& caption) {
  TPanel* page = Add<TPanel>();
  page->SetText(caption);
  page->SetAlign(TAlign::alClient);
  page->SetVisible(pages_.empty());
  pages_.push_back(page);
  return page;
}

void TNotebook::SetPageIndex(int index) {
  if (index < 0 || index >= PageCount()) return;
  pageIndex_ = index;
  TPanel* page = pages_[static_cast<std::size_t>(index)];
  HWND focus = GetFocus();
  const bool focusLeaves =
      HandleAllocated() && focus && IsChild(Handle(), focus) && !IsChild(page->Handle(), focus);
  // Show the new page before hiding the old, so the container never flashes empty.
  page->SetVisible(true);
  for (int i = 0; i < PageCount(); ++i)
    if (i != index) pages_[static_cast<std::size_t>(i)]->SetVisible(false);
  // The keyboard stays on the notebook: the first control of the page now shown takes it.
  if (focusLeaves) {
    for (TControl* control : page->Controls()) {
      HWND window = control->Handle();
      if ((GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP) && IsWindowVisible(window) &&
          IsWindowEnabled(window)) {
        control->SetFocus();
        break;
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------

TSplitter::TSplitter(TWinControl* parent, int thickness) : TControl(parent) {
  SetAlign(TAlign::alTop);
  SetDesignBounds(0, 0, 0, thickness);
}

void TSplitter::CreateParams(TCreateParams& params) {
  params.className = OwnWindowClass();
  params.style = WS_CHILD | WS_CLIPSIBLINGS;
}

TControl* TSplitter::Sized() const {
  // The top-aligned control just above the splitter.
  TControl* found = nullptr;
  for (TControl* c : Parent()->Controls()) {
    if (c == this) break;
    if (c->Align() == TAlign::alTop && c->Visible()) found = c;
  }
  return found;
}

int TSplitter::ClampedPosition(int y) const {
  TControl* sized = Sized();
  if (!sized) return Top();
  RECT client{};
  GetClientRect(GetParent(const_cast<TSplitter*>(this)->Handle()), &client);
  const int lowest = sized->Top() + MinSize;
  const int highest = std::max(lowest, static_cast<int>(client.bottom) - Height() - MinSize);
  return std::clamp(y, lowest, highest);
}

void TSplitter::DrawLine() {
  HWND parent = GetParent(Handle());
  HDC dc = GetDCEx(parent, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
  RECT client{};
  GetClientRect(parent, &client);
  static const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  BitmapHandle bitmap(CreateBitmap(8, 8, 1, 1, pattern));
  BrushHandle brush(CreatePatternBrush(bitmap.Get()));
  {
    // The DC's own brush goes back before the DC does.
    SelectObjectScope select(dc, brush.Get());
    PatBlt(dc, 0, lineY_, client.right, Height(), PATINVERT);
  }
  ReleaseDC(parent, dc);
}

LRESULT TSplitter::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETCURSOR:
      SetCursor(LoadCursorA(nullptr, IDC_SIZENS));
      return TRUE;
    case WM_LBUTTONDOWN:
      if (!Sized()) break;
      dragging_ = true;
      SetCapture(Handle());
      startY_ = Top();
      startHeight_ = Sized()->Height();
      grabY_ = GET_Y_LPARAM(lparam);  // where in the bar it was taken
      lineY_ = startY_;
      DrawLine();
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) {
        POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        MapWindowPoints(Handle(), GetParent(Handle()), &point, 1);
        DrawLine();
        lineY_ = ClampedPosition(point.y - grabY_);
        DrawLine();
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_CANCELMODE:
      if (dragging_) {
        dragging_ = false;
        DrawLine();
        ReleaseCapture();
        if (message == WM_LBUTTONUP) {
          Sized()->ForgetDesignBounds();  // the user's height, carried over to another DPI
          Sized()->SetHeight(startHeight_ + lineY_ - startY_);
        }
      }
      return 0;
    default:
      break;
  }
  return TControl::WndProc(message, wparam, lparam);
}

}  // namespace k32::gui
