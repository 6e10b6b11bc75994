// kv_make_movies FOLDER [EXTENSION]: writes the resource movies 0 and power (the idle movie and
// the Flash video player movie) into FOLDER, with EXTENSION ".dll" by default (the names they
// carry while the player is not running).

#include <cstdio>
#include <string>

#include "media/flash/resource_movies.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: kv_make_movies FOLDER [EXTENSION]\n");
    return 2;
  }
  const std::string extension = argc == 3 ? argv[2] : ".dll";
  std::string error;
  if (!kv::media::writeResourceMovies(argv[1], extension, &error)) {
    std::fprintf(stderr, "kv_make_movies: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
