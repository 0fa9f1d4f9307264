// The browser tests' harness: the built page served on 127.0.0.1, Debian's Chromium driven through
// puppeteer-core (never a downloaded browser), and the board read back from the canvas's pixels.
import { after, before } from 'node:test';
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';
import { installRecorder } from './recorder.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
export const siteDir = process.env.WORM_WEB_DIR ?? path.resolve(here, '../../build/web/window/web');

// Generous bounds: a shared, loaded 2-core machine can be slow, but never stuck for this long.
export const patience = 30_000;

const types = {
  '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.svg': 'image/svg+xml',
  '.css': 'text/css', '.png': 'image/png', '.webmanifest': 'application/manifest+json',
};

// A plain file server on a free loopback port, like any static host would be. Its `swapped` map
// (URL path -> bytes) hands out other bytes than the folder's, as a deployment half done does.
export async function serveSite(dir = siteDir) {
  const swapped = new Map();
  const server = http.createServer((req, res) => {
    const name = new URL(req.url, 'http://127.0.0.1').pathname.replace(/\/$/, '/index.html');
    const file = path.join(dir, path.normalize(name));
    const type = types[path.extname(file)];
    if (!file.startsWith(dir) || !type || !(swapped.has(name) || fs.existsSync(file))) {
      res.writeHead(404).end();
      return;
    }
    res.writeHead(200, { 'Content-Type': type, 'Cache-Control': 'no-store' });
    if (swapped.has(name)) res.end(swapped.get(name));
    else fs.createReadStream(file).pipe(res);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { url: `http://127.0.0.1:${server.address().port}/`, swapped, close: () => server.close() };
}

// Flags that keep Chromium off the network.
const chromiumFlags = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];
// Flags that keep a tab's timers at full speed while another tab is in front.
const unthrottled = [
  '--disable-background-timer-throttling', '--disable-renderer-backgrounding',
  '--disable-backgrounding-occluded-windows',
];

// A private X display for a browser in a real window: Xvfb picks a free number and writes it to fd 3.
async function startXvfb() {
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
    { stdio: ['ignore', 'ignore', 'inherit', 'pipe'] });
  const display = await new Promise((resolve, reject) => {
    xvfb.stdio[3].once('data', (d) => resolve(`:${String(d).trim()}`));
    xvfb.once('exit', (code) => reject(new Error(`Xvfb ended with ${code}`)));
  });
  return { display, stop: () => xvfb.kill() };
}

// Chromium as the tests drive it; with { throttled: true }, as a player's browser holds back the
// timers of a tab in the background; with { headful: true }, in a window of its own on a private
// display, where the browser's toolbar can take the focus as it would from a player.
export async function launchBrowser({ throttled = false, headful = false } = {}) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'worm-chromium-'));
  const xvfb = headful ? await startXvfb() : null;
  const flags = headful ? chromiumFlags.filter((f) => f !== '--headless') : chromiumFlags;
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: !headful,
    args: throttled ? flags : [...flags, ...unthrottled],
    ignoreDefaultArgs: throttled ? unthrottled : [],
    env: xvfb ? { ...process.env, DISPLAY: xvfb.display } : process.env,
    userDataDir: profile,
    timeout: 60_000,
    protocolTimeout: 120_000,
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    xvfb?.stop();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return browser;
}

// A fresh tab on the game, its first board drawn. A seed makes every board of the tab the same.
// One site and one browser for a test file, started before its tests and closed after them.
// Returns the open function its tests call, and the browser for a page of their own.
export function useGame(browserOptions = {}) {
  const shared = {};
  before(async () => {
    shared.site = await serveSite();
    shared.browser = await launchBrowser(browserOptions);
  });
  after(async () => {
    await shared.browser?.close();
    shared.site?.close();
  });
  return {
    open: (options) => openGame(shared.browser, shared.site, options),
    browser: () => shared.browser,
    site: () => shared.site,
  };
}

// { touch: true } makes it a phone or tablet: a touch screen and a coarse pointer; { script }
// runs in the page before any of its own.
export async function openGame(browser, site, { seed, width = 560, height = 600, dpr = 1, touch = false, script } = {}) {
  const page = await browser.newPage();
  const problems = [];
  page.on('pageerror', (e) => problems.push(String(e)));
  page.on('console', (m) => m.type() === 'error' && problems.push(m.text()));
  await page.setViewport({ width, height, deviceScaleFactor: dpr, isMobile: touch, hasTouch: touch });
  await page.evaluateOnNewDocument(installRecorder);
  if (script) await page.evaluateOnNewDocument(script);
  await page.goto(site.url + (seed === undefined ? '' : `?seed=${seed}`));
  await page.waitForFunction(() => window.wormRecorder?.records.length > 0, { timeout: patience });
  return { page, problems };
}

// Waits, within the bound, until the page has recorded at least n boards (one per title change).
export async function waitForRecords(page, n) {
  await page.waitForFunction((k) => window.wormRecorder.records.length >= k, { timeout: patience, polling: 20 }, n);
}

export const recordCount = (page) => page.evaluate(() => window.wormRecorder.records.length);
export const recordsFrom = (page, from) => page.evaluate((k) => window.wormRecorder.records.slice(k), from);
export const lastRecord = async (page) => (await recordsFrom(page, -1))[0];
export const snapshot = (page) => page.evaluate(() => window.wormRecorder.snapshot());
export const phone = { width: 390, height: 844, dpr: 3, touch: true };

// Lets a number of the game's periods pass in the page's own time, for checks that nothing happens.
export async function letPeriodsPass(page, periods) {
  await page.evaluate((ms) => new Promise((resolve) => setTimeout(resolve, ms)), periods * 75);
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
