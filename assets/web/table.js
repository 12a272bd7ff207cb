// A seat at a Corvane table from a web browser. The page joins the table of the Corvane that
// serves it, over the WebSocket at /table, and then only carries things across: every phrase the
// table says to this seat is added to a log that the player's own screen reader reads (or, when
// the player asks for it, is spoken by the browser's own voice), message boxes become alerts,
// the table's sounds play from the host's sound files, and every game key pressed at the table
// goes to the host. The keys of the screen reader, the system and the browser are left alone.
"use strict";

(() => {
  const kProtocolVersion = "1.0";
  // The phrases kept in the log and for Control-Up and Control-Down, as the game's own history.
  const kHistorySize = 30;
  // Where a reload finds the name, the code and whether the page sat at the table.
  const kSeatStorage = "corvane.seat";
  // Where the choice of the browser's own voice is kept for the next visit.
  const kVoiceStorage = "corvane.voice";
  // A reload may reach the host before it has seen the old connection go: the host then still
  // knows the name at the table, so the join is tried again a few times.
  const kRejoinTries = 5;
  const kRejoinPauseMs = 1000;

  // The markers the host's phrases carry: "***" is dropped; "???" is said but not kept in the
  // history.
  const kRemoved = "***";
  const kNotRecorded = "???";

  // The game's shift bits and key codes (Windows virtual-key codes).
  const kShift = 1;
  const kControl = 2;
  const kAlt = 4;
  const kKeyEnter = 13;
  const kKeyUp = 38;
  const kKeyDown = 40;
  const kKeyDigit0 = 48;
  const kNamedKeys = {
    Backspace: 8,
    Tab: 9,
    Enter: kKeyEnter,
    Escape: 27,
    " ": 32,
    PageUp: 33,
    PageDown: 34,
    End: 35,
    Home: 36,
    ArrowLeft: 37,
    ArrowUp: kKeyUp,
    ArrowRight: 39,
    ArrowDown: kKeyDown,
    Delete: 46,
    F1: 112,
    F2: 113,
    F3: 114,
  };
  const kPhysicalKeys = { Comma: 188, Period: 190, NumpadEnter: kKeyEnter };
  // Keys that belong to the screen reader or the system whatever else is held with them.
  const kNotTheGames = new Set(["Insert", "CapsLock", "Meta", "OS", "Shift", "Control", "Alt",
    "AltGraph", "ContextMenu", "NumLock", "ScrollLock"]);

  // Sound levels are hundredths of a decibel; a pan attenuates the far side by its value, as the
  // game's own mixer does.
  const kSilentHundredthsDb = -10000;
  const kPanRange = 10000;

  const $ = (id) => document.getElementById(id);

  // The game's key code of a key press, or 0 for a key the game has no use for.
  function keyCodeOf(event) {
    if (Object.hasOwn(kNamedKeys, event.key)) return kNamedKeys[event.key];
    if (Object.hasOwn(kPhysicalKeys, event.code)) return kPhysicalKeys[event.code];
    if (event.key.length === 1) {
      const letter = event.key.toUpperCase();
      if ((letter >= "A" && letter <= "Z") || (letter >= "0" && letter <= "9")) {
        return letter.charCodeAt(0);
      }
    }
    // A letter of another alphabet, or a digit with Shift: the key where it lies.
    const letter = /^Key([A-Z])$/.exec(event.code);
    if (letter) return letter[1].charCodeAt(0);
    const digit = /^(?:Digit|Numpad)([0-9])$/.exec(event.code);
    return digit ? kKeyDigit0 + Number(digit[1]) : 0;
  }

  function shiftBitsOf(event) {
    return (event.shiftKey ? kShift : 0) | (event.ctrlKey ? kControl : 0) |
      (event.altKey ? kAlt : 0);
  }

  function gainOf(hundredthsDb) {
    if (hundredthsDb <= kSilentHundredthsDb) return 0;
    return Math.pow(10, Math.min(hundredthsDb, 0) / 2000);
  }

  // The host's sound engine on this browser: sounds known by the host's numbers, fetched from the
  // host by file name, and played on the host's channels with their volumes and pans. Nothing is
  // heard until the first key press, as browsers require.
  class TableSounds {
    constructor() {
      this.context = null;
      this.sounds = new Map();
      this.channels = new Map();
    }

    wake() {
      this.audio();
      if (this.context.state === "suspended") this.context.resume().catch(() => {});
    }

    handle(message) {
      switch (message.op) {
        case "load":
          this.sounds.set(message.sound, this.fetchSound(message.file));
          break;
        case "release":
          this.sounds.delete(message.sound);
          break;
        case "play":
          this.play(this.channel(message.channel), message.sound, message.loop);
          break;
        case "stop":
          this.stop(this.channel(message.channel));
          break;
        case "volume":
          this.channel(message.channel).volume = message.value;
          this.place(this.channel(message.channel));
          break;
        case "pan":
          this.channel(message.channel).pan = message.value;
          this.place(this.channel(message.channel));
          break;
      }
    }

    stopAll() {
      for (const channel of this.channels.values()) this.stop(channel);
    }

    audio() {
      if (!this.context) this.context = new AudioContext();
      return this.context;
    }

    fetchSound(file) {
      return fetch(encodeURIComponent(file))
        .then((response) => (response.ok ? response.arrayBuffer() : Promise.reject(file)))
        .then((bytes) => this.audio().decodeAudioData(bytes))
        .catch(() => null);
    }

    channel(number) {
      if (!this.channels.has(number)) {
        const context = this.audio();
        const channel = {
          volume: 0,
          pan: 0,
          source: null,
          playing: 0,
          left: context.createGain(),
          right: context.createGain(),
          merger: context.createChannelMerger(2),
        };
        channel.left.connect(channel.merger, 0, 0);
        channel.right.connect(channel.merger, 0, 1);
        channel.merger.connect(context.destination);
        this.channels.set(number, channel);
      }
      return this.channels.get(number);
    }

    place(channel) {
      const pan = Math.max(-kPanRange, Math.min(kPanRange, channel.pan));
      const level = gainOf(channel.volume);
      const other = level * gainOf(-Math.abs(pan));
      channel.left.gain.value = pan > 0 ? other : level;
      channel.right.gain.value = pan < 0 ? other : level;
    }

    play(channel, sound, loop) {
      this.stop(channel);
      const buffer = this.sounds.get(sound);
      if (!buffer) return;
      const playing = channel.playing;
      buffer.then((decoded) => {
        if (!decoded || channel.playing !== playing) return;
        const source = this.audio().createBufferSource();
        source.buffer = decoded;
        source.loop = loop;
        if (decoded.numberOfChannels === 1) {
          source.connect(channel.left);
          source.connect(channel.right);
        } else {
          const splitter = this.audio().createChannelSplitter(2);
          source.connect(splitter);
          splitter.connect(channel.left, 0);
          splitter.connect(channel.right, 1);
        }
        this.place(channel);
        source.start();
        channel.source = source;
      });
    }

    stop(channel) {
      channel.playing += 1;
      if (channel.source) channel.source.stop();
      channel.source = null;
    }
  }

  // What the table says to this seat: the log the screen reader reads, the phrase history, and
  // the browser's own voice when the player asks for it.
  class TableSpeech {
    constructor(log, review, ownVoice) {
      this.log = log;
      this.review = review;
      this.ownVoice = ownVoice;
      this.history = [];
      this.position = 0;
      ownVoice.checked = localStorage.getItem(kVoiceStorage) === "own";
      ownVoice.addEventListener("change", () => this.voiceChanged());
      this.voiceChanged();
    }

    speak(phrase) {
      let text = phrase.startsWith(kRemoved) ? phrase.slice(kRemoved.length) : phrase;
      const recorded = !text.startsWith(kNotRecorded);
      if (!recorded) text = text.slice(kNotRecorded.length);
      if (text.trim() === "") return;
      if (recorded) {
        this.history.push(text);
        if (this.history.length > kHistorySize) this.history.shift();
        this.position = this.history.length;
      }
      const line = document.createElement("p");
      line.textContent = text;
      this.log.append(line);
      while (this.log.childElementCount > kHistorySize) this.log.firstElementChild.remove();
      line.scrollIntoView({ block: "nearest" });
      this.say(text);
    }

    // Control-Up and Control-Down.
    browse(step) {
      if (this.history.length === 0) return;
      this.position = Math.max(0, Math.min(this.history.length, this.position + step));
      if (this.position === this.history.length) return;
      this.review.textContent = this.history[this.position];
      this.say(this.history[this.position]);
    }

    say(text) {
      if (this.ownVoice.checked && "speechSynthesis" in window) {
        window.speechSynthesis.speak(new SpeechSynthesisUtterance(text));
      }
    }

    silence() {
      if ("speechSynthesis" in window) window.speechSynthesis.cancel();
    }

    useOwnVoice(on) {
      this.ownVoice.checked = on;
      this.voiceChanged();
    }

    // With the browser's voice the log still keeps the phrases but no longer announces them, so
    // that the screen reader does not speak them a second time.
    voiceChanged() {
      this.log.setAttribute("aria-live", this.ownVoice.checked ? "off" : "polite");
      localStorage.setItem(kVoiceStorage, this.ownVoice.checked ? "own" : "reader");
      if (!this.ownVoice.checked) this.silence();
    }
  }

  // The seat: joining, the host's messages, the keys.
  class BrowserSeat {
    constructor() {
      this.socket = null;
      this.welcomed = false;
      this.closedByHost = false;
      this.rejoinsLeft = 0;
      this.waiting = [];
      this.boxShown = false;
      this.sounds = new TableSounds();
      this.speech = new TableSpeech($("log"), $("review"), $("own-voice"));
      $("join-form").addEventListener("submit", (event) => {
        event.preventDefault();
        this.sounds.wake();
        this.start(0);
      });
      $("keys").addEventListener("keydown", (event) => this.key(event));
      const kept = this.kept();
      $("name").value = kept.name || "";
      $("code").value = kept.code || "";
      if (kept.seated) this.start(kRejoinTries);
    }

    kept() {
      try {
        return JSON.parse(sessionStorage.getItem(kSeatStorage)) || {};
      } catch {
        return {};
      }
    }

    keep(seated) {
      const seat = { name: $("name").value, code: $("code").value, seated };
      sessionStorage.setItem(kSeatStorage, JSON.stringify(seat));
    }

    problem(text) {
      $("problem").textContent = text;
    }

    start(rejoins) {
      const name = $("name").value;
      const code = $("code").value.trim();
      if (name.trim() === "") return this.problem("Type your name, then press Join.");
      if (!/^[0-9]{6}$/.test(code)) {
        return this.problem("The join code is six digits. Type the code the host gave you.");
      }
      this.problem("");
      this.rejoinsLeft = rejoins;
      this.welcomed = false;
      this.closedByHost = false;
      $("join").disabled = true;
      const socket = new WebSocket(`wss://${location.host}/table`);
      this.socket = socket;
      socket.onopen = () => {
        const join = { t: "join", version: kProtocolVersion, code, name, client: "browser" };
        socket.send(JSON.stringify(join));
      };
      socket.onmessage = (event) => {
        if (socket !== this.socket) return;
        let message;
        try {
          message = JSON.parse(event.data);
        } catch {
          return; // the host never sends such a thing; nothing of it is shown
        }
        this.receive(message);
      };
      socket.onclose = () => {
        if (socket === this.socket) this.ended();
      };
    }

    receive(message) {
      if (this.boxShown) return this.waiting.push(message);
      switch (message.t) {
        case "welcome":
          return this.seated(message);
        case "refused":
          return this.refused(message);
        case "say":
          return this.speech.speak(message.text);
        case "stop":
          return this.speech.silence();
        case "box":
          return this.showBox(message);
        case "sound":
          return this.sounds.handle(message);
        case "closed":
          this.closedByHost = true;
          return undefined;
      }
      return undefined;
    }

    seated(welcome) {
      this.welcomed = true;
      this.keep(true);
      $("join-form").hidden = true;
      $("table").hidden = false;
      $("keys").hidden = false;
      this.speech.speak(`You have joined ${welcome.host}'s table, at seat ${welcome.seat}.`);
      $("keys").focus();
    }

    refused(refusal) {
      if (refusal.reason === "name" && this.rejoinsLeft > 0) {
        this.rejoinsLeft -= 1;
        this.socket = null;
        setTimeout(() => this.start(this.rejoinsLeft), kRejoinPauseMs);
        return;
      }
      this.keep(false);
      this.problem(refusal.text);
    }

    ended() {
      this.socket = null;
      if (this.welcomed) {
        this.sounds.stopAll();
        this.speech.speak("The table is closed.");
        if (this.closedByHost) this.keep(false);
        $("keys").hidden = true;
      } else if ($("problem").textContent === "") {
        this.noTable();
      }
      this.showForm();
    }

    noTable() {
      this.problem(`No table answers at ${location.host}.`);
    }

    showForm() {
      $("join-form").hidden = false;
      $("join").disabled = false;
    }

    showBox(box) {
      this.boxShown = true;
      const shown = $("box");
      shown.hidden = false;
      $("box-title").textContent = box.title;
      $("box-text").textContent = box.text;
      this.speech.say(`${box.title} ${box.text}`);
    }

    dismissBox() {
      this.boxShown = false;
      $("box").hidden = true;
      $("box-title").textContent = "";
      $("box-text").textContent = "";
      const waiting = this.waiting;
      this.waiting = [];
      for (const message of waiting) this.receive(message);
    }

    key(event) {
      if (event.isComposing || event.metaKey || kNotTheGames.has(event.key)) return;
      this.sounds.wake();
      this.speech.silence();
      const shift = shiftBitsOf(event);
      // Alt and Control-Alt combinations are the system's, the browser's menus and VoiceOver's;
      // Shift-Tab leaves the table for the rest of the page.
      if (event.altKey || (event.key === "Tab" && shift === kShift)) return;
      const code = keyCodeOf(event);
      if (code === 0) return;
      if (this.boxShown) {
        if (code === kKeyEnter && shift === 0) this.dismissBox();
        if (shift === 0) event.preventDefault();
        return;
      }
      if (this.atHome(code, shift)) return event.preventDefault();
      // Other Control keys are the browser's own shortcuts.
      if ((shift & kControl) !== 0) return undefined;
      event.preventDefault();
      if (this.welcomed && this.socket) {
        this.socket.send(JSON.stringify({ t: "key", code, shift }));
      }
      return undefined;
    }

    // The keys that act at once, in the page: F1, Control-Up and Control-Down, Control-0 to 3.
    atHome(code, shift) {
      if (code === kNamedKeys.F1 && shift === 0) {
        window.open("help.html", "_blank", "noopener");
        return true;
      }
      if (shift !== kControl) return false;
      if (code === kKeyUp || code === kKeyDown) {
        this.speech.browse(code === kKeyUp ? -1 : 1);
        return true;
      }
      const mode = code - kKeyDigit0;
      if (mode < 0 || mode > 3) return false;
      this.speech.useOwnVoice(mode === 3);
      return true;
    }
  }

  document.addEventListener("DOMContentLoaded", () => new BrowserSeat());
})();
