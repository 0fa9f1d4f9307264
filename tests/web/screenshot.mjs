// Writes docs/web-screenshot.png: the page in headless Chromium during a game, the worm having
// turned once and eaten. An argument picks another output; run after cmake --build --preset web.
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { launchBrowser, openGame, recordCount, serveSite, waitForRecords } from './harness.mjs';

const output = process.argv[2]
  ?? path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../docs/web-screenshot.png');
const site = await serveSite();
const browser = await launchBrowser();
try {
  // Seed 7 puts the food eight cells right of the head and three down.
  const { page } = await openGame(browser, site, { seed: 7, width: 520, height: 560 });
  await page.keyboard.press('ArrowRight');
  await waitForRecords(page, 1 + 8);
  await page.keyboard.press('ArrowDown');
  await waitForRecords(page, (await recordCount(page)) + 8);
  await page.screenshot({ path: output });
  console.log(`wrote ${output}`);
} finally {
  await browser.close();
  site.close();
}
