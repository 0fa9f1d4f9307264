// Playing in the page: arrows start and steer the ticks, P and the Pause button, running into
// the wall, resuming after it, a new game from the Game Over button, and a whole recorded game up
// to the next level; every tick is read back from the canvas as it happens.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { describe, it } from 'node:test';
import {
  buildDir, can, engine, cellAt, clearRunsToWall, count, headings, isWall, installFingers, launchBrowser, letPeriodsPass, openGame, parseScore,
  positionsOf, recordCount, recordsFrom, snapshot, waitForButton, waitForRecords, useGame,
} from './harness.mjs';

// Seed 7 leaves all four straight runs from the centre to the wall clear.
const seed = 7;
const centre = { col: 25, row: 25 };

const game = useGame();

const headOf = (r) => positionsOf(r.cells, 'H');
const step = (from, { dc, dr }, n) => ({ col: from.col + dc * n, row: from.row + dr * n });

// Before the page's own scripts: setTimeout, clearTimeout and performance.now as they are, until
// takeOver(); from then on the test's own clock, on which fireNext() runs the page's timer due
// first (in the order armed when two fall due together) as soon as asked. A game of thousands of
// ticks then takes seconds, tick for tick the same in every engine.
function installTestClock() {
  const [realSet, realClear, realNow] = [setTimeout, clearTimeout, performance.now.bind(performance)];
  const timers = new Map();
  let [now, last, manual] = [0, 1e9, false];
  window.setTimeout = (fn, ms, ...args) => {
    // A second or more is no timer of the page's but a driver's bound on the script it runs.
    if (!manual || ms >= 1000) return realSet(fn, ms, ...args);
    timers.set(++last, { due: now + Math.max(0, Math.floor(ms) || 0), run: () => fn(...args) });
    return last;
  };
  window.clearTimeout = (id) => timers.delete(id) || realClear(id);
  performance.now = () => (manual ? now : realNow());
  window.testClock = {
    takeOver: () => { [now, manual] = [Math.ceil(realNow()), true]; },
    fireNext() {
      const [id, t] = [...timers].reduce((a, b) => (b[1].due < a[1].due ? b : a), [0, { due: Infinity }]);
      if (!timers.delete(id)) return false;
      now = Math.max(now, t.due);
      t.run();
      return true;
    },
  };
}

// In the page: on each record the pilot steers by the board it shows, so the same board brings
// the same input in every engine: the shortest way to the food over free cells, else towards the
// most room; P on record pauseAt; on some records a swipe instead of a key. Once a meal has
// changed the level (the score jumps 102), it holds Up until it runs into something.
function installPilot(pauseAt) {
  const { records } = window.wormRecorder;
  const steps = { ArrowUp: -50, ArrowDown: 50, ArrowLeft: -1, ArrowRight: 1 };
  const score = (n) => Number(/^Score: +(\d+)/.exec(records[n - 1].title)[1]);
  // Every free cell reachable from `from`, each with the first step of a shortest way to it.
  const reach = (cells, from, first) => {
    const seen = new Map([[from, first]]);
    for (const [cell, key] of seen) {
      for (const [k, d] of Object.entries(steps)) {
        const next = cell + d;
        if (!seen.has(next) && (cells[next] === '.' || cells[next] === 'F')) seen.set(next, key ?? k);
      }
    }
    return seen;
  };
  const steer = (cells) => {
    const head = cells.includes('H') ? cells.indexOf('H') : 24 * 50 + 24; // a new level shows no head
    const ways = reach(cells, head, null);
    const food = [...ways.keys()].find((c) => cells[c] === 'F');
    if (food !== undefined) return ways.get(food);
    const room = (k) => (ways.has(head + steps[k]) ? reach(cells, head + steps[k], k).size : 0);
    return Object.keys(steps).reduce((a, b) => (room(b) > room(a) ? b : a));
  };
  let [last, levelled] = [null, false];
  window.wormRecorder.onRecord = (n) => {
    const r = records[n - 1];
    levelled ||= n > 1 && score(n) - score(n - 1) === 102;
    if (r.gameover) return;
    const key = n === pauseAt ? 'P' : levelled ? 'ArrowUp' : steer(r.cells);
    const swiped = key !== last && key !== 'P' && n % 3 === 0;
    window.send(key, swiped ? 'touch' : 'keys');
    r.input = swiped ? `swipe ${key}` : key;
    last = key;
  };
}

// In the page: fires the due timers one by one, each followed by what it set off (the record),
// until n have gone off, none is left, or a button waits for the test's click.
async function runClock(n) {
  const waiting = () => ['pause', 'gameover'].find((id) => !document.getElementById(id).hidden);
  for (let k = 0; k < n && !waiting() && window.testClock.fireNext(); k += 1) {
    await null; // after the record the timer's title change queued, as the page's next task would be
  }
  return { records: window.wormRecorder.records.length, waiting: waiting() ?? null };
}

const pauseAt = 40;

describe('playing', () => {
  it('plays a recorded game through a pause, a swipe, a level change and two collisions, and keeps it to compare across engines', async () => {
    const tab = await game.open({ seed, script: [installFingers, installTestClock] });
    await tab.evaluate(installPilot, pauseAt);
    await tab.evaluate(() => { window.testClock.takeOver(); window.wormRecorder.onRecord(1); });
    for (let [seen, ends] = [0, 0]; ;) {
      const { records: n, waiting } = await tab.evaluate(runClock, 250);
      assert.ok(waiting || (n > seen && n < 5000), `the game stalled, or ran on without a level change, at record ${n}`);
      seen = n;
      if (waiting === 'gameover' && (ends += 1) === 2) break;
      if (waiting) {
        await tab.evaluate((id) => { const r = window.wormRecorder.records.at(-1); r.input = `${r.input ?? ''} click ${id}`.trim(); }, waiting);
        await tab.click(`#${waiting}`);
        // Polled from here: the page's own timers run on the test's clock now.
        for (let k = 0; !(await tab.evaluate((id) => document.getElementById(id).hidden, waiting)); k += 1) {
          assert.ok(k < 500, `the click on ${waiting} went unheard`);
          await new Promise((resolve) => { setTimeout(resolve, 20); });
        }
      }
    }
    const records = await tab.evaluate(() => window.wormRecorder.records.map((r) => ({
      title: r.title, pause: r.pause?.text ?? null, gameover: r.gameover?.text ?? null, cells: r.cells, input: r.input ?? null,
    })));
    const scores = records.map((r) => parseScore(r.title).score);
    const level = scores.findIndex((s, i) => s - scores[i - 1] === 102);
    assert.ok(level > 0 && scores[level - 1] > 5000, 'a meal changed the level');
    const [before, after] = [records[level - 1].cells, records[level].cells];
    assert.ok(count(before, 'B') > 10, 'the meals added obstacles');
    assert.deepEqual([count(after, 'B'), count(after, 'O'), count(after, 'R'), count(after, 'G'), count(after, 'H')],
      [0, 50, 196, 1, 0], 'the new level: its own obstacles, the wall whole, the worm one body cell');
    assert.equal(cellAt(after, 25, 25), 'G');
    assert.ok(records.some((r) => r.input?.startsWith('swipe')), 'some turns were swipes');
    assert.equal(records[pauseAt - 1].input, 'P click pause', 'P showed Pause, and its click resumed');
    assert.equal(records.filter((r, i) => r.gameover && !records[i - 1].gameover).length, 2, 'two games ended');
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
    assert.equal(fresh.focus, 'board', 'the focus went from the hidden button back to the board');
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
