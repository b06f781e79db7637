#include "gui/stdctrls.h"

#include <algorithm>

#include "gui/form.h"

namespace k32::gui {

namespace {
TForm* FormOf(TControl* control) {
  while (control && !dynamic_cast<TForm*>(control)) control = control->Parent();
  return static_cast<TForm*>(control);
}
}  // namespace

TButton::TButton(TWinControl* parent, const std::string& caption) : TControl(parent) { text_ = caption; }

void TButton::CreateParams(TCreateParams& params) {
  params.className = "BUTTON";
  params.style |= WS_TABSTOP | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::SetDefault(bool value) {
  default_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
  if (OnClick) OnClick();
  if (ModalResult != 0) {
    if (TForm* form = FormOf(this)) form->SetModalResult(ModalResult);
  }
}

bool TButton::CommandReflected(WPARAM wparam, LRESULT* result) {
  if (HIWORD(wparam) != BN_CLICKED) return false;
  Click();
  *result = 0;
  return true;
}

TCheckBox::TCheckBox(TWinControl* parent, const std::string& caption) : TControl(parent) { text_ = caption; }

void TCheckBox::CreateParams(TCreateParams& params) {
  params.className = "BUTTON";
  params.style |= WS_TABSTOP | BS_AUTOCHECKBOX;
}

void TCheckBox::CreateWnd() {
  SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::DestroyWnd() { checked_ = SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool TCheckBox::Checked() {
  if (HandleAllocated()) checked_ = SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
  return checked_;
}

void TCheckBox::SetChecked(bool checked) {
  checked_ = checked;
  if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TCheckBox::CommandReflected(WPARAM wparam, LRESULT* result) {
  if (HIWORD(wparam) != BN_CLICKED) return false;
  if (OnClick) OnClick();
  *result = 0;
  return true;
}

TLabel::TLabel(TWinControl* parent, const std::string& caption) : TControl(parent) { text_ = caption; }

TLabel::~TLabel() {
  DestroyHandle();
  if (underlined_) DeleteObject(underlined_);
}

void TLabel::Click() {
  if (OnClick) OnClick();
}

bool TLabel::CommandReflected(WPARAM wparam, LRESULT* result) {
  if (HIWORD(wparam) != STN_CLICKED) return false;
  Click();
  *result = 0;
  return true;
}

void TLabel::CreateParams(TCreateParams& params) {
  params.className = "STATIC";
  params.style |= Alignment | SS_NOTIFY;
}

HFONT TLabel::Font() const {
  HFONT base = TControl::Font();
  if (!Underline || !base) return base;
  if (!underlined_ || underlinedFrom_ != base) {
    if (underlined_) DeleteObject(underlined_);
    LOGFONTA font{};
    GetObjectA(base, sizeof font, &font);
    font.lfUnderline = TRUE;
    underlined_ = CreateFontIndirectA(&font);
    underlinedFrom_ = base;
  }
  return underlined_;
}

void TLabel::CreateWnd() {
  if (AutoSize) FitToText();
}

void TLabel::ChangeScale(int oldDpi) {
  TControl::ChangeScale(oldDpi);
  if (AutoSize && HandleAllocated()) FitToText();
}

void TLabel::FitToText() {
  WindowDC dc(Handle());
  SelectObjectScope font(dc.Get(), Font());
  RECT rect{0, 0, 0, 0};
  std::string text = Text();
  DrawTextA(dc.Get(), text.empty() ? " " : text.c_str(), -1, &rect, DT_CALCRECT);
  SetBounds(Left(), Top(), rect.right, rect.bottom);
}

bool TLabel::ColorReflected(HDC dc, LRESULT* result) {
  if (FontColor != CLR_INVALID) SetTextColor(dc, FontColor);
  if (!Transparent)
    return FontColor != CLR_INVALID
               ? (*result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE)), true)
               : false;
  SetBkMode(dc, TRANSPARENT);
  *result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  return true;
}

TImage::TImage(TWinControl* parent) : TControl(parent) {}

TImage::~TImage() { DestroyHandle(); }

bool TImage::LoadBitmapResource(const char* name) {
  resource_ = name;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  picture_.Reset(static_cast<HBITMAP>(LoadImageA(instance, name, IMAGE_BITMAP, 0, 0, 0)));
  if (picture_) {
    BITMAP info{};
    GetObjectA(picture_.Get(), sizeof info, &info);
    if (Dpi() != kDesignDpi)
      picture_.Reset(static_cast<HBITMAP>(
          LoadImageA(instance, name, IMAGE_BITMAP, Scale(info.bmWidth), Scale(info.bmHeight), 0)));
    const auto& design = DesignBounds();
    SetDesignBounds(design ? design->left : Left(), design ? design->top : Top(), info.bmWidth, info.bmHeight);
  }
  if (HandleAllocated()) CreateWnd();
  return picture_.Valid();
}

void TImage::ChangeScale(int oldDpi) {
  TControl::ChangeScale(oldDpi);
  if (!resource_.empty()) LoadBitmapResource(std::string(resource_).c_str());
}

void TImage::CreateParams(TCreateParams& params) {
  params.className = "STATIC";
  params.style |= SS_BITMAP;
}

void TImage::CreateWnd() {
  SendMessageA(Handle(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.Get()));
}

TBevel::TBevel(TWinControl* parent) : TControl(parent) {}

void TBevel::SetRect(int left, int top, int width, int height) {
  SetDesignBounds(left, top + height - 2, width, 2);
}

void TBevel::CreateParams(TCreateParams& params) {
  params.className = "STATIC";
  params.style |= SS_ETCHEDHORZ;
}

TEdit::TEdit(TWinControl* parent, const std::string& text) : TControl(parent) {
  text_ = text;
  wideMessages_ = true;  // edits may show system names
}

void TEdit::CreateParams(TCreateParams& params) {
  params.className = "EDIT";
  params.style |= WS_TABSTOP | ES_AUTOHSCROLL | (ReadOnly ? ES_READONLY : 0);
  params.exStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::CreateWnd() {
  if (MaxLength > 0) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(MaxLength), 0);
}

namespace {
// Paints a control's background in a system colour; false leaves the default.
bool SystemColorBackground(int color, HDC dc, LRESULT* result) {
  if (color < 0) return false;
  SetBkColor(dc, GetSysColor(color));
  *result = reinterpret_cast<LRESULT>(GetSysColorBrush(color));
  return true;
}
}  // namespace

bool TEdit::ColorReflected(HDC dc, LRESULT* result) { return SystemColorBackground(Color, dc, result); }

bool TEdit::CommandReflected(WPARAM wparam, LRESULT* result) {
  if (HIWORD(wparam) != EN_CHANGE) return TControl::CommandReflected(wparam, result);
  if (OnChange) OnChange();
  *result = 0;
  return true;
}

TGroupBox::TGroupBox(TWinControl* parent, const std::string& caption) : TWinControl(parent) {
  text_ = caption;
}

void TGroupBox::CreateParams(TCreateParams& params) {
  // A group box must hold its controls, so it is our own window drawing a button-class frame.
  TWinControl::CreateParams(params);
  params.className = "BUTTON";
  params.style = WS_CHILD | WS_CLIPSIBLINGS | BS_GROUPBOX;
  params.exStyle = WS_EX_CONTROLPARENT;
}

LRESULT TGroupBox::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_ERASEBKGND) {
    // The button class leaves its inside unpainted, and the form clips its children out.
    RECT inside{};
    GetClientRect(Handle(), &inside);
    FillRect(reinterpret_cast<HDC>(wparam), &inside, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
  }
  return TWinControl::WndProc(message, wparam, lparam);
}

TListBox::TListBox(TWinControl* parent) : TControl(parent) {}

void TListBox::CreateParams(TCreateParams& params) {
  params.className = "LISTBOX";
  params.style |= WS_TABSTOP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY;
  params.exStyle |= WS_EX_CLIENTEDGE;
}

// The designed height scaled, and never so low that the font's descenders (an underscore) fall
// below the item.
void TListBox::ApplyItemHeight() {
  WindowDC dc(Handle());
  SelectObjectScope font(dc.Get(), Font());
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.Get(), &metrics);
  const int height = std::max(Scale(ItemHeight), static_cast<int>(metrics.tmHeight));
  SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, height);
}

