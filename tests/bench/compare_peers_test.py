#!/usr/bin/env python3
"""Runs the peer tools exactly as bench/compare builds their commands, twice each on a tiny tree,
and checks that /dev/null is still the null device afterwards and that every file a peer wrote
stayed in its run's scratch folder. Skipped (status 77) where rmlint, the peer that renames an
existing output aside, is not installed."""

import importlib.machinery
import importlib.util
import os
import shutil
import stat
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent.parent
SKIPPED = 77


def load_compare():
    sys.dont_write_bytecode = True  # nothing written beside the sources
    loader = importlib.machinery.SourceFileLoader("compare", str(REPO / "bench" / "compare"))
    module = importlib.util.module_from_spec(importlib.util.spec_from_loader("compare", loader))
    loader.exec_module(module)
    return module


compare = load_compare()


def null_nodes():
    return {entry for entry in os.listdir("/dev") if entry.startswith("null.")}


def put_back_null_device(found_nodes):
    """Leaves the machine as it was found if a peer replaced /dev/null, so that one failing run
    does not break every later program on it: what the peer wrote in its place is its own output,
    and the device it renamed aside is dropped for a new one."""
    if compare.null_device_problem() is None or os.geteuid() != 0:
        return
    if os.path.isfile("/dev/null") and not os.path.islink("/dev/null"):
        os.unlink("/dev/null")
    os.mknod("/dev/null", 0o666 | stat.S_IFCHR, os.makedev(1, 3))
    os.chmod("/dev/null", 0o666)
    for entry in null_nodes() - found_nodes:
        status = os.lstat(f"/dev/{entry}")
        if stat.S_ISCHR(status.st_mode) and status.st_rdev == os.makedev(1, 3):
            os.unlink(f"/dev/{entry}")


def make_tree(top):
    (top / "photos" / ".git").mkdir(parents=True)
    (top / "photos" / ".git" / "HEAD").write_text("ref: refs/heads/main\n")
    (top / "music").mkdir()
    for place in ("photos/a.jpg", "photos/b.jpg", "music/a copy.jpg"):
        (top / place).write_bytes(b"same content\n" * 100)
    (top / "music" / "alone.ogg").write_bytes(b"other content\n" * 50)
    (top / ".hidden").write_bytes(b"same content\n" * 100)


class PeersLeaveTheMachineAsFound(unittest.TestCase):
    def test_peer_outputs_stay_in_their_scratch_folders(self):
        self.assertIsNone(compare.null_device_problem(), "/dev/null was broken before the test")
        with tempfile.TemporaryDirectory() as work:
            work = Path(work)
            top = work / "tree"
            make_tree(top)
            before = sorted(top.rglob("*"))
            found_nodes = null_nodes()
            try:
                for job in compare.peer_jobs(str(top)):
                    if shutil.which(job.command[0]) is None:
                        continue
                    # The second run is the one that finds an earlier output in its way.
                    for _ in range(2):
                        self.run_once(job, work)
            finally:
                put_back_null_device(found_nodes)
            self.assertEqual(before, sorted(top.rglob("*")), "a peer changed the tree")

    def run_once(self, job, work):
        scratch = Path(tempfile.mkdtemp(dir=work))
        process = subprocess.run(compare.in_scratch(job.command, scratch), cwd=scratch,
                                 stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.PIPE)
        self.assertEqual(process.returncode, 0, f"{job.name}: {process.stderr[-400:]!r}")
        self.assertIsNone(compare.null_device_problem(), f"{job.name} replaced /dev/null")
        outside = [entry for entry in work.iterdir()
                   if entry != work / "tree" and not entry.name.startswith("tmp")]
        self.assertEqual(outside, [], f"{job.name} wrote outside its scratch folder")
        shutil.rmtree(scratch)


if __name__ == "__main__":
    if shutil.which("rmlint") is None:
        print("rmlint is not installed: skipped")
        sys.exit(SKIPPED)
    unittest.main()
