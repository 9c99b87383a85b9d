#pragma once
// A comma-decimal locale in force for one scope, to show that stored
// numbers do not depend on the user's number format.
#include <clocale>
#include <locale>
#include <stdexcept>

namespace velmora::testing {

class CommaLocale {
 public:
  CommaLocale() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "German_Germany.1252", "de-DE", "fr_FR.UTF-8"})
      if (std::setlocale(LC_ALL, name)) {
        try {
          std::locale::global(std::locale(name));
        } catch (const std::exception&) {
          // This runtime has C locales only; the C library's locale is what matters there.
        }
        return;
      }
  }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;
  ~CommaLocale() { std::locale::global(std::locale::classic()); std::setlocale(LC_ALL, "C"); }
};

}  // namespace velmora::testing
