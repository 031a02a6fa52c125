// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The web page, as `make web` left it in build-web/, in headless Chromium,
// as one file opened from the disk: its final picture against the program's own
// recording at pixel ratios 1 and 2, its backdrops and acts on its own
// frame times, clicks as the window takes them, and its captions read back;
// then on a phone, on the whole screen and in a loop, served from 127.0.0.1.
//
//   node page.mjs CLICKSHOW BUILD_WEB OUTPUT_FOLDER

import { execFileSync, spawnSync } from 'node:child_process';
import { mkdirSync, readFileSync, statSync, writeFileSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';

import { check, Failure, serve, withChromium } from './chromium.mjs';
import { kPageFunctions, Watch } from './frames.mjs';
import { ShowTimeline } from './showtimeline.mjs';

const [clickshow, site, output] = process.argv.slice(2);
mkdirSync(path.join(output, 'site'), { recursive: true });
writeFileSync(path.join(output, 'bare.html'), '<!doctype html><title>bare</title><p>A page of one line.</p>\n');
const timeline = ShowTimeline();
const environment = { ...process.env };
delete environment.DISPLAY;
delete environment.WAYLAND_DISPLAY;
// Elsewhere, the picture stands where the window's would, at its scale
// (FitDesign's, worked out by hand): as wide as a phone's page; centred on
// a screen of 1920 x 1080. And a loop of 1 s.
const views = [
  { name: 'phone', url: pathToFileURL(path.join(site, 'clickshow.html')).href, scale: 2.344, box: [0, 16, 390, 278],
    viewport: { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true } },
  { name: 'full screen', url: '/index.html?fullscreen', scale: 3.033, box: [203, 0, 1513, 1080],
    viewport: { width: 1920, height: 1080, deviceScaleFactor: 1 } },
  { name: 'loop', url: '/index.html?loop=1', shows: 3, viewport: { width: 640, height: 480, deviceScaleFactor: 1 } },
];
for (const ratio of [1, 2, 2.344, 3.033]) {
  const run = spawnSync(clickshow, ['--record', path.join(output, `final-${ratio}.apng`), '--scale', String(ratio),
    '--fps', '2', '--hold', '0', '--quiet'], { env: environment, encoding: 'utf8' });
  check(run.status === 0, `clickshow --record: ${run.stderr}`);
}

// The canvas against the recording's last frame (as base64: the one file
// fetches nothing), outside the captions (at fractional scales, the pixels
// they touch).
async function Differing(apng, scale, captions) {
  const masks = captions.map((c) => [c.x, c.y, c.x + c.width, c.y + c.height].map((v, i) => Math[i < 2 ? 'floor' : 'ceil'](v * scale)))
    .map(([left, top, right, bottom]) => [left, top, right - left, bottom - top]);
  const decoder = new ImageDecoder({ data: Uint8Array.from(atob(apng), (c) => c.charCodeAt(0)), type: 'image/apng' });
  await decoder.tracks.ready;
  await decoder.completed;
  const { image } = await decoder.decode({ frameIndex: decoder.tracks.selectedTrack.frameCount - 1 });
  const picture = document.getElementById('picture');
  const read = (source) => {
    const context = Object.assign(document.createElement('canvas'), { width: picture.width, height: picture.height })
      .getContext('2d');
    context.drawImage(source, 0, 0);
    return context.getImageData(0, 0, picture.width, picture.height).data;
  };
  const [page, recording] = [read(picture), read(image)];
  let differing = 0;
  for (let y = 0; y < picture.height; ++y) {
    for (let x = 0; x < picture.width; ++x) {
      if (masks.some(([left, top, w, h]) => x >= left && x < left + w && y >= top && y < top + h)) continue;
      const i = (y * picture.width + x) * 4;
      differing += page[i] !== recording[i] || page[i + 1] !== recording[i + 1] || page[i + 2] !== recording[i + 2];
    }
  }
  return { differing, size: [picture.width, picture.height], recorded: [image.displayWidth, image.displayHeight] };
}

// The box of a caption's dark pixels in the canvas, in pixels of the design.
function CaptionInk(ratio, captions) {
  const picture = document.getElementById('picture');
  const data = picture.getContext('2d').getImageData(0, 0, picture.width, picture.height).data;
  return captions.map((c) => {
    let [left, top, right, bottom] = [Infinity, Infinity, -1, -1];
    for (let y = Math.floor(c.y * ratio); y < Math.ceil((c.y + c.height) * ratio); ++y) {
      for (let x = Math.floor(c.x * ratio); x < Math.ceil((c.x + c.width) * ratio); ++x) {
        const i = (y * picture.width + x) * 4;
        if ((data[i] * 11 + data[i + 1] * 16 + data[i + 2] * 5) / 32 >= 128) continue;
        [left, top, right, bottom] = [Math.min(left, x), Math.min(top, y), Math.max(right, x), Math.max(bottom, y)];
      }
    }
    return [left / ratio, top / ratio, (right + 1) / ratio, (bottom + 1) / ratio];
  });
}

const table = JSON.parse(readFileSync(new URL('../conformance/table.json', import.meta.url)));
const rgb = (values) => values.join(', ');
const finale = rgb(timeline.backdrops.at(-1).rgb);
const recorded = (scale) => readFileSync(path.join(output, `final-${scale}.apng`)).toString('base64');
const want = timeline.backdrops.map((b) => rgb(b.rgb));
const failures = [];
const report = [];
const server = await serve({ '/files/': output, '/': site });
try {
  await withChromium(async (browser) => {
    // A page of one line first, so that the page's own first paint is not
    // the browser's start-up, which this one tells.
    const bare = await browser.newPage();
    await bare.goto(`${server.origin}/files/bare.html`);
    const floor = await bare.evaluate(() => new Promise((resolve) => new PerformanceObserver((list) =>
      resolve(list.getEntries()[0].startTime)).observe({ type: 'paint', buffered: true })));
    report.push(`a page of one line, the browser's first: first paint ${floor.toFixed(0)} ms after navigation`);
    await bare.close();
    for (const ratio of [1, 2]) {
      const page = await browser.newPage();
      page.on('pageerror', (error) => failures.push(`ratio ${ratio}: the page failed: ${error.message}`));
      await page.setViewport({ width: 640, height: 480, deviceScaleFactor: ratio });
      await page.evaluateOnNewDocument(`${kPageFunctions}\n(${Watch})();`);
      await page.goto(pathToFileURL(path.join(site, 'clickshow.html')).href);
      // Polled on a timer: polling on frames would add frames of its own to
      // those the page asked for, which the watch takes for the page's.
      const painted = await page.waitForFunction(() => window.painted, { timeout: 60000, polling: 50 }).then((time) => time.jsonValue());
      const box = await (await page.$('#picture')).boundingBox();
      const at = (x, y) => [box.x + x * box.width / 499, box.y + y * box.height / 356];
      const shows = async (count) => page.waitForFunction((finale, count) =>
        window.seen.filter((s) => s.backdrop === finale && s.shown).length >= count, { timeout: 60000, polling: 50 }, finale, count)
        .catch(async () => check(false, `ratio ${ratio}: no finale; seen ${JSON.stringify(await page.evaluate(() => window.seen))}`));
      // The page has handled a click once the event has been dispatched.
      // A click, and another during the show: two shows, one after the other.
      await page.mouse.click(...at(20, 180));
      await page.waitForFunction(() => window.seen.length > 0, { timeout: 60000, polling: 50 })
        .catch(() => check(false, `ratio ${ratio}: the click started no show`));
      await page.mouse.click(...at(20, 180));
      await shows(1);
      // The second show follows at once: the first one's finale stands no
      // longer than in the window, where the queued click plays at once.
      const seen = await page.evaluate(() => window.seen);
      const frames = await page.evaluate(() => window.frames);
      check(JSON.stringify(seen.map((s) => s.backdrop)) === JSON.stringify([...want.slice(0, -1), ...want]),
        `ratio ${ratio}: backdrops ${seen.map((s) => s.backdrop).join(' / ')}`);
      // Each act on the screen as long as the timeline says: a change shows
      // in the first frame at or past its moment, on the screen as the next
      // frame begins; the bounds follow from those frames, so frames late
      // under load move them, not the timeline. The first act begins when
      // the first frame is on the screen, however long that frame took, and
      // the frame after it tells how long a frame takes, at most a 60th.
      const next = Math.min(frames.find((time) => time > seen[0].shown) - seen[0].shown, 1000 / 60);
      const late = (i) => (i === 0 ? [next, next] : [seen[i].after, seen[i].before + seen[i].after]);
      const acts = [];
      for (let i = 1; i < want.length; ++i) {
        const length = seen[i].shown - seen[i - 1].shown;
        const planned = (timeline.backdrops[i].nanoseconds - timeline.backdrops[i - 1].nanoseconds) / 1e6;
        const bounds = [late(i)[0] - late(i - 1)[1] - 1, late(i)[1] - late(i - 1)[0] + 1];
        acts.push(`${length.toFixed(1)} (${planned.toFixed(1)}, ${bounds.map((b) => b.toFixed(0)).join(' to ')})`);
        check(length - planned >= bounds[0] && length - planned < bounds[1], `ratio ${ratio}: act ${i} lasted ${length} ms, not ${planned}`);
      }
      const length = (seen[want.length - 1].shown - seen[0].shown) / 1000;
      const end = seen[want.length - 1];
      const slack = Math.max(0.01 * timeline.nanoseconds / 1e9, (end.before + end.after) / 1000);
      check(Math.abs(length - timeline.nanoseconds / 1e9) <= slack, `ratio ${ratio}: the show lasted ${length} s`);
      // A click on a shown caption plays nothing; a double click plays one
      // show, and Space during it nothing more.
      const playing = () => page.evaluate(() => _clickshow_playing(performance.now()));
      await page.mouse.click(...at(...table.points.caption));
      check(!(await playing()), `ratio ${ratio}: a caption click played`);
      // The captions stand where every player puts them.
      const ink = await page.evaluate(CaptionInk, ratio, timeline.design.captions);
      const off = ink.filter((box, i) => box.some((edge, k) => Math.abs(edge - table.captionInk[timeline.design.captions[i].name][k]) > table.captionInk.slack));
      check(!off.length, `ratio ${ratio}: the captions' ink stands at ${JSON.stringify(ink)}`);
      if (ratio === 1) {
        const before = (await page.evaluate(() => window.seen.length));
        await page.mouse.click(...at(20, 180), { count: 2 });
        await page.keyboard.press('Space');
        await shows(2);
        await page.waitForFunction(() => !_clickshow_playing(performance.now()), { timeout: 60000, polling: 50 });
        const after = (await page.evaluate(() => window.seen.length)) - before;
        check(after === want.length, `ratio ${ratio}: a double click and Space during its show played ${after / want.length} shows`);
      }
      const final = await page.evaluate(Differing, recorded(ratio), ratio, timeline.design.captions);
      check(final.differing === 0 && rgb(final.size) === rgb(final.recorded),
        `ratio ${ratio}: ${final.differing} pixels differ from the recording (${final.size} against ${final.recorded})`);
      const shot = path.join(output, `page-${ratio}.png`);
      await (await page.$('#frame')).screenshot({ path: shot });
      const text = execFileSync('tesseract', [shot, '-', '--psm', '11'], { encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'] });
      check(text.includes('Salt Lake City') && text.includes('2002'), `ratio ${ratio}: OCR read ${JSON.stringify(text)}`);
      report.push(`ratio ${ratio}: first painted canvas ${painted.toFixed(0)} ms after navigation; show ${length.toFixed(5)} s; ` +
        `acts ${acts.join(', ')} ms; final picture ${final.differing} pixels apart; OCR ${JSON.stringify(text.trim().split(/\s*\n\s*/))}`);
      await page.close();
    }
    // Where the picture stands and its final picture; a click on a caption,
    // mapped back through the fit, plays nothing. In the loop, three shows
    // seen whole, each final picture standing a second, the screen awake.
    for (const view of views) {
      const page = await browser.newPage();
      page.on('pageerror', (error) => failures.push(`${view.name}: the page failed: ${error.message}`));
      await page.setViewport(view.viewport);
      await page.evaluateOnNewDocument(`${kPageFunctions}\n(${Watch})();`);
      await page.goto(new URL(view.url, server.origin).href);
      await page.waitForFunction(() => window.painted, { timeout: 60000, polling: 50 });
      const box = await (await page.$('#picture')).boundingBox();
      // A loop plays from the first paint; the others at a click.
      if (!view.shows) await page.mouse.click(box.x + 20 * box.width / 499, box.y + 180 * box.height / 356);
      await page.waitForFunction((finale, count) => window.seen.filter((s) => s.backdrop === finale && s.shown).length >= count,
        { timeout: 60000, polling: 50 }, finale, view.shows ?? 1);
      const all = await page.evaluate(() => window.seen); // the loop's first paint comes first
      const seen = all.slice(all.findIndex((s) => s.backdrop === want[0])).slice(0, 3 * want.length);
      if (view.shows) {
        check(JSON.stringify(seen.map((s) => s.backdrop)) === JSON.stringify([...want, ...want, ...want]) &&
          (await page.evaluate(() => window.awake?.released === false)), `${view.name}: ${JSON.stringify(seen)}`);
        // From a finale on the screen to the next show's first frame: a
        // second less the finale's frame, at most what a late timer adds.
        const stood = [1, 2].map((k) => [seen[k * want.length - 1], seen[k * want.length]]);
        const over = stood.map(([last, first]) => first.shown - last.shown - 1000 - (timeline.nanoseconds - timeline.backdrops.at(-1).nanoseconds) / 1e6);
        check(stood.every(([last, first], k) => over[k] >= first.after - last.before - last.after - 1 && over[k] < first.after + 250),
          `${view.name}: final pictures stood ${over.map((ms) => ms.toFixed(1)).join(', ')} ms over a second`);
        report.push(`${view.name}: final pictures stood ${over.map((ms) => (1000 + ms).toFixed(1)).join(', ')} ms; three shows ` +
          `${((seen.at(-1).shown - seen[0].time) / 1000).toFixed(2)} s after the first show began; the screen awake`);
      } else {
        const stands = await (await page.$('#picture')).boundingBox();
        const final = await page.evaluate(Differing, recorded(view.scale), view.scale, timeline.design.captions);
        const [cx, cy] = table.points.caption;
        await page.mouse.click(stands.x + cx * stands.width / 499, stands.y + cy * stands.height / 356);
        check(rgb([stands.x, stands.y, stands.width, stands.height]) === rgb(view.box) && final.differing === 0 &&
          rgb(final.size) === rgb(final.recorded) && !(await page.evaluate(() => _clickshow_playing(performance.now()))),
          `${view.name}: the picture at ${rgb([stands.x, stands.y, stands.width, stands.height])}, ${final.differing} pixels apart`);
        report.push(`${view.name}: the picture at ${rgb(view.box)} (CSS pixels), ${final.size.join(' x ')} at scale ${view.scale}, ${final.differing} pixels apart`);
      }
      await page.close();
    }
  });
  // What no well-kept server does: die of a request, or serve beside its
  // folder (a sibling whose name begins with the folder's).
  mkdirSync(path.join(output, 'site-other'), { recursive: true });
  writeFileSync(path.join(output, 'site', 'index.html'), 'page\n');
  writeFileSync(path.join(output, 'site-other', 'secret.txt'), 'secret\n');
  const files = await serve({ '/': path.join(output, 'site') });
  for (const [url, range, status] of [['/%E0%A4%A', '', 400], ['/index.html', 'bytes=4-2', 416], ['/index.html', 'bytes=9-', 416],
    ['/%2e%2e/site-other/secret.txt', '', 404], ['/index.html', 'bytes=1-2', 206], ['/index.html', '', 200]]) {
    const answer = await fetch(files.origin + url, { headers: range ? { Range: range } : {} }).catch((error) => ({ status: error.message }));
    check(answer.status === status, `the server answered ${url} (${range || 'whole'}) with ${answer.status}, not ${status}`);
  }
  await files.close();
  // `make web-serve` on a port in use: one line that says what to do.
  const busy = spawnSync(process.execPath, [fileURLToPath(new URL('../../web/serve.mjs', import.meta.url)), site,
    new URL(server.origin).port], { encoding: 'utf8', timeout: 60000 });
  check(busy.status === 1 && /^clickshow: .*PORT=\d+ make web-serve$/.test(busy.stderr.trim()), `a busy port: ${busy.stderr}`);
} catch (error) {
  failures.push(error instanceof Failure ? error.message : error.stack);
} finally {
  await server.close();
}
for (const file of ['clickshow.html', 'index.html', 'clickshow.js', 'clickshow.wasm', 'p052.woff2'])
  report.push(`${file}: ${statSync(path.join(site, file)).size} bytes, ${gzipSync(readFileSync(path.join(site, file)), { level: 9 }).length} gzip`);
// The one file, to send as it is.
if (gzipSync(readFileSync(path.join(site, 'clickshow.html')), { level: 9 }).length > 40000) failures.push('clickshow.html weighs over 40 KB');
console.log(report.join('\n'));
for (const failure of failures) console.error(`FAIL: ${failure}`);
process.exit(failures.length ? 1 : 0);
