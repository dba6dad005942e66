// Served over http(s), the pages are one installable app that works offline: the manifest and
// the service worker beside them (tools/web/offline.py). Opened from disk a page fetches nothing, so
// neither is asked for there.
if (location.protocol === "https:" || location.protocol === "http:") {
  const manifest = document.createElement("link");
  manifest.rel = "manifest";
  manifest.href = "manifest.webmanifest";
  document.head.append(manifest);
  if (window.isSecureContext && navigator.serviceWorker) {
    addEventListener("load", () => navigator.serviceWorker.register("service-worker.js").catch(() => {}));
  }
}
