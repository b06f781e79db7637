// The about box and its link labels.
#include <gtest/gtest.h>

#include <string>

#include "about/form_about.h"
#include "app/form_main.h"
#include "win/main_window_fixture.h"
#include "win/recording_shell.h"
#include "win/win_test_support.h"

namespace k32 {
namespace {

class LinkLabel : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetBounds(100, 100, 300, 200);
    link = form.Add<TQMLinkLabel>("tq@example.com");
    link->SetBounds(10, 10, 0, 0);
    form.Show();
    testing::Pump();
  }
  testing::RecordingShell shell;
  gui::TForm form;
  TQMLinkLabel* link = nullptr;
};

TEST_F(LinkLabel, ItsVersionIsFixedWhateverIsWritten) {
  EXPECT_EQ(link->Version(), "TQMLinkLabel v1.0");
  link->SetVersion("TQMLinkLabel v2.0");
  link->SetVersion("");
  EXPECT_EQ(link->Version(), "TQMLinkLabel v1.0");
  EXPECT_EQ(link->Address, "");
}

TEST_F(LinkLabel, LooksLikeAHyperlink) {
  EXPECT_EQ(link->FontColor, RGB(0, 0, 255));
  LOGFONTA shown{}, base{};
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(link->Handle(), WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  GetObjectA(font, sizeof shown, &shown);
  GetObjectA(form.Font(), sizeof base, &base);
  EXPECT_TRUE(shown.lfUnderline);
  EXPECT_EQ(shown.lfWeight, base.lfWeight) << "underline is added, the rest of the style kept";
  EXPECT_STREQ(shown.lfFaceName, base.lfFaceName);

  HDC dc = GetDC(form.Handle());
  SetTextColor(dc, RGB(1, 2, 3));
  SendMessageA(form.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(link->Handle()));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
  ReleaseDC(form.Handle(), dc);

  SendMessageA(link->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link->Handle()),
               MAKELPARAM(HTCLIENT, 0));
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
}

