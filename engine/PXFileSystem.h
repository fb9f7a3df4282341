// File helpers: little-endian 32-bit integer I/O, path tests, file-name parts and the file search.
#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Listing flag: non-hidden directories.
constexpr int PX_FIND_DIRECTORIES = 4;
// Listing flag: files and hidden directories.
constexpr int PX_FIND_FILES = 2;
// Deepest subdirectory level the name search enters (the root is level 0).
constexpr int PX_FIND_MAX_DEPTH = 32;

// Results of the search in progress, handed out by PXFindFileGetNext.
extern std::vector<std::string> _PXFindPaths;
// Index of the next result PXFindFileGetNext hands out.
extern int _PXFindPathsIndex;

// A C stream that closes itself.
using PXFileHandle = std::unique_ptr<FILE, int (*)(FILE*)>;
// Opens the file as fopen does; the handle holds null when it cannot be opened.
PXFileHandle PXOpenFile(const char* path, const char* mode);
// Bytes between the stream's position and its end, or nothing for a stream that cannot seek.
std::optional<long> PXBytesLeft(FILE* stream);

// The bytes the writer puts into a stream; nothing when the stream fails or the writer does.
std::optional<std::string> PXBytesWrittenBy(const std::function<bool(FILE*)>& writer);
// Runs the reader on the bytes as a stream; false when it cannot be made or the reader fails.
bool PXReadBytesWith(const std::string& bytes, const std::function<bool(FILE*)>& reader);

// Writes the low 32 bits least significant byte first; the value, or -1 when a write fails.
long PXPutL(long value, FILE* stream);
// Reads 32 bits least significant byte first as a signed value; -1 at end of file or on error.
long PXGetL(FILE* stream);
// True when the path names an existing file or directory.
int PXFileExists(const char* path);
// True when a new directory was made; otherwise false with the reason in PXError().
int PXMakeDirectory(const char* path);
// What follows the last '/' as a malloc'd copy; null for a null path or a trailing '/'.
char* PXGetFilename(const char* path);
// What follows the last '.' as a malloc'd copy; null for a null path, no dot or a trailing dot.
char* PXGetExtension(const char* path);
// Recursive search of root for name into the global results; true only for a match in root.
int PXFindFile(const char* root, const char* name);
// Non-recursive listing of root by PX_FIND_* flags into the global results; always true.
int PXFindFile(const char* root, int flags);
// Worker of both forms: a name search when name is non-null, else a listing, into results only.
int PXFindFile(const char* root, const char* name, std::vector<std::string>& results, int flags);
// The next global result as a malloc'd copy, or null when all were taken.
char* PXFindFileGetNext();
// Drops the global results and restarts PXFindFileGetNext at the first.
void PXFindFileCleanup();
