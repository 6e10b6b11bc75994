#include "score.h"

#include <cctype>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace kv::music {
namespace {

constexpr int kC5 = 72;

int pitchOf(char letter) {
  static const int kSteps[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
  if (letter < 'a' || letter > 'g')
    throw std::invalid_argument(std::string("not a note: ") + letter);
  return kC5 + kSteps[letter - 'a'];
}

}  // namespace

Tune parseTune(const std::string& text, int beatsPerBar) {
  Tune tune;
  std::istringstream in(text);
  std::string token;
  double beat = 0, barStart = 0;
  int bar = 0;
  tune.barStarts.push_back(0);
  auto closeBar = [&](bool last) {
    const double length = beat - barStart;
    const bool pickUp = bar == 0 && length < beatsPerBar;
    if (std::abs(length - beatsPerBar) > 1e-9 && !pickUp && !last)
      throw std::invalid_argument("bar " + std::to_string(bar) + " holds " +
                                  std::to_string(length) + " beats");
    ++bar;
    barStart = beat;
    if (!last) tune.barStarts.push_back(beat);
  };
  while (in >> token) {
    if (token == "|") {
      closeBar(false);
      continue;
    }
    std::size_t i = 0;
    int pitch = pitchOf(token[i++]);
    while (i < token.size() && token[i] == '\'') pitch += 12, ++i;
    std::size_t digits = 0;
    const int value = std::stoi(token.substr(i), &digits);
    if (value != 1 && value != 2 && value != 4 && value != 8 && value != 16)
      throw std::invalid_argument("not a note length: " + token);
    i += digits;
    double length = 4.0 / value;
    if (i < token.size() && token[i] == '.') length *= 1.5, ++i;
    if (i != token.size()) throw std::invalid_argument("cannot read " + token);
    tune.notes.push_back({pitch, beat, length});
    beat += length;
  }
  if (beat > barStart) closeBar(true);
  tune.beats = beat;
  return tune;
}

Score lullaby() {
  Score score{84, 3, 0, {}, {}};
  // Pick-up, four phrases of four bars; the last bar is two beats, the pick-up completes it
  // when the loop starts again.
  const char* const tune =
      "e8 e8 | g4. e8 e4 | g2 e8 g8 | c'4 b4. a8 | a4 g4 d8 e8 |"
      " f4 d4 d8 e8 | f2 d8 f8 | b8 a8 g4 b4 | c'2 c8 c8 |"
      " c'2 a8 f8 | g2 e8 c8 | f4 g4 a4 | g2 c8 c8 |"
      " c'2 a8 f8 | g2 e8 c8 | f4 e4 d4 | c2";
  const Tune parsed = parseTune(tune, score.beatsPerBar);
  score.melody = parsed.notes;
  score.loopBeats = parsed.beats;

  const std::vector<int> major{0, 7, 12, 16}, dominant{0, 7, 10, 16};
  struct Harmony {
    int root;
    const std::vector<int>* tones;
  };
  const Harmony C{48, &major}, F{53, &major}, G7{43, &dominant};
  const Harmony bars[16] = {C, C, G7, C, G7, G7, G7, C, F, C, G7, C, F, C, G7, C};
  // One chord a bar after the pick-up; the last one runs on through the pick-up of the next
  // loop.
  for (int i = 0; i < 16; ++i)
    score.chords.push_back(
        {parsed.barStarts.at(i + 1), double(score.beatsPerBar), bars[i].root, *bars[i].tones});
  return score;
}

}  // namespace kv::music
