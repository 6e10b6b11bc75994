#include "media/flash/resource_movies.h"

#include <cstdio>
#include <fstream>

#include "media/flash/player_movie.h"
#include "media/flash/swf_reader.h"
#include "media/flash/swf_writer.h"

namespace kv::media {

const char* const kPlayerMovieMarker = "urn:korvelin:movie:flv-player:1";
const char* const kIdleMovieMarker = "urn:korvelin:movie:idle:1";

namespace {

constexpr int kVersion = 10;
constexpr int kWidth = 400;
constexpr int kHeight = 300;

std::string metadataXml(const std::string& title, const std::string& role) {
  return "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">"
         "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
         "xmlns:kv=\"urn:korvelin:movie\">"
         "<dc:title>" +
         title + "</dc:title><kv:role>" + role +
         "</kv:role>"
         "</rdf:Description></rdf:RDF>";
}

}  // namespace

std::vector<std::uint8_t> idleMovieBytes() {
  using namespace swf;
  Writer w(kVersion, kWidth, kHeight, 12.0);
  w.fileAttributes(0x10)  // HasMetadata
      .metadata(metadataXml("Korvelin idle movie", kIdleMovieMarker))
      .background(Rgb{0, 0, 0})
      .showFrame()
      .end();
  return w.build(Compression::None);
}

std::vector<std::uint8_t> playerMovieBytes() {
  using namespace swf;
  Writer w(kVersion, kWidth, kHeight, 25.0);
  w.fileAttributes(0x10).metadata(metadataXml("Korvelin Flash video player", kPlayerMovieMarker));
  w.background(Rgb{0, 0, 0});
  // The video display: DefineVideoStream (id 1, no frames of its own, Sorenson H.263) placed
  // at depth 1 over the whole stage; the runtime shows the libmpv picture there.
  Bytes video;
  putU16(video, 1);
  putU16(video, 0);
  putU16(video, kWidth);
  putU16(video, kHeight);
  video.push_back(0x02);  // smoothing on
  video.push_back(2);
  w.tag(60, video);
  Bytes place{0x06};   // PlaceObject2: has character, has matrix (identity)
  putU16(place, 1);    // depth
  putU16(place, 1);    // character id
  place.push_back(0);  // MATRIX: no scale, no rotate, translate bits 0
  w.tag(26, place);
  // Initial values of the variables the program reads, set by the movie's
  // first frame like an ActionScript player movie would.
  w.doAction(act::join({
      act::pushStrings({player_movie::kPosition, "0"}),
      act::setVariable(),
      act::pushStrings({player_movie::kLength, "0"}),
      act::setVariable(),
      act::pushStrings({player_movie::kPositionText, "00:00"}),
      act::setVariable(),
      act::pushStrings({player_movie::kLengthText, "/00:00"}),
      act::setVariable(),
  }));
  w.showFrame().end();
  return w.build(Compression::Zlib);
}

bool isPlayerMovie(const swf::Movie& movie) {
  return movie.metadata.find(kPlayerMovieMarker) != std::string::npos;
}

bool isResourceMovie(const swf::Movie& movie) {
  return isPlayerMovie(movie) || movie.metadata.find(kIdleMovieMarker) != std::string::npos;
}

bool writeResourceMovies(const std::string& folder, const std::string& extension,
                         std::string* error) {
  const std::pair<const char*, std::vector<std::uint8_t>> files[] = {{"0", idleMovieBytes()},
                                                                     {"power", playerMovieBytes()}};
  for (const auto& [name, bytes] : files) {
    const std::string path = folder + "/" + name + extension;
    const std::string tmp = path + ".tmp";
    {
      std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
      if (!out) {
        if (error) *error = "cannot write " + tmp;
        return false;
      }
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
      if (error) *error = "cannot write " + path;
      return false;
    }
  }
  return true;
}

}  // namespace kv::media
