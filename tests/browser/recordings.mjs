// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// Recordings where people watch them: every format a browser plays,
// recorded by the program, played through in headless Chromium from a
// server on 127.0.0.1, its frames drawn on a canvas and read back.
//
//   node recordings.mjs CLICKSHOW OUTPUT_FOLDER

import { spawnSync } from 'node:child_process';
import { mkdirSync, writeFileSync } from 'node:fs';
import path from 'node:path';

import { check, Failure, serve, withChromium } from './chromium.mjs';
import { kPageFunctions } from './frames.mjs';
import { BackdropOfFrame, Near, ShowTimeline, ThickestPoint } from './showtimeline.mjs';

const [clickshow, output] = process.argv.slice(2);
const kFps = 10; // every format's own rate, GIF's too
const formats = [
  { extension: 'mp4', play: 'video' },
  { extension: 'webm', play: 'video' },
  { extension: 'gif', play: 'image', type: 'image/gif' },
  { extension: 'webp', play: 'image', type: 'image/webp' },
  { extension: 'apng', play: 'image', type: 'image/apng' },
];
// An HD picture, where the rings are read; a small one, backdrops only.
const scales = [4, 1];

const timeline = ShowTimeline();
// Within the first frame of each backdrop: where a video is sought.
const moments = [];
for (let frame = 1; frame < 20 * kFps; ++frame) {
  if (BackdropOfFrame(timeline, frame, kFps) !== BackdropOfFrame(timeline, frame - 1, kFps)) {
    moments.push({ time: (frame + 0.5) / kFps, want: BackdropOfFrame(timeline, frame, kFps) });
  }
}
mkdirSync(output, { recursive: true });
const environment = { ...process.env };
delete environment.DISPLAY;
delete environment.WAYLAND_DISPLAY;
for (const scale of scales) {
  for (const format of formats) {
    const file = path.join(output, `show-${scale}.${format.extension}`);
    const run = spawnSync(clickshow, ['--record', file, '--scale', String(scale), '--fps', String(kFps), '--hold', '0.5', '--quiet'],
      { env: environment, encoding: 'utf8' });
    if (run.status !== 0) {
      console.error(`clickshow --record ${file}: status ${run.status}: ${run.stderr}`);
      process.exit(1);
    }
  }
}

const rgb = (values) => values.join(', ');
const failures = [];
// A page of the recordings' own origin: a page reads a video's pixels
// only from there.
writeFileSync(path.join(output, 'index.html'), '<!doctype html><meta charset="utf-8"><title>recordings</title>\n');
const server = await serve({ '/files/': output });
try {
  await withChromium(async (browser) => {
    const page = await browser.newPage();
    await page.goto(`${server.origin}/files/index.html`);
    await page.addScriptTag({ content: kPageFunctions });
    console.log(`| format | scale | frames | final backdrop | ${timeline.rings.map((r) => `ring ${rgb(r.rgb)}`).join(' | ')} |`);
    console.log(`|---|---|---|---|${timeline.rings.map(() => '---|').join('')}`);
    for (const scale of scales) {
      for (const format of formats) {
        const name = `show-${scale}.${format.extension}`;
        const points = scale === 4 ? timeline.rings.map((ring) => ThickestPoint(ring, scale, timeline.design.twipsPerPixel)) : [];
        try {
          const seen = await page.evaluate(
            (kind, url, type, points, times) => (kind === 'video' ? PlayVideo(url, points, times) : PlayImage(url, type, points)),
            format.play, `/files/${name}`, format.type, points, moments.map((m) => m.time));
          console.log(`| ${format.extension} | ${scale} | ${seen.frames.length} | ${rgb(seen.final.backdrop)} | ${seen.final.points.map(rgb).join(' | ')} |`);
          check(seen.width >= 499 * scale && seen.height === 356 * scale, `${name}: ${seen.width} x ${seen.height}`);
          // Every frame presented shows the backdrop of its moment, and
          // every colour of backdrop is seen: played, or where a video is
          // sought.
          const shown = new Set();
          (seen.moments ?? []).forEach(({ time, backdrop }, i) => {
            const want = moments[i].want;
            shown.add(rgb(want.rgb));
            check(Near(backdrop, want.rgb, 2), `${name}: ${time} s shows ${rgb(backdrop)} for the backdrop ${rgb(want.rgb)}`);
          });
          for (const frame of seen.frames) {
            const index = Math.round(frame.time * kFps);
            const want = BackdropOfFrame(timeline, index, kFps);
            if (!want) continue;
            shown.add(rgb(want.rgb));
            check(Near(frame.backdrop, want.rgb, 2),
              `${name}: frame ${index} (${frame.time} s) shows ${rgb(frame.backdrop)} for the backdrop ${rgb(want.rgb)}`);
          }
          const colours = new Set(timeline.backdrops.map((b) => rgb(b.rgb)));
          check(shown.size === colours.size, `${name}: ${shown.size} of the ${colours.size} backdrop colours shown`);
          timeline.rings.forEach((ring, i) => {
            const at = points[i];
            if (at) check(Near(seen.final.points[i], ring.rgb, 12), `${name}: the ${rgb(ring.rgb)} ring shows ${rgb(seen.final.points[i])} at (${at})`);
          });
        } catch (error) {
          failures.push(error instanceof Failure ? error.message : `${name}: ${error.message}`);
        }
      }
    }
  });
} finally {
  await server.close();
}
for (const failure of failures) console.error(`FAIL: ${failure}`);
process.exit(failures.length ? 1 : 0);
