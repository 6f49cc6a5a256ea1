#!/usr/bin/env python3
"""Points every file TAV1 writes at targets that must not be written, and checks nothing is lost.

    bad_targets.py TAV1

Each output (the run export, a saved path, the dump, the two pictures, the circle point file, the obstacle log,
tav.ini and the integration trace temp.txt) is written, in a batch run, to each target of one
table: a folder, a named pipe, a socket, a device node, a symlink to each of them, a missing
folder, a read-only folder, a file-size limit and a full filesystem, the last three over an
earlier file. Every failure must be reported (a script error for the program's own outputs, the
command's box for the others), leave the target as it was (an earlier file byte for byte), leave
no temporary behind and never hang. A symlink to a regular file writes the file it names.

Device nodes and a full filesystem (a small tmpfs) need root and are skipped without it; as root,
the read-only folder is tried by an ordinary user (uid 65534), for whom permissions hold.
"""
import os
import re
import resource
import shutil
import socket
import stat
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_corpus  # noqa: E402

HANG_GUARD_S = 20
LIMIT = 100  # bytes: below every output written here
NOBODY = 65534
EARLIER = b"an earlier file, kept byte for byte\n"
ROOT = os.geteuid() == 0

# A red map with a white disk around (50, 50): every ray from there hits red.
MAP = make_corpus.map_24(100, 100, lambda x, y: (x - 50) ** 2 + (y - 50) ** 2 > 30 ** 2)
INI = ("[Velmora]\nDialogs=1\nMessageBox=0\n[TAV]\nDialogs=0\nDefault=1\nBitmapa=mapa.bmp\n"
       "[DefaultValues]\nDosahScanerra=150\nStartPossitionX=50\nStartPossitionY=50\n"
       "EndPossitionX=90\nEndPossitionY=50\n")
SAMPLES = "".join("%d.5 %d.25\n" % (i % 17 - 8, i % 11 - 5) for i in range(200))

# name: (script writing T, fixed file name or None, written whole, exit status and stderr mark of
# a failure). A file that could not be written stops the script with status 2, also where the
# command shows its own box; only the integration trace is written as it goes (a short write
# cuts it) and does not stop the script.
OUTPUTS = {
    "ExportRun": ("ExportRun {t}\n", None, True, 2, "[Error Export run] "),
    "SavePath": ("Line\nSavePath {t}\n", None, True, 2, "[Error Save path] "),
    "Dump": ("Dump {t}\n", None, True, 2, "cannot write the dump"),
    "Snapshot": ("Snapshot {t}\n", None, True, 2, "cannot write the snapshot"),
    "Screen": ("Screen {t}\n", None, True, 2, "cannot write the screen"),
    "SaveCircle": ("SaveCircle {t}\n", None, True, 2, "[Error fopenFile] "),
    "FileSave": ("StartCiel\n" + "Scanner\n" * 5 + "FileSave {t}\n", None, True, 2, "[Error fopen OnFileSave] "),
    "WriteIni": ("WriteIni\n", "tav.ini", True, 2, "[Error Write to ini file !] "),
    "temp.txt": ("Algoritmus samples.dat\n", "temp.txt", False, 0, "[Error open temp file !] "),
}


def make_node(path, kind):
    """Makes a folder, pipe, socket or device node at path; False when this user cannot."""
    if kind == "folder":
        os.mkdir(path)
    elif kind == "pipe":
        os.mkfifo(path)
    elif kind == "socket":
        sock = socket.socket(socket.AF_UNIX)
        sock.bind(path)
        sock.close()
    elif kind == "device":
        if not ROOT:
            return False
        os.mknod(path, 0o666 | stat.S_IFCHR, os.makedev(1, 3))  # the null device
    return True


def describe(path):
    """What a target is, to see it is left as it was: its type, and a file's bytes."""
    if os.path.islink(path):
        return ("link", os.readlink(path), describe(os.path.join(os.path.dirname(path), os.readlink(path))))
    if not os.path.lexists(path):
        return ("missing",)
    mode = os.lstat(path).st_mode
    if stat.S_ISREG(mode):
        with open(path, "rb") as handle:
            return ("file", handle.read())
    if stat.S_ISDIR(mode):
        return ("folder", sorted(os.listdir(path)))
    return ("node", stat.S_IFMT(mode))


