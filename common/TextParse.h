#pragma once
// Reading numbers and booleans from text the way stored files need it:
// never throwing, never depending on the user's locale.
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The leading decimal number of the text (after blanks): sign, digits, an
// optional fraction and exponent. Nothing numeric at the start gives nullopt.
// With acceptComma, a lone "," (and no ".") also serves as the decimal point,
// for files written under a comma-decimal locale.
std::optional<double> ParseLeadingNumber(std::string_view text, bool acceptComma = false);

// The leading number, or 0 when there is none (the classic Val).
double Val(std::string_view text);

// "True"/"False" in any case, or a number (non-zero is True).
std::optional<bool> ParseBoolean(std::string_view text);

// The integer part of the leading number, rounded to nearest; nullopt when
// there is none or it does not fit.
std::optional<long long> ParseInteger(std::string_view text);
// The whole field as a finite number, blanks around it and a leading "+"
// allowed, nothing else before or after; nullopt else.
std::optional<double> FieldNumber(std::string_view field);
// Whether a single holds the number: converting one beyond its range is
// undefined, and a value kept as a single has none there (nor has NaN).
bool SingleHolds(double number);

// ASCII letters and digits alone, whatever the C library's character type
// (the program reads paths in the system's code page, where "é" is a letter):
// the formats read here know no others.
constexpr bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view Trim(std::string_view text);
std::string ToUpper(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Substring helpers that never throw: out of range gives what is there.
std::string_view Mid(std::string_view text, size_t start, size_t count = std::string_view::npos);

}  // namespace velmora
