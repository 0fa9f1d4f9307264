// The page's timer in a browser that holds back background tabs, as a player's does: brought to
// the front again, the tab carries on at one tick a period, with no burst to make up for the time
// it spent behind another tab.
import assert from 'node:assert/strict';
import { describe, it } from 'node:test';
import {
  clearRunsToWall, patience, recordsFrom, snapshot, waitForRecords, useGame,
} from './harness.mjs';

const game = useGame({ throttled: true });

async function waitForVisibility(page, state) {
  const deadline = Date.now() + patience;
  while ((await page.evaluate(() => document.visibilityState)) !== state) {
    assert.ok(Date.now() < deadline, `the tab never became ${state}`);
    await new Promise((resolve) => setTimeout(resolve, 20));
  }
}

describe('the timer', () => {
  it('gives a tab back from the background one tick a period, not a burst of the missed ones', async () => {
    const { page } = await game.open({ seed: 7 });
    await page.evaluate(() => {
      document.addEventListener('visibilitychange', () => {
        if (document.visibilityState === 'visible') window.shownAt = performance.now();
      });
    });
    await page.keyboard.press(clearRunsToWall((await snapshot(page)).cells, { col: 25, row: 25 }).at(-1).key);
    await waitForRecords(page, 3);

    const other = await game.browser().newPage();
    await other.bringToFront();
    await waitForVisibility(page, 'hidden');
    // Twenty periods behind another tab, measured on the game tab's own clock.
    const hiddenAt = await page.evaluate(() => performance.now());
    await page.waitForFunction((t) => performance.now() > t + 1500, { timeout: patience, polling: 100 }, hiddenAt);
    await page.bringToFront();
    await waitForVisibility(page, 'visible');
    const shownAt = await page.evaluate(() => window.shownAt);
    const seen = (await recordsFrom(page, 0)).length;
    await waitForRecords(page, seen + 4);

    const after = (await recordsFrom(page, 0)).filter((r) => r.t >= shownAt);
    const soon = after.filter((r) => r.t < shownAt + 150);
    assert.ok(soon.length <= 3, `${soon.length} ticks in the first 150 ms back: ${after.map((r) => r.t - shownAt)}`);
    await other.close();
    await page.close();
  });
});
