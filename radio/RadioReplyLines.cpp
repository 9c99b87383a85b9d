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
  if (cut_ || pending_.size() + text.size() > kRadioLineLimit) {
    cut_ = true;
    return;
  }
  pending_ += text;
}

void RadioReplyLines::Receive(std::string_view bytes) {
  for (char c : bytes) {
    if (c != kLineFeed) {
      Append(Visible(c));
      continue;
    }
    // The line end always closes the line; one cut by the cap is no reply,
    // since what was kept of it could read as a digit the radio never sent.
    lastReply_ = cut_ ? std::string() : std::move(pending_) + Visible(c);
    pending_.clear();
    cut_ = false;
    ++linesEnded_;
  }
}

void RadioReplyLines::Clear() {
  pending_.clear();
  cut_ = false;
  lastReply_.clear();
}

}  // namespace velmora
