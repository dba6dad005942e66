#!/usr/bin/env python3
"""What makes the pages one installable app where they are served (https, or localhost): the web
app manifest, the service worker that keeps every page for offline use, and the icons both
name, copied from the programs' window icons. The pages ask for them only when served
(tools/web/installable.js); opened from disk they fetch nothing.

    offline.py OUT_FOLDER ICON_FOLDER PAGE.html...

The worker's cache is named by a digest of what it keeps, so a changed page makes a new worker
that fetches the new set once and drops the old one.
"""
import hashlib
import json
import pathlib
import shutil
import sys

ICONS = [("window-48.png", "48x48", "image/png"), ("window-64.png", "64x64", "image/png"),
         ("window-128.png", "128x128", "image/png"), ("window.svg", "any", "image/svg+xml")]

WORKER = """// Keeps the pages for offline use: every file of the app is fetched once when the worker is
// installed, then answered from the cache; what is not in it goes to the network.
const CACHE = "forms-programs-{digest}";
const FILES = {files};
self.addEventListener("install", (event) => {{
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
}});
self.addEventListener("activate", (event) => {{
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith("forms-programs-") && name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
}});
self.addEventListener("fetch", (event) => {{
  if (event.request.method !== "GET") return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, {{ignoreSearch: true}}))
    .then((kept) => kept || fetch(event.request)));
}});
"""


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    out, icons = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    pages = [pathlib.Path(page) for page in sys.argv[3:]]
    (out / "icons").mkdir(parents=True, exist_ok=True)
    for name, _, _ in ICONS:
        shutil.copyfile(icons / name, out / "icons" / name)
    manifest = {
        "name": "Forms programs", "short_name": "Forms programs", "lang": "ru",
        "description": "Small form programs, each one page, working offline.",
        "start_url": "index.html", "scope": "./", "display": "standalone",
        "background_color": "#d8dde4", "theme_color": "#1f4e8c",
        "icons": [{"src": f"icons/{name}", "sizes": sizes, "type": kind} for name, sizes, kind in ICONS],
    }
    (out / "manifest.webmanifest").write_text(json.dumps(manifest, indent=1) + "\n", encoding="utf-8")
    kept = [page.name for page in pages] + ["manifest.webmanifest"] + [f"icons/{name}" for name, _, _ in ICONS]
    digest = hashlib.sha256()
    for name in kept:
        digest.update(name.encode() + b"\0" + (out / name).read_bytes())
    worker = WORKER.format(digest=digest.hexdigest()[:16], files=json.dumps(["./"] + kept))
    (out / "service-worker.js").write_text(worker, encoding="utf-8")


if __name__ == "__main__":
    main()
