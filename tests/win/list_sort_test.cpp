// Column sorting of the sortable list on a real list view: header clicks, the comparison of mixed
// cells, re-sorting after inserts and updates, and the sort handler.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "gui/form.h"
#include "gui/wide_text.h"
#include "listview/ext_list_view.h"
#include "listview/user_sort_locale.h"
#include "listview/list_update.h"
#include "win/list_view_test_support.h"
#include "win/win_test_support.h"

namespace k32 {
namespace {

class SortableList : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<gui::TForm>();
    form->SetBounds(20, 20, 600, 400);
    list = form->Add<TdfsExtListView>();
    list->SetBounds(0, 0, 580, 360);
    for (const char* caption : {"名称", "数值", "其他"}) list->AddColumn(caption, 120);
    list->SetShowSortArrows(true);
    form->Show();
    testing::Pump();
  }
  void TearDown() override { form.reset(); }

  void AddRows(const std::vector<std::vector<std::string>>& rows) {
    for (const auto& row : rows) {
      std::vector<std::wstring> subItems;
      for (auto text = row.begin() + 1; text != row.end(); ++text) subItems.push_back(gui::Wide(*text));
      list->AddItem(gui::Wide(row[0]), std::move(subItems));
    }
  }
  std::vector<std::string> Column(int column) const { return testing::ColumnTexts(*list, column); }
  void ClickHeader(int column) { testing::ClickHeader(list->GetHeaderHandle(), column); }
  // As the main window does on a column click.
  void SortOnClick() {
    list->OnColumnClick = [this](int) {
      if (list->AutoColumnSort() != acsSortToggle) list->SetAutoColumnSort(acsSortToggle);
    };
  }

  std::unique_ptr<gui::TForm> form;
  TdfsExtListView* list = nullptr;
};

TEST_F(SortableList, FirstClickKeepsTheRestoredDirectionThenTheSameHeaderReverses) {
  AddRows({{"b", "2", "z"}, {"c", "10", "x"}, {"a", "9", "y"}});
  SortOnClick();
  // The sort of the last run, restored as the saved settings restore it: nothing sorts yet.
  list->BeginUpdate();
  list->SetCurrentSortAscending(false);
  list->SetLastColumnClicked(1);
  list->Resort();
  list->EndUpdate();
  EXPECT_EQ(Column(0), (std::vector<std::string>{"b", "c", "a"}));

  ClickHeader(1);
  EXPECT_EQ(list->AutoColumnSort(), acsSortToggle);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"10", "9", "2"}));  // still descending, as numbers
  EXPECT_FALSE(list->CurrentSortAscending());
  ClickHeader(1);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"2", "9", "10"}));
  ClickHeader(1);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"10", "9", "2"}));
  ClickHeader(2);  // another column: ascending
  EXPECT_EQ(Column(2), (std::vector<std::string>{"x", "y", "z"}));
  EXPECT_EQ(list->LastColumnClicked(), 2);
  EXPECT_TRUE(list->CurrentSortAscending());
}

TEST_F(SortableList, ASortHandlerThatRaisesIsToldOnceFromTheLoopAndTheUpdateStillEnds) {
  testing::RecordingBoxes boxes;
  AddRows({{"b", "2", "z"}, {"c", "10", "x"}, {"a", "9", "y"}});
  list->OnSortItems = [](auto&&...) { throw std::runtime_error("比较"); };
  list->OnSortFinished = [](auto&&...) { throw std::runtime_error("排序"); };
  {
    ListUpdate update(*list);
    list->Resort();
  }  // the sort runs as the update ends, in a destructor
  EXPECT_EQ(list->UpdateDepth(), 0);
  EXPECT_TRUE(boxes.shown.empty());
  testing::Pump();
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"比较.", "排序."}));
}

TEST_F(SortableList, FirstClickOnAnotherColumnSortsItInTheRestoredDirection) {
  AddRows({{"b", "2", "z"}, {"c", "10", "x"}, {"a", "9", "y"}});
  SortOnClick();
  list->SetCurrentSortAscending(false);
  list->SetLastColumnClicked(1);
  ClickHeader(0);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"c", "b", "a"}));
  ClickHeader(2);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"x", "y", "z"}));
}

