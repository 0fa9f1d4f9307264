// The page as a site: served with the headers it needs, installable, playable offline after one
// visit, replaced whole by a new build, strict about what it runs, and never silent when it
// cannot start.
import assert from 'node:assert/strict';
import crypto from 'node:crypto';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { describe, it } from 'node:test';
import { can, engine, letPeriodsPass, openGame, serveSite, siteDir, waitForRecords, useGame } from './harness.mjs';

const game = useGame();

const copyOfSite = (to) => fs.cpSync(siteDir, to, { recursive: true, filter: (f) => !f.includes('CMakeFiles') });
const sha256 = (file) => crypto.createHash('sha256').update(fs.readFileSync(file)).digest('hex');
// The page as an upload cut short leaves it, ending halfway through the game's script; or with
// one space more in that script, which would run as well but no longer has its hash.
const cutShort = (page) => page.slice(0, (page.lastIndexOf('<script>') + page.length) / 2);
const spaceAdded = (page) => page.replace(/<script>(?!.*<script>)/s, '<script> ');
const changePage = (dir, how) => fs.writeFileSync(path.join(dir, 'index.html'), how(fs.readFileSync(path.join(dir, 'index.html'), 'utf8')));

// A copy of the built site, changed by change(dir), served on a port of its own as options say.
async function serveCopy(change = () => {}, options = {}) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'worm-site-'));
  copyOfSite(dir);
  change(dir);
  return Object.assign(await serveSite(dir, options), { dir });
}

// Before the page's own scripts: the module's import name throws as a trap does, from main on, or
// (later) from the first tick after a key; window.trapped counts its calls from then.
function trap(name, later = false) {
  const { instantiate } = WebAssembly;
  WebAssembly.instantiate = (module, imports) => {
    for (const [key, f] of Object.entries(imports.a).filter(([, g]) => g.name === name)) {
      imports.a[key] = (...args) => {
        if (later && !window.armed) return f(...args);
        window.trapped = (window.trapped ?? 0) + 1;
        throw new WebAssembly.RuntimeError('unreachable');
      };
    }
    return instantiate.call(WebAssembly, module, imports);
  };
  if (later) addEventListener('keydown', () => setTimeout(() => { window.armed = true; }));
}

// The base64 of the module inside a page.
const moduleText = /(<script id="module"[^>]*>)([^<]*)/;

