// The extended list on a real list view: the owner-drawn header with its arrow, the display order
// across re-creation, resize locks, info tips, extended styles, row states and the version check.
#include "listview/ext_list_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/comctrls.h"
#include "gui/form.h"
#include "win/win_test_support.h"

namespace k32 {
namespace {

// A list that also records the keys the control was given.
class RecordingList : public TdfsExtListView {
 public:
  using TdfsExtListView::TdfsExtListView;
  std::vector<WORD> keys;

 protected:
  bool NotifyReflected(NMHDR* header, LRESULT* result) override {
    if (header->code == LVN_KEYDOWN) keys.push_back(reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey);
    return TdfsExtListView::NotifyReflected(header, result);
  }
};

// The header's picture, drawn into memory the way it paints itself.
class HeaderPicture {
 public:
  explicit HeaderPicture(HWND header) {
    GetClientRect(header, &rect_);
    gui::WindowDC screen(nullptr);
    dc_ = CreateCompatibleDC(screen.Get());
    bitmap_ = CreateCompatibleBitmap(screen.Get(), rect_.right, rect_.bottom);
    old_ = SelectObject(dc_, bitmap_);
    SendMessageA(header, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT | PRF_ERASEBKGND);
  }
  ~HeaderPicture() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  [[nodiscard]] COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  RECT rect_{};
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

std::vector<std::vector<COLORREF>> Pixels(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  std::vector<std::vector<COLORREF>> pixels(static_cast<std::size_t>(info.bmHeight),
                                            std::vector<COLORREF>(static_cast<std::size_t>(info.bmWidth)));
  for (int y = 0; y < info.bmHeight; ++y)
    for (int x = 0; x < info.bmWidth; ++x) pixels[y][x] = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return pixels;
}

class ExtList : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<gui::TForm>();
    form->SetBounds(30, 30, 600, 400);
    list = form->Add<RecordingList>();
    list->BeginLoading();
    list->SetBounds(0, 0, 560, 300);
    list->AddColumn("名称", 120);
    list->AddColumn("PID", 70);
    list->AddColumn("大小", 90, LVCFMT_RIGHT);
    list->SetExtendedStyles({lvxGridLines, lvxHeaderDragDrop, lvxFullRowSelect, lvxInfoTip});
    list->SetShowSortArrows(true);
    form->Show();
    list->Loaded();
    testing::Pump();
  }
  void TearDown() override { form.reset(); }

