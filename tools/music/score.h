#pragma once
// The background music's score: a tune with its chords, as beats of one loop. The loop ends
// where it began, so the player can repeat it without a break.

#include <string>
#include <vector>

namespace kv::music {

struct Note {
  int pitch;     // MIDI note number (60 = middle C)
  double start;  // beats from the loop's start
  double length;
};

struct Chord {
  double start;  // beats
  double length;
  int root;                // MIDI note number of the bass
  std::vector<int> tones;  // intervals above the root, in semitones
};

struct Score {
  double beatsPerMinute;
  int beatsPerBar;
  double loopBeats;
  std::vector<Note> melody;
  std::vector<Chord> chords;
};

struct Tune {
  std::vector<Note> notes;
  std::vector<double> barStarts;  // beat where each bar begins, the pick-up's included
  double beats = 0;
};

// Notes written as "e8 e8 | g4. e8 e4 | c'2": a letter (c to b from C5 upwards), ' for an
// octave up, the length (1, 2, 4, 8, 16) and . for half as long again; | closes a bar, which
// must hold beatsPerBar beats (the first bar may be a pick-up, the last may be short). Throws
// std::invalid_argument on anything else.
Tune parseTune(const std::string& text, int beatsPerBar);

// A slow lullaby in C major, 3/4, with a broken-chord accompaniment; about 34 seconds.
Score lullaby();

}  // namespace kv::music
