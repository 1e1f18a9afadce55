#include "demo/demo_drawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "demo/demo_assets.h"
#include "pictures/bmp_file.h"

namespace korvana::demo {

namespace {
// 4 x 4 ordered dither, thresholds 0..15.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// A channel level 0..levels-1 as the decoders show it in 8 bits: 2-bit red
// of depth 8 as v * 85, 3-bit as round(v * 255 / 7), 4-bit as v * 17 and
// 5-bit as round(v * 255 / 31).
std::uint8_t Expand(int v, int levels) {
  return static_cast<std::uint8_t>((v * 255 + (levels - 1) / 2) / (levels - 1));
}

int Level(double c, int levels, double dither) {
  const double scaled = std::clamp(c, 0.0, 1.0) * (levels - 1) + 0.5 + dither;
  return std::clamp(static_cast<int>(std::floor(scaled)), 0, levels - 1);
}

std::uint8_t Byte(double c) { return static_cast<std::uint8_t>(std::lround(std::clamp(c, 0.0, 1.0) * 255)); }

Rgb NearestPaletteColour(const Colour& c) {
  const auto palette = DemoAsset("16.dat");
  Rgb best;
  double bestDistance = 1e9;
  for (std::size_t i = 0; i + 3 < palette.size(); i += 4) {
    const Rgb p{palette[i + 2], palette[i + 1], palette[i]};
    const double dr = c.r * 255 - p.r, dg = c.g * 255 - p.g, db = c.b * 255 - p.b;
    const double d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) bestDistance = d, best = p;
  }
  return best;
}

Colour Mix(const Colour& a, const Colour& b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// How much of the pixel at x, y (its centre x + 0.5) a disc covers, with a
// one-pixel soft edge.
double Disc(double x, double y, double cx, double cy, double r) {
  return std::clamp(r - std::hypot(x + 0.5 - cx, y + 0.5 - cy) + 0.5, 0.0, 1.0);
}

bool InDisc(double x, double y, double cx, double cy, double r) { return Disc(x, y, cx, cy, r) >= 0.5; }

double DistanceToSegment(double x, double y, double ax, double ay, double bx, double by) {
  const double px = x + 0.5 - ax, py = y + 0.5 - ay, dx = bx - ax, dy = by - ay;
  const double t = std::clamp((px * dx + py * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(px - t * dx, py - t * dy);
}

Colour Hsv(double h, double s, double v) {
  h = std::fmod(h, 1.0) * 6;
  const double f = h - std::floor(h);
  const double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
  switch (static_cast<int>(h) % 6) {
    case 0: return {v, t, p};
    case 1: return {q, v, p};
    case 2: return {p, v, t};
    case 3: return {p, q, v};
    case 4: return {t, p, v};
    default: return {v, p, q};
  }
}

constexpr Colour kWhite{1, 1, 1}, kBlack{0, 0, 0};

// --- the pictures ---------------------------------------------------------------

// Depth 1: a crescent moon and stars over a hill line, black on white. The
// height is no multiple of 8, so the last page is half used.
Colour Moon(double x, double y) {
  const bool moon = InDisc(x, y, 24, 20, 15) && !InDisc(x, y, 31, 15, 13);
  const double stars[][2] = {{46, 8}, {56, 17}, {50, 28}, {8, 6}, {40, 24}};
  bool star = false;
  for (const auto& s : stars) {
    const double dx = std::abs(x - s[0]), dy = std::abs(y - s[1]);
    star = star || (dx < 0.5 && dy < 2.5) || (dy < 0.5 && dx < 2.5);
  }
  const bool ground = y > 38 + 3 * std::sin(x / 9);
  return moon || star || ground ? kBlack : kWhite;
}

// Depth 4: a target of rings in palette colours.
Colour Target(double x, double y) {
  static const Colour kRings[] = {{1, 1, 1}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 1, 1}, {0, 0, 1}};
  const double d = std::hypot(x + 0.5 - 16, y + 0.5 - 16);
  if (d >= 15.5) return {0, 0, 0.5};
  return kRings[static_cast<int>(d / 2.6) % 6];
}

// Depth 8: sunset over the sea.
Colour Sunset(double x, double y) {
  constexpr double kHorizon = 62;
  const Colour sun{1, 0.85, 0.3};
  if (y < kHorizon) {
    const Colour sky = Mix({0.12, 0.1, 0.45}, {1, 0.55, 0.2}, y / kHorizon);
    return Mix(sky, sun, Disc(x, y, 64, kHorizon, 20));
  }
  const double depth = (y - kHorizon) / (96 - kHorizon);
  Colour sea = Mix({0.55, 0.3, 0.3}, {0.05, 0.1, 0.35}, depth);
  const double band = std::sin((y - kHorizon) * 1.3) > 0.3 ? 1 : 0;
  const double glitter = band * std::clamp(1 - std::abs(x + 0.5 - 64) / (22 - 14 * depth), 0.0, 1.0);
  return Mix(sea, sun, glitter * 0.8);
}

// Depth 12: green hills under a blue sky with a sun and clouds.
Colour Hills(double x, double y) {
  Colour c = Mix({0.25, 0.5, 0.95}, {0.85, 0.93, 1}, y / 50);
  c = Mix(c, {1, 0.95, 0.4}, Disc(x, y, 98, 16, 9));
  const double cloud = std::max({Disc(x, y, 30, 16, 7), Disc(x, y, 39, 13, 9), Disc(x, y, 48, 17, 6)});
  c = Mix(c, kWhite, cloud * 0.9);
  const double back = 46 + 7 * std::sin(x / 14 + 1);
  const double front = 58 + 9 * std::sin(x / 19 + 3.5);
  if (y > back) c = Mix({0.45, 0.75, 0.3}, {0.3, 0.55, 0.2}, (y - back) / 30);
  if (y > front) c = Mix({0.2, 0.6, 0.15}, {0.08, 0.3, 0.05}, (y - front) / 25);
  return c;
}

// Depth 16: a wallpaper of soft circles on a diagonal gradient.
Colour Wallpaper(double x, double y) {
  Colour c = Mix({0.35, 0.1, 0.5}, {0.05, 0.55, 0.6}, (x + y) / 288);
  const double circles[][4] = {{30, 40, 22, 0.25}, {96, 30, 16, 0.2}, {80, 100, 30, 0.18},
                               {24, 128, 14, 0.3}, {110, 146, 10, 0.35}, {56, 72, 8, 0.4}};
  for (const auto& k : circles) c = Mix(c, kWhite, Disc(x, y, k[0], k[1], k[2]) * k[3]);
  return c;
}

// Depth 16, several frames: a spinner of eight dots, the bright one moving on
// by one place a frame with a fading tail behind it.
std::function<Colour(double, double)> Spinner(int frame, int frames) {
  return [frame, frames](double x, double y) {
    Colour c = Mix({0.1, 0.12, 0.2}, {0.16, 0.2, 0.3}, y / 40);
    for (int i = 0; i < frames; ++i) {
      const double angle = 2 * std::numbers::pi * i / frames - std::numbers::pi / 2;
      const int age = (frame - i + frames) % frames;
      const Colour dot = Mix({1, 0.75, 0.2}, {0.3, 0.35, 0.45}, age / 3.0);
      c = Mix(c, dot, Disc(x, y, 20 + 13 * std::cos(angle), 20 + 13 * std::sin(angle), 3.6));
    }
    return c;
  };
}

// Depth 24: a colour wheel.
Colour Wheel(double x, double y) {
  const double dx = x + 0.5 - 32, dy = y + 0.5 - 32;
  const double r = std::hypot(dx, dy);
  const Colour background = Mix({0.2, 0.2, 0.22}, {0.05, 0.05, 0.06}, y / 64);
  const double hue = std::atan2(dy, dx) / (2 * std::numbers::pi) + 0.5;
  return Mix(background, Hsv(hue, std::min(r / 28, 1.0), 1), std::clamp(28.5 - r, 0.0, 1.0));
}

// "16*": a flat start picture (few colours, long runs): a ringed "K" on
// stripes.
Colour StartPicture(double x, double y) {
  Colour c = (static_cast<int>(x + y) / 16) % 2 == 0 ? Colour{0.05, 0.1, 0.3} : Colour{0.08, 0.16, 0.4};
  const double d = std::hypot(x + 0.5 - 64, y + 0.5 - 64);
  if (d < 52) c = {0.95, 0.95, 0.9};
  if (d < 46) c = {0.9, 0.3, 0.1};
  const double stroke = std::min({DistanceToSegment(x, y, 48, 34, 48, 94), DistanceToSegment(x, y, 50, 66, 80, 34),
                                  DistanceToSegment(x, y, 56, 60, 82, 94)});
  if (stroke < 6) c = {1, 1, 1};
  return c;
}

// Replacement frame for the spinner: a smiling face.
Colour Smiley(double x, double y) {
  Colour c{0.1, 0.12, 0.2};
  c = Mix(c, {1, 0.85, 0.1}, Disc(x, y, 20, 20, 17));
  c = Mix(c, kBlack, std::max(Disc(x, y, 14, 15, 2.5), Disc(x, y, 26, 15, 2.5)));
  const double mouth = std::abs(std::hypot(x + 0.5 - 20, y + 0.5 - 20) - 10);
  if (mouth < 1.3 && y > 22) c = kBlack;
  return c;
}

// Replacement for the sunset: a night sky with a moon over the sea, drawn as
// a landscape of 128 x 96.
Colour Night(double x, double y) {
  constexpr double kHorizon = 64;
  if (y >= kHorizon) {
    const double ripple = std::sin(y * 2.1) > 0.6 ? 0.5 : 0;
    const double light = ripple * std::clamp(1 - std::abs(x + 0.5 - 92) / 14, 0.0, 1.0);
    return Mix(Mix({0.05, 0.08, 0.25}, {0.01, 0.02, 0.1}, (y - kHorizon) / 32), {0.95, 0.95, 0.8}, light);
  }
  Colour c = Mix({0.01, 0.02, 0.12}, {0.1, 0.15, 0.4}, y / kHorizon);
  c = Mix(c, {0.95, 0.95, 0.8}, Disc(x, y, 92, 22, 11));
  const double stars[][2] = {{12, 10}, {30, 24}, {50, 8}, {64, 30}, {20, 44}, {118, 40}, {74, 14}};
  for (const auto& s : stars) c = Mix(c, kWhite, Disc(x, y, s[0], s[1], 1.2));
  return c;
}

// Replacement for the compressed start picture: flat rings.
Colour Rings(double x, double y) {
  static const Colour kColours[] = {{0.1, 0.45, 0.2}, {0.95, 0.8, 0.2}, {0.95, 0.95, 0.9}, {0.2, 0.3, 0.6}};
  const double d = std::hypot(x + 0.5 - 64, y + 0.5 - 64);
  return kColours[static_cast<int>(d / 11) % 4];
}
}  // namespace

Rgb ColourForDepth(const Colour& c, std::string_view depth, std::int64_t x, std::int64_t y) {
  const double dither = (kBayer[y & 3][x & 3] + 0.5) / 16 - 0.5;
  if (depth == "1") return 0.3 * c.r + 0.59 * c.g + 0.11 * c.b < 0.5 ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
  if (depth == "4") return NearestPaletteColour(c);
  if (depth == "8") {
    return {Expand(Level(c.r, 4, dither), 4), Expand(Level(c.g, 8, dither), 8), Expand(Level(c.b, 8, dither), 8)};
  }
  if (depth == "12") {
    return {Expand(Level(c.r, 16, dither), 16), Expand(Level(c.g, 16, dither), 16), Expand(Level(c.b, 16, dither), 16)};
  }
  if (depth == "16" || depth == "16*") {
    // Green keeps 5 of its 6 stored bits: the decoders show 5.
    const int r = Level(c.r, 32, dither), g = Level(c.g, 32, dither);
    int b = Level(c.b, 32, dither);
    // The compressed form draws the word 0001 as white.
    if (depth == "16*" && r == 0 && g == 0 && b == 1) b = 0;
    return {Expand(r, 32), Expand(g, 32), Expand(b, 32)};
  }
  return {Byte(c.r), Byte(c.g), Byte(c.b)};
}

DemoFrame DrawFrame(std::int64_t width, std::int64_t height, std::string_view depth,
                    const std::function<Colour(double x, double y)>& paint) {
  DemoFrame frame{width, height, {}};
  frame.pixels.reserve(static_cast<std::size_t>(width * height));
  for (std::int64_t y = 0; y < height; ++y) {
    for (std::int64_t x = 0; x < width; ++x) {
      frame.pixels.push_back(ColourForDepth(paint(static_cast<double>(x), static_cast<double>(y)), depth, x, y));
    }
  }
  return frame;
}

std::vector<std::uint8_t> BmpOf(const DemoFrame& frame) {
  const std::int64_t rowSize = pictures::BmpRowSize(frame.width, 24);
  std::vector<std::uint8_t> bmp =
      pictures::BmpHeader(frame.width, frame.height, 24, pictures::kBmpCompressionNone, 0, rowSize * frame.height);
  for (std::int64_t y = frame.height - 1; y >= 0; --y) {
    const std::size_t rowStart = bmp.size();
    for (std::int64_t x = 0; x < frame.width; ++x) {
      const Rgb& p = frame.At(x, y);
      bmp.insert(bmp.end(), {p.b, p.g, p.r});
    }
    bmp.resize(rowStart + static_cast<std::size_t>(rowSize), 0);
  }
  return bmp;
}

std::vector<std::uint8_t> MonoBmpOf(const DemoFrame& frame) {
  const std::int64_t rowSize = pictures::BmpRowSize(frame.width, 1);
  std::vector<std::uint8_t> bmp =
      pictures::BmpHeader(frame.width, frame.height, 1, pictures::kBmpCompressionNone, 8, rowSize * frame.height);
  bmp.insert(bmp.end(), {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0});
  for (std::int64_t y = frame.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(rowSize), 0);
    for (std::int64_t x = 0; x < frame.width; ++x) {
      if (frame.At(x, y).r != 0) row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    bmp.insert(bmp.end(), row.begin(), row.end());
  }
  return bmp;
}

std::vector<DemoPicture> DrawDemoPictures() {
  auto one = [](std::string name, std::string depth, std::int64_t w, std::int64_t h, Colour (*paint)(double, double)) {
    DemoPicture p{std::move(name), std::move(depth), w, h, 0, 0, 0, {}};
    p.frames.push_back(DrawFrame(w, h, p.depth, paint));
    return p;
  };
  std::vector<DemoPicture> pictures;
  pictures.push_back(one("Mond", "1", 64, 44, Moon));
  pictures.push_back(one("Zielscheibe", "4", 32, 32, Target));
  pictures.push_back(one("Abendrot", "8", 128, 96, Sunset));
  pictures.push_back(one("Huegel", "12", 120, 80, Hills));
  pictures.push_back(one("Hintergrund", "16", 128, 160, Wallpaper));
  DemoPicture spinner{"Ladekreis", "16", 40, 40, 0, 0, 0, {}};
  constexpr int kSpinnerFrames = 8;
  for (int f = 0; f < kSpinnerFrames; ++f) spinner.frames.push_back(DrawFrame(40, 40, "16", Spinner(f, kSpinnerFrames)));
  pictures.push_back(std::move(spinner));
  pictures.push_back(one("Farbrad", "24", 64, 64, Wheel));
  pictures.push_back(one("Startbild", "16*", 128, 128, StartPicture));
  return pictures;
}

std::vector<DemoFile> DrawReplacementPictures() {
  std::vector<DemoFile> files;
  files.push_back({"bmp/Ladekreis-Gesicht.bmp", BmpOf(DrawFrame(40, 40, "24", Smiley))});
  // Drawn on its side: pixel x, y of the 96 x 128 file shows the landscape
  // at column 127 - y, row x, so turning it clockwise sets it upright.
  files.push_back({"bmp/Abendrot-Nacht-gedreht.bmp",
                   BmpOf(DrawFrame(96, 128, "24", [](double x, double y) { return Night(127 - y, x); }))});
  files.push_back({"bmp/Startbild-Ringe.bmp", BmpOf(DrawFrame(128, 128, "24", Rings))});
  return files;
}

}  // namespace korvana::demo
