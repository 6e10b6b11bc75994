#include "platform/file_names.h"

namespace kv {

std::string fitFileName(std::string_view head, std::string_view tail, std::size_t maxBytes) {
  std::size_t keep = head.size();
  if (head.size() + tail.size() > maxBytes) {
    keep = tail.size() < maxBytes ? maxBytes - tail.size() : 0;
    // Back to the first byte of a character: UTF-8 continuation bytes are 10xxxxxx.
    while (keep > 0 && (static_cast<unsigned char>(head[keep]) & 0xC0) == 0x80) --keep;
  }
  std::string name(head.substr(0, keep));
  name += tail;
  return name;
}

}  // namespace kv
