"""kovomodel-convert run from the shell: every written format read back gives
the model it was given, and every refusal says why, in one line."""
import glob
import os
import random
import shutil
import struct
import subprocess
import tempfile
import unittest

from tool_harness import PYRAMID, SAMPLES, TETRAHEDRON, Run, headless_env

CONVERT = os.environ.get("KOVO_CONVERT", "")
QUADS = "1\n8 6\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n0 0 1\n1 0 1\n1 1 1\n0 1 1\n" \
        "1 4 3 2\n5 6 7 8\n1 2 6 5\n2 3 7 6\n3 4 8 7\n4 1 5 8\n"
# (output name, options, keeps quadrilaterals, keeps lines, keeps vertex order)
FORMATS = [("m.dat", [], True, True, True), ("m.stl", [], False, False, False),
           ("m.stl", ["--ascii"], False, False, False), ("m.obj", [], True, True, False),
           ("m.ply", [], True, True, True), ("m.ply", ["--ascii"], True, True, True),
           ("m.gltf", [], False, True, True), ("m.glb", [], False, True, True),
           ("m.3mf", [], False, False, True)]


def awkward_numbers():
    """Coordinates at the ends of the single-precision range and seeded random
    ones of many magnitudes, a few of which text readers round wrongly."""
    rng = random.Random(45)
    values = ["3.4028235e+38", "1.1754944e-38", "1e-45", "-0", "1.0000001", "123456.79"]
    values += [repr(f32(rng.uniform(-1, 1) * rng.choice([1e-3, 1, 1e2, 1e6])))
               for _ in range(294)]
    rows = [" ".join(values[i:i + 3]) for i in range(0, len(values), 3)]
    faces = ["%d %d %d" % (i + 1, i + 2, i + 3) for i in range(len(rows) - 2)]
    return "1\n%d %d\n%s\n%s\n" % (len(rows), len(faces), "\n".join(rows), "\n".join(faces))


def f32(text):
    return struct.unpack("f", struct.pack("f", float(text)))[0]


def parse(text):
    """A model file in the customary layout: (type, positions, elements)."""
    lines = [line.split() for line in text.splitlines() if line.strip()]
    kind, (n, m) = int(lines[0][0]), map(int, lines[1])
    positions = [tuple(f32(x) for x in line) for line in lines[2:2 + n]]
    width = 2 if kind == 0 else 4
    elements = [tuple(int(i) - 1 for i in line[:width]) for line in lines[2 + n:2 + n + m]]
    return kind, positions, elements


def shapes(model, quads):
    """Each element as its corners' positions, quadrilaterals split where the
    format has none."""
    _, positions, elements = model
    out = []
    for e in elements:
        if len(e) == 4 and not quads:
            out += [(e[0], e[1], e[2]), (e[0], e[2], e[3])]
        else:
            out.append(e)
    return [tuple(positions[i] for i in e) for e in out]


