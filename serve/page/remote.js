// The tablet remote: output mutes and gains, input gains, program recall and
// live meters, on the service's public API alone (/api/v1 and its event
// stream). Plain script, no build step; served by orvan-server at /.
"use strict";

(() => {
  // Every text of the page, [Chinese, English].
  const TEXTS = {
    title: ["Orvan 遥控", "Orvan remote"],
    language: ["English", "中文"], // the button names the other language
    program: ["程序", "Program"],
    recall: ["调用", "Recall"],
    current: ["当前程序 %1 · %2", "Program %1 · %2"],
    liveOnly: ["当前程序：未调用", "No program recalled"],
    outputs: ["输出", "Outputs"],
    inputs: ["输入", "Inputs"],
    mute: ["静音", "Mute"],
    gainOf: ["%1 增益", "%1 gain"],
    limiter: ["限幅指示", "Limiter"],
    online: ["已连接", "Online"],
    reading: ["正在读取", "Reading"],
    connecting: ["正在连接", "Connecting"],
    offline: ["处理器未连接", "Processor offline"],
    lost: ["服务无响应", "Service unreachable"],
    device: ["设备 ID %1 · %2 · 版本 %3", "Device ID %1 · %2 · version %3"],
    tokenPrompt: ["访问令牌", "Access token"],
    tokenOk: ["确定", "OK"],
    notDone: ["未执行：%1", "Not done: %1"],
    recalling: ["正在调用程序 %1", "Recalling program %1"],
    locked: ["%1 已锁定", "%1 is locked"],
  };
  const CHINESE = 0;
  const ENGLISH = 1;
  const API = "/api/v1/";

  let language = initialLanguage();
  let token = initialToken();
  let counts = { inputs: 0, outputs: 0 };
  let processor = { state: "connecting" };
  let programs = null;
  let socket = null;
  let retryMs = 1000;
  let serviceLost = false;
  let toastTimer = 0;

  const $ = (id) => document.getElementById(id);

  function text(key, ...args) {
    let s = TEXTS[key][language];
    args.forEach((arg, i) => { s = s.replace("%" + (i + 1), arg); });
    return s;
  }

  function initialLanguage() {
    const asked = new URLSearchParams(location.search).get("lang");
    if (asked === "zh" || asked === "en") return asked === "zh" ? CHINESE : ENGLISH;
    const kept = localStorage.getItem("orvan.language");
    if (kept === "zh" || kept === "en") return kept === "zh" ? CHINESE : ENGLISH;
    const browser = (navigator.languages && navigator.languages[0]) || navigator.language || "en";
    return browser.toLowerCase().startsWith("zh") ? CHINESE : ENGLISH;
  }

  // The token of a service beyond loopback comes in the address's fragment
  // (#token=..., never sent to the server or kept in its log) or is typed;
  // it lives for this tab only.
  function initialToken() {
    const fragment = new URLSearchParams(location.hash.slice(1));
    if (fragment.has("token")) {
      sessionStorage.setItem("orvan.token", fragment.get("token"));
      history.replaceState(null, "", location.pathname + location.search);
    }
    return sessionStorage.getItem("orvan.token") || "";
  }

  // ---- the API ----------------------------------------------------------

  async function api(method, path, body) {
    const headers = {};
    if (token) headers.Authorization = "Bearer " + token;
    if (body !== undefined) headers["Content-Type"] = "application/json";
    let response;
    try {
      response = await fetch(API + path, {
        method, headers, cache: "no-store",
        body: body === undefined ? undefined : JSON.stringify(body),
      });
    } catch (error) {
      setServiceLost(true);
      throw error;
    }
    let json = {};
    try { json = await response.json(); } catch (ignored) { /* an empty answer */ }
    if (response.status === 401) $("token-box").hidden = false;
    if (!response.ok) {
      const error = new Error(json.message || response.statusText);
      error.code = json.error || String(response.status);
      throw error;
    }
    return json;
  }

  // A refused write is said, never swallowed; the control shows the
  // processor's value again.
  function refused(error) {
    showToast(text("notDone", error.message), false);
  }

  // ---- building the page --------------------------------------------------

  function applyTexts() {
    document.documentElement.lang = language === CHINESE ? "zh-CN" : "en";
    document.title = text("title");
    document.querySelectorAll("[data-text]").forEach((el) => { el.textContent = text(el.dataset.text); });
    $("language").textContent = text("language");
    document.querySelectorAll(".mute").forEach((el) => { el.textContent = text("mute"); });
    document.querySelectorAll(".lamp").forEach((el) => { el.title = text("limiter"); });
    document.querySelectorAll(".strip").forEach((strip) => {
      strip.querySelector(".fader").setAttribute("aria-label", text("gainOf", strip.dataset.label || ""));
    });
    showState();
    showPrograms();
  }

  function buildStrips(side, count) {
    const box = $(side);
    box.textContent = "";
    for (let n = 1; n <= count; n++) {
      const strip = $("strip").content.firstElementChild.cloneNode(true);
      strip.dataset.side = side;
      strip.dataset.n = n;
      strip.id = side + "-" + n;
      strip.querySelector(".number").textContent = n;
      const fader = strip.querySelector(".fader");
      fader.addEventListener("input", () => moveGain(strip));
      fader.addEventListener("pointerdown", () => { strip.dataset.dragging = "1"; });
      fader.addEventListener("pointerup", () => { delete strip.dataset.dragging; });
      fader.addEventListener("change", () => { delete strip.dataset.dragging; moveGain(strip); });
      if (side === "outputs") {
        const mute = strip.querySelector(".mute");
        mute.hidden = false;
        mute.addEventListener("click", () => toggleMute(strip));
        strip.querySelector(".lamp").hidden = false;
      }
      box.appendChild(strip);
    }
  }

  function stripOf(path) {
    const match = /^(inputs|outputs)\/(\d+)\/(name|gain|on)$/.exec(path);
    if (!match) return null;
    const strip = $(match[1] + "-" + match[2]);
    return strip ? { strip, what: match[3] } : null;
  }

  // One parameter as the API describes it (a read, a write's answer, an event).
  function showParam(param) {
    const found = stripOf(param.path);
    if (!found) return;
    const { strip, what } = found;
    if (what === "name") {
      strip.querySelector(".name").textContent = param.value;
      strip.dataset.label = param.value.trim() || strip.dataset.n;
      strip.querySelector(".fader").setAttribute("aria-label", text("gainOf", strip.dataset.label));
    } else if (what === "on") {
      const mute = strip.querySelector(".mute");
      mute.setAttribute("aria-pressed", String(param.step === 0));
      mute.disabled = param.locked;
    } else {
      const fader = strip.querySelector(".fader");
      fader.min = param.min;
      fader.max = param.max;
      fader.disabled = param.locked;
      strip.classList.toggle("locked", param.locked);
      // A fader under a finger, or with a write on its way, keeps its place.
      if (!strip.dataset.dragging && !strip.sending) fader.value = param.step;
      strip.querySelector(".gain-text").textContent = param.text;
    }
  }

  // ---- what the user does ---------------------------------------------------

  // One write at a time per fader; where the finger went meanwhile is sent
  // when it is answered, so a drag never queues a backlog of steps.
  async function moveGain(strip) {
    if (strip.sending) { strip.resend = true; return; }
    strip.sending = true;
    const path = strip.dataset.side + "/" + strip.dataset.n + "/gain";
    try {
      do {
        strip.resend = false;
        showParam(await api("PUT", path, { step: Number(strip.querySelector(".fader").value) }));
      } while (strip.resend);
      strip.sending = false;
    } catch (error) {
      strip.sending = false;
      refused(error);
      api("GET", path).then(showParam, () => {});
    }
  }

  async function toggleMute(strip) {
    const mute = strip.querySelector(".mute");
    const path = "outputs/" + strip.dataset.n + "/mute";
    try {
      const answer = await api("PUT", path, { value: mute.getAttribute("aria-pressed") !== "true" });
      mute.setAttribute("aria-pressed", String(answer.value));
    } catch (error) {
      refused(error);
    }
  }

  async function recall() {
    const slot = Number($("slot").value);
    try {
      await api("POST", "programs/" + slot + "/recall");
      showToast(text("recalling", slot), true);
    } catch (error) {
      refused(error);
    }
  }

  // ---- what the processor tells -------------------------------------------

  function showState() {
    const state = serviceLost ? "lost" : processor.state || "offline";
    const el = $("state");
    el.className = "state " + state;
    el.textContent = text(state === "lost" || state in TEXTS ? state : "offline");
    document.body.classList.toggle("offline", state !== "online");
    const online = state === "online";
    document.querySelectorAll("main button, main select, main input").forEach((control) => {
      if (!online) control.disabled = true;
    });
    if (online) {
      $("slot").disabled = false;
      $("recall").disabled = false;
    }
    $("device").textContent = processor.model
      ? text("device", processor.deviceId, (processor.deviceName || processor.model).trim(), processor.firmware)
      : "";
  }

  function showPrograms() {
    if (!programs) return;
    const select = $("slot");
    const chosen = select.value || String(programs.current || 1);
    select.textContent = "";
    for (const program of programs.programs) {
      const option = document.createElement("option");
      option.value = program.number;
      option.textContent = program.number + " · " + (program.name.trim() || "—");
      select.appendChild(option);
    }
    select.value = chosen;
    const current = programs.programs.find((p) => p.number === programs.current);
    $("current").textContent = current ? text("current", current.number, current.name.trim() || "—") : text("liveOnly");
  }

  function showMeters(meters) {
    const paint = (side, levels, lamps) => levels.forEach((level, i) => {
      const strip = $(side + "-" + (i + 1));
      if (!strip) return;
      strip.querySelector(".meter-cover").style.width = (100 - (level / 11) * 100) + "%";
      if (lamps) strip.querySelector(".lamp").classList.toggle("on", !!lamps[i]);
    });
    paint("inputs", meters.inputs || []);
    paint("outputs", meters.outputs || [], meters.indicators);
  }

  // Everything read again: after a connection, a recall, a lock change.
  async function load() {
    try {
      processor = await api("GET", "processor");
      setServiceLost(false);
      if (processor.inputs && processor.outputs
          && (processor.inputs !== counts.inputs || processor.outputs !== counts.outputs)) {
        counts = { inputs: processor.inputs, outputs: processor.outputs };
        buildStrips("outputs", counts.outputs);
        buildStrips("inputs", counts.inputs);
        applyTexts();
      }
      showState();
      if (!processor.online) return;
      const paths = [];
      for (let n = 1; n <= counts.outputs; n++) paths.push(`outputs/${n}/name`, `outputs/${n}/on`, `outputs/${n}/gain`);
      for (let n = 1; n <= counts.inputs; n++) paths.push(`inputs/${n}/name`, `inputs/${n}/gain`);
      const [params, slots] = await Promise.all([Promise.all(paths.map((path) => api("GET", path))),
                                                 api("GET", "programs")]);
      params.forEach(showParam);
      programs = slots;
      showPrograms();
      showState();
    } catch (error) {
      if (error.code) refused(error);
    }
  }

  function onEvent(event) {
    switch (event.type) {
      case "hello":
        processor = event.processor;
        showState();
        break;
      case "meters":
        showMeters(event);
        break;
      case "param":
        showParam(event);
        break;
      case "programs":
        programs = event;
        showPrograms();
        break;
      case "program":
      case "locks":
        load();
        break;
      case "connection":
        processor.state = event.state;
        processor.online = event.state === "online";
        showState();
        if (event.state === "online") load();
        break;
      default:
        break;
    }
  }

  function openEvents() {
    const url = new URL(API + "events", location.href);
    url.protocol = location.protocol === "https:" ? "wss:" : "ws:";
    url.searchParams.set("subscribe", "meters,param,program,programs,locks,connection");
    if (token) url.searchParams.set("token", token);
    socket = new WebSocket(url);
    socket.onopen = () => {
      retryMs = 1000;
      setServiceLost(false);
      load();
    };
    socket.onmessage = (message) => onEvent(JSON.parse(message.data));
    socket.onclose = () => {
      setServiceLost(true);
      setTimeout(openEvents, retryMs);
      retryMs = Math.min(retryMs * 2, 10000);
    };
  }

  function setServiceLost(lost) {
    if (serviceLost === lost) return;
    serviceLost = lost;
    showState();
  }

  function showToast(message, info) {
    const toast = $("toast");
    toast.textContent = message;
    toast.classList.toggle("info", info);
    toast.hidden = false;
    clearTimeout(toastTimer);
    toastTimer = setTimeout(() => { toast.hidden = true; }, 5000);
  }

  // ---- start ----------------------------------------------------------------

  $("language").addEventListener("click", () => {
    language = language === CHINESE ? ENGLISH : CHINESE;
    localStorage.setItem("orvan.language", language === CHINESE ? "zh" : "en");
    applyTexts();
  });
  $("recall").addEventListener("click", recall);
  $("token-box").addEventListener("submit", (event) => {
    event.preventDefault();
    token = $("token").value.trim();
    sessionStorage.setItem("orvan.token", token);
    $("token-box").hidden = true;
    if (socket) socket.close();
    load();
  });
  applyTexts();
  // Asked at once, so a service that wants a token says so before the
  // event stream is refused.
  load();
  openEvents();
})();
