// orvelle-cli: the program's core without a window, for batch work and scripts.
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("orvelle-cli %s\n", ORVELLE_VERSION);
            return 0;
        }
    }
    std::printf("usage: orvelle-cli [--home DIR] [--version] [--help]\n");
    return 0;
}
