#include "process/form_find_module.h"

#include <windows.h>

#include "common/text.h"
#include "gui/layout.h"

namespace k32 {

namespace {

// A slice of the search runs this long before the messages that waited meanwhile are handled.
constexpr DWORD kSliceMilliseconds = 40;

// The results list: a double click on a row, or Enter, chooses it.
class TResultList : public gui::TListView {
 public:
  using TListView::TListView;
  std::function<void()> OnChoose;

 protected:
  bool NotifyReflected(NMHDR* header, LRESULT* result) override {
    if ((header->code == NM_DBLCLK || header->code == NM_RETURN) && OnChoose) OnChoose();
    return TListView::NotifyReflected(header, result);
  }
  LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override {
    // Enter is the list's own, not the dialog's default button (which searches).
    if (message == WM_GETDLGCODE) {
      const auto* msg = reinterpret_cast<const MSG*>(lparam);
      const LRESULT code = TListView::WndProc(message, wparam, lparam);
      return msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN ? code | DLGC_WANTMESSAGE : code;
    }
    return TListView::WndProc(message, wparam, lparam);
  }
};

using gui::TControlKind;

const gui::TLayoutRow kLayout[] = {
    {TControlKind::ckPanel, nullptr, "pnTop", nullptr, 0, 0, 600, 36, 0, 0, 0, gui::TAlign::alTop},
    {TControlKind::ckLabel, "pnTop", nullptr, "模块名称或路径(&N):", 8, 12, 0, 0},
    {TControlKind::ckEdit, "pnTop", "edText", nullptr, 132, 8, 360, 21},
    {TControlKind::ckButton, "pnTop", "btnFind", "查找", 504, 7, 84, 23, 0, gui::loDefault},
    {TControlKind::ckPanel, nullptr, "pnBottom", nullptr, 0, 330, 600, 22, 2, 0, 0, gui::TAlign::alBottom},
    {TControlKind::ckLabel, "pnBottom", "lblStatus", "", 8, 4, 584, 14, 0, gui::loFixedSize},
    {TControlKind::ckCustom, nullptr, "lvResults", nullptr, 0, 36, 600, 294, 1, 0, 0, gui::TAlign::alClient},
};

// The path takes what the others leave of the window's width, beside a vertical scroll bar.
constexpr int kClientWidth = 600, kListFrame = 4, kScrollBar = 17;
constexpr int kPathWidth = kClientWidth - kListFrame - kScrollBar - (100 + 50 + 110 + kAddressColumnWidth);
const struct {
  const char* caption;
  int width;
} kColumns[] = {{"进程", 100}, {"PID", 50}, {"模块名称", 110}, {"路径", kPathWidth}, {"句柄 (定位)", kAddressColumnWidth}};

}  // namespace

TFormFindModule::TFormFindModule(gui::TForm* owner, ISystemServices& services)
    : gui::TForm(owner), services_(services) {
  SetCaption("查找模块");
  Position = gui::TPosition::poOwnerFormCenter;
  SetClientSize(kClientWidth, 352);

  TResultList* results = nullptr;
  const gui::TLayout layout(*this, kLayout, [&](gui::TWinControl& parent, const gui::TLayoutRow&) {
    results = parent.Add<TResultList>();
    return results;
  });
  edText = layout.Get<gui::TEdit>("edText");
  btnFind = layout.Get<gui::TButton>("btnFind");
  lblStatus = layout.Get<gui::TLabel>("lblStatus");
  lvResults = results;
  results->OnChoose = [this] { ChooseSelected(); };
  lvResults->HideSelection = false;
  lvResults->SetViewStyle(gui::vsReport);
  for (const auto& column : kColumns) lvResults->AddColumn(column.caption, lvResults->Scale(column.width));
  // There is nothing to search for without a text (every module of every process would do).
  btnFind->OnClick = [this] { Search(); };
  btnFind->SetEnabled(false);
  edText->OnChange = [this] { btnFind->SetEnabled(!edText->WideText().empty()); };
  DefaultButton = btnFind;
  ActiveControl = edText;

  timer_.SetEnabled(false);
  timer_.SetInterval(1);
  timer_.OnTimer = [this] { SearchSlice(); };
}

TFormFindModule::~TFormFindModule() { timer_.SetEnabled(false); }

void TFormFindModule::Search() {
  if (edText->WideText().empty()) return;
  Stop();
  lvResults->Clear();
  found_ = 0;
  search_.emplace(edText->WideText(), services_.ProcessSnapshot());
  ShowStatus();
  timer_.SetEnabled(true);
}

void TFormFindModule::Stop() {
  timer_.SetEnabled(false);
  if (!search_) return;
  ShowStatus();
  search_.reset();
}

void TFormFindModule::SearchSlice() {
  if (!search_) return;
  const DWORD start = GetTickCount();
  while (search_->Step(services_, 1) && GetTickCount() - start < kSliceMilliseconds) {
  }
  const std::vector<ModuleHit> hits = search_->TakeHits();
  if (!hits.empty()) {
    lvResults->BeginUpdate();
    for (const ModuleHit& hit : hits) {
      ListRow row = ModuleHitRow(hit);
      lvResults->AddItem(std::move(row.caption), std::move(row.subItems));
    }
    lvResults->EndUpdate();
    found_ += hits.size();
  }
  ShowStatus();
  if (search_->Done()) {
    timer_.SetEnabled(false);
    search_.reset();
  }
}

void TFormFindModule::ShowStatus() {
  if (search_) lblStatus->SetText(ModuleSearchStatus(*search_, found_));
}

bool TFormFindModule::ChooseSelected() {
  const gui::TListItem* row = lvResults->Selected();
  if (!row) return false;
  if (OnChoose) OnChoose(ParseDecimalModulo32(row->Text(kHitPidColumn)), row->Text(kHitPathColumn));
  return true;
}

bool TFormFindModule::FormClose() {
  Stop();
  return true;
}

LRESULT TFormFindModule::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  // Esc stops a running search; otherwise it closes the window.
  if (message == WM_COMMAND && lparam == 0 && LOWORD(wparam) == IDCANCEL && HIWORD(wparam) == 0) {
    if (Searching())
      Stop();
    else
      Close();
    return 0;
  }
  return TForm::WndProc(message, wparam, lparam);
}

}  // namespace k32
