# korval-gdb.py: lets the matrix viewer lumigrid look into a KORVAL program that is
# stopped in gdb.
#
# Load it in gdb with
#     source <root>/korval-gdb.py
# or start gdb with it:
#     gdb -x <root>/korval-gdb.py ./prog
#
# The bridge listens on a Unix socket, $XDG_RUNTIME_DIR/korval-gdb-<user>.sock (or
# /tmp/korval-gdb-<user>.sock; $KORVAL_GDB_SOCKET overrides both), and answers the
# three questions the viewer asks of a debugger, one request per line:
#
#     STATE                  -> OK 1 when the program is stopped, OK 0 otherwise
#     EVAL <expression>      -> OK <value text><TAB><type>   or   ERR <gdb's message>
#     READ <pid> <addr> <n>  -> OK <n bytes in hex>          or   ERR <message>
#
# A pointer value is written as 0x and all its hex digits; its type is the type
# pointed to, typedefs resolved, followed by " *". Texts escape backslash, newline,
# carriage return and tab as \\ \n \r \t. READ serves the viewer when the kernel does
# not let it read the program's memory itself.
#
# gdb's Python interface may only be used on gdb's own thread: the socket threads hand
# each request to it with gdb.post_event and wait for the answer. gdb runs posted
# events while it waits at its prompt (also when its commands come from a pipe).

import os
import pwd
import socket
import stat
import struct
import threading

import gdb

ANSWER_TIMEOUT = 20.0          # seconds a request may wait for gdb's thread
MAX_READ = 16 * 1024 * 1024    # bytes one READ may ask for
MAX_LINE = 64 * 1024           # longest request line


def _escape(text):
    return (text.replace("\\", "\\\\").replace("\n", "\\n")
            .replace("\r", "\\r").replace("\t", "\\t"))


def socket_path():
    given = os.environ.get("KORVAL_GDB_SOCKET")
    if given:
        return given
    folder = os.environ.get("XDG_RUNTIME_DIR") or "/tmp"
    try:
        user = pwd.getpwuid(os.getuid()).pw_name
    except KeyError:
        user = str(os.getuid())
    return os.path.join(folder, "korval-gdb-%s.sock" % user)


# --- the answers, computed on gdb's thread ------------------------------------------

def _state():
    inferior = gdb.selected_inferior()
    if inferior is None or inferior.pid == 0:
        return "OK 0"
    thread = gdb.selected_thread()
    if thread is None or not thread.is_valid() or not thread.is_stopped():
        return "OK 0"
    return "OK 1"


def _evaluate(expression):
    value = gdb.parse_and_eval(expression)
    kind = value.type.strip_typedefs()
    if kind.code == gdb.TYPE_CODE_PTR:
        target = kind.target().strip_typedefs().unqualified()
        return "OK %s\t%s" % (_escape("0x%x" % int(value)), _escape(str(target) + " *"))
    return "OK %s\t%s" % (_escape(value.format_string()), _escape(str(kind)))


def _read(pid, address, count):
    inferior = gdb.selected_inferior()
    if inferior is None or inferior.pid == 0 or inferior.pid != pid:
        return "ERR " + _escape("process %d is not the one being debugged" % pid)
    if count < 0 or count > MAX_READ:
        return "ERR " + _escape("cannot read %d bytes at once" % count)
    data = inferior.read_memory(address, count)
    return "OK " + bytes(data).hex()


def _answer(line):
    word, _, rest = line.partition(" ")
    if word == "STATE":
        return _state()
    if word == "EVAL":
        return _evaluate(rest)
    if word == "READ":
        parts = rest.split()
        if len(parts) != 3:
            return "ERR READ needs a process id, an address and a count"
        return _read(int(parts[0]), int(parts[1]), int(parts[2]))
    return "ERR " + _escape("unknown request: " + word)


def _on_gdb_thread(line):
    """Runs the request on gdb's thread and waits for its answer."""
    done = threading.Event()
    box = {}

    def job():
        try:
            box["answer"] = _answer(line)
        except Exception as failure:  # gdb.error, gdb.MemoryError, bad numbers
            message = str(failure) or failure.__class__.__name__
            box["answer"] = "ERR " + _escape(message)
        finally:
            done.set()

    gdb.post_event(job)
    if not done.wait(ANSWER_TIMEOUT):
        return "ERR the debugger did not answer in time"
    return box["answer"]


# --- the socket ---------------------------------------------------------------------

def _peer_uid(conn):
    size = struct.calcsize("3i")
    _, uid, _ = struct.unpack("3i", conn.getsockopt(socket.SOL_SOCKET, socket.SO_PEERCRED, size))
    return uid


class Bridge:
    def __init__(self, path):
        self.path = path
        self.server = None
        self.inode = None

    def start(self):
        self._clear_stale()
        server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        old_mask = os.umask(0o077)     # the socket is the user's alone
        try:
            server.bind(self.path)
        finally:
            os.umask(old_mask)
        server.listen(4)
        self.server = server
        self.inode = os.stat(self.path).st_ino
        threading.Thread(target=self._accept_loop, name="korval-bridge", daemon=True).start()

    def _clear_stale(self):
        """Removes a socket left behind; never removes anything that is not a socket."""
        try:
            info = os.lstat(self.path)
        except FileNotFoundError:
            return
        if not stat.S_ISSOCK(info.st_mode):
            raise RuntimeError("%s exists and is not a socket" % self.path)
        probe = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        try:
            probe.connect(self.path)
            gdb.write("korval: another gdb served the viewer at %s; this one takes over\n"
                      % self.path)
        except OSError:
            pass
        finally:
            probe.close()
        os.unlink(self.path)

    def _accept_loop(self):
        while True:
            try:
                conn, _ = self.server.accept()
            except OSError:
                return   # the server socket was closed
            threading.Thread(target=self._serve, args=(conn,), daemon=True).start()

    def _serve(self, conn):
        with conn:
            try:
                uid = _peer_uid(conn)
            except OSError:
                return
            if uid != os.getuid() and uid != 0:
                return
            reader = conn.makefile("rb")
            while True:
                try:
                    raw = reader.readline(MAX_LINE + 1)
                except OSError:
                    return
                if not raw:
                    return
                if len(raw) > MAX_LINE:
                    return   # not a viewer: drop the connection
                line = raw.decode("utf-8", "replace").rstrip("\r\n")
                answer = _on_gdb_thread(line)
                try:
                    conn.sendall((answer + "\n").encode("utf-8", "replace"))
                except OSError:
                    return

    def stop(self):
        if self.server is not None:
            try:
                self.server.close()
            except OSError:
                pass
            self.server = None
        try:
            if os.stat(self.path).st_ino == self.inode:
                os.unlink(self.path)
        except OSError:
            pass


def _stop_bridge(*_):
    bridge = globals().get("_korval_bridge")
    if bridge is not None:
        bridge.stop()


# Sourcing the file again replaces the running bridge.
_stop_bridge()
_korval_bridge = Bridge(socket_path())
try:
    _korval_bridge.start()
    gdb.write("korval: the matrix viewer lumigrid can look at this program (%s)\n"
              % _korval_bridge.path)
except (OSError, RuntimeError) as failure:
    _korval_bridge = None
    gdb.write("korval: the viewer's socket could not be opened: %s\n" % failure, gdb.STDERR)

if hasattr(gdb.events, "gdb_exiting"):
    gdb.events.gdb_exiting.connect(_stop_bridge)
