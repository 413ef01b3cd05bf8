#!/usr/bin/env python3
"""The viewer for real: an M program compiled with korval -ide runs under gdb with the
bridge korval-gdb.py loaded, stops at a breakpoint with a real, a complex, a logical
and a char matrix alive, and lumigrid -show reads each of them out of the process.

gdb reads its commands from a pipe and sits at its prompt while the viewer asks: the
bridge answers on gdb's own thread, between commands."""

import argparse
import os
import queue
import shutil
import socket
import struct
import subprocess
import sys
import threading
import time

FAILURES = []


def check(what, got, expected):
    if got != expected:
        FAILURES.append("%s:\n--- expected\n%s\n--- got\n%s" % (what, expected, got))
        print("FAIL", what)
    else:
        print("ok  ", what)


class Gdb:
    """gdb driven through a pipe; its output collected line by line."""

    def __init__(self, gdb, root, program, cwd, env):
        self.proc = subprocess.Popen(
            [gdb, "-q", "-nx", "-x", os.path.join(root, "korval-gdb.py"), program],
            cwd=cwd, env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
            stderr=subprocess.STDOUT, text=True, bufsize=1)
        self.lines = queue.Queue()
        self.log = []
        threading.Thread(target=self._collect, daemon=True).start()

    def _collect(self):
        for line in self.proc.stdout:
            self.log.append(line)
            self.lines.put(line)

    def send(self, command):
        self.proc.stdin.write(command + "\n")
        self.proc.stdin.flush()

    def wait_for(self, text, timeout=120):
        end = time.time() + timeout
        while time.time() < end:
            try:
                line = self.lines.get(timeout=max(0.1, end - time.time()))
            except queue.Empty:
                break
            if text in line:
                return True
        raise SystemExit("gdb never printed %r; its output:\n%s" % (text, "".join(self.log)))

    def quit(self):
        try:
            self.send("kill")
            self.send("quit")
            self.proc.stdin.close()
            self.proc.wait(timeout=30)
        except (OSError, subprocess.TimeoutExpired):
            self.proc.kill()
            self.proc.wait()


def lumigrid(root, env, *args):
    run = subprocess.run([os.path.join(root, "visual", "lumigrid"), *args], env=env,
                         capture_output=True, text=True, timeout=120)
    return run.returncode, run.stdout, run.stderr


def ask_bridge(path, *requests):
    """The bridge's answers to request lines, as the viewer sends them."""
    with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as conn:
        conn.settimeout(60)
        conn.connect(path)
        stream = conn.makefile("rw", encoding="utf-8", newline="\n")
        answers = []
        for request in requests:
            stream.write(request + "\n")
            stream.flush()
            answers.append(stream.readline().rstrip("\n"))
        return answers


def check_window_program(root, env, work):
    """The window program as started: on its own it registers the automation class;
    with -Automation it serves one object to a client that asks for it."""
    env = dict(env, QT_QPA_PLATFORM="offscreen",
               KORVAL_REGISTRY=os.path.join(work, "registry"),
               KORVAL_AUTOMATION_NAME=os.path.join(work, "automation.sock"))
    program = os.path.join(root, "visual", "lumigrid")
    plain = subprocess.Popen([program], env=env)
    try:
        registered = ""
        for _ in range(300):
            if os.path.exists(env["KORVAL_REGISTRY"]):
                with open(env["KORVAL_REGISTRY"]) as f:
                    registered = f.read()
                if "LocalServer32" in registered:
                    break
            time.sleep(0.1)
        check("window: class registered with its program",
              "HKEY_CLASSES_ROOT\\CLSID\\{963A4A07-3D5A-11D1-88D0-08002BE5A6C9}\\LocalServer32\\="
              + os.path.realpath(program) in registered, True)
        check("window: still running", plain.poll(), None)
    finally:
        plain.terminate()
        plain.wait(timeout=30)

    served = subprocess.Popen([program, "-Automation"], env=env)
    try:
        greeting = ""
        for _ in range(300):
            try:
                with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as conn:
                    conn.settimeout(30)
                    conn.connect(env["KORVAL_AUTOMATION_NAME"])
                    conn.sendall(b"create\n")
                    greeting = conn.makefile("r").readline()
                break
            except OSError:
                time.sleep(0.1)
        check("window: automation object", greeting,
              "Lumigrid.Application {963A4A07-3D5A-11D1-88D0-08002BE5A6C9}\n")
        check("window: alive after the object ends", served.poll(), None)
    finally:
        served.terminate()
        served.wait(timeout=30)


