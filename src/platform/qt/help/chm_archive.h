#pragma once
// A compiled help file (CHM) read with libchm: its pages, pictures and style sheets by path.

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct chmFile;

namespace kv::help {

class ChmArchive {
 public:
  enum class Status { Ok, Missing, Empty, NotChm };

  // Opens the file; status() says why an archive holds nothing.
  explicit ChmArchive(const std::string& path);
  ~ChmArchive();
  ChmArchive(const ChmArchive&) = delete;
  ChmArchive& operator=(const ChmArchive&) = delete;

  Status status() const { return status_; }
  const std::string& path() const { return path_; }
  // An object by its path inside the archive ("help.htm" or "/help.htm"); nothing when it
  // is missing, unreadable or larger than the reader accepts.
  std::optional<std::string> read(const std::string& object) const;
  bool contains(const std::string& object) const;
  // The paths of the archive's own files (no directories, no internal objects).
  std::vector<std::string> files() const;

  // Objects larger than this are refused (a damaged length must not claim the memory).
  static constexpr std::size_t kMaxObjectBytes = 32u << 20;

 private:
  static std::string normalise(const std::string& object);

  std::string path_;
  Status status_ = Status::NotChm;
  chmFile* file_ = nullptr;
};

}  // namespace kv::help
