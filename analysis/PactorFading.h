#pragma once
// Pactor through a fading HF channel. The signal comes over two or more
// paths whose strengths wander, so notches and tilts cross the band for
// seconds at a time and the templates, which compare the shape of the whole
// band, lose the link. Here each tone is judged on its own, against the gaps
// beside it, on a spectrum averaged over about a second; the channel's tilt
// cancels within each tone's few tens of Hz, a tone in a notch only adds
// nothing. A form is heard where its tones stand out as flat-topped lobes
// and the grid places it leaves free stay free (a voice whose harmonics
// fall on the grid fills those too, with peaked lobes). Once a link is known
// to be on, it is held busy while the evidence lasts and a little beyond,
// through the deepest fades and the pauses between blocks.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/PowerDensity.h"

namespace velmora {

// The rules, as tuned on channels kept apart from those that measure them.
struct FadingRules {
  double averageSeconds = 1.1;  // the spectrum's average: about one block of a link
  double contrastCapDb = 6;     // a tone's contrast counts up to this much
  double contrastCapTwoTones = 20;  // ... in the forms of two tones, which carry all the power in them
  double freePenalty = 1;       // weight of a free grid place that stands out
  double peakedDb = 1.5;        // a form's lobes peaked by more: harmonics, not symbols
  double onScore = 12;          // the evidence that a link is on (noise's spread is about 1)
  double onScoreTwoTones = 18;  // ... for the forms of two tones
  double onEachBuffer = 3;      // and the median of the single buffers' evidence over the average
  double keepScore = 5;         // the evidence that keeps it on
  double holdSeconds = 2;       // held without evidence
};

// What the last buffer showed.
struct FadingEvidence {
  int form = -1;       // 0 Pactor 2, 1..6 the Pactor 3 forms (3 for 3 and 4); -1 none
  float score = 0;     // the best form's evidence, in units of its spread on noise
  bool linkOn = false;  // a link is held on
  int linkForm = -1;    // the form of the link held
  // Per form (Pactor 2, then forms 1, 2, 3, 5, 6): the evidence on the
  // average, and the median of the single buffers' over the same time.
  std::array<float, 6> averaged{};
  std::array<float, 6> median{};
};

// The status text of a buffer busy by the link alone: "Pactor 2, Fading" or
// "Pactor 3, Fading".
std::string FadingLabel(int form);

class PactorFading {
 public:
  explicit PactorFading(const FadingRules& rules = {}) : rules_(rules) {}

  // Sample continuity was broken (a new frequency, a restart): the average
  // and the link start again.
  void Restart();

  // One buffer: follows the average and the link. plainFound is true when
  // the templates found Pactor on this buffer, which keeps a link on.
  // Returns whether the link is on.
  bool Detect(const PowerDensity& spectrum, float bufferSeconds, double centerFrequency, bool plainFound);

  const FadingEvidence& Evidence() const { return evidence_; }

 private:
  struct Form {
    std::vector<double> tones;  // Hz
    std::vector<double> free;   // grid places the form leaves free, Hz
    double gap = 0;             // from a tone to the gap beside it, Hz
  };
  // Running sums over a row of dB densities: any band's mean at once.
  struct Profile {
    std::vector<double> sums;
    double spread = 1;  // a contrast's spread on noise, dB
  };
  void Prepare(const PowerDensity& spectrum, float bufferSeconds, double centerFrequency);
  void Follow(const PowerDensity& spectrum);
  double MeanDb(const Profile& profile, double low, double high) const;
  double Contrast(const Profile& profile, double tone, double gap) const;
  double LobeCentre(const Profile& profile, double tone) const;
  double Peakedness(const Profile& profile, double tone) const;
  float Score(const Form& form, const Profile& profile, bool shapeMatters) const;
  double ContrastSpread(double binSpread) const;
  static int FormNumber(std::size_t index);  // 0 Pactor 2, else the Pactor 3 form
  double OnScore(std::size_t index) const;   // the evidence that starts a link of the form

  FadingRules rules_;
  std::int32_t n_ = 0;
  double center_ = 0;
  double resolution_ = 1;
  std::int32_t firstBin_ = 0;
  std::int32_t bins_ = 0;
  std::size_t depth_ = 1;           // buffers averaged
  std::vector<float> rows_;         // the last depth_ buffers' densities, dB
  std::size_t filled_ = 0;
  std::size_t next_ = 0;
  Profile averaged_, now_;
  std::array<Form, 6> forms_;       // Pactor 2, then Pactor 3 forms 1, 2, 3, 5, 6
  std::array<std::vector<float>, 6> nowScores_;  // each form's evidence in the buffers averaged
  std::vector<float> sorted_;                    // for their median
  double heldSeconds_ = 0;
  std::size_t linkIndex_ = 0;       // the form of the link held, among forms_
  FadingEvidence evidence_;
};

}  // namespace velmora
