// Built into worm.js ahead of the game (--pre-js). worm.js runs on emscripten's minimal runtime,
// which reads nothing from Module by itself: this keeps the two hooks a page may set there, as
// the page's boot script does: onRuntimeInitialized, called in a task of its own once main has
// returned, so that nothing it starts competes with the first board, and onAbort(what, running),
// called once when the module cannot be started or, running, stops on an error.
Module = Module || {};
// What the page's boot script looks for once the page is parsed: the game's script has run.
Module.scriptRan = true;
// The module is inside the page, as base64, and is compiled here, while the page is parsed: main
// then runs before the page's first frame. A module fetched and compiled as it streams in is
// handed over only once that frame is done.
(function () {
  var block = document.getElementById('module');
  var bytes;
  try {
    var text = block.textContent;
    block.remove(); // 48 KB of text the page no longer needs
    bytes = Uint8Array.fromBase64 ? Uint8Array.fromBase64(text)
      : Uint8Array.from(atob(text), function (c) { return c.charCodeAt(0); });
  } catch (e) {
    return; // no module: worm.js's instantiation below fails, and onAbort says so
  }
  try {
    Module.wasm = new WebAssembly.Module(bytes);
  } catch (e) {
    // Older Chromium compiles no more than 4 KB at once on the page's thread: worm.js then
    // compiles the bytes in the background, as it would a fetched module. Broken bytes fail
    // there too, and onAbort says so.
    Module.wasm = bytes;
  }
})();
(function () {
  var runMain = ready;
  var running = false;
  var stopped = false;
  // A failure ends the game, as it ends the desktop program. A trap leaves the module's memory
  // halfway through a change, so no timer, frame or listener of the page calls into it again.
  function stop(what) {
    if (stopped) return;
    stopped = true;
    getWasmTableEntry = function () { return function () { return 0; }; };
    Object.keys(self).forEach(function (name) {
      if (name.indexOf('_worm_') === 0) self[name] = function () { return 0; };
    });
    if (Module.onAbort) Module.onAbort(what, running);
  }
  ready = function () {
    runMain(); // a trap in main rejects the instantiation's promise, heard below
    running = true;
    if (Module.onRuntimeInitialized) setTimeout(Module.onRuntimeInitialized, 0);
  };
  // Until main runs, the one promise of worm.js is the module's own instantiation; later, a trap
  // in a timer or a listener is an error of the page's.
  addEventListener('unhandledrejection', function (event) { stop(event.reason); });
  addEventListener('error', function (event) { stop(event.error); });
})();
