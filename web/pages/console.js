// The console page. Every text from the station is shown with textContent: chat lines, calls,
// web replies and file names come from strangers and must never become markup.
"use strict";

let csrf = "";
let currentPage = "timing";

function el(tag, text, cls) {
  const e = document.createElement(tag);
  if (text !== undefined && text !== null) e.textContent = String(text);
  if (cls) e.className = cls;
  return e;
}

function byId(id) { return document.getElementById(id); }

async function post(path, fields) {
  const body = new URLSearchParams(fields);
  const r = await fetch(path, {
    method: "POST",
    headers: { "X-CSRF-Token": csrf, "Content-Type": "application/x-www-form-urlencoded" },
    body: body,
    credentials: "same-origin",
  });
  if (r.status === 401) window.location = "/login";
  return r;
}

// --- Status ---

function airText(a) {
  const parts = [];
  for (const [k, v] of Object.entries(a)) {
    if (k === "t" || k === "ev") continue;
    parts.push(k + "=" + (typeof v === "string" ? v : JSON.stringify(v)));
  }
  return parts.join(" ");
}

function addLine(list, stamp, text, max) {
  const li = el("li");
  if (stamp) li.appendChild(el("span", stamp, "stamp"));
  li.appendChild(el("span", text));
  list.appendChild(li);
  while (list.children.length > max) list.removeChild(list.firstChild);
  list.scrollTop = list.scrollHeight;
}

const stations = new Set();
const CONNECTED = "<EchoLink> connected: ", DISCONNECTED = "<EchoLink> disconnected: ";

function showStations() {
  const ul = byId("stations");
  ul.replaceChildren();
  for (const s of stations) ul.appendChild(el("li", s));
}

// initial: a line from before the page opened, whose event-log line the log's tail has shown.
function onAir(a, initial) {
  const stamp = (a.t || "").replace("T", " ").slice(11, 19);
  if (a.ev === "log" && !initial) {
    addLine(byId("eventlog"), stamp, a.text, 200);
  }
  // The stations connected while the page is open, from the event log's connect lines.
  if (a.ev === "log" && typeof a.text === "string") {
    if (a.text.startsWith(CONNECTED)) { stations.add(a.text.slice(CONNECTED.length)); showStations(); }
    if (a.text.startsWith(DISCONNECTED)) { stations.delete(a.text.slice(DISCONNECTED.length)); showStations(); }
  }
  if (a.ev === "status" || a.ev === "control") return;  // shown by the status itself
  addLine(byId("airlog"), stamp, a.ev + " " + airText(a), 300);
}

function lamp(id, on, known) {
  const e = byId(id);
  e.textContent = !known ? "?" : on ? "ON" : "off";
  e.className = "lamp" + (known && on ? " on" : "");
}

// The window's controls, made once and then kept up to date, so a click never meets a control
// that has just been replaced.
const controls = new Map();

function controlButton(c) {
  const b = el("button");
  b.type = "button";
  b.id = "btn-" + c.name;
  b.addEventListener("click", () => post("/api/press", { control: c.name }));
  return b;
}

function controlCheck(c) {
  const label = el("label");
  const box = el("input");
  box.type = "checkbox";
  box.id = "chk-" + c.name;
  box.addEventListener("change", () =>
    post("/api/press", { control: c.name, on: box.checked ? "1" : "0" }));
  label.appendChild(box);
  label.appendChild(document.createTextNode(" " + c.label));
  return label;
}

function showControl(c) {
  let e = controls.get(c.name);
  if (!e) {
    e = c.kind === "check" ? controlCheck(c) : controlButton(c);
    controls.set(c.name, e);
    const into = c.kind === "check" ? "checks" : c.name.startsWith("cmdRemoteNode") ? "remote" : "buttons";
    byId(into).appendChild(e);
  }
  if (c.kind === "check") {
    const box = e.firstChild;
    box.checked = c.checked;
    box.disabled = !c.enabled;
  } else {
    // A remote-node button without a call says so, as the window's tooltip does.
    e.textContent = c.caption || (c.name.startsWith("cmdRemoteNode") ? "(no call)" : c.label);
    e.disabled = !c.enabled;
  }
}

