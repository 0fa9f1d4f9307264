// Prints the web figures of every engine measured (the JSON files bench/web/figures.mjs wrote,
// named on the command line) as one table: a column group per engine, game, floor and their
// ratio, and the budget, which is Chromium's, with Chromium's verdict.
import fs from 'node:fs';
import { median, quantile } from './lateness.mjs';

const runs = process.argv.slice(2).map((f) => JSON.parse(fs.readFileSync(f, 'utf8')));
const max = (xs) => Math.max(...xs);
const sum = (xs) => xs.reduce((s, x) => s + x, 0);
const signed = (x, digits) => `${x >= 0 ? '+' : ''}${x.toFixed(digits)}`;

// A cell group: game, floor, how they compare, and whether the budget is met (undefined: none).
const ratio = (game, floor, limit) => ({ game, floor, ratio: `${(game / floor).toFixed(2)}x`, met: limit && game / floor <= limit });
const diff = (game, floor, limit, digits = 2) => ({ game, floor, ratio: signed(game - floor, digits), met: game - floor <= limit });
const plain = (game, floor = '') => ({ game, floor, ratio: '' });
const count = (game, floor = '') => ({ game, floor, ratio: '', digits: 0 });

const both = (r, f) => [f(r, 'game'), f(r, 'floor')];
const starts = (r, pick) => ratio(...both(r, (x, n) => pick(x.starts[n])), 1.1);
const cpu = (key, limit) => (r) => (r.ticks.game[0].perTick
  ? ratio(...both(r, (x, n) => median(x.ticks[n].map((t) => t.perTick[key]))), limit) : null);
const idleTicks = (phase) => (r) => {
  const most = max(r.ticks.game.map((t) => t[phase].ticks));
  return { ...count(most), met: most === 0 };
};
const idleCpu = (phase, key) => (r) => (r.ticks.game[0][phase][key] === null ? null
  : plain(median(r.ticks.game.map((t) => t[phase][key]).filter((x) => x !== null))));
const kernel = (r) => (r.ticks.game[0].osPerTick === null ? null
  : ratio(...both(r, (x, n) => median(x.ticks[n].map((t) => t.osPerTick).filter((v) => v !== null)))));
const late = (r, n) => r.ticks[n].flatMap((t) => t.late);
const share = (xs, ms) => (100 * xs.filter((x) => x > ms).length) / xs.length;
const lateAt = (q) => (r) => diff(...both(r, (x, n) => quantile(late(x, n), q)), 0.3);

