// Heard as well as seen: axe-core faults nothing at the start, paused and at game over, on a
// desktop and on a phone; the live region speaks at every pause and at the end, never every tick.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import { describe, it } from 'node:test';
import { can, clearRunsToWall, phone, recordCount, snapshot, useGame, waitForRecords } from './harness.mjs';

const game = useGame();
const axeSource = fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

async function violations(tab) {
  await tab.evaluate(axeSource); // from the test's side, which the page's policy does not govern
  return tab.evaluate(async () => (await window.axe.run(document)).violations
    .map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`));
}

describe('accessibility', () => {
  for (const [device, viewport] of [['desktop', {}], ['phone', phone]]) {
    it(`leaves axe-core nothing to fault and says each pause, the same words too, and the end once (${device})`, { skip: viewport === phone && !can.phone }, async () => {
      const tab = await game.open({ seed: 7, ...viewport });
      // What a screen reader hears: words put into a live region that did not already hold them.
      await tab.evaluate(() => {
        window.said = [];
        for (const region of document.querySelectorAll('[aria-live]')) {
          let held = region.textContent;
          new MutationObserver(() => {
            if (region.textContent && region.textContent !== held) window.said.push(region.textContent);
            held = region.textContent;
          }).observe(region, { childList: true, characterData: true, subtree: true });
        }
      });
      assert.deepEqual(await violations(tab), [], 'at the start');
      await tab.press(clearRunsToWall((await snapshot(tab)).cells, { col: 25, row: 25 })[0].key);
      await waitForRecords(tab, 3);
      for (const time of [1, 2]) {
        await tab.press('KeyP');
        if (time === 1) assert.deepEqual(await violations(tab), [], 'paused');
        const ticks = await recordCount(tab);
        await tab.press('KeyA');
        await waitForRecords(tab, ticks + 1);
      }
      await tab.waitFor(() => window.wormRecorder.snapshot().gameover !== null);
      assert.deepEqual(await violations(tab), [], 'at game over');
      const score = (await snapshot(tab)).title.match(/(\d+)\//)[1];
      assert.deepEqual(await tab.evaluate(() => window.said), ['Paused', 'Paused', `Game over, score ${score}`]);
      assert.deepEqual(await tab.problems(), []);
      await tab.close();
    });
  }
});
