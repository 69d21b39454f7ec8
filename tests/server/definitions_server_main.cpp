#include <iostream>

#include "server/definitions_server.h"

int main(int argc, char** argv) {
    const auto options = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!options) {
        std::cerr << "usage: " << argv[0]
                  << " --root DIR --log-folder DIR [--port N] [--delay-ms N]"
                     " [--stall-after BYTES] [--endless] [--huge-body BYTES]\n";
        return 2;
    }
    return DefinitionsServer(*options).Run();
}
