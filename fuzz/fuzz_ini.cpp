// libFuzzer entry of the INI reader: any bytes must read without a crash or a sanitizer report,
// come back byte for byte when written unchanged, and keep a value set into them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ini_document.h"

namespace {
void check(bool ok) {
  if (!ok) __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  kv::IniDocument doc = kv::IniDocument::parse(text);
  // Nothing the reader did not mean to change is changed.
  check(doc.serialize() == text);

  // What the player writes at shutdown, read back; a second identical write changes nothing.
  const std::string folder = "/media/影片 1";
  doc.set("user", "filepath", folder);
  const std::string written = doc.serialize();
  kv::IniDocument again = kv::IniDocument::parse(written);
  check(again.get("user", "filepath") == folder);
  again.set("User", "FILEPATH", folder);
  check(again.serialize() == written);

  // A whole section replaced leaves the other sections' values alone.
  again.replaceSection("other", {{"a", "1"}, {"b", "2"}});
  const kv::IniDocument last = kv::IniDocument::parse(again.serialize());
  check(last.get("other", "b") == "2");
  check(last.get("user", "filepath") == folder);
  return 0;
}
