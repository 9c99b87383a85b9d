#include "reports/win32/RichEditColours.h"

#include <richedit.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace velmora {
namespace {

struct RtfSource {
  std::string_view rest;
};

DWORD CALLBACK RtfWrite(DWORD_PTR cookie, LPBYTE buffer, LONG given, LONG* taken) {
  reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(given));
  *taken = given;
  return 0;
}

// The control's contents written out as RTF by the control itself.
std::string RtfOf(HWND edit) {
  std::string rtf;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&rtf), 0, &RtfWrite};
  SendMessageA(edit, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  return stream.dwError == 0 ? rtf : std::string();
}

DWORD CALLBACK RtfRead(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto& source = *reinterpret_cast<RtfSource*>(cookie);
  size_t n = std::min(source.rest.size(), static_cast<size_t>(std::max<LONG>(wanted, 0)));
  std::copy_n(source.rest.data(), n, buffer);
  source.rest.remove_prefix(n);
  *given = static_cast<LONG>(n);
  return 0;
}

// The one colour of the characters first to last (excluded); nullopt when they differ.
std::optional<ColourValue> RangeColour(HWND edit, long first, long last) {
  CHARRANGE range{first, last};
  SendMessageA(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  CHARFORMAT2A format{};
  format.cbSize = sizeof format;
  SendMessageA(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  if (!(format.dwMask & CFM_COLOR)) return std::nullopt;
  return (format.dwEffects & CFE_AUTOCOLOR) ? 0 : static_cast<ColourValue>(format.crTextColor);
}

// The end of the run of one colour starting at `first`: the paragraph's
// end when it holds one colour, else found by doubling, then halving, so a
// document costs a few messages per run, not per character.
long RunEnd(HWND edit, const std::string& text, long first, ColourValue colour) {
  long size = static_cast<long>(text.size());
  size_t line = text.find('\r', static_cast<size_t>(first));
  long paragraph = line == std::string::npos ? size : static_cast<long>(line) + 1;
  long limit = size;  // an end known to have another colour before it, or the document's end
  if (paragraph > first + 1) {
    if (RangeColour(edit, first, paragraph) == colour) return paragraph;
    limit = paragraph;
  }
  long good = first + 1, step = 1;
  while (good < limit) {
    long next = std::min(limit, good + step);
    if (RangeColour(edit, first, next) != colour) {
      step = next - good;
      break;
    }
    good = next;
    step *= 2;
  }
  if (good >= size) return size;
  long bad = good + step;  // the first end found with another colour before it
  while (bad - good > 1) {
    long middle = good + (bad - good) / 2;
    (RangeColour(edit, first, middle) == colour ? good : bad) = middle;
  }
  return good;
}

// Colours asked run by run, a few selections each: slow, but it needs
// nothing of the control but its answers.
std::vector<ColourValue> ColoursAsked(HWND edit, const std::string& text) {
  long size = static_cast<long>(text.size());
  CHARRANGE kept{};
  SendMessageA(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&kept));
  std::vector<ColourValue> colours;
  colours.reserve(text.size());
  // The selection moves for every question: nothing is painted meanwhile.
  SendMessageA(edit, WM_SETREDRAW, FALSE, 0);
  for (long first = 0; first < size;) {
    ColourValue colour = RangeColour(edit, first, first + 1).value_or(0);
    long end = RunEnd(edit, text, first, colour);
    colours.insert(colours.end(), static_cast<size_t>(end - first), colour);
    first = end;
  }
  SendMessageA(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&kept));
  SendMessageA(edit, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(edit, nullptr, TRUE);
  return colours;
}

}  // namespace

const char* RichEditClass() {
  static HMODULE library = LoadLibraryA("riched20.dll");
  return library ? RICHEDIT_CLASSA : nullptr;
}

bool RichEditLoadRtf(HWND edit, std::string_view rtf) {
  RtfSource source{rtf};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, &RtfRead};
  LRESULT taken = SendMessageA(edit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  return taken > 0 && stream.dwError == 0;
}

ColouredText RichEditColouredText(HWND edit) {
  GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
  long size = static_cast<long>(SendMessageA(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
  ColouredText document;
  document.text.assign(static_cast<size_t>(size) + 1, '\0');
  GETTEXTEX get{static_cast<DWORD>(document.text.size()), GT_DEFAULT, CP_ACP, nullptr, nullptr};
  long got = static_cast<long>(
      SendMessageA(edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(document.text.data())));
  document.text.resize(static_cast<size_t>(std::clamp(got, 0L, size)));
  // The control's own RTF read by the portable reader is fast; its colours
  // are taken only when its characters are the control's, offset for offset
  // (it writes a closing paragraph mark or two past the text it gives out).
  ColouredText written = RtfColouredText(RtfOf(edit));
  if (written.text.starts_with(document.text)) {
    written.colours.resize(document.text.size());
    document.colours = std::move(written.colours);
  } else {
    document.colours = ColoursAsked(edit, document.text);
  }
  return document;
}

}  // namespace velmora
