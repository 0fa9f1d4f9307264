// Runs inside the page before it loads: after every change of the title (one per tick, load and
// rebuild) it records the board as read from the canvas's pixels at every cell centre, with the
// score line and the buttons, all from the same moment. It also keeps the page's problems: errors,
// refused promises, console errors and policy violations. Run after a load (where a driver cannot
// run it before), it records the board it finds first.
export function installRecorder() {
  const kinds = [
    ['R', 255, 0, 0], // wall, or where a collision happened
    ['O', 50, 50, 0], // obstacle of the board build
    ['B', 0, 0, 255], // obstacle added by a meal
    ['F', 255, 255, 255], // food
    ['H', 0, 150, 100], // head
    ['G', 0, 255, 0], // body
    ['.', 168, 168, 160], // nothing: the background
  ];
  const kindOf = (d, i) => {
    const k = kinds.find(([, r, g, b]) => d[i] === r && d[i + 1] === g && d[i + 2] === b);
    return k ? k[0] : '?';
  };

  // The board's square is the bounding box of the red wall on a new board; it is measured once
  // for each size of the canvas.
  let board = null;
  const findBoard = (canvas, ctx) => {
    const d = ctx.getImageData(0, 0, canvas.width, canvas.height).data;
    let left = Infinity, top = Infinity, right = -1, bottom = -1;
    for (let y = 0; y < canvas.height; y += 1) {
      for (let x = 0; x < canvas.width; x += 1) {
        if (kindOf(d, 4 * (y * canvas.width + x)) === 'R') {
          left = Math.min(left, x); right = Math.max(right, x);
          top = Math.min(top, y); bottom = Math.max(bottom, y);
        }
      }
    }
    return { canvasWidth: canvas.width, canvasHeight: canvas.height, left, top,
             width: right - left + 1, height: bottom - top + 1, cell: (right - left + 1) / 50 };
  };

  const shown = (id) => {
    const e = document.getElementById(id);
    if (!e || e.hidden) return null;
    const r = e.getBoundingClientRect();
    const s = getComputedStyle(e);
    return { left: r.left, top: r.top, width: r.width, height: r.height, text: e.textContent,
             fontWeight: s.fontWeight, fontFamily: s.fontFamily, fontSize: parseFloat(s.fontSize) };
  };

  const snapshot = () => {
    const canvas = document.getElementById('board');
    const ctx = canvas.getContext('2d');
    if (!board || board.canvasWidth !== canvas.width || board.canvasHeight !== canvas.height) {
      board = findBoard(canvas, ctx);
    }
    const { left, top, cell } = board;
    const side = Math.round(cell * 50);
    const d = ctx.getImageData(left, top, side, side).data;
    let cells = '';
    let headCorners = [];
    for (let row = 0; row < 50; row += 1) {
      for (let col = 0; col < 50; col += 1) {
        const x = Math.floor((col + 0.5) * cell);
        const y = Math.floor((row + 0.5) * cell);
        const k = kindOf(d, 4 * (y * side + x));
        cells += k;
        if (k === 'H') {
          headCorners.push(kindOf(d, 4 * (Math.floor(row * cell) * side + Math.floor(col * cell))));
        }
      }
    }
    const stage = document.getElementById('stage').getBoundingClientRect();
    return {
      t: performance.now(),
      title: document.querySelector('title').textContent,
      scoreLine: document.getElementById('score').textContent,
      error: document.getElementById('error').hidden ? null : document.getElementById('error').textContent,
      pause: shown('pause'),
      gameover: shown('gameover'),
      focus: document.activeElement ? document.activeElement.id || document.activeElement.tagName : null,
      board: { ...board, cssLeft: stage.left + left / devicePixelRatio, cssTop: stage.top + top / devicePixelRatio,
               cssSide: (50 * cell) / devicePixelRatio },
      cells,
      headCorners,
    };
  };

  // Cells of a screenshot of the page (PNG in base64, device pixels) whose pixels are not all one
  // colour of the game's: what a blurred or misplaced board would show. The head's circle is
  // smoothed on purpose, and cells under a button are hidden: both are left out.
  const blurredCells = async (png, dpr) => {
    // Decoded from bytes, not a data: address, which the page's policy refuses.
    const image = await createImageBitmap(new Blob([Uint8Array.from(atob(png), (c) => c.charCodeAt(0))]));
    const canvas = new OffscreenCanvas(image.width, image.height);
    const ctx = canvas.getContext('2d');
    ctx.drawImage(image, 0, 0);
    const b = snapshot().board;
    const side = b.cell * 50;
    const d = ctx.getImageData(Math.round(b.cssLeft * dpr), Math.round(b.cssTop * dpr), side, side).data;
    const covers = ['pause', 'gameover'].map(shown).filter((r) => r !== null).map((r) => ({
      left: r.left * dpr - Math.round(b.cssLeft * dpr), top: r.top * dpr - Math.round(b.cssTop * dpr),
      right: (r.left + r.width) * dpr - Math.round(b.cssLeft * dpr),
      bottom: (r.top + r.height) * dpr - Math.round(b.cssTop * dpr),
    }));
    const underButton = (col, row) => covers.some((c) => col * b.cell < c.right && (col + 1) * b.cell > c.left
      && row * b.cell < c.bottom && (row + 1) * b.cell > c.top);
    const blurred = [];
    for (let row = 0; row < 50; row += 1) {
      for (let col = 0; col < 50; col += 1) {
        if (underButton(col, row)) continue;
        const centre = kindOf(d, 4 * ((row * b.cell + (b.cell >> 1)) * side + col * b.cell + (b.cell >> 1)));
        if (centre === 'H') continue;
        const first = kindOf(d, 4 * (row * b.cell * side + col * b.cell));
        let uniform = first !== '?';
        for (let y = row * b.cell; uniform && y < (row + 1) * b.cell; y += 1) {
          for (let x = col * b.cell; uniform && x < (col + 1) * b.cell; x += 1) {
            uniform = kindOf(d, 4 * (y * side + x)) === first;
          }
        }
        if (!uniform) blurred.push({ col: col + 1, row: row + 1 });
      }
    }
    return blurred;
  };

  // How many rectangles the page filled since the last record: a tick that repaints only what
  // changed fills a few, a full repaint thousands.
  let fills = 0;
  const fillRect = CanvasRenderingContext2D.prototype.fillRect;
  CanvasRenderingContext2D.prototype.fillRect = function countedFillRect(...args) {
    fills += 1;
    return fillRect.apply(this, args);
  };

  if (window.wormRecorder) return;
  const recorder = { records: [], snapshot, blurredCells, problems: [] };
  window.wormRecorder = recorder;
  const problem = (text) => recorder.problems.push(text);
  window.addEventListener('error', (e) => problem(e.target === window ? String(e.message)
    : `${e.target.src ?? e.target.href} did not load`), true);
  window.addEventListener('unhandledrejection', (e) => problem(`refused: ${e.reason}`));
  document.addEventListener('securitypolicyviolation', (e) => problem(`policy: ${e.violatedDirective} ${e.blockedURI}`));
  const consoleError = console.error;
  console.error = (...args) => {
    problem(args.join(' '));
    consoleError.apply(console, args);
  };
  // Watched from before the page parses, since the module may set the first score line before
  // the document has finished loading.
  const inTitle = (node) => node?.nodeName === 'TITLE' || node?.parentNode?.nodeName === 'TITLE';
  new MutationObserver((mutations) => {
    if (!mutations.some((m) => inTitle(m.target)) || !document.title.startsWith('Score:')) return;
    recorder.records.push({ ...snapshot(), fills });
    fills = 0;
    recorder.onRecord?.(recorder.records.length); // a test's input, before the next tick can come
    if (recorder.records.length === 1) {
      requestAnimationFrame(() => { recorder.firstFrame = performance.now(); });
    }
  }).observe(document, { childList: true, characterData: true, subtree: true });
  if (document.title.startsWith('Score:')) recorder.records.push({ ...snapshot(), fills: 0 });
}
