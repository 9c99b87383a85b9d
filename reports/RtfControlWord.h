#pragma once
// An RTF control word as written after its backslash: its letters, its
// number as written (a "-" and digits, or nothing), and where it ends, the
// one blank that ends it included.
#include <string_view>

#include "common/TextParse.h"

namespace velmora {

struct RtfControlWord {
  std::string_view word;
  std::string_view number;
  size_t end = 0;
};

inline RtfControlWord ReadRtfControlWord(std::string_view rtf, size_t at) {
  size_t end = at;
  while (end < rtf.size() && IsAsciiLetter(rtf[end])) ++end;
  const size_t numberStart = end;
  if (end < rtf.size() && rtf[end] == '-') ++end;
  while (end < rtf.size() && IsAsciiDigit(rtf[end])) ++end;
  RtfControlWord control{rtf.substr(at, numberStart - at), rtf.substr(numberStart, end - numberStart), end};
  if (control.end < rtf.size() && rtf[control.end] == ' ') ++control.end;
  return control;
}

}  // namespace velmora
