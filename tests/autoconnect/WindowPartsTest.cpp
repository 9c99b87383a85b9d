// What the AutoConnect window puts between the engine and the rest: its
// fields as values (every setting comes back from its field unchanged, a
// text that is no number keeps the setting and says so), the frequency
// table as the engine's table, and AirMail's station field.
#include <gtest/gtest.h>

#include "autoconnect/GridEngineTable.h"
#include "autoconnect/OptionFields.h"
#include "autoconnect/StationFieldTerminal.h"
#include "selection/TableColumns.h"
#include "tests/autoconnect/EngineFakes.h"
#include "tests/common/CommaLocale.h"

namespace velmora {
namespace {

FieldValue& FieldNamed(FieldValues& values, std::string_view name) {
  return values.at(static_cast<size_t>(OptionField(name) - OptionFields().data()));
}

// A value other than the default in every setting a field holds.
AutoConnectSettings Changed() {
  AutoConnectSettings s;
  s.modeIndex = kModeReferenceStations;  // the radio's fields count in mode 3 only
  s.connectSystemIndex = 2, s.connectStationIndex = 3, s.connectTxOnly = true;
  s.connectAttempts = 4, s.connectNotBusy = 5.5f;
  s.autoSelectAllStations = false, s.autoSelectAllStationsLimit = 6, s.autoSelectRangeMax = 2500.5f;
  s.autoSelectPactorMode = 2, s.autoSelectSnr = false, s.autoSelectSnrThreshold = 42.25f;
  s.autoSelectSnrTopFrequencies = 3, s.autoSelectAddSnrSlope = true, s.autoSelectHighestFrequency = false;
  s.autoSelectHighestSnrRange = 4.5f, s.autoSelectReference = true, s.autoSelectReferenceTopFrequencies = 2;
  s.autoSelectReferenceRangeLimit = 35, s.autoSelectReferenceFrequencyLimit = 25, s.autoSelectNoise = true;
  s.autoSelectNoiseThreshold = 33, s.autoSelectNoiseTopFrequencies = 2, s.autoSelectNoiseInterval = 1.5f;
  s.referenceStationSystemIndex = 1, s.referenceStationStationIndex = 4, s.referenceStationSelectStation = true;
  s.referenceStationAllStations = false, s.referenceStationAllStationsLimit = 7, s.referenceStationAverage = 8.5f;
  s.referenceStationSMeter = false, s.radioCommPort = 5, s.radioIcomAddress = 94;
  s.referenceDataReference = 1, s.referenceDataRecomputeDifference = true, s.referenceDataRecompute = true;
  s.noConnectData = true, s.noConnectDataRecalculate = true, s.noConnectDataRecalculateDifference = true;
  s.scanStationSystemIndex = 1, s.scanStationSystemsLimit = 12, s.scanStationPactorMode = 0;
  s.scanStationNotBusy = 2.5f;
  return s;
}

TEST(WindowFields, EverySettingComesBackFromItsField) {
  for (const AutoConnectSettings& shown : {AutoConnectSettings{}, Changed()}) {
    RecordingMessenger messages;
    AutoConnectSettings read;
    SettingsFromFields(FieldsFromSettings(shown), read, messages);
    EXPECT_EQ(read, shown);
    EXPECT_TRUE(messages.entries.empty());
  }
}

// Whatever the locale's decimal sign.
TEST(WindowFields, ATextThatIsNoNumberKeepsTheSettingAndSaysSo) {
  testing::CommaLocale comma;
  // expected: the setting afterwards; message: a part of the message, or empty for none.
  struct Case { const char *field, *text; int mode; float expected; const char* message; };
  const Case cases[] = {
      {"txtConnectAttempts", "3000000000", 2, 10, "\"Connect Attempts\" must be a whole number"},
      {"txtConnectAttempts", "12abc", 2, 10, "\"Connect Attempts\" must be a whole number"},
      {"txtConnectAttempts", " 7.5 ", 2, 8, ""}, {"txtConnectAttempts", "2.5", 2, 2, ""},
      {"txtConnectAttempts", "+4", 2, 4, ""},
      {"txtConnectAttempts", "0", 2, 10, "\"Connect Attempts\" must be a whole number from 1 to 2147483647"},
      {"txtConnectNotBusy", "7s", 2, 7, "\"Connect Not Busy\" must be a number"},
      {"txtConnectNotBusy", "0", 2, 7, "\"Connect Not Busy\" must be a number above 0"},
      {"txtConnectNotBusy", "1e-50", 2, 7, "\"Connect Not Busy\" must be a number above 0"},
      {"txtConnectNotBusy", "", 2, 7, "\"Connect Not Busy\" must be a number"},
      {"txtConnectNotBusy", "nan", 2, 7, "\"Connect Not Busy\" must be a number"},
      {"txtConnectNotBusy", "1e39", 2, 7, "\"Connect Not Busy\" must be a number"},
      {"txtConnectNotBusy", "7,5", 2, 7.5f, ""}, {"txtConnectNotBusy", " 7.5 ", 2, 7.5f, ""},
      {"txtReferenceRadioCommPort", "70000", 3, 8,
       "SettingsFromWindow, \"Radio Comm Port\" must be a whole number from -32768 to 32767, not \"70000\".  "
       "The previous value 8 is kept."},
      {"txtReferenceRadioCommPort", "-3", 3, -3, ""},
      {"txtReferenceRadioCommPort", "5", 2, 8, ""},  // not shown in mode 2: not taken
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " " + c.text);
    AutoConnectSettings settings;
    settings.modeIndex = static_cast<std::int16_t>(c.mode);
    auto fields = FieldsFromSettings(settings);
    FieldNamed(fields, c.field).text = c.text;
    RecordingMessenger messages;
    SettingsFromFields(fields, settings, messages);
    float value = std::string_view(c.field) == "txtConnectAttempts" ? static_cast<float>(settings.connectAttempts)
                  : std::string_view(c.field) == "txtConnectNotBusy" ? settings.connectNotBusy
                                                                      : static_cast<float>(settings.radioCommPort);
    EXPECT_EQ(value, c.expected);
    ASSERT_EQ(messages.entries.size(), *c.message ? 1u : 0u);
    const std::string told = *c.message ? messages.entries[0].text : "";
    EXPECT_NE(told.find(c.message), std::string::npos) << told;
    EXPECT_EQ(told.find("is kept") != std::string::npos, *c.message != 0) << told;
  }
}

// Both options of a group on in a file: the first is shown; a list with
// nothing chosen keeps its index.
TEST(WindowFields, AGroupWithBothOnShowsTheFirstAndAListWithNoneKeepsItsIndex) {
  AutoConnectSettings settings;
  settings.autoSelectSnr = settings.autoSelectReference = true;
  settings.connectStationIndex = 4;
  auto fields = FieldsFromSettings(settings);
  EXPECT_TRUE(FieldNamed(fields, "optAutoSelectSnr").checked);
  EXPECT_FALSE(FieldNamed(fields, "optAutoSelectReference").checked);
  FieldNamed(fields, "cmbConnectStation").index = -1;
  FieldNamed(fields, "cmbMode").index = -1;
  RecordingMessenger messages;
  SettingsFromFields(fields, settings, messages);
  EXPECT_EQ(settings.connectStationIndex, 4);
  EXPECT_EQ(settings.modeIndex, kModeMultipleStations);
}

// Which rows the runs list and the cells they write and colour, the window's
// runs show (AutoConnectWindowTest); here, what those runs never reach.
TEST(GridEngineTable, TheEngineWorksOnTheTablesColumns) {
  FrequencyTable table;
  ColumnsBuild(table, kModeMultipleStations, {}, [](std::string_view text) { return static_cast<int>(text.size()); });
  int row = table.RowAdd();
  table.CellSet(row, kColumnStation, "W1AW");
  table.CellSet(row, kColumnSnr, "12");
  GridEngineTable engine(table);
  EXPECT_EQ(engine.CellText(1, EngineColumn::Snr), "12");
  EXPECT_EQ(engine.CellText(0, EngineColumn::Station), "") << "the heading is no row of the engine's";
  EXPECT_EQ(engine.CellText(2, EngineColumn::Station), "") << "a cursor past the last row";
  engine.FrequencyCellBlink(1, EngineColumn::TxConnect);
  EXPECT_TRUE(table.BlinkActive());
  engine.FrequencyCellBlinkStop();
  EXPECT_FALSE(table.BlinkActive());
}

TEST(StationFieldTerminal, SailmailStationsGoInByTheirNames) {
  testing::ScriptedTerminal inner;
  StationFieldTerminal terminal(inner, [](std::string_view system, std::string_view key) {
    return key == "WLO" ? std::string("Mobile, AL") : std::string();
  });
  terminal.TerminalSelectSystem("SAILMAIL");
  terminal.TerminalSelectStation("WLO");
  terminal.TerminalSelectSet("HP9X", "8146.0");  // no name: the key as it is
  terminal.TerminalSelectSystem("HAM");
  terminal.TerminalSelectSet("WLO", "14105.0");
  EXPECT_EQ(inner.Calls(), "S:SAILMAIL N:Mobile, AL T:HP9X/8146.0 S:HAM T:WLO/14105.0");
}

}  // namespace
}  // namespace velmora
