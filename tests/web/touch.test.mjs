// The page in a phone's hand: swipes and taps play the very game the keys play, a swipe turns on
// the next tick without waiting for the lift, and no finger scrolls or zooms the page.
import assert from 'node:assert/strict';
import { describe, it } from 'node:test';
import {
  can, engine, headings, installFingers, letPeriodsPass, parseScore, patience, phone, positionsOf, recordCount, recordsFrom, snapshot, waitForRecords, useGame,
} from './harness.mjs';

const game = useGame();

// In the page: play(input) sends one input by mode; the plan's inputs go on their records.
function installPlayer(mode, plan) {
  window.play = (input) => window.send(input, mode);
  window.wormRecorder.onRecord = (n) => plan[n] && window.play(plan[n]);
}

// Seed 7: right to the food (eaten on the eleventh tick), left, a pause, then up into the wall.
const plan = { 9: 'ArrowDown', 12: 'ArrowLeft', 16: 'P', 20: 'ArrowUp' };

async function playThrough(mode) {
  const tab = await game.open({ seed: 7, ...(can.phone ? phone : {}), script: installFingers });
  await tab.evaluate(installPlayer, mode, plan);
  await tab.evaluate(() => window.play('ArrowRight'));
  await tab.waitFor(() => window.wormRecorder.snapshot().pause !== null);
  const ticks = await recordCount(tab);
  await letPeriodsPass(tab, 3);
  assert.equal(await recordCount(tab), ticks, `no tick while paused (${mode})`);
  await tab.evaluate(() => window.play('Space'));
  await tab.waitFor(() => window.wormRecorder.snapshot().gameover !== null);
  const records = (await recordsFrom(tab, 0)).map((r) => ({
    cells: r.cells, title: r.title, pause: r.pause !== null, gameover: r.gameover !== null,
  }));
  return { tab, problems: await tab.problems(), records };
}

