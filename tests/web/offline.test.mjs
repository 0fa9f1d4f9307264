// The page as a site: installable, playable offline after one visit, replaced whole by a new
// build, strict about what it runs, and never silent when it cannot start.
import assert from 'node:assert/strict';
import crypto from 'node:crypto';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { describe, it } from 'node:test';
import { openGame, patience, serveSite, siteDir, waitForRecords, useGame } from './harness.mjs';

const game = useGame();

const copyOfSite = (to) => fs.cpSync(siteDir, to, { recursive: true, filter: (f) => !f.includes('CMakeFiles') });
const sha256 = (file) => crypto.createHash('sha256').update(fs.readFileSync(file)).digest('hex');

// A copy of the built site, changed by change(dir), served on a port of its own.
async function serveCopy(change = () => {}) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'worm-site-'));
  copyOfSite(dir);
  change(dir);
  return Object.assign(await serveSite(dir), { dir });
}

// Build "B" of a copy: a script that says so, a module with a custom section that says so, and
// an offline worker with their new hashes and a new build name, as a real new build's would be.
function makeBuildB(dir) {
  const sw = path.join(dir, 'sw.js');
  let worker = fs.readFileSync(sw, 'utf8').replace(/\b[0-9a-f]{16}'/, "b0b0b0b0b0b0b0b0'");
  const name = Buffer.from('worm-test-build');
  const section = Buffer.concat([Buffer.from([0, name.length + 2, name.length]), name, Buffer.from('B')]);
  for (const [file, mark] of [['worm.js', "\nwindow.jsBuild = 'B';\n"], ['worm.wasm', section]]) {
    const before = sha256(path.join(dir, file));
    fs.appendFileSync(path.join(dir, file), mark);
    worker = worker.replaceAll(before, sha256(path.join(dir, file)));
  }
  fs.writeFileSync(sw, worker);
}

// Which build's script and module a page runs: 'A' unless build B's marks are there.
function watchBuilds() {
  const mark = (bytes) => {
    const [s] = WebAssembly.Module.customSections(new WebAssembly.Module(bytes), 'worm-test-build');
    window.wasmBuild = s ? new TextDecoder().decode(s) : 'A';
  };
  const { instantiate, instantiateStreaming } = WebAssembly;
  WebAssembly.instantiateStreaming = async (source, imports) => {
    const response = await source;
    mark(await response.clone().arrayBuffer());
    return instantiateStreaming.call(WebAssembly, response, imports);
  };
  WebAssembly.instantiate = (bytes, imports) => {
    if (bytes instanceof ArrayBuffer || ArrayBuffer.isView(bytes)) mark(bytes);
    return instantiate.call(WebAssembly, bytes, imports);
  };
}
const buildsOf = (page) => page.evaluate(() => [window.jsBuild ?? 'A', window.wasmBuild]);
const offlineReady = (page) => page.waitForFunction(
  () => navigator.serviceWorker.controller !== null, { timeout: patience });
// Loads the page (at url, or again) and says which builds it runs once its board is up.
async function load(page, url) {
  await (url ? page.goto(url) : page.reload());
  await page.waitForFunction(() => window.wasmBuild !== undefined && document.title.startsWith('Score:'),
    { timeout: patience });
  return buildsOf(page);
}
// Build B has taken its copy and taken over: no other worker is on its way.
const tookOver = (page) => page.waitForFunction(async () => {
  const r = await navigator.serviceWorker.getRegistration();
  return !r.installing && !r.waiting && (await caches.keys()).some((n) => n.includes('b0b0b0b0b0b0b0b0'));
}, { timeout: patience });
// Has the browser look for a new build: 'installed' if it takes it, 'redundant' if it fails.
const update = (page) => page.evaluate(async () => {
  const r = await navigator.serviceWorker.getRegistration();
  await r.update();
  const w = r.installing;
  return new Promise((settle) => w.addEventListener('statechange', () => w.state !== 'installing' && settle(w.state)));
});

describe('the site', () => {
  it('installs, runs no inline script and no string as code, and plays offline after one visit', async () => {
    const site = await serveCopy();
    const { page, problems } = await openGame(game.browser(), site, { seed: 7 });
    const cdp = await page.createCDPSession();
    assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
    await offlineReady(page);
    assert.deepEqual(problems, [], 'the game loads and plays under its own policy');
    // An inline script, and a string run as code, as an injected one would try: both refused.
    const ran = await page.evaluate(() => new Promise((resolve) => {
      const inline = document.createElement('script');
      inline.textContent = 'window.inlineRan = true';
      document.body.append(inline);
      setTimeout('window.stringRan = true', 0); // eslint-disable-line no-implied-eval
      setTimeout(() => resolve([window.inlineRan ?? false, window.stringRan ?? false]), 50);
    }));
    assert.deepEqual(ran, [false, false]);
    site.close();
    await page.setOfflineMode(true);
    await page.reload();
    await waitForRecords(page, 1);
    await page.keyboard.press('ArrowRight');
    await waitForRecords(page, 3);
    await page.close();
  });

  it('is replaced whole by a new build: never a new script with an old module', async () => {
    const site = await serveCopy();
    const page = await game.browser().newPage(); // a port, so an origin and a worker, of its own
    await page.evaluateOnNewDocument(watchBuilds);
    assert.deepEqual(await load(page, site.url), ['A', 'A']);
    await offlineReady(page);
    makeBuildB(site.dir);
    const [js, wasm] = await load(page);
    assert.equal(js, wasm, 'the load that found the new build mixed two builds');
    // Once that page has all of its own build, the new one takes over: the next load is all new,
    // and the old copy goes once no page runs it.
    await tookOver(page);
    assert.deepEqual(await load(page), ['B', 'B']);
    await load(page);
    await page.waitForFunction(() => caches.keys().then((k) => k.length === 1), { timeout: patience });
    site.close();
    await page.close();
  });

  it('takes a new build only once every file is exact, and never under a page of the old one', async () => {
    const site = await serveCopy();
    const page = await game.browser().newPage();
    await page.evaluateOnNewDocument(watchBuilds);
    await load(page, site.url);
    await offlineReady(page);
    await load(page); // through the worker now: a page of build A
    makeBuildB(site.dir);
    site.swapped.set('/worm.wasm', fs.readFileSync(path.join(site.dir, 'worm.wasm')).subarray(0, 4000));
    assert.equal(await update(page), 'redundant', 'build B was taken with a cut worm.wasm');
    site.swapped.clear();
    assert.equal(await update(page), 'installed');
    await tookOver(page);
    // This page, loaded before the takeover as one halfway through its load was, gets build A.
    assert.deepEqual(await page.evaluate(async () => {
      const get = async (file) => (await fetch(file, { cache: 'no-store' })).arrayBuffer();
      const [s] = WebAssembly.Module.customSections(new WebAssembly.Module(await get('worm.wasm')), 'worm-test-build');
      return [new TextDecoder().decode(await get('worm.js')).includes("jsBuild = 'B'"), s !== undefined];
    }), [false, false], 'a page of build A was handed build B\'s files');
    site.close();
    await page.close();
  });

  it('keeps the copy of each folder of an origin', async () => {
    const site = await serveCopy((dir) => {
      ['a', 'b'].forEach((folder) => copyOfSite(path.join(dir, folder)));
      makeBuildB(path.join(dir, 'b'));
    });
    const page = await game.browser().newPage();
    await page.evaluateOnNewDocument(watchBuilds);
    for (const folder of ['a/', 'b/']) {
      await load(page, site.url + folder);
      await offlineReady(page);
    }
    site.close(); // the worker's requests fail too
    assert.deepEqual(await load(page, `${site.url}a/`), ['A', 'A'], 'b/ took a/\'s copy away');
    await page.close();
  });

  it('says in a plain sentence why it cannot start', async () => {
    const cases = [
      ['worm.js missing', (d) => fs.rmSync(path.join(d, 'worm.js')), /could not be loaded \(worm\.js is missing\)/],
      ['worm.js broken', (d) => fs.writeFileSync(path.join(d, 'worm.js'), 'this is { not a script'), /script \(worm\.js\) is damaged/],
      ['worm.wasm missing', (d) => fs.rmSync(path.join(d, 'worm.wasm')), /module \(worm\.wasm\)/],
      ['worm.wasm broken', (d) => fs.writeFileSync(path.join(d, 'worm.wasm'), 'not a module'), /module \(worm\.wasm\)/],
      ['no WebAssembly', () => {}, /cannot run WebAssembly/],
      ['no JavaScript', () => {}, /needs JavaScript/],
    ];
    for (const [name, change, sentence] of cases) {
      const site = await serveCopy(change);
      const page = await game.browser().newPage();
      if (name === 'no WebAssembly') await page.evaluateOnNewDocument(() => { delete window.WebAssembly; });
      await page.setJavaScriptEnabled(name !== 'no JavaScript');
      await page.goto(site.url);
      await page.waitForSelector('#error', { visible: true, timeout: patience });
      assert.match(await page.$eval('#error', (e) => e.innerText), sentence, name);
      await page.close();
      site.close();
    }
  });
});
