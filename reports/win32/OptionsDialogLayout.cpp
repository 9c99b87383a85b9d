#include "reports/win32/OptionsDialogLayout.h"

#include "reports/AutoConnectOptions.h"

namespace velmora::options_layout {

int BindingIndex(std::string_view key) {
  auto bindings = AutoConnectOptionBindings();
  for (size_t i = 0; i < bindings.size(); ++i)
    if (bindings[i].key == key) return static_cast<int>(i);
  return -1;
}

int IdOf(const Layout& l) {
  if (l.key) return AutoConnectOptionsDialog::kBoxId + BindingIndex(l.key);
  return l.id ? l.id : 2000 + static_cast<int>(&l - kLayout);
}

std::vector<std::string> Parts(const char* caption) {
  std::vector<std::string> parts;
  std::string_view rest = caption ? caption : "";
  for (size_t bar; (bar = rest.find('|')) != std::string_view::npos; rest.remove_prefix(bar + 1))
    parts.emplace_back(rest.substr(0, bar));
  parts.emplace_back(rest);
  return parts;
}

}  // namespace velmora::options_layout
