#pragma once
// One row per station, in the order stations first appear in the log.
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace velmora {

template <typename Row>
class StationTally {
 public:
  Row& At(std::string_view station) {
    auto [at, added] = index_.try_emplace(std::string(station), rows_.size());
    if (added) rows_.emplace_back(std::string(station), Row{});
    return rows_[at->second].second;
  }
  const std::vector<std::pair<std::string, Row>>& Rows() const { return rows_; }

 private:
  std::unordered_map<std::string, size_t> index_;
  std::vector<std::pair<std::string, Row>> rows_;
};

}  // namespace velmora
