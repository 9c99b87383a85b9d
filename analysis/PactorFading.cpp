#include "analysis/PactorFading.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "analysis/PactorDetectors.h"

namespace velmora {
namespace {

constexpr double kCoreHz = 25;       // a tone's lobe: within this of its frequency
constexpr double kGapHz = 10;        // half the width of a gap measured
constexpr double kCentreHz = 8;      // a lobe's top ...
constexpr double kShoulderFrom = 20, kShoulderTo = 40;  // ... and its shoulders
constexpr double kPactor2Spacing = 200;
constexpr double kGridStep = 120;    // the Pactor 3 tones' grid
constexpr int kFreeBeyond = 2;       // grid places beyond a form's outer tones that it leaves free
// The spread of one bin's density in dB on noise, a single buffer (that of
// an exponential variable, 5.57 dB), and the share the neighbours that a
// Hamming window binds together add to a mean over bins.
constexpr double kBinSpreadDb = 5.57;
constexpr double kNeighbourShare = 0.55;
constexpr int kVariants[] = {1, 2, 3, 5, 6};  // 4 has 3's tones

}  // namespace

// Which of the Pactor 3 forms, whose tones overlap, is often unclear in a
// fade: the label names the family.
std::string FadingLabel(int form) { return form == 0 ? "Pactor 2, Fading" : "Pactor 3, Fading"; }

double PactorFading::OnScore(std::size_t index) const {
  return forms_[index].tones.size() <= 2 ? rules_.onScoreTwoTones : rules_.onScore;
}

int PactorFading::FormNumber(std::size_t index) { return index == 0 ? 0 : kVariants[index - 1]; }

void PactorFading::Restart() {
  n_ = 0;
  evidence_ = {};
  heldSeconds_ = 0;
}

void PactorFading::Prepare(const PowerDensity& spectrum, float bufferSeconds, double centerFrequency) {
  const auto depth = static_cast<std::size_t>(
      std::clamp(std::lround(rules_.averageSeconds / std::max(bufferSeconds, 1e-3f)), 1L, 64L));
  if (spectrum.N() == n_ && centerFrequency == center_ && depth == depth_) return;
  n_ = spectrum.N();
  center_ = centerFrequency;
  depth_ = depth;

  forms_[0] = {{centerFrequency - kPactor2Spacing / 2, centerFrequency + kPactor2Spacing / 2},
               {centerFrequency - 3 * kPactor2Spacing / 2, centerFrequency + 3 * kPactor2Spacing / 2},
               kPactor2Spacing / 2};
  for (std::size_t i = 0; i < std::size(kVariants); ++i) {
    Form& form = forms_[i + 1];
    form = {};
    std::set<int> used;
    int closest = 18;  // grid steps between the nearest two tones
    for (int tone : Pactor3Tones(kVariants[i])) {
      if (!used.empty()) closest = std::min(closest, tone - *used.rbegin());
      form.tones.push_back(Pactor3ToneFrequency(tone));
      used.insert(tone);
    }
    // The gap beside a tone: halfway to its neighbour, or where a lone
    // tone's lobe has ended.
    form.gap = std::min(closest * kGridStep / 2, kPactor2Spacing / 2);
    for (int t = *used.begin() - kFreeBeyond; t <= *used.rbegin() + kFreeBeyond; ++t)
      if (!used.count(t)) form.free.push_back(Pactor3ToneFrequency(t));
  }

  const double reach = kPactor2Spacing / 2 + kGapHz + kShoulderTo;
  const double low = std::min(Pactor3ToneFrequency(-kFreeBeyond), centerFrequency - 3 * kPactor2Spacing / 2) - reach;
  const double high =
      std::max(Pactor3ToneFrequency(17 + kFreeBeyond), centerFrequency + 3 * kPactor2Spacing / 2) + reach;
  firstBin_ = spectrum.Bin(std::max(0.0, low));
  bins_ = spectrum.Bin(high) - firstBin_ + 1;
  resolution_ = spectrum.Resolution();
  rows_.assign(depth_ * static_cast<std::size_t>(bins_), 0.0f);
  averaged_.sums.assign(static_cast<std::size_t>(bins_) + 1, 0.0);
  now_.sums = averaged_.sums;
  for (auto& scores : nowScores_) scores.assign(depth_, 0.0f);
  filled_ = next_ = 0;
  evidence_ = {};
  heldSeconds_ = 0;
}

// The spread on noise of a contrast, a mean over the core's bins less the
// mean of two gaps' means, from that of a bin.
double PactorFading::ContrastSpread(double binSpread) const {
  const double core = 2 * kCoreHz / resolution_ + 1, gaps = 2 * (2 * kGapHz / resolution_ + 1);
  return binSpread * std::sqrt(kNeighbourShare * (1 / core + 1 / gaps)) + 1e-9;
}

void PactorFading::Follow(const PowerDensity& spectrum) {
  float* row = rows_.data() + next_ * static_cast<std::size_t>(bins_);
  for (std::int32_t b = 0; b < bins_; ++b) row[b] = spectrum.Density(firstBin_ + b);
  filled_ = std::min(filled_ + 1, depth_);
  // The mean of the dB densities over the buffers kept: noise's spread
  // shrinks, a Pactor tone, always in its place, stays.
  for (std::size_t b = 0; b < static_cast<std::size_t>(bins_); ++b) {
    double sum = 0;
    for (std::size_t r = 0; r < filled_; ++r) sum += rows_[r * static_cast<std::size_t>(bins_) + b];
    averaged_.sums[b + 1] = averaged_.sums[b] + sum / static_cast<double>(filled_);
    now_.sums[b + 1] = now_.sums[b] + row[b];
  }
  averaged_.spread = ContrastSpread(kBinSpreadDb / std::sqrt(static_cast<double>(filled_)));
  now_.spread = ContrastSpread(kBinSpreadDb);
}

double PactorFading::MeanDb(const Profile& profile, double low, double high) const {
  const auto first = std::clamp(BinOf(low, n_) - firstBin_, 0, bins_ - 1);
  const auto last = std::clamp(BinOf(high, n_) - firstBin_, first, bins_ - 1);
  return (profile.sums[static_cast<std::size_t>(last) + 1] - profile.sums[static_cast<std::size_t>(first)]) /
         (last - first + 1);
}

// How far a tone's lobe stands above the gaps on either side, in dB.
double PactorFading::Contrast(const Profile& p, double tone, double gap) const {
  return MeanDb(p, tone - kCoreHz, tone + kCoreHz) - (MeanDb(p, tone - gap - kGapHz, tone - gap + kGapHz) +
                                                      MeanDb(p, tone + gap - kGapHz, tone + gap + kGapHz)) / 2;
}

// Where the power within a tone's lobe centres: near the tone on a symbol
// stream's flat lobe, on the line itself where a harmonic or a carrier lies
// beside the tone (yet near enough to count as its lobe).
double PactorFading::LobeCentre(const Profile& p, double tone) const {
  const auto first = std::clamp(BinOf(tone - kCoreHz, n_) - firstBin_, 0, bins_ - 1);
  const auto last = std::clamp(BinOf(tone + kCoreHz, n_) - firstBin_, first, bins_ - 1);
  double power = 0, moment = 0;
  for (auto b = static_cast<std::size_t>(first); b <= static_cast<std::size_t>(last); ++b) {
    const double density = std::pow(10.0, (p.sums[b + 1] - p.sums[b]) / 10);
    power += density;
    moment += density * static_cast<double>(b + static_cast<std::size_t>(firstBin_)) * resolution_;
  }
  return power > 0 ? moment / power : tone;
}

// How far a lobe's top stands above its shoulders: a symbol stream's lobe is
// flat there, a harmonic or a carrier peaks. Taken on the tone, or where the
// lobe's power centres when that lies beyond the top: a line beside the tone
// would stand in a shoulder and make the lobe look hollow.
double PactorFading::Peakedness(const Profile& p, double tone) const {
  const double centroid = LobeCentre(p, tone);
  const double centre = std::abs(centroid - tone) > kCentreHz ? centroid : tone;
  return MeanDb(p, centre - kCentreHz, centre + kCentreHz) -
         (MeanDb(p, centre - kShoulderTo, centre - kShoulderFrom) +
          MeanDb(p, centre + kShoulderFrom, centre + kShoulderTo)) / 2;
}

// The form's evidence in units of its spread on noise: the tones' contrasts
// (each counted up to a cap, so one strong carrier cannot make a form) less
// those of the free places that stand out. Lobes peaked on average are no
// symbol streams' (shapeMatters: a single buffer's lobes are too rough to tell).
float PactorFading::Score(const Form& form, const Profile& profile, bool shapeMatters) const {
  const double cap = form.tones.size() <= 2 ? rules_.contrastCapTwoTones : rules_.contrastCapDb;
  double sum = 0, peaked = 0;
  for (double tone : form.tones) {
    sum += std::min(Contrast(profile, tone, form.gap), cap);
    if (shapeMatters) peaked += Peakedness(profile, tone);
  }
  for (double place : form.free)
    sum -= rules_.freePenalty * std::clamp(Contrast(profile, place, form.gap), 0.0, cap);
  const double count = static_cast<double>(form.tones.size());
  if (peaked / count > rules_.peakedDb) return 0;
  return static_cast<float>(sum / (profile.spread * std::sqrt(count)));
}

bool PactorFading::Detect(const PowerDensity& spectrum, float bufferSeconds, double centerFrequency, bool plainFound) {
  Prepare(spectrum, bufferSeconds, centerFrequency);
  Follow(spectrum);

  // Each form: its evidence on the average, and the median of the single
  // buffers' over the same time. A voice whose harmonics cross the grid now
  // and then can build up an average; only a link fills most buffers.
  std::size_t best = 0, starting = forms_.size();
  std::vector<float>& sorted = sorted_;
  sorted.resize(filled_);
  for (std::size_t f = 0; f < forms_.size(); ++f) {
    evidence_.averaged[f] = Score(forms_[f], averaged_, true);
    nowScores_[f][next_] = Score(forms_[f], now_, false);
    std::copy_n(nowScores_[f].begin(), filled_, sorted.begin());
    const auto middle = sorted.begin() + static_cast<std::ptrdiff_t>((filled_ - 1) / 2);
    std::nth_element(sorted.begin(), middle, sorted.end());
    evidence_.median[f] = *middle;
    const bool starts = evidence_.averaged[f] >= OnScore(f) && evidence_.median[f] >= rules_.onEachBuffer;
    if (starts && (starting == forms_.size() || evidence_.averaged[f] > evidence_.averaged[starting])) starting = f;
    if (evidence_.averaged[f] > evidence_.averaged[best]) best = f;
  }
  next_ = (next_ + 1) % depth_;
  evidence_.score = evidence_.averaged[best];
  evidence_.form = FormNumber(best);

  if (!evidence_.linkOn) {
    evidence_.linkOn = starting < forms_.size();
    if (evidence_.linkOn) linkIndex_ = starting;
    heldSeconds_ = 0;
  } else if (evidence_.averaged[linkIndex_] >= rules_.keepScore || plainFound) {
    heldSeconds_ = 0;
  } else if (evidence_.averaged[best] >= OnScore(best)) {
    linkIndex_ = best;  // the link has changed its form
    heldSeconds_ = 0;
  } else {
    heldSeconds_ += bufferSeconds;
    if (heldSeconds_ > rules_.holdSeconds) evidence_.linkOn = false;
  }
  evidence_.linkForm = evidence_.linkOn ? FormNumber(linkIndex_) : -1;
  return evidence_.linkOn;
}

}  // namespace velmora
