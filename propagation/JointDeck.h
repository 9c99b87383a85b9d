#pragma once
// Many blocks in one run of ICEPAC or VOACAP: the program takes circuit
// after circuit in one deck, each with its own TIME to EXECUTE cards, but
// the LINEMAX, COEFFS and ANTENNA cards only before the first EXECUTE. One
// start instead of one per block is most of what a fill costs.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class JointDeck {
 public:
  explicit JointDeck(size_t blockLimit) : blockLimit_(blockLimit) {}

  // Appends a block's own deck (as IcepacVoacapDeck writes it); false, and
  // nothing added, when the deck is full or the block's once-only cards
  // differ from the first block's.
  bool Add(std::string_view deck);
  // The cards of every block, then one QUIT.
  std::string Text() const { return text_ + "QUIT\r\n"; }

  // The output of this deck's run cut into each block's part (as
  // JointOutputSplit). The program's METHOD 26 LUF depends on what the
  // same run computed before, so a block whose cards up to its first
  // EXECUTE repeat an earlier block's (the same station's next ten
  // frequencies) takes that block's METHOD 26 page, as its own run would
  // have printed it.
  std::optional<std::vector<std::string>> OutputSplit(std::string_view output) const;

 private:
  size_t blockLimit_;
  size_t blocks_ = 0;
  std::string onceOnly_, text_;
  std::vector<std::string> firstRuns_;  // each block's cards up to its first EXECUTE
};

// The output of a joint run cut into each block's part, in deck order: each
// block's tables start on the page of its METHOD 26 table. nullopt when
// the output does not hold exactly 'blocks' such pages.
std::optional<std::vector<std::string>> JointOutputSplit(std::string_view output, size_t blocks);

}  // namespace velmora
