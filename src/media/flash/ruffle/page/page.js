// The Flash page: one long-lived page that runs users' movies in the engine, one at a time,
// and talks to the player over the web channel: requests come in as JSON text ("request"
// signal), reports go out the same way ("report" slot).
"use strict";
(function () {
  const STATE_MS = 50;      // frame and play state, read while a movie runs (action tier)
  const MENU_MS = 1000;     // play state from the built-in menu (menu tier)
  const BEAT_MS = 500;      // the player's watchdog listens for this
  const CONFIRM_MS = 3000;  // how long the action block may take to answer once the movie runs
  const FS_FLUSH_MS = 40;   // FSCommands are sent in batches at most this often
  const FS_MAX = 32;        // distinct commands per batch; consecutive repeats are merged
  const MAX_STEPS = 5000;   // Forward items run by one seek through the menu
  // Any address holding "javascript:", with the tabs and line breaks that URL parsing drops.
  const SCRIPT_URL = new RegExp(
      "^[\\s\\S]*" + "javascript:".split("").join("[\\t\\n\\r]*") + "[\\s\\S]*$", "i");

  const stage = document.getElementById("stage");
  let bridge = null;
  let movie = null;
  let engineStarted = false;
  let renderer = null;  // the renderer the engine settled on: tried first for the next movie
  let chain = Promise.resolve();

  function report(message) {
    if (bridge) bridge.report(JSON.stringify(message));
  }
  function afterFrames(count, work) {
    if (count <= 0) work();
    else window.kvNativeFrame(() => afterFrames(count - 1, work));
  }
  function sleepFrames(count) {
    return new Promise((resolve) => afterFrames(count, resolve));
  }

  // Scale modes: the engine always fills the element exactly; the element's box gives the
  // mode (0 show all, 1 no border, 2 exact fit, 3 no scale), so a change needs no reload.
  function layout() {
    if (!movie) return;
    const W = stage.clientWidth, H = stage.clientHeight;
    const w = movie.width > 0 ? movie.width : W, h = movie.height > 0 ? movie.height : H;
    let sw = W, sh = H;
    if (movie.scale === 0 || movie.scale === 1) {
      const s = (movie.scale === 0 ? Math.min : Math.max)(W / w, H / h);
      sw = w * s;
      sh = h * s;
    } else if (movie.scale === 3) {
      sw = w;
      sh = h;
    }
    const style = movie.element.style;
    style.width = sw + "px";
    style.height = sh + "px";
    style.left = (W - sw) / 2 + "px";
    style.top = (H - sh) / 2 + "px";
  }
  window.addEventListener("resize", layout);
  // What the page's policy refused: the player counts it (nothing should ever get this far).
  document.addEventListener("securitypolicyviolation", (e) => {
    report({ t: "refused", what: String(e.effectiveDirective) });
  });

  // The engine's handle, for the built-in menu items.
  function handle(m) {
    const inner = window.kvInnerOf(m.element);
    return inner ? inner.instance : null;
  }
  function menuItems(m) {
    const h = handle(m);
    if (!h) return [];
    try {
      const items = h.prepare_context_menu() || [];
      h.clear_custom_menu_items();
      return items;
    } catch (e) {
      return [];
    }
  }
  async function runMenu(m, caption) {
    const h = handle(m);
    if (!h) return false;
    let items;
    try {
      items = h.prepare_context_menu() || [];
    } catch (e) {
      return false;
    }
    const index = items.findIndex((item) => item.caption === caption && item.enabled);
    try {
      if (index >= 0) await h.run_context_menu_callback(index);
    } catch (e) {}
    try {
      h.clear_custom_menu_items();
    } catch (e) {}
    return index >= 0;
  }
  function menuPlaying(items) {
    const play = items.find((item) => item.caption === "Play");
    return play ? !!play.checked : null;
  }
  function hasTimelineMenu(items) {
    return ["Play", "Rewind", "Forward", "Back"].every((c) => items.some((i) => i.caption === c));
  }

  // The action block's callbacks.
  function call(m, name, ...args) {
    try {
      return m.element.ruffle().callExternalInterface(name, ...args);
    } catch (e) {
      return undefined;
    }
  }
  // The root timeline's frame (0-based), null while the callbacks are not there.
  function readFrame(m) {
    const frame = Number(call(m, "kvState"));
    return Number.isInteger(frame) && frame >= 1 ? frame - 1 : null;
  }
  // Whether the root timeline stands still: our own stop or goto-and-stop, or the same frame
  // while the engine ran frames covering more than two of the movie's frame periods.
  function standsStill(m, frame) {
    const now = window.kvEngineTicks();
    if (frame !== m.lastFrame) {
      m.lastFrame = frame;
      m.held = false;
      restartStillClock(m);
      return false;
    }
    if (m.held) return true;
    return now.count - m.sinceTicks >= 2 && now.time - m.sinceTime > 2.5 * m.period;
  }
  // After our own stop: the frame it stopped on stands still until the movie moves.
  function holdStill(m) {
    const frame = readFrame(m);
    if (frame !== null) m.lastFrame = frame;
    m.held = true;
  }
  function restartStillClock(m) {
    m.sinceTicks = window.kvEngineTicks().count;
    m.sinceTime = performance.now();
  }
  // Standing still: stopped, unless the menu's Play mark says it runs (a frame that jumps to
  // itself); the menu is asked once each time the timeline comes to rest.
  function timelinePlaying(m, still) {
    if (m.total <= 1) return m.wantPlaying;
    if (!still) {
      m.restAsked = false;
      return true;
    }
    if (!m.restAsked) {
      m.restAsked = true;
      m.restPlaying = m.menuOk && menuPlaying(menuItems(m)) === true;
    }
    return m.restPlaying;
  }
  function push(m, frame, playing) {
    if (frame === m.frame && playing === m.playing && m.seqSent === m.seq) return;
    m.frame = frame;
    m.playing = playing;
    m.seqSent = m.seq;
    report({ t: "state", g: m.g, s: m.seq, frame: frame, playing: playing });
  }
  function pushState(m) {
    if (m.tier !== "actions") return;
    const frame = readFrame(m);
    if (frame !== null) push(m, frame, timelinePlaying(m, standsStill(m, frame)));
  }

  setInterval(() => {
    if (movie && movie.tier === "actions" && !movie.suspended) pushState(movie);
  }, STATE_MS);
  setInterval(() => {
    const m = movie;
    if (!m || m.tier !== "menu" || m.suspended) return;
    const playing = menuPlaying(menuItems(m));
    if (playing === null) settle(m, "model");  // the movie hid its menu
    else push(m, -1, playing);
  }, MENU_MS);
  setInterval(() => {
    report({ t: "beat" });
    const m = movie;
    const inner = m && window.kvInnerOf(m.element);
    if (inner && inner.panicked && !m.failed) {
      m.failed = true;
      report({ t: "failed", g: m.g, engine: !engineStarted, error: "the engine stopped" });
    }
  }, BEAT_MS);

  function suspend(m) {
    if (m.suspended) return;
    m.element.ruffle().suspend();
    m.suspended = true;
    window.kvHoldFrames(true);
  }
  function resume(m) {
    if (!m.suspended) return;
    m.suspended = false;
    restartStillClock(m);  // the engine ran no frames meanwhile
    window.kvHoldFrames(false);
    m.element.ruffle().resume();
  }
  // The engine resumes a player when the page becomes visible again; a paused movie stays so.
  document.addEventListener("visibilitychange", () => {
    setTimeout(() => {
      if (movie && movie.suspended) movie.element.ruffle().suspend();
    }, 0);
  });

  async function seekByMenu(m, frame, play) {
    await runMenu(m, "Rewind");
    for (let i = 0; i < Math.min(frame, MAX_STEPS); ++i) {
      if (movie !== m || !(await runMenu(m, "Forward"))) break;
    }
    const playing = menuPlaying(menuItems(m));
    if (playing !== null && playing !== play) await runMenu(m, "Play");
  }
  // A seek while suspended shows its frame: the player runs for two animation frames.
  async function repaint(m) {
    if (!m.suspended) return;
    resume(m);
    await sleepFrames(2);
    if (movie === m && !m.wantPlaying) suspend(m);
  }

  async function apply(m, op) {
    if (movie !== m || m.failed) {
      if (op.op === "get") report({ t: "var", g: op.g, id: op.id, ok: false, value: "" });
      return;
    }
    switch (op.op) {
      case "play":
        m.wantPlaying = true;
        resume(m);
        if (m.tier === "actions") {
          call(m, "kvPlay");
          m.held = false;
          restartStillClock(m);
        } else if (m.tier === "menu" && menuPlaying(menuItems(m)) === false) {
          await runMenu(m, "Play");
        }
        break;
      case "pause":
        m.wantPlaying = false;
        if (m.tier === "actions") {
          call(m, "kvStop");
          holdStill(m);
        } else if (m.tier === "menu" && menuPlaying(menuItems(m)) === true) {
          await runMenu(m, "Play");
        }
        suspend(m);
        break;
      case "goto":
        if (m.tier === "actions") {
          call(m, "kvGoto", op.frame + 1, !!op.play);
          if (op.play) restartStillClock(m);
          else holdStill(m);
        } else if (m.tier === "menu") {
          await seekByMenu(m, op.frame, !!op.play);
        }
        m.restAsked = false;
        await repaint(m);
        break;
      case "set":
        if (m.tier === "actions") call(m, "kvSet", String(op.name), String(op.value));
        break;
      case "get": {
        const value = m.tier === "actions" ? call(m, "kvGet", String(op.name)) : undefined;
        const ok = typeof value === "string";
        report({ t: "var", g: m.g, id: op.id, ok: ok, value: ok ? value : "" });
        break;
      }
    }
    if (movie !== m) return;
    m.seq = Math.max(m.seq, op.s || 0);
    if (m.tier === "actions") {
      const frame = readFrame(m);
      if (frame !== null)
        push(m, frame, m.suspended ? false : timelinePlaying(m, standsStill(m, frame)));
    } else {
      const playing = m.tier === "menu" ? menuPlaying(menuItems(m)) : null;
      push(m, -1, m.suspended ? false : playing === null ? m.wantPlaying : playing);
    }
  }
  function enqueue(m, op) {
    chain = chain.then(() => apply(m, op)).catch(() => {});
  }

  // Which tier serves the position calls, decided once the movie runs; operations that came
  // earlier wait for it.
  function settle(m, tier) {
    if (movie !== m) return;
    m.tier = tier;
    m.menuOk = hasTimelineMenu(menuItems(m));
    report({ t: "tier", g: m.g, tier: tier });
    const queued = m.queue || [];
    m.queue = null;
    for (const op of queued) enqueue(m, op);
  }
  function settleWithoutActions(m) {
    settle(m, m.total > 1 && hasTimelineMenu(menuItems(m)) ? "menu" : "model");
  }
  function decideTier(m) {
    if (m.predicted !== "actions") {
      setTimeout(() => settleWithoutActions(m), 250);  // after frame 1's script has run
      return;
    }
    const start = performance.now();
    const attempt = () => {
      if (movie !== m || m.tier !== null) return;
      if (readFrame(m) !== null) settle(m, "actions");
      else if (performance.now() - start > CONFIRM_MS) settleWithoutActions(m);
      else setTimeout(attempt, 50);
    };
    attempt();
  }

  function fsCommand(m, command, args) {
    if (movie !== m) return;
    const queue = m.fs;
    const last = queue[queue.length - 1];
    command = String(command);
    args = String(args);
    if (last && last[0] === command && last[1] === args) last[2]++;
    else if (queue.length < FS_MAX) queue.push([command, args, 1]);
    else m.fsDropped++;
    if (m.fsTimer) return;
    m.fsTimer = setTimeout(() => {
      m.fsTimer = 0;
      if (movie !== m) return;
      report({ t: "fs", g: m.g, list: m.fs, dropped: m.fsDropped });
      m.fs = [];
      m.fsDropped = 0;
    }, FS_FLUSH_MS);
  }

  function unload() {
    if (!movie) return;
    const m = movie;
    movie = null;
    clearTimeout(m.fsTimer);
    m.element.remove();  // the engine destroys the player with its element
    window.kvDropHeldFrames();  // frames the destroyed player was waiting for
  }

  function load(op) {
    unload();
    const element = window.RufflePlayer.newest().createPlayer();
    const m = {
      g: op.g, element: element, width: op.w, height: op.h, scale: op.scale, total: op.total,
      predicted: op.tier, tier: null, queue: [], seq: op.s || 0, seqSent: -1, frame: -1,
      playing: null, wantPlaying: true, suspended: false, failed: false, menuOk: false,
      restAsked: false, restPlaying: false, fs: [], fsDropped: 0, fsTimer: 0,
      period: 1000 / 12, lastFrame: -1, held: false, sinceTicks: 0, sinceTime: 0,
    };
    movie = m;
    window.kvUseStore(op.store, op.storeLimit,
                      (items) => report({ t: "store", g: m.g, items: items }));
    stage.style.background = op.bg;
    stage.appendChild(element);
    layout();
    const player = element.ruffle();
    player.addFSCommandHandler((command, args) => fsCommand(m, command, args));
    element.addEventListener("loadedmetadata", () => {
      if (movie !== m) return;
      engineStarted = true;
      const rate = Number(player.metadata && player.metadata.frameRate);
      if (rate > 0) m.period = 1000 / rate;
      try {
        renderer = renderer || handle(m).renderer_name() || null;
      } catch (e) {}
      report({ t: "meta", g: m.g, meta: player.metadata });
      afterFrames(2, () => {
        if (movie === m) report({ t: "painted", g: m.g });
      });
      decideTier(m);
    });
    player
      .load({
        // Relative addresses of the movie resolve beside it, as they would beside a file.
        url: op.url, base: op.url.slice(0, op.url.lastIndexOf("/") + 1),
        autoplay: "on", unmuteOverlay: "hidden", splashScreen: false,
        allowScriptAccess: true, contextMenu: "off", scale: "exactFit", forceScale: true,
        letterbox: "off", backgroundColor: op.bg, openUrlMode: "deny", allowFullscreen: false,
        maxExecutionDuration: op.maxScriptSeconds, logLevel: "error",
        warnOnUnsupportedContent: false, showSwfDownload: false, upgradeToHttps: false,
        // A javascript: address from the movie becomes one that "deny" refuses.
        urlRewriteRules: [[SCRIPT_URL, "kvflash://app/refused"]],
        preferredRenderer: op.renderer || renderer,
      })
      .catch((e) => {
        if (movie !== m || m.failed) return;
        m.failed = true;
        report({ t: "failed", g: m.g, engine: !engineStarted, error: String(e) });
      });
  }

  function onRequest(text) {
    let op;
    try {
      op = JSON.parse(text);
    } catch (e) {
      return;
    }
    if (op.op === "load") return load(op);
    if (op.op === "unload") return unload();
    const m = movie;
    if (!m || op.g !== m.g) {
      if (op.op === "get") report({ t: "var", g: op.g, id: op.id, ok: false, value: "" });
      return;
    }
    if (op.op === "scale") {
      m.scale = op.mode;
      layout();
    } else if (m.queue) {
      m.queue.push(op);
    } else {
      enqueue(m, op);
    }
  }

  new QWebChannel(qt.webChannelTransport, (channel) => {
    bridge = channel.objects.bridge;
    bridge.request.connect(onRequest);
    const source = window.RufflePlayer && window.RufflePlayer.newest && window.RufflePlayer.newest();
    report({ t: "ready", engine: !!source, version: source ? String(source.version) : "" });
  });
})();
