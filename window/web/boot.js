// boot.js: the page's first script, inside index.html ahead of the game's module and script. It
// writes the page's alert line, one plain sentence for each way the game can fail to start or stop,
// and once the game runs, keeps a copy of the page for offline play.
'use strict';

(() => {
  let said = false;
  // The alert line's one writer, the game's "worm: <what>" too.
  const say = (text) => {
    if (said) return; // the first failure is the one to read; what follows is its echo
    said = true;
    const line = document.getElementById('error');
    line.textContent = text;
    line.hidden = false;
  };

  if (typeof WebAssembly !== 'object') {
    say('This browser cannot run WebAssembly, which the game needs: open the page in a current browser.');
  }

  // The module and the game's script follow this one in the page: a page cut short anywhere in
  // them, or altered so that the policy refuses the script its hash no longer matches, is parsed
  // to the end without ever running the game.
  document.addEventListener('DOMContentLoaded', () => {
    if (!window.Module.scriptRan) {
      say('The game\'s page is damaged: reload it; if it stays, the site needs a fresh copy.');
    }
  });

  // The offline copy is taken only once the game runs: the worker's install fetches the whole
  // site again, which the first board need not wait for.
  const keepOffline = () => {
    if (!('serviceWorker' in navigator)) return;
    navigator.serviceWorker.register('sw.js').then((registration) => {
      const takeOver = () => registration.waiting?.postMessage('take over');
      takeOver();
      registration.addEventListener('updatefound', () => {
        registration.installing?.addEventListener('statechange', takeOver);
      });
    }, () => {}); // no copy (a private window, say): the game plays on regardless
  };

  window.Module = {
    say,
    // Before main has returned, the module could not start: a browser without what it needs, or a
    // copy of the page altered where the policy's hashes do not reach. After, the game has stopped.
    onAbort: (what, running) => say(running
      ? 'The game stopped on an error: reload the page to play again.'
      : 'The game\'s module could not be started: reload the page; if it stays, open it in a current browser.'),
    onRuntimeInitialized: keepOffline,
  };
})();
