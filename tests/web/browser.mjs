// What the page tests share: Debian's chromium headless, the table page opened on this machine,
// the lines its log receives and the messages it gets and sends, its accessibility tree, and
// the programs a test starts.
import { spawn } from "node:child_process";
import { createRequire } from "node:module";
import { mkdtempSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import puppeteer from "puppeteer-core";

const require = createRequire(import.meta.url);
const failures = [];

export function check(ok, what) {
  console.log(`${ok ? "ok" : "FAILED"}: ${what}`);
  if (!ok) failures.push(what);
}

export function finish() {
  console.log(`${failures.length === 0 ? 1 : 0} passed, ${failures.length === 0 ? 0 : 1} failed`);
  process.exit(failures.length === 0 ? 0 : 1);
}

// A program of the test, with a data folder of its own; its standard output collected.
export function start(command, args, home) {
  const env = { ...process.env, XDG_DATA_HOME: home, APPDATA: "" };
  const child = spawn(command, args, { stdio: ["ignore", "pipe", "inherit"], env });
  child.output = "";
  child.stdout.on("data", (data) => (child.output += data));
  child.ended = new Promise((resolve) => child.on("exit", (status) => resolve(status)));
  return child;
}

export async function waitFor(what, condition, seconds) {
  const until = Date.now() + seconds * 1000;
  while (!(await condition())) {
    if (Date.now() > until) throw new Error(`no ${what} within ${seconds} s`);
    await new Promise((resolve) => setTimeout(resolve, 20));
  }
}

export async function launch() {
  const profile = mkdtempSync(`${tmpdir()}/corvane-chromium-`);
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    pipe: true,
    userDataDir: profile,
    // The table's own certificate is made for this run; no name is looked up, nothing but
    // loopback is reached.
    args: ["--no-sandbox", "--ignore-certificate-errors", "--no-first-run",
      "--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1"],
  });
  browser.process().once("exit", () => rmSync(profile, { recursive: true, force: true }));
  return browser;
}

// Opens the page; records every line its log receives, every message the table sends it
// (`frames`) and every key it sends (`sent`), and keeps its WebSocket as window.tableSocket.
export async function openPage(browser, port) {
  const page = await browser.newPage();
  Object.assign(page, { lines: [], frames: [], sent: [] });
  await page.exposeFunction("logLine", (line) => page.lines.push(line));
  await page.evaluateOnNewDocument(() => {
    const Native = window.WebSocket;
    window.WebSocket = class extends Native {
      constructor(...args) {
        super(...args);
        window.tableSocket = this;
      }
    };
    document.addEventListener("DOMContentLoaded", () => new MutationObserver((changes) => {
      for (const node of changes.flatMap((c) => [...c.addedNodes])) window.logLine(node.textContent);
    }).observe(document.getElementById("log"), { childList: true }));
  });
  page.cdp = await page.createCDPSession();
  await page.cdp.send("Network.enable");
  page.cdp.on("Network.webSocketFrameReceived", ({ response }) => {
    page.frames.push(JSON.parse(response.payloadData));
    if (page.onFrame) page.onFrame(page.frames.at(-1));
  });
  page.cdp.on("Network.webSocketFrameSent", ({ response }) => {
    const message = JSON.parse(response.payloadData);
    if (message.t === "key") page.sent.push(`${message.code}/${message.shift}`);
  });
  await page.goto(`https://127.0.0.1:${port}/`);
  return page;
}

export async function join(page, name, code) {
  for (const [field, text] of [["#name", name], ["#code", code]]) {
    await page.$eval(field, (input) => (input.value = ""));
    await page.type(field, text);
  }
  await page.click("#join");
}

// The roles of the accessibility tree, as a screen reader gets them, each with the text within.
export async function roles(page) {
  const { nodes } = await page.cdp.send("Accessibility.getFullAXTree");
  const byId = new Map(nodes.map((n) => [n.nodeId, n]));
  const text = (n) => (n.role?.value === "StaticText" ? n.name?.value ?? "" :
    (n.childIds ?? []).map((id) => text(byId.get(id))).join(" "));
  return nodes.filter((n) => !n.ignored).map((n) => ({ role: n.role?.value, text: text(n) }));
}

// axe-core's audit of the page as it stands: the rules it breaks.
export async function audit(page) {
  await page.addScriptTag({ content: readFileSync(require.resolve("axe-core"), "utf8") });
  const result = await page.evaluate(() => window.axe.run(document));
  return result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(", ")}`);
}

// A key of a script ("Shift+M", "Enter", "P") pressed at the table.
export async function press(page, name) {
  const named = { Esc: "Escape", Up: "ArrowUp", Down: "ArrowDown", Left: "ArrowLeft",
    Right: "ArrowRight", PgUp: "PageUp", PgDn: "PageDown", Space: " ", Ctrl: "Control" };
  const [key, ...modifiers] = name.split("+").map((part) => named[part] || part).reverse();
  for (const modifier of modifiers) await page.keyboard.down(modifier);
  await page.keyboard.press(key.length === 1 ? key.toLowerCase() : key);
  for (const modifier of modifiers) await page.keyboard.up(modifier);
}
