// The web page's figures against its floors in one engine (WORM_BROWSER), over the browser tests'
// tab interface: start, tick timing, the WebAssembly memory and the page process's main thread on
// the CPU by the kernel's count; where the engine's protocol has them (Chromium's DevTools),
// main-thread time per tick and the JS heap; bytes in Chromium alone.
// Rounds alternate the game with the floor pages and reverse their order every other round.
// Writes the raw figures as JSON to WORM_FIGURES_OUT for bench/web/table.mjs, which sets every
// engine's beside the others'. A measurement, not a test: bench/web-figures.sh builds and runs it.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { engine, launchBrowser, openGame, serveSite, siteDir, snapshot } from '../../tests/web/harness.mjs';
import { devTools, minus } from './devtools.mjs';
import { clockStep, lateness, median } from './lateness.mjs';
import { busiest, contentThreads } from './os_threads.mjs';
import { installProbe } from './probe.mjs';
import { siteBytes } from './site_bytes.mjs';
import { clearLoop, steer, ticksSeen, waitForQuiet, waitForTick } from './steer.mjs';

const floorDir = process.env.WORM_FLOOR_DIR ?? path.resolve(siteDir, '../../bench/web');
const out = process.env.WORM_FIGURES_OUT ?? `web-figures-${engine}.json`;
const rounds = Number(process.env.ROUNDS ?? 5);
const startLoads = Number(process.env.START_LOADS ?? 6); // of each page, each round
const playSeconds = Number(process.env.PLAY_SECONDS ?? 8);
const idleSeconds = Number(process.env.IDLE_SECONDS ?? 5);
const seed = 7; // the same board every time
const period = 75;

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const fmt = (x, digits = 2) => (typeof x === 'number' ? x.toFixed(digits) : String(x));
const log = [];

// A tab with a fresh profile for every load where the driver gives one (WebKit's gives one per
// tab anyway), so that no cache or worker of an earlier load helps it; the probe runs first.
async function open(browser, [site, search]) {
  const tab = await browser.open(site, search, { width: 560, height: 600, fresh: true }, [`(${installProbe})();`]);
  await tab.waitFor(() => window.wormProbe?.firstBoard != null);
  return { tab, devtools: await devTools(tab, engine), start: await tab.evaluate(() => window.wormProbe.firstBoard) };
}

// The JS heap after a full collection (null without DevTools), and the WebAssembly memory, in bytes.
async function memoryOf({ tab, devtools }) {
  await sleep(1000);
  const heap = devtools ? await devtools.heap() : null;
  const wasm = await tab.evaluate(() => window.wormProbe.memories.reduce((s, m) => s + m.buffer.byteLength, 0));
  return { heap, wasm };
}

// A stretch with the ticks stopped: how many came, and the main thread's ms per second, by
// DevTools and by the kernel's count for the page's process (pid).
async function idle({ tab, devtools }, root, pid) {
  const before = await devtools?.mainThread();
  const os0 = contentThreads(root, engine);
  const s0 = await ticksSeen(tab);
  await sleep(idleSeconds * 1000);
  const s1 = await ticksSeen(tab);
  const os1 = contentThreads(root, engine);
  const spent = devtools ? minus(await devtools.mainThread(), before) : null;
  const seconds = (s1.now - s0.now) / 1000;
  return {
    ticks: s1.n - s0.n, msPerS: spent ? spent.task / seconds : null,
    osMsPerS: os0.has(pid) && os1.has(pid) ? (os1.get(pid) - os0.get(pid)) / seconds : null,
  };
}

// One page ticking, steered round the loop; the game is then paused, and run into the wall.
async function ticking(browser, page, loop, isGame) {
  const opened = await open(browser, page);
  const { tab, devtools } = opened;
  await devtools?.enable();
  let before;
  const run = await steer(tab, loop, playSeconds, async () => {
    before = { cpu: await devtools?.mainThread(), seen: await ticksSeen(tab), os: contentThreads(browser.pid, engine) };
  });
  const after = { cpu: await devtools?.mainThread(), seen: await ticksSeen(tab), os: contentThreads(browser.pid, engine) };
  const ticks = after.seen.n - before.seen.n;
  const process = busiest(before.os, after.os);
  const probe = await tab.evaluate(() => {
    const { titles, keys, timers } = window.wormProbe;
    return { titles, keys, timers };
  });
  const result = {
    ticks, ...run,
    perTick: devtools ? Object.fromEntries(Object.entries(minus(after.cpu, before.cpu)).map(([k, v]) => [k, v / ticks])) : null,
    osPerTick: process.pid ? process.ms / ticks : null,
    // The first tick seen may be the second if the page was slow to answer: take in the one before.
    ...lateness(probe.titles, probe.keys, probe.timers, run.from - period - 10, run.to),
    shortTimers: probe.timers.filter(([at, ms]) => ms < 4 && at >= run.from && at <= run.to).length,
    clockStep: await tab.evaluate(clockStep),
  };
  if (isGame) {
    await tab.press('KeyP');
    await waitForQuiet(tab);
    result.paused = await idle(opened, browser.pid, process.pid);
    const stopped = await ticksSeen(tab);
    await tab.press('ArrowUp'); // on again, with no more turns, into whatever lies ahead
    await waitForTick(tab, stopped.n);
    if (!(await waitForQuiet(tab, 20_000))) throw new Error('the game did not end');
    result.gameover = await idle(opened, browser.pid, process.pid);
  }
  await tab.close();
  return result;
}

