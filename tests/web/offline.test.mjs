// The page as a site: installable, playable offline after one visit, replaced whole by a new
// build, strict about what it runs, and never silent when it cannot start.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { describe, it } from 'node:test';
import { openGame, patience, serveSite, siteDir, waitForRecords, useGame } from './harness.mjs';

const game = useGame();

// A copy of the built site, changed by change(dir), served on a port of its own.
async function serveCopy(change = () => {}) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'worm-site-'));
  fs.cpSync(siteDir, dir, { recursive: true, filter: (f) => !f.includes('CMakeFiles') });
  change(dir);
  return { dir, ...(await serveSite(dir)) };
}

// Build "B" of a copy: a script that says so, a module with a custom section that says so, and
// an offline worker whose cache name is new, as a real new build's would be.
function makeBuildB(dir) {
  fs.appendFileSync(path.join(dir, 'worm.js'), "\nwindow.jsBuild = 'B';\n");
  const name = Buffer.from('worm-test-build');
  const section = Buffer.concat([Buffer.from([0, name.length + 2, name.length]), name, Buffer.from('B')]);
  fs.appendFileSync(path.join(dir, 'worm.wasm'), section);
  const sw = path.join(dir, 'sw.js');
  fs.writeFileSync(sw, fs.readFileSync(sw, 'utf8').replace(/worm-[0-9a-f]+/, 'worm-b0b0b0b0b0b0b0b0'));
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
    await page.goto(site.url);
    await offlineReady(page);
    assert.deepEqual(await buildsOf(page), ['A', 'A']);
    makeBuildB(site.dir);
    const load = async () => {
      await page.reload();
      await page.waitForFunction(() => window.wasmBuild !== undefined && document.title.startsWith('Score:'),
        { timeout: patience });
      return buildsOf(page);
    };
    const [js, wasm] = await load();
    assert.equal(js, wasm, 'the load that found the new build mixed two builds');
    // Once that page has all of its own build, the new one takes over: the next load is all new.
    await page.waitForFunction(() => caches.keys().then((k) => k.join() === 'worm-b0b0b0b0b0b0b0b0'),
      { timeout: patience });
    assert.deepEqual(await load(), ['B', 'B']);
    site.close();
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
