#pragma once
// The waterfall as pixels: one row per buffer, newest on top, each column
// the strongest bin under it coloured by its level over the spectrum
// display's range (dark is quiet, bright is strong), and at the right edge
// a narrow strip in the colour of each buffer's verdict. The rows are kept
// in a ring as well, so a new buffer costs one row, not a whole picture;
// anything else that changes (size, range, zoom, levels, colours) draws it
// all again from the history.
#include <array>
#include <cstdint>
#include <vector>

#include "display/DisplayViews.h"
#include "display/WaterfallHistory.h"

namespace velmora {

// 0xRRGGBB, as a 32-bit top-down bitmap holds it.
using Rgb = std::uint32_t;

inline constexpr int kVerdictStripWidth = 8;  // pixels, with one more of background beside it

// The palette of levels (index 0 the quietest) and the verdict colours:
// red busy, amber noise, green free, grey no input; in black and white,
// ink for strength, black busy and white free.
Rgb LevelColour(int index, bool colour);
Rgb VerdictColour(VerdictKind kind, bool colour);
Rgb WaterfallBackground(bool colour);

class WaterfallImage {
 public:
  // Brings the picture up to date with the history for this view (the
  // spectrum's range on a picture `view.width` wide) and height.
  void Update(const WaterfallHistory& history, const SpectrumView& view, int height, bool colour);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Row y of the picture (0 the top, the newest buffer).
  const Rgb* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(StoreRow(y)) * width_; }
  // The store: rows from TopRow() to the end come first on the picture,
  // then those from 0.
  const Rgb* Store() const { return pixels_.data(); }
  int TopRow() const { return top_; }

  // How often the whole picture and single rows were drawn (for the tests).
  std::uint64_t FullDraws() const { return fullDraws_; }
  std::uint64_t RowDraws() const { return rowDraws_; }

 private:
  struct Key {
    int width = -1, height = -1;
    std::int32_t n = 0, firstBin = 0, binCount = 0, bins = 0;
    double levelTop = 0, levelBottom = 0;
    bool colour = false;
    std::uint64_t generation = 0;
    bool operator==(const Key&) const = default;
  };
  int StoreRow(int y) const { return (top_ + y) % height_; }
  void MapColumns(const SpectrumView& view, std::int32_t bins);
  void DrawRow(const WaterfallHistory& history, std::size_t age, Rgb* row) const;
  void BlankRow(Rgb* row) const;

  Key key_;
  int width_ = 0, height_ = 0;
  int top_ = 0;                     // store row shown at the top
  std::uint64_t drawnAdded_ = 0;    // history lines already in the picture
  std::vector<Rgb> pixels_;
  std::vector<std::int32_t> columnFirst_, columnLast_;  // bins under each column
  double levelBottom_ = 0, indexPerDb_ = 0;
  std::array<Rgb, 256> palette_{};
  std::uint64_t fullDraws_ = 0, rowDraws_ = 0;
};

}  // namespace velmora
