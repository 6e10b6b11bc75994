#pragma once
// A person's choices of picture and sound that outlive a file: kept in memory, or in one
// per-user file replaced atomically on every change.

#include <optional>
#include <string>
#include <utility>

namespace kv::comfort {

struct LastingChoices {
  double subtitleScale = 1;    // 1: the subtitles' own size
  int subtitlePosition = 100;  // 100: the bottom, 0: the top
  bool hardwareDecoding = true;
  bool onTop = false;
  bool normalise = false;
  bool operator==(const LastingChoices&) const = default;

  // A first line naming the format, then "name=value" lines. Nothing when the text is not ours
  // (another format, a name or a value it never writes).
  static std::optional<LastingChoices> parse(const std::string& text);
  std::string text() const;
};

class ChoiceStore {
 public:
  virtual ~ChoiceStore() = default;
  virtual LastingChoices load() = 0;
  virtual void save(const LastingChoices& choices) = 0;
};

class MemoryChoices final : public ChoiceStore {
 public:
  LastingChoices load() override { return choices_; }
  void save(const LastingChoices& choices) override { choices_ = choices; }

 private:
  LastingChoices choices_;
};

// A damaged or unreadable file gives the defaults and is replaced by the next change; a change
// that cannot be written leaves the old file as it was.
class FileChoices final : public ChoiceStore {
 public:
  explicit FileChoices(std::string path) : path_(std::move(path)) {}
  LastingChoices load() override;
  void save(const LastingChoices& choices) override;

 private:
  std::string path_;
};

}  // namespace kv::comfort
