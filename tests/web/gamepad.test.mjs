// A standard-mapping gamepad plays the page alone: the d-pad and the stick steer, Start pauses,
// the south button resumes and the north button presses the button on the board.
import assert from 'node:assert/strict';
import { describe, it } from 'node:test';
import { positionsOf, recordCount, snapshot, useGame, waitForRecords } from './harness.mjs';

const game = useGame();

// In the page before it loads: the browser's gamepad list holds one scripted pad.
// Button boxes and flight sticks report far more than the standard pad's 17 buttons and 4 axes.
function installPad(buttons, axes) {
  const pad = {
    id: 'scripted pad', index: 0, connected: true, mapping: 'standard', timestamp: 0, axes: Array(axes).fill(0),
    buttons: Array.from({ length: buttons }, () => ({ pressed: false, touched: false, value: 0 })),
  };
  navigator.getGamepads = () => [pad, null, null, null];
  window.pad = {
    button: (b, down) => { pad.buttons[b] = { pressed: down, touched: down, value: down ? 1 : 0 }; },
    stick: (x, y) => { pad.axes[0] = x; pad.axes[1] = y; },
  };
}

describe('a gamepad', () => {
  for (const [buttons, axes] of [[17, 4], [120, 40]]) it(`steers, pauses, resumes and starts anew alone (${buttons} buttons)`, async () => {
    const tab = await game.open({ seed: 7, script: `(${installPad})(${buttons}, ${axes})` });
    const frames = () => tab.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
    const press = async (b) => {
      await tab.evaluate((k) => window.pad.button(k, true), b);
      await frames();
      await tab.evaluate((k) => window.pad.button(k, false), b);
      await frames();
    };
    const head = async () => positionsOf((await snapshot(tab)).cells, 'H')[0];
    const ticks = async (n) => waitForRecords(tab, (await recordCount(tab)) + n);

    await press(15); // d-pad right: heads off and starts
    await ticks(2);
    const right = await head();
    assert.ok(right.col > 25 && right.row === 25, `right: ${JSON.stringify(right)}`);
    await press(13); // d-pad down
    await ticks(2);
    const down = await head();
    assert.ok(down.row > right.row, `down: ${JSON.stringify(down)}`);
    await tab.evaluate(() => window.pad.stick(-0.9, 0.1)); // the stick, held left
    await ticks(2);
    const left = await head();
    assert.ok(left.col < down.col && left.row >= down.row, `left: ${JSON.stringify(left)}`);

    await press(9); // Start: P
    assert.notEqual((await snapshot(tab)).pause, null, 'Start paused');
    const paused = await recordCount(tab);
    await press(0); // south: any other key, so it resumes
    await waitForRecords(tab, paused + 1);
    await tab.waitFor(() => window.wormRecorder.snapshot().gameover !== null);
    const over = await recordCount(tab);
    await press(3); // north: the button that shows, Game Over
    await waitForRecords(tab, over + 1);
    assert.match((await snapshot(tab)).title, /^Score: {2}1\/ \d+$/, 'a new game');
    assert.deepEqual(await tab.problems(), []);
    await tab.close();
  });
});
