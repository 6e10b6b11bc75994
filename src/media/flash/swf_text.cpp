#include "media/flash/swf_text.h"

#include <iconv.h>

#include <cerrno>

namespace kv::media::swf {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Length of the well-formed UTF-8 sequence at p[0..n), or 0 when it is not one.
std::size_t sequenceLength(const unsigned char* p, std::size_t n) {
  const unsigned char c = p[0];
  if (c < 0x80) return 1;
  std::size_t len;
  unsigned char lo = 0x80, hi = 0xBF;  // range of the second byte
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3;
    if (c == 0xE0) lo = 0xA0;  // no overlong forms
    if (c == 0xED) hi = 0x9F;  // no surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;  // nothing past U+10FFFF
  } else {
    return 0;
  }
  if (n < len || p[1] < lo || p[1] > hi) return 0;
  for (std::size_t i = 2; i < len; ++i)
    if ((p[i] & 0xC0) != 0x80) return 0;
  return len;
}

bool isAscii(std::string_view s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

}  // namespace

bool isValidUtf8(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t len = sequenceLength(p + i, text.size() - i);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

std::string validUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t len = sequenceLength(p + i, text.size() - i);
    if (len == 0) {
      out += kReplacement;
      ++i;
    } else {
      out.append(text.data() + i, len);
      i += len;
    }
  }
  return out;
}

TextDecoder::TextDecoder(int swfVersion, std::string legacyEncoding)
    : utf8_(swfVersion >= 6), encoding_(std::move(legacyEncoding)) {}

TextDecoder::~TextDecoder() {
  if (iconv_) iconv_close(static_cast<iconv_t>(iconv_));
}

std::string TextDecoder::decode(std::string_view bytes) {
  if (isAscii(bytes)) return std::string(bytes);
  return utf8_ ? validUtf8(bytes) : legacy(bytes);
}

std::string TextDecoder::legacy(std::string_view bytes) {
  if (!iconvTried_) {
    iconvTried_ = true;
    const iconv_t cd = iconv_open("UTF-8", encoding_.c_str());
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_ = cd;
  }
  std::string out;
  if (!iconv_) {  // Latin-1: every byte is the code point of its value
    for (unsigned char c : bytes) {
      if (c < 0x80) {
        out += static_cast<char>(c);
      } else {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
      }
    }
    return out;
  }
  const iconv_t cd = static_cast<iconv_t>(iconv_);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  out.resize(bytes.size() * 2 + 8);
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  std::size_t used = 0;
  while (inLeft > 0) {
    char* o = out.data() + used;
    std::size_t outLeft = out.size() - used;
    const std::size_t rc = iconv(cd, &in, &inLeft, &o, &outLeft);
    used = out.size() - outLeft;
    if (rc != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
      continue;
    }
    // A byte that is not the code page's (EILSEQ) or a character cut at the end (EINVAL):
    // one replacement character for it, and on with the next byte.
    if (out.size() - used < kReplacement.size()) out.resize(out.size() * 2);
    out.replace(used, kReplacement.size(), kReplacement);
    used += kReplacement.size();
    ++in;
    --inLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  out.resize(used);
  // The converter's output is UTF-8 already; this only guards against a converter that is not.
  return isValidUtf8(out) ? out : validUtf8(out);
}

}  // namespace kv::media::swf
