// The web page's figures against its floors, in one headless Chromium over the browser tests'
// harness: start, main-thread time per tick, memory, bytes and tick timing. Rounds alternate the
// game with the floor pages and reverse their order every other round; every budget is a ratio to
// a floor measured in this run. A measurement, not a test: bench/web-figures.sh builds and runs it.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { launchBrowser, patience, serveSite, siteDir } from '../../tests/web/harness.mjs';
import { installRecorder } from '../../tests/web/recorder.mjs';
import { installProbe } from './probe.mjs';
import { siteBytes } from './site_bytes.mjs';
import { clearLoop, steer, ticksSeen, waitForQuiet, waitForTick } from './steer.mjs';

const floorDir = process.env.WORM_FLOOR_DIR ?? path.resolve(siteDir, '../../bench/web');
const rounds = Number(process.env.ROUNDS ?? 5);
const startLoads = Number(process.env.START_LOADS ?? 6); // of each page, each round
const playSeconds = Number(process.env.PLAY_SECONDS ?? 8);
const idleSeconds = Number(process.env.IDLE_SECONDS ?? 5);
const seed = 7; // the same board every time
const period = 75;

const sorted = (xs) => [...xs].sort((a, b) => a - b);
const quantile = (xs, q) => sorted(xs)[Math.min(xs.length - 1, Math.floor(q * xs.length))];
const median = (xs) => quantile(xs, 0.5);
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const log = [];

// A fresh profile for every load, so that no cache or worker of an earlier one helps it.
async function open(browser, url) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport({ width: 560, height: 600 });
  await page.evaluateOnNewDocument(installProbe);
  await page.goto(url);
  await page.waitForFunction(() => window.wormProbe.firstBoard !== null, { timeout: patience });
  const cdp = await page.createCDPSession();
  return { context, page, cdp, start: await page.evaluate(() => window.wormProbe.firstBoard) };
}

// JS heap after a full collection, and the WebAssembly memory, in bytes.
async function memoryOf({ page, cdp }) {
  await sleep(1000);
  await cdp.send('HeapProfiler.collectGarbage');
  const { usedSize } = await cdp.send('Runtime.getHeapUsage');
  const wasm = await page.evaluate(() => window.wormProbe.memories.reduce((s, m) => s + m.buffer.byteLength, 0));
  return { heap: usedSize, wasm };
}

// The main thread's CPU time so far, in ms, split as DevTools splits it.
async function mainThread(cdp) {
  const { metrics } = await cdp.send('Performance.getMetrics');
  const m = Object.fromEntries(metrics.map((x) => [x.name, x.value * 1000]));
  return { task: m.TaskDuration, script: m.ScriptDuration, layout: m.LayoutDuration, style: m.RecalcStyleDuration };
}
const minus = (a, b) => Object.fromEntries(Object.keys(a).map((k) => [k, a[k] - b[k]]));

// Each tick's lateness against its due time: a period after the page took the key that started
// its run of ticks (the first timer it armed after that key), then every period. Timed from the
// key itself, a run whose key the page was slow to take would count that delay against every
// tick; it is reported apart as the key's wait. A tick a whole period late or more (the page held
// up) starts the count again from itself, as the desktop's timer does, and is counted as a stall.
function lateness(titles, keys, timers, from, to) {
  const late = [];
  const keyWaits = [];
  let due = Infinity;
  let stalls = 0;
  let previous = -Infinity;
  for (const t of titles) {
    if (t >= from && t <= to) {
      if (previous < from || t - previous > 4 * period) {
        const key = keys.filter((k) => k > previous && k < t).at(-1); // a run starts
        const armed = timers.find(([at]) => at >= key)[0];
        keyWaits.push(armed - key);
        due = armed + period;
      }
      late.push(t - due);
      due += period;
      if (due <= t) {
        stalls += 1;
        due = t + period;
      }
    }
    previous = t;
  }
  return { late, stalls, keyWaits };
}

// A stretch with the ticks stopped: how many came, and the main thread's ms per second.
async function idle(opened) {
  const before = await mainThread(opened.cdp);
  const s0 = await ticksSeen(opened.page);
  await sleep(idleSeconds * 1000);
  const s1 = await ticksSeen(opened.page);
  const spent = minus(await mainThread(opened.cdp), before);
  return { ticks: s1.n - s0.n, msPerS: spent.task / ((s1.now - s0.now) / 1000) };
}

