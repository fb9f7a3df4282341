// Game code logs through globalLog; game tests get one that writes to a file they can read.
#pragma once

#include <string>

// Everything logged so far in this test process.
std::string testLogContent();
// Forgets what was logged so far.
void clearTestLog();
