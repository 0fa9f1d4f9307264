// Writes docs/web-screenshot.png (the page in headless Chromium during a game, the worm having
// turned once and eaten) and docs/web-phone.png (the same game on a phone, steered by swipes).
// Run after cmake --build --preset web.
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { launchBrowser, openGame, phone, recordCount, serveSite, snapshot, waitForRecords } from './harness.mjs';

const docs = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../docs');
const site = await serveSite();
const browser = await launchBrowser();
try {
  // Seed 7 puts the food eight cells right of the head and three down.
  const { page } = await openGame(browser, site, { seed: 7, width: 520, height: 560 }); // Chromium's own page
  await page.keyboard.press('ArrowRight');
  await waitForRecords(page, 1 + 8);
  await page.keyboard.press('ArrowDown');
  await waitForRecords(page, (await recordCount(page)) + 8);
  await page.screenshot({ path: path.join(docs, 'web-screenshot.png') });

  const onPhone = (await openGame(browser, site, { seed: 7, ...phone, dpr: 2 })).page;
  const { board } = await snapshot(onPhone);
  const [x, y] = [board.cssLeft + board.cssSide / 2, board.cssTop + board.cssSide / 2];
  const swipe = async (dx, dy) => {
    await onPhone.touchscreen.touchStart(x, y);
    await onPhone.touchscreen.touchMove(x + dx, y + dy);
    await onPhone.touchscreen.touchEnd();
  };
  await swipe(30, 0);
  await waitForRecords(onPhone, 1 + 8);
  await swipe(0, 30);
  await waitForRecords(onPhone, (await recordCount(onPhone)) + 6);
  await onPhone.screenshot({ path: path.join(docs, 'web-phone.png') });
  console.log(`wrote web-screenshot.png and web-phone.png in ${docs}`);
} finally {
  await browser.close();
  await site.close();
}
