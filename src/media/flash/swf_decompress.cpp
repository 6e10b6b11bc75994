// Decompression of SWF bodies: zlib (CWS) and LZMA (ZWS), bounded by the declared length.

#include <lzma.h>
#include <zlib.h>

#include <algorithm>

#include "media/flash/swf_detail.h"

namespace kv::media::swf::detail {

// Grows the output buffer geometrically up to limit; returns false when it is full.
static bool growOutput(std::vector<std::uint8_t>& out, std::size_t used, std::size_t limit) {
  if (used < out.size()) return true;
  if (out.size() >= limit) return false;
  const std::size_t next = std::min(limit, std::max<std::size_t>(out.size() * 2, 64 * 1024));
  out.resize(next);
  return true;
}

bool inflateBody(std::span<const std::uint8_t> in, std::size_t expected,
                 std::vector<std::uint8_t>& out, std::string& error,
                 std::vector<std::string>* warnings) {
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) {
    error = "zlib could not be initialised";
    return false;
  }
  out.clear();
  out.resize(std::min(expected, std::max<std::size_t>(in.size() * 4, 64 * 1024)));
  std::size_t produced = 0;
  std::size_t consumed = 0;
  bool done = false;
  while (!done) {
    if (!growOutput(out, produced, expected)) break;  // the declared length is reached
    const std::size_t inChunk = std::min<std::size_t>(in.size() - consumed, 1u << 30);
    const std::size_t outChunk = std::min<std::size_t>(out.size() - produced, 1u << 30);
    zs.next_in = const_cast<Bytef*>(in.data() + consumed);
    zs.avail_in = static_cast<uInt>(inChunk);
    zs.next_out = out.data() + produced;
    zs.avail_out = static_cast<uInt>(outChunk);
    const int rc = inflate(&zs, Z_NO_FLUSH);
    const std::size_t usedIn = inChunk - zs.avail_in;
    const std::size_t madeOut = outChunk - zs.avail_out;
    consumed += usedIn;
    produced += madeOut;
    switch (rc) {
      case Z_STREAM_END:
        done = true;
        if (produced < expected)
          warn(warnings,
               format("zlib stream ends after %zu bytes; the file length field promises %zu",
                      produced, expected));
        break;
      case Z_OK:
      case Z_BUF_ERROR:
        if (produced >= expected) {
          done = true;
        } else if (usedIn == 0 && madeOut == 0) {
          inflateEnd(&zs);
          error =
              format("truncated zlib stream: %zu of %zu bytes decompressed", produced, expected);
          return false;
        }
        break;
      default:
        inflateEnd(&zs);
        error = format("corrupt zlib stream after %zu bytes (%s)", produced,
                       zs.msg ? zs.msg : "data error");
        return false;
    }
  }
  inflateEnd(&zs);
  out.resize(std::min(produced, expected));
  return true;
}

static bool unlzmaOnce(std::span<const std::uint8_t> file, std::size_t expected, bool sizeKnown,
                       std::uint64_t memLimit, std::vector<std::uint8_t>& out, std::string& error,
                       std::vector<std::string>* warnings, bool& dataError) {
  // ZWS layout: "ZWS", version, UI32 file length, UI32 compressed length, 5 bytes of LZMA
  // properties, raw LZMA data. liblzma's .lzma ("alone") decoder takes the properties followed
  // by the 64-bit uncompressed size; we give it the size from the file length field.
  if (file.size() < 17) {
    error = "truncated LZMA header";
    return false;
  }
  const std::uint32_t compressedLength = u32(file.data() + 8);
  if (compressedLength > file.size() - 17)
    warn(warnings, format("LZMA compressed length field (%u) exceeds the data (%zu bytes)",
                          compressedLength, file.size() - 17));
  std::uint8_t alone[13];
  std::memcpy(alone, file.data() + 12, 5);
  const std::uint64_t size = sizeKnown ? expected : ~std::uint64_t{0};
  for (int i = 0; i < 8; ++i) alone[5 + i] = static_cast<std::uint8_t>(size >> (8 * i));

  lzma_stream ls = LZMA_STREAM_INIT;
  if (lzma_alone_decoder(&ls, memLimit) != LZMA_OK) {
    error = "liblzma could not be initialised";
    return false;
  }
  out.clear();
  out.resize(std::min(expected, std::max<std::size_t>(file.size() * 4, 64 * 1024)));
  std::size_t produced = 0;
  // Phase 0 feeds the synthetic header, phase 1 the file's data.
  int phase = 0;
  std::size_t consumed = 0;
  const std::uint8_t* data = file.data() + 17;
  const std::size_t dataSize = file.size() - 17;
  bool ok = true;
  int stalls = 0;
  for (;;) {
    if (!growOutput(out, produced, expected)) break;
    const std::uint8_t* inPtr = phase == 0 ? alone + consumed : data + consumed;
    const std::size_t inSize = (phase == 0 ? sizeof alone : dataSize) - consumed;
    ls.next_in = inPtr;
    ls.avail_in = inSize;
    ls.next_out = out.data() + produced;
    ls.avail_out = out.size() - produced;
    const bool last = phase == 1;
    const lzma_ret rc = lzma_code(&ls, last ? LZMA_FINISH : LZMA_RUN);
    const std::size_t usedIn = inSize - ls.avail_in;
    const std::size_t madeOut = (out.size() - produced) - ls.avail_out;
    consumed += usedIn;
    produced += madeOut;
    if (phase == 0 && consumed == sizeof alone) {
      phase = 1;
      consumed = 0;
    }
    if (rc == LZMA_STREAM_END) {
      if (produced < expected)
        warn(warnings,
             format("LZMA stream ends after %zu bytes; the file length field promises %zu",
                    produced, expected));
      break;
    }
    if (rc == LZMA_OK) {
      if (produced >= expected) break;
      stalls = (usedIn == 0 && madeOut == 0) ? stalls + 1 : 0;
      if (stalls >= 2 || (usedIn == 0 && madeOut == 0 && phase == 1 && ls.avail_in == 0)) {
        error = format("truncated LZMA stream: %zu of %zu bytes decompressed", produced, expected);
        ok = false;
        break;
      }
      continue;
    }
    if (rc == LZMA_BUF_ERROR) {
      if (produced >= expected) break;
      error = format("truncated LZMA stream: %zu of %zu bytes decompressed", produced, expected);
    } else if (rc == LZMA_MEMLIMIT_ERROR || rc == LZMA_MEM_ERROR) {
      error = "LZMA dictionary too large";
    } else if (rc == LZMA_OPTIONS_ERROR || rc == LZMA_FORMAT_ERROR) {
      error = "invalid LZMA properties";
    } else {
      error = format("corrupt LZMA stream after %zu bytes", produced);
      dataError = true;
    }
    ok = false;
    break;
  }
  lzma_end(&ls);
  if (!ok) return false;
  out.resize(std::min(produced, expected));
  return true;
}

bool unlzmaBody(std::span<const std::uint8_t> file, std::size_t expected, std::uint64_t memLimit,
                std::vector<std::uint8_t>& out, std::string& error,
                std::vector<std::string>* warnings) {
  bool dataError = false;
  if (unlzmaOnce(file, expected, true, memLimit, out, error, warnings, dataError)) return true;
  if (!dataError) return false;
  // With the size given, an end marker before that size is a data error. A stream that ends
  // with its own marker while the file length field says more is read up to the marker.
  std::string second;
  bool unused = false;
  if (!unlzmaOnce(file, expected, false, memLimit, out, second, warnings, unused)) return false;
  error.clear();
  return true;
}

}  // namespace kv::media::swf::detail
