// Playing in the page: arrows start and steer the ticks, P and the Pause button, running into
// the wall, resuming after it, and a new game from the Game Over button; every tick is read back
// from the canvas as it happens.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { describe, it } from 'node:test';
import {
  buildDir, can, engine, cellAt, clearRunsToWall, count, headings, isWall, launchBrowser, letPeriodsPass, openGame, parseScore,
  positionsOf, recordCount, recordsFrom, snapshot, waitForButton, waitForRecords, useGame,
} from './harness.mjs';

// Seed 7 leaves all four straight runs from the centre to the wall clear.
const seed = 7;
const centre = { col: 25, row: 25 };

const game = useGame();

const headOf = (r) => positionsOf(r.cells, 'H');
const step = (from, { dc, dr }, n) => ({ col: from.col + dc * n, row: from.row + dr * n });

// In the page: on each record the plan lists, its key (by code), before the next tick can come.
function followPlan(plan) {
  window.wormRecorder.onRecord = (n) => plan[n] && window.dispatchEvent(
    new KeyboardEvent('keydown', { keyCode: plan[n], bubbles: true, cancelable: true }));
}

// Seed 7: right to the food, down, left, P on the sixteenth record, up into the wall.
const recordedGame = { 1: 39, 9: 40, 12: 37, 16: 80, 20: 38 };

