// The bytes a visit to the game's page costs, gzip -9 and brotli compressed file by file as a
// static host would serve them: a first visit in a fresh profile, every file the page and its
// offline worker fetch; and, if a worker took the page over, a later visit.
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { patience } from '../../tests/web/harness.mjs';
import { installProbe } from './probe.mjs';

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function compressed(dir, names) {
  let gzip = 0;
  let brotli = 0;
  for (const name of names.filter((n) => fs.existsSync(path.join(dir, n)))) {
    const bytes = fs.readFileSync(path.join(dir, name));
    gzip += zlib.gzipSync(bytes, { level: 9 }).length;
    brotli += zlib.brotliCompressSync(bytes).length;
  }
  return { gzip, brotli, files: names.length };
}

// The site's file a URL names; index.html for the page itself.
const fileOf = (url) => decodeURIComponent(new URL(url).pathname).replace(/^\/$/, '/index.html').slice(1);

async function workerFetches(browser, context) {
  const target = browser.targets().find((t) => t.type() === 'service_worker' && t.browserContext() === context);
  const worker = await target?.worker();
  if (!worker) return [];
  const names = await worker.evaluate(() => performance.getEntriesByType('resource').map((e) => e.name));
  return [new URL(worker.url()).pathname.slice(1), ...names.map(fileOf)];
}

export async function siteBytes(browser, url, dir) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport({ width: 560, height: 600 });
  await page.evaluateOnNewDocument(installProbe);
  let fetched = [];
  page.on('response', (r) => fetched.push({ file: fileOf(r.url()), fromWorker: r.fromServiceWorker() }));
  await page.goto(url);
  await page.waitForFunction(() => window.wormProbe.firstBoard !== null, { timeout: patience });
  // A worker, if the page has one, is ready once its copy is taken.
  const worker = await page.evaluate(async () => {
    const seen = await navigator.serviceWorker?.getRegistrations();
    if (!seen?.length) return false;
    await navigator.serviceWorker.ready;
    return true;
  });
  await sleep(500);
  const first = [...new Set(fetched.map((f) => f.file))];
  const kept = worker ? [...new Set(await workerFetches(browser, context))] : [];
  const rows = [];
  const bytes = (label, c, budget = '', met = undefined) => rows.push([`${label} (gzip / brotli)`, `${c.gzip}`, `${c.brotli}`,
    `${c.files} files`, budget, met === undefined ? '' : met ? 'met' : 'NOT MET']);
  // The page carries worm.js and worm.wasm (as base64): the module's weight is the page's.
  const module = compressed(dir, ['index.html']);
  bytes('index.html with worm.js + worm.wasm inside', module, '<= 40000 gzip', module.gzip <= 40_000);
  bytes('first visit, every file the page fetched', compressed(dir, first));
  if (worker) {
    bytes('  and what its worker fetched for offline play', compressed(dir, kept));
    fetched = [];
    await page.reload();
    await page.waitForFunction(() => window.wormProbe.firstBoard !== null, { timeout: patience });
    await sleep(500);
    // The browser checks the worker's script for a new build at every visit.
    const later = [...new Set([...fetched.filter((f) => !f.fromWorker).map((f) => f.file), kept[0]])];
    bytes(`later visit, from the network: ${later.join(' ')}`, compressed(dir, later));
  } else {
    rows.push(['later visit: no offline worker, so the same as the first', '', '', '', '', '']);
  }
  await context.close();
  return { rows };
}
