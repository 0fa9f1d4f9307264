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

async function storm(tab, actions, seed) {
  const pick = generator(seed);
  for (let i = 0; i < actions; i += 1) {
    if (pick(10) < 7) {
      const key = keys[pick(keys.length)];
      if (pick(4) === 0) {
        await tab.down(key); // a held key: the next presses come as auto-repeats
        await tab.down(key);
        await tab.up(key);
      } else {
        await tab.press(key);
      }
    } else {
      const now = await snapshot(tab);
      const button = now.gameover ?? now.pause;
      if (button && pick(2) === 0) {
        await tab.mouse([['move', button.left + button.width / 2, button.top + button.height / 2], ['down'], ['up']]);
      } else {
        await tab.mouse([['move', pick(560), pick(600)], ['down'], ['up']]);
      }
    }
  }
}

describe('a storm of input', () => {
  it('leaves the page sound and the game playing through 400 random keys and clicks', async () => {
    const tab = await game.open({ seed: 11 });
    await tab.evaluate(() => {
      window.unprevented = [];
      window.addEventListener('keydown', (e) => {
        const buttonsOwn = e.keyCode === 32 && document.activeElement.tagName === 'BUTTON';
        if ([32, 37, 38, 39, 40].includes(e.keyCode) && !e.defaultPrevented && !buttonsOwn) window.unprevented.push(e.key);
      });
    });
    // Eight squalls of 50; after each, an arrow must bring a tick whatever state the squall left.
    for (let squall = 0; squall < 8; squall += 1) {
      await storm(tab, 50, 2024 + squall);
      const ticks = await recordCount(tab);
      await tab.press('ArrowUp');
      await waitForRecords(tab, ticks + 1);
    }

    const records = await recordsFrom(tab, 0);
    let best = 0;
    for (const r of records) {
      const { score, best: b } = parseScore(r.title);
      assert.ok(b >= score && b >= best, `best ${b} with score ${score} after best ${best}`);
      assert.equal(r.scoreLine, r.title);
      assert.equal(positionsOf(r.cells, '?').length, 0, 'a cell centre in no colour of the game');
      best = b;
    }
    assert.deepEqual(await tab.evaluate(() => window.unprevented), [], 'arrows or space left to the browser');
    const after = await snapshot(tab);
    assert.equal(after.error, null);
    assert.ok(['BODY', 'board', after.pause && 'pause', after.gameover && 'gameover'].includes(after.focus), after.focus);
    assert.equal(await tab.evaluate(() => window.scrollY), 0);
    assert.deepEqual(await tab.problems(), []);

    // Still a game: an arrow makes it tick whatever the storm left, a straight run ends at the
    // wall at the latest, and Game Over then starts a new board that an arrow sets going.
    const ticks = await recordCount(tab);
    await tab.press('ArrowUp');
    await waitForRecords(tab, ticks + 1);
    await tab.waitFor(() => window.wormRecorder.snapshot().gameover !== null);
    const bestSoFar = parseScore((await snapshot(tab)).title).best;
    const beforeClick = await recordCount(tab);
    await tab.click('#gameover');
    await waitForRecords(tab, beforeClick + 1);
    const fresh = await snapshot(tab);
    assert.equal(parseScore(fresh.title).best, bestSoFar, 'the best survives the storm');
    await tab.press(clearRunsToWall(fresh.cells, { col: 25, row: 25 })[0].key);
    await waitForRecords(tab, beforeClick + 3);
    await tab.close();
  });
});
