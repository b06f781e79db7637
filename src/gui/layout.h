// Forms laid out from tables: one row per control (kind, parent, name, caption, bounds, tab order
// and the few properties a dialog sets), made by one builder.
#pragma once

#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "gui/control.h"

namespace k32::gui {

enum class TControlKind {
  ckLabel,
  ckButton,
  ckCheckBox,
  ckEdit,
  ckGroupBox,
  ckListBox,
  ckPanel,
  ckImage,
  ckBevel,
  ckRichEdit,
  ckCustom,  // made by the form's own function
};

// Options of a row; each applies to the kinds that have the property.
enum TLayoutOption : unsigned {
  loReadOnly = 1,   // edits, rich edits
  loFaceColor = 2,  // edits, list boxes, rich edits: the background of the dialog's face
  loFixedSize = 4,  // labels (the form's own kinds too): the row's size, not the text's
  loDefault = 8,    // buttons: the one Enter presses
};

struct TLayoutRow {
  TControlKind kind;
  const char* parent;            // the name of the row that holds this one; null: the form
  const char* name;              // null for a control nothing refers to
  const char* caption;           // an image's bitmap resource
  int left, top, width, height;  // a bevel's: the rectangle whose bottom edge carries the rule
  int tabOrder = 0;              // among the controls of the same parent; equal ones keep their row order
  unsigned options = 0;
  int value = 0;  // a button's modal result, an edit's length limit, a list box's item height
  TAlign align = TAlign::alNone;
};

// Makes the control of a ckCustom row under its parent.
using TMakeControl = std::function<TControl*(TWinControl& parent, const TLayoutRow& row)>;

// The controls of one table, made under a form (or any container).
class TLayout {
 public:
  // Raises std::logic_error for a table that names a parent it does not hold, or a name twice.
  TLayout(TWinControl& form, std::span<const TLayoutRow> rows, const TMakeControl& makeCustom = {});

  [[nodiscard]] TControl* Find(const std::string& name) const;
  // The control of the named row, of the type the form expects; std::logic_error when it is not.
  template <typename T>
  T* Get(const std::string& name) const {
    if (auto* control = dynamic_cast<T*>(Find(name))) return control;
    throw std::logic_error("The layout has no control " + name + " of that kind");
  }

 private:
  void Build(TWinControl& parent, const char* parentName);
  TControl* Make(TWinControl& parent, const TLayoutRow& row);

  std::span<const TLayoutRow> rows_;
  TMakeControl makeCustom_;
  std::vector<TControl*> controls_;  // by row
};

}  // namespace k32::gui