describe('touch', () => {
  it('plays the same game by swipes and taps as by keys, cell for cell, and starts anew with a tap', async () => {
    const byKeys = await playThrough('keys');
    await byKeys.tab.close();
    const byTouch = await playThrough('touch');
    assert.ok(byKeys.records.length > 25, `${byKeys.records.length} records`);
    assert.ok(parseScore(byKeys.records.at(-1).title).score > 100, 'the food was eaten on the way');
    assert.equal(byTouch.records.length, byKeys.records.length);
    byKeys.records.forEach((r, i) => assert.deepEqual(byTouch.records[i], r, `record ${i}`));

    const { tab } = byTouch;
    const b = (await snapshot(tab)).gameover;
    const before = await recordCount(tab);
    // WebKit's driver has no touch screen: there a click stands for the tap.
    await (can.touchScreen ? tab.page.touchscreen.tap(b.left + b.width / 2, b.top + b.height / 2) : tab.click('#gameover'));
    await waitForRecords(tab, before + 1);
    assert.match((await snapshot(tab)).title, /^Score: {2}1\/ \d+$/, 'a tap on Game Over starts a new game');
    assert.equal(await tab.evaluate(() => document.getElementById('hint').hidden), false, 'the hint is back');
    assert.deepEqual([...byKeys.problems, ...byTouch.problems], []);
    await tab.close();
  });

  it('turns on the first tick after the swipe, finger still down; pinch and drags leave the page be (Chromium\'s touch screen)', { skip: engine !== 'chromium' }, async () => {
    const tab = await game.open({ seed: 7, ...phone });
    const { board } = await snapshot(tab);
    const [x, y] = [board.cssLeft + board.cssSide / 2, board.cssTop + board.cssSide / 2];
    await tab.evaluate(() => document.getElementById('board')
      .addEventListener('touchmove', () => { window.movedAt = performance.now(); }));
    await tab.page.touchscreen.touchStart(x, y);
    await tab.page.touchscreen.touchMove(x + 30, y);
    await waitForRecords(tab, 4);
    const movedBefore = await tab.evaluate(() => window.movedAt);
    await tab.page.touchscreen.touchMove(x + 30, y + 30); // may return before the page has the move
    await tab.waitFor((t) => window.movedAt > t, movedBefore);
    const movedAt = await tab.evaluate(() => window.movedAt);
    await waitForRecords(tab, (await recordCount(tab)) + 2);
    const records = await recordsFrom(tab, 0);
    const next = records.findIndex((r) => r.t > movedAt);
    const [[from], [to]] = [records[next - 1], records[next]].map((r) => positionsOf(r.cells, 'H'));
    assert.deepEqual(to, { col: from.col, row: from.row + 1 }, 'the next tick went down');
    await tab.page.touchscreen.touchEnd();

    // Two fingers spreading below the board, then one dragging up the page and down the board.
    const cdp = await tab.page.createCDPSession();
    const drag = async (paths) => {
      const at = (k) => paths.map(([[x0, y0], [x1, y1]], id) => ({ id, x: x0 + ((x1 - x0) * k) / 10, y: y0 + ((y1 - y0) * k) / 10 }));
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: at(0) });
      for (let k = 1; k <= 10; k += 1) await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: at(k) });
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
    };
    await drag([[[x - 20, 700], [x - 150, 700]], [[x + 20, 700], [x + 150, 700]]]);
    await drag([[[x, 800], [x, 300]]]);
    await drag([[[x, 100], [x, 600]]]);
    await letPeriodsPass(tab, 4);
    const view = await tab.evaluate(() => [visualViewport.scale, scrollX, scrollY, getSelection().toString()]);
    assert.deepEqual(view, [1, 0, 0, ''], 'no zoom, no scroll, no selection');
    assert.deepEqual(await tab.problems(), []);
    await tab.close();
  });

  it('steers from anywhere but the buttons, taps there to resume, and forgets a finger whose end never came (a background tab)', { skip: !can.backgroundTab }, async () => {
    const tab = await game.open({ seed: 7, ...phone, script: installFingers });
    const { board } = await snapshot(tab);
    const [x, y] = [30, phone.height - 30]; // below the board, beside the pause control
    assert.ok(y > board.cssTop + board.cssSide, 'below the board');
    assert.equal(await tab.evaluate((px, py) => document.elementFromPoint(px, py).closest('button'), x, y), null);
    const turns = async (send, key, why, id) => {
      const n = await recordCount(tab);
      await tab.evaluate(send, x, y, id);
      await waitForRecords(tab, n + 2);
      const [a, b] = (await recordsFrom(tab, -2)).map((r) => positionsOf(r.cells, 'H')[0]);
      assert.deepEqual({ dc: b.col - a.col, dr: b.row - a.row }, headings[key], why);
    };
    await turns((px, py) => window.swipe(px, py, 24, 0), 'ArrowRight', 'a swipe below the board starts the worm');
    await tab.evaluate(() => document.getElementById('pausekey').click());
    const paused = await recordCount(tab);
    await tab.evaluate((px, py) => window.swipe(px, py, 0, 0), x, y);
    await waitForRecords(tab, paused + 1); // the tap resumed

    // A finger that stays down steers; a new primary finger means it has gone.
    const hold = (px, py, id) => {
      window.finger('pointerdown', px, py, { id });
      window.finger('pointermove', px, py + 24, { id });
    };
    await turns(hold, 'ArrowDown', 'a finger held down turns', 2);
    await turns((px, py) => window.swipe(px, py, 24, 0, { id: 3 }), 'ArrowRight', 'a new primary finger steers');
    // Hidden mid-touch, the page hears no end; a later finger may still look like a second one.
    await turns(hold, 'ArrowDown', 'another finger held down turns', 4);
    const other = await game.browser().browser.newPage();
    await other.bringToFront();
    await tab.waitFor(() => document.hidden);
    await tab.page.bringToFront();
    await other.close();
    await turns((px, py) => window.swipe(px, py, 24, 0, { id: 5, primary: false }), 'ArrowRight', 'steers after hiding');
    assert.deepEqual(await tab.problems(), []);
    await tab.close();
  });
});
