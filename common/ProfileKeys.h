#pragma once
// A settings record bound to its keys in the settings file: each key names
// its section and the member it holds. Saving writes every key in the order
// it was bound; recalling reads every key present and leaves the member as
// it is when the key is absent, empty, or no value of the member's type.
// Both settings records and the AutoConnect side's data use one binding, so
// a key behaves the same wherever it lives.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/ProfileFile.h"
#include "common/ProfileWriter.h"

namespace velmora {

struct ProfileKeyRules {
  // Only "True" and "False", exactly so, are booleans; otherwise numbers and
  // the words in any case count too (see ParseBoolean).
  bool exactBooleans = false;
  // Texts are read into a buffer of this size (folder names need more than
  // the 255 characters a number does).
  size_t textBuffer = 256;
};

class ProfileKeys {
 public:
  explicit ProfileKeys(ProfileKeyRules rules = {}) : rules_(rules) {}

  // The section of the keys bound after this call.
  ProfileKeys& In(std::string_view section);
  ProfileKeys& Key(std::string_view key, bool& member) { return Bind(key, &member); }
  ProfileKeys& Key(std::string_view key, std::int16_t& member) { return Bind(key, &member); }
  ProfileKeys& Key(std::string_view key, std::int32_t& member) { return Bind(key, &member); }
  ProfileKeys& Key(std::string_view key, float& member) { return Bind(key, &member); }
  ProfileKeys& Key(std::string_view key, std::string& member) { return Bind(key, &member); }
  // The key just bound is written but never read back.
  ProfileKeys& SavedOnly();
  // The key just bound (a number) takes only values the check accepts.
  ProfileKeys& Accept(std::function<bool(double)> check);
  ProfileKeys& Within(double first, double last) {
    return Accept([first, last](double v) { return v >= first && v <= last; });
  }

  void Recall(const ProfileDocument& profile) const;
  void Save(ProfileWriter& profile) const;

 private:
  using Member = std::variant<bool*, std::int16_t*, std::int32_t*, float*, std::string*>;
  struct Binding {
    std::string section;
    std::string key;
    Member member;
    bool recalled = true;
    std::function<bool(double)> accept;
  };
  ProfileKeys& Bind(std::string_view key, Member member);
  void RecallOne(const ProfileDocument& profile, const Binding& b) const;

  ProfileKeyRules rules_;
  std::string section_;
  std::vector<Binding> bindings_;
};

}  // namespace velmora
