#include "selection/TableSort.h"

#include <string_view>

#include "common/TextParse.h"

namespace velmora {
namespace {

std::string_view TextOf(const FrequencyTable& table, const TableRow& row, int column) {
  if (column < 0 || column >= static_cast<int>(row.size())) return {};
  std::string_view text = row[static_cast<size_t>(column)].text;
  // Check-box cells compare by their frequency, not by the indent before it.
  if (table.Column(column).checkBoxes) text = Trim(text);
  return text;
}

template <typename T>
int Order(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

int CompareRows(const FrequencyTable& table, const TableRow& row1, const TableRow& row2,
                std::span<const SortKey> keys, Messenger& messenger) {
  for (const auto& key : keys) {
    auto text1 = TextOf(table, row1, key.column);
    auto text2 = TextOf(table, row2, key.column);
    int order = 0;
    switch (key.direction) {
      case kSortNumericAscending: order = Order(Val(text1), Val(text2)); break;
      case kSortNumericDescending: order = -Order(Val(text1), Val(text2)); break;
      case kSortTextAscending: order = Order(text1, text2); break;
      case kSortTextDescending: order = -Order(text1, text2); break;
      default:
        messenger.Show("SortCompare - Sort Direction Not Supported");
        return 0;
    }
    if (order != 0) return order;
  }
  return 0;
}

}  // namespace

int SortCompare(const FrequencyTable& table, int row1, int row2, std::span<const SortKey> keys, Messenger& messenger) {
  return CompareRows(table, table.Row(row1), table.Row(row2), keys, messenger);
}

void SortRows(FrequencyTable& table, int first, int last, std::span<const SortKey> keys, Messenger& messenger) {
  table.RowsStableSort(first, last, [&](const TableRow& a, const TableRow& b) {
    return CompareRows(table, a, b, keys, messenger) < 0;
  });
}

}  // namespace velmora
