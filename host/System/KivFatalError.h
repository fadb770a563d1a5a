#pragma once
// An orderly stop of the host: writes the assertion text, the source path and
// the line to standard error and ends the process with a non-zero status.

inline constexpr int kKivFatalExitStatus = 3;

[[noreturn]] void KivFatalError(const char* assertion, const char* sourcePath, int line);
