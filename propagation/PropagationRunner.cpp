#include "propagation/PropagationRunner.h"

#include <algorithm>
#include <cmath>

#include "common/TextParse.h"
#include "propagation/JointDeck.h"
#include "propagation/ModelOutput.h"

namespace velmora {
namespace {

constexpr size_t kBlockSize = 10;
constexpr std::string_view kDeckName = "RUN\\sound.dat";
constexpr std::string_view kOutputName = "RUN\\sound.out";

bool IsRec533(int model) { return model == kModelRec533; }

std::string UnableToExecute(int model) {
  switch (model) {
    case kModelIcepac: return "Unable to execute ICEPACW program.";
    case kModelVoacap: return "Unable to execute VOACAP program.";
    default: return "Unable to execute REC533 program.";
  }
}

// A folder or program with a blank in it must reach the program as one argument.
std::string Argument(const std::string& text) {
  return text.find(' ') == std::string::npos ? text : "\"" + text + "\"";
}

std::string WithoutTrailingSeparator(std::string folder) {
  while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder;
}

// The request's frequencies in blocks of at most ten.
std::vector<DeckRequest> Blocks(const DeckRequest& whole) {
  std::vector<DeckRequest> blocks;
  for (size_t first = 0; first < whole.frequencies.size(); first += kBlockSize) {
    DeckRequest block = whole;
    block.frequencies = whole.frequencies.subspan(first, std::min(kBlockSize, whole.frequencies.size() - first));
    blocks.push_back(block);
  }
  return blocks;
}

DeckRequest HoursRequest(int month, int hourCount, int firstHour, const Circuit& circuit,
                         std::span<const float> frequencies, const PropagationParameters& parameters) {
  DeckRequest request;
  request.month = month;
  request.firstHour = firstHour;
  request.hourCount = hourCount;
  request.circuit = circuit;
  request.frequencies = frequencies;
  request.parameters = parameters;
  return request;
}

}  // namespace

PropagationRunner::PropagationRunner(ModelProgram& program, Messenger& messenger, PropagationSetup setup)
    : program_(program), messenger_(messenger), setup_(std::move(setup)) {
  setup_.folder = WithoutTrailingSeparator(setup_.folder);
}

std::string PropagationRunner::FolderFile(std::string_view name) const {
  return setup_.folder + "\\" + std::string(name);
}

std::string PropagationRunner::CommandLine(int model) const {
  return Argument(FolderFile("bin_win\\" + std::string(ModelProgramName(model)))) + " " + Argument(setup_.folder) +
         " sound.dat sound.out";
}

void PropagationRunner::Fail(bool showMessage, const std::string& text) {
  if (showMessage) messenger_.Show(text);
}

bool PropagationRunner::PropagationModelCheck(int model, bool showMessage) {
  auto name = ModelProgramName(model);
  if (!name.empty() && program_.ProgramExists(JoinPath(setup_.folder, "bin_win\\" + std::string(name)))) return true;
  Fail(showMessage, "Propagation Model " + ModelDisplayName(model) +
                        " not found.\r\n\r\nPlease check that ITS HF propagation prediction software has been "
                        "installed.");
  return false;
}

bool PropagationRunner::PropagationIcepacVoacap(int model, const DeckRequest& request, PropagationHours& results,
                                                size_t firstColumn, bool showMessage) {
  return RunModel(model, request, results, firstColumn, showMessage);
}

bool PropagationRunner::PropagationRec533(const DeckRequest& request, PropagationHours& results, size_t firstColumn,
                                          bool showMessage) {
  return RunModel(kModelRec533, request, results, firstColumn, showMessage);
}

bool PropagationRunner::RunModel(int model, DeckRequest request, PropagationHours& results, size_t firstColumn,
                                 bool showMessage) {
  if (!PropagationModelCheck(model, showMessage)) return ProgramFailed();
  const bool rec533 = IsRec533(model);
  const std::string prefix = rec533 ? "PropagationRec533, " : "PropagationIcepacVoacap, ";
  std::string deck, problem;
  if (!BlockDeck(model, request, deck, problem)) {
    Fail(showMessage, prefix + "Output " + problem);
    return false;
  }
  std::optional<std::string> output;
  if (setup_.cache) {
    output = setup_.cache->Find(model, setup_.folder, deck);
    if (!output && aheadIndex_.count(deck)) {
      RunAhead(model, deck);
      output = setup_.cache->Find(model, setup_.folder, deck);
    }
  }
  const bool cached = output.has_value();
  if (!cached) output = Execute(model, deck, prefix, showMessage, 1);
  if (!output) return false;
  bool read = rec533 ? Rec533OutputRead(*output, request.hourCount, firstColumn, request.frequencies, results, problem)
                     : IcepacVoacapOutputRead(*output, request.firstHour, request.hourCount, firstColumn,
                                              request.frequencies.size(), results, problem);
  if (!read) {
    Fail(showMessage, prefix + (rec533 ? "Input " : "Input, ") + problem);
    return false;
  }
  if (setup_.cache && !cached) setup_.cache->Keep(model, setup_.folder, deck, std::move(*output));
  return true;
}

bool PropagationRunner::BlockDeck(int model, DeckRequest& request, std::string& deck, std::string& problem) const {
  request.year = setup_.year != 0 ? setup_.year : UtcNow().year;
  return IsRec533(model) ? Rec533Deck(request, deck, problem) : IcepacVoacapDeck(request, deck, problem);
}

void PropagationRunner::AheadAdd(int model, const DeckRequest& whole) {
  // REC533 takes one circuit per deck.
  if (!setup_.cache || IsRec533(model)) return;
  for (auto block : Blocks(whole)) {
    std::string deck, problem;
    // A block whose deck cannot be written says so in its own run.
    if (!BlockDeck(model, block, deck, problem) || aheadIndex_.count(deck)) continue;
    aheadIndex_.emplace(deck, ahead_.size());
    ahead_.push_back({std::move(deck), block.firstHour, block.hourCount, block.frequencies.size()});
  }
}

void PropagationRunner::AheadClear() {
  ahead_.clear();
  aheadIndex_.clear();
}

void PropagationRunner::RunAhead(int model, const std::string& deck) {
  // What one run gives must fit the cache until it is read back.
  const size_t limit = std::max<size_t>(1, std::min(setup_.blocksPerRun, setup_.cache->Capacity()));
  JointDeck joint(limit);
  std::vector<AheadBlock*> blocks;
  for (size_t i = aheadIndex_.at(deck); i < ahead_.size() && blocks.size() < limit; ++i) {
    AheadBlock& block = ahead_[i];
    if (block.tried || setup_.cache->Find(model, setup_.folder, block.deck)) continue;
    if (!joint.Add(block.deck)) break;
    block.tried = true;
    blocks.push_back(&block);
  }
  // One block alone is its own run, with its messages.
  if (blocks.size() < 2) return;
  auto output = Execute(model, joint.Text(), {}, false, blocks.size());
  auto parts = output ? joint.OutputSplit(*output) : std::nullopt;
  if (!parts) return;
  for (size_t k = 0; k < blocks.size(); ++k) {
    // Only a part that reads as a whole run's output is kept.
    PropagationHours check;
    check.Reset(blocks[k]->hourCount, blocks[k]->frequencyCount);
    std::string problem;
    if (IcepacVoacapOutputRead((*parts)[k], blocks[k]->firstHour, blocks[k]->hourCount, 0, blocks[k]->frequencyCount,
                               check, problem))
      setup_.cache->Keep(model, setup_.folder, blocks[k]->deck, std::move((*parts)[k]));
  }
}

void PropagationRunner::PropagationRunNowAhead(int model, const UtcDateTime& when,
                                               std::span<const CircuitFrequencies> circuits,
                                               const PropagationParameters& parameters) {
  for (const auto& c : circuits)
    AheadAdd(model, HoursRequest(when.month, 2, when.hour, c.circuit, c.frequencies, parameters));
}

std::optional<std::string> PropagationRunner::Execute(int model, const std::string& deck, const std::string& prefix,
                                                      bool showMessage, size_t blocks) {
  std::error_code error;
  DeckFailure failure = DeckFailure::Open;
  const auto deckFile = JoinPath(setup_.folder, kDeckName);
  if (!program_.DeckWrite(deckFile, deck, failure, error)) {
    // Named: a "RUN" folder missing or read-only is where the user must look.
    Fail(showMessage, prefix + (failure == DeckFailure::Open ? "Open " : "Output ") + ErrorText(error) + "\r" +
                          NotWrittenText(deckFile) + ".");
    // A full disk or a folder the user may not write to fails every block alike.
    ProgramFailed();
    return std::nullopt;
  }
  // An old output left in place could be read as this run's.
  if (!program_.OutputDelete(JoinPath(setup_.folder, kOutputName), error)) {
    Fail(showMessage, prefix + "Output Unable to delete \"" + FolderFile(kOutputName) + "\", " + ErrorText(error));
    ProgramFailed();
    return std::nullopt;
  }
  if (!program_.Start(CommandLine(model), error)) {
    Fail(showMessage, UnableToExecute(model) + "\r" + ErrorText(error));
    ProgramFailed();
    return std::nullopt;
  }
  // A joint run gets one block's time too: the program does its 40 blocks
  // in a fraction of a second, and the wait holds the windows still, so a
  // program that never ends must not hold them for minutes. A joint run
  // that is cut short leaves its blocks to run one by one.
  if (!program_.Wait(setup_.waitSeconds)) {
    Fail(showMessage, prefix + "Shell do not finish.");
    ProgramFailed();
    return std::nullopt;
  }
  const auto outputFile = JoinPath(setup_.folder, kOutputName);
  auto output = program_.OutputRead(outputFile, kModelOutputLimit * blocks, error);
  if (!output)
    Fail(showMessage, prefix + (IsRec533(model) ? "Input " : "Input, ") + ErrorText(error) + "\r" +
                          NotReadText(outputFile) + ".");
  return output;
}

bool PropagationRunner::RunBlock(int model, const DeckRequest& request, PropagationHours& results, size_t firstColumn) {
  // In a fill, a program that failed a block twice (missing, not started,
  // never finished, or its files not written) ends the fill's runs: the next stations' would fail the
  // same way, each holding the windows and showing its box again.
  if (fillFailed_) return false;
  programFailed_ = false;
  // The first attempt quietly; a second one shows what went wrong. A model
  // other than 1, 2 and 3 has no program and fails its check.
  for (bool showMessage : {false, true})
    if (RunModel(model, request, results, firstColumn, showMessage)) return true;
  fillFailed_ = stationCount_ > 0 && programFailed_;
  return false;
}

bool PropagationRunner::PropagationRunHours(int model, int month, int hourCount, int firstHour, const Circuit& circuit,
                                            std::span<const float> frequencies, const PropagationParameters& parameters,
                                            PropagationHours& results) {
  results.Reset(hourCount, frequencies.size());
  const DeckRequest whole = HoursRequest(month, hourCount, firstHour, circuit, frequencies, parameters);
  // This request's blocks go in one run too; outside a fill they are
  // forgotten when it is done.
  AheadAdd(model, whole);
  bool done = true;
  size_t first = 0;
  for (const auto& block : Blocks(whole)) {
    done = RunBlock(model, block, results, first);
    if (!done) break;
    first += block.frequencies.size();
  }
  if (stationCount_ == 0) AheadClear();
  return done;
}

void PropagationRunner::StationsBegin(int stationCount) {
  AheadClear();
  fillFailed_ = false;
  station_ = 0;
  stationCount_ = stationCount;
}

void PropagationRunner::StationsEnd() {
  bool shown = stationCount_ > 0;
  station_ = stationCount_ = 0;
  fillFailed_ = false;
  AheadClear();
  if (shown && setup_.progress) setup_.progress->PredictionProgressDone();
}

bool PropagationRunner::PropagationRunNow(int model, const UtcDateTime& when, const Circuit& circuit,
                                          std::span<const float> frequencies, const PropagationParameters& parameters,
                                          PredictionNow& result) {
  if (setup_.progress && stationCount_ > 0) {
    station_ = std::min(station_ + 1, stationCount_);
    setup_.progress->PredictionProgressShow(station_, stationCount_);
  }
  PropagationHours hours;
  if (!PropagationRunHours(model, when.month, 2, when.hour, circuit, frequencies, parameters, hours)) return false;
  const double m = when.minute / 60.0;
  auto at = [m](double first, double second) { return first + (second - first) * m; };
  const auto &h1 = hours.hours[0], &h2 = hours.hours[1];
  PredictionNow now;
  now.luf = at(h1.luf, h2.luf);
  now.muf = at(h1.muf, h2.muf);
  now.transmitterAzimuth = hours.transmitterAzimuth;
  now.receiverAzimuth = hours.receiverAzimuth;
  now.pathLength = hours.pathLength;
  for (size_t k = 0; k < frequencies.size(); ++k) {
    const auto &a = h1.frequencies[k], &b = h2.frequencies[k];
    FrequencyPrediction f;
    f.mode = std::string(Mid(when.minute < 30 ? a.mode : b.mode, 1));
    f.takeoffAngle = at(a.takeoffAngle, b.takeoffAngle);
    f.delay = at(a.delay, b.delay);
    f.virtualHeight = at(a.virtualHeight, b.virtualHeight);
    f.signal = at(a.signal, b.signal);
    f.noise = at(a.noise, b.noise);
    f.snr = at(a.snr, b.snr);
    f.snrSlope = b.snr - a.snr;
    now.frequencies.push_back(std::move(f));
  }
  result = std::move(now);
  return true;
}

}  // namespace velmora
