// The sortable list view: column sorting by the smart comparison, the owner-drawn header with its
// sort arrow, owner-drawn rows, incremental search and the hooks for saved settings.
#pragma once

#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/handles.h"
#include "gui/listview.h"
#include "gui/menus.h"
#include "listview/list_view_text.h"
#include "listview/lv_save_settings.h"
#include "listview/smart_compare.h"

namespace k32 {

using gui::TListItem;

enum TLVStyle : int { lvStandard = 0, lvOwnerDrawFixed = 1 };
enum TResizeMethod : int { rmFitText = 0, rmFitHeader = 1 };

// What a drawing handler draws on: the device context with the list's font selected and the brush
// colour of the background.
struct TCanvas {
  HDC Handle = nullptr;
  HFONT Font = nullptr;
  COLORREF BrushColor = 0;
  void FillRect(const RECT& rect) const;
};

class TCustomEnhListView;

using TLVSortItemsEvent = std::function<void(TCustomEnhListView* Sender, TListItem* Item1, TListItem* Item2,
                                             int SortColumn, TSortAs& SortAs, int& CompResult)>;
using TLVSortStatusEvent = std::function<void(TCustomEnhListView* Sender, int SortColumn, bool Ascending)>;
using TLVEditCanceledEvent = std::function<void(TCustomEnhListView* Sender, TListItem* Item)>;
using TLVMeasureItemEvent = std::function<void(TCustomEnhListView* Sender, UINT& Height)>;
using TLVDrawItemEvent = std::function<void(TCustomEnhListView* Sender, TCanvas& Canvas, int Index, RECT Rect,
                                            UINT State, bool& DefaultDrawing, bool& FullRowSelect)>;
using TLVDrawSubItemEvent = std::function<void(TCustomEnhListView* Sender, TCanvas& Canvas, int Index,
                                               int SubItem, RECT Rect, UINT State, bool& DefaultDrawing)>;
using TLVAfterDrawItemEvent =
    std::function<void(TCustomEnhListView* Sender, TCanvas& Canvas, int Index, RECT Rect, UINT State)>;
using TLVDrawHeaderEvent = std::function<void(TCustomEnhListView* Sender, TCanvas& Canvas, int Index,
                                              RECT& Rect, bool Selected, bool& DefaultDrawing)>;

// Posted to itself once loaded, so the header turns owner-drawn after everything else is in place.
inline constexpr UINT kOwnerDrawHeaderMessage = WM_USER + 143;

class TCustomEnhListView : public gui::TListView {
 public:
  explicit TCustomEnhListView(gui::TWinControl* parent);
  ~TCustomEnhListView() override;

  // A list configured by a layout: BeginLoading right after construction, Loaded once configured.
  void BeginLoading() { loading_ = true; }
  [[nodiscard]] bool Loading() const { return loading_; }
  virtual void Loaded();

  // --- Sorting -------------------------------------------------------------------------------
  [[nodiscard]] TAutoColumnSort AutoColumnSort() const { return autoColumnSort_; }
  void SetAutoColumnSort(TAutoColumnSort value);
  [[nodiscard]] TAutoSortStyle AutoSortStyle() const { return autoSortStyle_; }
  void SetAutoSortStyle(TAutoSortStyle value);
  [[nodiscard]] bool AutoResort() const { return autoResort_; }
  void SetAutoResort(bool value) { autoResort_ = value; }
  [[nodiscard]] bool AutoSortAscending() const { return autoSortAscending_; }
  void SetAutoSortAscending(bool value);
  [[nodiscard]] bool CurrentSortAscending() const { return currentSortAscending_; }
  void SetCurrentSortAscending(bool value);
  // The sort column as an index into the columns (not their place on screen); -1 for none.
  [[nodiscard]] int LastColumnClicked() const { return lastColumnClicked_; }
  void SetLastColumnClicked(int value);
  // While above 0, Resort only records that a sort is wanted.
  [[nodiscard]] int SortUpdateDepth() const { return updateDepth_; }
  [[nodiscard]] bool ResortPending() const { return resortPending_; }

  // A column whose cells read as numbers in a way of their own ("9,000 K"): its sort compares those
  // numbers. Without one, the smart comparison reads the cells.
  using TCellNumber = std::optional<long double> (*)(std::wstring_view text);
  void SetColumnNumber(int column, TCellNumber read);
  // A column whose first click sorts from the largest down.
  void SetColumnDescendingFirst(int column, bool value);

  virtual void DoSort(int column, bool ascending);
  // DoSort with the default comparison, whether or not OnSortItems is assigned.
  virtual void DefaultSort(int column, bool ascending);
  virtual void Resort();
  void BeginUpdate() override;
  void EndUpdate() override;

