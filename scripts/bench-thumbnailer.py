#!/usr/bin/env python3
"""Times kovomodel-thumbnailer on a sphere of 199,200 triangles at 256 pixels,
the goal being at most 0.35 s from start to written file, and shows what the
time goes to. In the same run and interleaved round by round, it times two
references: kovomodel-info on the same file (a process that only loads the
model) and the thumbnailer on a five-face pyramid (a process that makes its
OpenGL context and draws next to nothing). Medians of ROUNDS rounds.

Then it runs the thumbnailer on the worst files it must refuse and reports how
long each took and its peak memory.

usage: scripts/bench-thumbnailer.py [BUILD_DIR] [ROUNDS]"""
import os
import statistics
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "tools"))
from tool_harness import Run  # noqa: E402  (the tests' runner: time and peak memory)
PYRAMID = "1\n5 5\n-2 -2 0\n2 -2 0\n2 2 0\n-2 2 0\n0 0 4\n1 4 3 2\n1 2 5\n2 3 5\n3 4 5\n4 1 5\n"


def write_sphere(build, path):
    """The benchmarks' 199,200-triangle sphere, written by bench/WriteSphere."""
    subprocess.run([os.path.join(ROOT, build, "bench", "WriteSphere"), "small", path], check=True)


def hostile_files(folder):
    """The largest files of each kind that the thumbnailer must refuse."""
    faces = (16 * 1024 * 1024 - 100) // 6
    files = {
        "2.8 M vertices, 16 MiB, nothing drawn": "1\n%d 1\n%s1 1 1\n" % (faces, "0 0 0\n" * faces),
        "2.8 M tiny faces, 16 MiB": "1\n4 %d\n0 0 0\n1 0 0\n0 1 0\n999 0 0\n%s" % (
            faces, "1 2 3\n" * faces),
        "100,000 copies of one large face": "1\n3 100000\n0 0 0\n1 0 0\n0 1 0\n%s" % (
            "1 2 3\n" * 100000),
        "a header claiming 2^31 - 1 vertices": "1\n2147483647 2147483647\n0 0 0\n",
    }
    paths = {}
    for i, (name, text) in enumerate(files.items()):
        paths[name] = os.path.join(folder, "hostile-%d.dat" % i)
        with open(paths[name], "w") as f:
            f.write(text)
    paths["a 1 GiB file (sparse)"] = os.path.join(folder, "huge.dat")
    with open(paths["a 1 GiB file (sparse)"], "wb") as f:
        f.truncate(1 << 30)
    return paths


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 11
    thumbnailer = os.path.join(ROOT, build, "tools", "kovomodel-thumbnailer")
    info = os.path.join(ROOT, build, "tools", "kovomodel-info")
    with tempfile.TemporaryDirectory(prefix="kovo-bench-") as folder:
        sphere, pyramid = os.path.join(folder, "sphere.dat"), os.path.join(folder, "pyramid.dat")
        write_sphere(build, sphere)
        with open(pyramid, "w") as f:
            f.write(PYRAMID)
        out = os.path.join(folder, "out.png")
        runs = {"thumbnail": [thumbnailer, "-s", "256", sphere, out],
                "load only": [info, sphere],
                "context only": [thumbnailer, "-s", "256", pyramid, out]}
        wall = {name: [] for name in runs}
        cpu = {name: [] for name in runs}
        for _ in range(rounds):
            for name, args in runs.items():
                run = Run(args, env=os.environ)
                if run.status != 0:
                    sys.exit("%s failed: %s" % (" ".join(args), run.stderr))
                wall[name].append(run.wall * 1000)
                cpu[name].append(run.cpu * 1000)
        print("sphere of 199,200 triangles (%.1f MB), 256 px, medians of %d rounds, ms:"
              % (os.path.getsize(sphere) / 1e6, rounds))
        print("  %-36s %6s %6s %8s" % ("", "wall", "CPU", "share"))
        whole = statistics.median(wall["thumbnail"])
        for name, label in (("thumbnail", "thumbnail, start to written file"),
                            ("load only", "load only (kovomodel-info)"),
                            ("context only", "context only (a pyramid)")):
            part = statistics.median(wall[name])
            print("  %-36s %6.0f %6.0f %8.2f" % (label, part, statistics.median(cpu[name]),
                                                  part / whole))
        rest = whole - statistics.median(wall["load only"]) - statistics.median(wall["context only"])
        print("  %-36s %6.0f %6s %8.2f" % ("the rest: normals, drawing, PNG", rest, "", rest / whole))
        print("  goal: thumbnail wall <= 350 ms")
        print("files refused (one run each):")
        for name, path in hostile_files(folder).items():
            run = Run([thumbnailer, "-s", "256", path, out], env=os.environ)
            print("  %-38s %6.0f ms  %4.0f MiB peak  exit %d"
                  % (name, run.wall * 1000, run.peak_kib / 1024, run.status))


if __name__ == "__main__":
    main()
