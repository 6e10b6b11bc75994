#pragma once
// A small SWF writer: header, tags in short or long form, the few action records our own
// movies and the tests need, and FWS/CWS/ZWS output. Used by the resource movie generator
// (kv_make_movies), the tests and the fuzz corpus.

#include <cstdint>
#include <string>
#include <vector>

#include "media/flash/swf_reader.h"

namespace kv::media::swf {

using Bytes = std::vector<std::uint8_t>;

// Action records (each returns the bytes of one or more records, without the final 0).
namespace act {
Bytes stop();
Bytes play();
Bytes nextFrame();
Bytes prevFrame();
Bytes gotoFrame(std::uint16_t frame);       // 0-based, stops
Bytes gotoLabel(const std::string& label);  // stops
Bytes getUrl(const std::string& url, const std::string& target);
// fscommand(command, args) as Flash compiles it for constant strings (ActionGetURL).
Bytes fscommand(const std::string& command, const std::string& args = "");
Bytes pushStrings(const std::vector<std::string>& strings);
Bytes pushConstants(const std::vector<std::uint16_t>& indexes);  // constant8/16 items
Bytes pushNumber(double value);
Bytes constantPool(const std::vector<std::string>& strings);
Bytes getUrl2(std::uint8_t flags = 0);
Bytes gotoFrame2(bool play);
Bytes setVariable();
// fscommand compiled with ActionPush + ActionGetURL2 (what the compiler emits for args that
// are expressions); with pooled = true the strings come from a constant pool.
Bytes fscommand2(const std::string& command, const std::string& args, bool pooled = false);
Bytes join(std::initializer_list<Bytes> parts);
}  // namespace act

class Writer {
 public:
  Writer(int version, int widthPixels, int heightPixels, double frameRate,
         std::uint16_t headerFrameCount = 0);

  Writer& tag(int code, const Bytes& payload, bool forceLong = false);
  Writer& showFrame();
  Writer& end();
  Writer& background(Rgb color);
  Writer& fileAttributes(std::uint32_t flags);
  Writer& metadata(const std::string& xml);
  Writer& frameLabel(const std::string& label);
  Writer& doAction(const Bytes& actions);  // a 0 end record is appended
  Writer& doInitAction(std::uint16_t spriteId, const Bytes& actions);

  // The whole file. headerFrameCount 0 means: the number of ShowFrame tags written.
  Bytes build(Compression compression = Compression::None) const;

  int framesWritten() const { return frames_; }

  static Bytes tagBytes(int code, const Bytes& payload, bool forceLong = false);

 private:
  int version_;
  Rect rect_;
  std::uint16_t rate_;
  std::uint16_t headerFrames_;
  int frames_ = 0;
  Bytes tags_;
};

// Little-endian helpers shared by the writers.
void putU16(Bytes& out, std::uint32_t v);
void putU32(Bytes& out, std::uint32_t v);
void putString(Bytes& out, const std::string& s);  // with the NUL terminator

}  // namespace kv::media::swf