  TLVSortItemsEvent OnSortItems;
  // While set, a sort (a header click, Resort, the end of an update) asks the owner to put the rows
  // in order: its list keeps a shape of its own, such as a tree. Not asked again while it works.
  std::function<void(int column, bool ascending)> OnArrangeRows;
  // Ranks of the texts as a sort of this list by the column orders its cells; cells the sort does
  // not tell apart share a rank.
  [[nodiscard]] std::vector<int> CellRanks(int column, bool ascending,
                                           const std::vector<const std::wstring*>& texts) const;
  TLVSortStatusEvent OnSortBegin;
  TLVSortStatusEvent OnSortFinished;

  // --- Header ---------------------------------------------------------------------------------
  [[nodiscard]] bool ShowSortArrows() const { return showSortArrows_; }
  void SetShowSortArrows(bool value);
  [[nodiscard]] bool ReverseSortArrows() const { return reverseSortArrows_; }
  void SetReverseSortArrows(bool value);
  [[nodiscard]] bool NoColumnResize() const { return noColumnResize_; }
  void SetNoColumnResize(bool value) { noColumnResize_ = value; }
  [[nodiscard]] const TLVDrawHeaderEvent& OnDrawHeader() const { return onDrawHeader_; }
  virtual void SetOnDrawHeader(TLVDrawHeaderEvent handler);
  // The header window: the one captured from the control, else the control's own answer.
  HWND GetHeaderHandle();
  virtual void InvalidateColumnHeader(int index);
  virtual void SetColumnsOwnerDrawFlag(bool on);
  // Whether the header's items are drawn by the list (read from the header).
  [[nodiscard]] bool HeaderOwnerDrawn();
  // The arrow pictures (null until built, or when the font leaves no room for them).
  [[nodiscard]] HBITMAP SortArrowBitmap(bool ascending) const;
  void SetSmallImages(HIMAGELIST images);

  // The menu of the columns: a check item per column, in the order they show, each showing or hiding
  // its column when chosen; the first column cannot be hidden. A right click on the header opens it.
  void FillColumnMenu(gui::TPopupMenu& menu);

  // Display position of a column and column at a display position; none (-1) past the columns.
  virtual int ActualColumnIndex(int column);
  virtual int GetActualColumn(int position);

  // --- Rows drawn by the list --------------------------------------------------------------------
  [[nodiscard]] TLVStyle Style() const { return style_; }
  void SetStyle(TLVStyle value);
  TLVMeasureItemEvent OnMeasureItem;
  TLVDrawItemEvent OnDrawItem;
  TLVDrawSubItemEvent OnDrawSubItem;
  TLVAfterDrawItemEvent OnAfterDefaultDrawItem;
  TLVEditCanceledEvent OnEditCanceled;

  // --- Searching and helpers ---------------------------------------------------------------------
  bool ColumnSearch = false;
  // Selects the first row after the selected one (wrapping) whose text in the column begins with /
  // contains the text, without regard to case; false when none does.
  virtual bool StringSelect(const std::string& text, int column);
  virtual bool SubStringSelect(const std::string& text, int column);
  virtual void ResizeColumns(TResizeMethod method);
  virtual void MoveItem(int from, int to);

  [[nodiscard]] std::string Version() const { return GetVersion(); }

  // --- Saved settings ---------------------------------------------------------------------------
  [[nodiscard]] TdfsEnhLVSaveSettings& SaveSettings() const { return *saveSettings_; }
  // With AutoSave, once loaded: WriteSettings. Called when the window is destroyed.
  virtual void StoreSettings();
  virtual bool WriteSettings();
  // With AutoSave: ReadSettings. Called once the list is loaded; false when nothing was read.
  virtual bool LoadSettings();
  virtual bool ReadSettings();

