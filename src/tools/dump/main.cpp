// orvikel-dump: the viewer's refresh of one race, printed as KEY<TAB>VALUE items.
#include <iostream>
#include <string>
#include <vector>

#include "dump/dump_command.hpp"
#include "program_dir.hpp"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return orvikel::dump::RunDump(args, orvikel::tools::ExecutableDir(argv[0]), std::cout,
                                  std::cerr);
}
