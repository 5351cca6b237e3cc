#include "sim/SlotSettings.h"

namespace korvex::sim {

std::array<std::uint16_t, kStageCount> DefaultStageRegisters(int sensor) {
  // 400, 800, 1600, 3200, 6400 and a top stage, in each sensor's registers.
  switch (sensor) {
    case 4: case 16: case 18: case 53: return {4, 8, 16, 32, 64, 128};
    case 38: return {4, 8, 16, 32, 52, 59};
    case 49: return {4, 8, 16, 32, 64, 120};
    case 5: return {8, 16, 32, 64, 128, 160};
    case 17: return {8, 16, 32, 64, 128, 200};
    case 37: return {4, 8, 16, 32, 52, 60};
    default: return {7, 15, 31, 63, 127, 255};
  }
}

void SlotSettings::ResetDpi(int sensor) {
  stageCount = 4;
  stageIndex = 1;
  stageX = DefaultStageRegisters(sensor);
  stageY = stageX;
  stageColour = {Rgb{0xFF, 0, 0}, Rgb{0, 0xFF, 0}, Rgb{0, 0, 0xFF},
                 Rgb{0xFF, 0xFF, 0}, Rgb{0xFF, 0, 0xFF}, Rgb{0, 0xFF, 0xFF}};
}

void SlotSettings::ResetReportRate() { reportRate = 1; }

void SlotSettings::ResetLighting() {
  lightMode = 1;
  lightLevel.fill(0x42);
  lightLevel[0] = 0x00;
  breathingExtra = 0;
  cycleColourCount = kCycleColourCount;
  cycleColours = {Rgb{0xFF, 0, 0}, Rgb{0, 0xFF, 0}, Rgb{0, 0, 0xFF}, Rgb{0xFF, 0, 0xFF},
                  Rgb{0xFF, 0xFF, 0}, Rgb{0, 0xFF, 0xFF}, Rgb{0xFF, 0xFF, 0xFF}};
  steadyColour = Rgb{0xFF, 0, 0};
}

void SlotSettings::ResetButtons() {
  buttons = {ButtonTriple{0x10, 0x01, 0}, ButtonTriple{0x10, 0x02, 0},
             ButtonTriple{0x10, 0x04, 0}, ButtonTriple{0x10, 0x08, 0},
             ButtonTriple{0x10, 0x10, 0}, ButtonTriple{0x40, 0x01, 0},
             ButtonTriple{},             ButtonTriple{},
             ButtonTriple{}};
  for (auto& m : macros) m.clear();
}

void SlotSettings::ResetAll(int sensor) {
  ResetDpi(sensor);
  ResetReportRate();
  ResetLighting();
  ResetButtons();
  liftoff = 1;
  sensorA = 0;
  sensorB = 0;
  sleepTime = 10;
  moveWakeup = 1;
  moveCloseLight = 1;
  buttonResponse = 4;
}

namespace {

constexpr std::uint8_t kImageVersion = 1;

void Put(std::vector<std::uint8_t>& out, const Rgb& c) {
  out.insert(out.end(), {c.r, c.g, c.b});
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

// Bounds-checked reader over a flash image.
class Cursor {
 public:
  Cursor(const std::uint8_t* d, std::size_t n) : d_(d), n_(n) {}
  bool U8(std::uint8_t& v) {
    if (!ok_ || pos_ >= n_) return ok_ = false;
    v = d_[pos_++];
    return true;
  }
  bool U16(std::uint16_t& v) {
    std::uint8_t lo = 0, hi = 0;
    if (!U8(lo) || !U8(hi)) return false;
    v = static_cast<std::uint16_t>(lo | (hi << 8));
    return true;
  }
  bool Colour(Rgb& c) { return U8(c.r) && U8(c.g) && U8(c.b); }
  bool Bytes(std::vector<std::uint8_t>& v, std::size_t count) {
    if (!ok_ || count > n_ - pos_) return ok_ = false;
    v.assign(d_ + pos_, d_ + pos_ + count);
    pos_ += count;
    return true;
  }
  bool ok() const { return ok_; }
  std::size_t pos() const { return pos_; }

 private:
  const std::uint8_t* d_;
  std::size_t n_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

}  // namespace

void SlotSettings::Serialize(std::vector<std::uint8_t>& out) const {
  out.insert(out.end(), {kImageVersion, reportRate, stageCount, stageIndex});
  for (int k = 0; k < kStageCount; ++k) {
    Put16(out, stageX[k]);
    Put16(out, stageY[k]);
    Put(out, stageColour[k]);
  }
  out.push_back(lightMode);
  out.insert(out.end(), lightLevel.begin(), lightLevel.end());
  out.insert(out.end(), {breathingExtra, cycleColourCount});
  for (const auto& c : cycleColours) Put(out, c);
  Put(out, steadyColour);
  out.insert(out.end(), {liftoff, sensorA, sensorB, sleepTime, moveWakeup, moveCloseLight,
                         buttonResponse});
  for (const auto& t : buttons) out.insert(out.end(), {t.function, t.a, t.b});
  for (const auto& m : macros) {
    Put16(out, static_cast<std::uint16_t>(m.size()));
    out.insert(out.end(), m.begin(), m.end());
  }
}

bool SlotSettings::Deserialize(const std::uint8_t* data, std::size_t length, std::size_t& used) {
  Cursor in(data, length);
  SlotSettings s;
  std::uint8_t version = 0;
  if (!in.U8(version) || version != kImageVersion) return false;
  // A failed read poisons the cursor, so the fields are read in a row and
  // checked once at the end.
  for (std::uint8_t* b : {&s.reportRate, &s.stageCount, &s.stageIndex}) in.U8(*b);
  for (int k = 0; k < kStageCount; ++k) {
    in.U16(s.stageX[k]);
    in.U16(s.stageY[k]);
    in.Colour(s.stageColour[k]);
  }
  in.U8(s.lightMode);
  for (auto& l : s.lightLevel) in.U8(l);
  in.U8(s.breathingExtra);
  in.U8(s.cycleColourCount);
  for (auto& c : s.cycleColours) in.Colour(c);
  in.Colour(s.steadyColour);
  for (std::uint8_t* b : {&s.liftoff, &s.sensorA, &s.sensorB, &s.sleepTime, &s.moveWakeup,
                          &s.moveCloseLight, &s.buttonResponse})
    in.U8(*b);
  for (auto& t : s.buttons) {
    in.U8(t.function);
    in.U8(t.a);
    in.U8(t.b);
  }
  for (auto& m : s.macros) {
    std::uint16_t n = 0;
    if (in.U16(n)) in.Bytes(m, n);
  }
  if (!in.ok()) return false;
  *this = std::move(s);
  used = in.pos();
  return true;
}

}  // namespace korvex::sim
