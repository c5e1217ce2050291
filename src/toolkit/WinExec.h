#pragma once

// Starts a program without waiting for it and without arguments, looked up
// relative to the current directory, which it inherits. It outlives the
// caller and leaves no zombie. The result says whether it started; callers
// may ignore it.
bool WinExec(const char *commandLine, int showMode);

constexpr int SW_RESTORE = 9;
