#include "common/ProfileKeys.h"

#include "common/ProfileValues.h"

namespace velmora {
namespace {

template <class... Visitors>
struct Overloaded : Visitors... {
  using Visitors::operator()...;
};
// Spelled out for compilers without aggregate deduction (clang before 17).
template <class... Visitors>
Overloaded(Visitors...) -> Overloaded<Visitors...>;

}  // namespace

ProfileKeys& ProfileKeys::In(std::string_view section) {
  section_ = section;
  return *this;
}

ProfileKeys& ProfileKeys::Bind(std::string_view key, Member member) {
  bindings_.push_back({section_, std::string(key), member, true, {}});
  return *this;
}

ProfileKeys& ProfileKeys::SavedOnly() {
  if (!bindings_.empty()) bindings_.back().recalled = false;
  return *this;
}

ProfileKeys& ProfileKeys::Accept(std::function<bool(double)> check) {
  if (!bindings_.empty()) bindings_.back().accept = std::move(check);
  return *this;
}

void ProfileKeys::RecallOne(const ProfileDocument& profile, const Binding& b) const {
  auto accepted = [&](double value) { return !b.accept || b.accept(value); };
  auto integer = [&](auto* member) {
    auto value = *member;
    if (RecallInteger(profile, b.section, b.key, value) && accepted(value)) *member = value;
  };
  std::visit(Overloaded{
                 [&](bool* m) {
                   if (!rules_.exactBooleans) {
                     RecallBoolean(profile, b.section, b.key, *m);
                     return;
                   }
                   auto text = profile.Read(b.section, b.key);
                   if (text == "True") *m = true;
                   if (text == "False") *m = false;
                 },
                 [&](std::int16_t* m) { integer(m); },
                 [&](std::int32_t* m) { integer(m); },
                 [&](float* m) {
                   float value = *m;
                   if (RecallSingle(profile, b.section, b.key, value) && accepted(value)) *m = value;
                 },
                 [&](std::string* m) {
                   auto text = profile.Read(b.section, b.key, rules_.textBuffer);
                   if (!text.empty()) *m = text;
                 },
             },
             b.member);
}

void ProfileKeys::Recall(const ProfileDocument& profile) const {
  for (const Binding& b : bindings_)
    if (b.recalled) RecallOne(profile, b);
}

// A value its recall would refuse is not written: the key keeps its last
// value rather than one that reads as another.
void ProfileKeys::Save(ProfileWriter& profile) const {
  for (const Binding& b : bindings_) {
    auto accepted = [&](double value) { return !b.recalled || !b.accept || b.accept(value); };
    std::visit(Overloaded{
                   [&](bool* m) { SaveBoolean(profile, b.section, b.key, *m); },
                   [&](std::int16_t* m) {
                     if (accepted(*m)) SaveInteger(profile, b.section, b.key, *m);
                   },
                   [&](std::int32_t* m) {
                     if (accepted(*m)) SaveInteger(profile, b.section, b.key, *m);
                   },
                   [&](float* m) {
                     if (accepted(*m)) SaveSingle(profile, b.section, b.key, *m);
                   },
                   [&](std::string* m) {
                     if (!b.recalled || TextReadsBack(*m, rules_.textBuffer)) SaveText(profile, b.section, b.key, *m);
                   },
               },
               b.member);
  }
}

}  // namespace velmora
