#pragma once
// What each command file's Register function takes: the parser it adds its subcommands to
// and the context every command shares. Only declared, so that command headers stay light.
namespace CLI {
class App;
}

namespace qorrin::cli {
struct CliContext;
}  // namespace qorrin::cli
