#pragma once
// Where films were left, per file, most recent first and bounded; kept in memory, or in one
// per-user file replaced atomically on every change.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kv::comfort {

class PositionStore {
 public:
  virtual ~PositionStore() = default;
  virtual std::optional<double> saved(const std::string& file) = 0;
  // The file becomes the most recent; the oldest beyond the bound are dropped.
  virtual void remember(const std::string& file, double seconds) = 0;
  virtual void forget(const std::string& file) = 0;
};

// The entries and their text: a first line naming the format, then "seconds<TAB>path" per file,
// most recent first.
class PositionList {
 public:
  static constexpr std::size_t kMostFiles = 1000;

  // Nothing when the text is not a list of ours (damaged, cut off, another format).
  static std::optional<PositionList> parse(const std::string& text);
  std::string text() const;

  std::optional<double> saved(const std::string& file) const;
  void remember(const std::string& file, double seconds);
  // False when the file was not there.
  bool forget(const std::string& file);
  std::size_t size() const { return entries_.size(); }

 private:
  std::vector<std::pair<std::string, double>> entries_;
};

class MemoryPositions final : public PositionStore {
 public:
  std::optional<double> saved(const std::string& file) override { return list_.saved(file); }
  void remember(const std::string& file, double seconds) override { list_.remember(file, seconds); }
  void forget(const std::string& file) override { list_.forget(file); }

 private:
  PositionList list_;
};

// The list in a file, read the first time it is needed. A damaged file counts as empty and is
// replaced by the next change; a change that cannot be written leaves the old file as it was.
class FilePositions final : public PositionStore {
 public:
  explicit FilePositions(std::string path) : path_(std::move(path)) {}
  std::optional<double> saved(const std::string& file) override;
  void remember(const std::string& file, double seconds) override;
  void forget(const std::string& file) override;

 private:
  PositionList& list();
  void write();

  std::string path_;
  std::optional<PositionList> list_;
};

}  // namespace kv::comfort