def listing(folder):
    return sorted(os.path.relpath(os.path.join(top, name), folder)
                  for top, dirs, files in os.walk(folder) for name in dirs + files)


def mount_full_tmpfs(folder):
    """A 1 MiB tmpfs at folder; False when this machine does not let us mount one."""
    return ROOT and subprocess.run(["mount", "-t", "tmpfs", "-o", "size=1m", "tmpfs", folder],
                                   capture_output=True).returncode == 0


def fill(folder):
    with open(os.path.join(folder, "filler"), "wb", buffering=0) as filler:
        try:
            while True:
                filler.write(b"\0" * 4096)
        except OSError:
            pass


def as_nobody():
    os.setgroups([])
    os.setgid(NOBODY)
    os.setuid(NOBODY)


def limit_file_size():
    resource.setrlimit(resource.RLIMIT_FSIZE, (LIMIT, LIMIT))


class Case:
    """One output written to one target in a folder of its own (the program's working folder)."""

    def __init__(self, root, output, target):
        self.output, self.target = output, target
        self.script, self.fixed, self.whole, self.status, self.mark = OUTPUTS[output]
        self.folder = os.path.join(root, "%s-%s" % (output, target.replace(" ", "_")))
        self.mounted = False
        self.preexec = None

    def prepare(self):
        """Makes the folder and the target; None when it cannot be made here, else the path written."""
        os.makedirs(self.folder)
        os.chmod(self.folder, 0o755)
        if self.target == "full filesystem":
            if not mount_full_tmpfs(self.folder):
                return None
            self.mounted = True
        files = [("tav.ini", INI.encode()), ("mapa.bmp", MAP), ("samples.dat", SAMPLES.encode())]
        # A file opened for writing is emptied first: its pages would leave a full disk room.
        if self.whole or self.target != "full filesystem":
            files.append((self.fixed or "out.dat", EARLIER))
        for name, data in files:
            if not os.path.exists(os.path.join(self.folder, name)):
                with open(os.path.join(self.folder, name), "wb") as handle:
                    handle.write(data)
        name = self.fixed or "out.dat"
        path = os.path.join(self.folder, name)
        kind = self.target.replace("symlink to a ", "")
        if self.target == "missing folder":
            return None if self.fixed else "missing/" + name
        if self.target.startswith("symlink to a "):
            real = os.path.join(self.folder, "real")
            os.mkdir(real)
            if kind == "file":
                os.rename(path, os.path.join(real, name))
            else:
                os.remove(path)
                if not make_node(os.path.join(real, name), kind):
                    return None
            os.symlink("real/" + name, path)
        elif kind in ("folder", "pipe", "socket", "device"):
            os.remove(path)
            if not make_node(path, kind):
                return None
        elif self.target == "file-size limit":
            self.preexec = limit_file_size
        elif self.target == "full filesystem":
            fill(self.folder)
        elif self.target == "read-only folder":
            os.chmod(self.folder, 0o555)
            self.preexec = as_nobody if ROOT else None
        return name

    def run(self, written):
        before_target = describe(os.path.join(self.folder, written))
        before = listing(self.folder)
        try:
            done = subprocess.run([TAV1, "--batch", "-", "--fast"], cwd=self.folder, capture_output=True,
                                  input=self.script.format(t=written).encode(), timeout=HANG_GUARD_S,
                                  preexec_fn=self.preexec, env=ENV)
        except subprocess.TimeoutExpired:
            return ["still running after %d s (killed)" % HANG_GUARD_S]
        err = done.stderr.decode("utf-8", "replace")
        after = listing(self.folder)
        if self.target == "symlink to a file":
            return self.check_written(done.returncode, err, written, before_target)
        problems = []
        if done.returncode != self.status:
            problems.append("exit status %d, not %d" % (done.returncode, self.status))
        if self.mark not in err:
            problems.append("no report %r" % self.mark.strip())
        now = describe(os.path.join(self.folder, written))
        if before_target[0] != "missing" and (self.whole or before_target[0] != "file") and now != before_target:
            problems.append("the target changed: %.80r -> %.80r" % (before_target, now))
        # The outputs that write their own way may leave their own file cut; nothing else.
        new = set(after) - set(before) - {"temp.txt"} - (set() if self.whole else {written})
        if new:
            problems.append("left behind: %s" % ", ".join(sorted(new)))
        return [p + " | stderr: " + err.strip().replace("\n", " | ")[:200] for p in problems]

    def check_written(self, status, err, written, before):
        problems = []
        now = describe(os.path.join(self.folder, written))
        if status != 0 or self.mark in err:
            problems.append("status %d: %s" % (status, err.strip()[:200]))
        if now[0] != "link" or now[1] != before[1]:
            problems.append("the link was replaced: %.80r" % (now,))
        elif now[2] == before[2]:
            problems.append("the file the link names was not written")
        return problems

    def clean(self):
        if self.mounted:
            subprocess.run(["umount", self.folder], check=False)
        for top, dirs, files in os.walk(self.folder):
            os.chmod(top, 0o755)


