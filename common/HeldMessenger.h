#pragma once
// A messenger whose boxes can be held back for a while and shown after, in
// their order: while Windows ends the session, a box nobody answers would
// hold up what is still to be saved.
#include <string>
#include <string_view>
#include <vector>

#include "common/Messages.h"

namespace velmora {

class HeldMessenger final : public Messenger {
 public:
  explicit HeldMessenger(Messenger& inner) : inner_(inner) {}
  void Hold() { holding_ = true; }
  // Ends the hold and shows what it kept.
  void Release() {
    holding_ = false;
    std::vector<Box> held;
    held.swap(held_);
    for (const Box& box : held) inner_.Show(box.text, box.icon, box.title);
  }

  void Show(std::string_view text, MessageIcon icon, std::string_view title) override {
    if (!holding_) return inner_.Show(text, icon, title);
    held_.push_back({std::string(text), icon, std::string(title)});
  }
  // A question wants its answer before the work goes on: never held.
  bool AskYesNo(std::string_view text, MessageIcon icon, std::string_view title) override {
    return inner_.AskYesNo(text, icon, title);
  }

 private:
  struct Box {
    std::string text;
    MessageIcon icon;
    std::string title;
  };
  Messenger& inner_;
  bool holding_ = false;
  std::vector<Box> held_;
};

}  // namespace velmora
