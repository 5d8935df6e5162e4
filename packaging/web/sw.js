// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The page's service worker, for a web space that sends no special headers
// and a classroom without network:
// - it keeps the folder's files, all of one build, in a cache named after
//   that build, fetched at once when it is installed; a new build's worker
//   fills a cache of its own, and takes over only when the page asks it to
//   before it loads the program (index.html), so a page never mixes two
//   builds; the old cache then goes;
// - it answers the page's requests from that cache, falling back to the
//   network, and adds the two headers that make the page cross-origin
//   isolated, which the program's threads need.
"use strict";
const BUILD = "@BUILD@";
const CACHE = "varnoskel-" + BUILD;
const FILES = [@FILES@];

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES.map((f) => new Request(f, { cache: "reload" })))));
});

self.addEventListener("activate", (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) if (name.startsWith("varnoskel-") && name !== CACHE) await caches.delete(name);
    await self.clients.claim();
  })());
});

// The page, before it loads the program, lets a waiting new build in.
self.addEventListener("message", (event) => {
  if (event.data === "übernehmen") self.skipWaiting();
});

function isolated(response) {
  if (!response || response.status === 0 || response.type === "opaque") return response;
  const headers = new Headers(response.headers);
  headers.set("Cross-Origin-Opener-Policy", "same-origin");
  headers.set("Cross-Origin-Embedder-Policy", "require-corp");
  headers.set("Cross-Origin-Resource-Policy", "same-origin");
  return new Response(response.body, { status: response.status, statusText: response.statusText, headers });
}

self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith((async () => {
    const cache = await caches.open(CACHE);
    const kept = await cache.match(request, { ignoreSearch: true });
    if (kept) return isolated(kept);
    try {
      return isolated(await fetch(request));
    } catch (error) {
      return new Response("Varnoskel: ohne Netz nicht im Zwischenspeicher: " + request.url,
                          { status: 503, headers: { "Content-Type": "text/plain; charset=utf-8" } });
    }
  })());
});
