// CommandLine: the program's arguments and standard output, the same on every platform.
#pragma once

#include <string>
#include <vector>

// The arguments as UTF-8 (on Windows argv is in the ANSI code page, which cannot hold every
// folder name; the wide command line can).
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// A Windows GUI program has no console: when standard output goes nowhere (started from a
// console, not redirected), write to the console of the program that started it. Elsewhere
// and when output is redirected to a file or a pipe, it stays there. On Windows the output is
// binary: lines end in "\n" there too.
void AttachParentConsole();