TEST_F(SortableList, WithoutSortingClicksOnlyRecordTheColumn) {
  AddRows({{"b", "2", "z"}, {"a", "10", "x"}});
  int clicks = 0;
  list->OnColumnClick = [&](int) { ++clicks; };
  ClickHeader(0);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(list->LastColumnClicked(), 0);
  // acsSort keeps the direction at every click.
  list->SetAutoColumnSort(acsSort);
  list->SetCurrentSortAscending(false);
  ClickHeader(0);
  ClickHeader(0);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"b", "a"}));
}

TEST_F(SortableList, MixedCellsCompareAsTimesNumbersOrText) {
  // Numbers, sizes and odd number forms, all read as numbers.
  AddRows({{"r1", "1,234"},
           {"r2", "12 K"},
           {"r3", "-5"},
           {"r4", "3 K"},
           {"r5", "10"},
           {"r6", "9"},
           {"r7", "5."}});
  list->SetLastColumnClicked(1);
  list->SetAutoColumnSort(acsSortToggle);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"-5", "3 K", "5.", "9", "10", "12 K", "1,234"}));
  list->DoSort(1, false);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"1,234", "12 K", "10", "9", "5.", "3 K", "-5"}));

  // Numbers, dates and words side by side: each pair judged on its own.
  list->Clear();
  AddRows({{"xyz"}, {"30 K"}, {"2000/12/1"}, {""}, {"10"}, {"abc"}, {"45"}, {"2000/1/5"}, {"20"}});
  list->DoSort(0, true);
  EXPECT_EQ(Column(0),
            (std::vector<std::string>{"", "10", "20", "2000/1/5", "2000/12/1", "30 K", "45", "abc", "xyz"}));

  // Times of day, later than they are as text.
  list->Clear();
  AddRows({{"12:30"}, {"9:05"}, {"0:00:01"}, {"23:59"}});
  list->DoSort(0, true);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"0:00:01", "9:05", "12:30", "23:59"}));

  // The user's collation, not byte order: the text comparison of the system decides.
  list->SetAutoSortStyle(assDefault);
  list->Clear();
  AddRows({{"b"}, {"B"}, {"a"}, {"A"}});
  list->DoSort(0, true);
  const auto sorted = Column(0);
  for (std::size_t i = 1; i < sorted.size(); ++i)
    EXPECT_LE(CompareLocaleText(gui::Wide(sorted[i - 1]), gui::Wide(sorted[i])), 0);
}

TEST_F(SortableList, DefaultStyleComparesEveryCellAsText) {
  AddRows({{"9"}, {"10"}, {"100"}});
  list->SetAutoSortStyle(assDefault);
  list->DoSort(0, true);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"10", "100", "9"}));
  list->SetAutoSortStyle(assSmart);
  list->DoSort(0, true);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"9", "10", "100"}));
}

TEST_F(SortableList, ResortWaitsForTheEndOfTheUpdate) {
  AddRows({{"c"}, {"a"}, {"b"}});
  list->SetLastColumnClicked(0);
  list->BeginUpdate();
  list->SetAutoColumnSort(acsSort);  // wants a sort, held back
  EXPECT_TRUE(list->ResortPending());
  EXPECT_EQ(Column(0), (std::vector<std::string>{"c", "a", "b"}));
  list->BeginUpdate();
  list->EndUpdate();
  EXPECT_EQ(Column(0), (std::vector<std::string>{"c", "a", "b"}));
  list->EndUpdate();
  EXPECT_FALSE(list->ResortPending());
  EXPECT_EQ(Column(0), (std::vector<std::string>{"a", "b", "c"}));
  // More ends than begins never take the depth below 0.
  list->EndUpdate();
  list->EndUpdate();
  EXPECT_EQ(list->SortUpdateDepth(), 0);
}

