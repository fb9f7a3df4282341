// An X server of the test's own (Xvfb), so the windows of tests running at the same time can
// never take the keyboard focus from the window under test. It becomes this process's DISPLAY.
#pragma once

#include <sys/types.h>

class PrivateXServer {
public:
    // Starts Xvfb on a free display and points DISPLAY at it; check started().
    PrivateXServer();
    // Stops the server.
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    bool started() const { return _display >= 0; }

private:
    pid_t _pid = -1;
    int _display = -1;
};
