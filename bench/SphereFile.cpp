#include "bench/SphereFile.h"

#include <cmath>
#include <cstdio>
#include <memory>

bool WriteSphere(const std::string& path, int rings, int sectors) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> owned(std::fopen(path.c_str(), "w"),
                                                                &std::fclose);
    std::FILE* file = owned.get();
    if (file == nullptr) {
        return false;
    }
    const double pi = std::acos(-1.0);
    const int vertexCount = 2 + (rings - 1) * sectors;
    std::fprintf(file, "1\n%d %d\n0 12.5 0\n", vertexCount, 2 * sectors * (rings - 1));
    for (int i = 1; i < rings; ++i) {
        const double t = pi * i / rings;
        for (int j = 0; j < sectors; ++j) {
            const double p = 2 * pi * j / sectors;
            std::fprintf(file, "%.6f %.6f %.6f\n", 12.5 * std::sin(t) * std::cos(p),
                         12.5 * std::cos(t), -12.5 * std::sin(t) * std::sin(p));
        }
    }
    std::fprintf(file, "0 -12.5 0\n");
    const auto ring = [&](int i, int j) { return 2 + (i - 1) * sectors + j % sectors; };
    for (int j = 0; j < sectors; ++j) {
        std::fprintf(file, "1 %d %d\n", ring(1, j), ring(1, j + 1));
        std::fprintf(file, "%d %d %d\n", vertexCount, ring(rings - 1, j + 1), ring(rings - 1, j));
    }
    for (int i = 1; i < rings - 1; ++i) {
        for (int j = 0; j < sectors; ++j) {
            std::fprintf(file, "%d %d %d\n", ring(i, j), ring(i + 1, j), ring(i + 1, j + 1));
            std::fprintf(file, "%d %d %d\n", ring(i, j), ring(i + 1, j + 1), ring(i, j + 1));
        }
    }
    return std::ferror(file) == 0;
}
