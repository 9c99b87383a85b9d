#include "reports/RtfAutomaticBlack.h"

#include "reports/RtfControlWord.h"

namespace velmora {
namespace {

constexpr std::string_view kBlackEntry = "\\red0\\green0\\blue0;";

// One RTF token at a time: a group mark, a control word with its number
// and the blank that ends it, an escaped symbol, or one text character.
struct RtfToken {
  std::string_view text;  // as written, the ending blank included
  std::string_view word;  // a control word's letters; empty otherwise
  std::string_view number;
};

RtfToken NextRtfToken(std::string_view rtf, size_t at) {
  if (rtf[at] != '\\' || at + 1 >= rtf.size()) return {rtf.substr(at, 1), {}, {}};
  if (!IsAsciiLetter(rtf[at + 1])) return {rtf.substr(at, 2), {}, {}};
  const RtfControlWord control = ReadRtfControlWord(rtf, at + 1);
  return {rtf.substr(at, control.end - at), control.word, control.number};
}

// Where the colour table's group closes, and how many entries it holds.
struct RtfColourTable {
  size_t close = std::string_view::npos;
  int entries = 0;
};

RtfColourTable FindColourTable(std::string_view rtf) {
  RtfColourTable table;
  int depth = 0, tableDepth = -1;
  for (size_t at = 0; at < rtf.size();) {
    const RtfToken token = NextRtfToken(rtf, at);
    if (token.text == "{") ++depth;
    if (token.word == "colortbl" && tableDepth < 0) tableDepth = depth;
    if (depth == tableDepth && token.text == ";") ++table.entries;
    if (token.text == "}" && depth-- == tableDepth) {
      table.close = at;
      return table;
    }
    at += token.text.size();
  }
  return {};
}

}  // namespace

std::string RtfAutomaticMadeBlack(std::string_view rtf) {
  const RtfColourTable table = FindColourTable(rtf);
  // Without a table, one of black alone goes after "\rtf1".
  const int black = table.close == std::string_view::npos ? 1 : table.entries;
  const std::string toBlack = "\\cf" + std::to_string(black) + " ";
  std::string out;
  out.reserve(rtf.size() + rtf.size() / 16);
  bool started = false;
  for (size_t at = 0; at < rtf.size();) {
    const RtfToken token = NextRtfToken(rtf, at);
    if (at == table.close) {
      out += kBlackEntry;
      out += "}" + toBlack;
    } else if (token.word == "cf" && (token.number.empty() || token.number == "0")) {
      out += toBlack;
    } else if (token.word == "plain") {
      out += "\\plain" + toBlack;
    } else {
      out += token.text;
    }
    if (token.word == "rtf" && !started && table.close == std::string_view::npos)
      out += "{\\colortbl;" + std::string(kBlackEntry) + "}" + toBlack;
    started = started || token.word == "rtf";
    at += token.text.size();
  }
  return out;
}

}  // namespace velmora
