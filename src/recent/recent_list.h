#pragma once
// The files a person opened last, newest first and bounded, and where the list is kept: in
// memory, or in one per-user file replaced atomically on every change.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kv::recent {

// The entries and their text: a first line naming the format, then one path a line.
class RecentList {
 public:
  static constexpr std::size_t kMostFiles = 15;

  // Nothing when the text is not a list of ours (damaged, cut off, another format).
  static std::optional<RecentList> parse(const std::string& text);
  std::string text() const;

  // The file becomes the newest; the oldest beyond the bound go. A name that cannot be a line
  // of its own is not kept.
  void add(const std::string& file);
  void clear() { files_.clear(); }
  const std::vector<std::string>& files() const { return files_; }

 private:
  std::vector<std::string> files_;
};

class RecentStore {
 public:
  virtual ~RecentStore() = default;
  // The list kept; an empty one when there is none or it is damaged.
  virtual RecentList load() = 0;
  // A list that cannot be written leaves the one kept before as it was.
  virtual void save(const RecentList& list) = 0;
};

class MemoryRecent final : public RecentStore {
 public:
  RecentList load() override { return list_; }
  void save(const RecentList& list) override { list_ = list; }

 private:
  RecentList list_;
};

class FileRecent final : public RecentStore {
 public:
  explicit FileRecent(std::string path) : path_(std::move(path)) {}
  RecentList load() override;
  void save(const RecentList& list) override;

 private:
  std::string path_;
};

// $XDG_STATE_HOME/korvelin/recent (~/.local/state without it).
std::string recentFile();

}  // namespace kv::recent
