// Checked reading and writing of the fields of world object records: signed 32-bit
// little-endian integers and length-prefixed texts whose stored length includes the zero byte.
// Lengths read from a stream are validated before anything is read or allocated.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

// Writes the integer; false when the write failed.
bool writeRecordInteger(FILE* stream, int value);
// Reads an integer; false at the end of the stream or on an error.
bool readRecordInteger(FILE* stream, int& value);
// Writes the text's length with its zero byte and the bytes, or length 0 for null.
bool writeRecordText(FILE* stream, const char* text);
// Reads a text field into the buffer; length 0 leaves the buffer as it is, a longer text than
// the buffer holds is truncated (logged). False on a negative length or a short stream.
bool readRecordText(FILE* stream, char* buffer, int bufferSize);
// Reads a name of 1 to limit bytes (zero byte included); length 0 gives an empty optional and
// true. False on any other length or a short stream.
bool readRecordName(FILE* stream, int limit, std::optional<std::string>& name);
