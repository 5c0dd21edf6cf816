#pragma once
// The command line and the console in UTF-8, the program's one encoding of text. Linux
// gives and shows UTF-8 as it is; Windows hands main() its arguments in the ANSI code
// page (a file name in Chinese would be lost) and shows the console in the OEM one.
#include <string>
#include <vector>

namespace qorrin::cli {

// The program's arguments, argv[0] included, as UTF-8.
std::vector<std::string> CommandLineUtf8(int argc, char** argv);

// Makes the console show what the program prints in UTF-8, and the program print the
// same bytes on every system (no CR added before LF on Windows).
void UseUtf8Console();

}  // namespace qorrin::cli