void TListBox::ChangeScale(int oldDpi) {
  TControl::ChangeScale(oldDpi);
  if (HandleAllocated()) ApplyItemHeight();
}

void TListBox::CreateWnd() {
  ApplyItemHeight();
  for (const auto& item : kept_)
    SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  kept_.clear();
}

void TListBox::DestroyWnd() { kept_ = Items(); }

bool TListBox::ColorReflected(HDC dc, LRESULT* result) { return SystemColorBackground(Color, dc, result); }

void TListBox::Clear() {
  kept_.clear();
  if (HandleAllocated()) SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
}

void TListBox::Add(const std::string& item) {
  if (HandleAllocated())
    SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  else
    kept_.push_back(item);
}

int TListBox::Count() {
  return HandleAllocated() ? static_cast<int>(SendMessageA(Handle(), LB_GETCOUNT, 0, 0))
                           : static_cast<int>(kept_.size());
}

std::vector<std::string> TListBox::Items() {
  if (!HandleAllocated()) return kept_;
  std::vector<std::string> items;
  const int count = Count();
  for (int i = 0; i < count; ++i) {
    const auto length = SendMessageA(Handle(), LB_GETTEXTLEN, i, 0);
    std::string text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, '\0');
    // An item whose length or text cannot be read counts as empty.
    const auto copied =
        length > 0 ? SendMessageA(Handle(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data())) : 0;
    text.resize(copied > 0 && copied <= length ? static_cast<std::size_t>(copied) : 0);
    items.push_back(text);
  }
  return items;
}

}  // namespace k32::gui
