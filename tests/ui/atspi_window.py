"""Reads the window through AT-SPI, as a screen reader does, on a folder of two files,
a.txt and b.txt: the combo boxes and lists are named by their captions, the file count
speaks its number, and once both files are to get the same name each marked row of "New
Name" describes its problem. Exits 77 when AT-SPI cannot start."""

import subprocess
import sys
import time

import pyatspi


def skip(reason):
    print("skipped:", reason)
    sys.exit(77)


def fail(reason):
    print("FAIL:", reason)
    sys.exit(1)


def poll(what, find, seconds=20):
    """What find returns once it is true, asked again until the deadline."""
    deadline = time.monotonic() + seconds
    while True:
        found = find()
        if found:
            return found
        if time.monotonic() > deadline:
            fail(f"{what() if callable(what) else what}, after {seconds} s")
        time.sleep(0.05)


def descendants(node, depth=0):
    for i in range(node.childCount if depth < 12 else 0):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield child
            yield from descendants(child, depth + 1)


def named(app, role, name):
    for node in descendants(app):
        if node.getRoleName() == role and node.name == name:
            return node
    return None


def main():
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        desktop.childCount
    except Exception as error:
        skip(f"the AT-SPI registry does not answer: {error}")
    window = subprocess.Popen([sys.argv[1]])
    try:
        def application():
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is not None and app.get_process_id() == window.pid:
                    return app
            return None

        app = poll("the program did not appear on the AT-SPI bus", application)
        poll("the window did not show its controls", lambda: named(app, "list", "New Name"))

        boxes = sorted(n.name for n in descendants(app) if n.getRoleName() == "combo box")
        if boxes != ["Drive", "Extension", "Filename Case"]:
            fail(f"combo boxes named {boxes}")
        lists = sorted(n.name for n in descendants(app) if n.getRoleName() == "list" and n.name)
        if not {"Old Name", "New Name"} <= set(lists):
            fail(f"lists named {lists}")
        if not named(app, "label", "File Count: 2"):
            labels = [n.name for n in descendants(app) if n.getRoleName() == "label"]
            fail(f"no label speaks the file count: {labels}")

        # The template "same" for both files: both are to become "same.txt", both rows marked.
        box = named(app, "check box", "Specify a template to use for renaming files")
        actions = box.queryAction()
        actions.doAction(next(i for i in range(actions.nActions)
                              if actions.getName(i).lower() in ("toggle", "press")))
        named(app, "text", "Template").queryEditableText().setTextContents("same")

        def described():
            rows = named(app, "list", "New Name")
            rows.clear_cache()
            items = [rows.getChildAtIndex(i) for i in range(rows.childCount)]
            for item in items:
                item.clear_cache()
            texts = [(item.name, item.description) for item in items]
            return texts if len(texts) == 2 and all(d for _, d in texts) else None

        def read():
            rows = named(app, "list", "New Name")
            return [(rows.getChildAtIndex(i).name, rows.getChildAtIndex(i).description)
                    for i in range(rows.childCount)]

        rows = poll(lambda: f"the marked rows of \"New Name\" tell no problem: {read()}",
                    described)
        for name, description in rows:
            if name != "same.txt" or "(row " not in description:
                fail(f"row {name!r} describes {description!r}")
        old = named(app, "list", "Old Name")
        if any(old.getChildAtIndex(i).description for i in range(old.childCount)):
            fail("a row of \"Old Name\", which holds no marks, has a description")
        print("ok:", rows)
    finally:
        window.terminate()
        window.wait(10)


main()
