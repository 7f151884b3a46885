#!/usr/bin/env python3
"""Checks that every translation covers every text of the sources.

Extracts the translatable texts afresh with lupdate (so a new tr() text counts
even before the committed .ts files were updated) and compares each .ts file
with them. Fails, naming each text, when a text has no translation, when its
translation is marked unfinished, or when the translation drops or adds a
%1-style placeholder (the value would be lost or garbled on screen).

usage: check_translations.py LUPDATE TS_FILE... -- INPUT...
"""
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

PLACEHOLDER = re.compile(r"%(\d+|n)")


def messages(path):
    """(context, source) -> (translations or None when unfinished)."""
    found = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name", "")
        for message in context.iter("message"):
            source = message.findtext("source", "")
            translation = message.find("translation")
            if translation is None:
                found[(name, source)] = None
                continue
            kind = translation.get("type", "")
            if kind in ("obsolete", "vanished"):
                continue
            forms = [f.text or "" for f in translation.iter("numerusform")] or [translation.text or ""]
            found[(name, source)] = None if kind == "unfinished" or not all(forms) else forms
    return found


def main(argv):
    split = argv.index("--")
    lupdate, ts_files, inputs = argv[1], argv[2:split], argv[split + 1:]
    with tempfile.TemporaryDirectory() as folder:
        template = os.path.join(folder, "template.ts")
        run = subprocess.run([lupdate, "-silent", "-extensions", "cpp,h,ui", "-locations", "none",
                              *inputs, "-ts", template], capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout + run.stderr)
            return 1
        # lupdate names texts it cannot place (tr() outside a class, say)
        # on its error output; such a text would never be translated.
        if run.stderr.strip():
            print("lupdate reported problems:\n" + run.stderr)
            return 1
        wanted = messages(template)
    if not wanted:
        print("lupdate found no texts in " + " ".join(inputs))
        return 1

    failed = False
    for ts in ts_files:
        have = messages(ts)
        problems = []
        for key in sorted(wanted):
            context, source = key
            forms = have.get(key)
            if key not in have:
                problems.append(f"missing:     [{context}] {source!r}")
            elif forms is None:
                problems.append(f"unfinished:  [{context}] {source!r}")
            else:
                expected = sorted(set(PLACEHOLDER.findall(source)))
                for form in forms:
                    if sorted(set(PLACEHOLDER.findall(form))) != expected:
                        problems.append(f"placeholders: [{context}] {source!r} -> {form!r}")
        name = os.path.basename(ts)
        if problems:
            failed = True
            print(f"{name}: {len(problems)} of {len(wanted)} texts lack a usable translation:")
            print("\n".join("  " + p for p in problems))
        else:
            print(f"{name}: all {len(wanted)} texts translated")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