function onStatus(s) {
  for (let i = 0; i < 5; ++i) {
    let text = s.panels[i];
    if (i === 0) text = text === "RED_LED" ? "red (busy)" : text === "GREEN_LED" ? "green" : text;
    byId("panel" + (i + 1)).textContent = text;
  }
  lamp("ptt", s.ptt, true);
  lamp("rx", s.node.receiving, s.node.known);
  byId("connected").textContent = s.node.known ? String(s.node.connected) : "?";
  byId("filename").textContent = s.fileName;
  for (const c of s.controls) showControl(c);
}

function connect() {
  const ws = new WebSocket((location.protocol === "https:" ? "wss://" : "ws://") + location.host + "/ws");
  ws.onopen = () => { byId("link").textContent = "live"; byId("link").className = "link live"; };
  ws.onclose = () => {
    byId("link").textContent = "disconnected: reload the page";
    byId("link").className = "link";
  };
  ws.onmessage = (m) => {
    let msg;
    try { msg = JSON.parse(m.data); } catch (e) { return; }
    if (msg.status) onStatus(msg.status);
    if (msg.air) onAir(msg.air);
    if (msg.airlog) for (const a of msg.airlog) onAir(a, true);
    if (msg.eventlog) for (const line of msg.eventlog) addLine(byId("eventlog"), "", line, 200);
    if (msg.next) showNext(msg.next);
  };
}

function setUpPad() {
  const pad = byId("pad"), input = byId("dtmf");
  for (const k of ["1", "2", "3", "A", "4", "5", "6", "B", "7", "8", "9", "C", "*", "0", "#", "D"]) {
    const b = el("button", k);
    b.type = "button";
    b.addEventListener("click", () => { input.value += k; });
    pad.appendChild(b);
  }
  byId("dtmf-clear").addEventListener("click", () => { input.value = ""; });
  byId("dtmf-send").addEventListener("click", async () => {
    const r = await post("/api/dtmf", { digits: input.value.toUpperCase() });
    byId("dtmf-note").textContent = r.ok ? "sent " + input.value.toUpperCase() : "not sent";
    if (r.ok) input.value = "";
  });
  byId("silence").addEventListener("click", () => post("/api/press", { control: "lblTwo" }));
}

// --- Settings ---

function fieldControl(f) {
  if (f.kind === "check") {
    const box = el("input");
    box.type = "checkbox";
    box.checked = f.value === "1";
    return box;
  }
  if (f.kind === "choice") {
    const sel = el("select");
    if (f.value === "-1") sel.appendChild(el("option", "(none)")).value = "-1";
    f.choices.forEach((c, i) => { const o = el("option", c); o.value = String(i); sel.appendChild(o); });
    sel.value = f.value;
    return sel;
  }
  const input = el("input");
  input.value = f.value;
  return input;
}

function showPage(reply) {
  const form = byId("settings-form");
  form.replaceChildren();
  const page = reply.page;
  form.appendChild(el("h2", page.title));
  let group = null, box = form;
  for (const f of page.fields) {
    if (f.group !== group) {
      group = f.group;
      box = form;
      if (group) { box = el("fieldset"); box.appendChild(el("legend", group)); form.appendChild(box); }
    }
    const label = el("label", null, "field");
    const control = fieldControl(f);
    control.name = f.name;
    control.id = "f-" + f.name;
    label.appendChild(el("span", f.label));
    label.appendChild(control);
    box.appendChild(label);
  }
  // The remote nodes' day boxes follow the dialog's clicks: a day clears Daily, Daily the days.
  for (const box of form.querySelectorAll("input[type=checkbox]")) {
    const day = /^n(\d)_d\d$/.exec(box.name), daily = /^n(\d)_daily$/.exec(box.name);
    if (day) box.addEventListener("change", () => {
      if (box.checked) form.querySelector("[name=n" + day[1] + "_daily]").checked = false;
    });
    if (daily) box.addEventListener("change", () => {
      if (!box.checked) return;
      for (let d = 0; d < 7; ++d) form.querySelector("[name=n" + daily[1] + "_d" + d + "]").checked = false;
    });
  }
  for (const n of page.notes) form.appendChild(el("p", n, "note"));
  const messages = el("div", null, "messages");
  messages.id = "settings-messages";
  for (const m of reply.messages || []) messages.appendChild(el("p", m));
  if (reply.saved) messages.appendChild(el("p", reply.ok ? "Saved." : "Not saved."));
  form.appendChild(messages);
  const ok = el("button", "OK");
  ok.type = "submit";
  ok.id = "settings-ok";
  form.appendChild(ok);
}

