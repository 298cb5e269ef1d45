// mirel studio's page: builds a control per preference key from what the
// server describes, sends each change (the server saves it to the file),
// offers undo, redo, reset and opening another file, and swaps in each
// screen's picture when the server has rendered a newer one.
"use strict";

const state = {
  keys: [], styles: [], values: {}, warnings: {}, controls: {}, shown: {}, loading: {},
  pending: {}, pendingSince: 0, pendingGroup: 0, busy: false, queue: [], revision: 0,
  group: 1, groups: 1, timings: [],
};
const $ = (selector, root = document) => root.querySelector(selector);
// The changes-to-pictures times of the last changes: {first, all} in ms.
window.studioTimings = state.timings;

function element(tag, attributes = {}, ...children) {
  const node = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) {
    if (name === "class") node.className = value;
    else node.setAttribute(name, value);
  }
  for (const child of children) node.append(child);
  return node;
}

// The colour-text forms the extension reads: an optional # and 3, 4, 6 or
// 8 hexadecimal digits. Returns [r, g, b, a] in 0..255, or null.
function parseColour(text) {
  let digits = text.length >= 2 && text[0] === "#" ? text.slice(1) : text;
  if (![3, 4, 6, 8].includes(digits.length) || !/^[0-9a-fA-F]+$/.test(digits)) return null;
  const width = digits.length <= 4 ? 1 : 2;
  const parts = [];
  for (let i = 0; i < digits.length / width; i++) {
    const piece = digits.substr(i * width, width);
    parts.push(parseInt(width === 1 ? piece + piece : piece, 16));
  }
  if (parts.length === 3) parts.push(255);
  return parts;
}

const hex2 = (n) => n.toString(16).padStart(2, "0").toUpperCase();

function setError(message, key) {
  $("#error").textContent = message || "";
  for (const row of document.querySelectorAll(".row")) row.classList.toggle("invalid", !!key && row.dataset.key === key);
}

// --- Talking to the server -------------------------------------------------

// One request at a time, in the order asked: a change, an undo and a reset
// reach the file in the order the user made them.
function enqueue(task) {
  state.queue.push(task);
  pump();
}

async function pump() {
  if (state.busy) return;
  const task = state.queue.shift();
  // The page says when it has nothing on its way (tests wait for that).
  if (!task) return delete document.body.dataset.busy;
  state.busy = true;
  document.body.dataset.busy = "1";
  try {
    await task();
  } catch (e) {
    setError("The studio does not answer: " + e.message);
  } finally {
    state.busy = false;
    pump();
  }
}

// Values typed meanwhile go in the next request, so the server always ends
// with the newest ones.
function change(key, value) {
  const first = Object.keys(state.pending).length === 0;
  if (first) state.pendingSince = performance.now();
  state.pending[key] = value;
  state.pendingGroup = state.group;
  if (first) enqueue(sendPending);
}

async function sendPending() {
  const body = state.pending, since = state.pendingSince;
  state.pending = {};
  if (Object.keys(body).length === 0) return;
  const reply = await fetch("/api/preferences?group=" + state.pendingGroup,
    { method: "POST", headers: { "Content-Type": "application/json" }, body: JSON.stringify(body) });
  const answer = await reply.json();
  if (!reply.ok) {
    const key = Object.keys(body).find((k) => answer.error.startsWith(k));
    return setError(answer.error, key);
  }
  setError("");
  // The page's own fields already show what was sent, and the one being
  // typed into may hold newer text: only the other fields take the reply.
  accept(answer, false);
  measure(since, answer.asked);
}

async function command(path, since, body) {
  const reply = await fetch(path, { method: "POST", body });
  const answer = await reply.json().catch(() => ({ error: "the studio answered something unreadable" }));
  if (!reply.ok) return setError(answer.error);
  setError("");
  if (answer.suggestion) showSuggestion(answer.suggestion);
  // A new gesture starts: typing on after an undo is a step of its own.
  state.group = ++state.groups;
  accept(answer, true);
  measure(since, answer.asked);
}

// Each command waits for the changes before it and is timed from the key
// or click that asked for it.
function later(path, body) {
  const since = performance.now();
  enqueue(() => command(path, since, body));
}
const undo = () => later("/api/undo");
const redo = () => later("/api/redo");

