#pragma once
// Media kinds, decided from the extension alone (exact, case-sensitive), the file-name helpers
// of the main window and the patterns of the file list.

#include <optional>
#include <string>

namespace kv::media {

enum class MediaKind { Picture, FlashMovie, FlashVideo, PlayerMedia };

// The open rule (files opened from the list or the Open dialog).
MediaKind ClassifyForOpen(const std::string& extension);
// The start rule (the file given on the command line); nothing when it is not played.
std::optional<MediaKind> ClassifyForStart(const std::string& extension);

// The last "."-separated piece of a bare name: "movie.part1.avi" -> "avi", "README" ->
// "README", "clip." -> "".
std::string ListFileExtension(const std::string& fileName);
// The text after the last "." unless the last separator comes after it: "" for no dot,
// "" for "/old.x/clip", "" for "clip.", "avi" for ".avi". The separator is the host's.
std::string GetExtension(const std::string& fileName, char separator = '/');
// The text with every double-quote character removed.
std::string WithoutQuotes(const std::string& text);
// Prefix of fullPath up to and including the last splitter; "" when there is none.
std::string GetPathFromFileName(const std::string& fullPath, const std::string& splitter);

extern const char* const MediaPattern;
extern const char* const MediaPatternMusicFirst;
extern const char* const PicturePattern;
extern const char* const MoviePattern;
extern const char* const MusicPattern;
extern const char* const FlashMoviePattern;
extern const char* const FlashVideoPattern;

}  // namespace kv::media
