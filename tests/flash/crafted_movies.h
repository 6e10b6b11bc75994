#pragma once
// Movies made to hurt the reader and the runtime: small files that ask for far more work or
// memory than their size. Used by the hardening tests and by tools/bench measurements.

#include <zlib.h>

#include <string>
#include <vector>

#include "media/flash/swf_writer.h"

namespace kv::media::test {

using swf::Bytes;
namespace act = swf::act;

// One DoAction: a constant pool holding one string of poolBytes bytes ("FSCommand:" and
// filler), then `records` Push records of 32,767 pushes of that pooled string each, then one
// fscommand through it. The file: 65,530 bytes, 1,000 records, CWS (67 KB).
inline Bytes poolPushMovie(std::size_t poolBytes = 65530, int records = 1000) {
  const std::string pooled = "FSCommand:" + std::string(poolBytes - 10, 'p');
  Bytes actions = act::constantPool({pooled});
  const Bytes push = act::pushConstants(std::vector<std::uint16_t>(32767, 0));
  actions.reserve(actions.size() + push.size() * static_cast<std::size_t>(records) + 16);
  for (int i = 0; i < records; ++i) actions.insert(actions.end(), push.begin(), push.end());
  const Bytes call = act::join({act::pushConstants({0, 0}), act::getUrl2()});
  actions.insert(actions.end(), call.begin(), call.end());
  swf::Writer w(10, 100, 100, 12);
  w.doAction(actions).showFrame().end();
  return w.build(swf::Compression::Zlib);
}

// Gotos whose label comes from the pool: each 10-byte record would record a copy of the whole
// pooled string as its label.
inline Bytes pooledGotoMovie(std::size_t poolBytes = 65530, int gotos = 100'000) {
  Bytes actions = act::constantPool({std::string(poolBytes, 'g')});
  const Bytes go = act::join({act::pushConstants({0}), act::gotoFrame2(false)});
  for (int i = 0; i < gotos; ++i) actions.insert(actions.end(), go.begin(), go.end());
  swf::Writer w(10, 100, 100, 12);
  w.doAction(actions).showFrame().end();
  return w.build(swf::Compression::Zlib);
}

// `labels` distinct labels on frame 0 and `gotos` GotoLabel actions to a label that is not
// there, run when frame 0 is entered. The file: 65,536 labels, 10,000 gotos.
inline Bytes labelMovie(int labels = 65536, int gotos = 10'000) {
  swf::Writer w(10, 100, 100, 12);
  for (int i = 0; i < labels; ++i) w.frameLabel("L" + std::to_string(i));
  Bytes actions;
  const Bytes go = act::gotoLabel("missing");
  for (int i = 0; i < gotos; ++i) actions.insert(actions.end(), go.begin(), go.end());
  w.doAction(actions).showFrame().showFrame().end();
  return w.build(swf::Compression::Zlib);
}

// A frame that calls fscommand `calls` times.
inline Bytes commandFloodMovie(int calls) {
  Bytes actions;
  const Bytes call = act::fscommand("flood", "x");
  for (int i = 0; i < calls; ++i) actions.insert(actions.end(), call.begin(), call.end());
  swf::Writer w(10, 100, 100, 12);
  w.doAction(actions).showFrame().showFrame().end();
  return w.build(swf::Compression::Zlib);
}

// One video stream and `frames` VideoFrame tags of one byte each (7 bytes a tag), CWS. The
// issue's file: 9.6 million tags (98 KB).
inline Bytes videoFloodMovie(int frames = 9'600'000) {
  swf::Writer w(8, 16, 16, 12);
  Bytes stream;
  swf::putU16(stream, 1);    // id
  swf::putU16(stream, 100);  // frame count
  swf::putU16(stream, 16);
  swf::putU16(stream, 16);
  stream.push_back(0);
  stream.push_back(2);  // Sorenson H.263
  w.tag(60, stream);
  // Header, rectangle and the stream definition from the writer; the tags after it as bytes.
  Bytes body = w.build(swf::Compression::None);
  body.erase(body.begin(), body.begin() + 8);
  body.reserve(body.size() + 7 * static_cast<std::size_t>(frames) + 4);
  const std::uint8_t frame[7] = {0x45, 0x0F, 1, 0, 0, 0, 0};  // VideoFrame: stream 1, one byte
  for (int i = 0; i < frames; ++i) body.insert(body.end(), frame, frame + 7);
  body.insert(body.end(), {0x40, 0x00, 0x00, 0x00});  // ShowFrame, End
  uLongf size = compressBound(static_cast<uLong>(body.size()));
  Bytes file = {'C', 'W', 'S', 8};
  swf::putU32(file, static_cast<std::uint32_t>(body.size() + 8));
  file.resize(8 + size);
  compress2(file.data() + 8, &size, body.data(), static_cast<uLong>(body.size()), 9);
  file.resize(8 + size);
  return file;
}

// A version-5 movie (text in the system's code page) calling fscommand with `command` as it is
// stored, and the same for version 10 (UTF-8).
inline Bytes legacyTextMovie(int version, const std::string& command, const std::string& label) {
  swf::Writer w(version, 100, 100, 12);
  w.frameLabel(label).doAction(act::fscommand(command, command)).showFrame().end();
  return w.build(swf::Compression::None);
}

}  // namespace kv::media::test
