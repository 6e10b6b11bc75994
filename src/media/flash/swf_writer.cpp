#include "media/flash/swf_writer.h"

#include <lzma.h>
#include <zlib.h>

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace kv::media::swf {

void putU16(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void putU32(Bytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void putString(Bytes& out, const std::string& s) {
  out.insert(out.end(), s.begin(), s.end());
  out.push_back(0);
}

namespace act {

namespace {
Bytes record(std::uint8_t code, const Bytes& payload = {}) {
  Bytes out{code};
  if (code >= 0x80) {
    putU16(out, static_cast<std::uint32_t>(payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
  }
  return out;
}
}  // namespace

Bytes stop() {
  return record(0x07);
}
Bytes play() {
  return record(0x06);
}
Bytes nextFrame() {
  return record(0x04);
}
Bytes prevFrame() {
  return record(0x05);
}
Bytes setVariable() {
  return record(0x1D);
}

Bytes gotoFrame(std::uint16_t frame) {
  Bytes p;
  putU16(p, frame);
  return record(0x81, p);
}

Bytes gotoLabel(const std::string& label) {
  Bytes p;
  putString(p, label);
  return record(0x8C, p);
}

Bytes getUrl(const std::string& url, const std::string& target) {
  Bytes p;
  putString(p, url);
  putString(p, target);
  return record(0x83, p);
}

Bytes fscommand(const std::string& command, const std::string& args) {
  return getUrl("FSCommand:" + command, args);
}

Bytes pushStrings(const std::vector<std::string>& strings) {
  Bytes p;
  for (const auto& s : strings) {
    p.push_back(0);
    putString(p, s);
  }
  return record(0x96, p);
}

Bytes pushConstants(const std::vector<std::uint16_t>& indexes) {
  Bytes p;
  for (auto i : indexes) {
    if (i < 256) {
      p.push_back(8);
      p.push_back(static_cast<std::uint8_t>(i));
    } else {
      p.push_back(9);
      putU16(p, i);
    }
  }
  return record(0x96, p);
}

Bytes pushNumber(double value) {
  Bytes p;
  if (value == std::floor(value) && std::fabs(value) < 2147483648.0) {
    p.push_back(7);
    putU32(p, static_cast<std::uint32_t>(static_cast<std::int32_t>(value)));
  } else {
    p.push_back(6);
    std::uint64_t bits;
    std::memcpy(&bits, &value, 8);
    putU32(p, static_cast<std::uint32_t>(bits >> 32));
    putU32(p, static_cast<std::uint32_t>(bits));
  }
  return record(0x96, p);
}

Bytes constantPool(const std::vector<std::string>& strings) {
  Bytes p;
  putU16(p, static_cast<std::uint32_t>(strings.size()));
  for (const auto& s : strings) putString(p, s);
  return record(0x88, p);
}

Bytes getUrl2(std::uint8_t flags) {
  return record(0x9A, Bytes{flags});
}

Bytes gotoFrame2(bool play) {
  return record(0x9F, Bytes{static_cast<std::uint8_t>(play ? 1 : 0)});
}

Bytes fscommand2(const std::string& command, const std::string& args, bool pooled) {
  if (pooled)
    return join({constantPool({"FSCommand:" + command, args}), pushConstants({0, 1}), getUrl2()});
  return join({pushStrings({"FSCommand:" + command, args}), getUrl2()});
}

Bytes join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

}  // namespace act

Writer::Writer(int version, int widthPixels, int heightPixels, double frameRate,
               std::uint16_t headerFrameCount)
    : version_(version),
      rate_(static_cast<std::uint16_t>(std::lround(frameRate * 256.0))),
      headerFrames_(headerFrameCount) {
  rect_.xMax = widthPixels * 20;
  rect_.yMax = heightPixels * 20;
}

Bytes Writer::tagBytes(int code, const Bytes& payload, bool forceLong) {
  Bytes out;
  if (payload.size() < 0x3F && !forceLong) {
    putU16(out, static_cast<std::uint32_t>((code << 6) | payload.size()));
  } else {
    putU16(out, static_cast<std::uint32_t>((code << 6) | 0x3F));
    putU32(out, static_cast<std::uint32_t>(payload.size()));
  }
  out.insert(out.end(), payload.begin(), payload.end());
  return out;
}

Writer& Writer::tag(int code, const Bytes& payload, bool forceLong) {
  const Bytes t = tagBytes(code, payload, forceLong);
  tags_.insert(tags_.end(), t.begin(), t.end());
  if (code == 1) ++frames_;
  return *this;
}

Writer& Writer::showFrame() {
  return tag(1, {});
}
Writer& Writer::end() {
  return tag(0, {});
}
Writer& Writer::background(Rgb c) {
  return tag(9, Bytes{c.r, c.g, c.b});
}

Writer& Writer::fileAttributes(std::uint32_t flags) {
  Bytes p;
  putU32(p, flags);
  return tag(69, p);
}

Writer& Writer::metadata(const std::string& xml) {
  Bytes p;
  putString(p, xml);
  return tag(77, p);
}

Writer& Writer::frameLabel(const std::string& label) {
  Bytes p;
  putString(p, label);
  return tag(43, p);
}

Writer& Writer::doAction(const Bytes& actions) {
  Bytes p = actions;
  p.push_back(0);
  return tag(12, p);
}

Writer& Writer::doInitAction(std::uint16_t spriteId, const Bytes& actions) {
  Bytes p;
  putU16(p, spriteId);
  p.insert(p.end(), actions.begin(), actions.end());
  p.push_back(0);
  return tag(59, p);
}

namespace {

// RECT with the smallest field width that holds all four values.
Bytes rectBytes(const Rect& r) {
  const std::int32_t v[4] = {r.xMin, r.xMax, r.yMin, r.yMax};
  int nbits = 1;
  for (auto x : v) {
    int need = 1;
    while (need < 31 && (x < -(1 << (need - 1)) || x >= (1 << (need - 1)))) ++need;
    nbits = std::max(nbits, need);
  }
  Bytes out;
  std::uint32_t acc = 0;
  int accBits = 0;
  auto putBits = [&](std::uint32_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
      acc = (acc << 1) | ((value >> i) & 1);
      if (++accBits == 8) {
        out.push_back(static_cast<std::uint8_t>(acc));
        acc = 0;
        accBits = 0;
      }
    }
  };
  putBits(static_cast<std::uint32_t>(nbits), 5);
  for (auto x : v) putBits(static_cast<std::uint32_t>(x), nbits);
  if (accBits > 0) out.push_back(static_cast<std::uint8_t>(acc << (8 - accBits)));
  return out;
}

Bytes deflateBytes(const Bytes& in) {
  uLongf size = compressBound(static_cast<uLong>(in.size()));
  Bytes out(size);
  if (compress2(out.data(), &size, in.data(), static_cast<uLong>(in.size()), 9) != Z_OK)
    throw std::runtime_error("zlib compression failed");
  out.resize(size);
  return out;
}

// Raw LZMA1 data and its 5 property bytes, as the ZWS layout wants them.
Bytes lzmaBytes(const Bytes& in, Bytes& props) {
  lzma_options_lzma opt;
  lzma_lzma_preset(&opt, 6);
  opt.dict_size = 1u << 20;
  lzma_stream ls = LZMA_STREAM_INIT;
  if (lzma_alone_encoder(&ls, &opt) != LZMA_OK) throw std::runtime_error("lzma init failed");
  Bytes out(in.size() + in.size() / 2 + 1024);
  ls.next_in = in.data();
  ls.avail_in = in.size();
  ls.next_out = out.data();
  ls.avail_out = out.size();
  lzma_ret rc;
  while ((rc = lzma_code(&ls, LZMA_FINISH)) == LZMA_OK) {
    const std::size_t used = out.size() - ls.avail_out;
    out.resize(out.size() * 2);
    ls.next_out = out.data() + used;
    ls.avail_out = out.size() - used;
  }
  if (rc != LZMA_STREAM_END) throw std::runtime_error("lzma compression failed");
  out.resize(out.size() - ls.avail_out);
  lzma_end(&ls);
  // .lzma header: 5 property bytes and the 8-byte size, then the data.
  props.assign(out.begin(), out.begin() + 5);
  return Bytes(out.begin() + 13, out.end());
}

}  // namespace

Bytes Writer::build(Compression compression) const {
  Bytes body = rectBytes(rect_);
  putU16(body, rate_);
  putU16(body, headerFrames_ ? headerFrames_ : static_cast<std::uint32_t>(frames_));
  body.insert(body.end(), tags_.begin(), tags_.end());

  Bytes out;
  const std::uint32_t fileLength = static_cast<std::uint32_t>(body.size() + 8);
  switch (compression) {
    case Compression::None:
      out = {'F', 'W', 'S', static_cast<std::uint8_t>(version_)};
      putU32(out, fileLength);
      out.insert(out.end(), body.begin(), body.end());
      break;
    case Compression::Zlib: {
      out = {'C', 'W', 'S', static_cast<std::uint8_t>(version_)};
      putU32(out, fileLength);
      const Bytes z = deflateBytes(body);
      out.insert(out.end(), z.begin(), z.end());
      break;
    }
    case Compression::Lzma: {
      out = {'Z', 'W', 'S', static_cast<std::uint8_t>(version_)};
      putU32(out, fileLength);
      Bytes props;
      const Bytes z = lzmaBytes(body, props);
      putU32(out, static_cast<std::uint32_t>(z.size()));
      out.insert(out.end(), props.begin(), props.end());
      out.insert(out.end(), z.begin(), z.end());
      break;
    }
  }
  return out;
}

}  // namespace kv::media::swf
