// Built into worm.js (--js-library): the one browser call of the game that emscripten's minimal
// runtime leaves out.
mergeInto(LibraryManager.library, {
  emscripten_set_window_title: function (title) {
    document.title = UTF8ToString(title);
  },
});
