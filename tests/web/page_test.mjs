// The page against the real port of a small table (corvane_page_table): the form and its
// labels, a wrong code and a full table as alerts, the phrases in the log without their markers,
// a message box as an alert that Enter dismisses, keys with their codes and shift bits, a sound
// fetched from the table, a reload that gets the seat back, the closed table, and axe-core's audit
// with no violations. Usage: node page_test.mjs TABLE_PROGRAM PAGE_FOLDER PROGRAM_FOLDER
import { audit, check, finish, join, launch, openPage, press, roles, start, waitFor } from
  "./browser.mjs";

const [table, ...folders] = process.argv.slice(2);
const host = start(table, folders);
const timer = setTimeout(() => {
  console.log("FAILED: the test took longer than 60 s");
  process.exit(1);
}, 60000);
let browser;
try {
  await waitFor("port", () => host.output.includes("\n"), 10);
  const port = Number(host.output.trim());
  browser = await launch();
  const page = await openPage(browser, port);
  const labels = await page.$$eval("label", (all) => all.map((l) => l.textContent));
  check(labels.includes("Your name") && labels.includes("Join code"), "the fields' labels");
  check((await page.$eval("#join", (b) => b.textContent)) === "Join", "the button Join");
  check((await audit(page)).length === 0, "no violations on the form");

  const alert = () => page.$eval("#problem", (p) => p.textContent);
  await join(page, "Anna", "654321");
  await waitFor("the wrong code's alert", async () => (await alert()) !== "", 10);
  check((await alert()).startsWith("The join code is not this table's."), "a wrong code");
  const shown = (tree, role, words) => tree.some((n) => n.role === role && n.text.includes(words));
  check(shown(await roles(page), "alert", "join code is not"), "the alert's role and text");

  await join(page, "Anna", "123456");
  await waitFor("the welcome", () => page.lines.length >= 3, 10);
  check(JSON.stringify(page.lines) === JSON.stringify(["You have joined The Boss's table, at " +
    "seat 2.", "The deal goes to Harry", "You have Pair of Twos"]), "the phrases, unmarked");
  check(await page.$eval("#keys", (k) => k === document.activeElement), "the table has the focus");
  for (const key of ["C", "Shift+M", "Tab", "PgUp", "Shift+PgDn", "F2", "Y", "Right", "7"]) {
    await press(page, key);
  }
  await page.keyboard.press("Insert");
  await press(page, "Ctrl+L");
  await waitFor("the keys", () => page.lines.length >= 12, 10);
  check(page.lines.slice(3).join("|") === ["key 67 shift 0", "key 77 shift 1", "key 9 shift 0",
    "key 33 shift 0", "key 34 shift 1", "key 113 shift 0", "key 89 shift 0", "key 39 shift 0",
    "key 55 shift 0"].join("|"), `the keys as the game's codes: ${page.lines.slice(3)}`);

  await page.click("#own-voice");
  await page.evaluate(() => {
    window.spoken = [];
    speechSynthesis.speak = (utterance) => window.spoken.push(utterance.text);
    speechSynthesis.cancel = () => window.spoken.push("(silenced)");
  });
  await page.focus("#keys");
  await press(page, "M");
  await waitFor("the browser's voice", () => page.evaluate(() => window.spoken.length >= 2), 10);
  check((await page.evaluate(() => window.spoken.join("|"))) === "(silenced)|key 77 shift 0" &&
    (await page.$eval("#log", (l) => l.getAttribute("aria-live"))) === "off",
  "the browser's own voice speaks instead of the log, a key silences it");
  await page.click("#own-voice");
  await page.focus("#keys");
  await press(page, "B");
  await waitFor("the box", () => page.$eval("#box", (b) => !b.hidden), 10);
  const tree = await roles(page);
  check(shown(tree, "log", "The deal goes to Harry") && shown(tree, "alert", "A box."),
    "the log and the box's alert in the accessibility tree");
  check((await audit(page)).length === 0, `no violations at the table: ${await audit(page)}`);
  await press(page, "Enter");
  check(await page.$eval("#box", (b) => b.hidden), "Enter dismisses the box");

  const fetched = page.waitForResponse((r) => r.url().endsWith("/coin3.wav") && r.ok());
  await press(page, "S");
  check((await fetched).ok(), "the sound fetched from the table");

  const other = await browser.newPage();
  await other.goto(`https://127.0.0.1:${port}/`);
  await join(other, "Harry", "123456");
  await waitFor("the full table", async () =>
    (await other.$eval("#problem", (p) => p.textContent)) !== "", 10);
  check((await other.$eval("#problem", (p) => p.textContent)) === "The table is full.",
    "a full table");

  page.lines = [];
  await page.reload();
  await waitFor("the seat again", () => page.lines.length >= 1, 15);
  check(page.lines[0] === "You have joined The Boss's table, at seat 2.", "a reload rejoins");
  await press(page, "Q");
  await waitFor("the closed table", () => page.lines.includes("The table is closed."), 10);
  check(await page.$eval("#join-form", (f) => !f.hidden), "the form back after the table");
} catch (error) {
  check(false, error.message);
} finally {
  clearTimeout(timer);
  if (browser) await browser.close();
  host.stdin.end();
}
finish();
