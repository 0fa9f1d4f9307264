// The browser tests' harness: the built page served by nginx on 127.0.0.1, one engine driven
// through one tab interface (WORM_BROWSER: chromium, firefox or webkit), and the board read back
// from the canvas's pixels.
//
// A tab: evaluate(fn, ...args) and waitFor(fn, ...args) in the page; press(key), down(key),
// up(key) by puppeteer's key names; click(selector) and mouse([[kind, x, y]...]) with a real
// pointer; screenshot() (PNG, base64); resize(view); goto(url); reload(); problems(); close(). tab.page is
// the engine's own protocol, for a test that names its engine.
import { after, before } from 'node:test';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { serveWithNginx } from './nginx.mjs';
import { launch as launchPuppeteer } from './puppeteer_driver.mjs';
import { installRecorder } from './recorder.mjs';
import { launch as launchWebDriver } from './webdriver_driver.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
export const siteDir = process.env.WORM_WEB_DIR ?? path.resolve(here, '../../build/web/window/web');
export const buildDir = process.env.WORM_WEB_BUILD ?? path.resolve(here, '../../build/web');
export const engine = process.env.WORM_BROWSER ?? 'chromium';

// What each engine's driver can do beyond the tab interface: a device pixel ratio of its choosing,
// a phone-sized view (MiniBrowser's window is wider), scripts before the page's own on every load
// (not on the first alone), a page without scripts, a key held down that repeats, a touch screen,
// and a second tab in front of the game's.
export const can = {
  chromium: { dpr: true, phone: true, everyLoad: true, noScript: true, keyRepeat: true, touchScreen: true, backgroundTab: true },
  firefox: { dpr: true, phone: true, everyLoad: true, noScript: false, keyRepeat: true, touchScreen: true, backgroundTab: true },
  webkit: { dpr: false, phone: false, everyLoad: false, noScript: false, keyRepeat: false, touchScreen: false, backgroundTab: false },
}[engine];

// Generous bounds: a shared, loaded 2-core machine can be slow, but never stuck for this long.
export const patience = 30_000;

// The site as players get it: dir served by nginx with the repository's configuration.
export const serveSite = (dir = siteDir, options = {}) => serveWithNginx(dir, options);

// The engine the tests run in; with { throttled: true } (Chromium), as a player's browser holds
// back the timers of a tab in the background.
export async function launchBrowser(options = {}) {
  return (engine === 'webkit' ? launchWebDriver : launchPuppeteer)(engine, { patience, ...options });
}

// One site and one browser for a test file, started before its tests and closed after them.
// Returns the open function its tests call, and the browser for tabs of their own.
export function useGame(browserOptions = {}) {
  const shared = {};
  before(async () => {
    shared.site = await serveSite();
    shared.browser = await launchBrowser(browserOptions);
  });
  after(async () => {
    await shared.browser?.close();
    await shared.site?.close();
  });
  return {
    open: (options) => openGame(shared.browser, shared.site, options),
    browser: () => shared.browser,
    site: () => shared.site,
  };
}

// A fresh tab on the game, its first board drawn. A seed makes every board of the tab the same.
// { touch: true } makes it a phone or tablet where the driver can; { script } (a function, or a
// script's source, or a list of them) runs in the page before any of its own.
export async function openGame(browser, site, { seed, width = 560, height = 600, dpr = 1, touch = false, script } = {}) {
  const scripts = [installRecorder].concat(script ?? []).map((f) => (typeof f === 'string' ? f : `(${f})();`));
  const tab = await browser.open(site, seed === undefined ? '' : `?seed=${seed}`, { width, height, dpr, touch }, scripts);
  await tab.waitFor(() => window.wormRecorder?.records.length > 0);
  tab.problems = () => tab.evaluate(() => window.wormRecorder.problems);
  return tab;
}

