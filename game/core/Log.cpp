#include "Log.h"

#include "engine/PXInit.h"

#include <cstdarg>
#include <ctime>

namespace {

// Messages sent before start-up opens the log file go nowhere instead of crashing.
Log silentLog(nullptr, 0);

} // namespace

Log* globalLog = &silentLog;

Log::Log(const char* fileName, int mode)
    : _stream(fileName != nullptr ? fopen(fileName, mode == 1 ? "a" : "w") : nullptr) {}

int Log::write(const char* format, ...) {
    if (_stream != nullptr) {
        va_list arguments;
        va_start(arguments, format);
        vfprintf(_stream.get(), format, arguments);
        va_end(arguments);
        fflush(_stream.get());
    }
    return PX_TRUE;
}

int Log::writeDate() {
    const time_t now = time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    char date[64];
    strftime(date, sizeof date, "%Y-%m-%d %H:%M:%S", &local);
    return write("%s\n", date);
}
