// orvikel-dump: the viewer's refresh of one race, printed as KEY<TAB>VALUE items.
#include <iostream>

#include "console.hpp"
#include "dump/dump_command.hpp"
#include "program_dir.hpp"

int main(int argc, char** argv) {
    [[maybe_unused]] const orvikel::tools::Utf8Console console;
    return orvikel::dump::RunDump(orvikel::tools::Utf8Arguments(argc, argv),
                                  orvikel::tools::ExecutableDir(argv[0]), std::cout, std::cerr);
}
