// Image lists, the timer, the status bar, the two-page container and the splitter.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "gui/component.h"
#include "gui/control.h"
#include "gui/handles.h"

namespace k32::gui {

// An icon picture of its own: copies are new handles, so each holder frees what it holds.
class TIcon {
 public:
  TIcon() = default;
  explicit TIcon(HICON adopted) : icon_(adopted) {}
  [[nodiscard]] HICON Handle() const { return icon_.Get(); }
  [[nodiscard]] bool Empty() const { return !icon_.Valid(); }
  // Takes a copy of the other's picture (empty when it is empty).
  void Assign(const TIcon& other);
  // A picture of the program's resources at the given size; empty when there is none.
  void LoadResource(const char* name, int size = 16);

 private:
  IconHandle icon_;
};

class TImageList : public TComponent {
 public:
  TImageList(int width = 16, int height = 16);
  // Adds the images of a bitmap resource strip, magenta being transparent. The strip drawn for
  // another size than 16 pixels is named with the size after an underscore (NAME_24).
  void AddMaskedResource(const char* resourceName, COLORREF mask = RGB(255, 0, 255));
  // Adds count pictures drawn at the list's size, then again at each new size: draw paints picture
  // index on a square of size pixels at the origin, over magenta, which stays transparent.
  using TDrawPicture = std::function<void(HDC dc, int size, int index)>;
  void AddDrawn(int count, TDrawPicture draw);
  // Square pictures of another size: the strips are loaded again in that size, into the same list.
  void SetSize(int size);
  [[nodiscard]] int Size() const;
  [[nodiscard]] HIMAGELIST Handle() const { return list_.Get(); }
  [[nodiscard]] int Count() const { return ImageList_GetImageCount(list_.Get()); }
  // Image n as a new icon the caller frees; empty when there is no such image.
  [[nodiscard]] TIcon GetIcon(int index) const;

 private:
  struct TStrip {
    std::string name;  // of the resource; none for drawn pictures
    COLORREF mask;
    int count = 0;
    TDrawPicture draw;
  };
  void LoadStrip(const TStrip& strip);
  ImageListHandle list_;
  std::vector<TStrip> strips_;
};

// Ticks through the message queue; an interval of 0 never ticks.
class TTimer {
 public:
  TTimer();
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  [[nodiscard]] UINT Interval() const { return interval_; }
  void SetInterval(UINT milliseconds);
  [[nodiscard]] bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  [[nodiscard]] bool Running() const { return running_; }
  std::function<void()> OnTimer;

 private:
  void Update();
  UINT_PTR id_;
  UINT interval_ = 1000;
  bool enabled_ = true;
  bool running_ = false;
};

class TStatusBar : public TControl {
 public:
  // Widths at 96 DPI from left to right; the panel of width kFill takes what the others leave, and
  // those after it stand at the right end. Without one, the last panel takes the rest.
  static constexpr int kFill = -1;
  TStatusBar(TWinControl* parent, std::vector<int> panelWidths);
  void SetPanelText(int panel, const std::string& text);
  [[nodiscard]] std::string PanelText(int panel);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void ChangeScale(int oldDpi) override;
  LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void ApplyParts();
  std::vector<int> widths_;
  std::vector<std::string> texts_;
};

// Pages without tabs: one shown at a time, each filling the container.
class TNotebook : public TWinControl {
 public:
  explicit TNotebook(TWinControl* parent);
  TPanel* AddPage(const std::string& caption);
  [[nodiscard]] int PageIndex() const { return pageIndex_; }
  void SetPageIndex(int index);
  [[nodiscard]] TPanel* Page(int index) const { return pages_.at(static_cast<std::size_t>(index)); }
  [[nodiscard]] int PageCount() const { return static_cast<int>(pages_.size()); }

 private:
  std::vector<TPanel*> pages_;
  int pageIndex_ = 0;
};

// Drags the edge of the aligned control before it; shows a line while dragging.
class TSplitter : public TControl {
 public:
  TSplitter(TWinControl* parent, int thickness);
  int MinSize = 1;

 protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  TControl* Sized() const;
  void DrawLine();
  int ClampedPosition(int y) const;

  bool dragging_ = false;
  int startY_ = 0, lineY_ = 0, startHeight_ = 0, grabY_ = 0;
};

}  // namespace k32::gui