// Shows a reply's values, warnings and the file's state. `all`: every
// control takes its value (undo, redo, reset, open); otherwise those with a
// change on the way or the focus keep theirs.
function accept(answer, all) {
  state.values = answer.values;
  state.warnings = answer.warnings || {};
  state.revision = answer.revision;
  for (const key of state.keys) {
    const control = state.controls[key.name];
    const editing = key.name in state.pending || control.root.contains(document.activeElement);
    if (all || !editing) control.show(state.values[key.name]);
    $(".warning", control.row).textContent = state.warnings[key.name] || "";
  }
  showDocument(answer.document);
  const others = answer.otherKeys || [];
  $("#other-keys").textContent = others.length ? "Also kept in the file: " + others.join(", ") : "";
}

function showDocument(doc) {
  const status = $("#document");
  const name = doc.file ? doc.file.split("/").pop() : "";
  status.classList.toggle("failed", !doc.saved);
  if (!doc.file) status.textContent = "No file: changes live in this page (start mirel-studio FILE to save them)";
  else if (!doc.saved) status.textContent = "Not saved: " + doc.saveError + " (the values stay here)";
  else status.textContent = "Saved to " + name + " (" + doc.format + ")";
  status.title = doc.file || "";
  $("#undo").disabled = !doc.canUndo;
  $("#redo").disabled = !doc.canRedo;
}

// --- Controls --------------------------------------------------------------

// Each control: { root, row, show(value) }; `show` puts a value from the
// server into it.
function boolControl(key) {
  const input = element("input", { type: "checkbox", id: "pref-" + key.name });
  input.addEventListener("change", () => {
    state.group = ++state.groups;
    change(key.name, input.checked);
  });
  return { root: element("label", { class: "switch" }, input, element("span")), show: (v) => { input.checked = !!v; } };
}

function numberInput(key, id) {
  const integer = key.type === "integer";
  // "any": every value in range is accepted, not only multiples of a step.
  const input = element("input", { type: "number", id, min: key.min, max: key.max, step: integer ? 1 : "any" });
  input.addEventListener("input", () => {
    if (input.value === "" || !input.checkValidity())
      return setError(key.name + " takes " + (integer ? "a whole number" : "a number") + " from " + key.min + " to " + key.max, key.name);
    setError("");
    change(key.name, integer ? parseInt(input.value, 10) : parseFloat(input.value));
  });
  return input;
}

function numberControl(key) {
  const input = numberInput(key, "pref-" + key.name);
  return { root: input, show: (v) => { input.value = v === null || v === undefined ? "" : v; } };
}

// The blur styles the platform knows, by name, and any other number.
function presetControl(key) {
  const select = element("select", { id: "pref-" + key.name });
  for (const style of state.styles) select.append(element("option", { value: String(style.number) }, style.name + " (" + style.number + ")"));
  select.append(element("option", { value: "other" }, "other…"));
  const other = numberInput(key, "pref-" + key.name + "-other");
  const known = (v) => state.styles.some((s) => s.number === v);
  select.addEventListener("change", () => {
    state.group = ++state.groups;
    other.hidden = select.value !== "other";
    if (select.value !== "other") change(key.name, parseInt(select.value, 10));
    else other.focus();
  });
  const show = (v) => {
    select.value = known(v) ? String(v) : "other";
    other.hidden = known(v);
    other.value = v;
  };
  return { root: element("span", { class: "preset" }, select, other), show };
}

function colourControl(key) {
  const picker = element("input", { type: "color", id: "pref-" + key.name + "-rgb", title: "colour" });
  const alpha = element("input", { type: "range", id: "pref-" + key.name + "-alpha", min: 0, max: 255, title: "alpha" });
  const text = element("input", { type: "text", id: "pref-" + key.name, spellcheck: "false", title: "RRGGBBAA, RGB, RGBA or RRGGBB" });
  const showSwatch = (t) => {
    const rgba = parseColour(t);
    if (!rgba) return false;
    picker.value = "#" + rgba.slice(0, 3).map(hex2).join("").toLowerCase();
    alpha.value = rgba[3];
    return true;
  };
  const fromPicker = () => {
    text.value = picker.value.slice(1).toUpperCase() + hex2(parseInt(alpha.value, 10));
    change(key.name, text.value);
  };
  picker.addEventListener("input", fromPicker);
  alpha.addEventListener("input", fromPicker);
  text.addEventListener("input", () => {
    if (!showSwatch(text.value)) return setError(key.name + " takes an optional # and 3, 4, 6 or 8 hexadecimal digits", key.name);
    setError("");
    change(key.name, text.value);
  });
  const show = (v) => {
    text.value = v;
    showSwatch(v);
  };
  return { root: element("span", { class: "colour" }, picker, alpha, text), show };
}