TEST_F(SortableList, InsertedRowsTakeTheirPlaceWhileSortingIsOn) {
  list->SetLastColumnClicked(1);
  list->SetAutoColumnSort(acsSortToggle);
  AddRows({{"a", "30"}, {"b", "4"}, {"c", "200"}});
  EXPECT_EQ(Column(1), (std::vector<std::string>{"4", "30", "200"}));
  // Rows added inside an update are sorted once, at its end.
  list->BeginUpdate();
  AddRows({{"d", "1"}, {"e", "50"}});
  EXPECT_EQ(Column(1), (std::vector<std::string>{"4", "30", "200", "1", "50"}));
  list->EndUpdate();
  EXPECT_EQ(Column(1), (std::vector<std::string>{"1", "4", "30", "50", "200"}));
  // Without automatic re-sorting a new row stays at the end.
  list->SetAutoResort(false);
  AddRows({{"f", "2"}});
  EXPECT_EQ(Column(1).back(), "2");
}

// The list answers row reads from the order it keeps: whatever reorders the control, from the list
// or sent to its window by anyone, the rows read back as the control holds them.
TEST_F(SortableList, RowsReadBackInTheControlsOrderWhateverMovesThem) {
  AddRows({{"a", "3"}, {"b", "1"}, {"c", "2"}, {"d", "5"}});
  const auto expectControlsOrder = [&](const char* after) {
    const int count = static_cast<int>(SendMessageA(list->Handle(), LVM_GETITEMCOUNT, 0, 0));
    ASSERT_EQ(list->Count(), count) << after;
    for (int i = 0; i < count; ++i) {
      LVITEMA row{};
      row.mask = LVIF_PARAM;
      row.iItem = i;
      SendMessageA(list->Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&row));
      EXPECT_EQ(reinterpret_cast<LPARAM>(list->Item(i)), row.lParam) << after << ", row " << i;
    }
  };
  expectControlsOrder("the rows added");
  list->AddItemAt(1, L"e", {L"4"});
  list->DeleteItem(3);
  expectControlsOrder("a row in and one out");
  const PFNLVCOMPARE descending = [](LPARAM a, LPARAM b, LPARAM) CALLBACK -> int {
    const auto& x = reinterpret_cast<gui::TListItem*>(a)->Caption;
    const auto& y = reinterpret_cast<gui::TListItem*>(b)->Caption;
    return x < y ? 1 : (y < x ? -1 : 0);
  };
  SendMessageA(list->Handle(), LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(descending));
  expectControlsOrder("a sort sent to the window");
  SendMessageA(list->Handle(), LVM_DELETEITEM, 0, 0);
  expectControlsOrder("a deletion sent to the window");
  list->Clear();
  expectControlsOrder("emptied");
}

TEST_F(SortableList, ResortNeedsSortingOnAndAColumnThatExists) {
  AddRows({{"b"}, {"a"}});
  list->SetLastColumnClicked(7);
  list->SetAutoColumnSort(acsSort);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"b", "a"}));
  list->SetLastColumnClicked(0);
  list->SetAutoColumnSort(acsNoSort);
  list->Resort();
  EXPECT_EQ(Column(0), (std::vector<std::string>{"b", "a"}));
  list->SetAutoColumnSort(acsSort);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"a", "b"}));
}

TEST_F(SortableList, SortHandlerDecidesOrAsksForAComparison) {
  AddRows({{"x", "10"}, {"y", "9"}, {"z", "100"}});
  std::vector<std::pair<int, bool>> begun, finished;
  list->OnSortBegin = [&](TCustomEnhListView*, int column, bool ascending) {
    begun.emplace_back(column, ascending);
  };
  list->OnSortFinished = [&](TCustomEnhListView*, int column, bool ascending) {
    finished.emplace_back(column, ascending);
  };
  int seenColumn = 99;
  list->OnSortItems = [&](TCustomEnhListView*, TListItem*, TListItem*, int column, TSortAs& as, int&) {
    seenColumn = column;
    as = saString;
  };
  list->DoSort(1, true);
  EXPECT_EQ(seenColumn, 0);  // the sub-item index
  EXPECT_EQ(Column(1), (std::vector<std::string>{"10", "100", "9"}));
  list->OnSortItems = [](TCustomEnhListView*, TListItem*, TListItem*, int, TSortAs& as, int&) {
    as = saNumeric;
  };
  list->DoSort(1, false);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"100", "10", "9"}));
  // Left at saNone, the handler's own result counts.
  list->OnSortItems = [](TCustomEnhListView*, TListItem* a, TListItem* b, int, TSortAs&, int& result) {
    result = b->Caption.compare(a->Caption);
  };
  list->DoSort(0, true);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"z", "y", "x"}));
  // With a handler, Resort sorts whatever the column sorting says.
  list->SetAutoColumnSort(acsNoSort);
  list->Resort();
  EXPECT_EQ(begun.size(), 4u);
  EXPECT_EQ(finished.size(), 4u);
  EXPECT_EQ(begun[0], std::make_pair(1, true));
  EXPECT_EQ(begun[1], std::make_pair(1, false));
}

