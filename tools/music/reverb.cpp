#include "reverb.h"

#include <cmath>

namespace kv::music {
namespace {

constexpr double kFeedback = 0.80;
constexpr double kDamping = 0.3;
constexpr double kAllPassFeedback = 0.5;
constexpr double kWet = 0.18;
constexpr int kPasses = 3;
// Delays at 44.1 kHz; the right channel's are a little longer for width.
constexpr int kCombDelays[4] = {1557, 1617, 1491, 1422};
constexpr int kAllPassDelays[2] = {556, 225};
constexpr int kStereoSpread = 23;

class Comb {
 public:
  explicit Comb(int delay) : buffer_(static_cast<std::size_t>(delay)) {}
  double process(double in) {
    const double out = buffer_[at_];
    low_ = out * (1 - kDamping) + low_ * kDamping;
    buffer_[at_] = in + low_ * kFeedback;
    at_ = (at_ + 1) % buffer_.size();
    return out;
  }

 private:
  std::vector<double> buffer_;
  std::size_t at_ = 0;
  double low_ = 0;
};

class AllPass {
 public:
  explicit AllPass(int delay) : buffer_(static_cast<std::size_t>(delay)) {}
  double process(double in) {
    const double delayed = buffer_[at_];
    buffer_[at_] = in + delayed * kAllPassFeedback;
    at_ = (at_ + 1) % buffer_.size();
    return delayed - in;
  }

 private:
  std::vector<double> buffer_;
  std::size_t at_ = 0;
};

std::vector<double> wetSignal(const std::vector<double>& dry, int sampleRate, int spread) {
  const double scale = sampleRate / 44100.0;
  std::vector<Comb> combs;
  for (int d : kCombDelays) combs.emplace_back(static_cast<int>(std::lround((d + spread) * scale)));
  std::vector<AllPass> allPasses;
  for (int d : kAllPassDelays)
    allPasses.emplace_back(static_cast<int>(std::lround((d + spread) * scale)));
  std::vector<double> wet(dry.size());
  for (int pass = 0; pass < kPasses; ++pass) {
    for (std::size_t i = 0; i < dry.size(); ++i) {
      double sum = 0;
      for (Comb& c : combs) sum += c.process(dry[i]);
      for (AllPass& a : allPasses) sum = a.process(sum);
      wet[i] = sum;
    }
  }
  return wet;
}

}  // namespace

void addRoomReverb(std::vector<double>& left, std::vector<double>& right, int sampleRate) {
  // Both channels feed both reverbs, as in a room.
  std::vector<double> mono(left.size());
  for (std::size_t i = 0; i < left.size(); ++i) mono[i] = 0.5 * (left[i] + right[i]);
  const std::vector<double> wetLeft = wetSignal(mono, sampleRate, 0);
  const std::vector<double> wetRight = wetSignal(mono, sampleRate, kStereoSpread);
  for (std::size_t i = 0; i < left.size(); ++i) {
    left[i] += kWet * wetLeft[i];
    right[i] += kWet * wetRight[i];
  }
}

}  // namespace kv::music
