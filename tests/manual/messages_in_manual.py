#!/usr/bin/python3
"""Every text that the program shows a technician is in its manual page.

The texts are taken from the code where messages are made, not from a list kept by hand: every
string literal of a few words there, cut at its placeholders. The manual page is rendered as man
shows it, so that its escapes do not get in the way.
Usage: messages_in_manual.py SOURCE_ROOT MANUAL_PAGE
"""
import os
import re
import subprocess
import sys

root, manual = sys.argv[1], sys.argv[2]
# Where messages are made. None: every literal in the file; otherwise only those in these calls.
sources = {
    "session/porterrormessage.cpp": None,
    "transmission/serialportthread.cpp": r"(?:reportError|configurationFailed)\(\s*tr\(\s*",
    "updatefile/updatefilecheck.cpp": None,
    "updatefile/updatefilereader.cpp": r"tr\(\s*",
    "updatefile/publishedchecksum.cpp": r"tr\(\s*",
    "timing/updatefilereading.cpp": r"tr\(\s*",
    "computer/powerwarning.cpp": None,
    "computer/sleepinhibitor.cpp": r"tr\(\s*",
    "timing/updateduration.cpp": None,
    "commandline/commandline.cpp": None,
    "commandline/commandlineupdate.cpp": None,
    "history/historystore.cpp": r"tr\(\s*",
}
literal = r'"((?:[^"\\]|\\.)*)"'


def words(text):
    return " ".join(text.split())


texts = set()
silent = []
for path, call in sources.items():
    with open(os.path.join(root, path), encoding="utf-8") as source:
        code = source.read()
    # Diagnostics and includes are not for the technician.
    code = re.sub(r"q(Debug|Warning)\(\)[^;]*;|#include[^\n]*", "", code)
    found = re.findall((call or "") + literal, code)
    own = {words(piece) for text in found
           for piece in re.split(r"%\d|%n|\\[nt]", text.replace("\\\"", '"'))
           if len(piece.split()) >= 3}
    # A file that no longer yields a message has moved, or its calls read differently now.
    if not own:
        silent.append(path)
    texts |= own

environment = dict(os.environ, MANWIDTH="10000", LC_ALL="C.UTF-8")
rendered = subprocess.run(["man", "--warnings", "-l", manual], env=environment, check=True,
                          capture_output=True, text=True).stdout
# groff sets hyphens, minus signs and quotes as typographic characters.
for typographic, plain in {"\u2010": "-", "\u2212": "-", "\u2018": "'", "\u2019": "'",
                           "\u201c": '"', "\u201d": '"'}.items():
    rendered = rendered.replace(typographic, plain)
page = words(rendered)

missing = sorted(text for text in texts if text not in page)
for text in missing:
    print(f"not in the manual page: {text!r}")
for path in silent:
    print(f"no message text found in {path}")
print(f"{len(texts) - len(missing)} of {len(texts)} message texts are in the manual page")
sys.exit(1 if missing or silent else 0)
