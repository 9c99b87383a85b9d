#pragma once
// The detector values the AutoConnect side reads and the flags it sets
// between buffers: buffer duration and levels, the per-connection Pactor
// counts, the three flags that switch the detector chain, and the centre
// frequency. A flag or centre set here takes effect with the next buffer.
#include <cstdint>

namespace velmora {

class DetectorValues {
 public:
  virtual ~DetectorValues() = default;

  virtual float BufferSeconds() const = 0;  // samples of the buffer in hand / 11025
  virtual float BufferLevel() const = 0;    // the buffer's signal level, dB, copied at each Detect
  virtual float PulseValue() const = 0;     // dB; kept where the pulse detector did not run
  virtual float FaxLevel() const = 0;
  virtual float FaxSnr() const = 0;
  virtual bool FaxDetected() const = 0;
  virtual float WwvValue() const = 0;
  virtual bool WwvDetected() const = 0;

  // Detections since the counts were last emptied (at each connection attempt).
  virtual std::int32_t Pactor2Count() const = 0;
  virtual std::int32_t Pactor3Count(int variant) const = 0;  // 1..6; 0 for any other
  virtual void PactorCountsReset() = 0;

  // A calling or scanning run is in progress: the pulse detector runs
  // whatever the Pulse setting says.
  virtual bool AutoConnectActive() const = 0;
  virtual void SetAutoConnectActive(bool active) = 0;
  // The reference row measured takes the FAX or the WWV path.
  virtual bool ReferenceFax() const = 0;
  virtual void SetReferenceFax(bool on) = 0;
  virtual bool ReferenceWwv() const = 0;
  virtual void SetReferenceWwv(bool on) = 0;

  virtual float CenterFrequency() const = 0;  // "Center Frequency"
  virtual void SetCenterFrequency(float hz) = 0;
  virtual bool CenterFrequencyAuto() const = 0;            // "Center Frequency Auto"
  virtual float CenterFrequencyAutoFrequency() const = 0;  // "Center Frequency Auto Frequency"
  virtual void SetCenterFrequencyAutoFrequency(float hz) = 0;
};

// The centre frequency for a frequency-table row, when it follows AirMail's
// decoder settings: 1500 Hz for a row without Pactor 3, the decoder's centre
// tone for a Pactor 3 row. Nothing changes while the automatic setting is off.
void CenterFrequencySet(DetectorValues& values, bool pactor3Row);
// At the end of a run: back to the decoder's centre tone (automatic setting on).
void CenterFrequencyRestore(DetectorValues& values);

}  // namespace velmora
