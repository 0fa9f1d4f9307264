// Runs inside a page before it loads, the game's or a floor's, and notes what the web figures read
// back: when the title changes (one change a tick), when the first board is done, the keys, the
// timers shorter than the browser honours when nested, and the WebAssembly memories.
export function installProbe() {
  const probe = { titles: [], firstBoard: null, keys: [], timers: [], memories: [] };
  window.wormProbe = probe;

  // The moment the title is set, inside the tick that sets it. The first board is drawn in the
  // task that first sets it, after the title: it is done once that task's script has returned.
  const title = Object.getOwnPropertyDescriptor(Document.prototype, 'title');
  Object.defineProperty(Document.prototype, 'title', {
    configurable: true,
    enumerable: true,
    get: title.get,
    set(text) {
      if (probe.titles.length === 0) queueMicrotask(() => { probe.firstBoard = performance.now(); });
      probe.titles.push(performance.now());
      title.set.call(this, text);
    },
  });

  // Before the page's own handlers: a tick due 75 ms after a key is timed from this moment.
  window.addEventListener('keydown', () => probe.keys.push(performance.now()), true);

  // Every timer set, as [when, ms]: a tick's schedule starts when the page arms its first timer.
  for (const name of ['setTimeout', 'setInterval']) {
    const given = window[name];
    window[name] = function timerNoted(handler, ms, ...rest) {
      probe.timers.push([performance.now(), Number(ms) || 0]);
      return given.call(this, handler, ms, ...rest);
    };
  }

  // Every memory a module exports or is given.
  const keep = (result, imports) => {
    const instance = result.instance ?? result;
    const values = [...Object.values(instance.exports ?? {}),
      ...Object.values(imports ?? {}).flatMap((m) => Object.values(m ?? {}))];
    values.filter((v) => v instanceof WebAssembly.Memory && !probe.memories.includes(v))
      .forEach((m) => probe.memories.push(m));
    return result;
  };
  for (const name of ['instantiate', 'instantiateStreaming']) {
    const given = WebAssembly[name];
    WebAssembly[name] = function instantiateNoted(source, imports) {
      return given.call(this, source, imports).then((result) => keep(result, imports));
    };
  }
}
