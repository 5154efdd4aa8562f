// morvick-bench COMMAND ARGS...: runs one engine command without the user interface.
#include "BenchCommand.h"

#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

std::vector<BenchCommand>& BenchCommands()
{
    static std::vector<BenchCommand> commands;
    return commands;
}

static int Usage()
{
    std::fprintf(stderr, "usage: morvick-bench COMMAND ARGS...\n");
    for (const BenchCommand& c : BenchCommands())
        std::fprintf(stderr, "  morvick-bench %s\n", c.usage);
    return 2;
}

int main(int argc, char** argv)
{
#ifdef _WIN32
    // Commands write raw bytes to standard output.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (argc < 2)
        return Usage();
    for (const BenchCommand& c : BenchCommands()) {
        if (std::strcmp(c.name, argv[1]) == 0)
            return c.run(std::vector<std::string>(argv + 2, argv + argc));
    }
    return Usage();
}
