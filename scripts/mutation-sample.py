#!/usr/bin/env python3
"""A sample of one-operator changes in the core, each built into the core test
programs: a change that no test notices is a missing test or dead code.

Each comparison written ` < `, ` <= `, ` > `, ` >= `, ` == ` or ` != ` in a
core source (src/<floor>/, not its gui/) is a site; the change moves a
comparison across its boundary (< and <=, > and >=) or inverts an equality.
The sample takes the sites whose digest of file, line text and place falls
in one bucket of --every, so it stays the same when unrelated lines move.
The tree is copied into --work and built there without windows; the tests
run program by program, the mutated floor's own first (built alone), then the
others from the quickest, and stop at the first failure. Prints every change with its fate and the score: the share of the
changes that build which a test notices. Exits 1 when the score is under
--require.

  scripts/mutation-sample.py                 # the sample, built and run
  scripts/mutation-sample.py --list          # only the sites of the sample
"""
import argparse
import hashlib
import os
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FLOORS = ["program", "platform", "printing", "workspace", "studies", "distribution",
          "register", "reports", "billing", "app"]
SWAP = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
OPERATOR = re.compile(r" (<=|>=|==|!=|<|>) ")


def code_part(line):
    """The line without its comment and with string and character literals
    blanked, so an operator inside them is not a site."""
    out = []
    i = 0
    quote = None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            if c == quote:
                quote = None
            out.append(" " if c != '"' and c != "'" else c)
        else:
            if line.startswith("//", i):
                break
            if c in "\"'":
                quote = c
            out.append(c)
        i += 1
    return "".join(out)


def sites(every, bucket):
    found = []
    for floor in FLOORS:
        folder = os.path.join(ROOT, "src", floor)
        if not os.path.isdir(folder):
            continue
        for name in sorted(os.listdir(folder)):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.join("src", floor, name)
            with open(os.path.join(ROOT, path), encoding="utf-8") as f:
                lines = f.read().split("\n")
            in_comment = False
            for number, line in enumerate(lines, 1):
                stripped = line.strip()
                if in_comment:
                    if "*/" in stripped:
                        in_comment = False
                    continue
                if stripped.startswith("/*"):
                    in_comment = "*/" not in stripped
                    continue
                if stripped.startswith(("#", "//", "*")):
                    continue
                code = code_part(line)
                for place, match in enumerate(OPERATOR.finditer(code)):
                    key = f"{path}:{stripped}:{place}".encode()
                    digest = int(hashlib.sha1(key).hexdigest(), 16)
                    if digest % every != bucket:
                        continue
                    found.append((path, floor, number, match.start(1), match.group(1)))
    return found


def run(cmd, cwd, timeout=None, env=None):
    try:
        done = subprocess.run(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              timeout=timeout, env=env)
        return done.returncode, done.stdout.decode(errors="replace")
    except subprocess.TimeoutExpired:
        return None, "timeout"


def copy_tree(work):
    tree = os.path.join(work, "tree")
    files = subprocess.run(["git", "ls-files", "-co", "--exclude-standard"], cwd=ROOT,
                           check=True, stdout=subprocess.PIPE).stdout.decode().split("\n")
    # A fresh tree and a fresh build: the copies keep their sources' times,
    # which an earlier build's objects could be newer than.
    for folder in (tree, os.path.join(work, "build")):
        if os.path.isdir(folder):
            shutil.rmtree(folder)
    for name in files:
        if not name or name.startswith(("build", "bench/", "fuzz/")):
            continue
        source = os.path.join(ROOT, name)
        if not os.path.isfile(source):
            continue
        target = os.path.join(tree, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copy2(source, target)
    return tree


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--every", type=int, default=25, help="one site in this many")
    parser.add_argument("--bucket", type=int, default=0)
    parser.add_argument("--work", default=os.path.join(ROOT, "build-mutation"))
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--only", action="append", default=[],
                        help="only the sites of files whose path holds this text (repeatable)")
    parser.add_argument("--require", type=float, default=80.0)
    parser.add_argument("--timeout", type=int, default=240, help="seconds per test program")
    args = parser.parse_args()

    sample = sites(args.every, args.bucket)
    if args.only:
        sample = [site for site in sample if any(part in site[0] for part in args.only)]
    if args.list:
        for path, _, number, _, op in sample:
            print(f"{path}:{number}: {op} -> {SWAP[op]}")
        print(f"{len(sample)} changes")
        return 0

    os.makedirs(args.work, exist_ok=True)
    tree = copy_tree(args.work)
    build = os.path.join(args.work, "build")
    code, out = run(["cmake", "-S", tree, "-B", build, "-DPYROSTAT_GUI=OFF",
                     "-DCMAKE_BUILD_TYPE=RelWithDebInfo"], ROOT)
    if code != 0:
        print(out)
        return 2
    programs = [f"test_{floor}" for floor in FLOORS
                if os.path.isdir(os.path.join(tree, "tests", floor))]
    jobs = str(os.cpu_count() or 1)
    code, out = run(["cmake", "--build", build, "-j", jobs, "--target"] + programs, ROOT)
    if code != 0:
        print(out)
        return 2
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    seconds = {}
    for program in programs:
        started = time.time()
        code, out = run([os.path.join(build, program)], build, args.timeout, env)
        seconds[program] = time.time() - started
        if code != 0:
            print(f"{program} fails before any change:\n{out[-3000:]}")
            return 2

    killed = survived = unbuilt = 0
    survivors = []
    for index, (path, floor, number, column, op) in enumerate(sample, 1):
        source = os.path.join(tree, path)
        with open(source, encoding="utf-8") as f:
            original = f.read()
        lines = original.split("\n")
        line = lines[number - 1]
        lines[number - 1] = line[:column] + SWAP[op] + line[column + len(op):]
        with open(source, "w", encoding="utf-8") as f:
            f.write("\n".join(lines))
        started = time.time()
        fate = "survived"
        try:
            # The floor's own tests first, built alone; then the others, the
            # quickest first.
            own = f"test_{floor}" if f"test_{floor}" in programs else "test_app"
            order = [own] + sorted((p for p in programs if p != own), key=seconds.get)
            built_all = False
            for program in order:
                if program != own and not built_all:
                    code, _ = run(["cmake", "--build", build, "-j", jobs, "--target"] + programs,
                                  ROOT)
                    built_all = True
                else:
                    code, _ = run(["cmake", "--build", build, "-j", jobs, "--target", program],
                                  ROOT)
                if code != 0:
                    fate = "does not build"
                    break
                code, _ = run([os.path.join(build, program)], build, args.timeout, env)
                if code != 0:
                    fate = f"killed by {program}" + (" (timeout)" if code is None else "")
                    break
            if fate == "does not build":
                unbuilt += 1
            elif fate.startswith("killed"):
                killed += 1
            else:
                survived += 1
                survivors.append(f"{path}:{number}: {line.strip()}  [{op} -> {SWAP[op]}]")
        finally:
            with open(source, "w", encoding="utf-8") as f:
                f.write(original)
            os.utime(source)
        print(f"[{index}/{len(sample)}] {path}:{number}: {op} -> {SWAP[op]}: {fate} "
              f"({time.time() - started:.0f} s)", flush=True)

    built = killed + survived
    score = 100.0 * killed / built if built else 0.0
    print(f"\n{len(sample)} changes, {unbuilt} do not build; of {built} that build, "
          f"{killed} are noticed by a test: {score:.1f} %")
    for line in survivors:
        print(f"  survives: {line}")
    return 0 if score >= args.require else 1


if __name__ == "__main__":
    sys.exit(main())
