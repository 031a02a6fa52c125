// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The show as it was made, as the players' table writes it: where each
// backdrop stands on its timeline, and the emblem's rings. Written, not
// asked of the program, so that a fault every player shares shows.

import { readFileSync } from 'node:fs';

export function ShowTimeline() {
  const show = JSON.parse(readFileSync(new URL('../conformance/table.json', import.meta.url))).show;
  const ns = (counts) => counts * show.nanosecondsPerCount;
  return {
    design: show,
    backdrops: show.backdrops.map(([rgb, counts]) => ({ rgb, nanoseconds: ns(counts) })),
    rings: show.rings.map(([x, y, radius, rgb]) => ({ x, y, radius, rgb })),
    nanoseconds: ns(show.counts),
  };
}

// Frame k of a recording stands at k / fps seconds from its start, and
// shows the calls at or before that moment on the show's timeline: the
// frames before a moment, in whole numbers as the recorder counts them.
export function FramesBefore(nanoseconds, fps) {
  return Math.floor((nanoseconds * fps + 1e9 - 1) / 1e9);
}

// The backdrop that frame `frame` of a recording at `fps` shows, or null
// in the lead-in.
export function BackdropOfFrame(timeline, frame, fps) {
  const lead = FramesBefore(timeline.design.leadInNanoseconds, fps);
  let shown = null;
  for (const backdrop of timeline.backdrops) {
    if (frame >= lead + FramesBefore(backdrop.nanoseconds, fps)) shown = backdrop;
  }
  return shown;
}

// Where a ring is thickest: its upper-left side, in pixels at `scale`.
export function ThickestPoint(ring, scale, twipsPerPixel) {
  const inward = ring.radius / Math.SQRT2;
  return [Math.floor((ring.x - inward) / twipsPerPixel * scale), Math.floor((ring.y - inward) / twipsPerPixel * scale)];
}

export function Near(seen, want, levels) {
  return seen.every((value, i) => Math.abs(value - want[i]) <= levels);
}
