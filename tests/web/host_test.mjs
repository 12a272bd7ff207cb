// A friend in a browser at a real table: `corvane --host` in script mode on this machine, five
// hands of Texas Holdem and three of Seven Card Stud. The same table (seed and keys) is played
// twice, once with the desktop friend (`corvane --join` with the friend's script) and once with
// the page, whose keys are the friend's script pressed at the table; the page's log must hold the
// desktop friend's phrases in order, the table's sounds must be fetched, and check_people.py must
// find none of the host's face-down cards in it. Then a short table: a wrong code as an alert;
// the keys sent, the browser's own voice and a message box as an alert; axe-core's audit at the
// table; a reload that gets the seat back in the middle of a hand.
// Usage: node host_test.mjs CORVANE SCRIPTS_FOLDER CHECK_PEOPLE
import { spawnSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { audit, check, finish, join, launch, openPage, press, roles, start, waitFor } from
  "./browser.mjs";

const [corvane, scripts, checkPeople] = process.argv.slice(2);
// The data folders of the host and of the desktop friend, and the transcripts.
const work = mkdtempSync(`${tmpdir()}/corvane-browser-`);
const kCode = "123456";
const kSeed = "11";
const timer = setTimeout(() => {
  console.log("FAILED: the test took longer than 240 s");
  process.exit(1);
}, 240000);
const unmarked = (text) => text.replace(/^\*\*\*/, "").replace(/^\?\?\?/, "");

async function host(script, more = []) {
  const table = start(corvane, ["--script", `${scripts}/${script}`, "--host", "0", "--code", kCode,
    "--seed", kSeed, "--no-sound", ...more], `${work}/host`);
  await waitFor("the table's port", () => /port \d+/.test(table.output), 20);
  table.port = Number(/port (\d+)/.exec(table.output)[1]);
  return table;
}

// The friend's script as the page plays it, as the script host does: a rule's keys are queued
// when a phrase holds its text and none of its keys still waits; one key for each question that
// waits for this seat.
function playScript(page, script) {
  const rules = readFileSync(`${scripts}/${script}`, "utf8").split("\n")
    .map((line) => /^on (.+?) => (.+)$/.exec(line)).filter(Boolean)
    .map(([, text, keys]) => ({ text, keys: keys.split(" "), waiting: 0 }));
  const queue = [];
  let waits = 0;
  page.onFrame = (frame) => {
    for (const rule of frame.t === "say" ? rules : []) {
      if (rule.waiting > 0 || !unmarked(frame.text).includes(rule.text)) continue;
      queue.push(...rule.keys.map((key) => ({ key, rule })));
      rule.waiting += rule.keys.length;
    }
    if (frame.t === "answer" && frame.waiting) waits += 1;
  };
  page.playing = (async () => {
    while (!page.lines.includes("The table is closed.")) {
      if (waits > 0 && queue.length > 0) {
        waits -= 1;
        const { key, rule } = queue.shift();
        rule.waiting -= 1;
        await press(page, key);
      } else {
        await new Promise((resolve) => setTimeout(resolve, 5));
      }
    }
  })();
}

const atTable = (lines) => lines.slice(lines.findLastIndex((l) => l.startsWith("You have joined")),
  lines.indexOf("The table is closed.") + 1);

let browser;
try {
  const desktopHost = await host("host_holdem_stud.script");
  const desktop = spawnSync(corvane, ["--join", `127.0.0.1:${desktopHost.port}`, "--name",
    "Anna", "--code", kCode, "--script", `${scripts}/friend.script`, "--no-sound"],
  { encoding: "utf8", timeout: 120000, env: { ...process.env, XDG_DATA_HOME: `${work}/friend` } });
  await desktopHost.ended;
  const wanted = atTable(desktop.stdout.split("\n").filter((l) => !/^[!|~] /.test(l)));
  check(wanted.length > 300 && wanted.at(-1) === "The table is closed.",
    `the desktop friend played the table (${wanted.length} lines)`);

  browser = await launch();
  const browserHost = await host("host_holdem_stud.script");
  const page = await openPage(browser, browserHost.port);
  const fetched = new Set();
  page.on("response", (r) => r.ok() && fetched.add(decodeURIComponent(r.url().split("/").pop())));
  const labels = await page.$$eval("label, button", (all) => all.map((l) => l.textContent));
  check(["Your name", "Join code", "Join"].every((l) => labels.includes(l)), "the form's words");
  check((await audit(page)).length === 0, "no violations on the form");
  playScript(page, "friend.script");
  await join(page, "Anna", kCode);
  await page.playing;
  await browserHost.ended;
  const heard = atTable(page.lines);
  const first = heard.findIndex((line, i) => line !== wanted[i]);
  check(first === -1 && heard.length === wanted.length, first === -1 ?
    "the page's log holds the desktop friend's phrases in order" :
    `line ${first}: the page has "${heard[first]}", the desktop friend "${wanted[first]}"`);
  const loaded = page.frames.filter((f) => f.op === "load").map((f) => f.file);
  check(loaded.length > 3 && loaded.every((file) => fetched.has(file)),
    `the table's sounds fetched from the host: ${loaded}`);
  writeFileSync(`${work}/host.txt`, browserHost.output);
  writeFileSync(`${work}/browser.txt`, page.lines.join("\n") + "\n");
  const people = spawnSync("python3", [checkPeople, `The Boss=${work}/host.txt`,
    `Anna=${work}/browser.txt`], { encoding: "utf8" });
  check(people.status === 0, `no face-down card of the host reaches the page ${people.stdout}`);

  // The short table shows a certificate of the host's own (--certificate, --key).
  spawnSync("openssl", ["req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:P-256",
    "-nodes", "-subj", "/CN=corvane-test-host", "-days", "1", "-keyout", `${work}/key.pem`,
    "-out", `${work}/cert.pem`], { stdio: "ignore" });
  const shortHost = await host("host_one_hand.script",
    ["--certificate", `${work}/cert.pem`, "--key", `${work}/key.pem`]);
  const again = await openPage(browser, shortHost.port);
  const shown = (await again.reload()).securityDetails();
  check(shown.subjectName() === "corvane-test-host" && shown.protocol() === "TLS 1.3",
    `the host's own certificate, over TLS 1.3: ${shown.subjectName()}, ${shown.protocol()}`);
  await join(again, "Anna", "000000");
  await waitFor("the wrong code's alert", async () =>
    (await again.$eval("#problem", (p) => p.textContent)) !== "", 10);
  check((await roles(again)).some((n) => n.role === "alert" && n.text.includes("join code")),
    "a wrong code is an alert with the host's words");
  await join(again, "Anna", kCode);
  await waitFor("a question at the table", () => again.frames.some((f) => f.t === "answer"), 30);
  // At her first question: the game's keys go out as its codes, a screen reader's Insert and the
  // browser's Control-L do not; the browser's voice speaks what comes and a key silences it.
  for (const key of ["Shift+M", "Tab", "PgUp", "Shift+PgDn", "Right", "Insert", "Ctrl+L"]) {
    await press(again, key);
  }
  await again.click("#own-voice");
  await again.evaluate(() => {
    window.spoken = [];
    speechSynthesis.speak = (utterance) => window.spoken.push(utterance.text);
    speechSynthesis.cancel = () => window.spoken.push("(silenced)");
  });
  await again.focus("#keys");
  await press(again, "M");
  await waitFor("the browser's voice", () =>
    again.evaluate(() => window.spoken.some((text) => text.endsWith(" chips."))), 10);
  check(again.sent.join(" ") === "77/1 9/0 33/0 34/1 39/0 77/0", `the keys sent: ${again.sent}`);
  const spoken = await again.evaluate(() => window.spoken.join("|"));
  check(/^(\(silenced\)\|)+\d+ chips\.\|/.test(spoken) &&
    (await again.$eval("#log", (l) => l.getAttribute("aria-live"))) === "off",
  `the browser's own voice instead of the log, silenced by a key: ${spoken}`);
  await again.click("#own-voice");
  await again.focus("#keys");
  // A message box, as the host sends one when the friend's sound or speech fails.
  await again.evaluate(() => window.tableSocket.onmessage({ data: JSON.stringify({ t: "box",
    title: "Error! ", text: "Error opening file deal.wav", icon: "exclamation" }) }));
  const tree = await roles(again);
  check(tree.some((n) => n.role === "log") && tree.some((n) => n.role === "application") &&
    tree.some((n) => n.role === "alert" && n.text.includes("Error opening file deal.wav")),
  "the log, the table and the box's alert in the accessibility tree");
  check((await audit(again)).length === 0, "no violations at the table");
  await press(again, "Enter");
  check(await again.$eval("#box", (b) => b.hidden) && again.sent.length === 6,
    "Enter dismisses the box, and goes no further");
  again.lines = [];
  await again.reload();
  playScript(again, "friend.script");
  await again.playing;
  check(again.lines[0].startsWith("You have joined The Boss's table"), "a reload rejoins");
  check(again.lines.some((l) => / collects the pot\.$| wins this hand with /.test(l)),
    "the hand goes on to its end after the reload");
  await shortHost.ended;
} catch (error) {
  check(false, error.stack);
} finally {
  clearTimeout(timer);
  if (browser) await browser.close();
  rmSync(work, { recursive: true, force: true });
}
finish();
