// The extended list view: extended styles, the columns' display order kept across re-creation of
// the window, per-column formats and resize locks, info tips, virtual rows and check-box events.
// TdfsExtListView is the class of the main window's four lists.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gui/error.h"
#include "listview/enh_list_view.h"
#include "listview/ext_styles.h"

namespace k32 {

class EELVException : public gui::EGuiError {
 public:
  using gui::EGuiError::EGuiError;
};

class EELVOldComCtl : public EELVException {
 public:
  using EELVException::EELVException;
};

enum TColumnImageAlign : int { ciaLeftOfText = 0, ciaRightOfText = 1 };

class TCustomExtListView;
class TdfsExtListColumns;

// The format of one column, by its index in the columns.
class TdfsExtListColumn {
 public:
  explicit TdfsExtListColumn(TdfsExtListColumns* collection) : collection_(collection) {}
  [[nodiscard]] int Index() const;
  [[nodiscard]] int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  [[nodiscard]] TColumnImageAlign ImageAlignment() const { return imageAlignment_; }
  void SetImageAlignment(TColumnImageAlign value);
  [[nodiscard]] bool AllowResize() const { return allowResize_; }
  void SetAllowResize(bool value) { allowResize_ = value; }

 private:
  TdfsExtListColumns* collection_;
  int imageIndex_ = -1;
  TColumnImageAlign imageAlignment_ = ciaRightOfText;
  bool allowResize_ = true;
};

class TdfsExtListColumns {
 public:
  explicit TdfsExtListColumns(TCustomExtListView* owner) : owner_(owner) {}
  TdfsExtListColumn* Add();
  void Delete(int index);
  void Clear();
  [[nodiscard]] int Count() const { return static_cast<int>(items_.size()); }
  // The format of the column with this index; null when it has none.
  [[nodiscard]] TdfsExtListColumn* Items(int index) const;
  [[nodiscard]] TCustomExtListView* Owner() const { return owner_; }
  [[nodiscard]] int IndexOf(const TdfsExtListColumn* column) const;
  // A column's image changed: the header shows it.
  void Update(const TdfsExtListColumn* column);

 private:
  TCustomExtListView* owner_;
  std::vector<std::unique_ptr<TdfsExtListColumn>> items_;
};

using TLVItemCheckedEvent = std::function<void(TCustomExtListView* Sender, int Index)>;
using TLVMarqueeBeginEvent = std::function<void(TCustomExtListView* Sender, bool& CanBegin)>;
using TLVItemActivateEvent = std::function<void(TCustomExtListView* Sender, int Index, int SubItem)>;
using TLVHotTrackEvent =
    std::function<void(TCustomExtListView* Sender, int& Index, int SubItem, bool& CanSelect)>;
using TLVInfoTipEvent = std::function<void(TCustomExtListView* Sender, int Index, int SubItem,
                                           const std::string& Current, std::string& Additional)>;
// A row of a virtual list: what the mask asks for is filled in (LVIF_TEXT, LVIF_IMAGE, ...).
struct TVMItemInfo {
  int Item = 0;
  int SubItem = 0;
  UINT Mask = 0;
  std::string Text;
  int Image = -1;
  int Indent = 0;
  UINT State = 0;
  UINT StateMask = 0;
};
using TLVVMGetItemInfoEvent = std::function<void(TCustomExtListView* Sender, TVMItemInfo& Info)>;
using TLVVMCacheHintEvent = std::function<void(TCustomExtListView* Sender, int From, int To)>;
using TLVVMFindItemEvent = std::function<void(TCustomExtListView* Sender, const std::string& Text, int Start,
                                              bool Partial, bool Wrap, int& Found)>;
using TLVVMStateChangedEvent =
    std::function<void(TCustomExtListView* Sender, int From, int To, UINT OldState, UINT NewState)>;
using TLVVMCaptionEditedEvent =
    std::function<void(TCustomExtListView* Sender, int Item, bool Canceled, const std::string& Text)>;

// Whether a file's version resource says major.minor.release.build or newer; false when it cannot
// be read.
bool FileVersionAtLeast(const char* file, WORD major, WORD minor, WORD release, WORD build);

class TCustomExtListView : public TCustomEnhListView {
 public:
  explicit TCustomExtListView(gui::TWinControl* parent);
  ~TCustomExtListView() override;
  void Loaded() override;

  // --- Extended styles -------------------------------------------------------------------------
  TLVExtendedStyles GetExtendedStyles();
  void SetExtendedStyles(TLVExtendedStyles styles);

  // --- Saved settings: the enhanced list's, and the display order ----------------------------------
  [[nodiscard]] TdfsExtLVSaveSettings& SaveSettings() const {
    return static_cast<TdfsExtLVSaveSettings&>(TCustomEnhListView::SaveSettings());
  }
  bool WriteSettings() override;
  bool ReadSettings() override;

