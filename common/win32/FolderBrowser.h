#pragma once
// The shell's folder browser.
#include <windows.h>

#include <optional>
#include <string>

namespace velmora {

// The folder the user chose, or nullopt when the browser was cancelled (or
// could not open). `title` is the browser's caption and the line above its
// tree; the tree opens on `initial` when that is a folder.
std::optional<std::string> BrowseForFolder(HWND owner, const std::string& title, const std::string& initial);

}  // namespace velmora
