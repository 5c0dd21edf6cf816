#include "cli/ConsoleText.h"

namespace qorrin::cli {

std::vector<std::string> CommandLineUtf8(int argc, char** argv) { return {argv, argv + argc}; }

void UseUtf8Console() {}

}  // namespace qorrin::cli