  HWND Header() { return list->GetHeaderHandle(); }
  RECT ItemRect(int column) {
    RECT item{};
    SendMessageA(Header(), HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&item));
    return item;
  }
  int TextWidth(const std::string& text) {
    gui::WindowDC screen(nullptr);
    HGDIOBJ old = SelectObject(screen.Get(), list->Font());
    SIZE size{};
    GetTextExtentPoint32A(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(screen.Get(), old);
    return size.cx;
  }
  std::vector<int> Order() {
    std::vector<int> order(3);
    SendMessageA(list->Handle(), LVM_GETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(order.data()));
    return order;
  }
  // Whether the arrow picture stands at x, y of the header.
  bool ArrowAt(const HeaderPicture& picture, bool ascending, int x, int y) {
    const auto arrow = Pixels(list->SortArrowBitmap(ascending));
    for (std::size_t dy = 0; dy < arrow.size(); ++dy)
      for (std::size_t dx = 0; dx < arrow[dy].size(); ++dx)
        if (picture.At(x + static_cast<int>(dx), y + static_cast<int>(dy)) != arrow[dy][dx]) return false;
    return true;
  }
  void SortBy(int column, bool ascending) {
    list->SetLastColumnClicked(column);
    list->SetCurrentSortAscending(ascending);
    list->SetAutoColumnSort(acsSort);
  }
  LRESULT NotifyFromHeader(UINT code, int item) {
    NMHEADERW header{};
    header.hdr.hwndFrom = Header();
    header.hdr.idFrom = GetDlgCtrlID(Header());
    header.hdr.code = code;
    header.iItem = item;
    return SendMessageA(list->Handle(), WM_NOTIFY, header.hdr.idFrom, reinterpret_cast<LPARAM>(&header));
  }
  static bool CursorAt(POINT point) {
    POINT at{};
    return GetCursorPos(&at) && at.x == point.x && at.y == point.y;
  }
  // The list looks at the header item under the pointer: it is put there, and the answer counts
  // only when the pointer stayed there throughout (other processes share it).
  LRESULT NotifyAtPointer(POINT pointer, UINT code, int item) {
    for (int attempt = 0; attempt < 20; ++attempt) {
      SetCursorPos(pointer.x, pointer.y);
      for (int i = 0; i < 50 && !CursorAt(pointer); ++i) testing::Pump(10);
      if (!CursorAt(pointer)) continue;
      const LRESULT result = NotifyFromHeader(code, item);
      if (CursorAt(pointer)) return result;
    }
    ADD_FAILURE() << "the pointer could not be kept at " << pointer.x << "," << pointer.y;
    return -1;
  }
  POINT DividerOnScreen(int column) {
    const RECT item = ItemRect(column);
    POINT point{item.right, (item.top + item.bottom) / 2};
    ClientToScreen(Header(), &point);
    return point;
  }

  std::unique_ptr<gui::TForm> form;
  RecordingList* list = nullptr;
};

TEST_F(ExtList, SendsItsExtendedStylesAndOwnerDrawsEveryHeaderItemOnceLoaded) {
  EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), 0x431 | LVS_EX_DOUBLEBUFFER);
  for (int i = 0; i < 3; ++i) {
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    SendMessageA(Header(), HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    EXPECT_TRUE(item.fmt & HDF_OWNERDRAW) << i;
  }
  // A format written over by someone else is made owner-drawn again when the header reports it.
  HDITEMA plain{};
  plain.mask = HDI_FORMAT;
  plain.fmt = HDF_LEFT | HDF_STRING;
  SendMessageA(Header(), HDM_SETITEMA, 1, reinterpret_cast<LPARAM>(&plain));
  EXPECT_TRUE(list->HeaderOwnerDrawn());
  HDITEMA again{};
  again.mask = HDI_FORMAT;
  SendMessageA(Header(), HDM_GETITEMA, 1, reinterpret_cast<LPARAM>(&again));
  EXPECT_TRUE(again.fmt & HDF_OWNERDRAW);
  list->SetShowSortArrows(false);
  SendMessageA(Header(), HDM_GETITEMA, 1, reinterpret_cast<LPARAM>(&again));
  EXPECT_FALSE(again.fmt & HDF_OWNERDRAW);
  EXPECT_EQ(list->Version(), "TdfsExtListView v3.71");
}

TEST_F(ExtList, ArrowStandsEightPixelsRightOfTheCaptionOnlyWhileSorting) {
  const HBITMAP down = list->SortArrowBitmap(false);
  ASSERT_NE(down, nullptr);
  BITMAP info{};
  GetObjectA(down, sizeof info, &info);
  const int s = info.bmWidth;
  const RECT pid = ItemRect(1);
  const int x = pid.left + 2 + 4 + TextWidth("PID") + 8;
  const int y = pid.top + 2 + (pid.bottom - pid.top - 4 - s) / 2;

  // Restored but not sorting: no arrow.
  list->SetLastColumnClicked(1);
  list->SetCurrentSortAscending(false);
  EXPECT_FALSE(ArrowAt(HeaderPicture(Header()), false, x, y));

  list->SetAutoColumnSort(acsSort);
  EXPECT_TRUE(ArrowAt(HeaderPicture(Header()), false, x, y));
  list->SetCurrentSortAscending(true);
  EXPECT_TRUE(ArrowAt(HeaderPicture(Header()), true, x, y));

  // Right-aligned: the caption stands left of the arrow's room, the arrow 8 pixels after it.
  SortBy(2, false);
  const RECT size = ItemRect(2);
  const HeaderPicture picture(Header());
  EXPECT_TRUE(
      ArrowAt(picture, false, size.right - 2 - 4 - s, size.top + 2 + (size.bottom - size.top - 4 - s) / 2));
  EXPECT_FALSE(ArrowAt(picture, false, x, y));
}

