// Diagnostics: the errors found while compiling levels, each as "file:line: message", so a build
// log points straight at the source line to fix.
#pragma once

#include <string>
#include <vector>

class Diagnostics {
public:
    void error(const std::string& file, int line, const std::string& message);
    bool empty() const { return _messages.empty(); }
    const std::vector<std::string>& messages() const { return _messages; }

private:
    std::vector<std::string> _messages;
};
