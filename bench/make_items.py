#!/usr/bin/env python3
"""Generates what the benchmarks delete, on the Unix side of the Wine prefix.

  tree DIR FILES FOLDERS DEPTH
      a folder tree: FOLDERS folders below DIR, nested up to DEPTH levels,
      FILES files spread over them; about 5% of the files hidden (half of them
      by a leading dot, half by Wine's DOS attribute), about 4% read-only.
  items DIR FILES SHORTCUTS
      the files a description lists: DIR/files/dNNN/fNNNNN.dat (100 to a
      folder) and DIR/links/lNNNNN.lnk.
  ini OUT ITEMS_WIN FILES VALUES SHORTCUTS TAG APPNAME
      an Uninstall.ini listing those files (by their Windows path below
      ITEMS_WIN), VALUES registry values in HKCU\\Software\\UninstallerBench\\TAG
      (100 to a key) and the shortcuts.
  nsis OUT ITEMS_WIN FILES VALUES SHORTCUTS TAG APPNAME UNINSTALLER
      the NSIS peer's script for the same items, plus RMDir /r of
      $INSTDIR\\tree; its installer only writes the uninstaller.
  sample-ini OUT
      a description with the window texts and no lists.

Everything is deterministic: the same arguments give the same tree.
"""
import os
import random
import sys

TEXTS = [
    ("appname", "Bench Viewer"),
    ("1", "Cancel"),
    ("2", "Removal of the program"),
    ("3", "Uninstall %s"),
    ("4", "Press Uninstall to remove %s and all of its components from this computer."),
    ("5", "Uninstall"),
    ("6", "%s has been removed from this computer."),
    ("text", "Uninstall wizard"),
]


def make_tree(root, files, folders, depth):
    rng = random.Random(20000)
    os.makedirs(root, exist_ok=True)
    made = []  # relative paths of the folders
    # One chain down to the deepest level, then each folder at a depth
    # drawn evenly from 1 to DEPTH, under a random folder one level up.
    by_depth = {0: [""]}
    parent = ""
    for level in range(1, depth + 1):
        parent = os.path.join(parent, f"level{level:02d}")
        made.append(parent)
        by_depth.setdefault(level, []).append(parent)
    while len(made) < folders:
        level = rng.randint(1, depth)
        path = os.path.join(rng.choice(by_depth[level - 1]), f"folder{len(made):04d}")
        made.append(path)
        by_depth.setdefault(level, []).append(path)
    for path in made:
        os.makedirs(os.path.join(root, path), exist_ok=True)
    payload = b"x" * 200
    for i in range(files):
        folder = made[rng.randrange(len(made))] if i >= len(made) else made[i]
        name = f"file{i:05d}.dat"
        hidden = rng.random() < 0.05
        read_only = rng.random() < 0.04
        by_dot = hidden and rng.random() < 0.5
        if by_dot:
            name = "." + name
        full = os.path.join(root, folder, name)
        with open(full, "wb") as f:
            f.write(payload[: 64 + i % 137])
        if hidden and not by_dot:
            os.setxattr(full, "user.DOSATTRIB", b"0x2")
        if read_only:
            os.chmod(full, 0o444)


def file_path(n):
    return f"files\\d{n // 100:03d}\\f{n:05d}.dat"


def link_path(n):
    return f"links\\l{n:05d}.lnk"


def make_items(root, files, shortcuts):
    for n in range(files):
        full = os.path.join(root, file_path(n).replace("\\", "/"))
        if n % 100 == 0:
            os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "wb") as f:
            f.write(b"item")
    os.makedirs(os.path.join(root, "links"), exist_ok=True)
    for n in range(shortcuts):
        with open(os.path.join(root, link_path(n).replace("\\", "/")), "wb") as f:
            f.write(b"shortcut")


def reg_key(tag, n):
    return f"Software\\UninstallerBench\\{tag}\\k{n // 100:02d}"


def write_crlf(out, lines):
    with open(out, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("ascii"))


def make_ini(out, items_win, files, values, shortcuts, tag, appname):
    lines = ["[uninstall12]"]
    lines += [f"{k}={appname if k == 'appname' else v}" for k, v in TEXTS]
    lines += [f"regcount={values}", "", "[oth]", f"count={files}"]
    lines += [f"{n + 1}={items_win}\\{file_path(n)}" for n in range(files)]
    lines.append("")
    for n in range(values):
        lines += [f"[reg{n + 1}]", "root=HKEY_CURRENT_USER", f"key={reg_key(tag, n)}",
                  f"value=v{n:05d}", ""]
    lines += ["[lnk]", f"count={shortcuts}"]
    lines += [f"{n + 1}={items_win}\\{link_path(n)}" for n in range(shortcuts)]
    write_crlf(out, lines)


def make_nsis(out, items_win, files, values, shortcuts, tag, appname, uninstaller):
    lines = [
        "Unicode true",
        "Target amd64-unicode",
        f'Name "{appname}"',
        f'OutFile "{os.path.basename(out)[:-4]}-setup.exe"',
        "RequestExecutionLevel user",
        "SilentInstall silent",
        "SilentUnInstall silent",
        "Section",
        f'  WriteUninstaller "{uninstaller}"',
        "SectionEnd",
        'Section "Uninstall"',
    ]
    lines += [f'  Delete "{items_win}\\{file_path(n)}"' for n in range(files)]
    lines += [f'  DeleteRegValue HKCU "{reg_key(tag, n)}" "v{n:05d}"' for n in range(values)]
    lines += [f'  Delete "{items_win}\\{link_path(n)}"' for n in range(shortcuts)]
    entry = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + appname.replace(" ", "_")
    lines += [f'  DeleteRegKey HKLM "{entry}"', '  RMDir /r "$INSTDIR\\tree"', "SectionEnd"]
    write_crlf(out, lines)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    cmd, a = sys.argv[1], sys.argv[2:]
    if cmd == "tree":
        make_tree(a[0], int(a[1]), int(a[2]), int(a[3]))
    elif cmd == "items":
        make_items(a[0], int(a[1]), int(a[2]))
    elif cmd == "ini":
        make_ini(a[0], a[1], int(a[2]), int(a[3]), int(a[4]), a[5], a[6])
    elif cmd == "nsis":
        make_nsis(a[0], a[1], int(a[2]), int(a[3]), int(a[4]), a[5], a[6], a[7])
    elif cmd == "sample-ini":
        write_crlf(a[0], ["[uninstall12]"] + [f"{k}={v}" for k, v in TEXTS])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
