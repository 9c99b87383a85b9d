#pragma once
// The detector settings of the signal side, as the user sets them in the
// Options dialog and the settings file keeps them ("Detector Data").

namespace velmora {

struct DetectorSettings {
  bool burstEnabled = false;
  float burstThreshold = 35;
  float centerFrequency = 1700;
  bool centerFrequencyAuto = true;
  float centerFrequencyAutoFrequency = 1700;
  bool cwMode = false;
  float cwFrequency = 1700;
  float cwRange = 50;
  float cwThreshold = 20;
  bool debugEnabled = false;
  float debugData = 0;
  bool faxMode = false;
  float faxThreshold = 40;
  float offsetFrequencyRange = 0;
  float offsetFrequencyStep = 20;
  bool pactor2Enabled = true;
  float pactor2Threshold = 40;
  bool pactor3Enabled = true;
  float pactor3Threshold = 35;
  // Pactor 3 scored over 200 to 2800 Hz instead of 400 to 2600 Hz: room
  // for the baseline beside the widest form's outer tones.
  bool pactor3WideBand = false;
  // A detector for digital modems other than Pactor (OFDM, FSK, PSK, MFSK):
  // the channel reads busy while one is on.
  bool digitalBusy = false;
  // Pactor held busy through a fading channel: tone by tone, and across the
  // fades and pauses of a link known to be on.
  bool pactorFading = false;
  bool peakEnabled = false;
  float peakThreshold = 20;
  bool powerEnabled = true;
  float powerThreshold = 10;
  bool pulseEnabled = false;
  float pulseThreshold = 10;
  bool wwvMode = false;
  float wwvThreshold = 30;

  bool operator==(const DetectorSettings&) const = default;
};

}  // namespace velmora
