#include "tests/killsafe/FileKinds.h"

#include <cstdlib>
#include <thread>
#include <vector>

#include "airmail/AutoConnectSettings.h"
#include "airmail/StationRadioData.h"
#include "audio/MainSettings.h"
#include "audio/PlaybackFile.h"
#include "audio/Recorder.h"
#include "autoconnect/AutoConnectLog.h"
#include "common/AtomicFile.h"
#include "common/Messages.h"
#include "common/ProfileFile.h"
#include "common/ProfileWriter.h"
#include "common/RecordFile.h"
#include "reports/OptionsGrids.h"
#include "selection/NoConnectData.h"
#include "selection/ReferenceData.h"
#include "selection/StationOccupancy.h"
#include "selection/StationOffsets.h"
#include "selection/TableColumns.h"
#include "tests/common/TempFolder.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

// Rows enough for files of about a megabyte, so that a kill lands in the
// middle of a write more often than between writes.
constexpr int kRows = 12000;
constexpr int kTableRows = 1500;         // a frequency table's row is some 300 bytes
constexpr size_t kBufferSamples = 2048;  // the default sample size
const DataConditions kConditions{{2026, 12, 7, 15, 30, 0, 0}, "HAM", {41.5, -71.25}, 112.5f};

// A write that fails ends the writer, so the test sees it stopped before the kill.
void Require(bool written) {
  if (!written) std::exit(2);
}

std::string Numbered(std::string_view text, int i) { return std::string(text) + std::to_string(i); }

void WriteSettings(const fs::path& file, int variant) {
  MainSettings main;
  Default(main);
  ProfileWriter writer(file);
  AutoConnectSettings autoConnect;
  autoConnect.stationHistoryMin = variant ? -5.0f : -3.0f;
  ProfileSave(writer, main);
  ProfileSave(writer, autoConnect);
  // Lines the program does not know stay as they are, however many.
  for (int i = 0; i < kRows; ++i) writer.Write("Notes", Numbered("Note ", i), Numbered(variant ? "new " : "old ", i));
  std::error_code error;
  Require(writer.Commit(error));
}

void WriteOffsets(const fs::path& file, int variant) {
  std::vector<StationOffsetRecord> records;
  for (int i = 0; i < kRows; ++i)
    records.push_back({"SAILMAIL", Numbered("Ship, Port ", i), "7000.0 10000.0", variant ? 1.5f : -2.5f});
  std::error_code error;
  Require(WriteFileAtomically(file, StationOffsetDataText(records), error));
}

void WriteHistory(const fs::path& file, int variant) {
  GridRows rows;
  for (int i = 0; i < kRows; ++i) rows.push_back({"HAM", Numbered("W", i), "7000.0", variant ? "1.5" : "-0.5"});
  RecordingMessenger messages;
  auto text = HistoryGridText(rows, messages);
  Require(text && GridFileWrite(file, *text, "HistoryDataSave", messages));
}

void WriteRadio(const fs::path& file, int variant) {
  std::vector<StationRadioRecord> records;
  for (int i = 0; i < kRows; ++i)
    records.push_back({"SAILMAIL", Numbered("STN", i), variant ? "2" : "1", {"7000.0", "10000.0", "14000.0(p3)"}});
  std::error_code error;
  Require(WriteFileAtomically(file, StationRadioDataText(records), error));
}

// A measured table of the mode, every row a station's frequency.
FrequencyTable MeasuredTable(int mode, int variant) {
  FrequencyTable table;
  ColumnsBuild(table, mode, AutoConnectSettings(), [](std::string_view text) { return static_cast<int>(text.size()); });
  for (int i = 0; i < kTableRows; ++i) {
    int row = table.RowAdd();
    table.CellSet(row, kColumnStation, Numbered("W", i / 4));
    table.CellSet(row, kColumnFrequency, Numbered("700", i % 4) + ".0");
    table.CellSet(row, kColumnSnr, variant ? "12.0" : "8.0");
    table.CellSet(row, kColumnRef, variant ? "14" : "9");
  }
  return table;
}

void WriteReference(const fs::path& file, int variant) {
  Require(ReferenceDataWrite(MeasuredTable(kModeReferenceStations, variant), file, kConditions).empty());
}

void WriteNoConnect(const fs::path& file, int variant) {
  Require(NoConnectDataWrite(MeasuredTable(kModeNoConnectData, variant), file, kConditions, kModeMultipleStations)
              .empty());
}

// A year of hourly knowledge of 500 station frequencies.
void WriteOccupancy(const fs::path& file, int variant) {
  StationOccupancy record;
  OccupancyDay day = OccupancyDayOf(kConditions.time);
  for (int i = 0; i < kRows; ++i)
    record.Add({"HAM", Numbered("W", i / 24 / 4), Numbered("700", i / 24 % 4) + ".0", i % 24}, 3600,
               variant ? 900 : 2700, day, 30);
  std::error_code error;
  Require(StationOccupancyWrite(file, record, error));
}

