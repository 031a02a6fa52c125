// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The players' one table of behaviour (tests/conformance/table.json)
// against the page, as `make web` left it, in headless Chromium: done with
// the browser's own input, as a person does it, and seen in the frames the
// page puts on the screen.
//
//   node conformance.mjs BUILD_WEB

import { readFileSync } from 'node:fs';

import { check, Failure, serve, withChromium } from './chromium.mjs';
import { kPageFunctions, Watch } from './frames.mjs';

const [site] = process.argv.slice(2);
const table = JSON.parse(readFileSync(new URL('../conformance/table.json', import.meta.url)));
const [grey100, grey110, white] = ['100, 100, 100', '110, 110, 110', '255, 255, 255'];
const keys = { space: 'Space', return: 'Enter', F11: 'F11', Escape: 'Escape', 'ctrl+q': 'KeyQ', 'ctrl+w': 'KeyW' };
const report = [];
const failures = [];

// One step of a row, as a person does it.
async function Do(page, step) {
  const [what, on] = step.split(' ');
  const seen = (backdrop) => page.waitForFunction((backdrop) => window.seen.at(-1)?.backdrop === backdrop,
    { timeout: 60000, polling: 20 }, backdrop);
  const box = await (await page.$('#picture')).boundingBox();
  const point = on === 'beside' ? [box.x + box.width / 2, 2]
    : [box.x + table.points[on]?.[0] * box.width / 499, box.y + table.points[on]?.[1] * box.height / 356];
  if (what.endsWith('click')) {
    await page.mouse.click(...point, { button: what === 'right-click' ? 'right' : 'left', count: what === 'double-click' ? 2 : 1 });
  } else if (what === 'key' || what === 'hold') {
    const control = on.startsWith('ctrl+');
    if (control) await page.keyboard.down('Control');
    await page.keyboard.down(keys[on]);
    // Pressed again while down, a key is the browser's repeat.
    for (const end = Date.now() + (what === 'hold' ? 1000 : 0); Date.now() < end;) {
      await new Promise((resolve) => setTimeout(resolve, 33));
      await page.keyboard.down(keys[on]);
    }
    await page.keyboard.up(keys[on]);
    if (control) await page.keyboard.up('Control');
  } else if (what === 'act') {
    await seen(on === '1' ? grey100 : grey110);
  } else if (what === 'finale') {
    await seen(white);
  } else if (step === 'full screen' || step === 'window') {
    // The browser says full screen before the picture is laid out for it.
    await page.waitForFunction((whole) => {
      const box = document.getElementById('picture').getBoundingClientRect();
      const fills = Math.abs(box.width - innerWidth) < 1 || Math.abs(box.height - innerHeight) < 1;
      return !!document.fullscreenElement === whole && fills === whole;
    }, { timeout: 60000, polling: 20 }, step === 'full screen');
  } else {
    throw new Failure(`${step}: no such step`);
  }
}

const server = await serve({ '/': site });
try {
  await withChromium(async (browser) => {
    for (const row of table.rows) {
      const cannot = row.start === 'saver' ? table.saverCannot.page : row.cannot?.page;
      if (cannot) {
        report.push(`SKIP ${row.name}: the page cannot: ${cannot}`);
        continue;
      }
      // What a row does after "act" is meant during the show: on a loaded
      // machine it may reach the page only after the show, and the row
      // then tried nothing. It is done again, three times at the most.
      for (let tries = 1; await Row(browser, row, tries); ++tries) {
        report.push(`AGAIN ${row.name}: its input came after the show`);
      }
    }
  });
} finally {
  await server.close();
}
console.log(report.join('\n'));
for (const failure of failures) console.error(`FAIL: ${failure}`);
process.exit(failures.length ? 1 : 0);

// Runs one row; true where its input missed the show and it may be tried again.
async function Row(browser, row, tries) {
  const page = await browser.newPage();
  try {
    page.on('pageerror', (error) => failures.push(`${row.name}: the page failed: ${error.message}`));
    await page.setViewport({ width: 1280, height: 1024 });
    await page.evaluateOnNewDocument(`${kPageFunctions}\n(${Watch})();`);
    const loop = row.start?.startsWith('loop ') ? `?loop=${row.start.slice(5)}` : '';
    await page.goto(`${server.origin}/index.html${loop}`);
    await page.waitForFunction(() => window.painted, { timeout: 60000, polling: 20 });
    let during = null; // inputs before the row's "act" step
    for (const step of row.do) {
      await Do(page, step);
      if (step.startsWith('act ')) during = await page.evaluate(() => window.inputs.length);
    }
    // What follows: the shows the row brings, played to their end.
    const shows = (count) => page.waitForFunction((count, grey100) =>
      window.seen.filter((s) => s.backdrop === grey100).length >= count, { timeout: 60000, polling: 20 }, count, grey100);
    if (loop) await shows(row.shows);
    else await page.waitForFunction(() => !_clickshow_playing(performance.now()), { timeout: 60000, polling: 20 });
    const seen = await page.evaluate(() => window.seen);
    const inputs = await page.evaluate(() => window.inputs);
    const finale = seen.find((s) => s.backdrop === white)?.time ?? Infinity;
    if (during !== null && inputs.slice(during).some((time) => time >= finale) && tries < 3) return true;
    const played = seen.filter((s) => s.backdrop === grey100).length;
    if (row.shows !== undefined) check(played === row.shows, `${row.name}: ${played} shows`);
    const whole = await page.evaluate(() => !!document.fullscreenElement);
    if (row.fullScreen !== undefined) check(whole === row.fullScreen, `${row.name}: full screen ${whole}`);
    if (row.finale) {
      // Each end was due within the gap before the frame that showed
      // it: on a loaded machine frames come late.
      const [from, to] = seen.slice(seen.findIndex((s) => s.backdrop === white));
      const least = to.time - to.before - from.time, most = to.time - from.time + from.before;
      check(most >= row.finale[0] && least <= row.finale[1],
        `${row.name}: the finale stood ${least.toFixed(0)} to ${most.toFixed(0)} ms`);
    }
    report.push(`PASS ${row.name}`);
  } catch (error) {
    failures.push(error instanceof Failure ? error.message : `${row.name}: ${error.message}`);
  } finally {
    await page.close();
  }
  return false;
}
