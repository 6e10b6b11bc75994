#pragma once
// SWF reading: the file header (FWS, CWS with zlib, ZWS with LZMA), the tag walk of the root
// timeline and of sprites, and a scan of the action records of DoAction/DoInitAction for what
// the timeline runtime needs: fscommand calls, stop/play, simple gotos and constant variable
// assignments. Vector graphics, fonts, bitmaps and buttons are not decoded.
//
// The reader never trusts a length field: the decompressed body is bounded by the header's
// file length and by ReadOptions::maxBodyBytes, every tag must lie inside the body, the walk
// is linear in the size of the body, and what the reader keeps or copies besides (the body,
// actions, labels, stream chunks, their strings) is bounded by a budget proportional to the
// file. Anything it cannot read gives an error text, never a crash, an exception or a hang.
// Strings come out as UTF-8 (swf_text.h).
//
// This file depends on the standard library, the C library, zlib and liblzma only (the fuzz
// target builds it on its own).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "media/flash/swf_text.h"

namespace kv::media::swf {

enum class Compression { None, Zlib, Lzma };  // "FWS", "CWS", "ZWS"
const char* signatureText(Compression c);

struct Rgb {
  std::uint8_t r = 0xFF, g = 0xFF, b = 0xFF;
  bool operator==(const Rgb&) const = default;
};

// Stage size in twips (1/20 pixel).
struct Rect {
  std::int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};

// One thing a frame's actions do that the timeline runtime acts on, in the order the action
// records come. The scan is linear: it does not follow branches, so a call under a condition
// or inside a function body counts as made.
struct Action {
  enum class Kind : std::uint8_t {
    FSCommand,  // text = command, arg = arguments
    Stop,
    Play,
    GotoFrame,    // frame = 0-based target, play = whether the timeline plays on
    GotoLabel,    // text = label, target = its frame or -1 (found when read), play as above
    NextFrame,    // goes one frame on and stops
    PrevFrame,    // goes one frame back and stops
    SetVariable,  // text = root variable name, arg = value
  };
  Kind kind = Kind::Stop;
  bool play = false;
  bool once = false;       // from DoInitAction: runs the first time its frame is reached only
  std::int32_t frame = 0;  // root frame the action belongs to (GotoFrame: see target)
  std::int32_t target = 0;
  std::string text;
  std::string arg;
};

// A video stream defined by DefineVideoStream.
struct VideoStream {
  std::uint16_t id = 0;
  std::uint16_t frameCount = 0;
  std::uint16_t width = 0, height = 0;
  std::uint8_t codec = 0;  // 2 Sorenson H.263, 3 screen video, 4 VP6, 5 VP6 with alpha, 6 screen v2
  std::uint8_t flags = 0;  // deblocking and smoothing bits as stored
};

// One piece of stream data inside the body (VideoFrame payload after its 4-byte header, or a
// SoundStreamBlock payload).
struct StreamChunk {
  std::uint16_t streamId = 0;  // video: the stream's character id; sound: 0
  std::int32_t frame = 0;      // frame of the timeline holding the tag (root or the sprite's own)
  bool inSprite = false;
  std::uint32_t offset = 0;  // into Movie::body
  std::uint32_t length = 0;
};

struct SoundStream {
  bool present = false;         // a SoundStreamHead(2) on the root timeline
  std::uint8_t formatByte = 0;  // StreamSoundCompression<<4 | rate<<2 | size<<1 | type
  std::uint16_t samplesPerBlock = 0;
  int format() const {
    return formatByte >> 4;
  }  // 0/3 PCM, 1 ADPCM, 2 MP3, 4-6 Nellymoser, 11 Speex
};

struct Movie {
  Compression compression = Compression::None;
  int version = 0;
  std::uint32_t fileLength = 0;  // as stored in the header
  std::uint32_t bodyLength = 0;  // bytes after the 8-byte header actually read
  Rect frameRect;
  std::uint16_t frameRateRaw = 0;  // 8.8 fixed point as stored
  std::uint16_t headerFrameCount = 0;
  std::int32_t frameCount = 0;  // ShowFrame tags of the root timeline
  std::int64_t tagCount = 0;    // tags of the root timeline, End included

  bool hasBackground = false;
  Rgb background;  // white when there is no SetBackgroundColor
  std::uint32_t fileAttributes = 0;
  std::string metadata;  // Metadata tag (77), when present

  // Root timeline actions in timeline order (Action::frame ascending).
  std::vector<Action> actions;
  // Frame labels of the root timeline: label, 0-based frame.
  std::vector<std::pair<std::string, std::int32_t>> labels;
  // Every fscommand found anywhere in the file (root, sprites, init actions), first appearance
  // order, each command once.
  std::vector<std::string> fscommands;

  std::vector<VideoStream> videoStreams;
  std::vector<StreamChunk> videoChunks;
  SoundStream sound;
  std::vector<StreamChunk> soundChunks;
  // The decompressed body (the bytes after the 8-byte file header, frame rectangle first);
  // kept only when the movie carries stream data that StreamChunk offsets point into.
  std::shared_ptr<const std::vector<std::uint8_t>> body;

  std::vector<std::string> warnings;

  double frameRate() const { return frameRateRaw / 256.0; }
  int widthPixels() const;
  int heightPixels() const;
  bool hasStreams() const { return !videoChunks.empty() || !soundChunks.empty(); }
  // Index range [first, last) of the actions of frame f.
  std::pair<std::size_t, std::size_t> actionsOf(std::int32_t f) const;
  // 0-based frame of a label (exact match first, then case-insensitive), or -1. Constant
  // time: the reader indexes the labels (indexLabels).
  std::int32_t frameOfLabel(const std::string& label) const;
  // Builds the label index from labels and resolves the targets of GotoLabel actions.
  void indexLabels();

 private:
  std::unordered_map<std::string, std::int32_t> labelFrames_;        // first of each name
  std::unordered_map<std::string, std::int32_t> foldedLabelFrames_;  // by lower-case name
};

struct ReadOptions {
  std::size_t maxBodyBytes = 64u << 20;     // limit of the decompressed size
  std::size_t maxFileBytes = 128u << 20;    // readFile: files above this are refused
  std::uint64_t lzmaMemLimit = 256u << 20;  // liblzma memory limit (dictionary)
  std::size_t maxActions = 500'000;         // actions kept; the rest are counted as a warning
  bool keepStreams = true;                  // record video/sound chunks and keep the body
  // What one read may keep or copy: the larger of minBudgetBytes and budgetPerFileByte times
  // the file's size. Past it the read fails with an error that says so.
  std::size_t minBudgetBytes = 64u << 20;
  std::size_t budgetPerFileByte = 64;
  // The code page of movies before version 6 (an iconv name); later ones are UTF-8.
  std::string legacyEncoding = kDefaultLegacyEncoding;
};

struct ReadResult {
  bool ok() const { return error.empty(); }
  std::string error;  // empty on success
  // On success the whole movie; on failure whatever the header gave (compression, version,
  // lengths, rect, rate, header frame count), the rest empty.
  Movie movie;
  bool headerRead = false;
};

ReadResult read(std::span<const std::uint8_t> file, const ReadOptions& options = {});
ReadResult readFile(const std::string& path, const ReadOptions& options = {});

// The SWF's decompressed body (everything after the 8-byte header) or an error; used by read()
// and exposed for tests and tools.
bool decompressBody(std::span<const std::uint8_t> file, const ReadOptions& options,
                    std::vector<std::uint8_t>& body, Compression& compression, std::string& error,
                    std::vector<std::string>* warnings = nullptr);

}  // namespace kv::media::swf
