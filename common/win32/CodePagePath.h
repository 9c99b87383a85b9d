#pragma once
// Paths the system gives by their wide names, as the program's narrow texts
// in the code page; and such texts back as wide names.
#include <windows.h>

#include <string>
#include <string_view>

namespace velmora {

// In the code page; where it cannot spell a letter of the path (a Polish
// user's name where it is 1252), by the short name, which it can.
std::string CodePagePath(const std::wstring& path);

// A text in the code page as the wide name it spells.
std::wstring WideText(std::string_view text);

}  // namespace velmora
