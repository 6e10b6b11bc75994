#pragma once
// A summary of one SWF file for `korvelin --probe`: a plain struct and the function that
// fills it, plus a JSON rendering of it.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kv::media {

struct SwfInfo {
  bool ok = false;
  std::string error;        // why the file could not be read; empty when ok
  std::string compression;  // "FWS", "CWS" or "ZWS"; empty when not a SWF at all
  int version = 0;
  std::uint32_t fileLength = 0;  // the header's file length field
  int width = 0;                 // stage size in pixels (frame rectangle / 20, rounded)
  int height = 0;
  double frameRate = 0;                 // frames per second as stored (8.8 fixed point)
  int frameCount = 0;                   // the header's frame count
  int shownFrames = 0;                  // ShowFrame tags of the root timeline
  std::string background;               // "#rrggbb" of SetBackgroundColor, "" when there is none
  std::vector<std::string> fscommands;  // every fscommand, first appearance order, each once
  bool playerMovie = false;             // carries the marker of our Flash video player movie
  bool videoStream = false;             // embedded video (DefineVideoStream + VideoFrame)
  bool soundStream = false;             // streamed sound (SoundStreamHead + SoundStreamBlock)
};

SwfInfo probeSwf(const std::string& path);
SwfInfo probeSwf(std::span<const std::uint8_t> bytes);

// {"compression":"CWS","version":10,...}; with "error" instead of the movie's fields when the
// file could not be read (the header fields that were read are still given).
std::string toJson(const SwfInfo& info);

}  // namespace kv::media
