// mirel studio's page: builds a control per preference key from what the
// server describes, sends each change, and swaps in each screen's picture
// when the server has rendered a newer one.
"use strict";

const state = { keys: [], values: {}, shown: {}, loading: {}, pending: {}, sending: false, lastChange: 0 };
const $ = (selector, root = document) => root.querySelector(selector);

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

// Changes go out one request at a time; what changed meanwhile goes in the
// next one, so the server always ends with the newest values.
function change(key, value) {
  state.pending[key] = value;
  state.lastChange = performance.now();
  flush();
}

async function flush() {
  if (state.sending || Object.keys(state.pending).length === 0) return;
  const body = state.pending;
  state.pending = {};
  state.sending = true;
  try {
    const reply = await fetch("/api/preferences", { method: "POST", headers: { "Content-Type": "application/json" }, body: JSON.stringify(body) });
    const answer = await reply.json();
    if (reply.ok) {
      state.values = answer.values;
      setError("");
    } else {
      const key = Object.keys(body).find((k) => answer.error.startsWith(k));
      setError(answer.error, key);
    }
  } catch (e) {
    setError("The studio does not answer: " + e.message);
  } finally {
    state.sending = false;
    flush();
  }
}

function boolControl(key, value) {
  const input = element("input", { type: "checkbox", id: "pref-" + key.name });
  input.checked = value;
  input.addEventListener("change", () => change(key.name, input.checked));
  return element("label", { class: "switch" }, input, element("span"));
}

function numberControl(key, value) {
  const integer = key.type === "integer";
  const input = element("input", { type: "number", id: "pref-" + key.name, min: key.min, max: key.max, step: integer ? 1 : 0.1 });
  input.value = value;
  input.addEventListener("input", () => {
    if (input.value === "" || !input.checkValidity()) return setError(key.name + " takes a number from " + key.min + " to " + key.max, key.name);
    change(key.name, integer ? parseInt(input.value, 10) : parseFloat(input.value));
  });
  return input;
}

function colourControl(key, value) {
  const picker = element("input", { type: "color", id: "pref-" + key.name + "-rgb", title: "colour" });
  const alpha = element("input", { type: "range", id: "pref-" + key.name + "-alpha", min: 0, max: 255, title: "alpha" });
  const text = element("input", { type: "text", id: "pref-" + key.name, spellcheck: "false", title: "RRGGBBAA, RGB, RGBA or RRGGBB" });
  const show = (t) => {
    const rgba = parseColour(t);
    if (!rgba) return false;
    picker.value = "#" + rgba.slice(0, 3).map(hex2).join("").toLowerCase();
    alpha.value = rgba[3];
    return true;
  };
  text.value = value;
  show(value);
  const fromPicker = () => {
    text.value = picker.value.slice(1).toUpperCase() + hex2(parseInt(alpha.value, 10));
    change(key.name, text.value);
  };
  picker.addEventListener("input", fromPicker);
  alpha.addEventListener("input", fromPicker);
  text.addEventListener("input", () => {
    if (!show(text.value)) return setError(key.name + " takes an optional # and 3, 4, 6 or 8 hexadecimal digits", key.name);
    change(key.name, text.value);
  });
  return element("span", { class: "colour" }, picker, alpha, text);
}

function buildControls() {
  const form = $("#controls");
  for (const key of state.keys) {
    const value = state.values[key.name];
    const control = key.type === "bool" ? boolControl(key, value) : key.type === "colour" ? colourControl(key, value) : numberControl(key, value);
    const row = element("div", { class: "row" }, element("label", { for: "pref-" + key.name }, key.name), control);
    row.dataset.key = key.name;
    form.append(row);
  }
}

function buildScreens(screens) {
  const area = $("#screens");
  for (const screen of screens) {
    const themed = element("img", { class: "themed", id: "picture-" + screen.id.replace("/", "-"), alt: screen.id + " themed" });
    const stock = element("img", { class: "stock", alt: screen.id + " stock" });
    const card = element("div", { class: "card", id: "card-" + screen.id.replace("/", "-") },
      element("h3", {}, screen.app + " · " + screen.screen), element("div", { class: "busy", title: "rendering" }),
      element("div", { class: "pictures" },
        element("figure", { class: "stock" }, stock, element("figcaption", {}, "stock")),
        element("figure", { class: "themed" }, themed, element("figcaption", {}, "themed"))),
      element("div", { class: "failed" }));
    card.dataset.id = screen.id;
    area.append(card);
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
    if (slot === "music/songs/themed" && state.lastChange) document.body.dataset.songsLatency = Math.round(performance.now() - state.lastChange);
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
    zone.firstChild.textContent = "Artwork in use (drop another)";
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
    }
    showScheme(status.scheme);
  } catch (e) {
    setError("The studio does not answer: " + e.message);
  }
  setTimeout(poll, 60);
}

function setUpDrops() {
  for (const zone of document.querySelectorAll(".drop")) {
    zone.addEventListener("dragover", (e) => { e.preventDefault(); zone.classList.add("over"); });
    zone.addEventListener("dragleave", () => zone.classList.remove("over"));
    zone.addEventListener("drop", async (e) => {
      e.preventDefault();
      zone.classList.remove("over");
      const file = e.dataTransfer.files[0];
      if (!file) return;
      const reply = await fetch("/api/" + zone.dataset.kind, { method: "POST", body: file });
      const answer = await reply.json().catch(() => ({ error: "the upload was refused" }));
      if (!reply.ok) return setError(answer.error);
      setError("");
      zone.classList.add("done");
      zone.firstChild.textContent = file.name;
      if (answer.scheme) showScheme(answer.scheme);
    });
  }
}

async function start() {
  const described = await (await fetch("/api/state")).json();
  state.keys = described.keys;
  state.values = described.values;
  buildControls();
  buildScreens(described.screens);
  setUpDrops();
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
