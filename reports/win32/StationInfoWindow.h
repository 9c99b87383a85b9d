#pragma once
// The station information window (`frmStationInfo`): AirMail's
// "FreqList.rtf" in a read-only rich-text view, a station's name selected
// in it, the stations with a directional antenna in a drop-down list, and
// the range and bearings of the station shown.
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/Messages.h"
#include "common/win32/ToolWindow.h"
#include "reports/FreqListDocument.h"
#include "reports/StationInfoLabels.h"

namespace velmora {

inline constexpr const char* kStationInfoCaption = "Station Info";

class StationInfoWindow final : public ToolWindow {
 public:
  // `labels` gives the range and bearings of a station.
  StationInfoWindow(HWND owner, Messenger& messenger, std::function<StationInfoLabels(const std::string&)> labels);

  // Makes the window and loads the document into its view; a document
  // that cannot be read is told and leaves the view empty.
  bool Load(const std::filesystem::path& freqList);
  // The beam list, nearest first.
  void ShowBeams(const std::vector<std::string>& stations);
  // Selects the station's name in the view and in the beam list and shows
  // its range and bearings; the window comes to the front.
  void ShowStation(const std::string& station);

  HWND View() const { return view_; }
  // The document as the view holds it, read by colour.
  const FreqListDocument& Document() const { return document_; }
  std::string SelectedText() const;
  std::vector<std::string> BeamList() const;
  StationInfoLabels Labels() const;

 private:
  bool OnCreate() override;
  void OnSize(int width, int height) override;
  bool OnCommand(int id, int code) override;
  void OnBeamChosen();

  Messenger& messenger_;
  std::function<StationInfoLabels(const std::string&)> labels_;
  HWND beams_ = nullptr;
  HWND view_ = nullptr;
  HWND range_ = nullptr, bearingTo_ = nullptr, bearingFrom_ = nullptr;
  FreqListDocument document_{ColouredText{}};
  // The document in the view, when it was read whole: its last write (to
  // the 100 ns) and size, as the runtime's times are whole seconds.
  struct FileStamp {
    std::uint64_t written = 0, size = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
  };
  static std::optional<FileStamp> StampOf(const std::filesystem::path& file);
  std::filesystem::path loaded_;
  FileStamp loadedStamp_;
};

}  // namespace velmora
