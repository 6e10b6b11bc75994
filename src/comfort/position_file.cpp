// The positions in their per-user file.

#include "comfort/positions.h"
#include "platform/host/atomic_file.h"

namespace kv::comfort {

namespace {
// A thousand paths of a few hundred bytes; anything much larger is not ours.
constexpr long long kMaxBytes = 4 * 1024 * 1024;
}  // namespace

PositionList& FilePositions::list() {
  if (!list_) {
    const std::optional<std::string> text = host::readWholeFile(path_, kMaxBytes);
    if (text) list_ = PositionList::parse(*text);
    if (!list_) list_.emplace();  // damaged or unreadable: start afresh
  }
  return *list_;
}

std::optional<double> FilePositions::saved(const std::string& file) {
  return list().saved(file);
}

void FilePositions::remember(const std::string& file, double seconds) {
  list().remember(file, seconds);
  write();
}

void FilePositions::forget(const std::string& file) {
  if (list().forget(file)) write();
}

void FilePositions::write() {
  host::writeFileAtomically(path_, list_->text());
}

}  // namespace kv::comfort