// One page ticking, steered round the loop; the game is then paused, and run into the wall.
async function ticking(browser, url, loop, isGame) {
  const opened = await open(browser, url);
  const { page, cdp } = opened;
  await cdp.send('Performance.enable', { timeDomain: 'threadTicks' });
  let before;
  const run = await steer(page, loop, playSeconds, async () => {
    before = { cpu: await mainThread(cdp), seen: await ticksSeen(page) };
  });
  const after = { cpu: await mainThread(cdp), seen: await ticksSeen(page) };
  const ticks = after.seen.n - before.seen.n;
  const spent = minus(after.cpu, before.cpu);
  const probe = await page.evaluate(() => window.wormProbe);
  const result = {
    ticks, ...run,
    perTick: Object.fromEntries(Object.entries(spent).map(([k, v]) => [k, v / ticks])),
    // The first tick seen may be the second if the page was slow to answer: take in the one before.
    ...lateness(probe.titles, probe.keys, probe.timers, run.from - period - 10, run.to),
    shortTimers: probe.timers.filter(([at, ms]) => ms < 4 && at >= run.from && at <= run.to).length,
  };
  if (isGame) {
    await page.keyboard.press('KeyP');
    await waitForQuiet(page);
    result.paused = await idle(opened);
    const stopped = await ticksSeen(page);
    await page.keyboard.press('ArrowUp'); // on again, with no more turns, into whatever lies ahead
    await waitForTick(page, stopped.n);
    if (!(await waitForQuiet(page, 20_000))) throw new Error('the game did not end');
    result.gameover = await idle(opened);
  }
  await opened.context.close();
  return result;
}

// The loop is read once from the game's first board: the seed makes every board the same.
async function surveyLoop(browser, url) {
  const { page, context } = await open(browser, url);
  await page.evaluate(installRecorder);
  const cells = await page.evaluate(() => window.wormRecorder.snapshot().cells);
  await context.close();
  const loop = clearLoop(cells);
  if (!loop) throw new Error('no loop of empty cells round the centre');
  return loop;
}

const fmt = (x, digits = 2) => (typeof x === 'number' ? x.toFixed(digits) : String(x));
function row(figure, game, floor, ratio, budget, verdict) {
  console.log(`${figure.padEnd(50)} ${fmt(game).padStart(10)} ${fmt(floor).padStart(10)} ${ratio.padStart(8)} `
    + `${budget.padStart(14)}  ${verdict}`);
}
const verdict = (met) => (met ? 'met' : 'NOT MET');
function ratioRow(figure, game, floor, limit) {
  const r = game / floor;
  row(figure, game, floor, `${r.toFixed(2)}x`, limit ? `<= ${limit}x` : '', limit ? verdict(r <= limit) : '');
}

