// boot.js: runs before the game's script, both inside index.html. It puts a plain sentence in the
// page's alert line for each way the game can fail to start, and once the game runs, keeps a copy
// of it for offline play.
'use strict';

(() => {
  let said = false;
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

  // The game's script is inside the page: a page cut short, or altered so that the policy refuses
  // the script its hash no longer matches, is parsed to the end without ever running it.
  document.addEventListener('DOMContentLoaded', () => {
    if (!window.Module.scriptRan) {
      say('The game\'s page is damaged: reload it; if it stays, the site needs a fresh copy.');
    }
  });

  // The offline copy is taken only once the module runs, so that a new copy can never replace
  // the files of the game while this page is still loading them.
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
    // The module is inside the page: it fails to start in a browser without what it needs, or
    // from a copy of the page altered where the policy's hashes do not reach.
    onAbort: () => say('The game\'s module could not be started: reload the page; if it stays, open it in a current browser.'),
    onRuntimeInitialized: keepOffline,
  };
})();
