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
// Build B has taken its copy and taken over; with { only: true }, no other build's copy is left.
const tookOver = (page, { only = false } = {}) => page.waitForFunction(async (alone) => {
  const r = await navigator.serviceWorker.getRegistration();
  const names = await caches.keys();
  return !r.installing && !r.waiting && names.some((n) => n.includes('b0b0b0b0b0b0b0b0')) && (!alone || names.length === 1);
}, { timeout: patience }, only);
// Asks the browser to look for a new build: what became of it, 'installed' or 'redundant'.
const update = (page) => page.evaluate(async () => {
  const r = await navigator.serviceWorker.getRegistration();
  await r.update();
  const worker = r.installing;
  if (!worker) return 'no new build';
  return new Promise((resolve) => {
    const settled = () => worker.state !== 'installing' && resolve(worker.state);
    worker.addEventListener('statechange', settled);
    settled();
  });
});
const newPage = async () => {
  const page = await game.browser().newPage(); // a port, so an origin and a worker, of its own
  await page.evaluateOnNewDocument(watchBuilds);
  return page;
};

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
    const page = await newPage();
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
    await tookOver(page, { only: true });
    site.close();
    await page.close();
  });

  it('keeps the build in charge while a deployment is half done, and takes the new one once whole', async () => {
    const site = await serveCopy();
    const page = await newPage();
    await load(page, site.url);
    await offlineReady(page);
    const wasmA = fs.readFileSync(path.join(site.dir, 'worm.wasm'));
    makeBuildB(site.dir);
    for (const [served, bytes] of [['an old', wasmA], ['a cut', wasmA.subarray(0, 4000)]]) {
      site.swapped.set('/worm.wasm', bytes);
      assert.equal(await update(page), 'redundant', `build B was taken with ${served} worm.wasm`);
    }
    site.down = true;
    assert.deepEqual(await load(page), ['A', 'A'], 'the copy in charge plays offline');
    site.down = false;
    site.swapped.clear();
    assert.equal(await update(page), 'installed');
    await tookOver(page);
    assert.deepEqual(await load(page), ['B', 'B']);
    site.close();
    await page.close();
  });

  it('keeps the copy of each folder of an origin', async () => {
    const site = await serveCopy((dir) => {
      copyOfSite(path.join(dir, 'a'));
      copyOfSite(path.join(dir, 'b'));
      makeBuildB(path.join(dir, 'b'));
    });
    const page = await newPage();
    for (const folder of ['a/', 'b/']) {
      await load(page, site.url + folder);
      await offlineReady(page);
    }
    site.down = true;
    assert.deepEqual(await load(page, `${site.url}a/`), ['A', 'A'], 'b/ took a/\'s copy away');
    assert.deepEqual(await load(page, `${site.url}b/`), ['B', 'B']);
    site.close();
    await page.close();
  });

  it('answers a page from the build it started with, after another tab lets a new build take over', async () => {
    const site = await serveCopy();
    const first = await newPage();
    await load(first, site.url);
    await offlineReady(first);
    const second = await newPage(); // in front: a page in the back runs no waits on frames
    await load(second, site.url);
    await second.evaluate(() => { window.startedWith = navigator.serviceWorker.controller; });
    makeBuildB(site.dir);
    assert.equal(await update(first), 'installed');
    await second.waitForFunction(() => navigator.serviceWorker.controller !== window.startedWith, { timeout: patience });
    // What the second page asks for now, as one halfway through its load would, is of its own build.
    const asked = await second.evaluate(async () => {
      const get = async (file) => (await fetch(file, { cache: 'no-store' })).arrayBuffer();
      const js = new TextDecoder().decode(await get('worm.js')).includes("jsBuild = 'B'") ? 'B' : 'A';
      const [s] = WebAssembly.Module.customSections(new WebAssembly.Module(await get('worm.wasm')), 'worm-test-build');
      return [js, s ? new TextDecoder().decode(s) : 'A'];
    });
    assert.deepEqual(asked, ['A', 'A'], 'a page of build A was handed build B\'s files');
    assert.deepEqual(await load(second), ['B', 'B']);
    site.close();
    await Promise.all([first.close(), second.close()]);
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
