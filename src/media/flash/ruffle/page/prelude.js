// Runs before the engine's script.
"use strict";
(function () {
  // The engine's player object keeps its inner player, which holds the handle with the
  // built-in menu items, in a private field (a WeakMap). Note each inner player by its element.
  const set = WeakMap.prototype.set;
  const inners = new WeakMap();
  window.kvInnerOf = (element) => inners.get(element);
  WeakMap.prototype.set = function (key, value) {
    if (key instanceof HTMLElement && value !== null && typeof value === "object" &&
        "instance" in value && typeof value.callExternalInterface === "function") {
      set.call(inners, key, value);
    }
    return set.call(this, key, value);
  };

  // A suspended player keeps asking for animation frames, which keeps the renderer and the
  // compositor busy for nothing. While the page holds frames, the engine's requests wait
  // (cancellable) and go out on release; the page's own code uses kvNativeFrame.
  const nativeRequest = window.requestAnimationFrame.bind(window);
  const nativeCancel = window.cancelAnimationFrame.bind(window);
  let held = null;  // id -> callback while holding
  let nextHeld = -1;
  window.kvNativeFrame = nativeRequest;
  window.kvHoldFrames = (hold) => {
    if (hold) {
      held = held || new Map();
      return;
    }
    if (!held) return;
    const waiting = held;
    held = null;
    for (const callback of waiting.values()) nativeRequest(callback);
  };
  window.kvDropHeldFrames = () => {
    held = null;
  };
  window.requestAnimationFrame = (callback) => {
    if (!held) return nativeRequest(callback);
    const id = nextHeld--;
    held.set(id, callback);
    return id;
  };
  window.cancelAnimationFrame = (id) => {
    if (id < 0) {
      if (held) held.delete(id);
    } else {
      nativeCancel(id);
    }
  };

  // The web engine's fetch() does not serve custom schemes; the engine fetches its
  // WebAssembly module and the movie with it. XMLHttpRequest does serve them.
  const nativeFetch = window.fetch.bind(window);
  function load(url) {
    return new Promise((resolve, reject) => {
      const request = new XMLHttpRequest();
      request.open("GET", url);
      request.responseType = "arraybuffer";
      request.onload = () => {
        if (request.status !== 200) {
          reject(new TypeError("cannot load " + url));
          return;
        }
        const type = request.getResponseHeader("content-type") || "application/octet-stream";
        resolve(new Response(request.response, { status: 200, headers: { "content-type": type } }));
      };
      request.onerror = () => reject(new TypeError("cannot load " + url));
      request.send();
    });
  }
  window.fetch = function (input, init) {
    const url = String(typeof input === "string" || input instanceof URL ? input : input.url);
    if (url.startsWith("kvflash:")) return load(url);
    return nativeFetch(input, init);
  };
})();
