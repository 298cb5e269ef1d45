// Reading the canvas under each text while the compositor draws.
//
// The canvas is premultiplied ARGB; what shows is each pixel over black,
// which is its premultiplied colour as it stands. A half-transparent ink is
// laid over each pixel as the compositor lays it (in 8-bit sRGB), and the
// ratio is that mix against the pixel: the contrast the eye gets there.
#include "platform/render/ReadabilityMeter.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The linear light of each 8-bit sRGB value.
const std::array<double, 256>& linearTable() {
  static const std::array<double, 256> table = [] {
    std::array<double, 256> t{};
    for (int i = 0; i < 256; ++i) {
      double c = i / 255.0;
      t[i] = c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }
    return t;
  }();
  return table;
}

double luminance8(const std::array<double, 256>& linear, unsigned r, unsigned g, unsigned b) {
  return 0.2126 * linear[r] + 0.7152 * linear[g] + 0.0722 * linear[b];
}

// The value at `fraction` of the way through the sorted values.
float quantile(std::vector<float>& values, double fraction) {
  auto at = values.begin() + static_cast<std::ptrdiff_t>(std::floor(fraction * static_cast<double>(values.size() - 1)));
  std::nth_element(values.begin(), at, values.end());
  return *at;
}

}  // namespace

ReadabilityMeter::ReadabilityMeter(const Bitmap& canvas, double scale) : canvas_(canvas), scale_(scale) {}

ReadabilityMeter::PixelBox ReadabilityMeter::pixelBox(double x, double y, double width, double height) const {
  auto first = [this](double v) { return static_cast<int>(std::ceil(v * scale_ - 0.5)); };
  PixelBox box{first(x), first(y), first(x + width), first(y + height)};
  box.x0 = std::max(box.x0, 0), box.y0 = std::max(box.y0, 0);
  box.x1 = std::min(box.x1, canvas_.width()), box.y1 = std::min(box.y1, canvas_.height());
  return box;
}

void ReadabilityMeter::text(TextReading reading) {
  if (reading.text.find_first_not_of(" \t\n") == std::string::npos) return;
  PixelBox box = pixelBox(reading.x, reading.y, reading.width, reading.height);
  if (box.empty()) return;
  // The box as the screen shows it.
  double right = std::fmin(reading.x + reading.width, canvas_.width() / scale_);
  double bottom = std::fmin(reading.y + reading.height, canvas_.height() / scale_);
  reading.x = std::fmax(reading.x, 0), reading.y = std::fmax(reading.y, 0);
  reading.width = right - reading.x, reading.height = bottom - reading.y;

  const auto& linear = linearTable();
  const double alpha = std::clamp(reading.ink[3], 0.0, 1.0);
  const double inkR = std::clamp(reading.ink[0], 0.0, 1.0) * 255 * alpha;
  const double inkG = std::clamp(reading.ink[1], 0.0, 1.0) * 255 * alpha;
  const double inkB = std::clamp(reading.ink[2], 0.0, 1.0) * 255 * alpha;
  const bool solid = alpha >= 1;
  const double solidInk =
      luminance8(linear, static_cast<unsigned>(std::lround(inkR)), static_cast<unsigned>(std::lround(inkG)),
                 static_cast<unsigned>(std::lround(inkB)));
  auto mix = [alpha](double ink, unsigned under) {
    return static_cast<unsigned>(std::lround(ink + under * (1 - alpha)));
  };

  Pending pending{std::move(reading), box, {}, covers_.size()};
  pending.ratios.reserve(static_cast<size_t>(box.x1 - box.x0) * static_cast<size_t>(box.y1 - box.y0));
  const auto* base = reinterpret_cast<const uint8_t*>(canvas_.pixels());
  for (int y = box.y0; y < box.y1; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(base + static_cast<ptrdiff_t>(y) * canvas_.stride());
    for (int x = box.x0; x < box.x1; ++x) {
      unsigned r = (row[x] >> 16) & 0xFF, g = (row[x] >> 8) & 0xFF, b = row[x] & 0xFF;
      double under = luminance8(linear, r, g, b);
      double ink = solid ? solidInk : luminance8(linear, mix(inkR, r), mix(inkG, g), mix(inkB, b));
      pending.ratios.push_back(static_cast<float>(contrastRatio(ink, under)));
    }
  }
  pending_.push_back(std::move(pending));
}

void ReadabilityMeter::cover(double x, double y, double width, double height) {
  if (pending_.empty()) return;  // nothing measured yet for it to hide
  PixelBox box = pixelBox(x, y, width, height);
  if (!box.empty()) covers_.push_back(box);
}

bool ReadabilityMeter::textUnder(double x, double y, double width, double height) const {
  PixelBox area = pixelBox(x, y, width, height);
  return std::any_of(pending_.begin(), pending_.end(), [&](const Pending& p) {
    return p.box.x0 < area.x1 && area.x0 < p.box.x1 && p.box.y0 < area.y1 && area.y0 < p.box.y1;
  });
}

std::vector<TextReading> ReadabilityMeter::finish() {
  std::vector<TextReading> out;
  for (Pending& p : pending_) {
    const int width = p.box.x1 - p.box.x0;
    const size_t total = p.ratios.size();
    std::vector<uint8_t> hidden;
    for (size_t c = p.coversBefore; c < covers_.size(); ++c) {
      const PixelBox& cover = covers_[c];
      int x0 = std::max(cover.x0, p.box.x0), x1 = std::min(cover.x1, p.box.x1);
      int y0 = std::max(cover.y0, p.box.y0), y1 = std::min(cover.y1, p.box.y1);
      if (x1 <= x0 || y1 <= y0) continue;
      if (hidden.empty()) hidden.assign(total, 0);
      for (int y = y0; y < y1; ++y)
        std::fill_n(hidden.begin() + (static_cast<ptrdiff_t>(y - p.box.y0) * width + (x0 - p.box.x0)), x1 - x0, 1);
    }
    std::vector<float>& seen = p.ratios;
    if (!hidden.empty()) {
      size_t kept = 0;
      for (size_t i = 0; i < total; ++i)
        if (!hidden[i]) seen[kept++] = seen[i];
      seen.resize(kept);
      p.reading.covered = 1.0 - static_cast<double>(kept) / static_cast<double>(total);
    }
    if (seen.empty()) continue;
    p.reading.contrast = quantile(seen, 0.5);
    p.reading.worstContrast = quantile(seen, 0.1);
    p.reading.verdict = readabilityVerdict(p.reading.worstContrast, p.reading.pointSize, p.reading.bold);
    out.push_back(std::move(p.reading));
  }
  pending_.clear();
  covers_.clear();
  return out;
}
