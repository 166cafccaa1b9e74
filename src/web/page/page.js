// The supervisory page: follows the station over /api/events and, after
// a login, presses the panel's buttons through /api/control.
"use strict";

const $ = (id) => document.getElementById(id);
let events = null;

async function call(method, path, body) {
  const options = { method, headers: {} };
  if (body !== undefined) {
    options.headers["Content-Type"] = "application/json";
    options.body = JSON.stringify(body);
  }
  const res = await fetch(path, options);
  let data = {};
  try { data = await res.json(); } catch (e) { /* no body */ }
  return { status: res.status, data };
}

function show(state) {
  $("callsign").textContent = state.callsign;
  const sw = $("switch");
  sw.textContent = state.on ? "On" : "Off";
  sw.className = "pill " + (state.on ? "on" : "off");
  for (const [name, lit] of Object.entries(state.lamps))
    $("lamp-" + name).classList.toggle("lit", lit);
  $("antenna").setAttribute("class", "f" + state.antenna);
  $("mode").textContent = state.mode === "cw" ? "CW" : "Audio";
  $("ident-rf").textContent = state.idents.rf;
  $("ident-internet").textContent = state.idents.internet;
  $("hang").textContent = state.timings.hang;
  $("kerchunk").textContent = state.timings.kerchunk;
  for (const [id, value] of [["set-hang", state.timings.hang], ["set-kerchunk", state.timings.kerchunk]])
    if (document.activeElement !== $(id)) $(id).value = value;
  $("today-overs").textContent = state.today.overs;
  $("today-kerchunks").textContent = state.today.kerchunks;
  $("today-courtesies").textContent = state.today.courtesies;
  $("today-tx").textContent = (state.today.tx_seconds / 60).toFixed(1);
}

function logLine(line) {
  const log = $("log");
  const atEnd = log.scrollTop + log.clientHeight >= log.scrollHeight - 4;
  log.append(line + "\n");
  while (log.childNodes.length > 400) log.removeChild(log.firstChild);
  if (atEnd) log.scrollTop = log.scrollHeight;
}

function chart(title, values, labels) {
  const NS = "http://www.w3.org/2000/svg";
  const box = document.createElement("div");
  box.className = "chart";
  const h = document.createElement("h3");
  h.textContent = title;
  const svg = document.createElementNS(NS, "svg");
  const n = values.length, most = Math.max(1, ...values);
  svg.setAttribute("viewBox", `0 0 ${n * 10} 100`);
  svg.setAttribute("preserveAspectRatio", "none");
  values.forEach((v, i) => {
    const r = document.createElementNS(NS, "rect");
    const height = (v / most) * 96;
    r.setAttribute("x", i * 10 + 1);
    r.setAttribute("width", 8);
    r.setAttribute("y", 100 - height);
    r.setAttribute("height", height);
    const t = document.createElementNS(NS, "title");
    t.textContent = `${labels[i]}: ${v}`;
    r.append(t);
    svg.append(r);
  });
  box.append(h, svg);
  return box;
}

async function loadHistory(query, target, label) {
  const { status, data } = await call("GET", "/api/history?" + query);
  if (status !== 200) return;
  const labels = data.map((b) => label(new Date(b.start)));
  $(target).replaceChildren(
    chart("Overs counted", data.map((b) => b.overs), labels),
    chart("Kerchunks", data.map((b) => b.kerchunks), labels),
    chart("Courtesies", data.map((b) => b.courtesies), labels),
    chart("Transmitter minutes", data.map((b) => +(b.tx_seconds / 60).toFixed(1)), labels));
}

function charts() {
  loadHistory("hours=24", "hours", (d) => d.toISOString().slice(11, 16) + " UTC");
  loadHistory("days=30", "days", (d) => d.toISOString().slice(0, 10));
}

function follow() {
  if (events) events.close();
  $("log").textContent = "";
  events = new EventSource("/api/events");
  events.addEventListener("state", (e) => show(JSON.parse(e.data)));
  events.addEventListener("log", (e) => logLine(e.data));
  events.onopen = () => { $("connection").textContent = "Live."; };
  events.onerror = () => { $("connection").textContent = "Connection lost; trying again…"; };
}

async function start() {
  const { data: s } = await call("GET", "/api/session");
  const viewing = s.logged_in || s.view_open;
  $("login").hidden = s.logged_in;
  $("nopassword").hidden = s.password_set;
  $("loginform").hidden = !s.password_set;
  $("station").hidden = !viewing;
  $("controls").hidden = !s.logged_in;
  $("logout").hidden = !s.logged_in;
  if (viewing) {
    follow();
    charts();
  } else {
    $("connection").textContent = "Log in to see the station.";
  }
}

$("loginform").addEventListener("submit", async (e) => {
  e.preventDefault();
  const { status, data } = await call("POST", "/api/login", { password: $("password").value });
  $("password").value = "";
  $("loginproblem").textContent = status === 200 ? "" : data.error || "Refused (" + status + ")";
  if (status === 200) start();
});

$("logout").addEventListener("click", async () => {
  await call("POST", "/api/logout", {});
  if (events) events.close();
  start();
});

async function control(body) {
  const { status, data } = await call("POST", "/api/control", body);
  $("controlproblem").textContent = status < 300 ? "" : data.error || "Refused (" + status + ")";
  if (status === 401) start();
}

for (const b of document.querySelectorAll("button[data-action]"))
  b.addEventListener("click", () => control({ action: b.dataset.action }));

$("timings").addEventListener("submit", (e) => {
  e.preventDefault();
  control({ action: "timings", hang: Number($("set-hang").value), kerchunk: Number($("set-kerchunk").value) });
});

setInterval(() => { if (events) charts(); }, 60000);
start();