let shownPage = null;

// The page asked for last is the one shown: an answer for an earlier choice is dropped.
async function loadPage(id) {
  if (id === currentPage && id === shownPage) return;
  currentPage = id;
  for (const b of byId("pages").children) b.classList.toggle("current", b.dataset.page === id);
  const r = await fetch("/api/settings?page=" + encodeURIComponent(id), { credentials: "same-origin" });
  if (r.status === 401) { window.location = "/login"; return; }
  const reply = await r.json();
  if (id !== currentPage) return;
  shownPage = id;
  showPage(reply);
}

async function saveSettings(ev) {
  ev.preventDefault();
  const fields = { page: currentPage };
  for (const c of byId("settings-form").querySelectorAll("input, select")) {
    fields[c.name] = c.type === "checkbox" ? (c.checked ? "1" : "0") : c.value;
  }
  const r = await post("/api/settings", fields);
  const reply = await r.json();
  if (reply.page) { reply.saved = true; showPage(reply); }
}

async function loadConf() {
  const r = await fetch("/api/conf", { credentials: "same-origin" });
  if (!r.ok) return;
  const conf = await r.json();
  byId("conf-path").textContent = conf.path;
  const table = byId("conf");
  table.replaceChildren();
  for (const [k, v] of conf.values) {
    const tr = el("tr");
    tr.appendChild(el("th", k));
    tr.appendChild(el("td", v));
    table.appendChild(tr);
  }
  const nav = byId("pages");
  nav.replaceChildren();
  for (const [id, title] of conf.pages) {
    const b = el("button", title);
    b.type = "button";
    b.id = "page-" + id;
    b.dataset.page = id;
    b.addEventListener("click", () => loadPage(id));
    nav.appendChild(b);
  }
}

// --- Next transmissions ---

function showNext(next) {
  byId("next-state").textContent = "from " + next.from + " to " + next.to +
    (next.status ? " (the dry run ended with status " + next.status + ")" : "");
  const table = byId("next");
  table.replaceChildren();
  for (const a of next.lines) {
    const tr = el("tr");
    tr.appendChild(el("td", (a.t || "").replace("T", " ").slice(0, 19)));
    tr.appendChild(el("td", a.ev));
    tr.appendChild(el("td", airText(a)));
    table.appendChild(tr);
  }
  if (next.lines.length === 0) table.appendChild(el("tr")).appendChild(el("td", "Nothing goes on the air."));
}

async function loadNext() {
  byId("next-state").textContent = "computing...";
  const r = await fetch("/api/next", { credentials: "same-origin" });
  if (r.status === 200) showNext((await r.json()).next);
}

// --- The views ---

function show(view) {
  for (const v of ["status", "settings", "next"]) byId("view-" + v).hidden = v !== view;
  for (const t of document.querySelectorAll(".tab")) t.classList.toggle("current", t.dataset.view === view);
  if (view === "settings") loadPage(currentPage);
  if (view === "next") loadNext();
}

async function main() {
  const r = await fetch("/api/session", { credentials: "same-origin" });
  if (r.status === 401) { window.location = "/login"; return; }
  const session = await r.json();
  csrf = session.csrf;
  byId("logout-form").hidden = session.loopback;
  for (const t of document.querySelectorAll(".tab")) t.addEventListener("click", () => show(t.dataset.view));
  byId("settings-form").addEventListener("submit", saveSettings);
  byId("next-refresh").addEventListener("click", loadNext);
  setUpPad();
  connect();
  await loadConf();
  const hash = location.hash.replace("#", "");
  show(["status", "settings", "next"].includes(hash) ? hash : "status");
}

main();
