"""Helpers for the tests that run the tools as programs: where they are, an
environment with no X server, a run that records its peak memory, and a PNG
reader, so that the tests need nothing beyond Python itself."""
import os
import struct
import subprocess
import tempfile
import zlib

RENDER = os.environ.get("KOVO_RENDER", "")
THUMBNAILER = os.environ.get("KOVO_THUMBNAILER", "")
SAMPLES = os.environ.get("KOVO_SAMPLES", "")


def headless_env(**extra):
    """The environment without $DISPLAY, $WAYLAND_DISPLAY and $XAUTHORITY: a
    tool that needed a display server would fail."""
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY")}
    env.update(extra)
    return env


class Run:
    """One finished run: status, stdout, stderr (text) and peak memory in KiB."""

    def __init__(self, args, env=None, timeout=60):
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            proc = subprocess.Popen(args, stdout=out, stderr=err, env=env or headless_env())
            self.status, self.peak_kib = self._wait(proc, timeout)
            out.seek(0)
            err.seek(0)
            self.stdout = out.read().decode("utf-8", "replace")
            self.stderr = err.read().decode("utf-8", "replace")

    @staticmethod
    def _wait(proc, timeout):
        # wait4 gives the child's own peak resident size; a thread polls the
        # timeout so that a hanging tool fails the test instead of stalling it.
        import threading
        timer = threading.Timer(timeout, proc.kill)
        timer.start()
        try:
            _, status, usage = os.wait4(proc.pid, 0)
        finally:
            timer.cancel()
        proc.returncode = os.waitstatus_to_exitcode(status)
        return proc.returncode, usage.ru_maxrss


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
