#include "common/Format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace velmora {
namespace {

// A finite value as decimal digits d1 d2 ... dn times 10^(exponent - n).
struct Decimal {
  bool negative = false;
  std::string digits;  // no leading zeros, at least one digit ("0" for zero)
  int exponent = 0;    // position of the decimal point after the first 'exponent' digits
};

template <typename T>
Decimal ToDecimal(T value) {
  Decimal d;
  if (value == 0) {
    d.digits = "0";
    d.exponent = 1;
    return d;
  }
  char text[64];
  auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
  std::string_view s(text, result.ptr - text);
  if (s.front() == '-') {
    d.negative = true;
    s.remove_prefix(1);
  }
  auto e = s.find('e');
  std::string_view mantissa = s.substr(0, e);
  int exp10 = std::atoi(std::string(s.substr(e + 1)).c_str());
  for (char c : mantissa)
    if (c != '.') d.digits += c;
  d.exponent = exp10 + 1;
  return d;
}

// Digits of the value rounded to 'decimals' places after the point, half away
// from zero; returns integer-part digits and fraction digits.
void RoundFixed(const Decimal& d, int decimals, std::string& whole, std::string& fraction) {
  // All digits from 10^(exponent-1) down to 10^-decimals.
  std::string all;
  int lead = d.exponent;  // digits before the point
  if (lead <= 0) {
    all.assign(static_cast<size_t>(-lead) + 1, '0');  // "0" integer part plus zeros
    all += d.digits;
    lead = 1;
  } else {
    all = d.digits;
    if (static_cast<int>(all.size()) < lead) all.append(lead - all.size(), '0');
  }
  int keep = lead + decimals;
  if (static_cast<int>(all.size()) < keep) all.append(keep - all.size(), '0');
  bool roundUp = static_cast<int>(all.size()) > keep && all[keep] >= '5';
  all.resize(keep);
  if (roundUp) {
    int i = keep - 1;
    while (i >= 0 && all[i] == '9') all[i--] = '0';
    if (i >= 0)
      ++all[i];
    else {
      all.insert(all.begin(), '1');
      ++lead;
    }
  }
  whole = all.substr(0, lead);
  fraction = all.substr(lead);
  size_t nz = whole.find_first_not_of('0');
  whole = nz == std::string::npos ? "0" : whole.substr(nz);
}

std::string FormatFixed(const Decimal& d, bool leadingZero, int decimals) {
  std::string whole, fraction;
  RoundFixed(d, decimals, whole, fraction);
  bool zero = whole == "0" && fraction.find_first_not_of('0') == std::string::npos;
  std::string out = d.negative && !zero ? "-" : "";
  if (whole != "0" || leadingZero) out += whole;
  if (decimals > 0) out += "." + fraction;
  return out;
}

// "0.0e-0": one digit, the point, 'decimals' digits, "e", the exponent.
std::string FormatScientific(const Decimal& d, int decimals) {
  if (d.digits == "0") return "0." + std::string(decimals, '0') + "e0";
  Decimal m = d;
  int exp10 = d.exponent - 1;
  m.exponent = 1;
  std::string whole, fraction;
  RoundFixed(m, decimals, whole, fraction);
  if (whole.size() > 1) {  // 9.96 rounded up to 10.0
    fraction = whole.substr(1) + fraction;
    fraction.resize(decimals);
    whole = whole.substr(0, 1);
    ++exp10;
  }
  std::string out = d.negative ? "-" : "";
  out += whole;
  if (decimals > 0) out += "." + fraction;
  out += "e" + std::to_string(exp10);
  return out;
}

template <typename T>
std::string FormatAny(T value, std::string_view pattern) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  Decimal d = ToDecimal(value);
  auto e = pattern.find_first_of("eE");
  std::string_view mantissa = pattern.substr(0, e);
  auto point = mantissa.find('.');
  int decimals = point == std::string_view::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
  if (e != std::string_view::npos) return FormatScientific(d, decimals);
  bool leadingZero = point != 0;
  return FormatFixed(d, leadingZero, decimals);
}

}  // namespace

std::string FormatNumber(double value, std::string_view pattern) { return FormatAny(value, pattern); }
std::string FormatNumber(float value, std::string_view pattern) { return FormatAny(value, pattern); }

std::string TwoDigits(int value) { return (value >= 0 && value < 10 ? "0" : "") + std::to_string(value); }

std::string ShortestSingle(float value) {
  if (!std::isfinite(value)) return "0";
  char text[64];
  auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
  std::string s(text, result.ptr);
  return s == "-0" ? "0" : s;
}

std::string IntegerText(long long value) { return std::to_string(value); }

std::string_view BooleanText(bool value) { return value ? "True" : "False"; }

}  // namespace velmora
