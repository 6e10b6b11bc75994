// Writes the background music of the picture slide show as a WAV file:
//   kv_make_music OUT.wav
// The build encodes it to music.wma beside the player.

#include <cstdio>

#include "score.h"
#include "synth.h"
#include "wav.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kv_make_music OUT.wav\n");
    return 2;
  }
  constexpr int kSampleRate = 44100;
  const kv::music::Audio audio = kv::music::render(kv::music::lullaby(), kSampleRate);
  if (!kv::music::writeWav(audio, argv[1])) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("wrote %s (%.1f s)\n", argv[1], double(audio.left.size()) / kSampleRate);
  return 0;
}