function buildControls() {
  const form = $("#controls");
  for (const key of state.keys) {
    const control = key.type === "bool" ? boolControl(key)
      : key.type === "colour" ? colourControl(key)
      : key.name === "BlurPreset" ? presetControl(key) : numberControl(key);
    const row = element("div", { class: "row" }, element("label", { for: "pref-" + key.name }, key.name), control.root);
    row.dataset.key = key.name;
    control.row = element("div", {}, row, element("div", { class: "warning", id: "warning-" + key.name }));
    form.append(control.row);
    state.controls[key.name] = control;
    // Each visit to a field is one gesture: its changes undo together.
    control.root.addEventListener("focusin", () => { state.group = ++state.groups; });
  }
}

// --- Pictures --------------------------------------------------------------

function buildScreens(screens) {
  const area = $("#screens");
  const observer = new IntersectionObserver(reportView, { threshold: 0.05 });
  for (const screen of screens) {
    const themed = element("img", { class: "themed", id: "picture-" + screen.id.replace("/", "-"), alt: screen.id + " themed" });
    const stock = element("img", { class: "stock", alt: screen.id + " stock" });
    const badge = element("button", { type: "button", class: "badge", title: "texts below AA (4.5:1, 3:1 large); click to list and outline them" }, "…");
    const card = element("div", { class: "card", id: "card-" + screen.id.replace("/", "-") },
      element("h3", {}, screen.app + " · " + screen.screen, badge), element("div", { class: "busy", title: "rendering" }),
      element("div", { class: "pictures" },
        element("figure", { class: "stock" }, stock, element("figcaption", {}, "stock")),
        element("figure", { class: "themed" }, themed, element("figcaption", {}, "themed"))),
      element("ul", { class: "below", hidden: "" }),
      element("div", { class: "failed" }));
    badge.addEventListener("click", () => toggleBelow(card));
    card.dataset.id = screen.id;
    area.append(card);
    observer.observe(card);
  }
}

// --- Readability -----------------------------------------------------------

// "below AA: 3" or, with stock pictures shown, "below AA: stock 0 · themed 3".
function showBadge(card, themed, stock) {
  const badge = $(".badge", card);
  const count = (p) => (p && p.generation ? String(p.belowAA) : "…");
  const showStock = document.body.classList.contains("stock");
  badge.textContent = "below AA: " + (showStock ? "stock " + count(stock) + " · themed " : "") + count(themed);
  badge.classList.toggle("poor", !!(themed && themed.generation && themed.belowAA > 0));
}

// The list of a card's texts below AA, and a red box around each on its
// picture, drawn from the boxes (window points) the server measured.
async function showBelow(card) {
  const list = $("ul.below", card);
  const looks = document.body.classList.contains("stock") ? ["stock", "themed"] : ["themed"];
  // Clicks and new pictures may ask again before an answer is in: only the
  // newest asking draws.
  const asking = (state.asking = (state.asking || 0) + 1);
  card.dataset.asking = asking;
  const answers = [];
  for (const look of looks)
    answers.push(await (await fetch("/api/readability/" + card.dataset.id + "/" + look)).json().catch(() => ({ texts: [] })));
  if (card.dataset.asking !== String(asking) || list.hidden) return;
  for (const old of card.querySelectorAll(".outline")) old.remove();
  const items = [];
  looks.forEach((look, i) => {
    const answer = answers[i];
    const img = $("figure." + look + " img", card);
    const width = img.naturalWidth / answer.scale, height = img.naturalHeight / answer.scale;
    for (const text of answer.texts || []) {
      const [x, y, w, h] = text.box;
      if (width > 0 && height > 0) {
        const box = element("div", { class: "outline", title: text.text + " " + text.worstContrast + ":1" });
        Object.assign(box.style, { left: (100 * x / width) + "%", top: (100 * y / height) + "%",
          width: (100 * w / width) + "%", height: (100 * h / height) + "%" });
        img.insertAdjacentElement("afterend", box);
      }
      items.push(element("li", {}, look + ": \u201c" + text.text + "\u201d " + text.worstContrast + ":1 (needs " + (text.large ? 3 : 4.5) + ":1)"));
    }
  });
  list.replaceChildren(...(items.length ? items : [element("li", {}, "Every text reaches AA.")]));
}

function toggleBelow(card) {
  const list = $("ul.below", card);
  list.hidden = !list.hidden;
  card.classList.toggle("listing", !list.hidden);
  if (list.hidden) for (const box of card.querySelectorAll(".outline")) box.remove();
  else showBelow(card);
}

