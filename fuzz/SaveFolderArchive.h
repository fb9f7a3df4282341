// A whole folder tree packed into one string, so that a fuzz input can say which folders and
// files a saves folder holds and what the files contain. Each entry is a kind byte ('f' a file,
// anything else a folder), a path length byte, the path relative to the folder ('/' between
// names), and for a file a two-byte little-endian size and that many bytes.
#pragma once

#include <string>

// Creates the archive's folders and files inside the root; entries whose path is empty, leaves
// the root (".."), or cannot be made where an earlier entry stands, are skipped.
void unpackFolder(const std::string& archive, const std::string& root);
// The archive of everything inside the root, in path order; files are cut to 65535 bytes.
std::string packFolder(const std::string& root);
