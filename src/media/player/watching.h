#pragma once
// What a person watching a film reaches beyond the transport: audio and subtitle tracks, the
// speed, single frames, a still of the frame, short messages drawn by the engine over the
// picture, and where a file was when it was left. A player that has none of it returns no
// Watching from MediaPlayer::watching().

#include <string>
#include <vector>

#include "platform/event.h"

namespace kv::media {

struct Track {
  enum class Kind { Audio, Subtitle };
  Kind kind = Kind::Audio;
  int id = 0;            // the engine's number within its kind, from 1
  std::string language;  // as tagged ("chi", "en", "zh"), "" when untagged
  std::string title;
  bool selected = false;
  bool external = false;  // a subtitle file beside the video
};

// What the open file's tags say of it; "" (or no artist) where it says nothing.
struct MediaTags {
  std::string title;
  std::vector<std::string> artists;
  std::string album;
  bool operator==(const MediaTags&) const = default;
};

// A file as it was when it was replaced or closed.
struct LeftFile {
  std::string url;
  double position = 0;  // seconds
  double duration = 0;  // 0 when unknown
  bool ended = false;   // it had been played to its end
};

class Watching {
 public:
  virtual ~Watching() = default;

  // The tracks of the open file, audio first, each kind in the engine's order.
  virtual std::vector<Track> tracks() const = 0;
  // Selects a track of the kind; id 0 switches subtitles off (or leaves audio without sound).
  virtual void selectTrack(Track::Kind kind, int id) = 0;
  virtual bool subtitlesShown() const = 0;
  virtual void showSubtitles(bool shown) = 0;

  // The speed a person chose, kept across files; fast forward plays faster for its time only.
  virtual double playbackSpeed() const = 0;
  virtual void setPlaybackSpeed(double speed) = 0;
  // One frame on or back; the file stays paused.
  virtual void stepFrame(bool forward) = 0;

  // Draws the text over the picture for a while; a newer text replaces it.
  virtual void showMessage(const std::string& text, int milliseconds) = 0;
  // The open file's title (its tags' title, else its file name); "" with none open.
  virtual std::string title() const = 0;
  // The open file's tags, as the engine read them; empty with none open.
  virtual MediaTags tags() const { return {}; }
  // Saves the current frame at the video's own size, without subtitles or messages, as a
  // picture file named by path (its extension gives the format). False when it was not made.
  // With subtitles: the frame as shown, subtitles drawn in.
  virtual bool saveFrame(const std::string& path, bool withSubtitles = false) = 0;

  // Picture and sound, each a number: seconds for the delays, -100..100 for the picture (0 is
  // the file's own), the subtitles' scale (1 is their own size) and position (100 is the
  // bottom, 0 the top), the aspect ratio (0 is the file's own), and 0/1 for the switches.
  // Values beyond the engine's range are brought into it.
  enum class Choice {
    SubtitleDelay,
    AudioDelay,
    Contrast,
    Brightness,
    Gamma,
    Saturation,
    Aspect,
    Deinterlace,
    Rotation,           // degrees clockwise, in quarter turns
    SecondarySubtitle,  // a subtitle track's id shown above the main one, 0 for none
    SubtitleScale,
    SubtitlePosition,
    HardwareDecoding,  // the engine's safe automatic choice, else software
    Normalise,         // quiet and loud passages brought nearer
  };
  virtual double choice(Choice which) const = 0;
  virtual void setChoice(Choice which, double value) = 0;
  // The decoder the video is decoded by ("vaapi", "nvdec-copy"...), "" in software.
  virtual std::string decoder() const = 0;
  // Adds a subtitle file to the open file and shows it; false when it was not taken (too
  // heavy, unreadable).
  virtual bool addSubtitle(const std::string& path) = 0;
  // Reads the subtitle files of the open file again in this encoding ("" for the guess).
  virtual void setSubtitleEncoding(const std::string& encoding) = 0;

  // Raised just before the open file is replaced or closed.
  Event<const LeftFile&> Left;
  // Raised a moment after hardware decoding was switched while a video plays, with decoder().
  Event<const std::string&> DecoderReported;
};

}  // namespace kv::media
