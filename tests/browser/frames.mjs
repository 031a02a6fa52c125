// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// What the browser tests run inside a page: they are handed over as source
// (addScriptTag, evaluateOnNewDocument), so each stands on its own.

// What a frame shows: its majority colour (the backdrop, under the
// outlines) over a grid of every 7th pixel, and the pixels at `points`.
// Reading back only those keeps up with a video as it plays.
export function Read(source, width, height, points) {
  const canvas = document.createElement('canvas');
  canvas.width = Math.ceil(width / 7);
  canvas.height = Math.ceil(height / 7);
  const context = canvas.getContext('2d', { willReadFrequently: true });
  context.imageSmoothingEnabled = false; // nearest pixels, no blending
  context.drawImage(source, 0, 0, canvas.width, canvas.height);
  const data = context.getImageData(0, 0, canvas.width, canvas.height).data;
  const counts = new Map();
  for (let i = 0; i < data.length; i += 4) {
    const key = (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
    counts.set(key, (counts.get(key) ?? 0) + 1);
  }
  let best = 0;
  let most = -1;
  for (const [key, count] of counts) {
    if (count > most) [best, most] = [key, count];
  }
  const pixel = ([x, y]) => {
    context.drawImage(source, x, y, 1, 1, 0, 0, 1, 1);
    return Array.from(context.getImageData(0, 0, 1, 1).data.slice(0, 3));
  };
  return { backdrop: [best >> 16, (best >> 8) & 0xff, best & 0xff], points: points.map(pixel) };
}

// Plays a video through: the backdrop of every frame presented (a
// loaded machine drops some, the last ones too). Then, paused, what each
// of `moments` (seconds) shows, and the last frame's pixels at `points`:
// a seek lands on its frame whatever the load.
export async function PlayVideo(url, points, moments) {
  const video = document.createElement('video');
  video.muted = true;
  video.playsInline = true;
  video.src = url;
  document.body.append(video);
  await new Promise((resolve, reject) => {
    video.onloadeddata = resolve;
    video.onerror = () => reject(new Error(`${url}: ${video.error?.message ?? 'cannot play'}`));
  });
  const frames = [];
  let playing = true;
  const presented = (now, metadata) => {
    if (!playing) return;
    frames.push({ time: metadata.mediaTime, backdrop: Read(video, video.videoWidth, video.videoHeight, []).backdrop });
    video.requestVideoFrameCallback(presented);
  };
  video.requestVideoFrameCallback(presented);
  const ended = new Promise((resolve) => (video.onended = resolve));
  await video.play();
  await ended;
  playing = false;
  // Sought, and that frame presented: 'seeked' alone may come first.
  const at = async (time) => {
    const sought = new Promise((resolve) => (video.onseeked = resolve));
    const shown = new Promise((resolve) => video.requestVideoFrameCallback(resolve));
    video.currentTime = time;
    await Promise.all([sought, shown]);
  };
  const seen = [];
  for (const time of moments) {
    await at(time);
    seen.push({ time, backdrop: Read(video, video.videoWidth, video.videoHeight, []).backdrop });
  }
  await at(video.duration - 0.01);
  const final = Read(video, video.videoWidth, video.videoHeight, points);
  return { width: video.videoWidth, height: video.videoHeight, frames, moments: seen, final };
}

// Decodes an animated picture frame by frame with the browser's own
// decoders, as an <img> plays it.
export async function PlayImage(url, type, points) {
  const response = await fetch(url);
  if (!response.ok) throw new Error(`${url}: ${response.status}`);
  if (!(await ImageDecoder.isTypeSupported(type))) throw new Error(`${type}: not supported`);
  const decoder = new ImageDecoder({ data: await response.arrayBuffer(), type });
  await decoder.tracks.ready;
  await decoder.completed;
  const count = decoder.tracks.selectedTrack.frameCount;
  const frames = [];
  let final = null;
  let width = 0;
  let height = 0;
  for (let i = 0; i < count; ++i) {
    const { image } = await decoder.decode({ frameIndex: i });
    [width, height] = [image.displayWidth, image.displayHeight];
    final = Read(image, width, height, i === count - 1 ? points : []);
    frames.push({ time: image.timestamp / 1e6, backdrop: final.backdrop });
    image.close();
  }
  decoder.close();
  return { width, height, frames, final };
}

// In the page, before its own script: the time of the first frame that
// shows a picture in the canvas, and after every frame the page draws, the
// picture's backdrop, with that frame's time. A frame is on the screen
// once the next one begins: a new backdrop is `shown` then.
export function Watch() {
  const request = window.requestAnimationFrame.bind(window);
  const drawn = (time) => {
    const picture = document.getElementById('picture');
    if (picture?.getContext('2d').getImageData(0, 0, 1, 1).data[3] === 255) window.painted = time;
    else request(drawn);
  };
  request(drawn);
  window.seen = [];
  window.inputs = []; // when each key and button press reached the page
  for (const type of ['keydown', 'mousedown']) addEventListener(type, () => window.inputs.push(performance.now()), true);
  window.frames = []; // the times of the page's frames
  let last = null; // the time of the page's frame before
  const look = (time) => {
    const picture = document.getElementById('picture');
    const backdrop = Read(picture, picture.width, picture.height, []).backdrop.join(', ');
    const before = last === null ? 0 : time - last;
    last = time;
    window.frames.push(time);
    if (window.seen.length && window.seen.at(-1).backdrop === backdrop) return;
    const change = { time, backdrop, before };
    window.seen.push(change);
    request((next) => Object.assign(change, { shown: next, after: next - time }));
  };
  const wake = navigator.wakeLock; // the screen's wake lock, as the page holds it
  const lock = wake && wake.request.bind(wake);
  if (wake) wake.request = (type) => lock(type).then((held) => (window.awake = held));
  window.requestAnimationFrame = (callback) => request((time) => {
    callback(time);
    look(time);
  });
}

// Source for a page: the functions above, as globals.
export const kPageFunctions = [Read, PlayVideo, PlayImage].map(String).join('\n');