// --- Suggestion from the wallpaper ----------------------------------------

function showSuggestion(s) {
  const box = $("#suggestion");
  const left = (s.unreachable || []).map((line) => element("li", { class: "left" }, line));
  box.replaceChildren(
    element("div", {}, "Theme texts below AA: default theme " + s.belowAAWithDefault + ", suggested " +
      s.belowAAWithSuggestion + " (of " + s.themedTexts + ")"),
    element("ol", {}, ...(s.rounds || []).map((line) => element("li", {}, line))),
    ...(left.length ? [element("ul", {}, ...left)] : []));
}

function suggest() {
  const button = $("#suggest");
  button.disabled = true;
  $("#suggestion").textContent = "Rendering every screen until the theme's texts pass AA…";
  const since = performance.now();
  enqueue(async () => {
    try {
      await command("/api/suggest", since);
    } finally {
      button.disabled = false;
      if ($("#suggestion").textContent.startsWith("Rendering")) $("#suggestion").textContent = "";
    }
  });
}

// The server renders the screens in view first.
const inView = new Set();
let viewTimer = 0;
function reportView(entries) {
  for (const entry of entries) {
    if (entry.isIntersecting) inView.add(entry.target.dataset.id);
    else inView.delete(entry.target.dataset.id);
  }
  clearTimeout(viewTimer);
  viewTimer = setTimeout(() => fetch("/api/view", { method: "POST", headers: { "Content-Type": "application/json" },
    body: JSON.stringify({ screens: [...inView] }) }), 50);
}

// From a change's input event to each picture it asked for being shown.
function measure(since, asked) {
  const slots = Object.entries(asked || {}).filter(([slot]) => slot.endsWith("/themed"));
  if (slots.length === 0) return;
  state.measured = (state.measured || 0) + 1;
  state.timings.push({ id: state.measured, since, asked: Object.fromEntries(slots), pictures: slots.length,
    left: slots.length, first: null, all: null });
  if (state.timings.length > 50) state.timings.shift();
}

function pictureShown(slot, generation) {
  const now = performance.now();
  for (const t of state.timings) {
    if (!(slot in t.asked) || t.asked[slot] > generation) continue;
    delete t.asked[slot];
    t.left--;
    if (t.first === null) t.first = Math.round(now - t.since);
    if (t.left === 0) t.all = Math.round(now - t.since);
  }
}

// Loads the newer picture off-screen and swaps it in once it has arrived,
// so a card never shows half a picture.
function showPicture(slot, generation, img) {
  if (state.loading[slot] || (state.shown[slot] || 0) >= generation) return;
  state.loading[slot] = true;
  const url = "/api/picture/" + slot + ".png?g=" + generation;
  const next = new Image();
  next.onload = () => {
    img.src = url;
    img.dataset.generation = generation;
    state.shown[slot] = generation;
    state.loading[slot] = false;
    pictureShown(slot, generation);
  };
  next.onerror = () => { state.loading[slot] = false; };
  next.src = url;
}

function showScheme(scheme) {
  const box = $("#scheme");
  if (!scheme) return;
  const zone = $("#drop-artwork");
  if (!zone.classList.contains("done")) {
    zone.classList.add("done");
    zone.firstChild.textContent = "Artwork in use (drop or click for another)";
  }
  const rating = (ratio) => ratio.toFixed(2) + ":1" + (ratio >= 7 ? " AAA" : ratio >= 4.5 ? " AA" : ratio >= 3 ? " AA large" : " poor");
  const swatch = (name, colour, ratio) => {
    const line = element("div", { class: "swatch" }, element("span", { class: "chip" }), name + " " + colour + (ratio ? " · " + rating(ratio) : ""));
    line.firstChild.style.background = colour;
    if (ratio && ratio < 4.5) line.classList.add("poor");
    return line;
  };
  const sample = element("div", { class: "sample" }, element("div", {}, "Primary text"), element("div", {}, "Secondary text"));
  sample.style.background = scheme.background;
  sample.children[0].style.color = scheme.primary;
  sample.children[1].style.color = scheme.secondary;
  box.replaceChildren(element("h2", {}, "Artwork colour scheme"), swatch("Background", scheme.background),
    swatch("Primary", scheme.primary, scheme.primaryContrast), swatch("Secondary", scheme.secondary, scheme.secondaryContrast), sample);
}

