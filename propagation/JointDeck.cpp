#include "propagation/JointDeck.h"

#include <array>

namespace velmora {
namespace {

constexpr std::array<std::string_view, 3> kOnceOnlyCards = {"LINEMAX", "COEFFS", "ANTENNA"};
constexpr std::string_view kLineEnd = "\r\n";

bool OnceOnly(std::string_view line) {
  for (auto keyword : kOnceOnlyCards)
    if (line.starts_with(keyword)) return true;
  return false;
}

// Each line of the text, its end dropped.
template <typename Visit>
void EachLine(std::string_view text, Visit visit) {
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    visit(line);
    text = end == text.npos ? std::string_view() : text.substr(end + 1);
  }
}

// Pages start with a form feed; a block's first page is its METHOD 26 table's.
bool BlockStart(std::string_view line) { return line.starts_with('\f') && line.find("METHOD 26") != line.npos; }

}  // namespace

bool JointDeck::Add(std::string_view deck) {
  if (blocks_ >= blockLimit_) return false;
  std::string onceOnly, all, rest, firstRun;
  EachLine(deck, [&](std::string_view line) {
    if (line == "QUIT") return;
    all.append(line).append(kLineEnd);
    (OnceOnly(line) ? onceOnly : rest).append(line).append(kLineEnd);
    if (firstRun.find("EXECUTE") == std::string::npos && !OnceOnly(line)) firstRun.append(line).append(kLineEnd);
  });
  if (blocks_ > 0 && onceOnly != onceOnly_) return false;
  if (blocks_ == 0) onceOnly_ = std::move(onceOnly);
  // The first block's deck stays whole; the others leave out what only
  // the first may carry.
  text_ += blocks_ == 0 ? all : rest;
  firstRuns_.push_back(std::move(firstRun));
  ++blocks_;
  return true;
}

std::optional<std::vector<std::string>> JointDeck::OutputSplit(std::string_view output) const {
  auto parts = JointOutputSplit(output, blocks_);
  if (!parts) return parts;
  auto method26Page = [](const std::string& part) { return part.substr(0, part.find('\f', 1)); };
  for (size_t k = 1; k < blocks_; ++k) {
    size_t same = 0;
    while (firstRuns_[same] != firstRuns_[k]) ++same;
    if (same < k) (*parts)[k].replace(0, method26Page((*parts)[k]).size(), method26Page((*parts)[same]));
  }
  return parts;
}

std::optional<std::vector<std::string>> JointOutputSplit(std::string_view output, size_t blocks) {
  std::vector<std::string> parts;
  EachLine(output, [&](std::string_view line) {
    if (BlockStart(line)) parts.emplace_back();
    if (!parts.empty()) parts.back().append(line).append(kLineEnd);
  });
  if (parts.size() != blocks) return std::nullopt;
  return parts;
}

}  // namespace velmora
