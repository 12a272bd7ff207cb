// What the page tests share: Debian's chromium headless, the table page opened on this machine,
// the lines its log receives, its accessibility tree, and the programs a test starts.
import { spawn } from "node:child_process";
import { createRequire } from "node:module";
import { mkdtempSync, readFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join as joinPath } from "node:path";
import puppeteer from "puppeteer-core";

const require = createRequire(import.meta.url);
export const failures = [];

export function check(ok, what) {
  console.log(`${ok ? "ok" : "FAILED"}: ${what}`);
  if (!ok) failures.push(what);
}

export function finish() {
  console.log(`${failures.length === 0 ? 1 : 0} passed, ${failures.length === 0 ? 0 : 1} failed`);
  process.exit(failures.length === 0 ? 0 : 1);
}

// A program of the test; its standard output collected, its first line (a port) awaited.
export function start(command, args) {
  const child = spawn(command, args, { stdio: ["pipe", "pipe", "inherit"] });
  child.output = "";
  child.stdout.on("data", (data) => (child.output += data));
  child.ended = new Promise((resolve) => child.on("exit", (status) => resolve(status)));
  return child;
}

export async function waitFor(what, condition, seconds) {
  const until = Date.now() + seconds * 1000;
  while (!(await condition())) {
    if (Date.now() > until) throw new Error(`no ${what} within ${seconds} s`);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

export async function launch() {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    pipe: true,
    userDataDir: mkdtempSync(joinPath(tmpdir(), "corvane-chromium-")),
    // The table's own certificate is made for this run; nothing but loopback is reached.
    args: ["--no-sandbox", "--ignore-certificate-errors", "--no-first-run",
      "--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1"],
  });
}

// Opens the page and records every line its log receives and every message the table sends.
export async function openPage(browser, port) {
  const page = await browser.newPage();
  page.lines = [];
  page.frames = [];
  await page.exposeFunction("logLine", (line) => page.lines.push(line));
  await page.evaluateOnNewDocument(() => {
    document.addEventListener("DOMContentLoaded", () => {
      new MutationObserver((changes) => {
        for (const change of changes) {
          for (const node of change.addedNodes) window.logLine(node.textContent);
        }
      }).observe(document.getElementById("log"), { childList: true });
    });
  });
  const cdp = await page.createCDPSession();
  await cdp.send("Network.enable");
  cdp.on("Network.webSocketFrameReceived", ({ response }) => {
    page.frames.push(JSON.parse(response.payloadData));
    if (page.onFrame) page.onFrame(page.frames.at(-1));
  });
  page.cdp = cdp;
  await page.goto(`https://127.0.0.1:${port}/`);
  return page;
}

export async function join(page, name, code) {
  await page.click("#name", { clickCount: 3 });
  await page.type("#name", name);
  await page.click("#code", { clickCount: 3 });
  await page.type("#code", code);
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
  const parts = name.split("+");
  const key = parts.pop();
  const named = { Esc: "Escape", Up: "ArrowUp", Down: "ArrowDown", Left: "ArrowLeft",
    Right: "ArrowRight", PgUp: "PageUp", PgDn: "PageDown", Space: " " };
  const modifiers = parts.map((p) => (p === "Ctrl" ? "Control" : p));
  for (const modifier of modifiers) await page.keyboard.down(modifier);
  await page.keyboard.press(named[key] || (key.length === 1 ? key.toLowerCase() : key));
  for (const modifier of modifiers.reverse()) await page.keyboard.up(modifier);
}
