// The page's timer in a browser that holds back background tabs, as a player's does: a tab sent
// behind another pauses, since the browser would tick it once a second at best, and resumed it
// carries on at one tick a period.
import assert from 'node:assert/strict';
import { describe, it } from 'node:test';
import {
  clearRunsToWall, letPeriodsPass, patience, recordCount, recordsFrom, snapshot, waitForRecords, useGame,
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
  it('pauses a tab sent to the background as P would, and resumes from Pause one tick a period', async () => {
    const { page, problems } = await game.open({ seed: 7 });
    await page.keyboard.press(clearRunsToWall((await snapshot(page)).cells, { col: 25, row: 25 }).at(-1).key);
    await waitForRecords(page, 3);

    const other = await game.browser().newPage();
    await other.bringToFront();
    await waitForVisibility(page, 'hidden');
    const paused = await snapshot(page);
    assert.notEqual(paused.pause, null, 'hidden, the game paused and shows Pause');
    const ticks = await recordCount(page);
    // Twenty periods behind another tab, measured on the game tab's own clock.
    const hiddenAt = await page.evaluate(() => performance.now());
    await page.waitForFunction((t) => performance.now() > t + 1500, { timeout: patience, polling: 100 }, hiddenAt);
    await page.bringToFront();
    await waitForVisibility(page, 'visible');
    await letPeriodsPass(page, 4);
    assert.equal(await recordCount(page), ticks, 'no tick while hidden, nor once shown until resumed');

    const clickedAt = await page.evaluate(() => performance.now());
    await page.click('#pause');
    await waitForRecords(page, ticks + 4);
    const after = (await recordsFrom(page, ticks)).map((r) => r.t - clickedAt);
    assert.ok(after.filter((t) => t < 150).length <= 2, `a burst after the click: ${after}`);
    assert.deepEqual(problems, []);
    await other.close();
    await page.close();
  });
});
