// Features of the list family that the program's lists leave off, each on a real list view:
// rows drawn by handlers, virtual rows, check-box, hot-tracking, marquee and activation events,
// column images, custom header drawing, incremental search and the helper operations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/form.h"
#include "gui/wide_text.h"
#include "listview/ext_list_view.h"
#include "win/win_test_support.h"

namespace k32 {
namespace {

class ListFeatures : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<gui::TForm>();
    form->SetBounds(40, 40, 600, 400);
    list = form->Add<TdfsExtListView>();
    list->SetBounds(0, 0, 560, 300);
    list->AddColumn("名称", 120);
    list->AddColumn("数值", 80);
    form->Show();
    testing::Pump();
  }
  void TearDown() override { form.reset(); }

  LRESULT Notify(NMHDR& header, UINT code) {
    header.hwndFrom = list->Handle();
    header.idFrom = GetDlgCtrlID(list->Handle());
    header.code = code;
    return SendMessageA(form->Handle(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
  }
  std::string ControlText(int row, int column) {
    char text[128] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list->Handle(), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
  }
  void Type(const std::string& keys) {
    for (char c : keys) SendMessageA(list->Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
  }

  std::unique_ptr<gui::TForm> form;
  TdfsExtListView* list = nullptr;
};

TEST_F(ListFeatures, OwnerDrawnRowsTakeTheirHeightAndAreDrawnByTheHandlers) {
  list->AddItem(L"a", {L"1"});
  list->AddItem(L"b", {L"2"});
  list->OnMeasureItem = [](TCustomEnhListView*, UINT& height) { height = 31; };
  std::vector<int> drawn, after;
  std::vector<std::pair<int, int>> cells;
  list->OnDrawItem = [&](TCustomEnhListView*, TCanvas&, int index, RECT, UINT, bool&, bool&) {
    drawn.push_back(index);
  };
  list->OnDrawSubItem = [&](TCustomEnhListView*, TCanvas& canvas, int index, int subItem, RECT rect, UINT,
                            bool& defaultDrawing) {
    cells.emplace_back(index, subItem);
    if (subItem == 1) {  // this cell is the handler's: solid red
      canvas.BrushColor = RGB(255, 0, 0);
      canvas.FillRect(rect);
      defaultDrawing = false;
    }
  };
  list->OnAfterDefaultDrawItem = [&](TCustomEnhListView*, TCanvas&, int index, RECT, UINT) {
    after.push_back(index);
  };
  list->SetStyle(lvOwnerDrawFixed);
  testing::Pump();
  EXPECT_TRUE(GetWindowLongA(list->Handle(), GWL_STYLE) & LVS_OWNERDRAWFIXED);
  EXPECT_EQ(list->Count(), 2);  // the rows came back with the new window
  RECT row{};
  row.left = LVIR_BOUNDS;
  SendMessageA(list->Handle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  EXPECT_EQ(row.bottom - row.top, 31);

  RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), 1), drawn.end());
  EXPECT_NE(std::find(after.begin(), after.end(), 1), after.end());
  EXPECT_NE(std::find(cells.begin(), cells.end(), std::make_pair(1, 1)), cells.end());
  {
    gui::WindowDC dc(list->Handle());
    RECT cell{};
    cell.top = 1;
    cell.left = LVIR_BOUNDS;
    SendMessageA(list->Handle(), LVM_GETSUBITEMRECT, 1, reinterpret_cast<LPARAM>(&cell));
    EXPECT_EQ(GetPixel(dc.Get(), (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2), RGB(255, 0, 0));
  }

  // A handler that does it all leaves the default drawing out.
  cells.clear();
  after.clear();
  list->OnDrawItem = [](TCustomEnhListView*, TCanvas&, int, RECT, UINT, bool& defaultDrawing, bool&) {
    defaultDrawing = false;
  };
  RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(cells.empty());
  EXPECT_TRUE(after.empty());

  // A new font makes the window again, for the row height it gives.
  HWND before = list->Handle();
  SendMessageA(list->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  testing::Pump();
  EXPECT_NE(list->Handle(), before);
  EXPECT_EQ(list->Count(), 2);
}

TEST_F(ListFeatures, VirtualRowsComeFromTheHandlers) {
  list->OnVMGetItemInfo = [](TCustomExtListView*, TVMItemInfo& info) {
    if (info.Mask & LVIF_TEXT) info.Text = (info.SubItem == 0 ? "行 " : "值 ") + std::to_string(info.Item);
    if (info.Mask & LVIF_IMAGE) info.Image = info.Item % 2;
  };
  std::vector<std::pair<int, int>> hints;
  list->OnVMCacheHint = [&](TCustomExtListView*, int from, int to) { hints.emplace_back(from, to); };
  std::string sought;
  list->OnVMFindItem = [&](TCustomExtListView*, const std::string& text, int start, bool partial, bool,
                           int& found) {
    sought = text;
    found = partial && start == -1 ? 42 : -1;
  };
  list->SetVirtualMode(true);
  list->SetVirtualItemCount(1000);
  EXPECT_TRUE(GetWindowLongA(list->Handle(), GWL_STYLE) & LVS_OWNERDATA);
  EXPECT_EQ(list->Count(), 1000);
  EXPECT_EQ(ControlText(7, 0), "行 7");
  EXPECT_EQ(ControlText(999, 1), "值 999");
  RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_FALSE(hints.empty());

  LVFINDINFOA find{};
  find.flags = LVFI_PARTIAL | LVFI_STRING;
  find.psz = "行 4";
  EXPECT_EQ(
      SendMessageA(list->Handle(), LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)),
      42);
  EXPECT_EQ(sought, "行 4");

  int from = -1, to = -1;
  list->OnVMStateChanged = [&](TCustomExtListView*, int f, int t, UINT, UINT) { from = f, to = t; };
  NMLVODSTATECHANGE change{};
  change.iFrom = 3;
  change.iTo = 9;
  Notify(change.hdr, LVN_ODSTATECHANGED);
  EXPECT_EQ(from, 3);
  EXPECT_EQ(to, 9);

  std::string edited;
  bool canceled = true;
  list->OnVMCaptionEdited = [&](TCustomExtListView*, int, bool c, const std::string& text) {
    canceled = c;
    edited = text;
  };
  NMLVDISPINFOA edit{};
  char text[] = "新";
  edit.item.iItem = 5;
  edit.item.pszText = text;
  Notify(edit.hdr, LVN_ENDLABELEDITA);
  EXPECT_FALSE(canceled);
  EXPECT_EQ(edited, "新");

  // Info tips of virtual rows come only from the handler.
  char buffer[32] = "";
  NMLVGETINFOTIPA tip{};
  tip.pszText = buffer;
  tip.cchTextMax = sizeof buffer;
  tip.iItem = 3;
  Notify(tip.hdr, LVN_GETINFOTIPA);
  EXPECT_EQ(std::string(buffer), "");
}

TEST_F(ListFeatures, HotTrackingMarqueeAndActivationGoToTheHandlers) {
  list->AddItem(L"a", {L"1"});
  list->AddItem(L"b", {L"2"});
  NMLISTVIEW track{};
  track.iItem = 1;
  EXPECT_EQ(Notify(track.hdr, LVN_HOTTRACK), 0);
  list->OnHotTrack = [](TCustomExtListView*, int& index, int, bool& canSelect) {
    canSelect = index != 1;
    index = 0;
  };
  EXPECT_EQ(Notify(track.hdr, LVN_HOTTRACK), 1);
  EXPECT_EQ(track.iItem, 0);

  NMHDR marquee{};
  EXPECT_EQ(Notify(marquee, LVN_MARQUEEBEGIN), 0);
  list->OnMarqueeBegin = [](TCustomExtListView*, bool& canBegin) { canBegin = false; };
  EXPECT_NE(Notify(marquee, LVN_MARQUEEBEGIN), 0);

  // One-click activation, from a real click on a row.
  std::vector<int> activated;
  list->OnItemActivate = [&](TCustomExtListView*, int index, int) { activated.push_back(index); };
  list->SetExtendedStyles({lvxOneClickActivate, lvxFullRowSelect});
  RECT row{};
  row.left = LVIR_LABEL;
  SendMessageA(list->Handle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  const LPARAM at = MAKELPARAM(row.left + 5, (row.top + row.bottom) / 2);
  SendMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(list->Handle(), WM_LBUTTONUP, 0, at);
  testing::Pump();
  EXPECT_EQ(activated, (std::vector<int>{1}));
}

TEST_F(ListFeatures, CheckBoxClicksAreReportedOnce) {
  list->SetExtendedStyles({lvxCheckboxes});
  list->AddItem(L"a", {});
  list->AddItem(L"b", {});
  std::vector<int> checked;
  list->OnItemChecked = [&](TCustomExtListView*, int index) { checked.push_back(index); };
  list->SelectIndex(1);
  SendMessageA(list->Handle(), WM_KEYDOWN, VK_SPACE, 1);  // the focused row's box
  EXPECT_TRUE(list->Checked(1));
  EXPECT_EQ(checked, (std::vector<int>{1}));
  SendMessageA(list->Handle(), WM_KEYDOWN, VK_SPACE, 1);
  EXPECT_FALSE(list->Checked(1));
  EXPECT_EQ(checked, (std::vector<int>{1, 1}));
  list->SelectIndex(0);  // selection changes are no check changes
  EXPECT_EQ(checked.size(), 2u);
}

TEST_F(ListFeatures, ColumnImagesGoIntoThePlainHeadersFormats) {
  gui::ImageListHandle images(ImageList_Create(16, 16, ILC_COLOR24, 3, 0));
  ImageList_SetImageCount(images.Get(), 3);
  list->SetSmallImages(images.Get());
  list->ColumnsFormat().Add()->SetImageIndex(2);
  TdfsExtListColumn* second = list->ColumnsFormat().Add();
  second->SetImageAlignment(ciaLeftOfText);
  second->SetImageIndex(1);
  HWND header = list->GetHeaderHandle();
  HDITEMA item{};
  item.mask = HDI_FORMAT | HDI_IMAGE;
  SendMessageA(header, HDM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_TRUE(item.fmt & HDF_IMAGE);
  EXPECT_TRUE(item.fmt & HDF_BITMAP_ON_RIGHT);
  EXPECT_EQ(item.iImage, 2);
  SendMessageA(header, HDM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_TRUE(item.fmt & HDF_IMAGE);
  EXPECT_FALSE(item.fmt & HDF_BITMAP_ON_RIGHT);
  EXPECT_EQ(item.iImage, 1);
  // An index beyond the image list shows nothing.
  second->SetImageIndex(9);
  SendMessageA(header, HDM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_FALSE(item.fmt & HDF_IMAGE);
  // While the header is owner-drawn its formats are left alone.
  list->SetShowSortArrows(true);
  second->SetImageIndex(0);
  SendMessageA(header, HDM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_FALSE(item.fmt & HDF_IMAGE);
}

TEST_F(ListFeatures, HeaderHandlerDrawsItemsAndMayLeaveTheDefaultOut) {
  std::vector<int> items;
  list->SetOnDrawHeader(
      [&](TCustomEnhListView*, TCanvas& canvas, int index, RECT& rect, bool, bool& defaultDrawing) {
        items.push_back(index);
        canvas.BrushColor = RGB(0, 0, 255);
        canvas.FillRect(rect);
        defaultDrawing = false;
      });
  HWND header = list->GetHeaderHandle();
  HDITEMA item{};
  item.mask = HDI_FORMAT;
  SendMessageA(header, HDM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_TRUE(item.fmt & HDF_OWNERDRAW);
  RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_NE(std::find(items.begin(), items.end(), 1), items.end());
  RECT rect{};
  SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rect));
  gui::WindowDC dc(header);
  EXPECT_EQ(GetPixel(dc.Get(), (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2), RGB(0, 0, 255));
}

TEST_F(ListFeatures, TypingSelectsTheNextRowBeginningWithTheTypedText) {
  list->ColumnSearch = true;
  // The sort column is searched.
  list->AddItem(L"a", {L"beta"});
  list->AddItem(L"b", {L"alpha"});
  list->SetLastColumnClicked(1);
  Type("al");
  EXPECT_EQ(list->SelectedIndex(), 1);
  EXPECT_TRUE(list->SubStringSelect("ET", 1));
  EXPECT_EQ(list->SelectedIndex(), 0);
  EXPECT_FALSE(list->StringSelect("gamma", 1));

  list->Clear();
  list->SetLastColumnClicked(0);
  for (const wchar_t* name :
       {L"kernel32.dll", L"Explorer.exe", L"kestrel32.exe", L"ntdll.dll", L"KERNELBASE.dll"})
    list->AddItem(name, {});
  testing::Pump(1100);  // a pause starts a new text
  Type("k");            // none selected: the search starts after the first row
  EXPECT_EQ(list->SelectedIndex(), 2);
  Type("e");
  EXPECT_EQ(list->SelectedIndex(), 4);  // "ke" after row 2, without regard to case
  Type("r");
  EXPECT_EQ(list->SelectedIndex(), 0);  // "ker", wrapping round
  Type("z");  // nothing begins with "kerz": the selection stays, the text stays "ker"
  EXPECT_EQ(list->SelectedIndex(), 0);
  Type("n");
  EXPECT_EQ(list->SelectedIndex(), 4);
}

TEST_F(ListFeatures, HelperOperationsReachTheControl) {
  list->AddItem(L"first", {L"1"});
  list->AddItem(L"second", {L"2"});
  list->AddItem(L"a caption much wider than its column", {L"3"});
  list->MoveItem(0, 2);
  EXPECT_EQ(gui::Narrow(list->Item(2)->Caption), "first");
  EXPECT_EQ(ControlText(2, 1), "1");
  list->SelectIndex(2);
  list->MoveItem(2, 0);
  EXPECT_EQ(list->Item(0)->Caption, L"first");
  EXPECT_EQ(list->SelectedIndex(), 0);

  list->ResizeColumns(rmFitText);
  EXPECT_GT(list->ColumnWidth(0), 120);
  EXPECT_EQ(list->Columns()[0].Width, list->ColumnWidth(0));

  const RECT cell = list->GetSubItemRect(1, 1);
  EXPECT_GT(cell.right, cell.left);
  int subItem = -1;
  EXPECT_EQ(list->GetSubItemAt({cell.left + 2, (cell.top + cell.bottom) / 2}, &subItem), 1);
  EXPECT_EQ(subItem, 1);

  list->SetItemIndent(1, 2);
  EXPECT_EQ(list->ItemIndent(1), 2);
  list->SetSelectionMark(1);
  list->SetHoverTime(700);
  list->RecreateWnd();
  EXPECT_EQ(list->SelectionMark(), 1);
  EXPECT_EQ(list->HoverTime(), 700);
}

}  // namespace
}  // namespace k32
