// Each tick's lateness against its due time, from the times the page's probe noted, and the
// order statistics the web figures report.
const period = 75;

const sorted = (xs) => [...xs].sort((a, b) => a - b);
export const quantile = (xs, q) => sorted(xs)[Math.min(xs.length - 1, Math.floor(q * xs.length))];
export const median = (xs) => quantile(xs, 0.5);

// A tick is due a period after the page took the key that started its run of ticks (the first
// timer it armed after that key), then every period. Timed from the key itself, a run whose key
// the page was slow to take would count that delay against every tick; it is reported apart as
// the key's wait. A tick a whole period late or more (the page held up) starts the count again
// from itself, as the desktop's timer does, and is counted as a stall. Drift is how much later
// each tick is than the one before it, on average over the ticks that follow one on the grid: a
// timer that counts every period from when it last ran rather than from when it was due adds up.
export function lateness(titles, keys, timers, from, to) {
  const late = [];
  const keyWaits = [];
  const steps = [];
  let due = Infinity;
  let stalls = 0;
  let previous = -Infinity;
  let onGrid = false;
  for (const t of titles) {
    if (t >= from && t <= to) {
      if (previous < from || t - previous > 4 * period) {
        const key = keys.filter((k) => k > previous && k < t).at(-1); // a run starts
        const armed = timers.find(([at]) => at >= key)[0];
        keyWaits.push(armed - key);
        due = armed + period;
        onGrid = false;
      }
      if (onGrid) steps.push(t - due - late.at(-1));
      late.push(t - due);
      due += period;
      onGrid = due > t;
      if (!onGrid) {
        stalls += 1;
        due = t + period;
      }
    }
    previous = t;
  }
  const drift = steps.length ? steps.reduce((s, x) => s + x, 0) / steps.length : null;
  return { late, stalls, keyWaits, drift };
}

// The smallest step performance.now() takes in the page: what its timestamps can tell apart.
export function clockStep() {
  let step = Infinity;
  let last = performance.now();
  for (const end = last + 50; last < end;) {
    const t = performance.now();
    if (t > last) step = Math.min(step, t - last);
    last = t;
  }
  return step;
}
