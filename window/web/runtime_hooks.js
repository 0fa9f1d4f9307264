// Built into worm.js ahead of the game (--pre-js). worm.js runs on emscripten's minimal runtime,
// which reads nothing from Module by itself: this keeps the two hooks a page may set there, as
// the page's boot script does: onRuntimeInitialized, called in a task of its own once main has
// returned, so that nothing it starts competes with the first board, and onAbort, called when the
// module cannot be fetched or started.
Module = Module || {};
// What the page's boot script looks for once the page is parsed: the game's script has run.
Module.scriptRan = true;
(function () {
  var runMain = ready;
  var started = false;
  ready = function () {
    started = true;
    runMain();
    if (Module.onRuntimeInitialized) setTimeout(Module.onRuntimeInitialized, 0);
  };
  // Until main runs, the one promise of worm.js is the module's own instantiation.
  addEventListener('unhandledrejection', function (event) {
    if (!started && Module.onAbort) Module.onAbort(event.reason);
  });
})();
