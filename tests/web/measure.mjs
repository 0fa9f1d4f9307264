// Prints the site's size; over ten fresh loads in the test engine (WORM_BROWSER), the time from navigation to
// the first board drawn on the canvas and to the frame that shows it; and the tick period over a
// straight run. A measurement, not a test:
//   node tests/web/measure.mjs        (after cmake --build --preset web)
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { launchBrowser, openGame, recordsFrom, serveSite, siteDir, waitForRecords } from './harness.mjs';

const files = ['index.html']; // the page carries worm.js and worm.wasm inside
let total = 0;
let gzipped = 0;
for (const f of files) {
  const bytes = fs.readFileSync(path.join(siteDir, f));
  total += bytes.length;
  gzipped += zlib.gzipSync(bytes, { level: 9 }).length;
  console.log(`${f.padEnd(10)} ${String(bytes.length).padStart(7)} bytes`);
}
console.log(`together   ${String(total).padStart(7)} bytes (${(total / 1000).toFixed(1)} KB; ${(gzipped / 1000).toFixed(1)} KB gzipped)`);

const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const site = await serveSite();
const browser = await launchBrowser();
try {
  const drawn = [];
  const shown = [];
  const ready = [];
  for (let i = 0; i < 10; i += 1) {
    const tab = await openGame(browser, site, { seed: 7 });
    await tab.waitFor(() => window.wormRecorder.firstFrame !== undefined);
    const t = await tab.evaluate(() => [
      window.wormRecorder.records[0].t, window.wormRecorder.firstFrame,
      performance.getEntriesByType('navigation')[0].domContentLoadedEventEnd,
    ]);
    drawn.push(t[0]);
    shown.push(t[1]);
    ready.push(t[2]);
    await tab.close();
  }
  const range = (xs) => `${Math.min(...xs).toFixed(1)} to ${Math.max(...xs).toFixed(1)}`;
  console.log(`navigation to first board drawn: median ${median(drawn).toFixed(1)} ms (${range(drawn)})`);
  console.log(`navigation to its frame:         median ${median(shown).toFixed(1)} ms (${range(shown)})`);
  console.log(`  of which: page ready ${median(ready).toFixed(1)} ms`);

  // The tick period over a straight run of 24 ticks (seed 7 leaves it clear).
  const tab = await openGame(browser, site, { seed: 7 });
  await tab.press('ArrowDown');
  await waitForRecords(tab, 25);
  const t = (await recordsFrom(tab, 1)).map((r) => r.t);
  const periods = t.slice(1).map((x, i) => x - t[i]);
  const mean = (t.at(-1) - t[0]) / periods.length;
  console.log(`tick period: mean ${mean.toFixed(2)} ms over ${periods.length}, ${range(periods)} ms`);
} finally {
  await browser.close();
  await site.close();
}
