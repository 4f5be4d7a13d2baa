"""The scratch copy in which scripts/mutants.py and scripts/vaarinluennat.py
plant their faults: a detached git worktree of the committed HEAD under
build/NAME/lahde, with its build in build/NAME/rakennus. The working files are
never touched, so that an interrupted run leaves nothing planted; the copy is
kept between runs, so that its build is incremental."""
import os
import subprocess

JUURI = subprocess.run(["git", "rev-parse", "--show-toplevel"], capture_output=True, text=True,
                       check=True, cwd=os.path.dirname(os.path.abspath(__file__))).stdout.strip()


def raapekopio(nimi):
    """Lays the copy at HEAD; returns (source folder, build folder)."""
    kansio = os.path.join(JUURI, "build", nimi)
    lahde = os.path.join(kansio, "lahde")
    os.makedirs(kansio, exist_ok=True)
    subprocess.run(["git", "-C", JUURI, "worktree", "prune"], check=True)
    if not os.path.exists(os.path.join(lahde, ".git")):
        subprocess.run(["git", "-C", JUURI, "worktree", "add", "-q", "--detach", lahde, "HEAD"],
                       check=True)
    else:
        paa = subprocess.run(["git", "-C", JUURI, "rev-parse", "HEAD"], capture_output=True,
                             text=True, check=True).stdout.strip()
        subprocess.run(["git", "-C", lahde, "checkout", "-q", "--detach", "--force", paa], check=True)
        subprocess.run(["git", "-C", lahde, "reset", "-q", "--hard"], check=True)
    return lahde, os.path.join(kansio, "rakennus")
