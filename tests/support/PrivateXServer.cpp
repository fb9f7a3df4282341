#include "PrivateXServer.h"

#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// The number Xvfb writes to its -displayfd descriptor once it accepts clients.
int readDisplayNumber(int descriptor) {
    std::string text;
    char character = 0;
    while (read(descriptor, &character, 1) == 1 && character != '\n') {
        text.push_back(character);
    }
    return text.empty() ? -1 : std::stoi(text);
}

} // namespace

PrivateXServer::PrivateXServer() {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return;
    }
    const std::string descriptor = std::to_string(pipeEnds[1]);
    const char* arguments[] = {"Xvfb",      "-displayfd", descriptor.c_str(),
                               "-screen",   "0",          "1024x768x24",
                               "-nolisten", "tcp",        nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    const int spawned = posix_spawnp(&_pid, "Xvfb", &actions, nullptr,
                                     const_cast<char* const*>(arguments), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        _pid = -1;
        close(pipeEnds[0]);
        return;
    }
    _display = readDisplayNumber(pipeEnds[0]);
    close(pipeEnds[0]);
    if (started()) {
        setenv("DISPLAY", (":" + std::to_string(_display)).c_str(), 1);
    }
}

PrivateXServer::~PrivateXServer() {
    if (_pid > 0) {
        kill(_pid, SIGTERM);
        waitpid(_pid, nullptr, 0);
    }
}
