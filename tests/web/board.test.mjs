// The first board as the player sees it, read from the canvas's pixels: its cells, the score
// line, the idle timer, and whole-pixel crisp cells at devicePixelRatio 1 and 2.
import assert from 'node:assert/strict';
import { describe, it } from 'node:test';
import {
  can, cellAt, count, isWall, lastRecord, letPeriodsPass, positionsOf,
  recordCount, snapshot, waitForRecords, useGame,
} from './harness.mjs';

const game = useGame();

// Seed 97 puts the first food on the centre, where the first tick eats it at once; with seed 318
// the first tick's food expires in that same tick.
const eatenAtOnce = 97;
const expiredAtOnce = 318;

function assertFirstBoard(r) {
  const walls = positionsOf(r.cells, 'R');
  assert.equal(walls.length, 196, 'red cells');
  assert.ok(walls.every(({ col, row }) => isWall(col, row)), 'every red cell is on the wall');
  const obstacles = positionsOf(r.cells, 'O');
  assert.equal(obstacles.length, 50, 'olive obstacles');
  assert.ok(obstacles.every(({ col, row }) => !isWall(col, row)), 'no obstacle on the wall');
  assert.equal(cellAt(r.cells, 25, 25), 'H', 'the head at the centre');
  assert.deepEqual(r.headCorners, ['.'], 'the head is a circle: its corners show the background');
  assert.equal(count(r.cells, 'H'), 1);
  assert.equal(count(r.cells, 'G'), 0, 'no body yet');
  assert.equal(count(r.cells, '?'), 0, 'every cell centre is a colour of the game');
  // The food is eaten at once when it lands on the centre, which adds a blue obstacle, and one
  // time in a thousand it expires in the very tick that placed it.
  const eaten = r.title === 'Score:  101/ 101';
  assert.equal(r.title, eaten ? 'Score:  101/ 101' : 'Score:  1/ 1');
  assert.ok(count(r.cells, 'F') <= (eaten ? 0 : 1), 'one food at most, none once eaten');
  assert.equal(count(r.cells, 'B'), eaten ? 1 : 0, 'a blue obstacle only when the food was eaten');
  assert.equal(r.scoreLine, r.title, 'the score line above the board is the title');
  assert.equal(r.pause, null, 'Pause hidden');
  assert.equal(r.gameover, null, 'Game Over hidden');
  assert.equal(r.error, null);
  return eaten;
}

describe('the first board', () => {
  it('shows the wall, 50 obstacles, the head and the food, seeded by the time of day', async () => {
    const tab = await game.open();
    assertFirstBoard(await lastRecord(tab));
    assert.deepEqual(await tab.problems(), []);
    await tab.close();
  });

  it('shows a blue obstacle instead of the food when the first tick eats it', async () => {
    const tab = await game.open({ seed: eatenAtOnce });
    assert.equal(assertFirstBoard(await lastRecord(tab)), true);
    await tab.close();
  });

  it('shows no food when it expires in the first tick', async () => {
    const tab = await game.open({ seed: expiredAtOnce });
    const r = await lastRecord(tab);
    assert.equal(assertFirstBoard(r), false);
    assert.equal(count(r.cells, 'F'), 0);
    await tab.close();
  });

  it('gets no tick before an arrow: not from time, other keys or the space bar', async () => {
    const tab = await game.open({ seed: 7 });
    assert.equal(count((await lastRecord(tab)).cells, 'F'), 1, 'seed 7 shows its food');
    await letPeriodsPass(tab, 6);
    for (const key of ['KeyA', 'Space', 'Enter', 'Digit5', 'Escape']) {
      await tab.press(key);
    }
    await letPeriodsPass(tab, 6);
    assert.equal(await recordCount(tab), 1, 'the title changed: a tick ran');
    assert.equal((await snapshot(tab)).title, 'Score:  1/ 1');
    await tab.close();
  });
});

describe('crisp cells', () => {
  for (const dpr of [1, 1.5, 2]) {
    it(`puts every cell on whole device pixels at devicePixelRatio ${dpr}`, { skip: dpr !== 1 && !can.dpr }, async () => {
      const tab = await game.open({ seed: 7, dpr });
      const r = await lastRecord(tab);
      const css = await tab.evaluate(() => document.getElementById('board').getBoundingClientRect().width);
      assert.equal(r.board.canvasWidth, Math.round(css * dpr), 'one canvas pixel to each device pixel');
      assert.ok(Number.isInteger(r.board.cell), `whole pixels per cell, got ${r.board.cell}`);
      assert.equal(r.board.cell, Math.floor(Math.min(r.board.canvasWidth, r.board.canvasHeight) / 50));
      assert.ok(Math.abs(2 * r.board.left + 50 * r.board.cell - r.board.canvasWidth) <= 1, 'centred across');
      assert.ok(Math.abs(2 * r.board.top + 50 * r.board.cell - r.board.canvasHeight) <= 1, 'centred down');
      const png = await tab.screenshot();
      const blurred = await tab.evaluate((p, k) => window.wormRecorder.blurredCells(p, k), png, dpr);
      assert.deepEqual(blurred, [], 'cells on screen with more than one colour');
      await tab.close();
    });
  }

  it('keeps the board whole, centred and crisp when the window is resized mid-game', async () => {
    const dpr = can.dpr ? 2 : 1;
    const tab = await game.open({ seed: 7, dpr });
    await tab.press('ArrowDown');
    await waitForRecords(tab, 4);
    await tab.press('KeyP');
    const before = await snapshot(tab);
    await tab.resize({ width: 800, height: 500, dpr });
    await tab.waitFor((w) => document.getElementById('board').width !== w, before.board.canvasWidth);
    const resized = await snapshot(tab);
    assert.equal(resized.cells, before.cells, 'the same cells on the resized board');
    assert.equal(resized.board.cell, Math.floor(Math.min(resized.board.canvasWidth, resized.board.canvasHeight) / 50));
    assert.ok(resized.board.cell < before.board.cell);
    assert.ok(Math.abs(2 * resized.board.left + 50 * resized.board.cell - resized.board.canvasWidth) <= 1);
    const p = resized.pause;
    assert.ok(p && p.width < before.pause.width && p.fontSize < before.pause.fontSize, 'Pause shrank with the board');
    // The head's images of the old size are gone.
    const heads = await tab.evaluate(() => [...window.Module.wormPage.heads.values()].map((h) => `${h.width}x${h.height}`));
    assert.deepEqual([...new Set(heads)], [`${resized.board.cell}x${resized.board.cell}`]);
    const png = await tab.screenshot();
    assert.deepEqual(await tab.evaluate((i, k) => window.wormRecorder.blurredCells(i, k), png, dpr), []);
    await tab.close();
  });
});
