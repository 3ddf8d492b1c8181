// Log: plain lines on standard output. Diagnostics from data problems carry a module prefix so a
// designer can tell which loader complained ("data: Level1.json: "Position": expected 3 numbers").
#pragma once

#include <cstdio>

// printf-style line with a trailing newline.
void LogLine(const char* fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// One warning line "<module>: <file>: "<key>": <what>".
void LogDataWarning(const char* module, const char* file, const char* key, const char* what);

// Counts warnings so tests can assert that bad data was reported (and good data was not).
int LogWarningCount();