def grid(*rows):
    """The expected -show output after the status: header row and nine rows."""
    lines = ["\t1\t2\t3\t4\t5\t6"]
    for r in range(1, 10):
        cells = rows[r - 1] if r <= len(rows) else []
        cells = list(cells) + [""] * (6 - len(cells))
        lines.append("\t".join([str(r)] + cells))
    return "\n".join(lines) + "\n"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--root", required=True)
    ap.add_argument("--gdb", default="gdb")
    ap.add_argument("--programs", required=True)
    ap.add_argument("--work", required=True)
    a = ap.parse_args()
    root = os.path.abspath(a.root)

    shutil.rmtree(a.work, ignore_errors=True)
    os.makedirs(a.work)
    shutil.copy(os.path.join(a.programs, "viewdemo.m"), a.work)
    env = dict(os.environ)
    env["KORVAL_GDB_SOCKET"] = os.path.join(a.work, "bridge.sock")
    env.pop("DISPLAY", None)
    env.pop("WAYLAND_DISPLAY", None)

    build = subprocess.run([os.path.join(root, "korval"), "viewdemo.m", "-ide"], cwd=a.work,
                           env=env, capture_output=True, text=True, timeout=600)
    if build.returncode != 0 or not os.path.exists(os.path.join(a.work, "viewdemo")):
        raise SystemExit("korval -ide failed:\n" + build.stdout + build.stderr)

    # No debugger yet: the viewer says so and ends.
    status, out, err = lumigrid(root, env, "-show", "a")
    check("without a debugger: exit status", status, 1)
    check("without a debugger: message", "No debugger answers the matrix viewer" in err, True)
    check("without a debugger: how to start one", "korval-gdb.py ./prog" in err, True)

    gdb = Gdb(a.gdb, root, "./viewdemo", a.work, env)
    try:
        gdb.wait_for("korval: the matrix viewer lumigrid can look at this program")
        # gdb holds no process yet.
        status, out, _ = lumigrid(root, env, "-show", "a")
        check("before run", (status, out.splitlines()[0]), (1, "Error: Debugger not in breakpoint."))

        # A local function's C++ name carries its file's name.
        gdb.send("break viewdemo__checkpoint")
        gdb.send("run")
        gdb.send("up")
        gdb.send("echo KV-STOPPED\\n")
        gdb.wait_for("KV-STOPPED")

        # The bridge's own memory read (the viewer's way when the kernel refuses it).
        state, pid, address = ask_bridge(env["KORVAL_GDB_SOCKET"], "STATE", "EVAL grlibpr", "EVAL &a")
        check("bridge: state", state, "OK 1")
        check("bridge: address and type", address.startswith("OK 0x") and address.endswith("\tM<double> *"), True)
        pid = int(pid[3:].split("\t")[0])
        addr = int(address[3:].split("\t")[0], 16)
        header, other = ask_bridge(env["KORVAL_GDB_SOCKET"], "READ %d %d 48" % (pid, addr),
                                   "READ %d %d 48" % (pid + 1, addr))
        check("bridge: header read", header[:3], "OK ")
        fields = struct.unpack("<QIIIIQQQ", bytes.fromhex(header[3:]))
        check("bridge: rows, cols, dims", (fields[3], fields[4], fields[2]), (2, 3, 2))
        check("bridge: another process", other.startswith("ERR "), True)

        status, out, _ = lumigrid(root, env, "-show", "a")
        check("real matrix", (status, out),
              (0, "a: Dims=2  2x3\n" + grid(["1", "2", "3"], ["4", "5", "6"])))
        status, out, _ = lumigrid(root, env, "-show", "z")
        check("complex matrix", (status, out),
              (0, "z: Dims=2  2x2\n" + grid(["1+2i", "3-4i"], ["-0-1.5i", "7"])))
        status, out, _ = lumigrid(root, env, "-show", "l")
        check("logical matrix", (status, out),
              (0, "l: Dims=2  2x3 LOGICAL\n" + grid(["0", "0", "1"], ["1", "1", "1"])))
        status, out, _ = lumigrid(root, env, "-show", "s")
        check("char matrix", (status, out), (0, "s: Dims=2  2x2 STRING\n" + grid(["ab"], ["cd"])))
        status, out, _ = lumigrid(root, env, "-show", "w", "-digits", "20", "-columns", "0")
        check("digits clamped to 15", (status, out.splitlines()[:2]),
              (0, ["w: Dims=2  1x3", "\t1\t2\t3\t4\t5\t6"]))
        check("15 digits", out.splitlines()[2], "1\t3.14159265358979\t0.1\t-1e-300\t\t\t")
        status, out, _ = lumigrid(root, env, "-show", "w", "-digits", "2")
        check("2 digits", out.splitlines()[2], "1\t3.1\t0.1\t-1e-300\t\t\t")
        check_window_program(root, env, a.work)

        status, out, _ = lumigrid(root, env, "-show", "nosuch")
        check("a name that does not exist", (status, out.splitlines()[0]),
              (1, 'No symbol "nosuch" in current context.'))
        status, out, _ = lumigrid(root, env, "-show", "c")
        check("a cell", (status, out.splitlines()[0]),
              (1, "Error: c is a cell array (M<M<double> >), not a matrix."))
    finally:
        gdb.quit()

    if FAILURES:
        print("\n\n".join(FAILURES))
        print("gdb's output:\n" + "".join(gdb.log))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
