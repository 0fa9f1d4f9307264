// The page's timer in a browser that holds back background tabs, as a player's does: a tab sent
// behind another pauses, since the browser would tick it once a second at best, and resumed it
// carries on at one tick a period.
import assert from 'node:assert/strict';
import { describe, it } from 'node:test';
import {
  clearRunsToWall, letPeriodsPass, patience, recordCount, recordsFrom, snapshot, waitForRecords, useGame,
} from './harness.mjs';

const game = useGame({ throttled: true });

async function waitForVisibility(tab, state) {
  const deadline = Date.now() + patience;
  while ((await tab.evaluate(() => document.visibilityState)) !== state) {
    assert.ok(Date.now() < deadline, `the tab never became ${state}`);
    await new Promise((resolve) => setTimeout(resolve, 20));
  }
}

describe('the timer', () => {
  it('pauses a tab sent to the background as P would, and resumes from Pause one tick a period', async () => {
    const tab = await game.open({ seed: 7 });
    await tab.press(clearRunsToWall((await snapshot(tab)).cells, { col: 25, row: 25 }).at(-1).key);
    await waitForRecords(tab, 3);

    const other = await game.browser().browser.newPage();
    await other.bringToFront();
    await waitForVisibility(tab, 'hidden');
    const paused = await snapshot(tab);
    assert.notEqual(paused.pause, null, 'hidden, the game paused and shows Pause');
    const ticks = await recordCount(tab);
    // Twenty periods behind another tab, measured on the game tab's own clock.
    const hiddenAt = await tab.evaluate(() => performance.now());
    await tab.waitFor((t) => performance.now() > t + 1500, hiddenAt);
    await tab.page.bringToFront();
    await waitForVisibility(tab, 'visible');
    await letPeriodsPass(tab, 4);
    assert.equal(await recordCount(tab), ticks, 'no tick while hidden, nor once shown until resumed');

    const clickedAt = await tab.evaluate(() => performance.now());
    await tab.click('#pause');
    await waitForRecords(tab, ticks + 4);
    const after = (await recordsFrom(tab, ticks)).map((r) => r.t - clickedAt);
    assert.ok(after.filter((t) => t < 150).length <= 2, `a burst after the click: ${after}`);
    assert.deepEqual(await tab.problems(), []);
    await other.close();
    await tab.close();
  });
});