TEST_F(ExtList, NarrowColumnLeavesTheArrowOut) {
  SortBy(1, true);
  list->SetColumnWidth(1, 24);
  const RECT pid = ItemRect(1);
  BITMAP info{};
  GetObjectA(list->SortArrowBitmap(true), sizeof info, &info);
  const HeaderPicture picture(Header());
  for (int x = pid.left; x < pid.right; ++x)
    EXPECT_FALSE(ArrowAt(picture, true, x, pid.top + 2 + (pid.bottom - pid.top - 4 - info.bmHeight) / 2));
}

TEST_F(ExtList, ArrowPicturesFollowTheFontAndTheSystemColours) {
  gui::WindowDC screen(nullptr);
  HGDIOBJ old = SelectObject(screen.Get(), list->Font());
  SIZE wy{};
  GetTextExtentPoint32A(screen.Get(), "Wy", 2, &wy);
  SelectObject(screen.Get(), old);
  int s = wy.cy - 6;
  s += s % 2;
  const int h = s / 2;
  const auto down = Pixels(list->SortArrowBitmap(false));
  const auto up = Pixels(list->SortArrowBitmap(true));
  ASSERT_EQ(static_cast<int>(down.size()), s);
  ASSERT_EQ(static_cast<int>(up.size()), s);
  const COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW),
                 light = GetSysColor(COLOR_BTNHIGHLIGHT);
  // Down: the top edge and the left slope light, the right slope in shadow.
  EXPECT_EQ(down[0][s - 1], shadow);
  EXPECT_EQ(down[0][0], light);
  EXPECT_EQ(down[0][s - 2], light);
  EXPECT_EQ(down[s - 2][h - 1], light);
  EXPECT_EQ(down[s - 2][h], shadow);
  EXPECT_EQ(down[s - 1][0], face);
  // Up: the left slope light, the right slope and the bottom in shadow, the tip in the face colour.
  EXPECT_EQ(up[s - 1][0], shadow);  // the bottom line runs back to x = 0
  EXPECT_EQ(up[0][h], face);
  EXPECT_EQ(up[s - 1][s - 1], shadow);
  EXPECT_EQ(up[s - 2][h], face);  // inside
  // Reversed: the pictures swap.
  list->SetReverseSortArrows(true);
  EXPECT_EQ(Pixels(list->SortArrowBitmap(true)), down);
  EXPECT_EQ(Pixels(list->SortArrowBitmap(false)), up);
  // Rebuilt on a colour change while shown.
  HBITMAP before = list->SortArrowBitmap(true);
  SendMessageA(gui::Application().UtilityWindow(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_NE(list->SortArrowBitmap(true), before);
}

TEST_F(ExtList, DisplayOrderSurvivesRecreationOfTheWindow) {
  const int order[] = {2, 0, 1};
  SendMessageA(list->Handle(), LVM_SETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(order));
  list->RecreateWnd();
  testing::Pump();
  EXPECT_EQ(Order(), (std::vector<int>{2, 0, 1}));
  EXPECT_EQ(list->GetActualColumn(0), 2);
  EXPECT_EQ(list->ActualColumnIndex(2), 0);
  EXPECT_EQ(list->ActualColumnIndex(1), 2);
  EXPECT_EQ(list->ActualColumnIndex(5), 0);
  EXPECT_EQ(list->GetActualColumn(3), -1);
  // The new header is taken over and owner-drawn like the one before.
  EXPECT_TRUE(list->HeaderOwnerDrawn());
  // An order that is not each column once is refused.
  list->SetColumnOrder({0, 0, 1});
  EXPECT_EQ(Order(), (std::vector<int>{2, 0, 1}));
  list->SetColumnOrder({1, 2, 0});
  EXPECT_EQ(Order(), (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(list->GetColumnOrder(), (std::vector<int>{1, 2, 0}));
}

TEST_F(ExtList, DraggedHeaderItemMovesItsColumnAndTakesTheArrowAlong) {
  list->AddItem(L"row", {L"10", L"20 K"});
  SortBy(2, true);
  const RECT item = ItemRect(2);
  const int y = (item.top + item.bottom) / 2;
  SendMessageA(Header(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((item.left + item.right) / 2, y));
  for (int x = (item.left + item.right) / 2; x > 2; x -= 20)
    SendMessageA(Header(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(Header(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3, y));
  SendMessageA(Header(), WM_LBUTTONUP, 0, MAKELPARAM(3, y));
  testing::Pump();
  EXPECT_EQ(Order(), (std::vector<int>{2, 0, 1}));
  // The control places the cells by the new order.
  RECT cell{};
  cell.top = 2;
  cell.left = LVIR_BOUNDS;
  SendMessageA(list->Handle(), LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
  EXPECT_EQ(cell.left, ItemRect(2).left);
  EXPECT_EQ(list->LastColumnClicked(), 2);
  BITMAP info{};
  GetObjectA(list->SortArrowBitmap(true), sizeof info, &info);
  const RECT moved = ItemRect(2);
  EXPECT_TRUE(ArrowAt(HeaderPicture(Header()), true, moved.right - 6 - info.bmWidth,
                      moved.top + 2 + (moved.bottom - moved.top - 4 - info.bmHeight) / 2));
  list->RecreateWnd();
  EXPECT_EQ(Order(), (std::vector<int>{2, 0, 1}));
}

TEST_F(ExtList, ResizeLocksRefuseTrackingAndHideTheDividers) {
  EXPECT_EQ(NotifyFromHeader(HDN_BEGINTRACKW, 0), 0);
  const POINT divider = DividerOnScreen(0);
  EXPECT_NE(SendMessageA(Header(), WM_NCHITTEST, 0, MAKELPARAM(divider.x, divider.y)), HTNOWHERE);

  list->SetNoColumnResize(true);
  EXPECT_EQ(NotifyFromHeader(HDN_BEGINTRACKW, 0), 1);
  EXPECT_EQ(NotifyFromHeader(HDN_BEGINTRACKA, 1), 1);
  EXPECT_EQ(NotifyFromHeader(HDN_TRACKW, 0), 1);
  EXPECT_EQ(SendMessageA(Header(), WM_NCHITTEST, 0, MAKELPARAM(divider.x, divider.y)), HTNOWHERE);
  const RECT first = ItemRect(0);
  POINT middle{(first.left + first.right) / 2, (first.top + first.bottom) / 2};
  ClientToScreen(Header(), &middle);
  EXPECT_NE(SendMessageA(Header(), WM_NCHITTEST, 0, MAKELPARAM(middle.x, middle.y)), HTNOWHERE);
  list->SetNoColumnResize(false);

  // One column locked by its format: only at its own divider.
  list->ColumnsFormat().Add();
  list->ColumnsFormat().Add()->SetAllowResize(false);
  const POINT locked = DividerOnScreen(1);
  EXPECT_EQ(SendMessageA(Header(), WM_NCHITTEST, 0, MAKELPARAM(locked.x, locked.y)), HTNOWHERE);
  EXPECT_NE(SendMessageA(Header(), WM_NCHITTEST, 0, MAKELPARAM(divider.x, divider.y)), HTNOWHERE);
  EXPECT_EQ(NotifyAtPointer(locked, HDN_BEGINTRACKW, 1), 1);
  EXPECT_EQ(NotifyAtPointer(locked, HDN_DIVIDERDBLCLICKW, 1), 1);
  EXPECT_EQ(NotifyAtPointer(divider, HDN_BEGINTRACKW, 0), 0);

  // A divider double-clicked where resizing is free sizes the column, which keeps the new width.
  list->AddItem(L"a much longer caption than the column shows", {});
  EXPECT_EQ(NotifyAtPointer(divider, HDN_DIVIDERDBLCLICKW, 0), 0);
  const int width = static_cast<int>(SendMessageA(list->Handle(), LVM_GETCOLUMNWIDTH, 0, 0));
  EXPECT_GT(width, 120);
  EXPECT_EQ(list->Columns()[0].Width, width);
}

TEST_F(ExtList, CtrlPlusBecomesCtrlMinusWhileResizingIsLocked) {
  BYTE keys[256] = {}, saved[256] = {};
  GetKeyboardState(saved);
  std::copy(std::begin(saved), std::end(saved), keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  SendMessageA(list->Handle(), WM_KEYDOWN, VK_ADD, 1);
  list->SetNoColumnResize(true);
  SendMessageA(list->Handle(), WM_KEYDOWN, VK_ADD, 1);
  keys[VK_SHIFT] = 0x80;  // not Ctrl alone
  SetKeyboardState(keys);
  SendMessageA(list->Handle(), WM_KEYDOWN, VK_ADD, 1);
  SetKeyboardState(saved);
  SendMessageA(list->Handle(), WM_KEYDOWN, VK_ADD, 1);
  EXPECT_EQ(list->keys, (std::vector<WORD>{VK_ADD, VK_SUBTRACT, VK_ADD, VK_ADD}));
}

TEST_F(ExtList, InfoTipShowsTheRowCaptionCutToTheBuffer) {
  list->AddItem(L"kestrel32.exe", {L"1"});
  list->AddItem(L"进程名称", {L"2"});
  auto* sibling = form->Add<TdfsExtListView>();
  sibling->SetBounds(0, 310, 100, 40);
  sibling->HandleNeeded();
  SetWindowPos(list->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

  char buffer[64] = "old";
  NMLVGETINFOTIPA tip{};
  tip.hdr.hwndFrom = list->Handle();
  tip.hdr.idFrom = GetDlgCtrlID(list->Handle());
  tip.hdr.code = LVN_GETINFOTIPA;
  tip.pszText = buffer;
  tip.cchTextMax = 8;
  tip.iItem = 0;
  const LRESULT result =
      SendMessageA(form->Handle(), WM_NOTIFY, tip.hdr.idFrom, reinterpret_cast<LPARAM>(&tip));
  EXPECT_EQ(result, 1);
  EXPECT_EQ(std::string(buffer), "kestrel");                   // seven characters and the zero
  EXPECT_EQ(GetWindow(list->Handle(), GW_HWNDNEXT), nullptr);  // at the bottom of its siblings

  // Unfolded: the caption is added to what the buffer holds; a double-byte character is not split.
  lstrcpyA(buffer, "名:");
  tip.dwFlags = LVGIT_UNFOLDED;
  tip.iItem = 1;
  tip.cchTextMax = 9;
  SendMessageA(form->Handle(), WM_NOTIFY, tip.hdr.idFrom, reinterpret_cast<LPARAM>(&tip));
  EXPECT_EQ(std::string(buffer), "名:进程");

  // The wide notification, which the control sends, keeps a name outside code page 936 whole; a
  // character of two units is not split.
  const std::wstring name = L"한글창 \U0001D11E";
  list->AddItem(name, {L"3"});
  wchar_t wideBuffer[64] = L"old";
  NMLVGETINFOTIPW wideTip{{tip.hdr.hwndFrom, tip.hdr.idFrom, LVN_GETINFOTIPW}, 0, wideBuffer, 64, 2, 0, 0};
  SendMessageA(form->Handle(), WM_NOTIFY, tip.hdr.idFrom, reinterpret_cast<LPARAM>(&wideTip));
  EXPECT_EQ(std::wstring(wideBuffer), name);
  wideTip.cchTextMax = 6;
  SendMessageA(form->Handle(), WM_NOTIFY, tip.hdr.idFrom, reinterpret_cast<LPARAM>(&wideTip));
  EXPECT_EQ(std::wstring(wideBuffer), name.substr(0, 4));

  // A handler adds its own text instead.
  list->OnInfoTip = [](TCustomExtListView*, int index, int, const std::string& current,
                       std::string& additional) {
    additional = "#" + std::to_string(index) + (current.empty() ? "" : "+");
  };
  lstrcpyA(buffer, "x");
  tip.dwFlags = 0;
  tip.cchTextMax = 64;
  SendMessageA(form->Handle(), WM_NOTIFY, tip.hdr.idFrom, reinterpret_cast<LPARAM>(&tip));
  EXPECT_EQ(std::string(buffer), "#1");
  // Asked for wide text, it is cut to the buffer too.
  wideTip.cchTextMax = 2;
  SendMessageA(form->Handle(), WM_NOTIFY, tip.hdr.idFrom, reinterpret_cast<LPARAM>(&wideTip));
  EXPECT_EQ(std::wstring(wideBuffer), L"#");
}

TEST_F(ExtList, ExtendedStylesFollowTheUnderlineRuleAndReadBack) {
  list->SetExtendedStyles({lvxUnderlineCold});
  EXPECT_EQ(list->GetExtendedStyles(), (TLVExtendedStyles{lvxOneClickActivate, lvxUnderlineCold}));
  EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
            LVS_EX_ONECLICKACTIVATE | LVS_EX_UNDERLINECOLD | LVS_EX_DOUBLEBUFFER);
  // A style set before the window exists is applied when it is made.
  TdfsExtListView later(form.get());
  later.SetExtendedStyles({lvxCheckboxes, lvxGridLines});
  later.HandleNeeded();
  EXPECT_EQ(SendMessageA(later.Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
            LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
}

TEST_F(ExtList, CheckStatesAndSubItemImagesSurviveRecreation) {
  gui::ImageListHandle images(ImageList_Create(16, 16, ILC_COLOR24, 2, 0));
  ImageList_SetImageCount(images.Get(), 2);
  list->SetSmallImages(images.Get());
  list->SetExtendedStyles({lvxCheckboxes, lvxSubItemImages, lvxFullRowSelect});
  list->AddItem(L"a", {L"1", L"2"});
  list->AddItem(L"b", {L"3", L"4"});
  list->SetChecked(1, true);
  LVITEMA image{};
  image.mask = LVIF_IMAGE;
  image.iItem = 0;
  image.iSubItem = 2;
  image.iImage = 1;
  SendMessageA(list->Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&image));
  std::vector<int> checked;
  list->OnItemChecked = [&](TCustomExtListView*, int index) { checked.push_back(index); };
  list->SetChecked(0, true);
  list->SetChecked(0, true);  // no change, no report
  EXPECT_EQ(checked, (std::vector<int>{0}));
  list->SetChecked(0, false);

  list->RecreateWnd();
  EXPECT_FALSE(list->Checked(0));
  EXPECT_TRUE(list->Checked(1));
  LVITEMA read{};
  read.mask = LVIF_IMAGE;
  read.iItem = 0;
  read.iSubItem = 2;
  SendMessageA(list->Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read));
  EXPECT_EQ(read.iImage, 1);
}

TEST(ComCtlVersion, PassesForTheFilesVersionAndNewerAndFailsForUnreadableFiles) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA("COMCTL32.DLL", &ignored);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> data(size);
  ASSERT_TRUE(GetFileVersionInfoA("COMCTL32.DLL", 0, size, data.data()));
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length));
  const WORD v[4] = {HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                     HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS)};
  EXPECT_TRUE(TCustomExtListView::CheckComCtlVersion(v[0], v[1], v[2], v[3]));
  EXPECT_TRUE(TCustomExtListView::CheckComCtlVersion(4, 70, 0, 0));
  EXPECT_FALSE(TCustomExtListView::CheckComCtlVersion(v[0], v[1], v[2], static_cast<WORD>(v[3] + 1)));
  EXPECT_FALSE(TCustomExtListView::CheckComCtlVersion(static_cast<WORD>(v[0] + 1), 0, 0, 0));
  if (v[3] > 0) {
    EXPECT_TRUE(TCustomExtListView::CheckComCtlVersion(v[0], v[1], v[2], static_cast<WORD>(v[3] - 1)));
  }
  EXPECT_FALSE(FileVersionAtLeast("NO-SUCH-LIBRARY.DLL", 0, 0, 0, 0));

  TdfsExtListView list(nullptr);
  EXPECT_NO_THROW(list.SetRequireComCtlUpdate(true));
  EXPECT_TRUE(list.RequireComCtlUpdate());
}

}  // namespace
}  // namespace k32