// Build "B" of a copy: a page that says so, with a module inside that says so in a custom section,
// and an offline worker with the page's new hash and a new build name, as a real new build's would be.
function makeBuildB(dir) {
  const sw = path.join(dir, 'sw.js');
  const page = path.join(dir, 'index.html');
  const before = sha256(page);
  const name = Buffer.from('worm-test-build');
  const section = Buffer.concat([Buffer.from([0, name.length + 2, name.length]), name, Buffer.from('B')]);
  changePage(dir, (p) => `${p.replace(moduleText, (_, tag, text) => tag + Buffer.concat([Buffer.from(text, 'base64'), section]).toString('base64'))}<!-- build B -->\n`);
  fs.writeFileSync(sw, fs.readFileSync(sw, 'utf8').replace(/\b[0-9a-f]{16}'/, "b0b0b0b0b0b0b0b0'").replaceAll(before, sha256(page)));
  // A real deployment comes seconds later at least: a later mtime gives each file a new ETag, where
  // one written within the second of the last answer, at the same size, would get a 304 from nginx.
  const later = new Date(Date.now() + 5000);
  for (const file of ['index.html', 'sw.js']) fs.utimesSync(path.join(dir, file), later, later);
}

// Which build's script and module a page runs: 'A' unless build B's marks are there.
function watchBuilds() {
  const { instantiate } = WebAssembly;
  WebAssembly.instantiate = (module, imports) => {
    const [s] = WebAssembly.Module.customSections(module, 'worm-test-build');
    window.wasmBuild = s ? new TextDecoder().decode(s) : 'A';
    return instantiate.call(WebAssembly, module, imports);
  };
}
const buildsOf = (tab) => tab.evaluate(() => [document.lastChild.data === ' build B ' ? 'B' : 'A', window.wasmBuild]);
const offlineReady = (tab) => tab.waitFor(() => navigator.serviceWorker.controller !== null);
// Loads the page (at url, or again) and says which builds it runs once its board is up.
async function load(tab, url) {
  await (url ? tab.goto(url) : tab.reload());
  await tab.waitFor(() => window.wasmBuild !== undefined && document.title.startsWith('Score:'));
  return buildsOf(tab);
}
// Build B has taken its copy and taken over; with { only: true }, no other build's copy is left.
const tookOver = (tab, { only = false } = {}) => tab.waitFor(async (alone) => {
  const r = await navigator.serviceWorker.getRegistration();
  const names = await caches.keys();
  return !r.installing && !r.waiting && names.some((n) => n.includes('b0b0b0b0b0b0b0b0')) && (!alone || names.length === 1);
}, only);
// Asks the browser to look for a new build: what became of it, 'installed' or 'redundant'. The
// new worker is caught as it is found, by this check or by the one that follows a load, which
// Firefox runs a second late: by the time this one is over, that one may have taken the build
// whole, and this one then finds nothing newer.
const update = (tab) => tab.evaluate(async () => {
  const r = await navigator.serviceWorker.getRegistration();
  let worker = r.installing ?? r.waiting;
  r.addEventListener('updatefound', () => { worker ??= r.installing; });
  await r.update();
  worker ??= r.installing ?? r.waiting;
  if (!worker) return 'no new build';
  return new Promise((resolve) => {
    const settled = () => worker.state !== 'installing' && resolve(worker.state === 'redundant' ? 'redundant' : 'installed');
    worker.addEventListener('statechange', settled);
    settled();
  });
});
// A tab on site + path that tells which builds it runs, from before the page's own scripts on
// every load: what WebKit's driver cannot do, so these tests skip there. With { held: true }, its
// page never lets a waiting build take over; letTakeOver() in it does.
const watched = (site, where = '', { held = false } = {}) => game.browser().open(site, where, { width: 560, height: 600 },
  [`(${watchBuilds})();`].concat(held ? [`(${holdTakeOver})();`] : []));
function holdTakeOver() {
  const { postMessage } = ServiceWorker.prototype;
  ServiceWorker.prototype.postMessage = () => {};
  window.letTakeOver = async () => postMessage.call((await navigator.serviceWorker.getRegistration()).waiting, 'take over');
}
// A copy of the site served, a watched tab that loaded build A from it, and its offline copy taken.
async function keptCopy(options) {
  const site = await serveCopy();
  const tab = await watched(site, '', options);
  const builds = await load(tab);
  await offlineReady(tab);
  return { site, tab, builds };
}

// The headers each kind of file came with, as the page's own fetch sees them.
function headersOf(files) {
  const names = ['content-type', 'content-encoding', 'cache-control', 'content-security-policy', 'x-content-type-options'];
  return Promise.all(files.map(async (f) => {
    const r = await fetch(f, { cache: 'no-store' });
    return [f, Object.fromEntries(names.map((n) => [n, r.headers.get(n)]))];
  })).then(Object.fromEntries);
}

// Whether the page shows its board inside a frame of its own origin.
const framed = () => new Promise((resolve) => {
  const frame = document.createElement('iframe');
  frame.src = 'index.html?framed';
  frame.onload = () => {
    let board = null;
    try { board = frame.contentDocument?.getElementById('board') ?? null; } catch { /* another origin's error page */ }
    resolve(board !== null);
  };
  document.body.append(frame);
});

describe('the site', () => {
  it('comes with its types, compression, caching and policy, in a folder too, and refuses to be framed', async () => {
    const site = await serveCopy((dir) => copyOfSite(path.join(dir, 'a')));
    const tab = await openGame(game.browser(), site, { seed: 7 });
    const got = await tab.evaluate(headersOf, ['index.html', 'sw.js', 'icon.svg', 'icon-192.png', 'a/', 'a/index.html', 'a/sw.js', 'a/icon.svg']);
    // The header says what the page's <meta> says, and what only a header can.
    const meta = /http-equiv="Content-Security-Policy"\s+content="([^"]+)"/.exec(fs.readFileSync(path.join(siteDir, 'index.html'), 'utf8'))[1];
    assert.match(meta, /^default-src 'self'; script-src 'self' 'wasm-unsafe-eval'( 'sha256-[^']+'){2}; style-src 'self' 'sha256-[^']+';/);
    for (const [file, h] of Object.entries(got)) {
      assert.equal(h['content-security-policy'], `${meta}; frame-ancestors 'none'`, file);
      assert.equal(h['x-content-type-options'], 'nosniff', file);
      const kept = /\.(svg|png)$/.test(file);
      assert.equal(h['cache-control'], kept ? 'max-age=86400' : 'no-cache', file);
      assert.equal(h['content-encoding'], file.endsWith('.png') ? null : 'gzip', file);
    }
    assert.match(got['index.html']['content-type'], /^text\/html\b/);
    assert.match(got['sw.js']['content-type'], /^text\/javascript\b/);
    assert.equal(await tab.evaluate(framed), false, 'the page showed inside a frame');
    await tab.close();
    await site.close();
  });

  it('is installable (Chromium\'s installability check)', { skip: engine !== 'chromium' }, async () => {
    const tab = await game.open({ seed: 7 });
    const cdp = await tab.page.createCDPSession();
    assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
    await tab.close();
  });

  it('runs no inline script and no string as code, and plays offline after one visit', async () => {
    const site = await serveCopy();
    const tab = await openGame(game.browser(), site, { seed: 7 });
    await offlineReady(tab);
    assert.deepEqual(await tab.problems(), [], 'the game loads and plays under its own policy');
    // An inline script, and a string run as code, as an injected one would try: both refused.
    const ran = await tab.evaluate(() => new Promise((resolve) => {
      const inline = document.createElement('script');
      inline.textContent = 'window.inlineRan = true';
      document.body.append(inline);
      setTimeout('window.stringRan = true', 0); // eslint-disable-line no-implied-eval
      setTimeout(() => resolve([window.inlineRan ?? false, window.stringRan ?? false]), 50);
    }));
    assert.deepEqual(ran, [false, false]);
    await site.close(); // the server gone: nothing answers any more
    await tab.reload();
    await waitForRecords(tab, 1);
    await tab.press('ArrowRight');
    await waitForRecords(tab, 3);
    await tab.close();
  });

  // These need a script before the page's own on every load, which WebKit's driver cannot do.
  it('keeps a waiting build\'s copy while other tabs load, plays it offline once it takes over, then drops the old', { skip: !can.everyLoad }, async () => {
    const { site, tab, builds } = await keptCopy({ held: true });
    assert.deepEqual(builds, ['A', 'A']);
    makeBuildB(site.dir);
    assert.equal(await update(tab), 'installed');
    // Its navigation answered by build A while B waits.
    const second = await watched(site, '', { held: true });
    assert.deepEqual(await load(second), ['A', 'A']);
    await tab.evaluate(() => window.letTakeOver());
    await tookOver(tab);
    site.down = true;
    assert.deepEqual(await load(tab), ['B', 'B'], 'build B took over without its copy');
    await second.close();
    await load(tab);
    await tookOver(tab, { only: true });
    await site.close();
    await tab.close();
  });

  it('keeps the build in charge while a deployment is half done, and takes the new one once whole', { skip: !can.everyLoad }, async () => {
    const { site, tab } = await keptCopy();
    const pageA = fs.readFileSync(path.join(site.dir, 'index.html'));
    makeBuildB(site.dir);
    for (const [served, bytes] of [['an old', pageA], ['a cut', pageA.subarray(0, 4000)]]) {
      site.swapped.set('/index.html', bytes);
      assert.equal(await update(tab), 'redundant', `build B was taken with ${served} index.html`);
    }
    site.down = true;
    assert.deepEqual(await load(tab), ['A', 'A'], 'the copy in charge plays offline');
    site.down = false;
    site.swapped.clear();
    assert.equal(await update(tab), 'installed');
    await tookOver(tab);
    site.down = true;
    assert.deepEqual(await load(tab), ['B', 'B']);
    await site.close();
    await tab.close();
  });

  it('keeps the copy of each folder of an origin', { skip: !can.everyLoad }, async () => {
    const site = await serveCopy((dir) => {
      copyOfSite(path.join(dir, 'a'));
      copyOfSite(path.join(dir, 'b'));
      makeBuildB(path.join(dir, 'b'));
    });
    const tab = await watched(site, 'a/');
    for (const folder of ['a/', 'b/']) {
      await load(tab, site.url + folder);
      await offlineReady(tab);
    }
    site.down = true;
    assert.deepEqual(await load(tab, `${site.url}a/`), ['A', 'A'], 'b/ took a/\'s copy away');
    assert.deepEqual(await load(tab, `${site.url}b/`), ['B', 'B']);
    await site.close();
    await tab.close();
  });

  it('answers a tab from the build it started with, after another tab lets a new build take over', { skip: !can.everyLoad }, async () => {
    const { site, tab: first } = await keptCopy();
    const second = await watched(site); // in front: a tab in the back runs no waits on frames
    await load(second);
    await second.evaluate(() => { window.startedWith = navigator.serviceWorker.controller; });
    makeBuildB(site.dir);
    assert.equal(await update(first), 'installed');
    await second.waitFor(() => navigator.serviceWorker.controller !== window.startedWith);
    // What the second tab asks for now, as one halfway through its load would, is of its own build.
    const asked = await second.evaluate(async (pattern) => {
      const page = await (await fetch('index.html', { cache: 'no-store' })).text();
      const bytes = Uint8Array.from(atob(new RegExp(pattern).exec(page)[2]), (c) => c.charCodeAt(0));
      const [s] = WebAssembly.Module.customSections(new WebAssembly.Module(bytes), 'worm-test-build');
      return [page.includes('<!-- build B -->') ? 'B' : 'A', s ? new TextDecoder().decode(s) : 'A'];
    }, moduleText.source);
    assert.deepEqual(asked, ['A', 'A'], 'a tab of build A was handed build B\'s files');
    site.down = true;
    assert.deepEqual(await load(second), ['B', 'B']);
    await site.close();
    await Promise.all([first.close(), second.close()]);
  });

  it('plays offline from a host with no directory index, one that redirects ./ or index.html to the other, and with a full quota', async (t) => {
    const fullQuota = async (tab, site) => (await tab.page.createCDPSession()).send('Storage.overrideQuotaForOrigin', { origin: site.url.slice(0, -1), quotaSize: 1 });
    const hosts = [['no index', 'index.html'], ['redirect', ''], ['pretty', '']].concat(engine === 'chromium' ? [[undefined, '', fullQuota]] : []);
    for (const [host, where, squeeze = () => {}] of hosts) {
      await t.test(host ?? 'a full quota', async () => {
        const site = await serveCopy(undefined, { host });
        const tab = await game.browser().open(site, where, { width: 560, height: 600 }, []);
        await offlineReady(tab);
        await squeeze(tab, site);
        for (const down of [false, true]) {
          site.down = down;
          await tab.goto(site.url);
          await tab.waitFor(() => document.title.startsWith('Score:'));
        }
        await Promise.all([tab.close(), site.close()]);
      });
    }
  });

  it('starts where the browser compiles no module over 4 KB on the page\'s thread, as older Chromium', async () => {
    const site = await serveCopy();
    const refuse = `WebAssembly.Module = new Proxy(WebAssembly.Module, { construct: (module, [bytes]) => {
      if (bytes.byteLength > 4096) throw new RangeError('WebAssembly.Compile is disallowed on the main thread');
      return new module(bytes);
    } });`;
    const tab = await game.browser().open(site, '', { width: 560, height: 600 }, [refuse]);
    await tab.waitFor(() => document.title.startsWith('Score:'));
    assert.equal(await tab.evaluate(() => document.getElementById('error').hidden), true);
    await tab.close();
    await site.close();
  });

  it('says in a plain sentence why it cannot start or stopped', async (t) => {
    const cases = [
      ['page cut short', (d) => changePage(d, cutShort), /page is damaged/],
      ['page cut inside its module', (d) => changePage(d, (p) => p.slice(0, Math.floor(p.length * 0.6))), /page is damaged/],
      ['page altered', (d) => changePage(d, spaceAdded), /page is damaged/],
      ['module cut out', (d) => changePage(d, (p) => p.replace(moduleText, '$1')), /module could not be started/],
      ['module altered', (d) => changePage(d, (p) => p.replace(moduleText, `$1${btoa('not a module')}`)), /module could not be started/],
      ['no WebAssembly', () => {}, /cannot run WebAssembly/, 'delete window.WebAssembly;'],
      ['no JavaScript', () => {}, /needs JavaScript/],
      ['a trap in main', () => {}, /module could not be started/, `(${trap})('worm_page_open');`],
      ['a trap in a later tick', () => {}, /game stopped on an error/, `(${trap})('worm_fill_rect', true);`],
    ];
    for (const [name, change, sentence, script] of cases) {
      await t.test(name, { skip: name === 'no JavaScript' && !can.noScript && 'the driver cannot turn scripts off' }, async () => {
        const site = await serveCopy(change);
        const tab = await game.browser().open(site, '', { width: 560, height: 600, script: name !== 'no JavaScript' }, [script ?? []].flat());
        if (name.startsWith('a trap')) await tab.press('ArrowRight');
        await tab.waitFor(() => document.getElementById('error').offsetParent !== null);
        assert.match(await tab.evaluate(() => document.getElementById('error').innerText), sentence, name);
        if (name.startsWith('a trap')) {
          await tab.resize({ width: 500, height: 500 }); // a page resized is repainted whole
          await letPeriodsPass(tab, 5);
          assert.equal(await tab.evaluate(() => window.trapped), 1, 'the game ran on after its trap');
        }
        await tab.close();
        await site.close();
      });
    }
  });
});
