// The report-style list view of the class library. Rows are objects the view owns, holding texts;
// the control asks for them when it draws, so filling and sorting never copy strings into it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/control.h"
#include "gui/row_order.h"

namespace k32::gui {

class TListView;

// How a row differs from the previous update of its list; a marked row is drawn on its own colour.
enum class TRowMark : unsigned char { rmNone, rmNew, rmGone };

// Where a row stands in a tree: steps of indent, its picture from the state images (0: none), and
// grey text for a row shown only for what lies below it.
struct TRowLook {
  int Indent = 0;
  int StateImage = 0;
  bool Dimmed = false;
  bool operator==(const TRowLook&) const = default;
};

// Texts are wide: a row shows names as the system holds them.
class TListItem {
 public:
  std::wstring Caption;
  std::vector<std::wstring> SubItems;
  int ImageIndex = -1;
  void* Data = nullptr;
  // What tells the row from every other where its texts cannot; the list's owner gives it.
  std::wstring Key;
  TRowMark Mark = TRowMark::rmNone;
  TRowLook Look;

  [[nodiscard]] TListView* Owner() const { return owner_; }
  // Position in the view as shown, -1 when it is not in the view.
  [[nodiscard]] int Index() const;
  [[nodiscard]] bool Selected() const;
  void SetSelected(bool selected);
  // Column 0 is the caption, column n the sub-item n - 1 (empty when there is none).
  [[nodiscard]] const std::wstring& Text(int column) const;

 private:
  friend class TListView;
  TListView* owner_ = nullptr;
  std::size_t slot_ = 0;  // place among the view's owned rows
};

enum TViewStyle : int { vsIcon = 0, vsSmallIcon = 1, vsList = 2, vsReport = 3 };

struct TListColumn {
  std::string Caption;
  int Width = 50;
  int Alignment = LVCFMT_LEFT;
  // A hidden column keeps its place and its width (for when it is shown again) at no width on screen.
  bool Visible = true;
  // The width the user left and the DPI it was left at: every change of DPI scales from there, so
  // that going back and forth never drifts. Scaled: the width the last change gave.
  int OriginWidth = 0, OriginDpi = 0, Scaled = -1;
};

class TListView : public TControl {
 public:
  explicit TListView(TWinControl* parent);
  ~TListView() override;

  // Design of the view: set before the window exists or applied at once.
  bool ReadOnly = true;
  bool HideSelection = true;  // false: the selection stays drawn when the view loses focus
  HIMAGELIST SmallImages = nullptr;
  // Pictures before the rows' own, chosen by each row's StateImage (a list the caller keeps).
  [[nodiscard]] HIMAGELIST StateImages() const { return stateImages_; }
  void SetStateImages(HIMAGELIST images);
  [[nodiscard]] TViewStyle ViewStyle() const { return viewStyle_; }
  void SetViewStyle(TViewStyle style);

  void AddColumn(const std::string& caption, int width, int alignment = LVCFMT_LEFT);
  [[nodiscard]] const std::vector<TListColumn>& Columns() const { return columns_; }
  [[nodiscard]] int ColumnCount() const { return static_cast<int>(columns_.size()); }
  // Column widths as the user left them (a hidden column's: the width it has when shown).
  int ColumnWidth(int column);
  void SetColumnWidth(int column, int width);
  [[nodiscard]] bool ColumnVisible(int column) const { return columns_.at(static_cast<std::size_t>(column)).Visible; }
  void SetColumnVisible(int column, bool visible);
  void SetColumnCaption(int column, const std::string& caption);

  // Appends a row and returns it.
  TListItem* AddItem(std::wstring caption, std::vector<std::wstring> subItems, int imageIndex = -1);
  // Puts a row in at the position (past the end appends) and returns it.
  TListItem* AddItemAt(int at, std::wstring caption, std::vector<std::wstring> subItems, int imageIndex = -1,
                       TRowLook look = {});
  // The row at index is drawn again from its item (texts, image, indent, state picture, mark).
  void UpdateItem(int index);
  void Clear();
  [[nodiscard]] int Count() const;
  [[nodiscard]] TListItem* Item(int index) const;
  [[nodiscard]] TListItem* Selected() const;
  [[nodiscard]] int SelectedIndex() const;
  // Selects and focuses the row at index (runs the selection handler); -1 clears the selection.
  void SelectIndex(int index);
  void DeleteItem(int index);
  void Sort(PFNLVCOMPARE compare, LPARAM context);

  // Redraw off while rows change; nested pairs draw once at the end.
  virtual void BeginUpdate();
  virtual void EndUpdate();
  [[nodiscard]] int UpdateDepth() const { return updateDepth_; }

  // Backgrounds of the marked rows.
  static constexpr COLORREF kNewRowColor = RGB(0xCC, 0xF2, 0xCC);
  static constexpr COLORREF kGoneRowColor = RGB(0xF8, 0xCC, 0xCC);

  std::function<void(TListItem* item, bool selected)> OnSelectItem;
  std::function<void(int column)> OnColumnClick;
  // A key pressed in the list: true when the handler took it, and the list does not see it.
  std::function<bool(WPARAM key)> OnKeyDown;
  // A click on a row's state picture.
  std::function<void(int index)> OnStateImageClick;

  [[nodiscard]] HWND HeaderHandle() const;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override {}
  // The columns keep the user's widths, carried over to the new DPI; the rows follow the images.
  void ChangeScale(int oldDpi) override;
  LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool NotifyReflected(NMHDR* header, LRESULT* result) override;
  // From the keyboard the menu opens by the focused row while it is in view.
  void ContextPopup(POINT screen) override;

  // Hooks for the enhanced views.
  virtual void ColClick(int column);
  virtual void DoSelectItem(TListItem* item, bool selected);
  virtual void ItemInserted(TListItem*) {}
  virtual DWORD ExtendedStyles() const;

  void InsertRow(TListItem* item, int at);
  // The columns as kept while there is no window (widths as of the window's last destruction).
  std::vector<TListColumn>& ColumnList() { return columns_; }
  std::vector<std::unique_ptr<TListItem>> items_;  // owned rows in no particular order

 private:
  void ForgetRow(TListItem* item);
  void KeepRows();
  LRESULT ReorderingMessage(UINT message, WPARAM wparam, LPARAM lparam);
  [[nodiscard]] bool LearnOrder() const;
  std::vector<TListColumn> columns_;
  std::vector<TListItem*> keptOrder_;  // rows in view order while the window is re-made
  int keptSelected_ = -1;
  int updateDepth_ = 0;
  // What the frame shows: its size, which scroll bars are shown, and the range, page and place of each.
  struct TFrame {
    int width = 0, height = 0;
    LONG_PTR style = 0;
    std::array<int, 4> bars[2] = {};
    bool operator==(const TFrame&) const = default;
  };
  static TFrame FrameOf(HWND window);
  TFrame framed_;  // as drawing went off
  // The rows' items in the control's order, while known (see ReorderingMessage).
  mutable RowOrder<TListItem> order_;
  int orderChanging_ = 0;
  bool orderNested_ = false;
  TViewStyle viewStyle_ = vsReport;
  HIMAGELIST stateImages_ = nullptr;
};

}  // namespace k32::gui