TEST_F(SortableList, ComparisonFailuresMakeEqualPairsAndNestedSortsAreRefused) {
  AddRows({{"b"}, {"a"}, {"c"}});
  int calls = 0;
  list->OnSortItems = [&](TCustomEnhListView* sender, TListItem*, TListItem*, int, TSortAs&, int&) {
    ++calls;
    sender->DefaultSort(0, true);  // must not start a second sort
    throw std::runtime_error("handler failed");
  };
  list->DoSort(0, true);
  EXPECT_GT(calls, 0);
  EXPECT_EQ(list->Count(), 3);
  list->OnSortItems = nullptr;
  list->DoSort(0, true);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(SortableList, ListWithoutWindowOrRowsSortsWithoutEffect) {
  TdfsExtListView lonely(nullptr);
  lonely.AddColumn("c", 50);
  bool finished = false;
  lonely.OnSortFinished = [&](TCustomEnhListView*, int, bool) { finished = true; };
  lonely.DoSort(0, false);
  EXPECT_TRUE(finished);
  EXPECT_EQ(lonely.LastColumnClicked(), 0);
  list->DoSort(2, true);
  EXPECT_EQ(list->Count(), 0);
}

TEST_F(SortableList, LabelEditsTakeTheirPlaceAndCancelsAreReported) {
  AddRows({{"b"}, {"c"}, {"d"}});
  list->SetLastColumnClicked(0);
  list->SetAutoColumnSort(acsSort);
  TListItem* edited = list->Item(2);
  NMLVDISPINFOA info{};
  info.hdr.hwndFrom = list->Handle();
  info.hdr.idFrom = GetDlgCtrlID(list->Handle());
  info.hdr.code = LVN_ENDLABELEDITA;
  info.item.iItem = 2;
  char text[] = "a";
  info.item.pszText = text;
  SendMessageA(form->Handle(), WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(gui::Narrow(edited->Caption), "a");
  EXPECT_EQ(Column(0), (std::vector<std::string>{"a", "b", "c"}));
  TListItem* canceled = nullptr;
  list->OnEditCanceled = [&](TCustomEnhListView*, TListItem* item) { canceled = item; };
  info.item.iItem = 1;
  info.item.pszText = nullptr;
  SendMessageA(form->Handle(), WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(canceled, list->Item(1));
}

TEST(UserSortLocale, ReadsTheSystemValuesAgainWhenSettingsChange) {
  const SortLocale locale = UserSortLocale();
  char thousand[8] = {}, decimal[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousand, sizeof thousand);
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, sizeof decimal);
  EXPECT_EQ(locale.thousand_separator, thousand[0] ? thousand[0] : ',');
  EXPECT_EQ(locale.decimal_separator, decimal[0] ? decimal[0] : '.');
  SYSTEMTIME now{};
  GetLocalTime(&now);
  EXPECT_EQ(locale.current_year, now.wYear);
  const int reads = UserSortLocaleReads();
  SendMessageA(gui::Application().UtilityWindow(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl"));
  EXPECT_EQ(UserSortLocaleReads(), reads + 1);
  EXPECT_LT(CompareLocaleText(L"10", L"9"), 0);
  EXPECT_EQ(CompareLocaleText(L"abc", L"abc"), 0);
  EXPECT_NE(CompareLocaleText(L"Abc", L"abc"), 0);
}

}  // namespace
}  // namespace k32
