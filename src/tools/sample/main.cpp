// orvikel-sample DIR [--seed N]: writes a made-up data folder.
#include <cstdio>

int main() {
    std::fputs("orvikel-sample: not built yet\n", stderr);
    return 2;
}
