// The background music: the score is well formed, the rendering follows it, loops without a
// seam and is the same on every run, and the staged music.wma is a 20-40 s audio file.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>
#include <stdexcept>

#include "score.h"
#include "synth.h"
#include "wav.h"

namespace kv::music {
namespace {

constexpr int kRate = 44100;

// Power of one frequency over a window of the left channel (Goertzel).
double powerAt(const std::vector<float>& samples, std::size_t from, std::size_t count, double f) {
  const double w = 2 * M_PI * f / kRate, c = 2 * std::cos(w);
  double s1 = 0, s2 = 0;
  for (std::size_t i = from; i < from + count; ++i) {
    const double s0 = samples[i] + c * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  return s1 * s1 + s2 * s2 - c * s1 * s2;
}

TEST(MusicScore, TuneNotationIsReadAndBarsAreChecked) {
  const Tune tune = parseTune("e8 e8 | g4. e8 e4 | c'2", 3);
  ASSERT_EQ(tune.notes.size(), 6u);
  EXPECT_EQ(tune.notes[0].pitch, 76);  // E5
  EXPECT_EQ(tune.notes[2].pitch, 79);
  EXPECT_DOUBLE_EQ(tune.notes[2].length, 1.5);
  EXPECT_EQ(tune.notes[5].pitch, 84);  // C6
  EXPECT_EQ(tune.barStarts, (std::vector<double>{0, 1, 4}));
  EXPECT_DOUBLE_EQ(tune.beats, 6);
  for (const char* bad : {"g4 | g4 g4 g4 g4 | c2", "h4", "c3", "c4x"})
    EXPECT_THROW(parseTune(bad, 3), std::invalid_argument) << bad;
}

TEST(MusicScore, TheLullabyIsALoopOfSixteenBarsInCMajor) {
  const Score s = lullaby();
  EXPECT_DOUBLE_EQ(s.loopBeats, 48);
  const double seconds = s.loopBeats * 60 / s.beatsPerMinute;
  EXPECT_GT(seconds, 20);
  EXPECT_LT(seconds, 40);
  ASSERT_EQ(s.chords.size(), 16u);
  // The chords follow each other and the last one reaches round to the first.
  for (std::size_t i = 1; i < s.chords.size(); ++i)
    EXPECT_DOUBLE_EQ(s.chords[i].start, s.chords[i - 1].start + s.chords[i - 1].length);
  EXPECT_DOUBLE_EQ(std::fmod(s.chords.back().start + s.chords.back().length, s.loopBeats),
                   s.chords.front().start);
  std::set<int> pitches;
  const std::set<int> scale{0, 2, 4, 5, 7, 9, 11};
  for (const Note& n : s.melody) {
    pitches.insert(n.pitch);
    EXPECT_TRUE(scale.count(n.pitch % 12)) << n.pitch;
  }
  EXPECT_GE(pitches.size(), 8u) << "a tune, not a tone";
  EXPECT_EQ(s.melody.back().pitch % 12, 0) << "ends on the tonic";
}

// One rendering (a few seconds in a sanitised build) checked three ways.
TEST(MusicRendering, FollowsTheScoreIsLoudEnoughWithoutClippingAndLoopsWithoutASeam) {
  const Score s = lullaby();
  const Audio a = render(s, kRate);

  // Each note of the tune sounds when the score says: its pitch is much stronger just after
  // its start than just before it.
  const double samplesPerBeat = kRate * 60 / s.beatsPerMinute;
  const std::size_t window = kRate / 10;
  int checked = 0;
  for (std::size_t i = 1; i < s.melody.size(); ++i) {
    const Note& n = s.melody[i];
    if (n.length < 1 || s.melody[i - 1].pitch == n.pitch) continue;
    const auto onset = static_cast<std::size_t>(n.start * samplesPerBeat);
    const double f = frequencyOf(n.pitch);
    const double before = powerAt(a.left, onset - window, window, f);
    const double after = powerAt(a.left, onset + kRate / 50, window, f);
    EXPECT_GT(after, 4 * before) << "note at beat " << n.start;
    ++checked;
  }
  EXPECT_GE(checked, 15);

  ASSERT_EQ(a.left.size(), a.right.size());
  EXPECT_EQ(a.left.size(), 48u * 31500);  // 48 beats at 84 a minute
  double peak = 0, energy = 0, biggestStep = 0;
  for (std::size_t i = 0; i < a.left.size(); ++i) {
    ASSERT_TRUE(std::isfinite(a.left[i]) && std::isfinite(a.right[i]));
    peak = std::max({peak, double(std::abs(a.left[i])), double(std::abs(a.right[i]))});
    energy += double(a.left[i]) * a.left[i];
    if (i > 0) biggestStep = std::max(biggestStep, double(std::abs(a.left[i] - a.left[i - 1])));
  }
  EXPECT_NEAR(peak, 0.7, 1e-3);
  const double rms = std::sqrt(energy / a.left.size());
  EXPECT_GT(rms, 0.05);
  EXPECT_LT(rms, 0.35);
  // From the last sample to the first is a step like any other, for both channels.
  EXPECT_LT(std::abs(a.left.back() - a.left.front()), 0.5 * biggestStep);
  EXPECT_LT(std::abs(a.right.back() - a.right.front()), 0.5 * biggestStep);
}

TEST(MusicRendering, IsTheSameOnEveryRun) {
  Score s = lullaby();
  s.melody.resize(6);
  s.chords.resize(2);
  s.loopBeats = 7;
  const Audio first = render(s, kRate), second = render(s, kRate);
  EXPECT_EQ(first.left.size(), 7u * 31500);
  EXPECT_TRUE(first.left == second.left);
  EXPECT_TRUE(first.right == second.right);
}

TEST(MusicWav, HeaderDescribesSixteenBitStereo) {
  Audio a;
  a.sampleRate = 22050;
  a.left = {0.0f, 1.0f, -1.0f};
  a.right = {0.5f, 2.0f, -0.25f};
  const std::vector<unsigned char> bytes = encodeWav(a);
  ASSERT_EQ(bytes.size(), 44u + 3 * 4);
  auto u16 = [&](std::size_t at) { return bytes[at] | bytes[at + 1] << 8; };
  auto u32 = [&](std::size_t at) { return u16(at) | u16(at + 2) << 16; };
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
  EXPECT_EQ(u32(4), 36 + 12);
  EXPECT_EQ(u16(22), 2);      // channels
  EXPECT_EQ(u32(24), 22050);  // rate
  EXPECT_EQ(u32(28), 22050 * 4);
  EXPECT_EQ(u16(34), 16);
  EXPECT_EQ(u32(40), 12);
  EXPECT_EQ(u16(44 + 4), 32767);   // 1.0
  EXPECT_EQ(u16(44 + 6), 32767);   // 2.0 is clipped
  EXPECT_EQ(u16(44 + 8), 0x8001);  // -1.0
}

TEST(StagedMusic, IsAnAudioFileOfTwentyToFortySeconds) {
  const std::string path = std::string(KORVELIN_STAGE) + "/music.wma";
  ASSERT_TRUE(std::filesystem::exists(path));
  const std::string command =
      "ffprobe -v error -show_entries format=duration:stream=codec_type "
      "-of default=nw=1:nk=1 '" +
      path + "' 2>&1";
  FILE* probe = popen(command.c_str(), "r");
  ASSERT_NE(probe, nullptr);
  char line[128];
  std::string out;
  while (fgets(line, sizeof line, probe)) out += line;
  if (pclose(probe) != 0 && out.find("not found") != std::string::npos)
    GTEST_SKIP() << "no ffprobe";
  ASSERT_EQ(out.rfind("audio\n", 0), 0u) << out;
  const double seconds = std::stod(out.substr(6));
  EXPECT_GT(seconds, 20);
  EXPECT_LT(seconds, 40);
}

}  // namespace
}  // namespace kv::music