  // --- Display order of the columns -----------------------------------------------------------
  // count entries of column indices from left to right; false when there is no order to give.
  bool GetColumnOrder(int count, int* order);
  void SetColumnOrder(int count, const int* order);
  // The same for all columns at once (empty when there is none).
  std::vector<int> GetColumnOrder();
  void SetColumnOrder(const std::vector<int>& order);
  int ActualColumnIndex(int column) override;
  int GetActualColumn(int position) override;

  // --- Formats and locks ----------------------------------------------------------------------
  [[nodiscard]] TdfsExtListColumns& ColumnsFormat() { return columnsFormat_; }
  // Shows a column's image in its header item (the owner-drawn header draws it itself).
  void UpdateColumnImage(int index) override;
  void UpdateColumnImages() override;

  // --- Common controls --------------------------------------------------------------------------
  [[nodiscard]] bool RequireComCtlUpdate() const { return requireComCtlUpdate_; }
  void SetRequireComCtlUpdate(bool value);
  static bool CheckComCtlVersion(WORD major, WORD minor, WORD release, WORD build);

  // --- Virtual rows ---------------------------------------------------------------------------
  [[nodiscard]] bool VirtualMode() const { return virtualMode_; }
  void SetVirtualMode(bool value);
  // The number of rows a virtual list shows.
  void SetVirtualItemCount(int count);
  [[nodiscard]] int VirtualItemCount() const { return virtualCount_; }

  // --- Control state and helpers ----------------------------------------------------------------
  int HoverTime();
  void SetHoverTime(int milliseconds);
  int SelectionMark();
  void SetSelectionMark(int index);
  [[nodiscard]] bool Checked(int index);
  void SetChecked(int index, bool checked);
  RECT GetSubItemRect(int index, int subItem, int part = LVIR_BOUNDS);
  // The row and sub-item at a point of the client area; -1 for none.
  int GetSubItemAt(POINT point, int* subItem);
  int HotItem();
  void SetHotItem(int index);
  HCURSOR HotCursor();
  void SetHotCursor(HCURSOR cursor);
  RECT WorkArea();
  void SetWorkArea(const RECT& area);
  int ItemIndent(int index);
  void SetItemIndent(int index, int indent);

  TLVItemCheckedEvent OnItemChecked;
  TLVMarqueeBeginEvent OnMarqueeBegin;
  TLVItemActivateEvent OnItemActivate;
  TLVHotTrackEvent OnHotTrack;
  TLVInfoTipEvent OnInfoTip;
  TLVVMGetItemInfoEvent OnVMGetItemInfo;
  TLVVMCacheHintEvent OnVMCacheHint;
  TLVVMFindItemEvent OnVMFindItem;
  TLVVMStateChangedEvent OnVMStateChanged;
  TLVVMCaptionEditedEvent OnVMCaptionEdited;

 protected:
  void CreateParams(gui::TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool NotifyReflected(NMHDR* header, LRESULT* result) override;
  DWORD ExtendedStyles() const override;
  std::string GetVersion() const override { return "TdfsExtListView v3.71"; }
  void DefaultDrawHeader(TCanvas& canvas, int index, const RECT& rect, bool selected) override;
  bool ColumnResizeAllowed(int index) override;
  std::wstring GetSubItemText(int index, int subItem) override;

  virtual void ItemChecked(int index);
  virtual bool MarqueeBegin();
  virtual void ItemActivate(const NMITEMACTIVATE& activate);
  virtual bool HotTrack(NMLISTVIEW& track);
  virtual void GetInfoTip(NMLVGETINFOTIPA& tip);
  // The row's caption as the system holds it, for a list without a tip handler.
  void GetWideInfoTip(NMLVGETINFOTIPW& tip);
  virtual void VMGetDispInfo(LVITEMA& item);
  virtual void VMCacheHint(const NMLVCACHEHINT& hint);
  virtual int VMFindItem(const NMLVFINDITEMA& find);
  virtual void VMStateChanged(const NMLVODSTATECHANGE& change);

 private:
  void AdjustCallbackMask();
  // After each tip the list goes to the bottom of its siblings (not moved, sized, drawn or activated).
  void SinkBelowSiblings();
  void SaveRowStates();
  void RestoreRowStates();
  // The column index's image when the list shows one for it; -1 otherwise.
  int ColumnImage(int index, bool* left);
  bool VirtualNotify(NMHDR* header, LRESULT* result);

  TLVExtendedStyles styles_{lvxInfoTip};
  std::vector<int> order_;  // copy of the display order; empty: none
  TdfsExtListColumns columnsFormat_{this};
  bool requireComCtlUpdate_ = false;
  bool virtualMode_ = false;
  int virtualCount_ = -1;
  int selectionMark_ = -1;
  int hoverTime_ = -1;
  std::vector<std::uint8_t> savedRowStates_;  // check states and sub-item images while re-made
  bool haveSavedRowStates_ = false;
};

// The class of the main window's lists.
class TdfsExtListView : public TCustomExtListView {
 public:
  using TCustomExtListView::TCustomExtListView;
  ~TdfsExtListView() override { DestroyHandle(); }
};

}  // namespace k32
