#include "listview/user_sort_locale.h"

#include <windows.h>

#include <climits>
#include <string>

#include "gui/application.h"
#include "gui/wide_text.h"

namespace k32 {

namespace {

std::string LocaleText(LCTYPE type) {
  char buffer[96] = {};
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  return length > 1 ? std::string(buffer, static_cast<std::size_t>(length - 1)) : std::string();
}

struct LocaleState {
  SortLocale locale;
  int reads = 0;

  LocaleState() {
    Read();
    gui::Application().AddSystemChangeHandler([this](UINT message) {
      if (message == WM_SETTINGCHANGE) Read();
    });
  }
  void Read() {
    locale = MakeSortLocale(LocaleText(LOCALE_STHOUSAND), LocaleText(LOCALE_SDECIMAL),
                            LocaleText(LOCALE_SDATE), LocaleText(LOCALE_STIME), LocaleText(LOCALE_SSHORTDATE),
                            LocaleText(LOCALE_S1159), LocaleText(LOCALE_S2359), 0);
    locale.narrow = &gui::Narrow;
    ++reads;
  }
};

LocaleState& State() {
  static LocaleState state;
  return state;
}

}  // namespace

SortLocale UserSortLocale() {
  SortLocale locale = State().locale;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  locale.current_year = now.wYear;
  return locale;
}

void ReloadUserSortLocale() { State().Read(); }

int UserSortLocaleReads() { return State().reads; }

int CompareLocaleText(std::wstring_view a, std::wstring_view b) {
  if (a.size() > INT_MAX || b.size() > INT_MAX) return 0;
  const int result = CompareStringW(LOCALE_USER_DEFAULT, 0, a.data(), static_cast<int>(a.size()), b.data(),
                                    static_cast<int>(b.size()));
  return result == 0 ? 0 : result - CSTR_EQUAL;
}

bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view part) {
  if (part.size() > text.size() || part.size() > INT_MAX) return false;
  const int length = static_cast<int>(part.size());
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.data(), length, part.data(), length) ==
         CSTR_EQUAL;
}

bool ContainsIgnoringCase(std::wstring_view text, std::wstring_view part) {
  for (std::size_t at = 0; at + part.size() <= text.size();) {
    if (StartsWithIgnoringCase(text.substr(at), part)) return true;
    at += IS_HIGH_SURROGATE(text[at]) ? 2 : 1;  // whole characters only
  }
  return false;
}

}  // namespace k32