class ConvertToolTest(unittest.TestCase):

    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="kovo-convert-")

    def tearDown(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    def path(self, name, text=None):
        path = os.path.join(self.dir, name)
        if text is not None:
            with open(path, "w") as f:
                f.write(text)
        return path

    def convert(self, *args):
        return Run([CONVERT] + list(args))

    def models(self):
        named = {"pyramid.dat": PYRAMID, "tetrahedron.dat": TETRAHEDRON, "quads.dat": QUADS,
                 "numbers.dat": awkward_numbers()}
        for sample in glob.glob(os.path.join(SAMPLES, "*.dat")):
            with open(sample) as f:
                named[os.path.basename(sample)] = f.read()
        return named

    def test_every_written_format_reads_back_as_the_same_model(self):
        for name, text in self.models().items():
            source = parse(text)
            for output, options, quads, lines, order in FORMATS:
                with self.subTest(model=name, output=output, options=options):
                    out = self.path(output)
                    run = self.convert(*options, self.path(name, text), out)
                    if source[0] == 0 and not lines:
                        self.assertEqual(run.status, 1)
                        self.assertIn("a wire model cannot be written as", run.stderr)
                        continue
                    self.assertEqual((run.status, run.stderr), (0, ""))
                    back = self.convert(out, self.path("back.dat"))
                    self.assertEqual((back.status, back.stderr), (0, ""))
                    with open(self.path("back.dat")) as f:
                        result = parse(f.read())
                    self.assertEqual(result[0], source[0])
                    self.assertEqual(shapes(result, True), shapes(source, quads))
                    if order:
                        self.assertEqual(result[1], source[1])

    def test_repeated_corners_of_stl_become_shared_vertices(self):
        facet = "facet normal 0 0 1\nouter loop\n%s\nendloop\nendfacet\n"
        corners = ["vertex 0 0 0\nvertex 1 0 0\nvertex 0 1 0",
                   "vertex 1 0 0\nvertex 1 1 0\nvertex 0 1 0"]
        stl = "solid s\n" + "".join(facet % c for c in corners) + "endsolid s\n"
        # Read from standard input, whose format is found from its contents.
        run = subprocess.run([CONVERT, "--format", "dat", "-", "-"], input=stl.encode(),
                             capture_output=True, timeout=60, env=headless_env())
        self.assertEqual((run.returncode, run.stderr), (0, b""))
        self.assertEqual(run.stdout, b"1\n4 2\n0 0 0\n1 0 0\n0 1 0\n1 1 0\n1 2 3\n2 4 3\n")

    def test_refusals_give_their_reason_in_one_line(self):
        obj = self.path("mixed.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nl 1 2\nl 2 3\n")
        model = self.path("model.dat", PYRAMID)
        os.symlink(model, self.path("link.dat"))
        cases = [  # (arguments, status, what stderr says)
            ([obj, self.path("m.dat")], 0, "mixed.obj: dropped 2 lines and 0 points, kept the faces"),
            ([self.path("p.obj", "v 0 0 0\nv 1 0 0\np 1 2\n"), self.path("p.dat")], 1,
             "holds only points, no faces or lines"),
            ([self.path("bad.dat", "1\n3 1\n0 0 0\n1 x\n"), self.path("b.stl")], 1,
             "bad.dat:4:3: expected a coordinate, found 'x'"),
            ([self.path("notes.dat", "shopping list\n"), self.path("n.stl")], 1,
             "No suitable reader found"),
            ([model, model], 1, "is the input file"),
            ([self.path("link.dat"), model], 1, "is the input file"),
            ([model, "-"], 2, "writing to standard output needs --format"),
            ([model, self.path("m.xyz")], 2, "cannot tell a format to write"),
            (["--ascii", model, self.path("m.obj")], 2, "--ascii is for STL and PLY"),
            ([model], 2, "expects an input and an output file"),
        ]
        for args, status, reason in cases:
            with self.subTest(args=args):
                run = self.convert(*args)
                self.assertEqual(run.status, status)
                self.assertIn(reason, run.stderr)
                self.assertEqual(len(run.stderr.splitlines()), 1, run.stderr)
        with open(model) as f:
            self.assertEqual(f.read(), PYRAMID)
        self.assertEqual(sorted(os.listdir(self.dir)),
                         ["bad.dat", "link.dat", "m.dat", "mixed.obj", "model.dat", "notes.dat",
                          "p.obj"])

    def test_help_and_format_list(self):
        run = self.convert("--help")
        self.assertEqual(run.status, 0)
        self.assertIn("Normals, colours, materials and textures are not", run.stdout)
        run = self.convert("--list-formats")
        self.assertEqual(run.status, 0)
        for line in ("stl    yes   yes", "off    yes   no", "3mf    yes   yes"):
            self.assertIn(line, run.stdout)


if __name__ == "__main__":
    unittest.main()
