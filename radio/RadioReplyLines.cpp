#include "radio/RadioReplyLines.h"

namespace velmora {
namespace {

constexpr char kLineFeed = '\n';

std::string Visible(char c) {
  const auto code = static_cast<unsigned char>(c);
  if (code < 32) return "<" + std::to_string(code) + ">";
  return std::string(1, c);
}

}  // namespace

void RadioReplyLines::Append(std::string_view text) {
  if (pending_.size() + text.size() > kRadioLineLimit) return;
  pending_ += text;
}

void RadioReplyLines::Receive(std::string_view bytes) {
  for (char c : bytes) {
    if (c != kLineFeed) {
      Append(Visible(c));
      continue;
    }
    // The line end always closes the line, however much was dropped before it.
    lastReply_ = std::move(pending_) + Visible(c);
    pending_.clear();
  }
}

void RadioReplyLines::Clear() {
  pending_.clear();
  lastReply_.clear();
}

}  // namespace velmora
