#include "window/form_winprop.h"

#include <string>

#include "window/window_properties.h"

namespace k32 {

namespace {
constexpr int kEditHeight = 21;
// Labels sit a little lower than their edits, so the texts share a base line.
constexpr int kLabelDrop = 4;
constexpr int kValueWidth = 38;
constexpr int kValueHeight = 13;
}  // namespace

TFormWinProp::TFormWinProp(gui::TForm* owner, ISystemServices& services)
    : gui::TForm(owner), services_(services) {
  BorderStyle = gui::TBorderStyle::bsDialog;
  Position = gui::TPosition::poScreenCenter;
  SetCaption("窗口属性");
  SetClientSize(473, 336);

  // Made in tab order: the general group, the two style groups, the button, the size group.
  gbGeneral = Add<gui::TGroupBox>("常规");
  gbGeneral->SetBounds(8, 8, 329, 153);
  edHandle = AddRow(24, "句柄(&H):", 72, 241);
  edClass = AddRow(48, "种类(&C):", 72, 241);
  edCaption = AddRow(72, "标题(&A):", 72, 241);
  edAppInst = AddRow(96, "应用程序实例(&I):", 144, 169);
  edParent = AddRow(120, "父级句柄(&P):", 144, 169);
  edParent->MaxLength = 20;

  gbStyles = Add<gui::TGroupBox>("样式");
  gbStyles->SetBounds(8, 168, 225, 129);
  lbStyles = AddStyleList(gbStyles);

  gbExStyles = Add<gui::TGroupBox>("扩展样式");
  gbExStyles->SetBounds(240, 168, 225, 129);
  lbExStyles = AddStyleList(gbExStyles);

  btnClose = Add<gui::TButton>("关闭");
  btnClose->SetBounds(384, 304, 81, 25);
  btnClose->ModalResult = gui::mrOk;
  btnClose->SetDefault(true);
  DefaultButton = btnClose;

  gdSizePos = Add<gui::TGroupBox>("大小");
  gdSizePos->SetBounds(344, 8, 121, 153);
  lblTop = AddValueRow(24, "顶部:");
  lblLeft = AddValueRow(40, "左边:");
  lblHeight = AddValueRow(56, "高度:");
  lblWidth = AddValueRow(72, "宽度:");
}

gui::TEdit* TFormWinProp::AddRow(int top, const char* caption, int editLeft, int editWidth) {
  auto* label = gbGeneral->Add<gui::TLabel>(caption);
  label->SetBounds(8, top + kLabelDrop, 0, 0);
  auto* edit = gbGeneral->Add<gui::TEdit>();
  edit->ReadOnly = true;
  edit->Color = COLOR_BTNFACE;
  edit->SetBounds(editLeft, top, editWidth, kEditHeight);
  return edit;
}

gui::TLabel* TFormWinProp::AddValueRow(int top, const char* caption) {
  gdSizePos->Add<gui::TLabel>(caption)->SetBounds(16, top, 0, 0);
  auto* value = gdSizePos->Add<gui::TLabel>("000");
  value->AutoSize = false;  // wide enough for a parked position such as -32000
  value->SetBounds(80, top, kValueWidth, kValueHeight);
  return value;
}

gui::TListBox* TFormWinProp::AddStyleList(gui::TGroupBox* box) {
  auto* list = box->Add<gui::TListBox>();
  list->SetBounds(16, 24, 193, 89);
  list->ItemHeight = 13;
  list->Color = COLOR_BTNFACE;
  return list;
}

void TFormWinProp::FormShow() {
  const WindowPropertyTexts texts = ReadWindowProperties(services_, Window);
  edHandle->SetText(texts.handle);
  edAppInst->SetText(texts.instance);
  edParent->SetText(texts.parent);
  edClass->SetText(texts.className);
  edCaption->SetText(texts.title);
  lblLeft->SetText(texts.left);
  lblTop->SetText(texts.top);
  lblWidth->SetText(texts.width);
  lblHeight->SetText(texts.height);
  lbStyles->Clear();
  for (const auto name : texts.styles.styles) lbStyles->Add(std::string(name));
  lbExStyles->Clear();
  for (const auto name : texts.styles.extendedStyles) lbExStyles->Add(std::string(name));
}

// The dialog lives for one showing; whoever made it frees it once the showing ends.
bool TFormWinProp::FormClose() { return true; }

bool TFormWinProp::DialogChar(const MSG& msg) {
  gui::TEdit* target = nullptr;
  switch (msg.wParam) {
    case 'H':
      target = edHandle;
      break;
    case 'C':
      target = edClass;
      break;
    case 'A':
      target = edCaption;
      break;
    case 'I':
      target = edAppInst;
      break;
    case 'P':
      target = edParent;
      break;
    default:
      return false;
  }
  target->SetFocus();
  return true;
}

}  // namespace k32
