#pragma once
// The frequency table as the AutoConnect steps use it: walking the checked
// rows of the Rx Check and Tx Connect columns (the Frequency column in the
// reference modes), colouring and blinking the cell being worked on,
// reading a row's station, predicted SNR and Pactor 3 mark, and writing
// the measurements. Rows count from 1; cursor 0 stands before the first row.
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

enum class EngineColumn { RxCheck, TxConnect, Station, Snr, P3, Frequency, RxPwr, RxSnr, Ref, Noise };

class EngineTable {
 public:
  virtual ~EngineTable() = default;
  // Moves the cursor on by one and then to the next row whose box in the
  // column is checked; that row's frequency, or empty with the cursor past
  // the last row.
  virtual std::string FrequencyListNext(int& row, EngineColumn column) = 0;
  // Sets the back colour and scrolls the row into view.
  virtual void FrequencyCellColor(int row, EngineColumn column, std::uint32_t colour) = 0;
  virtual void FrequencyCellBlink(int row, EngineColumn column) = 0;
  virtual void FrequencyCellBlinkStop() = 0;
  // The cell's text; for the check-box columns the frequency alone.
  virtual std::string CellText(int row, EngineColumn column) = 0;
  virtual void CellSet(int row, EngineColumn column, std::string_view text) = 0;
  virtual int DataRows() = 0;
};

}  // namespace velmora
