#pragma once
// Assembles the radio's replies into lines as the bytes arrive. Control
// characters are kept visible as "<" + their code + ">", so every complete
// line ends with "<10>".
#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// A reply is a short sentence: a line longer than this is noise on the
// line, and what goes past it is dropped so a radio that never sends a
// line feed cannot grow the buffer without end. Such a line, once ended,
// is no reply: the last reply is then empty.
inline constexpr std::size_t kRadioLineLimit = 256;

class RadioReplyLines {
 public:
  void Receive(std::string_view bytes);
  const std::string& LastReply() const { return lastReply_; }
  const std::string& Pending() const { return pending_; }
  // How many lines have ended, those cut by the cap included.
  std::size_t LinesEnded() const { return linesEnded_; }
  void LastReplyClear() { lastReply_.clear(); }
  void Clear();

 private:
  void Append(std::string_view text);
  std::string pending_;
  bool cut_ = false;  // the pending line lost bytes to the cap
  std::string lastReply_;
  std::size_t linesEnded_ = 0;
};

}  // namespace velmora
