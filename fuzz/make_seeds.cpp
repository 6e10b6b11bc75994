// Writes the generated seed movies of the SWF fuzz corpus into a folder.

#include <cstdio>
#include <fstream>
#include <string>

#include "flash/crafted_movies.h"
#include "media/flash/swf_writer.h"

using namespace kv::media::swf;

namespace {

void put(const std::string& folder, const std::string& name, const Bytes& b) {
  std::ofstream(folder + "/" + name, std::ios::binary)
      .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

Bytes actionsMovie(Compression c = Compression::None) {
  Writer w(10, 550, 400, 24);
  w.fileAttributes(0x10)
      .metadata("<x>urn:korvelin:movie:flv-player:1</x>")
      .background(Rgb{1, 2, 3});
  w.frameLabel("start").doAction(act::join({act::fscommand("quit", "a"), act::stop()})).showFrame();
  w.doAction(act::join({act::fscommand2("full", "1"), act::fscommand2("close", "", true),
                        act::gotoFrame(0), act::play(), act::gotoLabel("start"), act::pushNumber(2),
                        act::gotoFrame2(true), act::pushStrings({"start"}), act::gotoFrame2(false),
                        act::nextFrame(), act::prevFrame(), act::pushStrings({"_root.v", "1"}),
                        act::setVariable(), act::pushNumber(0.5), act::pushNumber(-3)}));
  w.doInitAction(1, act::fscommand("init"));
  w.showFrame().end();
  return w.build(c);
}

Bytes spriteMovie() {
  Bytes sprite = {1, 0, 2, 0};
  for (const Bytes& t :
       {Writer::tagBytes(1, {}), Writer::tagBytes(12, act::join({act::fscommand("in"), Bytes{0}})),
        Writer::tagBytes(1, {}), Writer::tagBytes(0, {})})
    sprite.insert(sprite.end(), t.begin(), t.end());
  Writer w(8, 100, 100, 12);
  w.tag(39, sprite).showFrame().end();
  return w.build();
}

Bytes streamMovie(bool vp6) {
  Writer w(8, 32, 32, 10);
  Bytes dvs = {1, 0, 2, 0, 32, 0, 32, 0, 0, static_cast<std::uint8_t>(vp6 ? 4 : 2)};
  w.tag(60, dvs);
  w.tag(45, Bytes{0x2E, 0x2E, 0x40, 0x02, 0, 0});
  for (int f = 0; f < 2; ++f) {
    Bytes vf = {1, 0, static_cast<std::uint8_t>(f), 0, 0x00, 0x00, 0x84, 0x00, 0x20, 0x10};
    w.tag(61, vf).tag(19, Bytes{0x40, 0x02, 0, 0, 0xFF, 0xFB, 0x90, 0x00}).showFrame();
  }
  w.end();
  return w.build();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kv_fuzz_seeds FOLDER\n");
    return 2;
  }
  const std::string dir = argv[1];
  put(dir, "actions-fws.swf", actionsMovie());
  Writer plain(6, 320, 240, 12);
  plain.showFrame().showFrame().end();
  put(dir, "plain-cws.swf", plain.build(Compression::Zlib));
  put(dir, "plain-zws.swf", plain.build(Compression::Lzma));
  put(dir, "sprite-fws.swf", spriteMovie());
  put(dir, "stream-h263-fws.swf", streamMovie(false));
  put(dir, "actions-cws.swf", actionsMovie(Compression::Zlib));
  put(dir, "actions-zws.swf", actionsMovie(Compression::Lzma));
  put(dir, "stream-vp6-fws.swf", streamMovie(true));
  Writer longTags(8, 10, 10, 0);
  longTags.tag(9, Bytes{0, 0, 0}, true).tag(77, Bytes(70, 'm'), true).showFrame().end();
  put(dir, "long-tags-fws.swf", longTags.build());
  // Small files that once cost the reader far more than their size.
  put(dir, "crafted-pool-push-cws.swf", kv::media::test::poolPushMovie(65530, 120));
  put(dir, "crafted-pooled-goto-cws.swf", kv::media::test::pooledGotoMovie());
  put(dir, "crafted-fscommands-cws.swf", kv::media::test::commandFloodMovie(100'000));
  put(dir, "crafted-gbk-v5-fws.swf", kv::media::test::legacyTextMovie(5, "\xC8\xAB", "\xC6\xC1"));
  return 0;
}
