#pragma once
// orlamo-cli: the headless tool for build pipelines. Run() dispatches a subcommand; each
// subcommand lives in a file of its own and writes to the streams it is given.

#include <iosfwd>
#include <string>
#include <vector>

namespace orlamo::cli {

constexpr int ExitOk = 0;
constexpr int ExitRefused = 1; // refused input, an inconsistent file, a failed write
constexpr int ExitUsage = 2;

int Run(const std::vector<std::string>& args);
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace orlamo::cli
