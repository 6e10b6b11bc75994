// The lasting choices in their per-user file.

#include "comfort/choices.h"
#include "platform/host/atomic_file.h"

namespace kv::comfort {

namespace {
constexpr long long kMaxBytes = 64 * 1024;  // a few lines; anything larger is not ours
}  // namespace

LastingChoices FileChoices::load() {
  const std::optional<std::string> text = host::readWholeFile(path_, kMaxBytes);
  std::optional<LastingChoices> choices;
  if (text) choices = LastingChoices::parse(*text);
  return choices.value_or(LastingChoices{});
}

void FileChoices::save(const LastingChoices& choices) {
  host::writeFileAtomically(path_, choices.text());
}

}  // namespace kv::comfort