void AppendRun(const fs::path& file, int variant) {
  LogRun run{kConditions.time, kConditions.ship, {}, variant ? "Connected" : "No Connect", kModeMultipleStations, 0.2f};
  run.statistics.station = variant ? "W1AW" : "KX1";
  std::error_code error;
  Require(AppendRecord(file, kAutoConnectLogHeading, AutoConnectLogRecord(run), error));
}

constexpr FileKind kKinds[] = {
    {"settings", kSettingsFileName, FileShape::kWhole, WriteSettings},
    {"offsets", kStationOffsetDataFile, FileShape::kWhole, WriteOffsets},
    {"history", "StationHistoryData.txt", FileShape::kWhole, WriteHistory},
    {"radio", kStationRadioDataFile, FileShape::kWhole, WriteRadio},
    {"occupancy", kStationOccupancyDataFile, FileShape::kWhole, WriteOccupancy},
    {"reference", "2026-12-07 153000.ref", FileShape::kWhole, WriteReference},
    {"noconnect", "2026-12-07 153000.nct", FileShape::kWhole, WriteNoConnect},
    {"runlog", "AutoConnectLog.txt", FileShape::kAppended, AppendRun},
    {"recording", "Data", FileShape::kRecording, nullptr},
};

// The heading (when the kind has one), then whole records only.
std::string AppendedFault(const WrittenContents& written, std::string_view content) {
  const std::string second = written.both.substr(written.first.size());
  const size_t headingSize = written.second.size() - second.size();
  const std::string records[] = {written.first.substr(headingSize), second};
  if (content.substr(0, headingSize) != written.first.substr(0, headingSize)) return "the heading is lost";
  for (size_t at = headingSize; at < content.size();) {
    bool whole = false;
    for (const auto& record : records)
      if (!whole && content.substr(at, record.size()) == record) at += record.size(), whole = true;
    if (!whole) return "no whole record at byte " + std::to_string(at);
  }
  return "";
}

std::vector<std::int16_t> PatternBuffer(std::int32_t buffer) {
  std::vector<std::int16_t> samples(kBufferSamples);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<std::int16_t>((buffer * 131 + static_cast<std::int32_t>(i)) % 32000);
  return samples;
}

// Buffer after buffer in order, none lost or mixed; a cut last buffer is
// never played.
std::string RecordingFault(const fs::path& file) {
  PlaybackFile playback;
  std::error_code error;
  if (!playback.Open(file, error)) return error.message();
  std::vector<std::int16_t> samples(kBufferSamples);
  for (std::int32_t buffer = 0;; ++buffer) {
    auto result = playback.Read(samples, error);
    if (result == PlaybackFile::ReadResult::kRewound || result == PlaybackFile::ReadResult::kTooShort) return "";
    if (result == PlaybackFile::ReadResult::kError) return error.message();
    if (samples != PatternBuffer(buffer)) return "buffer " + std::to_string(buffer) + " is not the one written";
  }
}

}  // namespace

const FileKind* FindFileKind(std::string_view name) {
  for (const auto& kind : kKinds)
    if (kind.name == name) return &kind;
  return nullptr;
}

std::span<const FileKind> FileKinds() { return kKinds; }

void RecordForever(const fs::path& dataFolder) {
  Recorder recorder;
  std::error_code error;
  Require(recorder.Open(dataFolder, LocalNow(), error));
  for (std::int32_t buffer = 0;; ++buffer) {
    Require(recorder.Write(PatternBuffer(buffer), error));
    // A capture delivers a buffer every few tenths of a second; a little
    // pause keeps a recording killed at a random moment small.
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
}

WrittenContents WrittenBy(const FileKind& kind) {
  if (kind.shape == FileShape::kRecording) return {};
  TempFolder scratch;
  auto written = [&](std::initializer_list<int> variants, std::string_view name) {
    for (int variant : variants) kind.write(scratch.path() / name, variant);
    return ReadBytes(scratch.path() / name);
  };
  return {written({0}, "first"), written({1}, "second"), written({0, 1}, "both")};
}

std::string KilledFileFault(const FileKind& kind, const fs::path& file, const WrittenContents& written) {
  if (kind.shape == FileShape::kRecording) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(file, error))
      if (auto fault = RecordingFault(entry.path()); !fault.empty())
        return entry.path().filename().string() + ": " + fault;
    return "";
  }
  if (!fs::exists(file)) return "the file is gone";
  const std::string content = ReadBytes(file);
  if (kind.shape == FileShape::kAppended) return AppendedFault(written, content);
  if (content == written.first || content == written.second) return "";
  return "neither the old nor the new content (" + std::to_string(content.size()) + " bytes)";
}

}  // namespace velmora::testing