async function poll() {
  try {
    const status = await (await fetch("/api/status")).json();
    for (const card of document.querySelectorAll(".card")) {
      const id = card.dataset.id;
      const themed = status.pictures[id + "/themed"], stock = status.pictures[id + "/stock"];
      const showStock = document.body.classList.contains("stock");
      if (themed && themed.generation) showPicture(id + "/themed", themed.generation, $("img.themed", card));
      if (stock && stock.generation) showPicture(id + "/stock", stock.generation, $("img.stock", card));
      card.classList.toggle("busy", !!(themed && themed.busy) || (showStock && (!stock || stock.busy)));
      $(".failed", card).textContent = (themed && themed.error) || "";
      showBadge(card, themed, stock);
      // An open list follows the newest pictures.
      const seen = (themed && themed.generation) + "/" + (stock && stock.generation);
      if (card.classList.contains("listing") && card.dataset.listed !== seen && state.shown[id + "/themed"] === (themed && themed.generation)) {
        card.dataset.listed = seen;
        showBelow(card);
      }
    }
    showScheme(status.scheme);
    // Changed elsewhere (another tab): the fields not being edited follow.
    if (status.revision !== state.revision && !state.busy && state.queue.length === 0)
      enqueue(async () => accept(await (await fetch("/api/state")).json(), false));
  } catch (e) {
    setError("The studio does not answer: " + e.message);
  }
  setTimeout(poll, 60);
}

// --- Files -----------------------------------------------------------------

async function upload(kind, file, zone) {
  const reply = await fetch("/api/" + kind, { method: "POST", body: file });
  const answer = await reply.json().catch(() => ({ error: "the upload was refused" }));
  if (!reply.ok) return setError(answer.error);
  setError("");
  zone.classList.add("done");
  zone.firstChild.textContent = file.name;
  if (answer.scheme) showScheme(answer.scheme);
}

function setUpDrops() {
  for (const zone of document.querySelectorAll(".drop")) {
    const chooser = $("input[type=file]", zone);
    zone.addEventListener("dragover", (e) => { e.preventDefault(); zone.classList.add("over"); });
    zone.addEventListener("dragleave", () => zone.classList.remove("over"));
    zone.addEventListener("drop", (e) => {
      e.preventDefault();
      zone.classList.remove("over");
      if (e.dataTransfer.files[0]) upload(zone.dataset.kind, e.dataTransfer.files[0], zone);
    });
    zone.addEventListener("click", (e) => { if (e.target !== chooser) chooser.click(); });
    zone.addEventListener("keydown", (e) => {
      if (e.key === "Enter" || e.key === " ") { e.preventDefault(); chooser.click(); }
    });
    chooser.addEventListener("change", () => {
      if (chooser.files[0]) upload(zone.dataset.kind, chooser.files[0], zone);
      chooser.value = "";
    });
  }
}

function setUpCommands() {
  $("#undo").addEventListener("click", undo);
  $("#redo").addEventListener("click", redo);
  $("#reset").addEventListener("click", () => later("/api/reset"));
  $("#suggest").addEventListener("click", suggest);
  const opener = $("#open-file");
  $("#open").addEventListener("click", () => opener.click());
  opener.addEventListener("change", () => {
    const file = opener.files[0];
    opener.value = "";
    if (file) later("/api/open", file);
  });
  // The studio's undo, also inside a text field: a field's own undo would
  // bring back text the file no longer holds.
  document.addEventListener("keydown", (e) => {
    if (!(e.ctrlKey || e.metaKey) || e.altKey) return;
    const k = e.key.toLowerCase();
    if (k === "z" && !e.shiftKey) undo();
    else if ((k === "z" && e.shiftKey) || k === "y") redo();
    else return;
    e.preventDefault();
  });
}

async function start() {
  const described = await (await fetch("/api/state")).json();
  state.keys = described.keys;
  state.styles = described.styles;
  buildControls();
  accept(described, true);
  buildScreens(described.screens);
  setUpDrops();
  setUpCommands();
  const stockSwitch = $("#show-stock");
  stockSwitch.addEventListener("change", () => {
    document.body.classList.toggle("stock", stockSwitch.checked);
    if (stockSwitch.checked) fetch("/api/stock", { method: "POST" });
  });
  // "?stock" in the address opens the page with stock pictures beside.
  if (new URLSearchParams(location.search).has("stock")) {
    stockSwitch.checked = true;
    stockSwitch.dispatchEvent(new Event("change"));
  }
  document.body.dataset.ready = "1";
  poll();
}

start();
