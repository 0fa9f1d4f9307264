// The recorded game of play.test.mjs, as each engine played it: the same record after every tick
// (title, buttons, every cell) in Chromium, Firefox and WebKit.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { it } from 'node:test';
import { buildDir } from './harness.mjs';

it('plays the same game, cell for cell, in every engine', () => {
  const [first, ...others] = ['chromium', 'firefox', 'webkit'].map((engine) => ({
    engine, records: JSON.parse(fs.readFileSync(path.join(buildDir, `recorded-game-${engine}.json`), 'utf8')),
  }));
  assert.ok(first.records.length > 1000, `${first.records.length} records`);
  for (const { engine, records } of others) {
    assert.equal(records.length, first.records.length, `${engine}: records`);
    records.forEach((r, i) => assert.deepEqual(r, first.records[i], `${engine}: record ${i}`));
  }
});
