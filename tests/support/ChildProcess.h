// A program started by a test, with its standard error captured in a file.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

class ChildProcess {
public:
    // Starts the program with the given arguments; standard error goes to stderrPath.
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& stderrPath);
    // Kills the program if it is still running.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return _pid > 0; }
    pid_t pid() const { return _pid; }
    // Sends a signal to the program.
    void sendSignal(int signal) const;
    // The exit code, or nothing when the program is still running after the timeout or was
    // ended by a signal.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);

private:
    pid_t _pid = -1;
    bool _reaped = false;
};

// Runs a shell command and returns what it printed on standard output.
std::string commandOutput(const std::string& command);

// The whole content of a text file, or "" when it cannot be read.
std::string fileContent(const std::string& path);
