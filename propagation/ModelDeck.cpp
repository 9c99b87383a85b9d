#include "propagation/ModelDeck.h"

#include <cmath>

#include "common/Format.h"
#include "propagation/FortranFormat.h"

namespace velmora {
namespace {

constexpr std::string_view kTransmitterAntenna =
    "ANTENNA       1    1    2   30     0.000[DEFAULT\\CONST17.VOA  ]  0.0    0.1000";
constexpr std::string_view kReceiverAntenna =
    "ANTENNA       2    2    2   30     0.000[DEFAULT\\SWWHIP.VOA   ]  0.0    0.0000";
constexpr size_t kFieldColumn = 11;

// Writes cards: a keyword in column 1, text and fields at given columns.
// The first value that does not fit its field is remembered as the problem.
class CardWriter {
 public:
  CardWriter& Card(std::string_view keyword) {
    EndLine();
    keyword_ = keyword;
    line_ = keyword;
    return *this;
  }
  CardWriter& At(size_t column) {
    if (line_.size() > column - 1 && problem_.empty())
      problem_ = "The " + keyword_ + " card runs past column " + std::to_string(column) + ".";
    if (line_.size() < column - 1) line_.append(column - 1 - line_.size(), ' ');
    return *this;
  }
  CardWriter& Text(std::string_view text) {
    line_ += text;
    return *this;
  }
  CardWriter& Field(double value, std::string_view format) {
    auto field = FortranFormat(value, format);
    if (field) {
      line_ += *field;
    } else if (problem_.empty()) {
      problem_ = "The value " + ShortestSingle(static_cast<float>(value)) + " does not fit the field " +
                 std::string(format) + " of the " + keyword_ + " card.";
    }
    return *this;
  }
  // Latitude as F6.2 and its N/S letter, longitude likewise with E/W.
  CardWriter& Latitude(double value) { return Field(std::fabs(value), "F6.2").Text(value > 0 ? "N" : "S"); }
  CardWriter& Longitude(double value) { return Field(std::fabs(value), "F6.2").Text(value > 0 ? "E" : "W"); }

  bool Finish(std::string& deck, std::string& problem) {
    EndLine();
    if (!problem_.empty()) {
      problem = problem_;
      return false;
    }
    deck = std::move(text_);
    return true;
  }

 private:
  void EndLine() {
    if (!keyword_.empty()) text_ += line_ + "\r\n";
    keyword_.clear();
    line_.clear();
  }
  std::string text_, line_, keyword_, problem_;
};

}  // namespace

bool IcepacVoacapDeck(const DeckRequest& r, std::string& deck, std::string& problem) {
  const auto& p = r.parameters;
  CardWriter w;
  w.Card("LINEMAX      55");
  w.Card("COEFFS").At(kFieldColumn).Text(p.ionCoefficients);
  w.Card("TIME").At(kFieldColumn);
  w.Field(r.firstHour, "I5").Field(r.firstHour + r.hourCount - 1, "I5").Field(1, "I5").Field(1, "I5");
  w.Card("MONTH").At(kFieldColumn).Field(r.year, "I5").Field(r.month, "I5");
  w.Card("SUNSPOT").At(kFieldColumn).Field(p.sunSpotNumber, "F5.1").Field(p.qIndex, "F5.1");
  w.Card("LABEL     XMTR                  RCVR");
  w.Card("CIRCUIT").At(10).Latitude(r.circuit.transmitter.latitude);
  w.At(20).Longitude(r.circuit.transmitter.longitude);
  w.At(30).Latitude(r.circuit.receiver.latitude);
  w.At(40).Longitude(r.circuit.receiver.longitude);
  w.At(51).Field(0, "I5");
  w.Card("SYSTEM").At(kFieldColumn).Field(1, "F5.1").Field(-p.noiseLevel, "F5.0").Field(p.takeoffAngle, "F5.1");
  w.Field(p.reliability, "F5.1").Field(40, "F5.1").Field(p.multipathPower, "F5.1").Field(p.multipathDelay, "F5.1");
  w.Card("FPROB").At(kFieldColumn).Field(p.layerAdjustE, "F5.2").Field(p.layerAdjustF1, "F5.2");
  w.Field(p.layerAdjustF2, "F5.2").Field(p.layerAdjustEs, "F5.2");
  w.Card(kTransmitterAntenna);
  w.Card(kReceiverAntenna);
  w.Card("METHOD       26    0");
  w.Card("EXECUTE");
  w.Card("FREQUENCY").At(kFieldColumn);
  for (float f : r.frequencies) w.Field(static_cast<double>(f) / 1000, "F5.1");
  w.Card("METHOD       20    0");
  w.Card("EXECUTE");
  w.Card("QUIT");
  return w.Finish(deck, problem);
}

bool Rec533Deck(const DeckRequest& r, std::string& deck, std::string& problem) {
  const auto& p = r.parameters;
  CardWriter w;
  w.Card("OUTPUT        6    0");
  w.Card("COEFFS").At(kFieldColumn).Text(p.ionCoefficients);
  w.Card("SUNSPOT").At(kFieldColumn).Field(p.sunSpotNumber, "F5.1");
  w.Card("TIME").At(kFieldColumn).Field(r.firstHour, "I5").Field(r.firstHour + r.hourCount - 1, "I5").Field(1, "I5");
  w.Card("MONTH").At(kFieldColumn).Field(r.year, "I5").Field(r.month, "I5");
  w.Card("TRANS").At(kFieldColumn).Text("Transmit").At(32).Latitude(r.circuit.transmitter.latitude);
  w.At(43).Longitude(r.circuit.transmitter.longitude).Text("  S     D");
  w.Card("RECVR").At(kFieldColumn).Text("Receieve").At(32).Latitude(r.circuit.receiver.latitude);
  w.At(43).Longitude(r.circuit.receiver.longitude).Text("  S     D");
  w.Card("SYST").At(kFieldColumn).Text("     1.0000").Field(p.takeoffAngle, "F5.2").Text("    0  0.0");
  w.Card(kTransmitterAntenna);
  w.Card(kReceiverAntenna);
  w.Card("NOIS").At(kFieldColumn).Field(p.noiseLevel, "I5").Field(1, "I5").Field(40, "I5").Field(p.reliability, "I5");
  w.Card("FREQ").At(kFieldColumn);
  for (float f : r.frequencies) w.Field(static_cast<double>(f) / 1000, "F7.1");
  w.Card("EXEC");
  w.Card("QUIT");
  return w.Finish(deck, problem);
}

}  // namespace velmora
