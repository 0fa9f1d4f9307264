// Steers a page round a loop of empty cells with arrow keys through the browser tests' tab, as
// bench/x_game.cpp does the desktop game: the game's or a floor's, which hears the same keys at the
// same ticks. The ticks are read back from the page's probe now and then, never every tick, so
// that watching costs the page next to nothing.
const period = 75;
const centre = { col: 25, row: 25 };

// The longest rectangle of at least minimumCells empty cells that a worm heading up from the
// centre of a fresh board meets on its top edge, the way there empty too; null if there is none.
// cells: the board row by row, '.' for an empty cell.
export function clearLoop(cells, minimumCells = 40) {
  const empty = (col, row) => cells[(row - 1) * 50 + (col - 1)] === '.';
  const emptyRow = (row, from, to) => [...Array(to - from + 1).keys()].every((i) => empty(from + i, row));
  const emptyColumn = (col, from, to) => [...Array(to - from + 1).keys()].every((i) => empty(col, from + i));
  let best = null;
  const size = (l) => 2 * (l.right - l.left) + 2 * (l.bottom - l.top);
  for (let top = centre.row - 1; top >= 2 && empty(centre.col, top); top -= 1) {
    for (let left = 2; left < centre.col; left += 1) {
      for (let right = centre.col + 1; right <= 49 && emptyRow(top, left, right); right += 1) {
        for (let bottom = top + 2; bottom <= 49; bottom += 1) {
          const loop = { left, top, right, bottom };
          if (size(loop) >= minimumCells && (!best || size(loop) > size(best))
              && emptyRow(bottom, left, right) && emptyColumn(left, top, bottom) && emptyColumn(right, top, bottom)) {
            best = loop;
          }
        }
      }
    }
  }
  return best;
}

// The turns round the loop, clockwise once on it, up until then: the key to press after a tick.
function turnsRound(loop, ticks) {
  let { col, row } = centre;
  let heading = 'ArrowUp';
  const turns = [];
  for (let tick = 1; tick <= ticks; tick += 1) {
    col += heading === 'ArrowRight' ? 1 : heading === 'ArrowLeft' ? -1 : 0;
    row += heading === 'ArrowDown' ? 1 : heading === 'ArrowUp' ? -1 : 0;
    let next = 'ArrowUp';
    if (row === loop.top && col < loop.right) next = 'ArrowRight';
    else if (col === loop.right && row < loop.bottom) next = 'ArrowDown';
    else if (row === loop.bottom && col > loop.left) next = 'ArrowLeft';
    if (next !== heading) turns.push({ after: tick, key: next });
    heading = next;
  }
  return turns;
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, Math.max(0, ms)));
export const ticksSeen = (tab) => tab.evaluate(() => {
  const t = window.wormProbe.titles;
  return { n: t.length, last: t.at(-1) ?? -Infinity, now: performance.now() };
});

export async function waitForTick(tab, after) {
  for (let s = await ticksSeen(tab); ; s = await ticksSeen(tab)) {
    if (s.n > after) return s;
    await sleep(20);
  }
}

// Waits until no tick has come for four periods; false if the ticks went on for limitMs.
export async function waitForQuiet(tab, limitMs = 10_000) {
  for (let waited = 0; waited < limitMs; waited += 100) {
    const s = await ticksSeen(tab);
    if (s.now - s.last > 4 * period) return true;
    await sleep(100);
  }
  return false;
}

// Starts the ticks with the up arrow and steers for the given seconds, resuming with the
// heading's key after anything that lay on the loop stopped them; started() is awaited once the
// first tick has come. Returns the first tick's page time, the page time it ended, and how often
// it resumed or missed a turn.
export async function steer(tab, loop, seconds, started = async () => {}) {
  const turns = turnsRound(loop, Math.ceil((seconds * 1000) / period) + 200);
  const base = (await ticksSeen(tab)).n;
  let heading = 'ArrowUp';
  await tab.press(heading);
  const first = await waitForTick(tab, base);
  await started();
  let next = 0;
  let resumes = 0;
  let missed = 0;
  for (;;) {
    const s = await ticksSeen(tab);
    if (s.now - first.last >= seconds * 1000) {
      return { from: first.last, to: s.now, resumes, missed };
    }
    const k = s.n - base;
    if (s.now - s.last > 4 * period) {
      resumes += 1;
      await tab.press(heading);
      await waitForTick(tab, s.n);
      continue;
    }
    for (; next < turns.length && turns[next].after < k; next += 1) {
      missed += 1; // too late for this one: the worm went straight on
      heading = turns[next].key;
    }
    // Press a third of a period after the tick that comes before the turn.
    const wait = s.last + period * (turns[next].after - k) + period / 3 - s.now;
    if (wait > 1000) {
      await sleep(1000);
      continue;
    }
    await sleep(wait);
    heading = turns[next].key;
    next += 1;
    await tab.press(heading);
  }
}
