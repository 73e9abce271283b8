#!/usr/bin/env python3
"""The rounds of scripts/bench-turn.sh: see there for what is measured and how.

usage: bench-turn.py WORK ROUNDS STEPS BIG VIEWER [BASELINE_VIEWER]
"""
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

MODES = ["solid", "wire", "points"]
F3D_MODE_OPTIONS = {"solid": [], "wire": ["--edges"], "points": ["--point-sprites", "--point-size", "1"]}
TIMEOUT = 600


def write_obj(dat, obj):
    """The .dat mesh as OBJ: its vertices, then its faces (1-based corners)."""
    with open(dat) as source, open(obj, "w") as out:
        source.readline()  # the model type: every model here has faces
        vertex_count, face_count = (int(n) for n in source.readline().split()[:2])
        for _ in range(vertex_count):
            out.write("v " + source.readline())
        for _ in range(face_count):
            out.write("f " + source.readline())


def write_log(path, moves):
    """A VTK interaction log: a press, moves steps of 4 pixels, a release, Escape."""
    x, y = 300, 300
    lines = ["# StreamVersion 1.1", f"MouseMoveEvent {x} {y} 0 0 0 0",
             f"LeftButtonPressEvent {x} {y} 0 0 0 0"]
    for step in range(1, moves + 1):
        lines.append(f"MouseMoveEvent {x + 4 * step} {y} 0 0 0 0")
    end = x + 4 * moves
    lines += [f"LeftButtonReleaseEvent {end} {y} 0 0 0 0",
              f"KeyPressEvent {end} {y} 0 27 1 Escape", f"CharEvent {end} {y} 0 27 1 Escape",
              f"KeyReleaseEvent {end} {y} 0 27 1 Escape"]
    with open(path, "w") as out:
        out.write("\n".join(lines) + "\n")


def run(command, env_extra):
    """Runs command with a frame-time recording; returns wall ms, peak KB,
    stderr and the frame times (ms) that the renderer recorded."""
    with tempfile.TemporaryDirectory() as hud:
        env = dict(os.environ, GALLIUM_HUD="frametime", GALLIUM_HUD_DUMP_DIR=hud, **env_extra)
        timed = ["/usr/bin/time", "-f", "peak %M"] + command
        start = time.monotonic()
        done = subprocess.run(timed, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                              text=True, timeout=TIMEOUT)
        wall = (time.monotonic() - start) * 1000
        frames = []
        for name in os.listdir(hud):
            with open(os.path.join(hud, name)) as dump:
                frames += [float(line) for line in dump if line.strip()]
    peak = re.findall(r"peak (\d+)", done.stderr)
    return wall, int(peak[-1]) if peak else 0, done.stderr, frames


def viewer_turn(viewer, model, mode, steps):
    wall, peak, err, frames = run([viewer, model],
                                  {"KOVOMODEL_BENCH_TURN": str(steps),
                                   "KOVOMODEL_BENCH_TURN_MODE": mode})
    found = re.search(r"median ([\d.]+) ms, 90th percentile ([\d.]+) ms", err)
    if not found:
        raise SystemExit(f"{viewer} on {model} ({mode}) printed no result:\n{err}")
    hud = statistics.median(frames[-steps:]) if len(frames) >= steps else float("nan")
    return {"ms": float(found.group(1)), "p90": float(found.group(2)), "peak": peak,
            "frames": len(frames), "hud": hud}


def f3d_turn(obj, mode, steps, logs):
    """f3d's time per step: (a run with steps moves - a run with none) / steps."""
    runs = []
    for moves in (steps, 0):
        runs.append(run(["f3d", "--resolution", "640,480", "--interaction-test-play=" + logs[moves]]
                        + F3D_MODE_OPTIONS[mode] + [obj], {}))
    (wall_n, _, _, frames_n), (wall_0, _, _, frames_0) = runs
    extra = frames_n[len(frames_0):]
    return {"ms": (wall_n - wall_0) / steps, "frames": len(frames_n) - len(frames_0),
            "hud": statistics.median(extra) if extra else float("nan")}


def first_frame(viewer, model):
    wall, peak, _, _ = run([viewer, model], {"KOVOMODEL_EXIT_AFTER_FIRST_FRAME": "1"})
    return wall, peak


