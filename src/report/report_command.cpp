// The report command: the report text from fresh snapshots while the busy window shows, then the
// report window.
#include "report/report_command.h"

#include <windows.h>

#include <memory>

#include "gui/wide_text.h"
#include "report/form_report.h"
#include "report/report_text.h"
#include "report/time_picture.h"

namespace k32 {

namespace {

constexpr DWORD kNameBuffer = 256;

// A name the system cannot give is written empty.
std::wstring UserName() {
  wchar_t name[kNameBuffer] = {};
  DWORD size = kNameBuffer;
  return GetUserNameW(name, &size) ? std::wstring(name) : std::wstring();
}

std::wstring ComputerName() {
  wchar_t name[kNameBuffer] = {};
  DWORD size = kNameBuffer;
  return GetComputerNameW(name, &size) ? std::wstring(name) : std::wstring();
}

std::string LocaleText(LCTYPE type) {
  char text[80] = {};
  return GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text) > 0 ? std::string(text) : std::string();
}

std::wstring ShortDateNow() {
  wchar_t text[128] = {};
  return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, std::size(text)) > 0
             ? std::wstring(text)
             : std::wstring();
}

// Hours, minutes and seconds whatever the locale's own time format leaves out.
std::wstring LongTimeNow() {
  TimeLocale locale;
  locale.twelveHour = LocaleText(LOCALE_ITIME) == "0";
  locale.leadingZero = LocaleText(LOCALE_ITLZERO) == "1";
  locale.separator = LocaleText(LOCALE_STIME);
  locale.markerFirst = LocaleText(LOCALE_ITIMEMARKPOSN) == "1";
  const std::wstring picture = gui::Wide(LongTimePicture(locale));
  wchar_t text[128] = {};
  return GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, picture.c_str(), text, std::size(text)) > 0
             ? std::wstring(text)
             : std::wstring();
}

ReportHeader ReadHeader() {
  ReportHeader header;
  header.userName = UserName();
  header.computerName = ComputerName();
  header.dateText = ShortDateNow();
  header.timeText = LongTimeNow();
  return header;
}

}  // namespace

void ShowReport(gui::TForm& owner, ISystemServices& services, const Settings& settings, TFormBusy& busy,
                std::wstring& reportText) {
  std::unique_ptr<TFormReport> report;
  {
    TBusyScope shown(busy);
    WriteReport(reportText, services, settings, ReadHeader());
    report = std::make_unique<TFormReport>(&owner);
    if (owner.FormStyle() == gui::TFormStyle::fsStayOnTop) report->SetFormStyle(gui::TFormStyle::fsStayOnTop);
    report->SetReport(reportText);
  }
  report->ShowModal();
}

}  // namespace k32
