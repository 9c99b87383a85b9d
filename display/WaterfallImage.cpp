#include "display/WaterfallImage.h"

#include <algorithm>
#include <cmath>

namespace velmora {
namespace {

constexpr Rgb Pack(int r, int g, int b) {
  return static_cast<Rgb>((r << 16) | (g << 8) | b);
}

// Colour by level: from the display's dark blue through blue, cyan and
// yellow to white, brighter at every step, so strength reads without a key.
struct Stop {
  double at;
  int r, g, b;
};
constexpr Stop kStops[] = {
    {0.0, 0, 0, 40}, {0.3, 0, 40, 200}, {0.55, 0, 200, 220}, {0.8, 250, 230, 0}, {1.0, 255, 255, 255},
};

}  // namespace

Rgb LevelColour(int index, bool colour) {
  index = std::clamp(index, 0, 255);
  if (!colour) {
    const int grey = 255 - index;  // ink on white paper
    return Pack(grey, grey, grey);
  }
  const double t = index / 255.0;
  for (std::size_t i = 1; i < std::size(kStops); ++i) {
    const Stop& a = kStops[i - 1];
    const Stop& b = kStops[i];
    if (t <= b.at) {
      const double f = (t - a.at) / (b.at - a.at);
      auto mix = [f](int from, int to) { return static_cast<int>(std::lround(from + (to - from) * f)); };
      return Pack(mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b));
    }
  }
  return Pack(255, 255, 255);
}

Rgb VerdictColour(VerdictKind kind, bool colour) {
  switch (kind) {
    case VerdictKind::Busy:
      return colour ? Pack(230, 0, 0) : Pack(0, 0, 0);
    case VerdictKind::Noise:
      return colour ? Pack(255, 150, 0) : Pack(128, 128, 128);
    case VerdictKind::Free:
      return colour ? Pack(0, 190, 0) : Pack(255, 255, 255);
    case VerdictKind::NoInput:
    default:
      return colour ? Pack(90, 90, 90) : Pack(200, 200, 200);
  }
}

Rgb WaterfallBackground(bool colour) { return colour ? Pack(0, 0, 40) : Pack(255, 255, 255); }

void WaterfallImage::Update(const WaterfallHistory& history, const SpectrumView& view, int height, bool colour) {
  const Key key{view.width, height, view.n, view.firstBin, view.binCount, history.Bins(),
                view.levelTop, view.levelBottom, colour, history.Generation()};
  if (view.width <= 0 || height <= 0) {
    key_ = key;
    width_ = height_ = 0;
    pixels_.clear();
    return;
  }
  const std::uint64_t fresh = history.Added() - drawnAdded_;
  const bool whole = !(key == key_) || history.Added() < drawnAdded_ || fresh >= static_cast<std::uint64_t>(height);
  drawnAdded_ = history.Added();
  if (whole) {
    key_ = key;
    width_ = view.width;
    height_ = height;
    top_ = 0;
    pixels_.assign(static_cast<std::size_t>(width_) * height_, WaterfallBackground(colour));
    for (int i = 0; i < 256; ++i) palette_[static_cast<std::size_t>(i)] = LevelColour(i, colour);
    levelBottom_ = view.levelBottom;
    const double span = view.levelTop - view.levelBottom;
    indexPerDb_ = span > 0 ? 255 / span : 0;
    MapColumns(view, history.Bins());
    for (int y = 0; y < height_; ++y) {
      Rgb* row = pixels_.data() + static_cast<std::size_t>(y) * width_;
      if (static_cast<std::size_t>(y) < history.Count())
        DrawRow(history, static_cast<std::size_t>(y), row);
      else
        BlankRow(row);
    }
    ++fullDraws_;
    return;
  }
  // Only the new lines: the ring of rows turns by their number.
  const int lines = static_cast<int>(fresh);
  top_ = (top_ - lines % height_ + height_) % height_;
  for (int y = 0; y < lines; ++y) {
    DrawRow(history, static_cast<std::size_t>(y), pixels_.data() + static_cast<std::size_t>(StoreRow(y)) * width_);
    ++rowDraws_;
  }
  // Lines the history has let go of leave the picture too.
  const int kept = static_cast<int>(std::min<std::size_t>(history.Count(), static_cast<std::size_t>(height_)));
  for (int y = kept; y < std::min(height_, kept + lines); ++y)
    BlankRow(pixels_.data() + static_cast<std::size_t>(StoreRow(y)) * width_);
}

void WaterfallImage::MapColumns(const SpectrumView& view, std::int32_t bins) {
  // Column x shows the bins the spectrum trace puts at x (bin FirstBin + j - 1
  // lies at PixelsPerBin * j); between two of them, the nearer one.
  columnFirst_.resize(static_cast<std::size_t>(width_));
  columnLast_.resize(static_cast<std::size_t>(width_));
  const double perBin = view.pixelsPerBin > 0 ? view.pixelsPerBin : 1;
  const std::int32_t count = std::max(view.binCount, 1);
  const std::int32_t lastBin = std::max(bins - 1, 0);
  for (int x = 0; x < width_; ++x) {
    auto first = static_cast<std::int32_t>(std::ceil((x - 0.5) / perBin));
    auto last = static_cast<std::int32_t>(std::ceil((x + 0.5) / perBin)) - 1;
    first = std::max(first, 1);
    last = std::min(last, count);
    if (first > last) first = last = std::clamp(static_cast<std::int32_t>(std::lround(x / perBin)), 1, count);
    columnFirst_[static_cast<std::size_t>(x)] = std::clamp(view.firstBin + first - 1, 0, lastBin);
    columnLast_[static_cast<std::size_t>(x)] = std::clamp(view.firstBin + last - 1, 0, lastBin);
  }
}

void WaterfallImage::DrawRow(const WaterfallHistory& history, std::size_t age, Rgb* row) const {
  const bool strip = width_ > 2 * (kVerdictStripWidth + 1);
  const int levelsEnd = strip ? width_ - kVerdictStripWidth - 1 : width_;
  for (int x = 0; x < levelsEnd; ++x) {
    const float level = history.Peak(age, columnFirst_[static_cast<std::size_t>(x)],
                                     columnLast_[static_cast<std::size_t>(x)]);
    const double index = std::clamp((level - levelBottom_) * indexPerDb_, 0.0, 255.0);
    row[x] = palette_[static_cast<std::size_t>(index)];
  }
  if (!strip) return;
  row[levelsEnd] = key_.colour ? WaterfallBackground(true) : Pack(160, 160, 160);  // frames white free rows
  const Rgb mark = VerdictColour(history.Kind(age), key_.colour);
  std::fill(row + levelsEnd + 1, row + width_, mark);
}

void WaterfallImage::BlankRow(Rgb* row) const {
  std::fill(row, row + width_, WaterfallBackground(key_.colour));
}

}  // namespace velmora
