#pragma once
// The outputs of successful prediction runs, kept so that the same deck is
// not run twice: the deck's TIME and MONTH cards carry the hour and the
// month, so the same model, folder and deck text give the same output.
// The oldest-used output makes room when the cache is full.
#include <cstddef>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace velmora {

class ModelOutputCache {
 public:
  // Room for the blocks of the largest AutoSelect fill (two blocks each
  // of 200 stations), so that a fill again within the hour runs nothing.
  explicit ModelOutputCache(size_t capacity = 512) : capacity_(capacity) {}
  // The index points into the entries: the cache stays where it was made.
  ModelOutputCache(const ModelOutputCache&) = delete;
  ModelOutputCache& operator=(const ModelOutputCache&) = delete;

  std::optional<std::string> Find(int model, std::string_view folder, std::string_view deck);
  void Keep(int model, std::string_view folder, std::string_view deck, std::string output);
  size_t Size() const { return entries_.size(); }
  size_t Capacity() const { return capacity_; }
  void Clear();

 private:
  struct Entry {
    std::string key;
    std::string output;
  };
  static std::string Key(int model, std::string_view folder, std::string_view deck);

  size_t capacity_;
  std::list<Entry> entries_;  // the most recently used first
  std::unordered_map<std::string_view, std::list<Entry>::iterator> index_;
};

}  // namespace velmora