const figures = [
  ['navigation to first board, median (ms)', '<= 1.1x', (r) => starts(r, median)],
  ['  the slowest (ms)', '<= 1.1x', (r) => starts(r, max)],
  ['main-thread CPU per tick, median of rounds (ms)', '<= 1.1x', cpu('task', 1.1)],
  ['  of which script (ms)', '', cpu('script')],
  ['  of which layout (ms)', '', cpu('layout')],
  ['  of which style (ms)', '', cpu('style')],
  ["  page process's main thread, kernel's count (ms)", '', kernel],
  ['ticks paused, most in any round', '0', idleTicks('paused')],
  ['  main-thread CPU paused, median (ms/s)', '', idleCpu('paused', 'msPerS')],
  ['    by the kernel (ms/s)', '', idleCpu('paused', 'osMsPerS')],
  ['ticks at game over, most in any round', '0', idleTicks('gameover')],
  ['  main-thread CPU at game over, median (ms/s)', '', idleCpu('gameover', 'msPerS')],
  ['    by the kernel (ms/s)', '', idleCpu('gameover', 'osMsPerS')],
  ['JS heap + WebAssembly memory after start (KiB)', '<= 1.2x', (r) => (r.memory.game[0].heap === null ? null
    : ratio(...both(r, (x, n) => median(x.memory[n].map((m) => m.heap + m.wasm)) / 1024), 1.2))],
  ['  of which WebAssembly memory (KiB)', '', (r) => plain(...both(r, (x, n) => median(x.memory[n].map((m) => m.wasm)) / 1024))],
  ['tick lateness, median (ms)', '<= floor + 0.3', lateAt(0.5)],
  ['tick lateness, 90th percentile (ms)', '<= floor + 0.3', lateAt(0.9)],
  ['  drift, tick on tick, median of rounds (ms)', '', (r) => plain(...both(r, (x, n) => median(x.ticks[n].map((t) => t.drift)
    .filter((d) => d !== null))))],
  ['  ticks more than 1 ms late (%)', '<= floor + 5', (r) => diff(...both(r, (x, n) => share(late(x, n), 1)), 5, 1)],
  ['  ticks more than 4 ms late (%)', '', (r) => plain(...both(r, (x, n) => share(late(x, n), 4)))],
  ['  ticks a whole period late or more', '', (r) => count(...both(r, (x, n) => sum(x.ticks[n].map((t) => t.stalls))))],
  ["  key to the ticks' first timer, median (ms)", '', (r) => plain(...both(r, (x, n) => median(x.ticks[n].flatMap((t) => t.keyWaits))))],
  ['  timers under 4 ms armed while ticking', '0', (r) => {
    const [game, floor] = both(r, (x, n) => sum(x.ticks[n].map((t) => t.shortTimers)));
    return { ...count(game, floor), met: game === 0 };
  }],
  ['performance.now() step in the page (ms)', '', (r) => plain(...both(r, (x, n) => Math.min(...x.ticks[n].map((t) => t.clockStep))))],
];

const fmt = (x, digits = 2) => (typeof x === 'number' ? x.toFixed(digits) : String(x));
const group = (c) => (c ? [fmt(c.game, c.digits).padStart(9), fmt(c.floor, c.digits).padStart(9), c.ratio.padStart(8)]
  : ['n/a'.padStart(9), 'n/a'.padStart(9), ''.padStart(8)]).join(' ');
const line = (label, groups, budget, verdict) => console.log(`${label.padEnd(48)} ${groups.join(' | ')} | ${budget.padEnd(15)} ${verdict}`);

console.log('\nThe web page against its floors, engine by engine (budgets are Chromium\'s):');
for (const r of runs) {
  const s = r.settings;
  console.log(`  ${r.engine} ${r.version}: ${s.rounds} rounds after a warm-up, ${r.starts.game.length} / ${r.starts.floor.length} loads `
    + `of the game / the start floor, ${late(r, 'game').length} / ${late(r, 'floor').length} ticks timed `
    + `(${s.playSeconds} s a round, seed ${s.seed}); ${r.cores} cores, load before ${r.load}; ${Math.round(r.seconds)} s`);
}
console.log('');
line('', runs.map((r) => `${r.engine} ${r.version}`.slice(0, 28).padEnd(28)), 'budget', '');
line('figure', runs.map(() => `${'game'.padStart(9)} ${'floor'.padStart(9)} ${'ratio'.padStart(8)}`), '', 'chromium');
const chromium = runs.findIndex((r) => r.engine === 'chromium');
for (const [label, budget, of] of figures) {
  const cells = runs.map(of);
  const met = chromium < 0 ? undefined : cells[chromium]?.met;
  line(label, cells.map(group), budget, met === undefined || !budget ? '' : met ? 'met' : 'NOT MET');
}

for (const r of runs.filter((x) => x.bytes)) {
  console.log(`\nBytes, as ${r.engine} fetched them (gzip / brotli):`);
  for (const [label, gzip, brotli, files, budget, verdict] of r.bytes) {
    console.log(`  ${label.padEnd(60)} ${gzip.padStart(8)} ${brotli.padStart(8)} ${files.padStart(9)}  ${budget} ${verdict}`);
  }
}
for (const r of runs) {
  console.log(`\n${r.engine}, every load and every ticking round (stalls: ticks a period late or more; resumes: a stop`);
  console.log('on the loop; missed_turns: steering too late):');
  for (const entry of r.log) console.log(`  ${entry}`);
}
