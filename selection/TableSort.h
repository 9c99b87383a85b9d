#pragma once
// The table's own sort: rows compared key by key, each key a column and a
// direction, the first key that differs deciding.
#include <span>

#include "common/Messages.h"
#include "selection/FrequencyTable.h"

namespace velmora {

enum SortDirection : int {
  kSortNumericAscending = 3,  // by the cells' leading numbers, so "(p3)" is ignored
  kSortNumericDescending = 4,
  kSortTextAscending = 7,
  kSortTextDescending = 8,
};

struct SortKey {
  int column = 0;
  int direction = kSortNumericAscending;
};

// 1 when row1 sorts after row2, -1 when before, 0 when every key is equal.
// A direction the sort does not know says so and counts as equal.
int SortCompare(const FrequencyTable& table, int row1, int row2, std::span<const SortKey> keys, Messenger& messenger);

// Sorts the data rows [first, last] by the keys; equal rows keep their order.
void SortRows(FrequencyTable& table, int first, int last, std::span<const SortKey> keys, Messenger& messenger);

}  // namespace velmora
