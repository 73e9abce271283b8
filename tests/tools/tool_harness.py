"""Helpers for the tests that run the tools as programs: where they are, two
small models, an environment with no X server, a run that records its peak
memory, and a PNG reader, so that the tests need nothing beyond Python
itself."""
import json
import os
import signal
import struct
import subprocess
import sys
import tempfile
import zlib

INFO = os.environ.get("KOVO_INFO", "")
RENDER = os.environ.get("KOVO_RENDER", "")
THUMBNAILER = os.environ.get("KOVO_THUMBNAILER", "")
SAMPLES = os.environ.get("KOVO_SAMPLES", "")

# Two small models the tool tests share: a wire tetrahedron, and a pyramid on
# a square base (one quadrilateral, four triangles).
TETRAHEDRON = "0\n4 6\n0 0 0\n2 0 0\n0 2 0\n0 0 2\n1 2\n1 3\n1 4\n2 3\n2 4\n3 4\n"
PYRAMID = "1\n5 5\n-2 -2 0\n2 -2 0\n2 2 0\n-2 2 0\n0 0 4\n1 4 3 2\n1 2 5\n2 3 5\n3 4 5\n4 1 5\n"


def headless_env(**extra):
    """The environment without $DISPLAY, $WAYLAND_DISPLAY and $XAUTHORITY: a
    tool that needed a display server would fail."""
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY")}
    env.update(extra)
    return env


# Runs a program and reports how it went as JSON. It is a fresh interpreter of
# its own: a process counts as its peak memory the size of the process it was
# forked from, and the test's interpreter may hold large generated files.
LAUNCHER = r"""
import json, os, sys, time
out, err, args = sys.argv[1], sys.argv[2], sys.argv[3:]
start = time.perf_counter()
pid = os.fork()
if pid == 0:
    os.dup2(os.open(out, os.O_WRONLY), 1)
    os.dup2(os.open(err, os.O_WRONLY), 2)
    try:
        os.execv(args[0], args)
    finally:
        os._exit(127)
_, status, usage = os.wait4(pid, 0)
print(json.dumps({"status": os.waitstatus_to_exitcode(status), "peak_kib": usage.ru_maxrss,
                  "wall": time.perf_counter() - start,
                  "cpu": usage.ru_utime + usage.ru_stime}))
"""


class Run:
    """One finished run of args: status, stdout and stderr (text), peak_kib
    (its peak resident memory), wall and cpu (seconds)."""

    def __init__(self, args, env=None, timeout=120):
        with tempfile.NamedTemporaryFile() as out, tempfile.NamedTemporaryFile() as err:
            # A session of its own, so that a timeout ends the program too.
            launcher = subprocess.Popen([sys.executable, "-c", LAUNCHER, out.name, err.name]
                                        + list(args), stdout=subprocess.PIPE,
                                        env=env or headless_env(), start_new_session=True)
            try:
                report, _ = launcher.communicate(timeout=timeout)
            except subprocess.TimeoutExpired:
                os.killpg(launcher.pid, signal.SIGKILL)
                launcher.wait()
                raise AssertionError("%s ran for more than %d s" % (" ".join(args), timeout))
            self.__dict__.update(json.loads(report))
            self.stdout = out.read().decode("utf-8", "replace")
            self.stderr = err.read().decode("utf-8", "replace")


class Png:
    """A decoded 8-bit, non-interlaced RGB or RGBA PNG: width, height,
    channels (3 or 4) and rows of pixel tuples."""

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        if data[:8] != b"\x89PNG\r\n\x1a\n":
            raise ValueError("%s is no PNG" % path)
        chunks, pos = {}, 8
        while pos < len(data):
            length, kind = struct.unpack(">I4s", data[pos:pos + 8])
            chunks.setdefault(kind, []).append(data[pos + 8:pos + 8 + length])
            pos += 12 + length
        self.width, self.height, depth, color, _, _, interlace = struct.unpack(
            ">IIBBBBB", chunks[b"IHDR"][0])
        if depth != 8 or color not in (2, 6) or interlace:
            raise ValueError("unsupported PNG layout in %s" % path)
        self.channels = 4 if color == 6 else 3
        self.rows = self._unfilter(zlib.decompress(b"".join(chunks[b"IDAT"])))

    def _unfilter(self, raw):
        bpp, stride = self.channels, self.width * self.channels
        rows, previous = [], bytearray(stride)
        for y in range(self.height):
            start = y * (stride + 1)
            kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
            for x in range(stride):
                a = line[x - bpp] if x >= bpp else 0
                b = previous[x]
                c = previous[x - bpp] if x >= bpp else 0
                if kind == 1:
                    line[x] = (line[x] + a) & 255
                elif kind == 2:
                    line[x] = (line[x] + b) & 255
                elif kind == 3:
                    line[x] = (line[x] + (a + b) // 2) & 255
                elif kind == 4:
                    p = a + b - c
                    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                    line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
            rows.append([tuple(line[x:x + bpp]) for x in range(0, stride, bpp)])
            previous = line
        return rows

    def rgb_rows(self):
        return [[p[:3] for p in row] for row in self.rows]
