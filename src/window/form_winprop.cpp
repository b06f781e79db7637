#include "window/form_winprop.h"

#include <string>

#include "gui/layout.h"
#include "window/window_properties.h"

namespace k32 {

namespace {

using gui::TControlKind;
constexpr unsigned kShown = gui::loReadOnly | gui::loFaceColor;

// Labels sit 4 pixels lower than their edits, so the texts share a base line. The groups are made
// in tab order: the general group, the two style groups, the button, the size group.
const gui::TLayoutRow kLayout[] = {
    {TControlKind::ckGroupBox, nullptr, "gbGeneral", "常规", 8, 8, 329, 153, 0},
    {TControlKind::ckLabel, "gbGeneral", nullptr, "句柄(&H):", 8, 28, 0, 0},
    {TControlKind::ckEdit, "gbGeneral", "edHandle", nullptr, 72, 24, 241, 21, 0, kShown},
    {TControlKind::ckLabel, "gbGeneral", nullptr, "种类(&C):", 8, 52, 0, 0},
    {TControlKind::ckEdit, "gbGeneral", "edClass", nullptr, 72, 48, 241, 21, 0, kShown},
    {TControlKind::ckLabel, "gbGeneral", nullptr, "标题(&A):", 8, 76, 0, 0},
    {TControlKind::ckEdit, "gbGeneral", "edCaption", nullptr, 72, 72, 241, 21, 0, kShown},
    {TControlKind::ckLabel, "gbGeneral", nullptr, "应用程序实例(&I):", 8, 100, 0, 0},
    {TControlKind::ckEdit, "gbGeneral", "edAppInst", nullptr, 144, 96, 169, 21, 0, kShown},
    {TControlKind::ckLabel, "gbGeneral", nullptr, "父级句柄(&P):", 8, 124, 0, 0},
    {TControlKind::ckEdit, "gbGeneral", "edParent", nullptr, 144, 120, 169, 21, 0, kShown, 20},

    // The values are wide enough for a parked position such as -32000.
    {TControlKind::ckGroupBox, nullptr, "gdSizePos", "大小", 344, 8, 121, 153, 4},
    {TControlKind::ckLabel, "gdSizePos", nullptr, "顶部:", 16, 24, 0, 0},
    {TControlKind::ckLabel, "gdSizePos", "lblTop", "000", 80, 24, 38, 13, 0, gui::loFixedSize},
    {TControlKind::ckLabel, "gdSizePos", nullptr, "左边:", 16, 40, 0, 0},
    {TControlKind::ckLabel, "gdSizePos", "lblLeft", "000", 80, 40, 38, 13, 0, gui::loFixedSize},
    {TControlKind::ckLabel, "gdSizePos", nullptr, "高度:", 16, 56, 0, 0},
    {TControlKind::ckLabel, "gdSizePos", "lblHeight", "000", 80, 56, 38, 13, 0, gui::loFixedSize},
    {TControlKind::ckLabel, "gdSizePos", nullptr, "宽度:", 16, 72, 0, 0},
    {TControlKind::ckLabel, "gdSizePos", "lblWidth", "000", 80, 72, 38, 13, 0, gui::loFixedSize},

    {TControlKind::ckGroupBox, nullptr, "gbStyles", "样式", 8, 168, 225, 129, 1},
    {TControlKind::ckListBox, "gbStyles", "lbStyles", nullptr, 16, 24, 193, 89, 0, gui::loFaceColor, 13},
    {TControlKind::ckGroupBox, nullptr, "gbExStyles", "扩展样式", 240, 168, 225, 129, 2},
    {TControlKind::ckListBox, "gbExStyles", "lbExStyles", nullptr, 16, 24, 193, 89, 0, gui::loFaceColor, 13},

    {TControlKind::ckButton, nullptr, "btnClose", "关闭", 384, 304, 81, 25, 3, gui::loDefault, gui::mrOk},
};

}  // namespace

TFormWinProp::TFormWinProp(gui::TForm* owner, ISystemServices& services)
    : gui::TForm(owner), services_(services) {
  BorderStyle = gui::TBorderStyle::bsDialog;
  Position = gui::TPosition::poScreenCenter;
  SetCaption("窗口属性");
  SetClientSize(473, 336);

  const gui::TLayout layout(*this, kLayout);
  gbGeneral = layout.Get<gui::TGroupBox>("gbGeneral");
  edHandle = layout.Get<gui::TEdit>("edHandle");
  edClass = layout.Get<gui::TEdit>("edClass");
  edCaption = layout.Get<gui::TEdit>("edCaption");
  edAppInst = layout.Get<gui::TEdit>("edAppInst");
  edParent = layout.Get<gui::TEdit>("edParent");
  gdSizePos = layout.Get<gui::TGroupBox>("gdSizePos");
  lblTop = layout.Get<gui::TLabel>("lblTop");
  lblLeft = layout.Get<gui::TLabel>("lblLeft");
  lblHeight = layout.Get<gui::TLabel>("lblHeight");
  lblWidth = layout.Get<gui::TLabel>("lblWidth");
  gbStyles = layout.Get<gui::TGroupBox>("gbStyles");
  lbStyles = layout.Get<gui::TListBox>("lbStyles");
  gbExStyles = layout.Get<gui::TGroupBox>("gbExStyles");
  lbExStyles = layout.Get<gui::TListBox>("lbExStyles");
  btnClose = layout.Get<gui::TButton>("btnClose");
  DefaultButton = btnClose;
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
