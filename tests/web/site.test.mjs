// The built site without a browser: small enough, and compiled from the desktop's own rule and
// window-model sources rather than from copies of them.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { describe, it } from 'node:test';
import { siteDir } from './harness.mjs';

const sourceDir = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const buildDir = process.env.WORM_WEB_BUILD ?? path.join(sourceDir, 'build/web');

describe('the built site', () => {
  it('weighs at most 250 KB: the page with its script and module inside, before compression', (t) => {
    const sizes = Object.fromEntries(['index.html']
      .map((f) => [f, fs.statSync(path.join(siteDir, f)).size]));
    const total = Object.values(sizes).reduce((a, b) => a + b, 0);
    t.diagnostic(`${JSON.stringify(sizes)}, ${total} bytes in all`);
    assert.ok(total <= 250_000, `${total} bytes`);
  });

  it('needs no eval: the script makes no code from strings, so a strict policy can run it', () => {
    assert.doesNotMatch(fs.readFileSync(path.join(siteDir, 'index.html'), 'utf8'), /\bnew Function\b|\beval\(/);
  });

  it('reaches the page without embind: no glue of it in the page\'s script, no import of it in worm.wasm', () => {
    for (const file of ['index.html', 'worm.wasm']) {
      const found = /_embind_\w*|Emval/.exec(fs.readFileSync(path.join(siteDir, file), 'latin1'));
      assert.equal(found, null, `${file} carries ${found?.[0]}`);
    }
  });

  it('compiles every rule and window-model source from where the desktop build takes it', () => {
    const compiled = JSON.parse(fs.readFileSync(path.join(buildDir, 'compile_commands.json'), 'utf8'))
      .map((c) => path.relative(sourceDir, path.resolve(c.directory, c.file)));
    const shared = ['rules', 'window', 'window/input'].flatMap((dir) => fs.readdirSync(path.join(sourceDir, dir))
      .filter((f) => f.endsWith('.cpp')).map((f) => path.join(dir, f)));
    assert.ok(shared.length >= 10);
    for (const file of shared) {
      assert.ok(compiled.includes(file), `${file} is not compiled for the web`);
    }
    const own = compiled.filter((f) => !shared.includes(f));
    assert.deepEqual(own.filter((f) => path.dirname(f) !== path.join('window', 'web')), [],
      'compiled outside the shared sources and window/web');
  });

  it('keeps no copy of a rule or of the window model in window/web', () => {
    const sharedNames = new Set(['rules', 'window'].flatMap((dir) => fs.readdirSync(path.join(sourceDir, dir))));
    const webDir = path.join(sourceDir, 'window', 'web');
    const procedures = /\b(?:void|bool)\s+(?:init|obstacles|makefood|randomblock|Timer1_Timer|grow|hit|gotfood|toolate|Form_Load|Form_KeyDown|pause_Click|gameover_Click)\s*\(/;
    const models = /\b(?:class|struct)\s+(?:FormModel|GameSession|BoardLayout|Damage|GameState|Game)\b\s*[:{]/;
    for (const f of fs.readdirSync(webDir).filter((n) => /\.(cpp|h)$/.test(n))) {
      assert.ok(!sharedNames.has(f), `window/web/${f} has the name of a shared source`);
      const text = fs.readFileSync(path.join(webDir, f), 'utf8');
      assert.doesNotMatch(text, procedures, `window/web/${f} defines a rule or a handler`);
      assert.doesNotMatch(text, models, `window/web/${f} defines a model type`);
    }
  });
});
