#include "Diagnostics.h"

void Diagnostics::error(const std::string& file, int line, const std::string& message) {
    _messages.push_back(file + ":" + std::to_string(line) + ": " + message);
}
