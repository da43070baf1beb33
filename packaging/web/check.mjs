// Drives the web edition in headless Chromium as a student would (run by
// packaging/web/check, which serves the folder): on a laptop screen the
// introduction is drawn in English and then in Greek, TWO MEDIA opens the
// two-media window and its step-mode START moves the circles; as a landscape
// phone with touch a tap works; a right-click, or on the phone a finger
// held still, opens the instruments' menu; predict mode's worksheet is
// saved as a download, a PDF; Copy data fills the clipboard; a tap beside a small option button reaches
// it; turned upright the phone still shows the whole window; the
// introduction's END ends the program and the page says so; with the
// network off the page opens again. Prints the start-up time, the frame
// rate of a step-mode run and one line a check.
//
//   node check.mjs <url> <folder for screenshots> <chromium>
import { mkdtempSync, readdirSync, readFileSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import puppeteer from "puppeteer-core";

const [url, shots, chromium] = process.argv.slice(2);
let failures = 0;
let passed = 0;
function expect(ok, what) {
  if (ok) {
    passed += 1;
    console.log(`ok: ${what}`);
  } else {
    failures += 1;
    console.log(`FAIL: ${what}`);
  }
}

const browser = await puppeteer.launch({
  executablePath: chromium,
  headless: true,
  // A page that hangs fails its check instead of stopping the run.
  protocolTimeout: 20000,
  args: ["--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
         "--ignore-gpu-blocklist", "--disable-dev-shm-usage"],
});

// The program's windows and controls where they stand on the page.
async function shown(page) {
  return JSON.parse(await page.evaluate(() => window.palmosPage.module().palmosShownWidgets()));
}
async function control(page, text) {
  for (const window of await shown(page)) {
    const found = window.controls.find((c) => c.text.replace("&", "") === text);
    if (found) {
      return found;
    }
  }
  return undefined;
}
async function waitFor(page, condition, seconds) {
  const until = Date.now() + seconds * 1000;
  while (Date.now() < until) {
    if (await condition()) {
      return true;
    }
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  return false;
}
async function press(page, box, touch) {
  const x = box.x + box.width / 2;
  const y = box.y + box.height / 2;
  if (touch) {
    await page.touchscreen.tap(x, y);
  } else {
    await page.mouse.click(x, y);
  }
}
// Whether the box looks different now from an earlier screenshot of it.
async function changedPixels(page, box, before) {
  const after = await page.screenshot({ clip: box, encoding: "base64" });
  return after !== before;
}
async function shot(page, name, box) {
  const png = await page.screenshot({ clip: box, encoding: "base64" });
  writeFileSync(`${shots}/${name}.png`, Buffer.from(png, "base64"));
  return png;
}
// Whether the page still answers (a program that waits for events it can
// never have hangs it).
async function answers(page) {
  try {
    await page.evaluate(() => 1);
    return true;
  } catch {
    return false;
  }
}
async function menuShown(page) {
  return (await shown(page)).some((w) => w.kind === "QMenu");
}
// A point of the window away from every control (below the controls, on
// the string's side of the window).
function emptySpot(window) {
  return { x: window.x + window.width * 0.5, y: window.y + window.height * 0.85, width: 0, height: 0 };
}
// Opens the page and waits for the introduction; the time it took, or -1.
async function open(page) {
  const start = Date.now();
  await page.goto(url, { waitUntil: "load" });
  const ready = await waitFor(page, async () =>
    (await page.evaluate(() => window.palmosPage.state)) === "running" &&
    (await control(page, "TWO MEDIA")) !== undefined, 30);
  return ready ? Date.now() - start : -1;
}

// A laptop.
{
  const page = await browser.newPage();
  await page.setViewport({ width: 1366, height: 768 });
  const errors = [];
  page.on("pageerror", (error) => errors.push(String(error)));
  const took = await open(page);
  expect(took >= 0, `the introduction is drawn, in ${took} ms`);
  console.log(`start-up: ${took} ms`);
  if (took >= 0) {
    const windows = await shown(page);
    const intro = windows.find((w) => w.controls.some((c) => c.text === "TWO MEDIA"));
    const introBox = { x: intro.x, y: intro.y, width: intro.width, height: intro.height };
    await shot(page, "introduction-english", introBox);
    expect((await control(page, "SIMPLE SOLUTION")) !== undefined, "the introduction speaks English");

    await press(page, await control(page, "GREEK"), false);
    expect(await waitFor(page, async () => (await control(page, "ΔΥΟ ΜΕΣΑ")) !== undefined, 5),
           "GREEK turns the captions into Greek");
    await shot(page, "introduction-greek", introBox);
    await press(page, await control(page, "ΑΓΓΛΙΚΑ"), false);
    expect(await waitFor(page, async () => (await control(page, "TWO MEDIA")) !== undefined, 5),
           "ENGLISH turns them back");

    await press(page, await control(page, "TWO MEDIA"), false);
    expect(await waitFor(page, async () => (await control(page, "START")) !== undefined, 10),
           "TWO MEDIA opens the two-media window");
    const two = (await shown(page)).find((w) => w.controls.some((c) => c.text === "START"));
    const string = { x: two.x, y: two.y, width: two.width, height: Math.round(two.height * 0.45) };
    const before = await shot(page, "two-media-before", string);
    await press(page, await control(page, "START"), false);
    // The browser's frames and the program's, over the same three seconds.
    const rates = await page.evaluate(() => new Promise((resolve) => {
      const program = window.palmosPage.module();
      let count = 0;
      const start = performance.now();
      const drawnBefore = program.palmosFramesDrawn();
      function frame(now) {
        count += 1;
        if (now - start < 3000) {
          requestAnimationFrame(frame);
        } else {
          const seconds = (now - start) / 1000;
          resolve({ browser: count / seconds, program: (program.palmosFramesDrawn() - drawnBefore) / seconds });
        }
      }
      requestAnimationFrame(frame);
    }));
    console.log(`frames a second during a step-mode run: the program drew ${rates.program.toFixed(1)}, ` +
                `the browser showed ${rates.browser.toFixed(1)}`);
    expect(await changedPixels(page, string, before), "the step mode's START moves the circles");
    await shot(page, "two-media-running", string);

    const bar = two.controls.find((c) => c.kind === "QScrollBar");
    await page.mouse.click(bar.x + bar.width / 2, bar.y + bar.height / 2, { button: "right" }).catch(() => {});
    expect(await answers(page), "a right-click on a scroll bar leaves the page working");
    const spot = emptySpot(two);
    await page.mouse.click(spot.x, spot.y, { button: "right" });
    expect(await waitFor(page, () => menuShown(page), 5), "a right-click opens the instruments' menu");
    // Its fourth item is Predict; predict mode's Save... downloads the worksheet.
    const downloads = mkdtempSync(join(tmpdir(), "palmos-downloads-"));
    const cdp = await page.createCDPSession();
    await cdp.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: downloads });
    for (let i = 0; i < 4; i += 1) {
      await page.keyboard.press("ArrowDown");
    }
    await page.keyboard.press("Enter");
    expect(await waitFor(page, async () => (await control(page, "Save...")) !== undefined, 5),
           "the menu's Predict turns predict mode on");
    await page.screenshot({ path: `${shots}/predict-mode.png` });
    const save = await control(page, "Save...");
    if (save) {
      await press(page, save, false);
    }
    const saved = await waitFor(page, async () =>
      readdirSync(downloads).some((name) => name.endsWith(".pdf")), 10);
    const pdf = saved ? readdirSync(downloads).find((name) => name.endsWith(".pdf")) : "";
    expect(saved && readFileSync(join(downloads, pdf)).subarray(0, 5).toString() === "%PDF-",
           `Save... downloads the worksheet as a PDF${pdf ? " (" + pdf + ")" : ""}`);

    // The menu's sixth item, Copy data, puts the run's table on the clipboard.
    await browser.defaultBrowserContext().overridePermissions(new URL(url).origin,
                                                              ["clipboard-read", "clipboard-write", "clipboard-sanitized-write"]);
    await page.mouse.click(spot.x, spot.y, { button: "right" });
    await waitFor(page, () => menuShown(page), 5);
    for (let i = 0; i < 6; i += 1) {
      await page.keyboard.press("ArrowDown");
    }
    await page.keyboard.press("Enter");
    let copied = "";
    await waitFor(page, async () => {
      copied = await page.evaluate(() => navigator.clipboard.readText().catch(() => ""));
      return copied.includes("\t");
    }, 5);
    expect(copied.split("\n").length > 60 && copied.includes("\t"),
           `Copy data puts the run's table on the clipboard (${copied.split("\n").length} lines)`);
  }
  expect(errors.length === 0, `no error in the page${errors.length ? ": " + errors.join("; ") : ""}`);
  await page.close();
}

