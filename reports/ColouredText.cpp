#include "reports/ColouredText.h"

#include <cstdlib>

#include "common/TextParse.h"
#include "reports/RtfControlWord.h"

namespace velmora {
namespace {

struct GroupState {
  ColourValue colour = 0;
  bool hidden = false;  // a destination that is not shown (fonts, colours, pictures)
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = AsciiLower(c);
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

class RtfReader {
 public:
  explicit RtfReader(std::string_view rtf) : rtf_(rtf) {}

  ColouredText Read() {
    std::vector<GroupState> groups{GroupState{}};
    while (at_ < rtf_.size()) {
      char c = rtf_[at_++];
      if (c == '{') {
        groups.push_back(groups.back());
        groupStart_ = true;
      } else if (c == '}') {
        if (groups.back().hidden && inColourTable_) inColourTable_ = false;
        if (groups.size() > 1) groups.pop_back();
      } else if (c == '\\') {
        Control(groups.back());
        continue;
      } else if (c != '\r' && c != '\n') {
        Character(groups.back(), c);
      }
      if (c != '{') groupStart_ = false;
    }
    // The view keeps the last paragraph's end as the document's own end
    // and gives it out with neither the text nor the offsets.
    if (!out_.text.empty() && out_.text.back() == '\r') {
      out_.text.pop_back();
      out_.colours.pop_back();
    }
    return std::move(out_);
  }

 private:
  void Character(const GroupState& g, char c) {
    if (inColourTable_) {
      if (c == ';') table_.push_back(pending_), pending_ = 0;
      return;
    }
    if (g.hidden) return;
    out_.text += c;
    out_.colours.push_back(g.colour);
  }

  void Control(GroupState& g) {
    if (at_ >= rtf_.size()) return;
    char c = rtf_[at_];
    if (!IsAsciiLetter(c)) {
      ++at_;
      if (c == '\'' && at_ + 1 < rtf_.size() && HexDigit(rtf_[at_]) >= 0 && HexDigit(rtf_[at_ + 1]) >= 0) {
        Character(g, static_cast<char>(HexDigit(rtf_[at_]) * 16 + HexDigit(rtf_[at_ + 1])));
        at_ += 2;
      } else if (c == '*') {
        g.hidden = true;
      } else if (c == '~') {
        Character(g, ' ');
      } else if (c == '\\' || c == '{' || c == '}') {
        Character(g, c);
      }
      groupStart_ = false;
      return;
    }
    const RtfControlWord control = ReadRtfControlWord(rtf_, at_);
    at_ = control.end;
    long number = control.number.empty() ? -1 : std::strtol(std::string(control.number).c_str(), nullptr, 10);
    Word(g, control.word, number);
    groupStart_ = false;
  }

  void Word(GroupState& g, std::string_view word, long number) {
    if (word == "colortbl") {
      g.hidden = true;
      inColourTable_ = true;
    } else if (groupStart_ && (word == "fonttbl" || word == "stylesheet" || word == "info" || word == "pict" ||
                               word == "header" || word == "footer")) {
      g.hidden = true;
    } else if (inColourTable_) {
      int shift = word == "red" ? 0 : word == "green" ? 8 : word == "blue" ? 16 : -1;
      if (shift >= 0 && number >= 0) pending_ |= static_cast<ColourValue>(number & 255) << shift;
    } else if (word == "cf") {
      g.colour = number >= 0 && static_cast<size_t>(number) < table_.size() ? table_[number] : 0;
    } else if (word == "plain") {
      g.colour = 0;
    } else if (word == "par" || word == "sect") {
      Character(g, '\r');
    } else if (word == "line") {
      Character(g, '\v');
    } else if (word == "tab") {
      Character(g, '\t');
    }
  }

  std::string_view rtf_;
  size_t at_ = 0;
  bool groupStart_ = false;
  bool inColourTable_ = false;
  ColourValue pending_ = 0;
  std::vector<ColourValue> table_;
  ColouredText out_;
};

}  // namespace

ColouredText RtfColouredText(std::string_view rtf) { return RtfReader(rtf).Read(); }

bool IsRtfDocument(std::string_view text) { return text.starts_with("{\\rtf"); }

}  // namespace velmora