// The loop is read once from the game's first board: the seed makes every board the same.
async function surveyLoop(browser, site) {
  const tab = await openGame(browser, site, { seed });
  const { cells } = await snapshot(tab);
  await tab.close();
  const loop = clearLoop(cells);
  if (!loop) throw new Error('no loop of empty cells round the centre');
  return loop;
}

function logTicks(round, name, r) {
  const cpu = r.perTick ? `task_ms=${fmt(r.perTick.task, 3)} script_ms=${fmt(r.perTick.script, 3)} `
    + `layout_ms=${fmt(r.perTick.layout, 3)} style_ms=${fmt(r.perTick.style, 3)} ` : '';
  const idled = (phase) => `${phase}_ticks=${r[phase].ticks}${r[phase].msPerS === null ? '' : ` ${phase}_ms_per_s=${fmt(r[phase].msPerS)}`}`
    + ` ${phase}_kernel_ms_per_s=${fmt(r[phase].osMsPerS)}`;
  log.push(`round=${round} page=${name} ticks=${r.ticks} ${cpu}kernel_ms=${fmt(r.osPerTick, 3)} late_median_ms=${fmt(median(r.late))} `
    + `first_late_ms=${r.late.slice(0, 3).map((x) => fmt(x, 1))} key_waits_ms=${r.keyWaits.map((x) => fmt(x, 1))} `
    + `drift_ms=${fmt(r.drift, 3)} stalls=${r.stalls} resumes=${r.resumes} missed_turns=${r.missed} short_timers=${r.shortTimers}`
    + (r.paused ? ` ${idled('paused')} ${idled('gameover')}` : ''));
}

async function main() {
  const load = fs.readFileSync('/proc/loadavg', 'utf8').split(' ').slice(0, 3).join(' ');
  const game = await serveSite(siteDir);
  const floors = await serveSite(floorDir, { policy: false }); // the floors keep their own inline style
  const pages = {
    game: [game, `?seed=${seed}`], startFloor: [floors, 'start_floor.html'], tickFloor: [floors, 'tick_floor.html'],
  };
  const launched = await launchBrowser();
  const starts = { game: [], floor: [] };
  const memory = { game: [], floor: [] };
  const ticks = { game: [], floor: [] };
  const began = Date.now();
  try {
    const loop = await surveyLoop(launched, game);
    for (let round = 0; round <= rounds; round += 1) {
      // Round 0 warms the browser up and is not counted; every other round runs backwards.
      const order = round % 2 ? [['game', pages.game], ['floor', pages.startFloor]] : [['floor', pages.startFloor], ['game', pages.game]];
      for (let i = 0; i < (round === 0 ? 1 : startLoads); i += 1) {
        for (const [name, page] of order) {
          const opened = await open(launched, page);
          if (round > 0) starts[name].push(opened.start);
          if (round > 0 && i === 0) memory[name].push(await memoryOf(opened));
          log.push(`round=${round} page=${name} start_ms=${opened.start.toFixed(1)}`);
          await opened.tab.close();
        }
      }
      if (round === 0) continue;
      const tickOrder = round % 2 ? [['game', pages.game], ['floor', pages.tickFloor]] : [['floor', pages.tickFloor], ['game', pages.game]];
      for (const [name, page] of tickOrder) {
        const r = await ticking(launched, page, loop, name === 'game');
        ticks[name].push(r);
        logTicks(round, name, r);
      }
      console.error(`${engine}: round ${round} of ${rounds} done`);
    }
    const bytes = engine === 'chromium' ? (await siteBytes(launched.browser, game.url, siteDir)).rows : null;
    const version = String(launched.version).replace(/^[^\d]*\//, '');
    fs.writeFileSync(out, JSON.stringify({
      engine, version, load, cores: os.cpus().length, seconds: (Date.now() - began) / 1000,
      settings: { rounds, startLoads, playSeconds, idleSeconds, seed }, starts, memory, ticks, bytes, log,
    }));
  } finally {
    await launched.close();
    await game.close();
    await floors.close();
  }
}

await main();
