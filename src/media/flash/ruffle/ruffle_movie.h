#pragma once
// Which engine draws a movie, how the calls that the web engine's public API lacks are served
// for it, and the movie bytes the web engine gets. Toolkit-free: the probe uses it too.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "media/flash/swf_reader.h"

namespace kv::media::ruffle {

enum class FlashEngine { Native, Ruffle };

// How FrameNum, GotoFrame, IsPlaying and the variables are served on a Ruffle-drawn movie:
// Actions: ExternalInterface callbacks of an action block added to frame 1 (exact);
// Menu: the player's built-in Play/Rewind/Forward/Back items, frames estimated by the model;
// Model: the native runtime's timeline model alone.
enum class SeekTier { Actions, Menu, Model };

const char* engineName(FlashEngine engine);  // "native", "ruffle"
const char* tierName(SeekTier tier);         // "actions", "menu", "model"

bool isActionScript3(const swf::Movie& movie);
// Our own movies (0.swf, power.swf), recognised by the marker in their metadata, stay native.
FlashEngine engineFor(const swf::Movie& movie);
// The tier a movie gets when everything works. At run time a movie may fall further down: a
// movie whose callbacks do not answer uses the menu, one that hides its menu the model.
SeekTier predictedTier(const swf::Movie& movie);

// The callbacks the action block registers, by the names the page calls.
inline constexpr const char* kStateCallback = "kvState";
// The AVM1 bytecode of the action block (a DoAction payload without the final end record).
std::vector<std::uint8_t> bridgeActions();

// The movie with the action block as the first action of frame 1, written uncompressed; false
// and an error text when the file cannot be read within options' bounds.
bool addBridge(std::span<const std::uint8_t> file, const swf::ReadOptions& options,
               std::vector<std::uint8_t>& out, std::string& error);

// The whole file, refused above options.maxFileBytes; false and an error text when it cannot
// be read.
bool readMovieFile(const std::string& path, const swf::ReadOptions& options,
                   std::vector<std::uint8_t>& bytes, std::string& error);

// Whether dir holds the engine's files (its script and WebAssembly module).
bool ruffleFilesPresent(const std::string& dir);

}  // namespace kv::media::ruffle
