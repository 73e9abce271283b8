#!/usr/bin/env python3
"""Writes a sphere of triangles as a ".dat" model: make-sphere.py RINGS SECTORS OUT.

Two polar fans and rings of split quadrilaterals, 2 * SECTORS * (RINGS - 1)
triangles in all, radius 12.5, coordinates with six decimals. 250 400 gives
the 200k-triangle sphere (6.4 MB), 790 1266 the 2M-triangle one (70 MB); the
loader benchmark writes the same text.
"""
import math
import sys


def write_sphere(out, rings, sectors):
    vertex_count = 2 + (rings - 1) * sectors
    out.write("1\n%d %d\n0 12.5 0\n" % (vertex_count, 2 * sectors * (rings - 1)))
    for i in range(1, rings):
        t = math.pi * i / rings
        lines = []
        for j in range(sectors):
            p = 2 * math.pi * j / sectors
            lines.append("%.6f %.6f %.6f\n" % (12.5 * math.sin(t) * math.cos(p),
                                              12.5 * math.cos(t),
                                              -12.5 * math.sin(t) * math.sin(p)))
        out.write("".join(lines))
    out.write("0 -12.5 0\n")

    def ring(i, j):
        return 2 + (i - 1) * sectors + j % sectors

    for j in range(sectors):
        out.write("1 %d %d\n" % (ring(1, j), ring(1, j + 1)))
        out.write("%d %d %d\n" % (vertex_count, ring(rings - 1, j + 1), ring(rings - 1, j)))
    for i in range(1, rings - 1):
        lines = []
        for j in range(sectors):
            lines.append("%d %d %d\n" % (ring(i, j), ring(i + 1, j), ring(i + 1, j + 1)))
            lines.append("%d %d %d\n" % (ring(i, j), ring(i + 1, j + 1), ring(i, j + 1)))
        out.write("".join(lines))


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: make-sphere.py RINGS SECTORS OUT")
    with open(sys.argv[3], "w") as out:
        write_sphere(out, int(sys.argv[1]), int(sys.argv[2]))


if __name__ == "__main__":
    main()
