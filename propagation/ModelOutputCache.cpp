#include "propagation/ModelOutputCache.h"

namespace velmora {

std::string ModelOutputCache::Key(int model, std::string_view folder, std::string_view deck) {
  std::string key = std::to_string(model);
  key += '\n';
  key += folder;
  key += '\n';
  key += deck;
  return key;
}

std::optional<std::string> ModelOutputCache::Find(int model, std::string_view folder, std::string_view deck) {
  auto found = index_.find(Key(model, folder, deck));
  if (found == index_.end()) return std::nullopt;
  entries_.splice(entries_.begin(), entries_, found->second);
  return found->second->output;
}

void ModelOutputCache::Keep(int model, std::string_view folder, std::string_view deck, std::string output) {
  if (capacity_ == 0) return;
  std::string key = Key(model, folder, deck);
  if (auto found = index_.find(key); found != index_.end()) {
    found->second->output = std::move(output);
    entries_.splice(entries_.begin(), entries_, found->second);
    return;
  }
  if (entries_.size() >= capacity_) {
    index_.erase(entries_.back().key);
    entries_.pop_back();
  }
  entries_.push_front({std::move(key), std::move(output)});
  index_.emplace(entries_.front().key, entries_.begin());
}

void ModelOutputCache::Clear() {
  index_.clear();
  entries_.clear();
}

}  // namespace velmora
