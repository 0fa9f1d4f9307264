// Playing in the page: arrows start and steer the ticks, P and the Pause button, running into
// the wall, resuming after it, and a new game from the Game Over button; every tick is read back
// from the canvas as it happens.
import assert from 'node:assert/strict';
import { describe, it } from 'node:test';
import {
  cellAt, clearRunsToWall, count, headings, isWall, launchBrowser, letPeriodsPass, openGame, parseScore,
  positionsOf, recordCount, recordsFrom, snapshot, waitForRecords, useGame,
} from './harness.mjs';

// Seed 7 leaves all four straight runs from the centre to the wall clear.
const seed = 7;
const centre = { col: 25, row: 25 };

const game = useGame();

const headOf = (r) => positionsOf(r.cells, 'H');
const step = (from, { dc, dr }, n) => ({ col: from.col + dc * n, row: from.row + dr * n });

async function waitForButton(page, id) {
  await page.waitForFunction((b) => window.wormRecorder.snapshot()[b] !== null, { timeout: 30_000, polling: 20 }, id);
}

describe('playing', () => {
  it('starts ticking at an arrow; the head moves a cell a tick, the body follows, the tail is erased', async () => {
    const { page, problems } = await game.open({ seed });
    const [first] = await recordsFrom(page, 0);
    const run = clearRunsToWall(first.cells, centre).at(-1);
    const along = (n) => step(centre, headings[run.key], n);
    await page.keyboard.press(run.key);
    const ticks = Math.min(run.steps - 1, 20);
    await waitForRecords(page, 1 + ticks);
    const records = await recordsFrom(page, 1);
    records.slice(0, ticks).forEach((r, i) => {
      const n = i + 1;
      assert.deepEqual(headOf(r), [along(n)], `head after tick ${n}`);
      // The board's own first tick and the next nine keep the tail; from then on it follows.
      const tail = Math.max(0, n - 9);
      for (let k = tail; k < n; k += 1) {
        assert.equal(cellAt(r.cells, along(k).col, along(k).row), 'G', `body ${k} cells along after tick ${n}`);
      }
      assert.equal(count(r.cells, 'G'), n - tail, `body length after tick ${n}`);
      if (tail > 0) {
        assert.equal(cellAt(r.cells, along(tail - 1).col, along(tail - 1).row), '.', `tail erased at tick ${n}`);
      }
      assert.equal(parseScore(r.title).score, 1 + n);
      assert.ok(r.fills <= 8, `tick ${n} filled ${r.fills} rectangles: more than the cells it changed`);
    });
    assert.ok(first.fills > 246, 'the first board is painted whole');
    assert.deepEqual(problems, []);
    await page.close();
  });

  it('pauses at P with the Pause button; a click on it resumes and keys still reach the game', async () => {
    const { page, problems } = await game.open({ seed });
    await page.evaluate(() => {
      window.repeats = 0;
      window.addEventListener('keydown', (e) => { window.repeats += e.repeat ? 1 : 0; });
    });
    const run = clearRunsToWall((await snapshot(page)).cells, centre).at(-1);
    await page.keyboard.press(run.key);
    await waitForRecords(page, 3);
    await page.keyboard.press('KeyP');
    const paused = await snapshot(page);
    assert.equal(paused.pause?.text, 'Pause');
    assert.equal(paused.pause.fontWeight, '700');
    assert.match(paused.pause.fontFamily, /^Arial/);
    const ticksAtP = await recordCount(page);
    await letPeriodsPass(page, 6);
    assert.equal(await recordCount(page), ticksAtP, 'no tick while paused');

    // A press on Pause released off it clicks nothing and must leave the keys with the game: Enter
    // is then a key like any other (it resumes, Pause stays), not a click on a focused button.
    const { left, top, width, height } = paused.pause;
    await page.mouse.move(left + width / 2, top + height / 2);
    await page.mouse.down();
    await page.mouse.move(left + width / 2, top + height + 40);
    await page.mouse.up();
    assert.equal((await snapshot(page)).focus, 'BODY', 'the press took the focus');
    await page.keyboard.press('Enter');
    await waitForRecords(page, ticksAtP + 1);
    assert.notEqual((await snapshot(page)).pause, null, 'Enter clicked the button instead of resuming');
    await page.keyboard.press('KeyP');
    const ticksAtClick = await recordCount(page);

    await page.click('#pause');
    await waitForRecords(page, ticksAtClick + 1);
    const resumed = await snapshot(page);
    assert.equal(resumed.pause, null, 'the click hides Pause');
    assert.equal(resumed.focus, 'BODY', 'the button did not take the focus');
    await page.keyboard.press('KeyP');
    assert.notEqual((await snapshot(page)).pause, null, 'P after the click pauses again');

    // Any key resumes, and so does its auto-repeat: each repeat is a press of its own.
    const beforeX = await recordCount(page);
    await page.keyboard.down('KeyX');
    await waitForRecords(page, beforeX + 1);
    await page.keyboard.press('KeyP');
    const beforeRepeat = await recordCount(page);
    await page.keyboard.down('KeyX');
    await waitForRecords(page, beforeRepeat + 1);
    await page.keyboard.up('KeyX');
    assert.equal(await page.evaluate(() => window.repeats), 1, 'the second press came as a repeat');
    assert.deepEqual(problems, []);
    await page.close();
  });

  it('ends the game at the wall with Game Over centred; any key resumes; Game Over starts anew', async () => {
    const { page, problems } = await game.open({ seed });
    const [first] = await recordsFrom(page, 0);
    const run = clearRunsToWall(first.cells, centre)[0];
    await page.keyboard.press(run.key);
    await waitForButton(page, 'gameover');
    const records = await recordsFrom(page, 1);
    const end = records.findIndex((r) => r.gameover !== null);
    assert.equal(end + 1, run.steps, 'the tick that reached the wall ended the game');
    const over = records[end];
    const wall = step(centre, headings[run.key], run.steps);
    assert.ok(isWall(wall.col, wall.row));
    assert.equal(cellAt(over.cells, wall.col, wall.row), 'R', 'the wall cell run into stays red');
    assert.equal(count(over.cells, 'H'), 0, 'no head drawn over the wall');
    const last = step(centre, headings[run.key], run.steps - 1);
    assert.equal(cellAt(over.cells, last.col, last.row), 'G', 'the last head became body');
    assert.equal(parseScore(over.title).score, 1 + run.steps);

    const b = over.gameover;
    assert.equal(b.text, 'Game Over');
    assert.equal(b.fontWeight, '700');
    const { cssLeft, cssTop, cssSide } = over.board;
    assert.ok(Math.abs(b.left + b.width / 2 - (cssLeft + cssSide / 2)) <= 1, 'centred across the board');
    assert.ok(Math.abs(b.top + b.height / 2 - (cssTop + cssSide / 2)) <= 1, 'centred down the board');
    const ticksAtEnd = await recordCount(page);
    await letPeriodsPass(page, 6);
    assert.equal(await recordCount(page), ticksAtEnd, 'no tick after the collision');

    // Past the wall lies more wall or no cell at all, so the resumed worm ends the game again.
    await page.keyboard.press('KeyA');
    await waitForRecords(page, ticksAtEnd + 1);
    const resumed = await snapshot(page);
    assert.notEqual(resumed.gameover, null, 'Game Over stays up');
    const best = parseScore(resumed.title).best;
    assert.equal(best, parseScore(over.title).score + 1, 'the resumed tick scored');

    const beforeClick = await recordCount(page);
    await page.click('#gameover');
    await waitForRecords(page, beforeClick + 1);
    const fresh = await snapshot(page);
    assert.equal(fresh.title, `Score:  1/ ${best}`, 'a new game keeps the best');
    assert.equal(fresh.cells, first.cells, 'the same seed builds the same first board');
    assert.equal(fresh.gameover, null);
    assert.equal(fresh.pause, null);
    assert.equal(fresh.focus, 'BODY');
    await letPeriodsPass(page, 4);
    assert.equal(await recordCount(page), beforeClick + 1, 'the new board waits for an arrow');
    assert.deepEqual(problems, []);
    await page.close();
  });

  it('ends the game on the first tick when Pause is clicked before any arrow', async () => {
    const { page } = await game.open({ seed });
    await page.keyboard.press('KeyP');
    assert.notEqual((await snapshot(page)).pause, null, 'P before an arrow shows Pause');
    await page.click('#pause');
    await waitForButton(page, 'gameover');
    const records = await recordsFrom(page, 1);
    assert.equal(records.length, 1, 'one tick, then the ticks stop');
    const [over] = records;
    assert.equal(cellAt(over.cells, 25, 25), 'G', 'the head ran into itself and became body');
    assert.equal(count(over.cells, 'R'), 196, 'no red collision cell');
    assert.equal(parseScore(over.title).score, 2);
    await page.close();
  });

  it('needs no mouse: Tab reaches the button that shows, Enter or Space clicks it; Alt+arrow is the browser\'s', async () => {
    const { page, problems } = await game.open({ seed });
    await page.evaluate(() => window.addEventListener('keydown', (e) => { window.lastPrevented = e.defaultPrevented; }));
    await page.keyboard.down('Alt');
    await page.keyboard.press('ArrowLeft');
    await page.keyboard.up('Alt');
    assert.equal(await page.evaluate(() => window.lastPrevented), false, 'Alt+Left was cancelled');
    await letPeriodsPass(page, 3);
    assert.equal(await recordCount(page), 1, 'Alt+Left started the worm');

    const run = clearRunsToWall((await snapshot(page)).cells, centre)[0];
    await page.keyboard.press(run.key);
    await waitForRecords(page, 3);
    await page.keyboard.press('KeyP');
    await page.keyboard.press('Tab'); // a key to the game too: it resumes, Pause stays up
    assert.equal((await snapshot(page)).focus, 'pause');
    await page.keyboard.press('Enter');
    assert.equal((await snapshot(page)).pause, null, 'Enter clicked Pause');
    await waitForButton(page, 'gameover');
    await page.keyboard.press('Tab');
    assert.equal((await snapshot(page)).focus, 'gameover');
    const before = await recordCount(page);
    await page.keyboard.press('Space');
    await waitForRecords(page, before + 1);
    const fresh = await snapshot(page);
    assert.match(fresh.title, /^Score: {2}1\/ \d+$/, 'Space clicked Game Over: a new game');
    assert.equal(fresh.focus, 'BODY', 'the focus left the hidden button');
    assert.deepEqual(problems, []);
    await page.close();
  });

  it('keeps the keys in a real window: Tab and Shift+Tab go round the board and the buttons that show', async () => {
    const browser = await launchBrowser({ headful: true });
    try {
      const { page, problems } = await openGame(browser, game.site(), { seed });
      const walk = async (key, n) => {
        const stops = [];
        for (let k = 0; k < n; k += 1) {
          await page.keyboard.press(key);
          stops.push(await page.evaluate(() => (document.hasFocus() ? document.activeElement.id : 'away')));
        }
        return stops;
      };
      const runs = clearRunsToWall((await snapshot(page)).cells, centre);
      const run = runs.at(-1);
      const turn = runs.find(({ key }) => (headings[key].dc === 0) !== (headings[run.key].dc === 0));
      await page.keyboard.press(run.key);
      assert.deepEqual(await walk('Tab', 3), ['board', 'board', 'board'], 'no button shows');
      const turnedAt = await recordCount(page);
      await page.keyboard.press(turn.key); // the arrow still steers, on to the end
      await waitForRecords(page, turnedAt + 2);
      const [a, b] = (await recordsFrom(page, -2)).map((r) => headOf(r)[0]);
      assert.deepEqual({ dc: b.col - a.col, dr: b.row - a.row }, headings[turn.key], 'the turn after Tab');
      await waitForButton(page, 'gameover');
      assert.deepEqual(await walk('Tab', 3), ['gameover', 'board', 'gameover'], 'past the last button');
      await page.keyboard.down('Shift');
      assert.deepEqual(await walk('Tab', 3), ['board', 'gameover', 'board'], 'Shift+Tab');
      await page.keyboard.up('Shift');
      assert.deepEqual(problems, []);
    } finally {
      await browser.close();
    }
  });
});
