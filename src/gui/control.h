// The window objects every control and form stands on: one virtual message handler per object,
// tied to its window at creation, with every exception handed to the application's error report.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/dpi_scale.h"

namespace k32::gui {

class TWinControl;
class TPopupMenu;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TMouseButton { mbLeft, mbRight, mbMiddle };
// Keys and buttons held during a mouse event: MK_SHIFT, MK_CONTROL and the like; 0 when none.
using TShiftState = unsigned;

// What a control needs from the window class when its window is made.
struct TCreateParams {
  std::string className;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD exStyle = 0;
  std::string caption;
};

class TControl {
 public:
  explicit TControl(TWinControl* parent);
  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  // The window, made on first use (its parent's first).
  HWND Handle();
  [[nodiscard]] bool HandleAllocated() const { return window_ != nullptr; }
  void HandleNeeded() { Handle(); }
  // Destroys and makes the window again, keeping what the object holds.
  void RecreateWnd();

  [[nodiscard]] TWinControl* Parent() const { return parent_; }
  static TControl* FromHandle(HWND window);
  // The procedure of every tied window, and the class procedure of the program's own windows: it
  // ties the object passed as creation data at WM_NCCREATE.
  static LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  std::string Name;
  std::string Hint;  // "short|long" or one text for both
  bool ShowHint = true;
  int Tag = 0;
  TPopupMenu* PopupMenu = nullptr;
  HCURSOR Cursor = nullptr;  // over the client area; null: the window class's

  [[nodiscard]] int Left() const { return left_; }
  [[nodiscard]] int Top() const { return top_; }
  [[nodiscard]] int Width() const { return width_; }
  [[nodiscard]] int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }

  // Bounds designed at 96 DPI: the control stands at them scaled to its form's DPI, now and after
  // every change of DPI (an aligned control takes only its height or width from them).
  struct TDesignBounds {
    int left, top, width, height;
  };
  void SetDesignBounds(int left, int top, int width, int height);
  [[nodiscard]] const std::optional<TDesignBounds>& DesignBounds() const { return design_; }
  // The user sized the control: from now on a change of DPI carries its pixels over.
  void ForgetDesignBounds() { design_.reset(); }
  // The DPI the control is laid out for: its form's.
  [[nodiscard]] virtual int Dpi() const;
  [[nodiscard]] int Scale(int designed) const { return ScaleToDpi(designed, Dpi()); }

  [[nodiscard]] TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  [[nodiscard]] bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  [[nodiscard]] bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  std::string Text();
  void SetText(const std::string& text);
  // The text as wide as the system holds it; whole only for a control with WideMessages.
  std::wstring WideText();
  void SetText(const std::wstring& text);

  void SetFocus();
  [[nodiscard]] bool Focused() const;

  // The font the control shows: its own, else its parent's.
  virtual HFONT Font() const;

  // The hint for a point in client coordinates (tool bars answer per button).
  virtual std::string HintAt(POINT) { return Hint; }

  // Notifications the parent received from this control, handed back to it.
  virtual bool NotifyReflected(NMHDR* header, LRESULT* result);
  virtual bool CommandReflected(WPARAM wparam, LRESULT* result);
  virtual bool DrawItemReflected(DRAWITEMSTRUCT* item);
  virtual bool MeasureItemReflected(MEASUREITEMSTRUCT* item);
  virtual bool ColorReflected(HDC dc, LRESULT* result);

 protected:
  virtual void CreateParams(TCreateParams& params) = 0;
  // The window a new window is made under: the parent's (forms answer their owner's).
  virtual HWND CreationParent();
  // After the window exists: apply what the object holds.
  virtual void CreateWnd() {}
  // Before the window goes: keep what the object must hold across re-creation.
  virtual void DestroyWnd() {}
  // The form's DPI changed from oldDpi: stand at the designed bounds again, take the new font.
  virtual void ChangeScale(int oldDpi);
  virtual LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT DefaultHandler(UINT message, WPARAM wparam, LPARAM lparam);
  virtual void ContextPopup(POINT screen);
  void DestroyHandle();

  // Text kept while there is no window (and across re-creation).
  std::string text_;

 private:
  friend class TWinControl;
  // Ties a system control to its object before the control's first message.
  static LRESULT CALLBACK CreationHook(int code, WPARAM wparam, LPARAM lparam);
  void Attach(HWND window);
  void Detach();
  void CreateHandle();

 protected:
  // Set before the window exists: the control is made as a Unicode window and takes its messages in
  // UTF-16, so that a text outside the code page reaches it whole, from this program or another.
  bool wideMessages_ = false;

 private:
  TWinControl* parent_;
  HWND window_ = nullptr;
  WNDPROC superProc_ = nullptr;  // the class procedure of a subclassed system control
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  std::optional<TDesignBounds> design_;
  struct TCarried {
    int size, dpi, scaled;
  };
  std::optional<TCarried> carried_;
  TAlign align_ = TAlign::alNone;
  bool visible_ = true;
  bool enabled_ = true;
  bool creating_ = false;
};

// A control that holds other controls and lays out the aligned ones.
class TWinControl : public TControl {
 public:
  using TControl::TControl;
  ~TWinControl() override;

  // Takes ownership of a child control made with this as its parent.
  template <typename T, typename... Args>
  T* Add(Args&&... args) {
    auto child = std::make_unique<T>(this, std::forward<Args>(args)...);
    T* raw = child.get();
    owned_.push_back(std::move(child));
    return raw;
  }

  [[nodiscard]] const std::vector<TControl*>& Controls() const { return controls_; }
  // Frees the owned controls now; a form calls it while the actions and menus they show still live.
  void DestroyControls();
  void AlignControls();
  HFONT Font() const override;
  void SetFont(HFONT font);  // not owned

 protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  void CreateWnd() override;
  // The controls inside are scaled too, then aligned again.
  void ChangeScale(int oldDpi) override;

 private:
  friend class TControl;
  void InsertControl(TControl* control) { controls_.push_back(control); }
  void RemoveControl(TControl* control);

  std::vector<TControl*> controls_;
  std::vector<std::unique_ptr<TControl>> owned_;
  HFONT font_ = nullptr;
};

// A plain container window (notebook pages and the like).
class TPanel : public TWinControl {
 public:
  using TWinControl::TWinControl;

 protected:
  void CreateParams(TCreateParams& params) override;
};

const char* OwnWindowClass();

// "short|long": the text before the bar, or the whole hint.
std::string ShortHint(const std::string& hint);
// The text after the first bar, or the whole hint.
std::string LongHint(const std::string& hint);

}  // namespace k32::gui
