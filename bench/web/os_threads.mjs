// The main thread's time on the CPU of each of a browser's content processes, as the kernel counts
// it (the first field of /proc/<pid>/task/<pid>/schedstat, in ns): the one CPU figure that every
// engine's page has, DevTools or not.
import fs from 'node:fs';

// What a content process looks like in each engine: Chromium's renderers (which rewrite their
// command line as one string), Firefox's web content processes, WebKit's web processes.
const isContent = {
  chromium: (comm, args) => args.join(' ').includes('--type=renderer'),
  firefox: (comm) => comm === 'Web Content' || comm === 'Isolated Web Co',
  webkit: (comm) => comm.startsWith('WebKitWebProces'),
};

const read = (file) => {
  try {
    return fs.readFileSync(file, 'utf8');
  } catch {
    return null; // gone meanwhile
  }
};

// Every process below root, as pids.
function descendants(root) {
  const children = new Map();
  for (const pid of fs.readdirSync('/proc').filter((d) => /^\d+$/.test(d))) {
    const stat = read(`/proc/${pid}/stat`);
    const ppid = stat && stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1];
    if (ppid) children.set(ppid, [...(children.get(ppid) ?? []), pid]);
  }
  const found = [];
  for (let todo = [String(root)]; todo.length > 0;) {
    const pid = todo.pop();
    found.push(pid);
    todo.push(...(children.get(pid) ?? []));
  }
  return found.slice(1);
}

// The main thread's CPU time so far, in ms, of every content process of the browser at root.
export function contentThreads(root, engine) {
  const times = new Map();
  for (const pid of descendants(root)) {
    const comm = read(`/proc/${pid}/comm`)?.trim() ?? '';
    const args = read(`/proc/${pid}/cmdline`)?.split('\0') ?? [];
    const sched = read(`/proc/${pid}/task/${pid}/schedstat`);
    if (sched && isContent[engine](comm, args)) times.set(pid, Number(sched.split(' ')[0]) / 1e6);
  }
  return times;
}

// The content process whose main thread ran most between two counts, and for how many ms: the
// page's, as no other page is open.
export function busiest(before, after) {
  let best = { pid: null, ms: 0 };
  for (const [pid, ms] of after) {
    const spent = ms - (before.get(pid) ?? ms);
    if (spent > best.ms) best = { pid, ms: spent };
  }
  return best;
}
