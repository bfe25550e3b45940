#!/usr/bin/python3
"""Every catalogue is complete and current, and keeps what a technician looks up untranslated:
lupdate runs on copies, where a text new in the code comes out unfinished and one gone from it
obsolete or vanished. The English catalogue stays empty.
Usage: check_translations.py LUPDATE CATALOGUE_FOLDER SOURCE_FOLDER...
"""
import glob, re, shutil, subprocess, sys, tempfile
import xml.etree.ElementTree as ElementTree

lupdate, catalogues, sources = sys.argv[1], glob.glob(sys.argv[2] + "/*.ts"), sys.argv[3:]
# Placeholders, the names of port errors and the options.
kept = re.compile(r"%n|%\d+|\b\w+Error\b|--[a-z-]+")
problems = []
with tempfile.TemporaryDirectory() as scratch:
    for catalogue in sorted(catalogues):
        name, copy = catalogue.rsplit("/")[-1], shutil.copy(catalogue, scratch)
        english = name.endswith("_en.ts")
        if not english:
            subprocess.run([lupdate, "-silent", "-locations", "none", *sources, "-ts", copy],
                           check=True)
        for message in ElementTree.parse(copy).iter("message"):
            source, translation = message.findtext("source"), message.find("translation")
            if english or translation.get("type"):
                problems.append(f"{name}: {translation.get('type') or 'entry'}: {source!r}")
            for form in translation.findall("numerusform") or [translation]:
                if set(kept.findall(source)) - set(kept.findall(form.text or "")):
                    problems.append(f"{name}: {form.text!r} loses a part of {source!r}")
print("\n".join(problems + [f"{len(problems)} problems in {len(catalogues)} catalogues"]))
sys.exit(1 if problems or not catalogues else 0)
