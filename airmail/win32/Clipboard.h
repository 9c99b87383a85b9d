#pragma once
// The clipboard's text, each step reporting whether the clipboard took it.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The owner is the window the clipboard is opened for; another program
// may hold the clipboard for a moment, so opening is tried a few times.
bool ClipboardClear(HWND owner);
bool ClipboardTextSet(HWND owner, std::string_view text);
// The clipboard's text (empty when it holds none); nullopt when it cannot be opened.
std::optional<std::string> ClipboardText(HWND owner);

}  // namespace velmora