describe('playing', () => {
  it('plays the recorded game through a pause and two collisions, and keeps it to compare across engines', async () => {
    const tab = await game.open({ seed });
    await tab.evaluate(followPlan, recordedGame);
    await tab.evaluate(() => window.wormRecorder.onRecord(1));
    await waitForButton(tab, 'pause');
    await tab.click('#pause'); // nothing moves while paused, so the click's moment cannot matter
    await waitForButton(tab, 'gameover');
    const firstEnd = await recordCount(tab);
    await tab.click('#gameover');
    await waitForRecords(tab, firstEnd + 1);
    await tab.press('ArrowDown'); // a new board waits for an arrow, so the key's moment cannot matter
    await waitForButton(tab, 'gameover');
    const records = (await recordsFrom(tab, 0)).map((r) => ({
      title: r.title, pause: r.pause?.text ?? null, gameover: r.gameover?.text ?? null, cells: r.cells,
    }));
    assert.ok(parseScore(records[firstEnd - 1].title).score > 100, 'the food was eaten on the way');
    assert.equal(records.filter((r) => r.gameover).length, 2, 'two games ended');
    fs.writeFileSync(path.join(buildDir, `recorded-game-${engine}.json`), JSON.stringify(records));
    assert.deepEqual(await tab.problems(), []);
    await tab.close();
  });

  it('starts ticking at an arrow; the head moves a cell a tick, the body follows, the tail is erased', async () => {
    const tab = await game.open({ seed });
    const [first] = await recordsFrom(tab, 0);
    const run = clearRunsToWall(first.cells, centre).at(-1);
    const along = (n) => step(centre, headings[run.key], n);
    await tab.press(run.key);
    const ticks = Math.min(run.steps - 1, 20);
    await waitForRecords(tab, 1 + ticks);
    const records = await recordsFrom(tab, 1);
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
    assert.deepEqual(await tab.problems(), []);
    await tab.close();
  });

  it('pauses at P with the Pause button; a click on it resumes and keys still reach the game', async () => {
    const tab = await game.open({ seed });
    await tab.evaluate(() => {
      window.repeats = 0;
      window.addEventListener('keydown', (e) => { window.repeats += e.repeat ? 1 : 0; });
    });
    const run = clearRunsToWall((await snapshot(tab)).cells, centre).at(-1);
    await tab.press(run.key);
    await waitForRecords(tab, 3);
    await tab.press('KeyP');
    const paused = await snapshot(tab);
    assert.equal(paused.pause?.text, 'Pause');
    assert.equal(paused.pause.fontWeight, '700');
    assert.match(paused.pause.fontFamily, /^Arial/);
    const ticksAtP = await recordCount(tab);
    await letPeriodsPass(tab, 6);
    assert.equal(await recordCount(tab), ticksAtP, 'no tick while paused');

    // A press on Pause released off it clicks nothing and must leave the keys with the game: Enter
    // is then a key like any other (it resumes, Pause stays), not a click on a focused button.
    const { left, top, width, height } = paused.pause;
    await tab.mouse([['move', left + width / 2, top + height / 2], ['down'], ['move', left + width / 2, top + height + 40], ['up']]);
    assert.equal((await snapshot(tab)).focus, 'BODY', 'the press took the focus');
    await tab.press('Enter');
    await waitForRecords(tab, ticksAtP + 1);
    assert.notEqual((await snapshot(tab)).pause, null, 'Enter clicked the button instead of resuming');
    await tab.press('KeyP');
    const ticksAtClick = await recordCount(tab);

    await tab.click('#pause');
    await waitForRecords(tab, ticksAtClick + 1);
    const resumed = await snapshot(tab);
    assert.equal(resumed.pause, null, 'the click hides Pause');
    assert.equal(resumed.focus, 'BODY', 'the button did not take the focus');
    await tab.press('KeyP');
    assert.notEqual((await snapshot(tab)).pause, null, 'P after the click pauses again');

    // Any key resumes, and so does its auto-repeat: each repeat is a press of its own.
    const beforeX = await recordCount(tab);
    await tab.down('KeyX');
    await waitForRecords(tab, beforeX + 1);
    await tab.press('KeyP');
    const beforeRepeat = await recordCount(tab);
    await tab.down('KeyX');
    await waitForRecords(tab, beforeRepeat + 1);
    await tab.up('KeyX');
    // WebKit's driver sends a second press of a held key as a plain press.
    assert.equal(await tab.evaluate(() => window.repeats), can.keyRepeat ? 1 : 0, 'the second press came as a repeat');
    assert.deepEqual(await tab.problems(), []);
    await tab.close();
  });

  it('ends the game at the wall with Game Over centred; any key resumes; Game Over starts anew', async () => {
    const tab = await game.open({ seed });
    const [first] = await recordsFrom(tab, 0);
    const run = clearRunsToWall(first.cells, centre)[0];
    await tab.press(run.key);
    await waitForButton(tab, 'gameover');
    const records = await recordsFrom(tab, 1);
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
    const ticksAtEnd = await recordCount(tab);
    await letPeriodsPass(tab, 6);
    assert.equal(await recordCount(tab), ticksAtEnd, 'no tick after the collision');

    // Past the wall lies more wall or no cell at all, so the resumed worm ends the game again.
    await tab.press('KeyA');
    await waitForRecords(tab, ticksAtEnd + 1);
    const resumed = await snapshot(tab);
    assert.notEqual(resumed.gameover, null, 'Game Over stays up');
    const best = parseScore(resumed.title).best;
    assert.equal(best, parseScore(over.title).score + 1, 'the resumed tick scored');

    const beforeClick = await recordCount(tab);
    await tab.click('#gameover');
    await waitForRecords(tab, beforeClick + 1);
    const fresh = await snapshot(tab);
    assert.equal(fresh.title, `Score:  1/ ${best}`, 'a new game keeps the best');
    assert.equal(fresh.cells, first.cells, 'the same seed builds the same first board');
    assert.equal(fresh.gameover, null);
    assert.equal(fresh.pause, null);
    assert.equal(fresh.focus, 'BODY');
    await letPeriodsPass(tab, 4);
    assert.equal(await recordCount(tab), beforeClick + 1, 'the new board waits for an arrow');
    assert.deepEqual(await tab.problems(), []);
    await tab.close();
  });

  it('ends the game on the first tick when Pause is clicked before any arrow', async () => {
    const tab = await game.open({ seed });
    await tab.press('KeyP');
    assert.notEqual((await snapshot(tab)).pause, null, 'P before an arrow shows Pause');
    await tab.click('#pause');
    await waitForButton(tab, 'gameover');
    const records = await recordsFrom(tab, 1);
    assert.equal(records.length, 1, 'one tick, then the ticks stop');
    const [over] = records;
    assert.equal(cellAt(over.cells, 25, 25), 'G', 'the head ran into itself and became body');
    assert.equal(count(over.cells, 'R'), 196, 'no red collision cell');
    assert.equal(parseScore(over.title).score, 2);
    await tab.close();
  });

  it('needs no mouse: Tab reaches the button that shows, Enter or Space clicks it; Alt+arrow is the browser\'s', async () => {
    const tab = await game.open({ seed });
    await tab.evaluate(() => window.addEventListener('keydown', (e) => { window.lastPrevented = e.defaultPrevented; }));
    await tab.down('Alt');
    await tab.press('ArrowLeft');
    await tab.up('Alt');
    assert.equal(await tab.evaluate(() => window.lastPrevented), false, 'Alt+Left was cancelled');
    await letPeriodsPass(tab, 3);
    assert.equal(await recordCount(tab), 1, 'Alt+Left started the worm');

    const run = clearRunsToWall((await snapshot(tab)).cells, centre)[0];
    await tab.press(run.key);
    await waitForRecords(tab, 3);
    await tab.press('KeyP');
    await tab.press('Tab'); // a key to the game too: it resumes, Pause stays up
    assert.equal((await snapshot(tab)).focus, 'pause');
    await tab.press('Enter');
    assert.equal((await snapshot(tab)).pause, null, 'Enter clicked Pause');
    await waitForButton(tab, 'gameover');
    await tab.press('Tab');
    assert.equal((await snapshot(tab)).focus, 'gameover');
    const before = await recordCount(tab);
    await tab.press('Space');
    await waitForRecords(tab, before + 1);
    const fresh = await snapshot(tab);
    assert.match(fresh.title, /^Score: {2}1\/ \d+$/, 'Space clicked Game Over: a new game');
    assert.equal(fresh.focus, 'BODY', 'the focus left the hidden button');
    assert.deepEqual(await tab.problems(), []);
    await tab.close();
  });

  it('keeps the keys in a real window: Tab and Shift+Tab go round the board and the buttons that show (Chromium)', { skip: engine !== 'chromium' }, async () => {
    const browser = await launchBrowser({ headful: true });
    try {
      const tab = await openGame(browser, game.site(), { seed });
      const walk = async (key, n) => {
        const stops = [];
        for (let k = 0; k < n; k += 1) {
          await tab.press(key);
          stops.push(await tab.evaluate(() => (document.hasFocus() ? document.activeElement.id : 'away')));
        }
        return stops;
      };
      const runs = clearRunsToWall((await snapshot(tab)).cells, centre);
      const run = runs.at(-1);
      const turn = runs.find(({ key }) => (headings[key].dc === 0) !== (headings[run.key].dc === 0));
      await tab.press(run.key);
      assert.deepEqual(await walk('Tab', 3), ['board', 'board', 'board'], 'no button shows');
      const turnedAt = await recordCount(tab);
      await tab.press(turn.key); // the arrow still steers, on to the end
      await waitForRecords(tab, turnedAt + 2);
      const [a, b] = (await recordsFrom(tab, -2)).map((r) => headOf(r)[0]);
      assert.deepEqual({ dc: b.col - a.col, dr: b.row - a.row }, headings[turn.key], 'the turn after Tab');
      await waitForButton(tab, 'gameover');
      assert.deepEqual(await walk('Tab', 3), ['gameover', 'board', 'gameover'], 'past the last button');
      await tab.down('Shift');
      assert.deepEqual(await walk('Tab', 3), ['board', 'gameover', 'board'], 'Shift+Tab');
      await tab.up('Shift');
      assert.deepEqual(await tab.problems(), []);
    } finally {
      await browser.close();
    }
  });
});