async function main() {
  const load = fs.readFileSync('/proc/loadavg', 'utf8').split(' ').slice(0, 3).join(' ');
  const game = await serveSite(siteDir);
  const floors = await serveSite(floorDir, { policy: false }); // the floors keep their own inline style
  const gameUrl = `${game.url}?seed=${seed}`;
  const startFloor = `${floors.url}start_floor.html`;
  const tickFloor = `${floors.url}tick_floor.html`;
  const chromium = await launchBrowser();
  const { browser } = chromium;
  const starts = { game: [], floor: [] };
  const memory = { game: [], floor: [] };
  const ticks = { game: [], floor: [] };
  try {
    const loop = await surveyLoop(browser, gameUrl);
    for (let round = 0; round <= rounds; round += 1) {
      // Round 0 warms the browser up and is not counted; every other round runs backwards.
      const order = round % 2 ? [['game', gameUrl], ['floor', startFloor]] : [['floor', startFloor], ['game', gameUrl]];
      for (let i = 0; i < (round === 0 ? 1 : startLoads); i += 1) {
        for (const [name, url] of order) {
          const opened = await open(browser, url);
          if (round > 0) starts[name].push(opened.start);
          if (round > 0 && i === 0) memory[name].push(await memoryOf(opened));
          log.push(`round=${round} page=${name} start_ms=${opened.start.toFixed(1)}`);
          await opened.context.close();
        }
      }
      if (round === 0) continue;
      const tickOrder = round % 2 ? [['game', gameUrl], ['floor', tickFloor]] : [['floor', tickFloor], ['game', gameUrl]];
      for (const [name, url] of tickOrder) {
        const r = await ticking(browser, url, loop, name === 'game');
        ticks[name].push(r);
        log.push(`round=${round} page=${name} ticks=${r.ticks} task_ms=${fmt(r.perTick.task, 3)} script_ms=${fmt(r.perTick.script, 3)} `
          + `layout_ms=${fmt(r.perTick.layout, 3)} style_ms=${fmt(r.perTick.style, 3)} late_median_ms=${fmt(median(r.late))} first_late_ms=${r.late.slice(0, 3).map((x) => fmt(x, 1))} `
          + `key_waits_ms=${r.keyWaits.map((x) => fmt(x, 1))} stalls=${r.stalls} resumes=${r.resumes} missed_turns=${r.missed} short_timers=${r.shortTimers}`
          + (r.paused ? ` paused_ticks=${r.paused.ticks} paused_ms_per_s=${fmt(r.paused.msPerS)} `
            + `gameover_ticks=${r.gameover.ticks} gameover_ms_per_s=${fmt(r.gameover.msPerS)}` : ''));
      }
      console.error(`round ${round} of ${rounds} done`);
    }
    const bytes = await siteBytes(browser, game.url, siteDir);

    console.log(`\nThe web page in Chromium ${(await browser.version()).replace(/^\D*/, '')}, headless, against its floors:`);
    console.log(`${rounds} rounds after a warm-up, each loading the game and the start floor ${startLoads} times each,`);
    console.log(`then the game and the per-tick floor ticking ${playSeconds} s each, steered round a loop (game ${seed === 7 ? 'seed 7' : ''}),`);
    console.log(`the game then ${idleSeconds} s paused and ${idleSeconds} s after game over. ${os.cpus().length} cores, load before the run: ${load}.\n`);
    row('figure', 'game', 'floor', 'ratio', 'budget', '');
    ratioRow(`navigation to first board, median of ${starts.game.length} (ms)`, median(starts.game), median(starts.floor), 1.1);
    ratioRow('  the slowest (ms)', Math.max(...starts.game), Math.max(...starts.floor), 1.1);
    const perTick = (name, key) => median(ticks[name].map((r) => r.perTick[key]));
    ratioRow(`main-thread CPU per tick, median of ${rounds} (ms)`, perTick('game', 'task'), perTick('floor', 'task'), 1.1);
    for (const key of ['script', 'layout', 'style']) ratioRow(`  of which ${key} (ms)`, perTick('game', key), perTick('floor', key));
    for (const phase of ['paused', 'gameover']) {
      const most = Math.max(...ticks.game.map((r) => r[phase].ticks));
      row(`ticks ${phase}, most in any round`, most, '', '', '0', verdict(most === 0));
      row(`  main-thread CPU ${phase}, median (ms/s)`, median(ticks.game.map((r) => r[phase].msPerS)), '', '', '', '');
    }
    const mem = (name) => median(memory[name].map((m) => m.heap + m.wasm)) / 1024;
    ratioRow('JS heap + WebAssembly memory after start (KiB)', mem('game'), mem('floor'), 1.2);
    row('  of which WebAssembly memory (KiB)', median(memory.game.map((m) => m.wasm)) / 1024,
      median(memory.floor.map((m) => m.wasm)) / 1024, '', '', '');
    const late = (name) => ticks[name].flatMap((r) => r.late);
    const [gl, fl] = [late('game'), late('floor')];
    for (const [label, q] of [['median', 0.5], ['90th percentile', 0.9]]) {
      const [g, f] = [quantile(gl, q), quantile(fl, q)];
      row(`tick lateness, ${label} of ${gl.length} / ${fl.length} (ms)`, g, f, `${g - f >= 0 ? '+' : ''}${(g - f).toFixed(2)}`,
        '<= floor + 0.3', verdict(g - f <= 0.3));
    }
    const share = (xs, ms) => (100 * xs.filter((x) => x > ms).length) / xs.length;
    const over = share(gl, 1) - share(fl, 1);
    row('  ticks more than 1 ms late (%)', share(gl, 1), share(fl, 1), `${over >= 0 ? '+' : ''}${over.toFixed(1)}`,
      '<= floor + 5', verdict(over <= 5));
    row('  ticks more than 4 ms late (%)', share(gl, 4), share(fl, 4), '', '', '');
    const sum = (name, key) => ticks[name].reduce((s, r) => s + r[key], 0);
    row('  ticks a whole period late or more', sum('game', 'stalls'), sum('floor', 'stalls'), '', '', '');
    const waits = (name) => ticks[name].flatMap((r) => r.keyWaits);
    row(`  key to the ticks' first timer, median of ${waits('game').length} (ms)`, median(waits('game')), median(waits('floor')), '', '', '');
    const short = ticks.game.reduce((s, r) => s + r.shortTimers, 0);
    row('  timers under 4 ms armed while ticking', short, ticks.floor.reduce((s, r) => s + r.shortTimers, 0), '', '0', verdict(short === 0));
    for (const line of bytes.rows) row(...line);

    console.log('\nEvery load and every ticking round (stalls: ticks a period late or more; resumes: a stop on the');
    console.log('loop; missed_turns: steering too late):');
    for (const line of log) console.log(`  ${line}`);
  } finally {
    await chromium.close();
    await game.close();
    await floors.close();
  }
}

await main();
