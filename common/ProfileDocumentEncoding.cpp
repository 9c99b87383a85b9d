// A profile document's encodings: a file's bytes made the program's narrow
// text as it is read, and put back in the file's own form as it is written.
#include "common/ProfileFile.h"

namespace velmora {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// A "Unicode" file's text is kept in UTF-8, which holds each of its letters
// (and a surrogate left unpaired), so a line not written is written back as
// it was read.
bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
  } else if (c < 0x10000) {
    out += {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
            static_cast<char>(0x80 | (c & 0x3F))};
  } else {
    out += {static_cast<char>(0xF0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 0x3F)),
            static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
  }
}

// The code point at `at` of a UTF-8 text; `at` moves past it. A byte that
// begins no whole sequence is the Latin-1 letter of its code (as earlier
// saves wrote a letter into a UTF-8 file).
char32_t NextCodePoint(std::string_view text, size_t& at) {
  const unsigned char lead = static_cast<unsigned char>(text[at++]);
  const size_t more = lead < 0xC2 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : lead < 0xF5 ? 3 : 0;
  if (more == 0 || at + more > text.size()) return lead;
  char32_t c = lead & (0x3F >> more);
  for (size_t n = 0; n < more; ++n) {
    const unsigned char next = static_cast<unsigned char>(text[at + n]);
    if ((next & 0xC0) != 0x80) return lead;
    c = c << 6 | (next & 0x3F);
  }
  // A long form of a shorter letter is none: it could hide a line's "=".
  constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
  if (c < kLeast[more] || c > 0x10FFFF) return lead;
  at += more;
  return c;
}

}  // namespace

// A file an editor saved with a byte order mark (UTF-8, or Notepad's
// "Unicode"): the platform's calls read it as text of the program's code
// page, and write it back in its own form. Characters are taken as Latin-1,
// which the Windows code page shares outside 0x80-0x9F; others become "?".
std::string_view ProfileDocument::Decode(std::string_view content, std::string& decoded) {
  if (content.starts_with(kUtf8Mark)) {
    encoding_ = Encoding::kUtf8Mark;
    return content.substr(kUtf8Mark.size());
  }
  const bool little = content.starts_with(kUtf16LeMark);
  if (!little && !content.starts_with(kUtf16BeMark)) return content;
  encoding_ = little ? Encoding::kUtf16Le : Encoding::kUtf16Be;
  decoded.reserve(content.size() / 2);
  auto unit = [&](size_t i) -> char32_t {
    return static_cast<unsigned char>(content[little ? i : i + 1]) |
           static_cast<unsigned char>(content[little ? i + 1 : i]) << 8;
  };
  for (size_t i = 2; i + 1 < content.size(); i += 2) {
    char32_t c = unit(i);
    if (IsHighSurrogate(c) && i + 3 < content.size() && IsLowSurrogate(unit(i + 2))) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    }
    AppendUtf8(decoded, c);
  }
  return decoded;
}

bool ProfileDocument::Wide() const { return encoding_ != Encoding::kPlain; }

std::string ProfileDocument::Outward(std::string_view text) const {
  if (!Wide()) return std::string(text);
  std::string out;
  for (size_t i = 0; i < text.size();) {
    char32_t c = NextCodePoint(text, i);
    out += c <= 0xFF ? static_cast<char>(c) : '?';
  }
  return out;
}

std::string ProfileDocument::Inward(std::string_view text) const {
  if (!Wide()) return std::string(text);
  std::string out;
  for (char c : text) AppendUtf8(out, static_cast<unsigned char>(c));
  return out;
}

std::string ProfileDocument::Encode(std::string text) const {
  switch (encoding_) {
    case Encoding::kPlain: return text;
    case Encoding::kUtf8Mark: return std::string(kUtf8Mark) + text;
    case Encoding::kUtf16Le:
    case Encoding::kUtf16Be: break;
  }
  const bool little = encoding_ == Encoding::kUtf16Le;
  std::string out(little ? kUtf16LeMark : kUtf16BeMark);
  out.reserve(2 + 2 * text.size());
  auto add = [&](char32_t unit) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    out += little ? low : high;
    out += little ? high : low;
  };
  for (size_t i = 0; i < text.size();) {
    char32_t c = NextCodePoint(text, i);
    if (c < 0x10000) {
      add(c);
    } else {
      add(0xD800 + ((c - 0x10000) >> 10));
      add(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return out;
}

}  // namespace velmora
