// Keeps a copy of every file of the folder, taken when the page is first
// opened, and answers from it: the program opens again with the network off.
// The build writes the list and a version into the first lines; a new
// version replaces the old copy.
"use strict";

const version = "@VERSION@";
const files = [@FILES@];
const cacheName = "palmos-" + version;

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(files)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== cacheName).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") {
    return;
  }
  event.respondWith(caches.open(cacheName).then((cache) =>
    cache.match(event.request, { ignoreSearch: true }).then((kept) => kept || fetch(event.request))));
});
