// The supervisory page: follows the station over /api/events and, after
// a login, presses the panel's buttons through /api/control. A station not
// heard from for a while is said to be lost at the top of the page, and
// the page comes back by itself when the station does.
"use strict";

const $ = (id) => document.getElementById(id);
const LOST_AFTER_MS = 5000;  // the station says something at least every 2 s
let events = null;
let heardAt = 0;
let retryMs = 1000;
let retryTimer = null;
let todaySeen = "";
const edited = new Set();  // timing fields the sysop has typed into and not yet set

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

function heard() {
  heardAt = Date.now();
  retryMs = 1000;
  if (!$("lost").hidden) {
    $("lost").hidden = true;
    document.body.classList.remove("lost");
  }
  $("connection").textContent = "Live.";
}

function lost(why) {
  $("lostwhy").textContent = why;
  $("lost").hidden = false;
  document.body.classList.add("lost");
  $("connection").textContent = why;
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
    if (!edited.has(id) && document.activeElement !== $(id)) $(id).value = value;
  $("today-overs").textContent = state.today.overs;
  $("today-kerchunks").textContent = state.today.kerchunks;
  $("today-courtesies").textContent = state.today.courtesies;
  $("today-tx").textContent = (state.today.tx_seconds / 60).toFixed(1);
  const today = JSON.stringify(state.today);
  if (today !== todaySeen) {  // an over or an ident has ended: the charts too
    todaySeen = today;
    charts();
  }
}

function logLine(line) {
  const log = $("log");
  const atEnd = log.scrollTop + log.clientHeight >= log.scrollHeight - 4;
  log.append(line + "\n");
  while (log.childNodes.length > 400) log.removeChild(log.firstChild);
  if (atEnd) log.scrollTop = log.scrollHeight;
}

const drawn = {};  // the charts, by box and title, drawn once and updated after

function chart(target, title, labels, values, unit) {
  const key = target + title;
  if (drawn[key]) {
    drawn[key].data.labels = labels;
    drawn[key].data.datasets[0].data = values;
    drawn[key].update("none");
    return;
  }
  const box = document.createElement("div");
  box.className = "chart";
  const canvas = document.createElement("canvas");
  canvas.setAttribute("aria-label", title);
  box.append(canvas);
  $(target).append(box);
  drawn[key] = new Chart(canvas, {
    type: "bar",
    data: { labels, datasets: [{ label: title, data: values, backgroundColor: "#24588c" }] },
    options: {
      animation: false, responsive: true, maintainAspectRatio: false,
      plugins: {
        legend: { display: false },
        title: { display: true, text: title, align: "start", color: "#68707a" },
        tooltip: { callbacks: { label: (c) => `${c.parsed.y} ${unit}` } },
      },
      scales: {
        x: { ticks: { maxRotation: 0, autoSkip: true, maxTicksLimit: 4, font: { size: 10 } }, grid: { display: false } },
        y: { beginAtZero: true, ticks: { precision: 0 } },
      },
    },
  });
}

async function loadHistory(query, target, label) {
  const { status, data } = await call("GET", "/api/history?" + query);
  if (status !== 200 || typeof Chart === "undefined") return;
  const labels = data.map((b) => label(new Date(b.start)));
  chart(target, "Overs counted", labels, data.map((b) => b.overs), "overs");
  chart(target, "Kerchunks", labels, data.map((b) => b.kerchunks), "kerchunks");
  chart(target, "Courtesies", labels, data.map((b) => b.courtesies), "courtesies");
  chart(target, "Transmitter minutes", labels, data.map((b) => +(b.tx_seconds / 60).toFixed(1)), "min");
}

function charts() {
  const two = (n) => String(n).padStart(2, "0");
  loadHistory("hours=24", "hours", (d) => `${two(d.getHours())}:00`);
  loadHistory("days=30", "days", (d) => `${two(d.getUTCMonth() + 1)}-${two(d.getUTCDate())}`);
}

// After a loss the page tries again, waiting longer each time (up to 16 s).
function tryAgain() {
  if (events) events.close();
  events = null;
  clearTimeout(retryTimer);
  retryTimer = setTimeout(() => start().catch(tryAgain), retryMs);
  $("connection").textContent = `Trying again in ${retryMs / 1000} s…`;
  retryMs = Math.min(retryMs * 2, 16000);
}

function follow() {
  if (events) events.close();
  $("log").textContent = "";
  events = new EventSource("/api/events");
  events.addEventListener("state", (e) => { heard(); show(JSON.parse(e.data)); });
  events.addEventListener("log", (e) => { heard(); logLine(e.data); });
  events.addEventListener("ping", heard);
  events.onopen = heard;
  events.onerror = () => {
    lost("The station does not answer: it may have stopped, or the network is down.");
    tryAgain();
  };
  heardAt = Date.now();
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
    todaySeen = "";
  } else {
    heard();
    if (events) events.close();
    events = null;
    $("connection").textContent = "Log in to see the station.";
  }
}

setInterval(() => { if (events) charts(); }, 300000);  // the hours roll on
setInterval(() => {
  const quiet = Date.now() - heardAt;
  if (events && quiet > LOST_AFTER_MS && $("lost").hidden)
    lost(`Nothing heard from the station for ${Math.round(quiet / 1000)} s.`);
}, 1000);

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
  events = null;
  start();
});

// What the station did, in words, from its state after the control.
const done = {
  on: (s) => (s.on ? "Switched on: courtesy idents follow traffic." : "Still off."),
  off: (s) => (s.on ? "Still on." : "Switched off: no courtesy idents until switched on."),
  cw: (s) => `Idents are ${s.mode === "cw" ? "CW" : "audio"}.`,
  audio: (s) => `Idents are ${s.mode === "cw" ? "CW" : "audio"}.`,
  "test-rf": (s) => (s.on ? `RF test ident sent: ${s.idents.rf}.` : "Nothing sent: the station is off."),
  "test-internet": (s) => (s.on ? `Internet test ident sent: ${s.idents.internet}.` : "Nothing sent: the station is off."),
  timings: (s) => `Hang time ${s.timings.hang} ms, anti-kerchunker ${s.timings.kerchunk} ms.`,
  save: () => "Settings saved on the station.",
};

async function control(body) {
  $("controldone").textContent = "";
  const { status, data } = await call("POST", "/api/control", body);
  $("controlproblem").textContent = status < 300 ? "" : data.error || "Refused (" + status + ")";
  if (status === 200 && data.state) {
    show(data.state);
    $("controldone").textContent = done[body.action](data.state);
  } else if (status === 202) {
    $("controldone").textContent = "The station is busy: it will do it shortly.";
  }
  if (status === 401) start();
  return status;
}

for (const b of document.querySelectorAll("button[data-action]"))
  b.addEventListener("click", () => control({ action: b.dataset.action }));

for (const id of ["set-hang", "set-kerchunk"]) {
  for (const kind of ["input", "change"]) $(id).addEventListener(kind, () => edited.add(id));
  $(id).addEventListener("keydown", (e) => { if (e.key === "Escape") edited.delete(id); });
}

$("timings").addEventListener("submit", async (e) => {
  e.preventDefault();
  const status = await control({ action: "timings", hang: Number($("set-hang").value),
                                 kerchunk: Number($("set-kerchunk").value) });
  if (status < 300) edited.clear();
});

start().catch(tryAgain);
