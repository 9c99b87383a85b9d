#pragma once
// How logic tells the user something: a message box on the desktop, a line
// on standard error in the command-line tools, a list in the tests.
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum class MessageIcon { None, Information, Exclamation, Question, Critical };

class Messenger {
 public:
  virtual ~Messenger() = default;
  // A box with an OK button. An empty title means the program's title.
  virtual void Show(std::string_view text, MessageIcon icon = MessageIcon::None, std::string_view title = {}) = 0;
  // A Yes/No question; true for Yes.
  virtual bool AskYesNo(std::string_view text, MessageIcon icon = MessageIcon::Question,
                        std::string_view title = {}) = 0;
};

// A line in the message log with no box: what an unattended run did.
class MessageNote {
 public:
  virtual ~MessageNote() = default;
  virtual void Note(std::string_view text) = 0;
};

// Keeps what would have been shown; answers questions with a set reply.
class RecordingMessenger final : public Messenger {
 public:
  struct Entry {
    std::string text;
    MessageIcon icon;
    std::string title;
    bool question;
  };
  explicit RecordingMessenger(bool answer = false) : answer_(answer) {}
  void Show(std::string_view text, MessageIcon icon, std::string_view title) override {
    entries.push_back({std::string(text), icon, std::string(title), false});
  }
  bool AskYesNo(std::string_view text, MessageIcon icon, std::string_view title) override {
    entries.push_back({std::string(text), icon, std::string(title), true});
    return answer_;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& e : entries) out.push_back(e.text);
    return out;
  }
  std::vector<Entry> entries;

 private:
  bool answer_;
};

}  // namespace velmora