// In the page: finger(type, x, y, { id, primary }) is one touch pointer's event at a point, sent
// to what lies there; swipe(x, y, dx, dy) a whole stroke of one finger, a tap if it goes nowhere;
// send(input, by) one input (an arrow, P or Space) as the keyboard ('keys') or a finger on the
// board ('touch': P is the touch bar's pause control, Space a tap) would, synchronously.
export function installFingers() {
  const codes = { ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, P: 80, Space: 32 };
  const strokes = { ArrowLeft: [-24, 0], ArrowUp: [0, -24], ArrowRight: [24, 0], ArrowDown: [0, 24] };
  window.send = (input, by = 'keys') => {
    if (by === 'keys') {
      window.dispatchEvent(new KeyboardEvent('keydown', { keyCode: codes[input], bubbles: true, cancelable: true }));
    } else if (input === 'P') {
      document.getElementById('pausekey').click();
    } else {
      const r = document.getElementById('board').getBoundingClientRect();
      window.swipe(r.left + r.width / 2, r.top + r.height / 2, ...(strokes[input] ?? [0, 0]));
    }
  };
  window.finger = (type, x, y, { id = 1, primary = true } = {}) => {
    (document.elementFromPoint(x, y) ?? document.body).dispatchEvent(new PointerEvent(type, {
      pointerType: 'touch', pointerId: id, isPrimary: primary, clientX: x, clientY: y, bubbles: true, cancelable: true,
    }));
  };
  window.swipe = (x, y, dx, dy, options) => {
    window.finger('pointerdown', x, y, options);
    if (dx || dy) window.finger('pointermove', x + dx, y + dy, options);
    window.finger('pointerup', x + dx, y + dy, options);
  };
}

// Waits, within the bound, until the page has recorded at least n boards (one per title change).
export async function waitForRecords(tab, n) {
  await tab.waitFor((k) => window.wormRecorder.records.length >= k, n);
}

export const recordCount = (tab) => tab.evaluate(() => window.wormRecorder.records.length);
export const recordsFrom = (tab, from) => tab.evaluate((k) => window.wormRecorder.records.slice(k), from);
export const lastRecord = async (tab) => (await recordsFrom(tab, -1))[0];
export const snapshot = (tab) => tab.evaluate(() => window.wormRecorder.snapshot());
export const waitForButton = (tab, id) => tab.waitFor((b) => window.wormRecorder.snapshot()[b] !== null, id);
export const phone = { width: 390, height: 844, dpr: 3, touch: true };

// Lets a number of the game's periods pass in the page's own time, for checks that nothing happens.
export async function letPeriodsPass(tab, periods) {
  await tab.evaluate((ms) => new Promise((resolve) => setTimeout(resolve, ms)), periods * 75);
}

// "Score:  12/ 340" -> { score: 12, best: 340 }
export function parseScore(title) {
  const m = /^Score:  (\d+)\/ (\d+)$/.exec(title);
  if (!m) {
    throw new Error(`not a score line: ${JSON.stringify(title)}`);
  }
  return { score: Number(m[1]), best: Number(m[2]) };
}

export const cellAt = (cells, col, row) => cells[(row - 1) * 50 + (col - 1)];
export const count = (cells, kind) => [...cells].filter((c) => c === kind).length;
export const isWall = (col, row) => col === 1 || col === 50 || row === 1 || row === 50;

export function positionsOf(cells, kind) {
  const found = [];
  [...cells].forEach((c, i) => c === kind && found.push({ col: (i % 50) + 1, row: Math.floor(i / 50) + 1 }));
  return found;
}

export const headings = {
  ArrowUp: { dc: 0, dr: -1 },
  ArrowDown: { dc: 0, dr: 1 },
  ArrowLeft: { dc: -1, dr: 0 },
  ArrowRight: { dc: 1, dr: 0 },
};

// The arrows whose straight runs from the head reach the wall over empty cells only, nearest first.
export function clearRunsToWall(cells, head) {
  const runs = [];
  for (const [key, { dc, dr }] of Object.entries(headings)) {
    let col = head.col + dc;
    let row = head.row + dr;
    let steps = 1;
    while (!isWall(col, row) && cellAt(cells, col, row) === '.') {
      col += dc;
      row += dr;
      steps += 1;
    }
    if (isWall(col, row)) {
      runs.push({ key, steps });
    }
  }
  return runs.sort((a, b) => a.steps - b.steps);
}