// A run-time error: its message in the page, then the program ended.
{
  const page = await browser.newPage();
  await page.setViewport({ width: 1366, height: 768 });
  if ((await open(page)) >= 0) {
    await page.evaluate(() => window.palmosPage.module().palmosRaiseRunTimeError());
    const said = await waitFor(page, async () =>
      (await shown(page)).some((w) => w.controls.some((c) => c.text === "Run-time error: Overflow")), 10);
    expect(said, "a run-time error is reported in the page");
    await page.screenshot({ path: `${shots}/run-time-error.png` });
    const ok = await control(page, "OK");
    if (ok) {
      await press(page, ok, false);
    }
    expect(await waitFor(page, async () =>
      (await page.evaluate(() => window.palmosPage.exitCode)) === 1, 10),
           "after its message the program ends with status 1, and the page says so");
  } else {
    expect(false, "the introduction is drawn for the run-time error");
  }
  await page.close();
}

// A landscape phone with touch, then the end, then offline.
{
  const page = await browser.newPage();
  await page.setViewport({ width: 844, height: 390, isMobile: true, hasTouch: true, deviceScaleFactor: 3 });
  const took = await open(page);
  expect(took >= 0, "the introduction is drawn on a landscape phone");
  if (took >= 0) {
    await press(page, await control(page, "GREEK"), true);
    expect(await waitFor(page, async () => (await control(page, "ΔΥΟ ΜΕΣΑ")) !== undefined, 5),
           "a tap on GREEK works");
    await press(page, await control(page, "ΔΥΟ ΜΕΣΑ"), true);
    expect(await waitFor(page, async () => (await control(page, "ΞΕΚΙΝΑ")) !== undefined, 10),
           "a tap on ΔΥΟ ΜΕΣΑ opens the two-media window");
    const two = (await shown(page)).find((w) => w.controls.some((c) => c.text === "ΞΕΚΙΝΑ"));
    expect(two.x >= 0 && two.y >= 0 && two.x + two.width <= 844 && two.y + two.height <= 390,
           `the whole two-media window is on the phone's screen (${two.width} x ${two.height} at ${two.x}, ${two.y})`);
    await page.screenshot({ path: `${shots}/phone-two-media.png` });

    // A finger a few pixels beside an option button still reaches it: the
    // one not chosen first, then the other.
    const ends = ["ΣΤΑΘΕΡΟ ΑΚΡΟ", "ΕΛΕΥΘΕΡΟ ΑΚΡΟ"];
    if ((await control(page, ends[0])).checked) {
      ends.reverse();
    }
    for (const name of ends) {
      const option = await control(page, name);
      const above = name === "ΣΤΑΘΕΡΟ ΑΚΡΟ";
      const y = above ? option.y - 4 : option.y + option.height + 3;
      await page.touchscreen.tap(option.x + option.width / 2, y);
      expect(await waitFor(page, async () => (await control(page, name)).checked, 5),
             `a tap ${above ? "just above" : "just below"} ${name} chooses it`);
    }
    const spot = emptySpot(two);
    await page.touchscreen.touchStart(spot.x, spot.y);
    await new Promise((resolve) => setTimeout(resolve, 1000));
    await page.touchscreen.touchEnd();
    expect(await waitFor(page, () => menuShown(page), 5), "a finger held still opens the instruments' menu");
    const held = (await shown(page)).find((w) => w.kind === "QMenu");
    expect(held !== undefined && held.height >= 6 * 44,
           `its six items are touch targets of 44 pixels (the menu is ${held ? held.height : 0} high)`);
    await page.screenshot({ path: `${shots}/phone-menu.png` });
    await page.keyboard.press("Escape");

    await page.setViewport({ width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 3 });
    let outside = [];
    const fits = await waitFor(page, async () => {
      const upright = (await shown(page)).find((w) => w.controls.some((c) => c.text === "ΞΕΚΙΝΑ"));
      // The text box reaches 8 design pixels past the design screen's 800, so
      // upright at zoom 390/800 its last pixels are cut; at least the greater
      // part of every control is on the screen, to be seen and reached.
      outside = upright.controls.filter((c) => c.x < 0 || c.x + c.width / 2 > 390)
        .map((c) => `${c.kind} "${c.text}" at ${c.x}..${c.x + c.width}`);
      return upright.x >= 0 && upright.y >= 0 && upright.x + upright.width <= 390 &&
             upright.y + upright.height <= 844 && upright.width > 300 && outside.length === 0;
    }, 5);
    expect(fits, "turned upright, the phone shows the whole two-media window and each of its controls " +
           `across its width${outside.length ? ": " + outside.join(", ") + " is not" : ""}`);
    await page.screenshot({ path: `${shots}/phone-upright.png` });
    await press(page, await control(page, "ΕΙΣΑΓΩΓΗ"), true);
    await press(page, await control(page, "ΤΕΡΜΑ"), true);
    expect(await waitFor(page, async () =>
      (await page.evaluate(() => window.palmosPage.state)) === "ended", 10),
           "END ends the program and the page says so");
    await page.screenshot({ path: `${shots}/ended.png` });

    const offline = await waitFor(page, async () =>
      page.evaluate(async () => (await navigator.serviceWorker.getRegistration()) !== undefined &&
                                navigator.serviceWorker.controller !== null), 20);
    expect(offline, "the service worker keeps the folder");
    await page.setOfflineMode(true);
    expect((await open(page)) >= 0, "the page opens again with the network off");
    await page.setOfflineMode(false);
  }
  await page.close();
}

await browser.close();
console.log(`web: ${passed} passed, ${failures} failed`);
process.exit(failures === 0 ? 0 : 1);
