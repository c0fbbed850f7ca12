// orvikel-dump: prints the refresh of one race.
#include <cstdio>

int main() {
    std::fputs("orvikel-dump: not built yet\n", stderr);
    return 2;
}
