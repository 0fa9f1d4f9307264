// What only Chromium's DevTools protocol gives the web figures: the main thread's CPU time, split
// as DevTools splits it, and the JS heap after a full collection. Firefox's WebDriver BiDi and
// WebKit's WebDriver have neither, so there the figures are missing, not guessed.

// The tab's DevTools session, or null in an engine without one.
export async function devTools(tab, engine) {
  if (engine !== 'chromium') return null;
  const cdp = await tab.page.createCDPSession();
  return {
    // Main-thread time from here on counted in CPU time, not wall time.
    enable: () => cdp.send('Performance.enable', { timeDomain: 'threadTicks' }),
    // The main thread's CPU time so far, in ms.
    async mainThread() {
      const { metrics } = await cdp.send('Performance.getMetrics');
      const m = Object.fromEntries(metrics.map((x) => [x.name, x.value * 1000]));
      return { task: m.TaskDuration, script: m.ScriptDuration, layout: m.LayoutDuration, style: m.RecalcStyleDuration };
    },
    // The JS heap in bytes, after a full collection.
    async heap() {
      await cdp.send('HeapProfiler.collectGarbage');
      const { usedSize } = await cdp.send('Runtime.getHeapUsage');
      return usedSize;
    },
  };
}

export const minus = (a, b) => Object.fromEntries(Object.keys(a).map((k) => [k, a[k] - b[k]]));
