// Heard as well as seen: axe-core faults nothing at the start, paused and at game over, on a
// desktop and on a phone; the live region speaks at every pause and at the end, never every tick.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import { describe, it } from 'node:test';
import { clearRunsToWall, phone, recordCount, snapshot, useGame, waitForRecords } from './harness.mjs';

const game = useGame();
const axeSource = fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

async function violations(page) {
  await page.evaluate(axeSource); // from the test's side, which the page's policy does not govern
  return page.evaluate(async () => (await window.axe.run(document)).violations
    .map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`));
}

describe('accessibility', () => {
  for (const [device, viewport] of [['desktop', {}], ['phone', phone]]) {
    it(`leaves axe-core nothing to fault and says each pause, the same words too, and the end once (${device})`, async () => {
      const { page, problems } = await game.open({ seed: 7, ...viewport });
      // What a screen reader hears: words put into a live region that did not already hold them.
      await page.evaluate(() => {
        window.said = [];
        for (const region of document.querySelectorAll('[aria-live]')) {
          let held = region.textContent;
          new MutationObserver(() => {
            if (region.textContent && region.textContent !== held) window.said.push(region.textContent);
            held = region.textContent;
          }).observe(region, { childList: true, characterData: true, subtree: true });
        }
      });
      assert.deepEqual(await violations(page), [], 'at the start');
      await page.keyboard.press(clearRunsToWall((await snapshot(page)).cells, { col: 25, row: 25 })[0].key);
      await waitForRecords(page, 3);
      for (const time of [1, 2]) {
        await page.keyboard.press('KeyP');
        if (time === 1) assert.deepEqual(await violations(page), [], 'paused');
        const ticks = await recordCount(page);
        await page.keyboard.press('KeyA');
        await waitForRecords(page, ticks + 1);
      }
      await page.waitForFunction(() => window.wormRecorder.snapshot().gameover !== null, { timeout: 30_000 });
      assert.deepEqual(await violations(page), [], 'at game over');
      const score = (await snapshot(page)).title.match(/(\d+)\//)[1];
      assert.deepEqual(await page.evaluate(() => window.said), ['Paused', 'Paused', `Game over, score ${score}`]);
      assert.deepEqual(problems, []);
      await page.close();
    });
  }
});