TEST_F(LinkLabel, AClickOpensItsAddressThenRunsItsHandler) {
  std::string order;
  link->OnClick = [&] { order += shell.opened.empty() ? "handler-first " : "handler "; };
  link->Address = "mailto:tq@example.com";
  // The mouse, as the label's window reports it to the form.
  SendMessageA(link->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageA(link->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  testing::Pump();
  ASSERT_EQ(shell.opened.size(), 1u);
  const auto& opened = shell.opened[0];
  EXPECT_EQ(opened.owner, nullptr);
  EXPECT_EQ(opened.verb, "<default>");
  EXPECT_EQ(opened.file, "mailto:tq@example.com");
  EXPECT_FALSE(opened.hasParameters);
  EXPECT_FALSE(opened.hasDirectory);
  EXPECT_EQ(opened.show, SW_SHOWDEFAULT);
  EXPECT_EQ(order, "handler ");
}

TEST_F(LinkLabel, AnEmptyAddressOpensNothingButStillRunsTheHandler) {
  int clicks = 0;
  link->OnClick = [&] { ++clicks; };
  link->Click();
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_EQ(clicks, 1);
  link->OnClick = nullptr;
  link->Address = "http://quillmark.example.com";
  link->Click();
  EXPECT_EQ(shell.opened.size(), 1u);
}

class AboutBox : public testing::MainWindowTest {
 protected:
  testing::RecordingBoxes boxes;  // whatever the start-up would ask
  testing::RecordingShell shell;
};

TEST_F(AboutBox, ShowsTheBannerVersionAuthorAndAddressesInItsLayout) {
  TFormAbout about(form.get());
  about.HandleNeeded();
  EXPECT_EQ(about.Caption(), "关于 Kestrel32");
  EXPECT_EQ(about.BorderStyle, gui::TBorderStyle::bsDialog);
  EXPECT_EQ(about.Label2->Text(), "版本 2.01");
  EXPECT_EQ(about.Label4->Text(), "Tobin Quillmark");
  const std::string credits = about.Label3->Text();
  EXPECT_NE(credits.find("版权所有"), std::string::npos);
  EXPECT_NE(credits.find("\n"), std::string::npos) << "two lines";
  EXPECT_EQ(about.QMLinkLabel1->Address, "mailto:" + about.QMLinkLabel1->Text());
  EXPECT_EQ(about.QMLinkLabel2->Address, about.QMLinkLabel2->Text());
  EXPECT_EQ(about.btnOK->Text(), "确定");

  // The upper rows sit where they were designed; the rows under the two lines of credits move
  // down together, by as much as a tall font needs (nothing with 12-pixel lines), and the box grows.
  EXPECT_EQ(about.ClientWidth(), 280);
  const int lower = about.ClientHeight() - 159;
  EXPECT_GE(lower, 0);
  EXPECT_EQ(about.Image1->Left(), 0);
  EXPECT_EQ(about.Image1->Top(), 0);
  EXPECT_EQ(about.Label2->Left(), 8);
  EXPECT_EQ(about.Label2->Top(), 48);
  EXPECT_EQ(about.Label3->Top(), 73);
  EXPECT_EQ(about.Label4->Top(), 96 + lower);
  EXPECT_EQ(about.QMLinkLabel1->Left(), 174);
  EXPECT_EQ(about.QMLinkLabel1->Top(), 96 + lower);
  EXPECT_EQ(about.QMLinkLabel2->Top(), 128 + lower);
  EXPECT_EQ(about.btnOK->Left(), 192);
  EXPECT_EQ(about.btnOK->Top(), 128 + lower);
  EXPECT_EQ(about.btnOK->Width(), 81);
  EXPECT_EQ(about.btnOK->Height(), 25);
  EXPECT_LE(about.Label3->Top() + about.Label3->Height(), about.Label4->Top() + 1)
      << "credits clear the name";
  EXPECT_LT(about.Label4->Top() + about.Label4->Height(), about.Bevel2->Top() + about.Bevel2->Height());
  for (gui::TControl* control : about.Controls()) {
    // A rule's sunken edge reaches a pixel further than its designed rectangle.
    const int right = dynamic_cast<gui::TBevel*>(control) ? 282 : 281;
    EXPECT_LE(control->Left() + control->Width(), right) << control->Name;
    EXPECT_LE(control->Top() + control->Height(), about.ClientHeight()) << control->Name;
  }
  EXPECT_LT(about.QMLinkLabel2->Left() + about.QMLinkLabel2->Width(), about.btnOK->Left());
}

TEST_F(AboutBox, EnterAndEscCloseItButAClickOnALinkDoesNot) {
  for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    TFormAbout about(form.get());
    int stillOpenAfterLinks = -1;
    gui::Application().OnModalShow = [&](gui::TForm& shown) {
      about.QMLinkLabel1->Click();
      about.QMLinkLabel2->Click();
      testing::Pump();
      stillOpenAfterLinks = shown.ModalResult() == gui::mrNone && IsWindowVisible(shown.Handle());
      // The key goes to the box's focused control; while another test's window holds the desktop's
      // activation, the focus may be outside the box: then to the box itself.
      HWND focus = GetFocus();
      const bool inside = focus && (focus == shown.Handle() || IsChild(shown.Handle(), focus));
      PostMessageA(inside ? focus : shown.Handle(), WM_KEYDOWN, key, 1);
    };
    EXPECT_EQ(about.ShowModal(), gui::mrOk);
    EXPECT_EQ(stillOpenAfterLinks, 1);
  }
  ASSERT_EQ(shell.opened.size(), 4u);
  EXPECT_EQ(shell.opened[0].file, std::string("mailto:") + kAuthorMailAddress);
  EXPECT_EQ(shell.opened[1].file, kMakerWebAddress);
}

TEST_F(AboutBox, TheHelpMenuOpensItOwnedByTheMainWindowAndOnTopWhenTheMainWindowIs) {
  for (bool onTop : {false, true}) {
    if (onTop) form->OnTopCmdExecute();
    std::string caption;
    HWND owner = nullptr;
    bool topmost = !onTop;
    gui::Application().OnModalShow = [&](gui::TForm& shown) {
      caption = shown.Caption();
      owner = GetWindow(shown.Handle(), GW_OWNER);
      topmost = (GetWindowLongA(shown.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
      PostMessageA(shown.Handle(), WM_CLOSE, 0, 0);
    };
    form->HelpMenu.Find("miAbout")->Click();
    EXPECT_EQ(caption, "关于 Kestrel32");
    EXPECT_EQ(owner, form->Handle());
    EXPECT_EQ(topmost, onTop);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  }
}

TEST_F(AboutBox, TheMakersPageOpensInTheDefaultWayOwnedByTheMainWindow) {
  form->miQuillmarkSoftwareClick();
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(shell.opened[0].owner, form->Handle());
  EXPECT_EQ(shell.opened[0].verb, "<default>");
  EXPECT_EQ(shell.opened[0].file, kMakerWebAddress);
  EXPECT_FALSE(shell.opened[0].hasParameters);
  EXPECT_FALSE(shell.opened[0].hasDirectory);
  EXPECT_EQ(shell.opened[0].show, SW_SHOWDEFAULT);
}

}  // namespace
}  // namespace k32
