#include "gui/layout.h"

#include <algorithm>
#include <cstring>

#include "gui/richedit.h"
#include "gui/stdctrls.h"

namespace k32::gui {

namespace {
std::string NameOf(const char* name) { return name ? name : ""; }
// Null (the form) matches only null.
bool SameName(const char* a, const char* b) { return a && b ? std::strcmp(a, b) == 0 : a == b; }
}  // namespace

TLayout::TLayout(TWinControl& form, std::span<const TLayoutRow> rows, const TMakeControl& makeCustom)
    : rows_(rows), makeCustom_(makeCustom), controls_(rows.size(), nullptr) {
  for (std::size_t i = 0; i < rows.size(); ++i)
    for (std::size_t j = 0; j < i; ++j)
      if (rows[i].name && SameName(rows[i].name, rows[j].name))
        throw std::logic_error("The layout names " + NameOf(rows[i].name) + " twice");
  Build(form, nullptr);
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (!controls_[i])
      throw std::logic_error("The layout has no parent " + NameOf(rows[i].parent) + " for " +
                             NameOf(rows[i].name));
}

TControl* TLayout::Find(const std::string& name) const {
  for (std::size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].name && rows_[i].name == name) return controls_[i];
  return nullptr;
}

// Creation order is the tab order: each parent's rows are made in theirs, before their own children.
void TLayout::Build(TWinControl& parent, const char* parentName) {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (SameName(rows_[i].parent, parentName)) order.push_back(i);
  }
  std::stable_sort(order.begin(), order.end(),
                   [this](std::size_t a, std::size_t b) { return rows_[a].tabOrder < rows_[b].tabOrder; });
  for (std::size_t i : order) {
    controls_[i] = Make(parent, rows_[i]);
    if (auto* holder = dynamic_cast<TWinControl*>(controls_[i]); holder && rows_[i].name)
      Build(*holder, rows_[i].name);
  }
}

TControl* TLayout::Make(TWinControl& parent, const TLayoutRow& row) {
  const std::string caption = NameOf(row.caption);
  const bool face = row.options & loFaceColor;
  TControl* control = nullptr;
  switch (row.kind) {
    case TControlKind::ckLabel:
      control = parent.Add<TLabel>(caption);
      break;
    case TControlKind::ckButton: {
      auto* button = parent.Add<TButton>(caption);
      button->ModalResult = row.value;
      if (row.options & loDefault) button->SetDefault(true);
      control = button;
      break;
    }
    case TControlKind::ckCheckBox:
      control = parent.Add<TCheckBox>(caption);
      break;
    case TControlKind::ckEdit: {
      auto* edit = parent.Add<TEdit>(caption);
      edit->ReadOnly = row.options & loReadOnly;
      edit->MaxLength = row.value;
      if (face) edit->Color = COLOR_BTNFACE;
      control = edit;
      break;
    }
    case TControlKind::ckGroupBox:
      control = parent.Add<TGroupBox>(caption);
      break;
    case TControlKind::ckListBox: {
      auto* list = parent.Add<TListBox>();
      list->ItemHeight = row.value;
      if (face) list->Color = COLOR_BTNFACE;
      control = list;
      break;
    }
    case TControlKind::ckPanel:
      control = parent.Add<TPanel>();
      break;
    case TControlKind::ckImage:
      control = parent.Add<TImage>();
      break;
    case TControlKind::ckBevel:
      control = parent.Add<TBevel>();
      break;
    case TControlKind::ckRichEdit: {
      auto* edit = parent.Add<TRichEdit>();
      edit->ReadOnly = row.options & loReadOnly;
      if (face) edit->Color = GetSysColor(COLOR_BTNFACE);
      control = edit;
      break;
    }
    case TControlKind::ckCustom:
      if (makeCustom_) control = makeCustom_(parent, row);
      if (!control) throw std::logic_error("The layout cannot make " + NameOf(row.name));
      break;
  }
  control->Name = NameOf(row.name);
  if (auto* label = dynamic_cast<TLabel*>(control)) label->AutoSize = !(row.options & loFixedSize);
  if (row.kind == TControlKind::ckBevel) {
    static_cast<TBevel*>(control)->SetRect(row.left, row.top, row.width, row.height);
  } else {
    control->SetDesignBounds(row.left, row.top, row.width, row.height);
  }
  // A picture sizes the image to itself.
  if (row.kind == TControlKind::ckImage && row.caption)
    static_cast<TImage*>(control)->LoadBitmapResource(row.caption);
  if (row.align != TAlign::alNone) control->SetAlign(row.align);
  return control;
}

}  // namespace k32::gui