def main():
    work, rounds, steps, big = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4] == "1"
    viewer = sys.argv[5]
    baseline = sys.argv[6] if len(sys.argv) > 6 and sys.argv[6] else None
    models = ["pyramid", "sphere-200k", "sphere-2m"] + (["sphere-20m"] if big else [])
    logs = {}
    for moves in (steps, 0):
        logs[moves] = os.path.join(work, f"play-{moves}.log")
        write_log(logs[moves], moves)
    for name in models:
        if name != "sphere-20m":
            write_obj(os.path.join(work, name + ".dat"), os.path.join(work, name + ".obj"))

    programs = [("kovomodel", viewer)] + ([("baseline", baseline)] if baseline else [])
    results = {}  # (model, mode, program) -> list of results
    first = {}    # (model, program) -> list of (wall, peak)
    for round_number in range(rounds):
        cases = [(m, mode) for m in models for mode in MODES]
        if round_number % 2:
            cases.reverse()
        for name, mode in cases:
            dat = os.path.join(work, name + ".dat")
            order = programs + ([] if name == "sphere-20m" else [("f3d", None)])
            if round_number % 2:
                order.reverse()
            for label, program in order:
                if label == "f3d":
                    result = f3d_turn(os.path.join(work, name + ".obj"), mode, steps, logs)
                else:
                    result = viewer_turn(program, dat, mode, steps)
                results.setdefault((name, mode, label), []).append(result)
        if big:
            for name in ("sphere-2m", "sphere-20m"):
                for label, program in programs:
                    first.setdefault((name, label), []).append(
                        first_frame(program, os.path.join(work, name + ".dat")))
        print(f"round {round_number + 1} of {rounds} done", file=sys.stderr)

    def med(key, field):
        return statistics.median(r[field] for r in results[key])

    print(f"Turning, {steps} steps, medians of {rounds} rounds (fps = 1000 / median frame ms;"
          " hud = median of the frames the renderer recorded; f3d ms = (run with moves - run"
          " without) / moves)")
    header = f"{'model':12} {'mode':7} {'kovomodel fps':>14} {'ms':>7} {'p90':>7} {'hud':>7} {'MB':>6}"
    header += f" {'baseline fps':>13} {'x base':>7}" if baseline else ""
    header += f" {'f3d fps':>8} {'ms':>8} {'hud':>7} {'frames':>7} {'x f3d':>6}"
    print(header)
    for name in models:
        for mode in MODES:
            key = (name, mode, "kovomodel")
            ms = med(key, "ms")
            line = (f"{name:12} {mode:7} {1000 / ms:14.1f} {ms:7.1f} {med(key, 'p90'):7.1f}"
                    f" {med(key, 'hud'):7.1f} {med(key, 'peak') / 1024:6.0f}")
            if baseline:
                # The ratio within each round, then its median.
                ratios = [b["ms"] / k["ms"] for k, b in zip(results[key], results[(name, mode, "baseline")])]
                line += f" {1000 / med((name, mode, 'baseline'), 'ms'):13.1f} {statistics.median(ratios):7.2f}"
            f3d_key = (name, mode, "f3d")
            if f3d_key in results:
                f3d_ms = med(f3d_key, "ms")
                ratios = [f["ms"] / k["ms"] for k, f in zip(results[key], results[f3d_key])]
                line += (f" {1000 / f3d_ms:8.1f} {f3d_ms:8.1f} {med(f3d_key, 'hud'):7.1f}"
                         f" {med(f3d_key, 'frames'):7.0f} {statistics.median(ratios):6.2f}")
            print(line)
    if big:
        print("First frame (whole process, ms) and peak memory (MB), medians:")
        for label, _ in programs:
            two, twenty = first[("sphere-2m", label)], first[("sphere-20m", label)]
            wall2 = statistics.median(w for w, _ in two)
            wall20 = statistics.median(w for w, _ in twenty)
            peak2 = statistics.median(p for _, p in two) / 1024
            peak20 = statistics.median(p for _, p in twenty) / 1024
            print(f"{label:10} 2M {wall2:8.0f} ms {peak2:6.0f} MB   20M {wall20:8.0f} ms"
                  f" {peak20:6.0f} MB   20M/2M {wall20 / wall2:5.2f}x time {peak20 / peak2:5.2f}x memory")


if __name__ == "__main__":
    main()
