// The command table of morvick-bench. A command file defines a function and registers it:
//
//   static int RunDump(const std::vector<std::string>& args) { ... }
//   static BenchCommandRegistration dump("dump", "dump IMAGE", RunDump);
//
// The function gets the arguments after the command name and returns the exit code.
#pragma once

#include <string>
#include <vector>

using BenchCommandFunction = int (*)(const std::vector<std::string>& args);

struct BenchCommand {
    const char* name;
    const char* usage;
    BenchCommandFunction run;
};

std::vector<BenchCommand>& BenchCommands();

struct BenchCommandRegistration {
    BenchCommandRegistration(const char* name, const char* usage, BenchCommandFunction run)
    {
        BenchCommands().push_back({name, usage, run});
    }
};
