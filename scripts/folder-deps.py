#!/usr/bin/env python3
"""Lists which folders of src/ each folder includes, and checks them against the layers.

Each folder of src/ is one library (src/<folder>/CMakeLists.txt: trevix_add_layer(<folder>
DEPENDS <layers below>...)). A file may include its own folder and every folder its layer
reaches through DEPENDS, nothing above: the folders never include each other in a circle.

    python3 scripts/folder-deps.py           # the include graph, then any include that breaks a layer
    python3 scripts/folder-deps.py --check   # only the breaks; exit status 1 when there is one
"""
import pathlib
import re
import sys

SRC = pathlib.Path(__file__).resolve().parent.parent / "src"
LAYER = re.compile(r"trevix_add_layer\((\w+)(.*?)\)", re.S)
INCLUDE = re.compile(r'^\s*#\s*include\s+"(\w+)/[^"]+"', re.M)


def declared_layers():
    layers = {}
    for cmake in sorted(SRC.glob("*/CMakeLists.txt")):
        for name, args in LAYER.findall(cmake.read_text()):
            words = re.sub(r"#.*", "", args).split()
            depends = []
            if "DEPENDS" in words:
                for word in words[words.index("DEPENDS") + 1:]:
                    if word.isupper():
                        break
                    depends.append(word)
            layers[name] = depends
    return layers


def reachable(layers, name, seen=None):
    seen = set() if seen is None else seen
    for below in layers.get(name, []):
        if below not in seen:
            seen.add(below)
            reachable(layers, below, seen)
    return seen


def main():
    check_only = "--check" in sys.argv[1:]
    layers = declared_layers()
    graph = {}
    breaks = []
    for path in sorted(SRC.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        folder = path.relative_to(SRC).parts[0]
        allowed = reachable(layers, folder) | {folder}
        for included in INCLUDE.findall(path.read_text(errors="replace")):
            if included == folder:
                continue
            graph.setdefault(folder, set()).add(included)
            if folder not in layers:
                breaks.append(f"{path.relative_to(SRC)}: folder '{folder}' is no layer (no trevix_add_layer)")
            elif included not in allowed:
                breaks.append(f"{path.relative_to(SRC)} includes '{included}/', which layer '{folder}' does not reach")
    if not check_only:
        # Bottom layer first: a layer reaches fewer folders than any layer above it.
        for folder in sorted(layers, key=lambda name: (len(reachable(layers, name)), name)):
            print(f"{folder:9} -> {' '.join(sorted(graph.get(folder, ()))) or '(nothing)'}")
    for line in breaks:
        print(line, file=sys.stderr)
    return 1 if breaks else 0


if __name__ == "__main__":
    sys.exit(main())
