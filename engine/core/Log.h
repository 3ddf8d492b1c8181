// Log: plain lines on standard output. Diagnostics from data problems carry a module prefix so a
// designer can tell which loader complained ("data: Level1.json: "Position": expected 3 numbers").
//
// The program's own runs also keep every line in a log file (the last run's, for a bug report);
// lines printed before it opens are held and written first, so the file has the whole run.
#pragma once

#include <cstdio>
#include <string>

#if defined(__GNUC__)
#define BELLRUN_PRINTF(a, b) __attribute__((format(printf, a, b)))
#else
#define BELLRUN_PRINTF(a, b)
#endif

// printf-style line with a trailing newline.
void LogLine(const char* fmt, ...) BELLRUN_PRINTF(1, 2);
// printf-style text as given (the caller ends its lines).
void LogPrintf(const char* fmt, ...) BELLRUN_PRINTF(1, 2);

// One warning line "<module>: <file>: "<key>": <what>".
void LogDataWarning(const char* module, const char* file, const char* key, const char* what);

// Counts warnings so tests can assert that bad data was reported (and good data was not).
int LogWarningCount();

// Starts writing the log to path, replacing the file, with the lines printed so far. False (and
// a line saying so) when it cannot be written; the run goes on without it.
bool OpenLogFile(const std::string& path);
void CloseLogFile();

// Whether a fatal error may also ask the player in a message box (never in a headless run).
void AllowFatalMessageBox(bool allow);
// An error that stops the program: one line on standard output and in the log, on standard
// error, and in a message box when a display is there to show it.
void LogFatal(const char* fmt, ...) BELLRUN_PRINTF(1, 2);
