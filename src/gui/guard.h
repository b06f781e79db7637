// The one boundary between the program's code and the system's frames: every window procedure, the
// loop's shortcut keys, every callback the system makes (enumeration, list sort, rich-edit stream)
// and every destructor that does work runs its body through Guarded.
#pragma once

#include <type_traits>
#include <utility>

namespace k32::gui {

// Hands the exception being handled to the application's general error report, which shows it
// later from the message loop. Never raises.
void ReportCaughtLater() noexcept;

// Runs the body and answers what it answers. Whatever it raises is caught here and reported later,
// never inside the failing handler, so no handler runs nested in another's failure; the answer is
// then the fallback (a value-initialised result when none is given).
template <typename Body, typename... Fallback>
auto Guarded(Body&& body, Fallback&&... fallback) noexcept -> std::invoke_result_t<Body&> {
  using Result = std::invoke_result_t<Body&>;
  try {
    return body();
  } catch (...) {
    ReportCaughtLater();
  }
  if constexpr (!std::is_void_v<Result>) return Result(std::forward<Fallback>(fallback)...);
}

}  // namespace k32::gui
