// Every window laid out for its DPI: run at 96 DPI with the rest and in a prefix at 144 DPI.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "about/form_about.h"
#include "about/form_busy.h"
#include "app/form_settings.h"
#include "gui/dpi.h"
#include "gui/stdctrls.h"
#include "report/form_report.h"
#include "win/main_window_fixture.h"
#include "win/registry_values.h"
#include "window/form_winprop.h"

namespace k32 {
namespace {

// Each control that stands where its design says stands there scaled; no two shown controls of one
// parent overlap, and none but a rule reaches out of its parent.
void ExpectLaidOutFor(gui::TWinControl& parent, int dpi) {
  RECT inside{}, common{};
  GetClientRect(parent.Handle(), &inside);
  std::vector<std::pair<gui::TControl*, RECT>> shown;
  for (gui::TControl* control : parent.Controls()) {
    if (!control->HandleAllocated() || !IsWindowVisible(control->Handle())) continue;
    RECT rect{};
    GetWindowRect(control->Handle(), &rect);
    MapWindowPoints(nullptr, parent.Handle(), reinterpret_cast<POINT*>(&rect), 2);
    const auto& design = control->DesignBounds();
    auto* label = dynamic_cast<gui::TLabel*>(control);
    if (design && control->Align() == gui::TAlign::alNone) {
      EXPECT_EQ(rect.left, ScaleToDpi(design->left, dpi)) << control->Name;
      EXPECT_EQ(rect.top, ScaleToDpi(design->top, dpi)) << control->Name;
      if (!label || !label->AutoSize) {
        EXPECT_EQ(rect.right - rect.left, ScaleToDpi(design->width, dpi)) << control->Name;
      }
    }
    if (!dynamic_cast<gui::TBevel*>(control)) {
      EXPECT_TRUE(rect.left >= 0 && rect.right <= inside.right && rect.bottom <= inside.bottom) << control->Name;
    }
    for (const auto& [other, otherRect] : shown)
      EXPECT_FALSE(IntersectRect(&common, &rect, &otherRect)) << control->Name << " over " << other->Name;
    shown.emplace_back(control, rect);
    if (auto* holder = dynamic_cast<gui::TWinControl*>(control)) ExpectLaidOutFor(*holder, dpi);
  }
}

LONG FontHeight(HFONT font) {
  LOGFONTA info{};
  GetObjectA(font, sizeof info, &info);
  return info.lfHeight;
}

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

class Dpi : public testing::MainWindowTest {
 protected:
  // The main window's layout at its DPI: bars, list, column, pictures, font, splitter, and the
  // windows page's upper list, which the user's splitter left 201 high at the first DPI; the
  // caption's icon.
  std::array<int, 8> MainLayout() {
    const auto icon = reinterpret_cast<HICON>(SendMessageA(form->Handle(), WM_GETICON, ICON_SMALL, 0));
    return {form->StatusBar->Height(),         form->ProcessPage().ProcList()->Height(),
            form->ProcessPage().ModuleList()->ColumnWidth(1), form->ImageList1.Size(),
            static_cast<int>(FontHeight(form->Font())), form->Splitter1->Height(),
            form->WindowPage().WindowList()->Height(), IconWidth(icon)};
  }
  std::array<int, 8> Designed(int dpi) {
    return {ScaleToDpi(20, dpi),  ScaleToDpi(207, dpi), ScaleToDpi(250, dpi), PictureSizeForDpi(dpi),
            -ScaleToDpi(12, dpi), ScaleToDpi(5, dpi),   ScaleBetweenDpi(201, gui::SystemDpi(), dpi),
            gui::SystemMetricForDpi(SM_CXSMICON, dpi)};
  }
  void ChangeDpi(int dpi) {
    RECT bounds{10, 10, 10 + ScaleToDpi(642, dpi), 10 + ScaleToDpi(455, dpi)};
    SendMessageA(form->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&bounds));
    testing::Pump();
  }
  void SetUp() override {
    MainWindowTest::SetUp();
    form->WindowPage().WindowList()->ForgetDesignBounds();
    form->WindowPage().WindowList()->SetHeight(201);
  }
};

// (The window's size is stored in this suite: a first start is DpiE2E's.)
TEST_F(Dpi, TheMainWindowAndEveryDialogAreLaidOutForTheDpi) {
  const int dpi = gui::SystemDpi();
  if (const char* wanted = std::getenv("KESTREL_DPI")) {
    EXPECT_EQ(dpi, std::atoi(wanted));
  }
  EXPECT_EQ(MainLayout(), Designed(dpi));
  EXPECT_GE(HIWORD(SendMessageA(form->ToolBar1->Handle(), TB_GETBUTTONSIZE, 0, 0)), PictureSizeForDpi(dpi));
  ExpectLaidOutFor(*form, dpi);
  EXPECT_EQ(IconWidth(form->SysTray->Icon().Handle()), GetSystemMetrics(SM_CXSMICON));

  gui::TTimer timer;
  std::vector<std::unique_ptr<gui::TForm>> dialogs;
  dialogs.push_back(std::make_unique<TFormSettings>(*form, form->settings, timer));
  dialogs.push_back(std::make_unique<TFormWinProp>(form.get(), services));
  dialogs.push_back(std::make_unique<TFormReport>(form.get()));
  dialogs.push_back(std::make_unique<TFormAbout>(form.get()));
  const std::array<SIZE, 4> clients = {SIZE{288, 271}, SIZE{473, 336}, SIZE{452, 352}, SIZE{280, 159}};
  for (std::size_t i = 0; i < dialogs.size(); ++i) {
    gui::TForm& dialog = *dialogs[i];
    dialog.HandleNeeded();
    EXPECT_EQ(FontHeight(dialog.Font()), -ScaleToDpi(12, dpi));
    EXPECT_EQ(dialog.ClientWidth(), ScaleToDpi(clients[i].cx, dpi)) << i;
    if (i < 3) {
      EXPECT_EQ(dialog.ClientHeight(), ScaleToDpi(clients[i].cy, dpi)) << i;  // the about box grows
    }
    ExpectLaidOutFor(dialog, dpi);
  }
  // The style lists' items hold the font's underscores.
  auto& properties = static_cast<TFormWinProp&>(*dialogs[1]);
  gui::WindowDC dc(properties.lbStyles->Handle());
  gui::SelectObjectScope font(dc.Get(), properties.Font());
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.Get(), &metrics);
  for (gui::TListBox* list : {properties.lbStyles, properties.lbExStyles})
    EXPECT_GE(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 0, 0), std::max<LRESULT>(metrics.tmHeight, ScaleToDpi(13, dpi)));
}

