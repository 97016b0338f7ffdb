// The page's shell, shared by the game's and the editor's pages: it builds
// the window the program describes (menus, client, labels, pictures), shows
// the boxes and file dialogs the program awaits, keeps the player's files in
// the browser's storage, plays the sounds, and sends the page's timer, keys,
// mouse and menu events to the program. The rules are all in the program.
"use strict";

const tarnwick = (() => {
  const t = {
    ready: false, ended: false, busy: false, frames: 0, scale: 1,
    folders: { shipped: "/juego/share/tarnwick", player: "/datos/tarnwick" },
    fs: null,
  };
  const kDatos = "/datos";
  const kMaxUpload = 64 << 20;  // the largest file the programs read (a map)
  let M = null;  // the program's Module
  let tickMs = 100, clientW = 0, clientH = 0;
  const el = (tag, props = {}, ...children) => {
    const e = document.createElement(tag);
    for (const [k, v] of Object.entries(props)) {
      if (k === "class") e.className = v;
      else if (k === "style") Object.assign(e.style, v);
      else if (k.startsWith("on")) e.addEventListener(k.slice(2), v);
      else if (k in e && typeof v !== "string") e[k] = v;
      else e.setAttribute(k, v);
    }
    e.append(...children);
    return e;
  };
  const $ = (id) => document.getElementById(id);
  const css = (rgb) => "#" + (rgb & 0xFFFFFF).toString(16).padStart(6, "0");

  // ---- Calls into the program ------------------------------------------
  // One handler at a time. Timer events that come while one runs (waiting
  // on a box or a dialog, or saving) are dropped, not queued; the player's
  // own events (a menu chosen, a click) wait their turn, as on the desktop.
  const turns = [];
  async function enter(name, types = [], args = [], wait = true) {
    if (t.ended || !t.ready) return 0;
    if (t.busy) {
      if (!wait) return 0;
      await new Promise((resolve) => turns.push(resolve));
      if (t.ended) return 0;
    }
    t.busy = true;
    try {
      return await M.ccall(name, "number", types, args, { async: true });
    } finally {
      t.busy = false;
      keysState();
      turns.shift()?.();
    }
  }
  // A call that never waits, allowed while a handler waits: not through
  // ccall, which would take over the waiting handler's promise.
  function call(name, types = [], args = []) {
    const f = M && M.calledRun && !t.ended && M["_" + name];
    if (!f) return 0;
    const stack = M.stackSave();
    try {
      return f(...args.map((a, i) => {
        if (types[i] !== "string") return a;
        const size = M.lengthBytesUTF8(a) + 1, at = M.stackAlloc(size);
        M.stringToUTF8(a, at, size);
        return at;
      }));
    } finally {
      M.stackRestore(stack);
    }
  }

  // ---- Scale: each art pixel a whole number of device pixels -----------
  function fit() {
    const ventana = $("ventana");
    if (!ventana || !clientW) return;
    const dpr = window.devicePixelRatio || 1;
    const w = clientW, h = clientH + $("barra").offsetHeight;
    const k = Math.max(1, Math.floor(Math.min((innerWidth * dpr) / w, (innerHeight * dpr) / h)));
    if (k !== t.scale) {
      t.scale = k;
      document.querySelectorAll(".etiqueta").forEach(alignInk);
    }
    const s = k / dpr;
    // Centred, on whole device pixels.
    const left = Math.max(0, Math.floor((innerWidth * dpr - w * k) / 2)) / dpr;
    const top = Math.max(0, Math.floor((innerHeight * dpr - h * k) / 2)) / dpr;
    for (const layer of document.querySelectorAll(".escala")) {
      layer.style.transform = `scale(${s})`;
      layer.style.left = left + "px";
      layer.style.top = top + "px";
    }
    document.documentElement.style.setProperty("--ancho-ventana", w + "px");
  }
  let watched = null;
  function watchScale() {
    if (watched) watched.removeEventListener("change", watchScale);
    watched = matchMedia(`(resolution: ${window.devicePixelRatio || 1}dppx)`);
    watched.addEventListener("change", watchScale);
    fit();
  }
  addEventListener("resize", fit);

  // ---- The window ------------------------------------------------------
  const menus = [];
  let openMenu = -1;
  const page = {
    window(title, aplicacion, w, h, background, icon, ms) {
      document.title = title;
      boxTitle = aplicacion;
      $("programa").setAttribute("aria-label", title);
      clientW = w; clientH = h; tickMs = ms;
      const cliente = $("cliente");
      Object.assign(cliente.style, { width: w + "px", height: h + "px", background: css(background) });
      $("barra").style.width = w + "px";
      watchScale();
    },
    menu(name, text) {
      const m = menus.length;
      const items = el("div", { role: "menu", id: name + "-items", class: "desplegable", hidden: true,
                                "aria-label": text });
      const title = el("button", { role: "menuitem", id: name, "aria-haspopup": "true", "aria-expanded": "false",
                                   tabindex: "-1" }, text);
      title.addEventListener("mousedown", (e) => { e.preventDefault(); openMenu === m ? closeMenus() : showMenu(m); });
      title.addEventListener("mouseenter", () => { if (openMenu >= 0 && openMenu !== m) showMenu(m); });
      $("barra").append(el("div", { class: "menu" }, title, items));
      menus.push({ title, items, entries: [] });
    },
    menuItem(m, name, text) {
      const k = menus[m].entries.length;
      const item = el("button", { role: "menuitem", id: name, tabindex: "-1" }, text);
      item.addEventListener("click", () => choose(m, k));
      item.addEventListener("mouseenter", () => item.focus());
      menus[m].items.append(item);
      menus[m].entries.push(item);
    },
    menuEnabled(name, enabled) {
      const item = $(name);
      if (item) item.setAttribute("aria-disabled", enabled ? "false" : "true");
    },
    label(l, parent) {
      const div = el("div", { class: "etiqueta", id: l.name });
      Object.assign(div.style, {
        left: l.x + "px", top: l.y + "px", width: l.w + "px", height: l.h + "px",
        font: `${l.bold ? "bold " : ""}${l.pixels}px ${face(l.family)}`, color: css(l.ink),
        background: l.opaque ? css(l.paper) : "transparent",
      });
      div.dataset.inkLeft = l.inkLeft;
      $(parent === "cliente" ? parent : parent + "-cliente").append(div);
      page.caption(l.name, l.text);
    },
    caption(name, text) {
      const div = $(name);
      if (!div) return;
      div.textContent = text.replace(/\r\n/g, "\n");
      alignInk(div);
    },
    picture(name, x, y, w, h) {
      const canvas = el("canvas", { id: name, width: w, height: h, class: "dibujo" });
      Object.assign(canvas.style, { left: x + "px", top: y + "px", width: w + "px", height: h + "px" });
      if (name === "mainpic") {
        canvas.setAttribute("role", "img");
        canvas.setAttribute("aria-label", "mainpic");
        hookMouse(canvas);
        $("cliente").prepend(canvas);
      } else {
        canvas.setAttribute("aria-hidden", "true");
        $("cliente").append(canvas);
      }
    },
    put(name, heap, ptr, width, height, x, y, w, h) {
      const canvas = $(name);
      if (!canvas) return;
      const data = new Uint8ClampedArray(heap.buffer, ptr, width * height * 4);
      canvas.getContext("2d").putImageData(new ImageData(data, width, height), 0, 0, x, y, w, h);
      if (name === "mainpic") t.frames++;
    },
    button(index, name, what, x, y, side, up, down) {
      const face = (bytes) => {
        const c = el("canvas", { width: side, height: side });
        c.getContext("2d").putImageData(new ImageData(new Uint8ClampedArray(bytes.buffer), side, side), 0, 0);
        return c;
      };
      const faces = [face(up), face(down)];
      const button = el("button", { class: "boton", id: name, "aria-label": what, tabindex: "-1" }, faces[0]);
      Object.assign(button.style, { left: x + "px", top: y + "px", width: side + "px", height: side + "px" });
      const show = (d) => button.replaceChildren(faces[d ? 1 : 0]);
      button.addEventListener("pointerdown", (e) => { e.preventDefault(); button.setPointerCapture(e.pointerId); show(true); });
      button.addEventListener("pointerup", (e) => {
        show(false);
        const r = button.getBoundingClientRect();
        if (e.clientX >= r.left && e.clientX < r.right && e.clientY >= r.top && e.clientY < r.bottom)
          enter("tarnwick_button", ["number"], [index]);
      });
      button.addEventListener("pointercancel", () => show(false));
      $("cliente").append(button);
    },
    dialog(name, title, w, h, background) {
      const client = el("div", { class: "cliente-dialogo", id: name + "-cliente" });
      Object.assign(client.style, { width: w + "px", height: h + "px", background: css(background) });
      const bar = el("div", { class: "titulo" }, el("span", {}, title),
                     el("button", { class: "cerrar", "aria-label": "Cerrar", onclick: () => page.closeDialog(name) }, "×"));
      const d = el("div", { role: "dialog", id: name, class: "ventanita", "aria-label": title, hidden: true }, bar, client);
      // Return and Escape are the dialog's: the page does not see them too,
      // nor does a box the dialog's button opens.
      client.addEventListener("keydown", (e) => {
        if (e.key !== "Enter" && e.key !== "Escape") return;
        e.preventDefault();
        e.stopPropagation();
        if (e.key === "Enter") $(name).querySelector("button.predeterminado")?.click();
        else page.closeDialog(name);
      });
      draggable(d, bar);
      $("ventana").append(d);
    },
    combo(parent, name, x, y, w, h, items) {
      const list = el("datalist", { id: name + "-lista" }, ...items.map((i) => el("option", { value: i })));
      const input = el("input", { id: name, class: "combo", value: items[0] || "", autocomplete: "off" });
      input.setAttribute("list", list.id);
      Object.assign(input.style, { left: x + "px", top: y + "px", width: w + "px", height: h + "px" });
      $(parent + "-cliente").append(input, list);
      // Named by the label in front of it, as a screen reader says it.
      requestAnimationFrame(() => {
        const labels = [...$(parent + "-cliente").querySelectorAll(".etiqueta")];
        const at = (l, side) => parseInt(l.style[side], 10);  // laid out or not (a hidden dialog)
        const mine = labels.filter((l) => Math.abs(at(l, "top") - y) < h && at(l, "left") < x).pop();
        if (mine) input.setAttribute("aria-label", mine.textContent);
      });
    },
    pushButton(parent, name, text, x, y, w, h, isDefault) {
      const b = el("button", { id: name, class: "pulsador" + (isDefault ? " predeterminado" : "") }, text);
      Object.assign(b.style, { left: x + "px", top: y + "px", width: w + "px", height: h + "px" });
      if (name === "crear") b.addEventListener("click", crear);
      $(parent + "-cliente").append(b);
    },
    showDialog(name) {
      const d = $(name);
      if (!d.hidden) { d.querySelector("input")?.focus(); return; }
      // Made anew each time, as the desktop's dialog is: its boxes propose their first item.
      for (const input of d.querySelectorAll("input.combo"))
        input.value = $(input.id + "-lista").options[0]?.value || "";
      d.hidden = false;
      if (!d.dataset.placed) {
        d.dataset.placed = "1";
        d.style.left = Math.round((clientW - d.offsetWidth) / 2) + "px";
        d.style.top = "60px";
      }
      d.querySelector("input")?.focus();
      d.querySelector("input")?.select();
    },
    closeDialog(name) { $(name).hidden = true; },
    ready() {
      $("cargando")?.remove();
      $("ventana").hidden = false;
      fit();
      const realign = () => document.querySelectorAll(".etiqueta").forEach(alignInk);
      document.fonts.ready.then(realign);
      document.fonts.addEventListener("loadingdone", realign);
      // Each tick a full period after the last one began, as the desktop's
      // timers do: a tick the browser ran late is not made up by an early
      // one (setInterval keeps its first rhythm, so strikes 3 ticks apart
      // could come closer and cut each other's sound).
      const tick = () => {
        setTimeout(tick, tickMs);
        enter("tarnwick_tick", [], [], false);
      };
      setTimeout(tick, tickMs);
      // Ready once the first frame is on screen.
      requestAnimationFrame(() => requestAnimationFrame(() => { t.ready = true; t.readyAt = performance.now(); }));
    },
    ended() {
      t.ended = true;
      closeMenus();
      $("ventana").hidden = true;
      document.querySelectorAll(".velo").forEach((v) => v.remove());
      document.body.append(el("div", { id: "fin", role: "alert" },
        el("p", {}, "El programa ha terminado."),
        el("button", { onclick: () => location.reload() }, "Volver a empezar")));
      document.querySelector("#fin button").focus();
    },
  };

  // Both faces the layout names are drawn with Liberation Sans, as on Linux.
  const face = () => '"Tarnwick Sans", "Liberation Sans", Arial, sans-serif';

  // The ink of a label's first character kInkLeft layout pixels into its
  // box (k device pixels each), whatever room that glyph leaves on its left:
  // where its ink begins is found by drawing it at the device's size.
  const measure = document.createElement("canvas").getContext("2d", { willReadFrequently: true });
  const inkLefts = new Map();
  function inkLeft(font, c, k) {
    const key = `${k} ${font} ${c}`;
    if (inkLefts.has(key)) return inkLefts.get(key);
    const em = Math.ceil(parseFloat(font.match(/([\d.]+)px/)[1]) * k), at = em;
    measure.canvas.width = 3 * em;
    measure.canvas.height = 2 * em;
    measure.fillStyle = "#fff";
    measure.fillRect(0, 0, 3 * em, 2 * em);
    measure.font = font.replace(/([\d.]+)px/, (_, n) => parseFloat(n) * k + "px");
    measure.textBaseline = "top";
    measure.fillStyle = "#000";
    measure.fillText(c, at, 0);
    const px = measure.getImageData(0, 0, 3 * em, 2 * em).data;
    let left = 0;  // a blank glyph has no ink to place
    column: for (let x = 0; x < 3 * em; ++x)
      for (let y = 0; y < 2 * em; ++y)
        if (px[(y * 3 * em + x) * 4] !== 255) { left = x - at; break column; }
    // Drawn with a stand-in while the page's own face still loads: measured again once it has.
    if (document.fonts.check(measure.font, c)) inkLefts.set(key, left);
    return left;
  }
  function alignInk(div) {
    const first = div.textContent.charAt(0), k = t.scale;
    const left = first ? Math.max(Number(div.dataset.inkLeft) * k - inkLeft(div.style.font, first, k), 0) : 0;
    div.style.paddingLeft = left / k + "px";
  }

  function draggable(box, handle) {
    handle.addEventListener("pointerdown", (e) => {
      if (e.target.closest("button")) return;
      handle.setPointerCapture(e.pointerId);
      const s = t.scale / (window.devicePixelRatio || 1);
      const start = { x: e.clientX, y: e.clientY, left: box.offsetLeft, top: box.offsetTop };
      const move = (m) => {
        box.style.left = Math.round(start.left + (m.clientX - start.x) / s) + "px";
        box.style.top = Math.round(start.top + (m.clientY - start.y) / s) + "px";
      };
      const up = () => { handle.removeEventListener("pointermove", move); handle.removeEventListener("pointerup", up); };
      handle.addEventListener("pointermove", move);
      handle.addEventListener("pointerup", up);
    });
  }

  async function crear() {
    const sep = (1.5).toLocaleString(navigator.language).charAt(1);
    await enter("tarnwick_crear", ["string", "string", "number"],
                [$("ancho").value, $("alto").value, sep.charCodeAt(0) < 128 ? sep.charCodeAt(0) : 46]);
  }

  // ---- The mouse on the drawing surface ---------------------------------
  // A button pressed on it is followed wherever it goes until let go, as
  // the desktop's windows follow it; one pressed elsewhere is not.
  function hookMouse(canvas) {
    let captured = false;
    const at = (e) => {
      const r = canvas.getBoundingClientRect();
      return [Math.floor(((e.clientX - r.left) * canvas.width) / r.width),
              Math.floor(((e.clientY - r.top) * canvas.height) / r.height)];
    };
    const cliente = $("cliente");
    // Labels and the portrait lie over the surface and let the mouse through.
    cliente.addEventListener("pointerdown", (e) => {
      if (e.target !== canvas && !e.target.classList.contains("etiqueta") && e.target.id !== "persona") return;
      const [x, y] = at(e);
      if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height) return;
      e.preventDefault();
      closeMenus();
      canvas.setPointerCapture(e.pointerId);
      captured = true;
      enter("tarnwick_mouse_down", ["number", "number"], [x, y]);
    });
    const move = (e) => {
      if (t.busy || (e.buttons && !captured)) return;
      if (!captured && e.target !== canvas) return;
      call("tarnwick_mouse_move", ["number", "number"], at(e));
    };
    canvas.addEventListener("pointermove", move);
    cliente.addEventListener("pointermove", (e) => { if (e.target !== canvas && !captured) move(e); });
    const release = () => { captured = false; };
    canvas.addEventListener("pointerup", release);
    canvas.addEventListener("lostpointercapture", release);
  }

  // ---- Menus -----------------------------------------------------------
  function showMenu(m) {
    closeMenus(false);
    openMenu = m;
    menus[m].title.setAttribute("aria-expanded", "true");
    menus[m].title.classList.add("abierto");
    menus[m].items.hidden = false;
    (menus[m].entries.find((i) => i.getAttribute("aria-disabled") !== "true") || menus[m].entries[0]).focus();
    keysState();
  }
  function closeMenus(report = true) {
    for (const m of menus) {
      m.items.hidden = true;
      m.title.setAttribute("aria-expanded", "false");
      m.title.classList.remove("abierto");
    }
    openMenu = -1;
    if (document.activeElement && document.activeElement.closest("#barra")) document.activeElement.blur();
    if (report) keysState();
  }
  function choose(m, k) {
    if (menus[m].entries[k].getAttribute("aria-disabled") === "true") return;
    closeMenus();
    enter("tarnwick_menu", ["number", "number"], [m, k]);
  }
  function menuKey(e) {
    const m = menus[openMenu], items = m.entries;
    const at = items.indexOf(document.activeElement);
    const go = (step) => {
      for (let i = 1; i <= items.length; i++) {
        const next = items[(at + step * i + items.length * i) % items.length];
        if (next.getAttribute("aria-disabled") !== "true") return next.focus();
      }
    };
    switch (e.key) {
      case "ArrowDown": go(1); break;
      case "ArrowUp": go(-1); break;
      case "ArrowRight": showMenu((openMenu + 1) % menus.length); break;
      case "ArrowLeft": showMenu((openMenu + menus.length - 1) % menus.length); break;
      case "Enter": case " ": if (at >= 0) choose(openMenu, at); break;
      case "Escape": closeMenus(); break;
      case "Tab": closeMenus(); break;
      default: return false;
    }
    e.preventDefault();
    return true;
  }
  document.addEventListener("mousedown", (e) => { if (openMenu >= 0 && !e.target.closest("#barra")) closeMenus(); });

  // ---- Keys ------------------------------------------------------------
  const modal = () => document.querySelector(".velo") !== null;
  let focused = document.hasFocus();
  function keysState() {
    call("tarnwick_keys_state", ["number", "number", "number"], [focused ? 1 : 0, modal() ? 1 : 0, openMenu >= 0 ? 1 : 0]);
  }
  const PLAY = new Set(["ArrowLeft", "ArrowUp", "ArrowRight", "ArrowDown", "Space"]);
  document.addEventListener("keydown", (e) => {
    resumeSound();
    if (t.ended) return;
    const box = document.querySelector(".velo");
    if (box) return box.onKey(e, true);
    if (openMenu >= 0 && menuKey(e)) return;
    // F10 opens the menus, and Alt let go with no other key pressed meanwhile, as on the desktop.
    altAlone = e.key === "Alt" && (altAlone || !e.repeat);
    if (e.key === "F10" && !e.repeat && menus.length) {
      e.preventDefault();
      return showMenu(0);
    }
    if (e.key === "Alt") return e.preventDefault();
    const typing = e.target.matches && e.target.matches("input");
    // The page never scrolls on the keys of play.
    if (PLAY.has(e.code) && !typing) e.preventDefault();
    if (!e.repeat) call("tarnwick_key", ["string", "number"], [e.code, 1]);
  });
  let altAlone = false;
  document.addEventListener("keyup", (e) => {
    if (e.key === "Alt" && altAlone && openMenu < 0 && menus.length && !t.ended && !document.querySelector(".velo")) {
      e.preventDefault();
      showMenu(0);
    }
    altAlone = false;
    const box = document.querySelector(".velo");
    if (box) box.onKey(e, false);
    call("tarnwick_key", ["string", "number"], [e.code, 0]);
  });
  addEventListener("blur", () => { focused = false; keysState(); });
  addEventListener("focus", () => { focused = true; keysState(); });
  document.addEventListener("visibilitychange", () => { focused = !document.hidden && document.hasFocus(); keysState(); });

  // ---- Boxes and dialogs -------------------------------------------------
  // Modal: a veil over the whole page takes every click; the box sits over
  // the window, scaled as it is.
  // A click beside the box leaves the keyboard where it is; when the box
  // goes, the keyboard goes back where it was (a field of "Nuevo Mapa").
  function veil(dialog) {
    const v = el("div", { class: "velo" }, el("div", { class: "marco escala" }, dialog));
    v.opened = performance.now();
    v.before = document.activeElement;
    v.addEventListener("mousedown", (e) => { if (!e.target.closest(".caja, .archivos")) e.preventDefault(); });
    document.body.append(v);
    fit();
    keysState();
    return v;
  }
  function unveil(v) {
    v.remove();
    keysState();
    if (v.before && v.before.isConnected && v.before !== document.body && !v.before.closest("[hidden]"))
      v.before.focus();
  }

  t.message = (title, text, icon) => new Promise((resolve) => {
    const ok = el("button", { class: "pulsador aceptar" }, "Aceptar");
    const id = "caja-" + Date.now();
    const box = el("div", { role: "alertdialog", class: "caja", "aria-modal": "true", "aria-labelledby": id + "-t",
                            "aria-describedby": id + "-x" },
      el("div", { class: "titulo", id: id + "-t" }, title),
      el("div", { class: "cuerpo" },
        icon ? el("div", { class: "icono " + (icon === 2 ? "error" : "info"), "aria-hidden": "true" }, icon === 2 ? "×" : "i") : "",
        el("p", { class: "texto", id: id + "-x" }, text.replace(/\r\n/g, "\n"))),
      el("div", { class: "botones" }, ok));
    const v = veil(box);
    const close = () => { unveil(v); resolve(); };
    ok.addEventListener("click", close);
    // Only a key pressed after the box appeared answers it.
    v.onKey = (e, press) => {
      if (e.timeStamp < v.opened) return;  // the key that opened it
      const withheld = call("tarnwick_box_key", ["string", "number", "number"], [e.code, press ? 1 : 0, e.repeat ? 1 : 0]);
      if (!press) return;
      e.preventDefault();
      if (!withheld && ["Enter", "NumpadEnter", "Escape", "Space"].includes(e.code)) close();
    };
    ok.focus();
  });

  const exists = (path) => { try { return t.fs.isFile(t.fs.stat(path).mode); } catch { return false; } };
  const listing = (folder) => {
    try { return t.fs.readdir(folder).filter((n) => n !== "." && n !== ".." && exists(folder + "/" + n)); } catch { return []; }
  };

  t.fileDialog = async (saving, shipped, player, proposed) => {
    await storage.refresh();
    const title = saving ? "Guardar como" : "Abrir";
    const names = [...new Set([...listing(player), ...(shipped ? listing(shipped) : [])])].sort((a, b) => a.localeCompare(b, "es"));
    return new Promise((resolve) => {
      const input = el("input", { class: "nombre", type: "text", value: proposed, autocomplete: "off", "aria-label": "Nombre" });
      const options = names.map((n) => el("li", { role: "option", "aria-selected": "false", tabindex: "-1",
        onclick: () => { input.value = n; mark(n); }, ondblclick: () => { input.value = n; accept(); } }, n));
      const mark = (n) => options.forEach((o) => o.setAttribute("aria-selected", o.textContent === n ? "true" : "false"));
      const upload = el("input", { type: "file", hidden: true });
      const buttons = el("div", { class: "botones" });
      if (!saving) buttons.append(el("button", { class: "pulsador", onclick: () => upload.click() }, "Subir…"));
      buttons.append(el("button", { class: "pulsador predeterminado", onclick: () => accept() }, "Aceptar"),
                     el("button", { class: "pulsador", onclick: () => done(null) }, "Cancelar"));
      const box = el("div", { role: "dialog", class: "archivos", "aria-modal": "true", "aria-label": title },
        el("div", { class: "titulo" }, title),
        el("div", { class: "carpeta" }, "Carpeta: " + folderName(player)),
        el("ul", { role: "listbox", "aria-label": "Archivos" }, ...options),
        el("label", { class: "campo" }, "Nombre: ", input), upload, buttons);
      const v = veil(box);
      const done = (path) => { unveil(v); resolve(path); };
      const accept = () => {
        const typed = input.value;
        if (typed === "") return done(null);
        if (typed.startsWith("/")) return done(typed);
        const mine = player + "/" + typed;
        if (saving || exists(mine) || !shipped || !exists(shipped + "/" + typed)) return done(mine);
        done(shipped + "/" + typed);
      };
      v.onKey = (e, press) => {
        if (!press || e.timeStamp < v.opened) return;
        if (e.key === "Enter") { e.preventDefault(); accept(); }
        if (e.key === "Escape") { e.preventDefault(); done(null); }
      };
      upload.addEventListener("change", async () => {
        const file = upload.files[0];
        upload.value = "";
        if (!file) return;
        const path = await bring(file, player);
        if (path) done(path);
      });
      mark(proposed);
      input.focus();
      input.select();
    });
  };
  const folderName = (player) => player.startsWith(t.folders.player + "/") ? player.slice(t.folders.player.length + 1) : player;

  // A file from the computer, copied into the player's folder under its own
  // name; the path, or null with the reason said.
  async function bring(file, folder) {
    if (file.size > kMaxUpload) { await t.message(boxTitle, "El archivo es demasiado grande.", 2); return null; }
    if (call("tarnwick_name_fault", ["string"], [file.name]) !== 0) {
      await t.message(boxTitle, "El nombre del archivo no es válido.", 2);
      return null;
    }
    const bytes = new Uint8Array(await file.arrayBuffer());
    const path = folder + "/" + file.name;
    if (exists(path)) {
      const old = t.fs.readFile(path);
      if (old.length !== bytes.length || old.some((b, i) => b !== bytes[i])) {
        await t.message(boxTitle, "Ya hay otro archivo con ese nombre.", 2);
        return null;
      }
      return path;
    }
    if (!(await storage.save(path, bytes, false))) {
      await t.message(boxTitle, "El navegador no dejó guardar el archivo.", 2);
      return null;
    }
    return path;
  }
  let boxTitle = "";

  // ---- The player's files: IndexedDB ------------------------------------
  // Every change is made under one lock for all the site's pages (tabs):
  // what the storage holds is read in, the file written, and all written
  // back, so a save in one tab never undoes another's.
  const storage = {
    ok: false,
    sync(populate) {
      return new Promise((resolve) => t.fs.syncfs(populate, (err) => resolve(!err)));
    },
    locked(fn) {
      return navigator.locks ? navigator.locks.request("tarnwick-datos", fn) : fn();
    },
    mkdirs(folder) {
      let at = "";
      for (const part of folder.split("/").filter(Boolean)) {
        at += "/" + part;
        try { t.fs.mkdir(at); } catch { /* there already */ }
      }
    },
    async refresh() {
      if (storage.ok) await storage.locked(() => storage.sync(true));
    },
    async save(path, bytes, download = true) {
      const ok = await storage.locked(async () => {
        if (!storage.ok || !(await storage.sync(true))) return false;
        const folder = path.slice(0, path.lastIndexOf("/"));
        const temp = folder + "/.tarnwick-" + Date.now();
        try {
          storage.mkdirs(folder);
          t.fs.writeFile(temp, bytes);
          t.fs.rename(temp, path);
        } catch {
          try { t.fs.unlink(temp); } catch { /* never made */ }
          return false;
        }
        return storage.sync(false);
      });
      if (ok && download && path.endsWith(".mapa")) offerDownload(path.slice(path.lastIndexOf("/") + 1), bytes);
      return ok;
    },
    async remove(path) {
      return storage.locked(async () => {
        if (!storage.ok || !(await storage.sync(true))) return false;
        try { t.fs.unlink(path); } catch { return false; }
        return storage.sync(false);
      });
    },
    // For tests and tools: a player's file written as a save writes it.
    write(path, text) { return storage.save(path, new TextEncoder().encode(text), false); },
  };
  t.storage = storage;

  function offerDownload(name, bytes) {
    $("descarga")?.remove();
    const url = URL.createObjectURL(new Blob([bytes], { type: "text/plain" }));
    const note = el("div", { id: "descarga", role: "status" },
      el("span", {}, `"${name}" está guardado en este navegador. `),
      el("a", { href: url, download: name }, "Descargar " + name),
      el("button", { "aria-label": "Cerrar", onclick: () => { note.remove(); URL.revokeObjectURL(url); } }, "×"));
    document.body.append(note);
  }

  // ---- Sound: Web Audio -------------------------------------------------
  const sound = {
    context: null, buffers: new Map(), playing: null,
    ctx() {
      if (!sound.context) {
        const Context = window.AudioContext || window.webkitAudioContext;
        if (!Context) return null;
        sound.context = new Context();
        // A running context costs CPU even in silence: it runs only while a sound plays.
        sound.context.suspend();
      }
      return sound.context;
    },
    // The program hands over plain PCM (8- or 16-bit): made into a buffer at
    // once, so a sound's first play is not held back by the browser's
    // decoding, which would bring it closer to the next.
    load(key, bytes) {
      const c = sound.ctx();
      if (!c) return;
      const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
      const chunk = (id) => {
        for (let at = 12; at + 8 <= view.byteLength; at += 8 + view.getUint32(at + 4, true) + (view.getUint32(at + 4, true) & 1))
          if (String.fromCharCode(...bytes.subarray(at, at + 4)) === id)
            return [at + 8, Math.min(view.getUint32(at + 4, true), view.byteLength - at - 8)];
        return null;
      };
      const fmt = chunk("fmt "), data = chunk("data");
      if (!fmt || !data) return;
      const channels = view.getUint16(fmt[0] + 2, true), rate = view.getUint32(fmt[0] + 4, true);
      const bits = view.getUint16(fmt[0] + 14, true), size = bits / 8;
      const frames = Math.floor(data[1] / (size * channels));
      if (!frames || !channels || (bits !== 8 && bits !== 16)) return;
      let buffer;
      try {
        buffer = c.createBuffer(channels, frames, rate);
      } catch {
        return;  // a rate the browser does not play: no sound, as on the desktop
      }
      for (let ch = 0; ch < channels; ch++) {
        const out = buffer.getChannelData(ch);
        for (let i = 0, at = data[0] + ch * size; i < frames; i++, at += size * channels)
          out[i] = bits === 8 ? (view.getUint8(at) - 128) / 128 : view.getInt16(at, true) / 32768;
      }
      sound.buffers.set(key, buffer);
    },
    play(key) {
      const c = sound.context, b = sound.buffers.get(key);
      if (!c || !b) return;
      // A new sound replaces the one still playing.
      if (sound.playing) { try { sound.playing.stop(); } catch { /* ended */ } }
      const source = c.createBufferSource();
      source.buffer = b;
      source.connect(c.destination);
      clearTimeout(sound.sleep);
      if (c.state === "suspended" && sound.allowed) c.resume();
      source.onended = () => {
        if (sound.playing !== source) return;
        sound.playing = null;
        // Silence costs CPU too: after a while with no sound the context
        // sleeps until the next one (long after the last has left the speakers).
        sound.sleep = setTimeout(() => { if (!sound.playing) c.suspend(); }, 3000);
      };
      source.start();
      sound.playing = source;
    },
  };
  t.sound = sound;
  // Browsers start sound only after the player has pressed a key or clicked.
  // Each key or click wakes the sound up, so that the strike it may bring a
  // tick later plays at once: waking takes a while on a busy machine, and a
  // first sound late by that much would run into the next.
  function resumeSound() {
    sound.allowed = true;
    const c = sound.ctx();
    if (!c) return;
    if (c.state === "suspended") c.resume();
    clearTimeout(sound.sleep);
    if (!sound.playing) sound.sleep = setTimeout(() => { if (!sound.playing) c.suspend(); }, 3000);
  }
  document.addEventListener("pointerdown", resumeSound, true);

  // ---- Start-up --------------------------------------------------------
  t.start = (script) => {
    M = window.Module = {
      preRun: [() => {
        t.fs = Module.FS;
        // The player's folder from the browser's storage, before the program starts.
        t.fs.mkdir(kDatos);
        try {
          t.fs.mount(t.fs.filesystems.IDBFS, {}, kDatos);
        } catch {
          return;  // no IndexedDB: the files stay in memory and saves say they failed
        }
        Module.addRunDependency("datos");
        t.fs.syncfs(true, (err) => {
          storage.ok = !err;
          if (err) notice("Este navegador no deja guardar datos: los personajes y mapas no se conservarán.");
          Module.removeRunDependency("datos");
        });
      }],
      onRuntimeInitialized: () => keysState(),
      // The pictures are decoded by the browser before the program starts;
      // the sounds are the program's to read (an audio element made for
      // each would keep the browser's audio running for nothing).
      noAudioDecoding: true,
      print: (s) => console.log(s),
      printErr: (s) => console.warn(s),
      onAbort: () => notice("El programa se detuvo por un error. Vuelva a cargar la página."),
    };
    document.body.append(el("script", { src: script, async: true }));
  };
  function notice(text) {
    document.body.append(el("div", { class: "aviso", role: "alert" }, text));
  }
  t.page = page;
  t.fit = fit;
  t.moveDialog = (x, y) => {
    const d = $("neww");
    const s = t.scale / (window.devicePixelRatio || 1);
    const origin = $("ventana").getBoundingClientRect();
    d.style.left = Math.round((x - origin.left) / s) + "px";
    d.style.top = Math.round((y - origin.top) / s - d.querySelector(".titulo").offsetHeight) + "px";
    const c = d.querySelector(".cliente-dialogo").getBoundingClientRect();
    return [c.left, c.top];
  };
  return t;
})();
