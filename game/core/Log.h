// The diagnostic log: every message goes to a file, flushed at once so a crash keeps it.
#pragma once

#include <cstdio>
#include <memory>

class Log {
public:
    // Opens the file for appending when mode is 1, else truncates it; a null name logs nothing.
    Log(const char* fileName, int mode);

    // Writes one printf-style message; messages carry their own line ends. Always true.
    int write(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Writes the current local date and time as a line. Always true.
    int writeDate();

private:
    struct FileCloser {
        void operator()(FILE* stream) const { fclose(stream); }
    };
    std::unique_ptr<FILE, FileCloser> _stream;
};

extern Log* globalLog;