// Moved to a monitor of another DPI, the window is laid out again once: the same message twice
// changes nothing more, and going back gives the first layout to the pixel.
TEST_F(Dpi, AChangeOfDpiLaysTheMainWindowOutOnceWithoutDrift) {
  const int dpi = form->Dpi();
  const int other = dpi == 144 ? 120 : 144;
  const int column = form->ProcessPage().ProcList()->ColumnWidth(0);
  for (int round = 0; round < 2; ++round) {
    ChangeDpi(other);
    EXPECT_EQ(MainLayout(), Designed(other));
    EXPECT_EQ(form->ProcessPage().ProcList()->ColumnWidth(0), ScaleBetweenDpi(column, dpi, other));
    RECT rect{};
    GetWindowRect(form->Handle(), &rect);
    EXPECT_EQ(rect.right - rect.left, ScaleToDpi(642, other));
    ExpectLaidOutFor(*form, other);
  }
  ChangeDpi(dpi);
  EXPECT_EQ(MainLayout(), Designed(dpi));
  EXPECT_EQ(form->ProcessPage().ProcList()->ColumnWidth(0), column);
}

// Kept as 96-DPI values: the window's size and a column's width kept at 144 DPI read back as the
// same pixels there and as two thirds of them at 96; what an earlier version kept reads as before.
TEST_F(Dpi, StoredSizesAreKeptAt96DpiAndReadAtTheWindowsDpi) {
  TMainListView* list = form->ProcessPage().ProcList();
  auto readBack = [&] {
    form->SetBounds(form->Left(), form->Top(), 100, 100);
    list->SetColumnWidth(0, 10);
    form->ReadReg();
    list->ReadSettings();
    return std::array<int, 3>{form->Width(), form->Height(), list->ColumnWidth(0)};
  };
  ChangeDpi(144);
  form->SetBounds(form->Left(), form->Top(), 900, 601);  // 3n + 1 pixels read back as 3n + 2
  list->SetColumnWidth(0, 152);
  form->WriteReg();
  list->WriteSettings();
  EXPECT_EQ(readBack(), (std::array<int, 3>{900, 602, 152}));
  ChangeDpi(96);
  EXPECT_EQ(readBack(), (std::array<int, 3>{600, 401, 101}));
  testing::SetDword(testing::kProgramKeyPath, "Width", 700);  // pixels at 96 DPI
  EXPECT_EQ(readBack()[0], 700);
  testing::StoreDefaultSettings();
}

// The busy window draws its text in a bold font of its own: made again for the new DPI.
TEST_F(Dpi, TheBusyWindowsBoldTextFollowsTheDpi) {
  TFormBusy busy(form.get());
  busy.HandleNeeded();
  const int other = busy.Dpi() == 144 ? 120 : 144;
  RECT bounds{10, 10, 10 + ScaleToDpi(214, other), 10 + ScaleToDpi(80, other)};
  SendMessageA(busy.Handle(), WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&bounds));
  LOGFONTA info{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(busy.Label1->Handle(), WM_GETFONT, 0, 0)), sizeof info, &info);
  EXPECT_EQ(info.lfHeight, -ScaleToDpi(12, other));
  EXPECT_EQ(info.lfWeight, FW_BOLD);
}

}  // namespace
}  // namespace k32
