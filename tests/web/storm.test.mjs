// A storm of random keys and clicks: the score line stays sound, the arrows and the space bar
// never scroll the page (Tab may only move the focus to a button), nothing fails, and the game
// still plays after it.
import assert from 'node:assert/strict';
import { describe, it } from 'node:test';
import {
  clearRunsToWall, parseScore, positionsOf, recordCount, recordsFrom,
  snapshot, waitForRecords, useGame,
} from './harness.mjs';

const game = useGame();

// A fixed generator, so a failing storm can be replayed exactly.
function generator(seed) {
  let s = seed >>> 0;
  return (n) => {
    s = (Math.imul(s, 1664525) + 1013904223) >>> 0;
    return s % n;
  };
}

// Keys with no browser meaning that could leave the page; arrows and P come up most.
const keys = [
  'ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight',
  'KeyP', 'KeyP', 'Space', 'KeyA', 'KeyZ', 'Digit1', 'Enter', 'Tab', 'Escape', 'Home', 'End', 'PageDown',
  'ShiftLeft', 'Backquote',
];

async function storm(page, actions, seed) {
  const pick = generator(seed);
  for (let i = 0; i < actions; i += 1) {
    if (pick(10) < 7) {
      const key = keys[pick(keys.length)];
      if (pick(4) === 0) {
        await page.keyboard.down(key); // a held key: the next presses come as auto-repeats
        await page.keyboard.down(key);
        await page.keyboard.up(key);
      } else {
        await page.keyboard.press(key);
      }
    } else {
      const now = await snapshot(page);
      const button = now.gameover ?? now.pause;
      if (button && pick(2) === 0) {
        await page.mouse.click(button.left + button.width / 2, button.top + button.height / 2);
      } else {
        await page.mouse.click(pick(560), pick(600));
      }
    }
  }
}

describe('a storm of input', () => {
  it('leaves the page sound and the game playing through 400 random keys and clicks', async () => {
    const { page, problems } = await game.open({ seed: 11 });
    await page.evaluate(() => {
      window.unprevented = [];
      window.addEventListener('keydown', (e) => {
        const buttonsOwn = e.keyCode === 32 && document.activeElement.tagName === 'BUTTON';
        if ([32, 37, 38, 39, 40].includes(e.keyCode) && !e.defaultPrevented && !buttonsOwn) window.unprevented.push(e.key);
      });
    });
    // Eight squalls of 50; after each, an arrow must bring a tick whatever state the squall left.
    for (let squall = 0; squall < 8; squall += 1) {
      await storm(page, 50, 2024 + squall);
      const ticks = await recordCount(page);
      await page.keyboard.press('ArrowUp');
      await waitForRecords(page, ticks + 1);
    }

    const records = await recordsFrom(page, 0);
    let best = 0;
    for (const r of records) {
      const { score, best: b } = parseScore(r.title);
      assert.ok(b >= score && b >= best, `best ${b} with score ${score} after best ${best}`);
      assert.equal(r.scoreLine, r.title);
      assert.equal(positionsOf(r.cells, '?').length, 0, 'a cell centre in no colour of the game');
      best = b;
    }
    assert.deepEqual(await page.evaluate(() => window.unprevented), [], 'arrows or space left to the browser');
    const after = await snapshot(page);
    assert.equal(after.error, null);
    assert.ok(['BODY', 'board', after.pause && 'pause', after.gameover && 'gameover'].includes(after.focus), after.focus);
    assert.equal(await page.evaluate(() => window.scrollY), 0);
    assert.deepEqual(problems, []);

    // Still a game: an arrow makes it tick whatever the storm left, a straight run ends at the
    // wall at the latest, and Game Over then starts a new board that an arrow sets going.
    const ticks = await recordCount(page);
    await page.keyboard.press('ArrowUp');
    await waitForRecords(page, ticks + 1);
    await page.waitForFunction(() => window.wormRecorder.snapshot().gameover !== null, { timeout: 30_000 });
    const bestSoFar = parseScore((await snapshot(page)).title).best;
    const beforeClick = await recordCount(page);
    await page.click('#gameover');
    await waitForRecords(page, beforeClick + 1);
    const fresh = await snapshot(page);
    assert.equal(parseScore(fresh.title).best, bestSoFar, 'the best survives the storm');
    await page.keyboard.press(clearRunsToWall(fresh.cells, { col: 25, row: 25 })[0].key);
    await waitForRecords(page, beforeClick + 3);
    await page.close();
  });
});
