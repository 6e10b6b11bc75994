// Runs before the engine's script.
"use strict";
(function () {
  // Nothing a movie supplies may run here or leave the page. The page's policy already refuses
  // eval, inline script and every address but our own; these close the same doors once more,
  // before the engine can reach them.
  //
  // ExternalInterface.call(name, ...) from a movie reaches us as
  // new Function("return (" + name + ")(...arguments);"): only the page's own functions for
  // movies would answer (it offers none), any other name is refused.
  const NativeFunction = window.Function;
  const movieCalls = new Map();
  const callPattern = /^return \(([A-Za-z_$][\w$]*)\)\(\.\.\.arguments\);$/;
  function Function(...args) {
    const match = args.length === 1 ? callPattern.exec(String(args[0])) : null;
    if (match && movieCalls.has(match[1])) return movieCalls.get(match[1]);
    throw new EvalError("refused: code from a movie");
  }
  Function.prototype = NativeFunction.prototype;
  window.Function = Function;
  // No windows, no connections of any kind, no beacons. (The engine's own ticking worker stays:
  // it inherits the page's policy.)
  window.open = () => null;
  for (const name of ["RTCPeerConnection", "webkitRTCPeerConnection", "RTCDataChannel",
                      "RTCIceCandidate", "RTCSessionDescription", "WebSocket", "WebTransport",
                      "EventSource", "SharedWorker"]) {
    try {
      delete window[name];
    } catch (e) {}
  }
  if (navigator.sendBeacon) navigator.sendBeacon = () => false;
  window.RufflePlayer = { config: { polyfills: false } };

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
  // The engine's ticks: the page tells a timeline that stands still from one that moves by
  // the frames the engine ran meanwhile.
  let ticks = 0;
  let lastTick = 0;
  window.kvEngineTicks = () => ({ count: ticks, time: lastTick });
  window.requestAnimationFrame = (callback) => {
    const tick = (time) => {
      ++ticks;
      lastTick = time;
      callback(time);
    };
    if (!held) return nativeRequest(tick);
    const id = nextHeld--;
    held.set(id, tick);
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
        const response =
            new Response(request.response, { status: 200, headers: { "content-type": type } });
        // The engine takes the movie's address from the response (a made one has none): the
        // movie's and its files' without the generation, the same at every start, under which
        // the engine keeps the movie's shared objects.
        const address = new URL(url, document.baseURI).href.replace(
            /^kvflash:\/\/app\/movie\/\d+\//, "kvflash://app/movie/");
        Object.defineProperty(response, "url", { value: address });
        resolve(response);
      };
      request.onerror = () => reject(new TypeError("cannot load " + url));
      request.send();
    });
  }
  // The engine keeps shared objects in localStorage. The page's own is replaced by the store of
  // the open movie's folder (kvUseStore), which the player keeps on disk: movies of another
  // folder never see it, and it holds at most `limit` bytes (a write beyond is refused, and the
  // engine's flush fails). Changes go back to the player once the engine's writes are done,
  // and at once when the store is replaced (a movie's objects are written as it is unloaded).
  let store = new Map();
  let limit = 0;
  let send = null;
  let sendTimer = 0;
  const bytes = (items) => {
    let n = 0;
    for (const [key, value] of items) n += key.length + Math.ceil(value.length * 3 / 4);
    return n;
  };
  const sendNow = () => {
    clearTimeout(sendTimer);
    sendTimer = 0;
    if (send) send(Object.fromEntries(store));
  };
  // The writes of one flush go together.
  const changed = () => {
    if (!sendTimer) sendTimer = setTimeout(sendNow, 0);
  };
  const write = (key, value) => {
    const next = new Map(store);
    next.set(String(key), String(value));
    if (bytes(next) > limit) {
      throw new DOMException("the movie's store is full", "QuotaExceededError");
    }
    store = next;
    changed();
  };
  const remove = (key) => {
    if (store.delete(String(key))) changed();
  };
  const methods = {
    getItem: (key) => (store.has(String(key)) ? store.get(String(key)) : null),
    setItem: write,
    removeItem: remove,
    clear: () => {
      store.clear();
      changed();
    },
    key: (i) => [...store.keys()][i] ?? null,
  };
  // The engine reads and writes items as named properties (storage[name]), as a Storage allows.
  const storage = new Proxy({}, {
    get: (target, name) => {
      if (typeof name !== "string") return undefined;
      if (name === "length") return store.size;
      if (Object.hasOwn(methods, name)) return methods[name];
      return store.get(name);
    },
    set: (target, name, value) => {
      write(name, value);
      return true;
    },
    deleteProperty: (target, name) => {
      remove(name);
      return true;
    },
    has: (target, name) => store.has(String(name)),
  });
  try {
    Object.defineProperty(window, "localStorage", { get: () => storage });
  } catch (e) {}  // the engine then keeps them in memory for this run only
  window.kvUseStore = (items, bytesAllowed, report) => {
    if (sendTimer) sendNow();
    store = new Map();
    for (const [key, value] of Object.entries(items || {}))
      if (typeof value === "string") store.set(key, value);
    limit = bytesAllowed;
    send = report;
  };

  window.fetch = function (input) {
    const url = String(typeof input === "string" || input instanceof URL ? input : input.url);
    if (new URL(url, document.baseURI).protocol === "kvflash:") return load(url);
    return Promise.reject(new TypeError("refused: " + url));
  };
})();
