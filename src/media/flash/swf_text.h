#pragma once
// Text of SWF files as UTF-8. Movies of version 6 and later store UTF-8; older ones store the
// code page of the system that made them (for this player's Chinese audience, GBK). Whatever
// the bytes, what comes out is valid UTF-8: a byte that does not decode becomes U+FFFD.
//
// Standard library and the C library's iconv only (the fuzz target builds it on its own).

#include <string>
#include <string_view>

namespace kv::media::swf {

// The code page of movies older than version 6 when nothing else is said.
inline constexpr const char* kDefaultLegacyEncoding = "GBK";

class TextDecoder {
 public:
  // legacyEncoding: an iconv name; when the system does not know it, old movies' bytes above
  // 0x7F are read as Latin-1.
  TextDecoder(int swfVersion, std::string legacyEncoding = kDefaultLegacyEncoding);
  ~TextDecoder();
  TextDecoder(const TextDecoder&) = delete;
  TextDecoder& operator=(const TextDecoder&) = delete;

  std::string decode(std::string_view bytes);

 private:
  std::string legacy(std::string_view bytes);

  bool utf8_;
  std::string encoding_;
  void* iconv_ = nullptr;  // opened on first use
  bool iconvTried_ = false;
};

// Whether text is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool isValidUtf8(std::string_view text);
// text with every ill-formed sequence replaced by U+FFFD.
std::string validUtf8(std::string_view text);

}  // namespace kv::media::swf
