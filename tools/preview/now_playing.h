// mirel-preview's Now Playing pieces: checking the --artwork file, handing
// it to the Music host's session, and the "nowPlayingScheme" the dump shows.
//
//   if (!artworkDecodes(path, &error)) return 2;
#pragma once

#include <nlohmann/json.hpp>
#include <string>

// Whether the file decodes as the screen will decode it (in a process of
// its own); when not, *error says why.
bool artworkDecodes(const std::string& path, std::string* error);

// In a launched Music host: the file becomes the artwork the session ends
// with (nothing for an empty path).
void useSessionArtwork(const std::string& path);

// The extension's current scheme as {"background","primary","secondary"}
// of "#RRGGBBAA" texts, or null when it holds none.
nlohmann::json nowPlayingSchemeJson();