TARGETS = ["folder", "pipe", "socket", "device", "symlink to a folder", "symlink to a pipe",
           "symlink to a device", "symlink to a file", "missing folder", "read-only folder", "file-size limit",
           "full filesystem"]


def extra_export_checks(root):
    """The run export and its hits file are one pair; the dump to a standard output that fails."""
    problems = []
    folder = os.path.join(root, "pair")
    os.makedirs(os.path.join(folder, "run-hits.csv"))
    for name, data in (("tav.ini", INI.encode()), ("mapa.bmp", MAP), ("run.csv", EARLIER)):
        with open(os.path.join(folder, name), "wb") as handle:
            handle.write(data)
    before = listing(folder)
    for script in ("ExportRun run.csv\n", "ExportRun .\n"):
        done = subprocess.run([TAV1, "--batch", "-", "--fast"], cwd=folder, input=script.encode(),
                              capture_output=True, timeout=HANG_GUARD_S, env=ENV)
        if done.returncode != 2 or describe(os.path.join(folder, "run.csv")) != ("file", EARLIER):
            problems.append("%r: status %d, run.csv %.60r" % (script, done.returncode,
                                                              describe(os.path.join(folder, "run.csv"))))
    if set(listing(folder)) - set(before) - {"temp.txt"} or os.path.exists(os.path.join(root, "pair-hits.csv")):
        problems.append("a half pair was written: %s" % listing(folder))
    with open("/dev/full", "wb") as full:
        done = subprocess.run([TAV1, "--batch", "-", "--fast"], cwd=folder, input=b"Dump\n", stdout=full,
                              stderr=subprocess.PIPE, timeout=HANG_GUARD_S, env=ENV)
    if done.returncode != 2 or b"standard output" not in done.stderr:
        problems.append("Dump onto /dev/full: status %d, %s" % (done.returncode, done.stderr[:200]))
    return problems


def main():
    global TAV1, ENV
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    TAV1 = os.path.abspath(sys.argv[1])
    root = tempfile.mkdtemp(prefix="tav1-targets-")
    os.chmod(root, 0o755)
    # A home of its own, which the ordinary user of the read-only case may write too.
    home = os.path.join(root, "home")
    os.mkdir(home)
    os.chmod(home, 0o1777)
    ENV = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home, XDG_DATA_HOME=home, XDG_CACHE_HOME=home)
    # The program, and a leak checker's suppressions, where that user may read them too.
    TAV1 = shutil.copy(TAV1, os.path.join(root, "tav1"))
    leaks = re.search("suppressions=([^:]+)", ENV.get("LSAN_OPTIONS", ""))
    if leaks:
        copy = shutil.copy(leaks.group(1), os.path.join(home, "lsan.supp"))
        ENV["LSAN_OPTIONS"] = ENV["LSAN_OPTIONS"].replace(leaks.group(1), copy)
    failed = 0
    try:
        for output in OUTPUTS:
            for target in TARGETS:
                case = Case(root, output, target)
                try:
                    written = case.prepare()
                    problems = ["skipped"] if written is None else case.run(written)
                finally:
                    case.clean()
                skipped = problems == ["skipped"]
                failed += not skipped and bool(problems)
                print("%-5s %-10s %-20s %s" % ("skip" if skipped else "FAIL" if problems else "ok", output, target,
                                               "" if skipped else "; ".join(problems)))
        problems = extra_export_checks(root)
        failed += bool(problems)
        print("%-5s export pair and standard output %s" % ("FAIL" if problems else "ok", "; ".join(problems)))
    finally:
        shutil.rmtree(root, ignore_errors=True)
    print("%d failed" % failed)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
