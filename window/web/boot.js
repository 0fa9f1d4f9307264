// boot.js: runs before the game's script, inside index.html. It puts a plain sentence in the
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

  // A script that is missing reports on its element; one that is broken reports a script error.
  window.addEventListener('error', (e) => {
    if (e.target instanceof HTMLScriptElement) {
      say(`The game could not be loaded (${e.target.src.split('/').pop()} is missing): check the connection and reload.`);
    } else if (/worm\.js$/.test(e.filename ?? '')) {
      say('The game\'s script (worm.js) is damaged: reload the page; if it stays, the site needs a fresh copy.');
    }
  }, true);

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
    onAbort: () => say('The game\'s module (worm.wasm) could not be loaded or is damaged: check the connection and reload.'),
    onRuntimeInitialized: keepOffline,
  };
})();
