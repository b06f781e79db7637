// A drawing surface tied to a device context for one drawing: the context's state comes back and the
// surface lets go of the context however the drawing ends.
#pragma once

#include "listview/enh_list_view.h"

namespace k32 {

class CanvasScope {
 public:
  CanvasScope(TCanvas& canvas, HDC dc) : canvas_(canvas), dc_(dc), saved_(SaveDC(dc)) { canvas_.Handle = dc; }
  ~CanvasScope() {
    canvas_.Handle = nullptr;
    RestoreDC(dc_, saved_);
  }
  CanvasScope(const CanvasScope&) = delete;
  CanvasScope& operator=(const CanvasScope&) = delete;

 private:
  TCanvas& canvas_;
  HDC dc_;
  int saved_;
};

}  // namespace k32
