// Writes one of the benchmark spheres as a ".dat" model, for the scripts:
//   WriteSphere small|large PATH
//   WriteSphere RINGS SECTORS PATH

#include "bench/SphereFile.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    int rings = 0;
    int sectors = 0;
    const std::string size = argc > 1 ? argv[1] : "";
    if (argc == 3 && size == "small") {
        rings = kSmallSphereRings;
        sectors = kSmallSphereSectors;
    } else if (argc == 3 && size == "large") {
        rings = kLargeSphereRings;
        sectors = kLargeSphereSectors;
    } else if (argc == 4) {
        rings = std::atoi(argv[1]);
        sectors = std::atoi(argv[2]);
    }
    if (rings < 2 || sectors < 3) {
        std::fprintf(stderr, "usage: WriteSphere small|large PATH, or WriteSphere RINGS SECTORS "
                             "PATH (RINGS >= 2, SECTORS >= 3)\n");
        return 2;
    }
    const char* path = argv[argc - 1];
    if (!WriteSphere(path, rings, sectors)) {
        std::perror(path);
        return 1;
    }
    return 0;
}
