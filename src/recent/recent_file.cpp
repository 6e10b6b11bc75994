// The list in its per-user file, beside the other state files.

#include "comfort/comfort_places.h"
#include "platform/host/atomic_file.h"
#include "recent/recent_list.h"

namespace kv::recent {

namespace {
constexpr long long kMaxBytes = 64 * 1024;  // fifteen paths; anything larger is not ours
}  // namespace

RecentList FileRecent::load() {
  const std::optional<std::string> text = host::readWholeFile(path_, kMaxBytes);
  std::optional<RecentList> list;
  if (text) list = RecentList::parse(*text);
  return list.value_or(RecentList{});  // damaged or unreadable: start afresh
}

void FileRecent::save(const RecentList& list) {
  host::writeFileAtomically(path_, list.text());
}

std::string recentFile() {
  return comfort::stateFile("recent");
}

}  // namespace kv::recent
