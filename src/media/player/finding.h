#pragma once
// Finding one's place inside a long file: its chapters, a stretch played over and over (from a
// point A to a point B), and the whole file played over and over. All of it belongs to the open
// file and starts afresh with the next one. A player without it returns no Finding from
// MediaPlayer::finding().

#include <optional>
#include <string>
#include <vector>

#include "platform/event.h"

namespace kv::media {

struct Chapter {
  std::string title;  // as the file gives it, "" when untitled
  double start = 0;   // seconds
};

class Finding {
 public:
  virtual ~Finding() = default;

  // The open file's chapters in order; none without a file.
  virtual std::vector<Chapter> chapters() const = 0;
  // The chapter playing now, -1 before the first one or with none.
  virtual int chapter() const = 0;
  // Goes to the start of that chapter.
  virtual void setChapter(int index) = 0;

  // The stretch's ends in seconds, each unset until chosen.
  virtual std::optional<double> loopA() const = 0;
  virtual std::optional<double> loopB() const = 0;
  virtual void setLoop(std::optional<double> a, std::optional<double> b) = 0;
  virtual bool loopsFile() const = 0;
  virtual void setLoopsFile(bool on) = 0;

  // Raised when playback passes into another chapter, with chapter().
  Event<int> ChapterChanged;
};

}  // namespace kv::media
