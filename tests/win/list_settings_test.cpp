// Lists keep their column order, widths, sort and view style in the registry by themselves: read
// once loaded, written whenever their window goes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/form_main.h"
#include "system/fake_services.h"
#include "gui/form.h"
#include "listview/ext_list_view.h"
#include "win/registry_values.h"
#include "win/win_test_support.h"

namespace k32 {
namespace {

const std::string kLists = "Software\\Tobin Quillmark\\Kestrel32\\2.0\\Lists\\";
const std::string kTestKey = "Software\\Kestrel32 list settings test\\List";

std::string Stored(const std::string& key, const char* section, const char* name) {
  const auto value = testing::GetValue(key + "\\" + section, name);
  EXPECT_TRUE(value.exists) << key << " " << section << "\\" << name;
  EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ)) << key << " " << section << "\\" << name;
  return value.Text();
}

std::vector<int> Widths(TdfsExtListView& list) {
  std::vector<int> widths;
  for (int column = 0; column < list.ColumnCount(); ++column) widths.push_back(list.ColumnWidth(column));
  return widths;
}

class ListSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::DeleteKeyTree("Software\\Tobin Quillmark");
    testing::DeleteKeyTree("Software\\Kestrel32 list settings test");
    testing::StoreDefaultSettings();
  }
  void TearDown() override {
    list = nullptr;
    host.reset();
    main.reset();
    testing::DeleteKeyTree("Software\\Tobin Quillmark");
    testing::DeleteKeyTree("Software\\Kestrel32 list settings test");
    testing::StoreDefaultSettings();  // as the suite's start left them for the tests that follow
  }
  // A list of four columns (widths 100, 60, 80, 40) that keeps its settings under the test key.
  TdfsExtListView& MakeList(bool autoSave = true) {
    host = std::make_unique<gui::TForm>();
    host->SetBounds(20, 20, 500, 300);
    list = host->Add<TdfsExtListView>();
    list->BeginLoading();
    list->SetBounds(0, 0, 480, 260);
    for (const auto& [caption, width] : {std::pair{"A", 100}, {"B", 60}, {"C", 80}, {"D", 40}})
      list->AddColumn(caption, width);
    list->SetExtendedStyles({lvxHeaderDragDrop, lvxFullRowSelect});
    list->SaveSettings().AutoSave = autoSave;
    list->SaveSettings().RegistryKey = kTestKey + "\\";
    host->HandleNeeded();
    list->Loaded();
    return *list;
  }
  void Store(const char* section, const char* name, const std::string& value) {
    testing::SetString(kTestKey + "\\" + section, name, value);
  }

  testing::RecordingBoxes boxes;
  testing::FakeServices services;
  std::unique_ptr<TFormMain> main;
  std::unique_ptr<gui::TForm> host;
  TdfsExtListView* list = nullptr;
};

