// The tab interface of the browser tests (see harness.mjs) for WebKitGTK: its MiniBrowser driven
// by WebKitWebDriver over W3C WebDriver (plain HTTP and JSON), on a private Xvfb display.
import { spawn } from 'node:child_process';
import { freePort, startXvfb } from './local.mjs';

const miniBrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';

// Puppeteer's key names as WebDriver key values.
const special = {
  Enter: '\uE007', Tab: '\uE004', Escape: '\uE00C', Space: ' ', Alt: '\uE00A', Shift: '\uE008',
  ShiftLeft: '\uE008', Home: '\uE011', End: '\uE010', PageDown: '\uE00F', PageUp: '\uE00E',
  ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015', Backquote: '`',
};
const keyValue = (key) => special[key] ?? key.replace(/^Key/, '').replace(/^Digit/, '').toLowerCase();

async function call(base, method, route, body) {
  const response = await fetch(base + route, {
    method, headers: { 'content-type': 'application/json' }, body: method === 'POST' ? JSON.stringify(body ?? {}) : undefined,
  });
  const { value } = await response.json();
  if (!response.ok) throw new Error(`WebDriver ${method} ${route}: ${value.error}: ${value.message}`);
  return value;
}

// A script for execute/async: runs fn with the arguments, waits for its promise, and hands back
// its value or its error.
const asyncCall = (fn) => `const done = arguments[arguments.length - 1];
  const args = Array.prototype.slice.call(arguments, 0, -1);
  Promise.resolve().then(() => (${fn}).apply(null, args))
    .then((value) => done({ value }), (e) => done({ error: String(e && e.stack || e) }));`;

// The same, polling fn every 20 ms until it gives something true or the bound passes.
const pollCall = (fn, patience) => `const done = arguments[arguments.length - 1];
  const args = Array.prototype.slice.call(arguments, 0, -1);
  const until = performance.now() + ${patience};
  const poll = () => Promise.resolve().then(() => (${fn}).apply(null, args)).catch(() => false).then((v) => {
    if (v) done({ value: v });
    else if (performance.now() > until) done({ error: 'waited ${patience} ms in vain for ' + ${JSON.stringify(String(fn).slice(0, 120))} });
    else setTimeout(poll, 20);
  });
  poll();`;

function tabOf(session, scripts, patience) {
  const run = async (script, args) => {
    const { value, error } = await session('POST', '/execute/async', { script, args });
    if (error) throw new Error(error);
    return value;
  };
  const actions = (list) => session('POST', '/actions', { actions: list });
  const keys = (list) => actions([{ type: 'key', id: 'keyboard', actions: list }]);
  const pointer = (list) => actions([{ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' }, actions: list }]);
  const at = (x, y) => ({ type: 'pointerMove', origin: 'viewport', x: Math.round(x), y: Math.round(y), duration: 0 });
  const tab = {
    evaluate: (fn, ...args) => (typeof fn === 'string'
      ? session('POST', '/execute/sync', { script: fn, args: [] }) : run(asyncCall(fn), args)),
    waitFor: (fn, ...args) => run(pollCall(fn, patience), args),
    press: (key) => keys([{ type: 'keyDown', value: keyValue(key) }, { type: 'keyUp', value: keyValue(key) }]),
    down: (key) => keys([{ type: 'keyDown', value: keyValue(key) }]),
    up: (key) => keys([{ type: 'keyUp', value: keyValue(key) }]),
    async click(selector) {
      const r = await tab.evaluate((s) => {
        const b = document.querySelector(s).getBoundingClientRect();
        return { x: b.left + b.width / 2, y: b.top + b.height / 2 };
      }, selector);
      await pointer([at(r.x, r.y), { type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }]);
    },
    mouse: (steps) => pointer(steps.map(([kind, x, y]) => (kind === 'move' ? at(x, y)
      : { type: kind === 'down' ? 'pointerDown' : 'pointerUp', button: 0 }))),
    screenshot: () => session('GET', '/screenshot'),
    // The window's outer size less what MiniBrowser's toolbar takes.
    async resize({ width, height }) {
      const [w, h] = await tab.evaluate(() => [outerWidth - innerWidth, outerHeight - innerHeight]);
      await session('POST', '/window/rect', { width: width + w, height: height + h });
      await tab.waitFor((a, b) => innerWidth === a && innerHeight === b, width, height);
    },
    goto: (url) => session('POST', '/url', { url }),
    // No script runs before the page's own after a reload: they run as soon as it has loaded.
    async reload() {
      await session('POST', '/refresh');
      for (const source of scripts) await session('POST', '/execute/sync', { script: source, args: [] });
    },
    close: () => session('DELETE', ''),
  };
  return tab;
}

// One MiniBrowser (one session) for each tab: a fresh, private profile every time.
export async function launch(engine, { patience }) {
  const x = await startXvfb();
  const port = await freePort();
  const driver = spawn('WebKitWebDriver', [`--port=${port}`, '--replace-on-new-session'], {
    env: { ...process.env, DISPLAY: x.display }, stdio: 'ignore',
  });
  const base = `http://127.0.0.1:${port}`;
  for (let tries = 0; ; tries += 1) {
    try {
      await call(base, 'GET', '/status');
      break;
    } catch (e) {
      if (tries > 200) throw e;
      await new Promise((resolve) => setTimeout(resolve, 25));
    }
  }
  let version = 'WebKitGTK';
  return {
    get version() { return version; },
    pid: driver.pid, // for what the system knows of its processes (MiniBrowser runs below the driver)
    // A new tab on site + search (a query, or a path with or without one); the scripts (sources)
    // go in by the test server's page. Every tab has a fresh profile already.
    async open(site, search, { width, height }, scripts) {
      const caps = { 'webkitgtk:browserOptions': { binary: miniBrowser, args: ['--automation'] } };
      const created = await call(base, 'POST', '/session', { capabilities: { alwaysMatch: caps } });
      version = `WebKitGTK ${created.capabilities.browserVersion}`;
      const session = (method, route, body) => call(base, method, `/session/${created.sessionId}${route}`, body);
      await session('POST', '/timeouts', { script: patience + 5_000 });
      const tab = tabOf(session, scripts, patience);
      await session('POST', '/window/rect', { width, height });
      await tab.resize({ width, height });
      const query = scripts.length > 0 ? site.preload(scripts.join(';\n')) : '';
      const joined = query ? `${search}${search.includes('?') ? '&' : '?'}${query}` : search;
      await session('POST', '/url', { url: site.url + joined });
      return tab;
    },
    async close() {
      driver.kill();
      x.stop();
    },
  };
}
