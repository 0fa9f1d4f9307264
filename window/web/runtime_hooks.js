// Built into worm.js ahead of the game (--pre-js). worm.js runs on emscripten's minimal runtime,
// which reads nothing from Module by itself: this keeps the two hooks a page may set there, as
// the page's boot script does: onRuntimeInitialized, called before main, and onAbort, called when
// the module cannot be fetched or started.
Module = Module || {};
(function () {
  var runMain = ready;
  var started = false;
  ready = function () {
    started = true;
    if (Module.onRuntimeInitialized) Module.onRuntimeInitialized();
    runMain();
  };
  // Until main runs, the one promise of worm.js is the module's own instantiation.
  addEventListener('unhandledrejection', function (event) {
    if (!started && Module.onAbort) Module.onAbort(event.reason);
  });
})();
