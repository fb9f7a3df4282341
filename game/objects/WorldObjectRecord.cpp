#include "WorldObjectRecord.h"

#include "engine/PXFileSystem.h"
#include "game/core/Log.h"

#include <algorithm>
#include <cstring>

namespace {

// Reads a length and checks it against what the stream still holds.
bool readLength(FILE* stream, int& length) {
    if (!readRecordInteger(stream, length)) {
        return false;
    }
    if (length < 0) {
        globalLog->write("World object record holds a negative length %d\n", length);
        return false;
    }
    const std::optional<long> left = PXBytesLeft(stream);
    if (left && length > *left) {
        globalLog->write("World object record length %d runs past the end of the file\n", length);
        return false;
    }
    return true;
}

bool readBytes(FILE* stream, char* buffer, int count) {
    return fread(buffer, 1, static_cast<size_t>(count), stream) == static_cast<size_t>(count);
}

bool skipBytes(FILE* stream, int count) {
    for (int i = 0; i < count; i++) {
        if (fgetc(stream) == EOF) {
            return false;
        }
    }
    return true;
}

} // namespace

bool writeRecordInteger(FILE* stream, int value) {
    return PXPutL(value, stream) == value && ferror(stream) == 0;
}

bool readRecordInteger(FILE* stream, int& value) {
    const long read = PXGetL(stream);
    if (read == -1 && (feof(stream) || ferror(stream))) {
        globalLog->write("World object record ends early\n");
        return false;
    }
    value = static_cast<int>(read);
    return true;
}

bool writeRecordText(FILE* stream, const char* text) {
    if (text == nullptr) {
        return writeRecordInteger(stream, 0);
    }
    const size_t length = strlen(text) + 1;
    return writeRecordInteger(stream, static_cast<int>(length)) &&
           fwrite(text, 1, length, stream) == length;
}

bool readRecordText(FILE* stream, char* buffer, int bufferSize) {
    int length = 0;
    if (!readLength(stream, length)) {
        return false;
    }
    if (length == 0) {
        return true;
    }
    const int kept = std::min(length, bufferSize);
    if (!readBytes(stream, buffer, kept) || !skipBytes(stream, length - kept)) {
        globalLog->write("World object record ends early\n");
        return false;
    }
    buffer[kept - 1] = '\0';
    if (kept < length) {
        globalLog->write("World object text of %d bytes truncated to %d\n", length, kept);
    }
    return true;
}

bool readRecordName(FILE* stream, int limit, std::optional<std::string>& name) {
    int length = 0;
    if (!readLength(stream, length)) {
        return false;
    }
    if (length == 0) {
        name.reset();
        return true;
    }
    if (length > limit) {
        globalLog->write("World object name of %d bytes is longer than %d\n", length, limit);
        return false;
    }
    std::string bytes(static_cast<size_t>(length), '\0');
    if (!readBytes(stream, bytes.data(), length)) {
        globalLog->write("World object record ends early\n");
        return false;
    }
    bytes.resize(strnlen(bytes.c_str(), bytes.size()));
    name = std::move(bytes);
    return true;
}
