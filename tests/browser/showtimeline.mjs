// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The show as show-trace tells it: where each backdrop stands on its
// timeline, and the emblem's rings. Tests read the show from the program
// itself rather than copying its numbers.

import { execFileSync } from 'node:child_process';

// The design's values and the timeline's: 180 ns a count, the lead-in of
// a recording, the captions' rectangles.
export function Design(showTrace) {
  return JSON.parse(execFileSync(showTrace, ['--design'], { encoding: 'utf8' }));
}

// Plays one show of the design size (or `width` x `height` twips).
export function ShowTimeline(showTrace, width, height) {
  const design = Design(showTrace);
  width ??= design.width * design.twipsPerPixel;
  height ??= design.height * design.twipsPerPixel;
  const kNanosecondsPerCount = design.nanosecondsPerCount;
  const lines = execFileSync(showTrace, [String(width), String(height)], { encoding: 'utf8' }).trim().split('\n');
  let counts = 0;
  const backdrops = [];
  let circles = [];
  for (const line of lines) {
    const word = line.split(' ');
    if (word[0] === 'pause') counts += Number(word[1]);
    if (word[0] === 'backdrop') {
      backdrops.push({ rgb: word.slice(1, 4).map(Number), nanoseconds: counts * kNanosecondsPerCount });
      circles = [];
    }
    if (word[0] === 'circle') circles.push(word.slice(1).map(Number));
  }
  // After the last backdrop: the emblem, its rings four outlines each.
  const rings = [];
  for (let i = 0; i < circles.length; i += 4) {
    const four = circles.slice(i, i + 4);
    const centre = (axis) => four.reduce((sum, circle) => sum + circle[axis], 0) / four.length;
    rings.push({ x: centre(0), y: centre(1), radius: four[0][2], rgb: four[0].slice(3, 6) });
  }
  return { design, backdrops, rings, nanoseconds: counts * kNanosecondsPerCount };
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
