#include "listview/list_export.h"

#include "common/csv.h"
#include "gui/wide_text.h"

namespace k32 {

std::vector<int> ShownColumns(TCustomEnhListView& list) {
  std::vector<int> columns;
  for (int position = 0; position < list.ColumnCount(); ++position) {
    const int column = list.GetActualColumn(position);
    if (column >= 0 && column < list.ColumnCount() && list.ColumnVisible(column)) columns.push_back(column);
  }
  return columns;
}

std::wstring ShownRowText(TCustomEnhListView& list, const gui::TListItem& row) {
  std::wstring text;
  const std::vector<int> columns = ShownColumns(list);
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) text += L'\t';
    text += row.Text(columns[i]);
  }
  return text;
}

std::string ListCsv(TCustomEnhListView& list) {
  const std::vector<int> columns = ShownColumns(list);
  std::vector<std::wstring> fields;
  for (const int column : columns) fields.push_back(gui::Wide(list.Columns()[static_cast<std::size_t>(column)].Caption));
  std::string csv(kUtf8Bom);
  csv += CsvRecord(fields);
  for (int i = 0; i < list.Count(); ++i) {
    const gui::TListItem* row = list.Item(i);
    if (!row || row->Mark == gui::TRowMark::rmGone) continue;  // ended: no longer there to list
    fields.clear();
    for (const int column : columns) fields.push_back(row->Text(column));
    csv += CsvRecord(fields);
  }
  return csv;
}

}  // namespace k32
