#!/usr/bin/env python3
"""Gathers the notices owed for the third-party code compiled into a Qt build.

Qt describes each piece of bundled code in a qt_attribution.json beside it. An entry counts when
a file it covers was compiled into the libraries, as recorded in the Qt build's
compiled-files.txt.gz; its notice (name, version, copyright and licence texts) is written to
OUT/<Id>.txt with Windows line ends, and one line per notice to OUT/../notices.list.

    gather-notices.py QT_DIR OUT
"""
import gzip
import json
import os
import posixpath
import re
import sys
import tarfile

LICENCE_NAME = re.compile(r"(LICEN[CS]E|COPYING)", re.IGNORECASE)


def read_source(tarball):
    """The attribution files and every file that may be a licence text, by path in the tree."""
    attributions, texts = {}, {}
    with tarfile.open(tarball) as tar:
        for member in tar:
            if not member.isfile():
                continue
            path = member.name.split("/", 1)[1]
            name = posixpath.basename(path)
            if name == "qt_attribution.json":
                attributions[path] = tar.extractfile(member).read().decode("utf-8")
            elif LICENCE_NAME.search(name) and member.size < 1_000_000:
                texts[path] = tar.extractfile(member).read().decode("utf-8", "replace")
    return attributions, texts


def covered_paths(folder, entry):
    """The files or folders an entry speaks for."""
    base = posixpath.normpath(posixpath.join(folder, entry.get("Path", "")))
    files = re.split(r"[\s,]+", entry.get("Files", "").strip())
    return [posixpath.join(base, f) for f in files if f] or [base]


def compiled_in(paths, compiled, folders):
    return any(p in compiled or p in folders for p in paths)


def main(qt_dir, out):
    source = os.path.join(qt_dir, "source")
    tarball = next(os.path.join(source, f) for f in sorted(os.listdir(source)) if ".orig.tar." in f)
    with gzip.open(os.path.join(qt_dir, "compiled-files.txt.gz"), "rt") as f:
        compiled = set(f.read().split("\n"))
    folders = {posixpath.dirname(p) for p in compiled}
    while True:  # every ancestor folder of a compiled file
        more = {posixpath.dirname(d) for d in folders} - folders
        if not more:
            break
        folders |= more

    attributions, texts = read_source(tarball)
    os.makedirs(out, exist_ok=True)
    listed = []
    for path in sorted(attributions):
        folder = posixpath.dirname(path)
        entries = json.loads(attributions[path], strict=False)
        for entry in entries if isinstance(entries, list) else [entries]:
            if not compiled_in(covered_paths(folder, entry), compiled, folders):
                continue
            licence_files = entry.get("LicenseFiles") or (
                [entry["LicenseFile"]] if entry.get("LicenseFile") else [])
            notice = [f"{entry['Name']} {entry.get('Version', '')}".rstrip(),
                      entry.get("Homepage", ""), "",
                      f"Licence: {entry.get('License', 'see below')}", "",
                      entry.get("Copyright", "").strip(), ""]
            for licence in licence_files:
                text_path = posixpath.normpath(posixpath.join(folder, licence))
                if text_path not in texts:
                    sys.exit(f"{path}: {entry['Id']}: licence text {text_path} not in the source")
                notice += ["-" * 72, texts[text_path].strip(), ""]
            with open(os.path.join(out, f"{entry['Id']}.txt"), "w", newline="\r\n") as f:
                f.write("\n".join(notice) + "\n")
            listed.append(f"{entry['Name']} ({entry.get('LicenseId', 'public domain')}): "
                          f"licences\\{entry['Id']}.txt")
    with open(os.path.join(os.path.dirname(out.rstrip("/")), "notices.list"), "w") as f:
        f.write("\n".join(listed) + "\n")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
