#include "propagation/FortranFormat.h"

#include <array>
#include <cmath>

#include "common/Format.h"

namespace velmora {
namespace {

struct FieldFormat {
  std::string_view name;
  std::string_view picture;  // as FormatNumber takes it
  bool trailingPoint;        // "F5.0": a whole number followed by "."
  size_t width;
};

constexpr std::array<FieldFormat, 6> kFormats{{
    {"I5", "0", false, 5},
    {"F5.0", "0", true, 5},
    {"F5.1", ".0", false, 5},
    {"F5.2", ".00", false, 5},
    {"F6.2", ".00", false, 6},
    {"F7.1", ".0", false, 7},
}};

}  // namespace

std::optional<std::string> FortranFormat(double value, std::string_view format, Messenger* messenger) {
  const FieldFormat* field = nullptr;
  for (const auto& f : kFormats)
    if (f.name == format) field = &f;
  if (!field) {
    if (messenger) messenger->Show("FortranFormat, Unknown format.");
    return std::nullopt;
  }
  if (!std::isfinite(value)) return std::nullopt;
  std::string text = FormatNumber(value, field->picture);
  if (field->trailingPoint) text += '.';
  if (text.size() > field->width) return std::nullopt;
  return std::string(field->width - text.size(), ' ') + text;
}

}  // namespace velmora
