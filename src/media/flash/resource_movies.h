#pragma once
// The application's own resource movies, made by code: the idle movie 0.swf (one blank frame
// that keeps playing) and the Flash video player movie power.swf, which the runtime recognises
// by the marker in its Metadata tag and runs natively (the Flash video protocol).

#include <cstdint>
#include <string>
#include <vector>

namespace kv::media {

namespace swf {
struct Movie;
}

// Carried in the Metadata tag (77) of power.swf; a movie whose metadata contains it is run as
// the Flash video player movie, whatever its file name.
extern const char* const kPlayerMovieMarker;
// Carried in the Metadata tag of 0.swf.
extern const char* const kIdleMovieMarker;

std::vector<std::uint8_t> idleMovieBytes();    // 0.swf
std::vector<std::uint8_t> playerMovieBytes();  // power.swf

bool isPlayerMovie(const swf::Movie& movie);
// One of ours (0.swf or power.swf), whatever the file's name.
bool isResourceMovie(const swf::Movie& movie);

// Writes folder/0<extension> and folder/power<extension> (extension ".dll" or ".swf");
// false and an error text when a file cannot be written.
bool writeResourceMovies(const std::string& folder, const std::string& extension,
                         std::string* error = nullptr);

}  // namespace kv::media
