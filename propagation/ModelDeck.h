#pragma once
// The input decks of the ITS HF programs: ICEPAC and VOACAP read one card
// layout, REC533 another. The programs read every card by column; a field
// one column off stops them with a read error, so every field is placed at
// its column and a value too wide for its field refuses the whole deck.
#include <span>
#include <string>

#include "propagation/PropagationParameters.h"

namespace velmora {

struct DeckRequest {
  int year = 0;  // the MONTH card's year: the clock's, as the runner's setup gives it
  int month = 1;
  int firstHour = 0;
  int hourCount = 1;
  Circuit circuit;
  std::span<const float> frequencies;  // kHz, written in MHz with one decimal
  PropagationParameters parameters;
};

// The deck's text, lines ended by CR LF, in 'deck'; false with the reason
// in 'problem' when a value does not fit its field.
bool IcepacVoacapDeck(const DeckRequest& request, std::string& deck, std::string& problem);
bool Rec533Deck(const DeckRequest& request, std::string& deck, std::string& problem);

}  // namespace velmora
