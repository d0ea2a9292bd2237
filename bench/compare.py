#!/usr/bin/env python3
"""Times whole exports side by side: glyphory-cli with one and two jobs (also
given the font file, to show fontconfig's start-up), the floor program (with
and without an fsync per file) and the Pillow and ImageMagick peers, on the
default export W1 (16 px, edging 1) and the heavy export W2 (100 px,
edging 50). The runs are interleaved (every program once per round), each
into a fresh empty folder, and the medians and ratios are printed as a
Markdown table, followed by the targets and whether they are met.
    compare.py BUILD_DIR [ROUNDS]"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
WORKS = {"W1": (16, 1), "W2": (100, 50)}


def commands(build, cell, edge, out):
    cli = [os.path.join(build, "glyphory-cli"), "--settings", "/nonexistent/glyphory-bench.ini", "--out", out,
           "--font", "DejaVu Sans", "--size", str(cell), "--edge-width", str(edge), "--bit-depth", "16",
           "--filter", "All", "--level", "9", "--quiet"]
    floor = [os.path.join(build, "bench", "floor_export"), FONT, str(cell), "9", out, "--pad", str(edge)]
    return {
        "glyphory --jobs 1": cli + ["--jobs", "1"],
        "glyphory --jobs 2": cli + ["--jobs", "2"],
        # Given the font file, as the floor is: no fontconfig set-up.
        "glyphory --jobs 1, font file": cli[:5] + ["--font-file", FONT] + cli[7:] + ["--jobs", "1"],
        "floor": floor,
        "floor + fsync": floor + ["--fsync"],
        "Pillow": ["/usr/bin/python3", os.path.join(HERE, "peer_pillow.py"), FONT, str(cell), str(edge), out],
        "ImageMagick": [os.path.join(HERE, "peer_magick.sh"), FONT, str(cell), str(edge), out],
    }


def measure(build, rounds):
    times = {}
    with tempfile.TemporaryDirectory() as scratch:
        out = os.path.join(scratch, "out")
        for _ in range(rounds):
            for work, (cell, edge) in WORKS.items():
                for name, command in commands(build, cell, edge, out).items():
                    shutil.rmtree(out, ignore_errors=True)
                    os.mkdir(out)
                    start = time.perf_counter()
                    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
                    elapsed = time.perf_counter() - start
                    files = len(os.listdir(out))
                    if files != 162:
                        sys.exit(f"{name} on {work} wrote {files} files, not 162")
                    times.setdefault((work, name), []).append(elapsed)
    return {key: statistics.median(values) for key, values in times.items()}


def main():
    build = sys.argv[1]
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 7
    med = measure(build, rounds)
    print(f"Medians of {rounds} interleaved runs, 162 files each, seconds.\n")
    print("| work | program | median s | / floor | / Glyphory --jobs 2 |")
    print("|---|---|---:|---:|---:|")
    for work in WORKS:
        floor = med[(work, "floor")]
        two = med[(work, "glyphory --jobs 2")]
        for name in commands(build, 0, 0, "").keys():
            t = med[(work, name)]
            print(f"| {work} | {name} | {t:.3f} | {t / floor:.2f} | {t / two:.2f} |")
    def ratio(work, a, b):
        return med[(work, a)] / med[(work, b)]

    one, two = "glyphory --jobs 1", "glyphory --jobs 2"
    targets = [
        ("W1 --jobs 1 <= 1.3 x floor", ratio("W1", one, "floor"), "<=", 1.3),
        ("W1 --jobs 1 <= 1.3 x floor, font file", ratio("W1", one + ", font file", "floor"), "<=", 1.3),
        ("W1 Pillow / --jobs 2 >= 3", ratio("W1", "Pillow", two), ">=", 3.0),
        ("W1 ImageMagick / --jobs 2 >= 4", ratio("W1", "ImageMagick", two), ">=", 4.0),
        ("W2 --jobs 1 <= 2 x floor", ratio("W2", one, "floor"), "<=", 2.0),
        ("W2 Pillow / --jobs 2 >= 2.5", ratio("W2", "Pillow", two), ">=", 2.5),
    ]
    print("\n| target | ratio | met |")
    print("|---|---:|---|")
    for name, ratio, op, bound in targets:
        met = ratio <= bound if op == "<=" else ratio >= bound
        print(f"| {name} | {ratio:.2f} | {'yes' if met else 'NO'} |")


if __name__ == "__main__":
    main()
