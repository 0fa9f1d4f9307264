// The tab interface of the browser tests (see harness.mjs) for Debian's Chromium, over the
// DevTools protocol, and Firefox ESR, over WebDriver BiDi: both through puppeteer-core.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import { startXvfb } from './local.mjs';

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
// Firefox off the network too, its offline worker allowed on the loopback test server.
const firefoxPrefs = {
  'dom.serviceWorkers.enabled': true,
  'dom.serviceWorkers.testing.enabled': true,
  'network.dns.disableIPv6': true,
  'browser.safebrowsing.malware.enabled': false,
  'browser.safebrowsing.phishing.enabled': false,
  'extensions.update.enabled': false,
  'app.update.enabled': false,
};

const engines = {
  chromium: (throttled, headful) => {
    const flags = headful ? chromiumFlags.filter((f) => f !== '--headless') : chromiumFlags;
    return {
      executablePath: '/usr/bin/chromium',
      args: throttled ? flags : [...flags, ...unthrottled],
      ignoreDefaultArgs: throttled ? unthrottled : [],
    };
  },
  firefox: () => ({ browser: 'firefox', executablePath: '/usr/bin/firefox-esr', extraPrefsFirefox: firefoxPrefs }),
};

// Firefox's driver knows the space bar by its key, not by its code.
const keyNames = { firefox: { Space: ' ' } };

function tabOf(page, patience, engine) {
  const named = (key) => keyNames[engine]?.[key] ?? key;
  return {
    page, // the engine's own protocol, for the tests that name their engine
    evaluate: (fn, ...args) => page.evaluate(fn, ...args),
    waitFor: (fn, ...args) => page.waitForFunction(fn, { timeout: patience, polling: 20 }, ...args),
    press: (key) => page.keyboard.press(named(key)),
    down: (key) => page.keyboard.down(named(key)),
    up: (key) => page.keyboard.up(named(key)),
    click: (selector) => page.click(selector),
    async mouse(steps) {
      for (const [kind, x, y] of steps) {
        await (kind === 'move' ? page.mouse.move(x, y) : page.mouse[kind]());
      }
    },
    screenshot: () => page.screenshot({ encoding: 'base64' }),
    resize: ({ width, height, dpr = 1 }) => page.setViewport({ width, height, deviceScaleFactor: dpr }),
    goto: (url) => page.goto(url),
    reload: () => page.reload(),
    close: () => page.close(),
  };
}

// { throttled: true } (Chromium): a tab in the background gets its timers held back, as in a
// player's browser; { headful: true }: in a window of its own on a private display, where the
// browser's toolbar can take the focus as it would from a player.
export async function launch(engine, { throttled = false, headful = false, patience }) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), `worm-${engine}-`));
  const xvfb = headful ? await startXvfb() : null;
  const browser = await puppeteer.launch({
    headless: !headful, userDataDir: profile, timeout: 60_000, protocolTimeout: 120_000,
    env: xvfb ? { ...process.env, DISPLAY: xvfb.display } : process.env, ...engines[engine](throttled, headful),
  });
  return {
    version: await browser.version(),
    browser,
    pid: browser.process()?.pid, // for what the system knows of its processes
    // A new tab on site + search, sized as the view says, running scripts (sources) before the
    // page's own on every load; { fresh: true } gives it a profile of its own, closed with it.
    async open(site, search, { width, height, dpr = 1, touch = false, script = true, fresh = false }, scripts) {
      const context = fresh ? await browser.createBrowserContext() : null;
      const page = await (context ?? browser).newPage();
      if (!script) await page.setJavaScriptEnabled(false);
      await page.setViewport({ width, height, deviceScaleFactor: dpr, isMobile: touch, hasTouch: touch });
      for (const source of scripts) await page.evaluateOnNewDocument(source);
      await page.goto(site.url + search);
      const tab = tabOf(page, patience, engine);
      if (context) tab.close = () => context.close();
      return tab;
    },
    async close() {
      await browser.close();
      xvfb?.stop();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}