 protected:
  void CreateParams(gui::TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool NotifyReflected(NMHDR* header, LRESULT* result) override;
  bool DrawItemReflected(DRAWITEMSTRUCT* item) override;
  bool MeasureItemReflected(MEASUREITEMSTRUCT* item) override;

  void ColClick(int column) override;
  void ItemInserted(TListItem* item) override;

  virtual void SortBegin(int column, bool ascending);
  virtual void SortFinished(int column, bool ascending);
  virtual void SortItems(TListItem* item1, TListItem* item2, int sortColumn, int& compResult);
  virtual std::string GetVersion() const { return "TdfsEnhListView v3.71"; }
  virtual void EditCanceled(TListItem* item);
  // A row has been inserted; an accepted label edit: each re-sorts while AutoResort is on.
  virtual void InsertItem(TListItem* item);
  virtual void Edit(TListItem* item, const std::wstring& text);

  // Header drawing.
  virtual void ProcessDrawHeaderMsg(TCanvas& canvas, int index, const RECT& rect, bool selected);
  virtual bool DrawHeader(TCanvas& canvas, int index, RECT& rect, bool selected);
  virtual void DefaultDrawHeader(TCanvas& canvas, int index, const RECT& rect, bool selected);
  // The default drawing with a column image of the small-image list (none for -1).
  void PaintHeaderItem(TCanvas& canvas, int index, const RECT& rect, bool selected, int imageIndex,
                       bool imageLeft);
  virtual void CreateSortBmps(gui::BitmapHandle& ascending, gui::BitmapHandle& descending);
  // The header's resize lock at a point of its client area.
  virtual bool ColumnResizeLocked(POINT headerPoint);
  // Whether the user may resize the header item (a per-column lock); true here.
  virtual bool ColumnResizeAllowed(int) { return true; }
  // Column images follow the header's formats; nothing to do here.
  virtual void UpdateColumnImage(int) {}
  virtual void UpdateColumnImages() {}
  // Header notifications before the control sees them; true when answered.
  virtual bool HeaderNotify(NMHEADERA* header, LRESULT* result);

  // Rows drawn by the list.
  virtual void MeasureItem(UINT& height);
  virtual void ProcessDrawItemMsg(DRAWITEMSTRUCT* item);
  virtual void DrawItem(TCanvas& canvas, int index, RECT rect, UINT state, bool& defaultDrawing,
                        bool& fullRowSelect);
  virtual void DefaultDrawItem(TCanvas& canvas, int index, RECT rect, UINT state, bool fullRowSelect);
  virtual void DrawSubItem(TCanvas& canvas, int index, int subItem, RECT rect, UINT state,
                           bool& defaultDrawing);
  virtual void DefaultDrawSubItem(TCanvas& canvas, int index, int subItem, RECT rect, UINT state);
  virtual void AfterDrawItem(TCanvas& canvas, int index, RECT rect, UINT state);
  virtual std::wstring GetSubItemText(int index, int subItem);

  // The key the control gets for a key the user pressed (column-resize keys locked).
  virtual WPARAM TranslateKey(WPARAM key);
  bool HandleSearchKey(char key);

  [[nodiscard]] bool CreatingWindow() const { return creatingWindow_; }
  [[nodiscard]] HWND CapturedHeader() const { return header_; }
  void ReleaseHeader();
  void SetLastColumnClickedQuietly(int value) { lastColumnClicked_ = value; }
  // A derived list keeps more: it hands in its own settings object.
  void SetSaveSettings(std::unique_ptr<TdfsEnhLVSaveSettings> settings) {
    saveSettings_ = std::move(settings);
  }
  void SetUpdateDepth(int depth) { updateDepth_ = depth; }

 private:
  friend struct SortRun;
  static LRESULT CALLBACK HeaderProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void CaptureHeader(HWND header);
  LRESULT HeaderWndProc(UINT message, WPARAM wparam, LPARAM lparam);
  void SortWith(int column, bool ascending, bool useHandler);
  bool arranging_ = false;
  [[nodiscard]] WideSortKey SortKeyOf(int column, const std::wstring& text, const SortLocale& locale) const;
  void DrawHeaderItem(DRAWITEMSTRUCT* item);
  void UpdateOwnerDrawFlagAfterNotify();
  void BuildSortArrows();
  void RecomputeRowHeight();
  void SystemColorsChanged();
  bool SelectMatching(const std::string& text, int column, bool prefix);

  // Sort state.
  TAutoColumnSort autoColumnSort_ = acsNoSort;
  TAutoSortStyle autoSortStyle_ = assSmart;
  std::vector<TCellNumber> columnNumbers_;  // by column index; null: the smart comparison's reading
  std::vector<bool> descendingFirst_;
  bool autoResort_ = true;
  bool autoSortAscending_ = true;
  bool currentSortAscending_ = true;
  int lastColumnClicked_ = -1;
  int updateDepth_ = 1;
  bool resortPending_ = false;

  // Header.
  bool showSortArrows_ = false;
  bool reverseSortArrows_ = false;
  bool noColumnResize_ = false;
  TLVDrawHeaderEvent onDrawHeader_;
  gui::BitmapHandle ascendingArrow_;
  gui::BitmapHandle descendingArrow_;
  HWND header_ = nullptr;
  WNDPROC headerPrevious_ = nullptr;

  // Rows.
  TLVStyle style_ = lvStandard;
  TypeAheadText typed_;

  // The drawing surface: there while the header or the rows are drawn by the list.
  std::unique_ptr<TCanvas> canvas_;
  int systemChangeId_ = 0;
  bool loading_ = false;
  bool creatingWindow_ = false;
  bool windowMade_ = false;  // from the end of CreateWnd to the window's destruction
  std::unique_ptr<TdfsEnhLVSaveSettings> saveSettings_ = std::make_unique<TdfsEnhLVSaveSettings>();
};

// The list that publishes the enhanced view's properties; no window of the program uses it.
class TdfsEnhListView : public TCustomEnhListView {
 public:
  using TCustomEnhListView::TCustomEnhListView;
};

}  // namespace k32