TEST_F(ListSettings, AFirstRunKeepsTheLayoutAndWritesAllFiveTextsForEachList) {
  main = std::make_unique<TFormMain>(services);
  EXPECT_EQ(main->ProcessPage().ProcList()->GetColumnOrder(),
            (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
  main.reset();
  EXPECT_TRUE(boxes.shown.empty());
  const struct {
    const char* name;
    const char* order;
    const char* sizes;
    const char* visible;
  } expected[] = {{"ProcList", "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15",
                   "120,70,70,70,170,50,90,90,90,60,120,130,300,160,140,250", "0,1,2,3,4,5,7,8,13"},
                  {"ModuleList", "0,1,2,3", sizeof(void*) == 8 ? "120,250,120,70" : "120,250,80,70", "0,1,2,3"},
                  {"WindowList", "0,1,2,3", "70,150,250,120", "0,1,2,3"},
                  {"ChildList", "0,1,2", "70,150,250", "0,1,2"}};
  for (const auto& list : expected) {
    const std::string key = kLists + list.name;
    SCOPED_TRACE(key);
    EXPECT_EQ(Stored(key, "Columns", "Order"), list.order);
    EXPECT_EQ(Stored(key, "Columns", "Sizes"), list.sizes);
    EXPECT_EQ(Stored(key, "Columns", "Visible"), list.visible);
    EXPECT_EQ(Stored(key, "Sort", "Ascending"), "1");
    EXPECT_EQ(Stored(key, "Sort", "SortCol"), "0");
    EXPECT_EQ(Stored(key, "ViewStyle", "ViewStyle"), "3");
  }
}

TEST_F(ListSettings, TheNextRunShowsWhatTheUserLeftAndOnlyInItsOwnList) {
  // Stored by a version with five columns: the third dragged to the front and narrowed, sorted down
  // by the fourth. The columns that came later follow, at their widths, shown or not as they were.
  testing::SetString(kLists + "ProcList\\Columns", "Order", "2,0,1,3,4");
  testing::SetString(kLists + "ProcList\\Columns", "Sizes", "45,120,70,70,170");
  testing::SetString(kLists + "ProcList\\Sort", "Ascending", "0");
  testing::SetString(kLists + "ProcList\\Sort", "SortCol", "3");
  main = std::make_unique<TFormMain>(services);
  TMainListView& procs = *main->ProcessPage().ProcList();
  EXPECT_EQ(procs.GetColumnOrder(), (std::vector<int>{2, 0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
  EXPECT_EQ(Widths(procs), (std::vector<int>{120, 70, 45, 70, 170, 50, 90, 90, 90, 60, 120, 130, 300, 160, 140, 250}));
  EXPECT_TRUE(procs.ColumnVisible(kCpuColumn));
  EXPECT_FALSE(procs.ColumnVisible(kCommandLineColumn));
  EXPECT_EQ(SendMessageA(procs.Handle(), LVM_GETCOLUMNWIDTH, kCommandLineColumn, 0), 0);
  EXPECT_FALSE(main->ProcessPage().ProcList()->CurrentSortAscending());
  EXPECT_EQ(main->ProcessPage().ProcList()->LastColumnClicked(), 3);
  EXPECT_EQ(main->ProcessPage().ModuleList()->GetColumnOrder(), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(main->ProcessPage().ModuleList()->LastColumnClicked(), 0);
  EXPECT_TRUE(main->ProcessPage().ModuleList()->CurrentSortAscending());

  // What the user changes is what the next close stores, a hidden column's width too.
  procs.SetColumnOrder({4, 3, 2, 1, 0, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
  procs.SetColumnWidth(4, 33);
  procs.SetColumnVisible(kCpuColumn, false);
  procs.SetColumnVisible(kCommandLineColumn, true);
  procs.SetColumnWidth(kCommandLineColumn, 400);
  main.reset();
  EXPECT_EQ(Stored(kLists + "ProcList", "Columns", "Order"), "4,3,2,1,0,5,6,7,8,9,10,11,12,13,14,15");
  EXPECT_EQ(Stored(kLists + "ProcList", "Columns", "Sizes"), "33,70,45,70,120,50,90,90,90,60,120,130,400,160,140,250");
  EXPECT_EQ(Stored(kLists + "ProcList", "Columns", "Visible"), "0,1,2,3,4,7,8,12,13");
  EXPECT_EQ(Stored(kLists + "ProcList", "Sort", "Ascending"), "0");
  EXPECT_EQ(Stored(kLists + "ProcList", "Sort", "SortCol"), "3");
}

TEST_F(ListSettings, StoredWidthsApplyByPositionAndBadEntriesKeepTheirColumn) {
  const struct {
    const char* order;
    const char* sizes;
    std::vector<int> widths;  // by column index
    std::vector<int> applied = {0, 1, 2, 3};
  } cases[] = {
      {"", "30,20", {30, 20, 80, 40}},                      // fewer entries: the rest keep theirs
      {"", "10,11,12,13,14,15", {10, 11, 12, 13}},          // more: the extra ones are ignored
      {"", "31,abc,33", {31, 60, 33, 40}},                  // one that does not read keeps its column
      {"", "-1,20,30,40", {100, 60, 80, 40}},               // -1 first: no value
      {"", ",,,", {100, 60, 80, 40}},                       // nothing that reads
      {"3,2,1,0", "1,2,3,4", {4, 3, 2, 1}, {3, 2, 1, 0}},  // positions follow the order read first
      {"1,x,0,2", "5,6,7,8", {5, 6, 7, 8}},                 // an unreadable order gives the identity
      {"0,0,1,2", "5,6,7,8", {5, 6, 7, 8}},                 // a repeated column too
      {"1,0", "5,6,7,8", {6, 5, 7, 8}, {1, 0, 2, 3}},       // stored with fewer columns: those first
      {"0,1,2,9", "5,6,7,8", {5, 6, 7, 8}},                 // a column that is not there: identity
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.order) + " / " + c.sizes);
    testing::DeleteKeyTree("Software\\Kestrel32 list settings test");
    if (*c.order) Store("Columns", "Order", c.order);
    Store("Columns", "Sizes", c.sizes);
    MakeList();
    EXPECT_EQ(Widths(*list), c.widths);
    EXPECT_EQ(list->GetColumnOrder(), c.applied);
    list = nullptr;
    host.reset();
  }
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ListSettings, SortAndViewStyleAreClampedOrKeptWhenTheyDoNotRead) {
  const struct {
    const char* ascending;
    const char* sortColumn;
    const char* viewStyle;
    bool expectAscending;
    int expectColumn;
    gui::TViewStyle expectStyle;
  } cases[] = {
      {"0", "9", "7", false, 3, gui::vsReport},  // beyond the last column: the last
      {"1", "-4", "abc", true, 0, gui::vsReport},
      {"abc", "x", "", true, 0, gui::vsReport},  // unreadable: the defaults
      {"5", "2", "1", true, 2, gui::vsSmallIcon},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.ascending) + " " + c.sortColumn + " " + c.viewStyle);
    testing::DeleteKeyTree("Software\\Kestrel32 list settings test");
    Store("Sort", "Ascending", c.ascending);
    Store("Sort", "SortCol", c.sortColumn);
    Store("ViewStyle", "ViewStyle", c.viewStyle);
    MakeList();
    EXPECT_EQ(list->CurrentSortAscending(), c.expectAscending);
    EXPECT_EQ(list->LastColumnClicked(), c.expectColumn);
    EXPECT_EQ(list->ViewStyle(), c.expectStyle);
    EXPECT_EQ(GetWindowLongA(list->Handle(), GWL_STYLE) & LVS_TYPEMASK,
              c.expectStyle == gui::vsReport ? LVS_REPORT : LVS_SMALLICON);
    list = nullptr;
    host.reset();
  }
}

TEST_F(ListSettings, ValuesThatAreNotTextReadAsMissingAndAreWrittenBackAsText) {
  testing::SetDword(kTestKey + "\\Columns", "Order", 3);
  testing::SetRaw(kTestKey + "\\Columns", "Sizes", REG_BINARY, "\x10\x00\x00\x00", 4);
  testing::SetDword(kTestKey + "\\Sort", "SortCol", 2);
  MakeList();
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(list->GetColumnOrder(), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(Widths(*list), (std::vector<int>{100, 60, 80, 40}));
  EXPECT_EQ(list->LastColumnClicked(), 0);
  list = nullptr;
  host.reset();
  EXPECT_EQ(Stored(kTestKey, "Columns", "Order"), "0,1,2,3");
  EXPECT_EQ(Stored(kTestKey, "Columns", "Sizes"), "100,60,80,40");
  EXPECT_EQ(Stored(kTestKey, "Sort", "SortCol"), "0");
}

TEST_F(ListSettings, EveryNewWindowStoresWhatItHadAndWithoutAutoSaveNothingIsKept) {
  MakeList();
  list->SetColumnOrder({1, 0, 2, 3});
  list->SetColumnWidth(0, 77);
  list->RecreateWnd();
  EXPECT_EQ(Stored(kTestKey, "Columns", "Order"), "1,0,2,3");
  EXPECT_EQ(Stored(kTestKey, "Columns", "Sizes"), "60,77,80,40");
  EXPECT_EQ(list->GetColumnOrder(), (std::vector<int>{1, 0, 2, 3}));  // kept by the list itself
  list = nullptr;
  host.reset();

  testing::DeleteKeyTree("Software\\Kestrel32 list settings test");
  Store("Columns", "Sizes", "11,12,13,14");
  MakeList(false);
  EXPECT_EQ(Widths(*list), (std::vector<int>{100, 60, 80, 40}));
  list = nullptr;
  host.reset();
  EXPECT_EQ(Stored(kTestKey, "Columns", "Sizes"), "11,12,13,14");
  EXPECT_FALSE(testing::KeyExists(kTestKey + "\\Sort"));
}

TEST_F(ListSettings, TheSwitchesLeaveTheirValuesOut) {
  MakeList();
  list->SaveSettings().SaveColumnOrder = false;
  list->SaveSettings().SaveCurrentSort = false;
  list->SaveSettings().SaveViewStyle = false;
  list = nullptr;
  host.reset();
  EXPECT_EQ(Stored(kTestKey, "Columns", "Sizes"), "100,60,80,40");
  EXPECT_FALSE(testing::GetValue(kTestKey + "\\Columns", "Order").exists);
  EXPECT_FALSE(testing::KeyExists(kTestKey + "\\Sort"));
  EXPECT_FALSE(testing::KeyExists(kTestKey + "\\ViewStyle"));
}

TEST_F(ListSettings, AKeyThatCannotBeMadeGivesTheLayoutAndAMessageWhenStoring) {
  // A lasting key cannot be made under a volatile one.
  HKEY parent = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Kestrel32 list settings test", 0, nullptr,
                            REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &parent, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(parent);
  MakeList();
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(Widths(*list), (std::vector<int>{100, 60, 80, 40}));
  list = nullptr;
  host.reset();
  testing::Pump();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "无法设置 'Order' 的数据.");
}

}  // namespace
}  // namespace k32
