#!/usr/bin/env python3
"""Checks the library's layering: every class of lib/ and include/HYX/ belongs to exactly one
subsystem declared in lib/CMakeLists.txt, and every file includes only headers of its own
subsystem and of the subsystems that subsystem USES. Every class a header declares is
exported (HYX_API): the library is built with hidden visibility.

Usage: check_layers.py SOURCE_DIR    (exit status 1 and one line per fault when it fails)
"""

import os
import re
import sys


def read_declarations(cmake_file):
    """{subsystem: (uses, stems)} from the hyx_subsystem(...) calls."""
    text = re.sub(r"#[^\n]*", "", open(cmake_file).read())
    subsystems = {}
    for name, body in re.findall(r"hyx_subsystem\(\s*(\w+)(.*?)\)", text, re.S):
        sections = {"USES": [], "CLASSES": [], "SOURCES": []}
        current = None
        for word in body.split():
            if word in sections:
                current = word
            elif current:
                sections[current].append(word)
        subsystems[name] = (set(sections["USES"]), sections["CLASSES"] + sections["SOURCES"])
    return subsystems


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "."
    subsystems = read_declarations(os.path.join(root, "lib", "CMakeLists.txt"))
    faults = []
    owner = {}
    for name, (uses, stems) in subsystems.items():
        for used in uses - set(subsystems):
            faults.append(f"lib/CMakeLists.txt: {name} uses unknown subsystem {used}")
        for stem in stems:
            if stem in owner:
                faults.append(f"lib/CMakeLists.txt: {stem} is in both {owner[stem]} and {name}")
            owner[stem] = name

    for stem, name in owner.items():
        if not any(os.path.exists(os.path.join(root, folder, stem + ext))
                   for folder, ext in (("lib", ".cpp"), ("include/HYX", ".h"))):
            faults.append(f"lib/CMakeLists.txt: {name} names {stem}, which has no file")

    files = [("lib", f, ".cpp") for f in sorted(os.listdir(os.path.join(root, "lib")))
             if f.endswith(".cpp")]
    files += [("include/HYX", f, ".h") for f in sorted(os.listdir(os.path.join(root, "include", "HYX")))
              if f.endswith(".h")]
    include = re.compile(r'^\s*#\s*include\s+"HYX/(\w+)\.h"', re.M)
    unexported = re.compile(r"^(?:class|struct)\s+(?!HYX_API\b)(\w+)\s*[:{]", re.M)
    for folder, fname, ext in files:
        stem = fname[: -len(ext)]
        path = f"{folder}/{fname}"
        if stem not in owner:
            faults.append(f"{path}: belongs to no subsystem in lib/CMakeLists.txt")
            continue
        mine = owner[stem]
        allowed = subsystems[mine][0] | {mine}
        text = open(os.path.join(root, folder, fname), encoding="utf-8").read()
        if ext == ".h":
            for cls in unexported.findall(text):
                faults.append(f"{path}: class {cls} is not exported (HYX_API)")
        for target in include.findall(text):
            theirs = owner.get(target)
            if theirs is None:
                faults.append(f"{path}: includes HYX/{target}.h, which belongs to no subsystem")
            elif theirs not in allowed:
                faults.append(f"{path}: {mine} includes HYX/{target}.h of {theirs}, "
                              f"which {mine} may not use")
    for fault in faults:
        print(fault)
    if faults:
        return 1
    print(f"{len(files)} files in {len(subsystems)} subsystems follow the declared layering")
    return 0


if __name__ == "__main__":
    sys.exit(main())
