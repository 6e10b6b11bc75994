#include "synth.h"

#include <algorithm>
#include <cmath>

#include "reverb.h"

namespace kv::music {
namespace {

constexpr double kTwoPi = 6.283185307179586;

// How one kind of note sounds: partial strengths, how fast it fades, how long it lasts.
struct Voice {
  std::vector<double> partials;  // amplitude of the 1st, 2nd, ... harmonic
  double level;
  double attack;   // seconds
  double decay;    // time constant of the fundamental's fade, seconds (0: none)
  double ring;     // seconds the note sounds past its written length
  double release;  // seconds of fade-out at its end
  double pan;      // 0 left .. 1 right
  double detune;   // cents of a second, quieter fundamental (0: none)
};

const Voice kMusicBox{{1.0, 0.28, 0.10, 0.04}, 0.30, 0.006, 1.6, 0.25, 0.35, 0.45, 3};
const Voice kHarp{{1.0, 0.35, 0.12}, 0.12, 0.004, 1.1, 1.0, 0.30, 0.62, 0};
const Voice kBass{{1.0, 0.15}, 0.20, 0.03, 2.5, 0.0, 0.25, 0.5, 0};
const Voice kPad{{1.0, 0.06}, 0.035, 0.8, 0.0, 0.0, 0.8, 0.5, 4};

struct Mix {
  std::vector<double> left, right;
};

// A sine that fades exponentially, advanced by rotation: no trigonometry per sample.
struct Partial {
  double cosine = 1, sine = 0;  // phase 0
  double stepCos, stepSin;
  double amplitude, fade;
  Partial(double frequency, double amp, double decaySeconds, int rate)
      : stepCos(std::cos(kTwoPi * frequency / rate)),
        stepSin(std::sin(kTwoPi * frequency / rate)),
        amplitude(amp),
        fade(decaySeconds > 0 ? std::exp(-1.0 / (decaySeconds * rate)) : 1.0) {}
  double next() {
    const double out = amplitude * sine;
    const double c = cosine * stepCos - sine * stepSin;
    sine = sine * stepCos + cosine * stepSin;
    cosine = c;
    amplitude *= fade;
    return out;
  }
};

void addNote(Mix& mix, const Voice& v, double pitch, double startSeconds, double seconds,
             int rate) {
  const std::size_t n = mix.left.size();
  const double f = frequencyOf(pitch);
  std::vector<Partial> partials;
  for (std::size_t k = 0; k < v.partials.size(); ++k) {
    const double harmonic = double(k + 1);
    // Higher harmonics fade sooner, as on a struck or plucked string.
    partials.emplace_back(f * harmonic, v.partials[k],
                          v.decay > 0 ? v.decay / std::pow(harmonic, 0.8) : 0.0, rate);
  }
  if (v.detune != 0) partials.emplace_back(f * std::pow(2.0, v.detune / 1200), 0.3, v.decay, rate);

  const double total = seconds + v.ring + v.release;
  const auto first = static_cast<long>(std::lround(startSeconds * rate));
  const long count = static_cast<long>(total * rate);
  const long attackEnd = static_cast<long>(v.attack * rate);
  const long releaseStart = static_cast<long>((total - v.release) * rate);
  const double gainLeft = std::cos(v.pan * kTwoPi / 4) * v.level;
  const double gainRight = std::sin(v.pan * kTwoPi / 4) * v.level;
  for (long i = 0; i < count; ++i) {
    double envelope = 1.0;
    if (i < attackEnd) envelope = 0.5 - 0.5 * std::cos(kTwoPi / 2 * double(i) / double(attackEnd));
    if (i > releaseStart)
      envelope *= 0.5 + 0.5 * std::cos(kTwoPi / 2 * double(i - releaseStart) /
                                       double(count - releaseStart));
    double sample = 0;
    for (Partial& p : partials) sample += p.next();
    sample *= envelope;
    const std::size_t at = static_cast<std::size_t>(first + i) % n;  // wraps into the loop
    mix.left[at] += sample * gainLeft;
    mix.right[at] += sample * gainRight;
  }
}

void addChord(Mix& mix, const Chord& chord, double secondsPerBeat, int rate) {
  const double start = chord.start * secondsPerBeat;
  // Broken chord in eighths: root, fifth, octave, the top tone, octave, fifth.
  const int order[6] = {0, 1, 2, 3, 2, 1};
  for (int i = 0; i < 6; ++i) {
    const int tone = chord.tones[static_cast<std::size_t>(order[i]) % chord.tones.size()];
    addNote(mix, kHarp, chord.root + tone, start + i * secondsPerBeat / 2, secondsPerBeat / 2,
            rate);
  }
  const int bass = chord.root >= 48 ? chord.root - 12 : chord.root;
  addNote(mix, kBass, bass, start, chord.length * secondsPerBeat, rate);
  // The pad holds the chord's tones an octave above the broken chord, around middle C.
  for (int tone : chord.tones)
    if (tone > 0)
      addNote(mix, kPad, chord.root + 12 + tone % 12, start, chord.length * secondsPerBeat, rate);
}

}  // namespace

double frequencyOf(double pitch) {
  return 440.0 * std::pow(2.0, (pitch - 69) / 12);
}

Audio render(const Score& score, int sampleRate) {
  const double secondsPerBeat = 60.0 / score.beatsPerMinute;
  const auto length =
      static_cast<std::size_t>(std::lround(score.loopBeats * secondsPerBeat * sampleRate));
  Mix mix{std::vector<double>(length), std::vector<double>(length)};
  for (const Note& note : score.melody)
    addNote(mix, kMusicBox, note.pitch, note.start * secondsPerBeat, note.length * secondsPerBeat,
            sampleRate);
  for (const Chord& chord : score.chords) addChord(mix, chord, secondsPerBeat, sampleRate);

  Audio audio;
  audio.sampleRate = sampleRate;
  addRoomReverb(mix.left, mix.right, sampleRate);

  // Peak at -3 dB.
  double peak = 1e-9;
  for (std::size_t i = 0; i < length; ++i)
    peak = std::max({peak, std::abs(mix.left[i]), std::abs(mix.right[i])});
  const double gain = 0.7 / peak;
  audio.left.resize(length);
  audio.right.resize(length);
  for (std::size_t i = 0; i < length; ++i) {
    audio.left[i] = static_cast<float>(mix.left[i] * gain);
    audio.right[i] = static_cast<float>(mix.right[i] * gain);
  }
  return audio;
}

}  // namespace kv::music
