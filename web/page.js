// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The page around the show: a canvas that takes what changed, the captions
// over it at their designed rectangles, and input as the window takes it.
// The show itself, its pacing and its pixels are the C++ player's.

(function () {
  const frame = document.getElementById('frame');
  const box = document.getElementById('show');
  const picture = document.getElementById('picture');
  const context = picture.getContext('2d');
  const captions = [document.getElementById('lblTop'), document.getElementById('lblWords')];
  const design = (what) => _clickshow_design(what);
  let width = 0, height = 0; // the design's, once the player runs
  let ratio = 0; // device pixels to a design pixel
  let running = false;
  let asked = 0; // shows asked for since the last frame
  let fitted = ['', ''];

  // The largest size of the face at which the caption's ink lies whole in
  // its rectangle, drawn from the rectangle's top-left corner.
  function Fit(label, text) {
    const rect = { width: design(4 + 4 * label), height: design(5 + 4 * label) };
    const measure = document.createElement('canvas').getContext('2d');
    let pixels = Math.round(design(10) * 4 / 3);
    for (; pixels > 1; --pixels) {
      measure.font = `${pixels}px P052, serif`;
      const ink = measure.measureText(text);
      const top = ink.fontBoundingBoxAscent - ink.actualBoundingBoxAscent;
      const bottom = ink.fontBoundingBoxAscent + ink.actualBoundingBoxDescent;
      if (top >= 0 && ink.actualBoundingBoxRight < rect.width && bottom < rect.height) break;
    }
    measure.font = `${pixels}px P052, serif`;
    const line = measure.measureText(text);
    const style = captions[label].style;
    style.fontSize = `${pixels}px`;
    style.lineHeight = `${line.fontBoundingBoxAscent + line.fontBoundingBoxDescent}px`;
  }

  // A C string of the module's memory. Decoded here rather than by the
  // runtime's helper, which newer toolchains leave out unless asked.
  const utf8 = new TextDecoder();
  function Text(at) {
    return utf8.decode(HEAPU8.subarray(at, HEAPU8.indexOf(0, at)));
  }

  function Captions() {
    captions.forEach((element, label) => {
      const text = Text(_clickshow_caption(label)).replace(/ +$/, '');
      if (text !== fitted[label]) {
        element.textContent = text;
        Fit(label, text);
        fitted[label] = text;
      }
      element.style.visibility = _clickshow_caption_shown(label) ? 'visible' : 'hidden';
    });
  }

  function Put() {
    const fill = _clickshow_filled();
    if (fill >= 0) {
      context.fillStyle = `#${fill.toString(16).padStart(6, '0')}`;
      context.fillRect(0, 0, picture.width, picture.height);
    }
    const x = _clickshow_changed(0), y = _clickshow_changed(1);
    const w = _clickshow_changed(2), h = _clickshow_changed(3);
    if (w <= 0 || h <= 0) return;
    const rgba = new Uint8ClampedArray(HEAPU8.buffer, _clickshow_rgba(), w * h * 4);
    context.putImageData(new ImageData(rgba, w, h), x, y);
  }

  // Everything the timeline has reached by this frame, and nothing later.
  // A show asked for since the last frame begins with this one: the first
  // frame that can show it.
  function Frame(now) {
    for (; asked > 0; --asked) _clickshow_play(now);
    if (_clickshow_advance(now)) Put();
    Captions();
    running = !!_clickshow_playing(now);
    if (running) requestAnimationFrame(Frame);
  }

  function Playing(now) {
    return asked > 0 || !!_clickshow_playing(now);
  }

  function Play() {
    ++asked;
    if (!running) {
      running = true;
      requestAnimationFrame(Frame);
    }
  }

  // At the design's size, or smaller to fit a narrow page; one design
  // pixel is as many device pixels as a CSS pixel, or fewer.
  function Layout() {
    const scale = Math.min(1, document.documentElement.clientWidth / width);
    const wanted = scale * devicePixelRatio;
    frame.style.width = `${width * scale}px`;
    frame.style.height = `${height * scale}px`;
    box.style.transform = scale < 1 ? `scale(${scale})` : '';
    captions.forEach((element, label) => {
      Object.assign(element.style, {
        left: `${design(2 + 4 * label)}px`, top: `${design(3 + 4 * label)}px`,
        width: `${design(4 + 4 * label)}px`, height: `${design(5 + 4 * label)}px`,
      });
    });
    if (wanted === ratio) return;
    ratio = wanted;
    if (!_clickshow_resize(ratio)) return;
    picture.width = Math.floor(width * ratio + 0.5);
    picture.height = Math.floor(height * ratio + 0.5);
    _clickshow_everything(picture.width, picture.height);
    Put();
  }

  function Start() {
    [width, height] = [design(0), design(1)];
    // The window's background before the first click: the system's button face.
    const probe = document.createElement('div');
    probe.style.background = 'ButtonFace';
    document.body.append(probe);
    const face = getComputedStyle(probe).backgroundColor.match(/\d+/g).map(Number);
    probe.remove();
    _clickshow_start(devicePixelRatio, face[0], face[1], face[2]);
    Layout();
    document.fonts.load(`48px P052`).then(() => {
      fitted = ['', ''];
      Captions();
    });
    Captions();
    addEventListener('resize', Layout);
    matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener('change', Layout);
    // A click outside a shown caption, or a tap: the second press of a
    // double click is no click of its own.
    box.addEventListener('click', (event) => {
      if (event.detail > 1 || (captions.includes(event.target) && event.target.style.visibility === 'visible')) return;
      Play();
    });
    // Space, Return and Enter, with no modifier; keys during a show are let go.
    addEventListener('keydown', (event) => {
      if (![' ', 'Enter'].includes(event.key) || event.shiftKey || event.ctrlKey || event.altKey || event.metaKey) return;
      event.preventDefault();
      if (!event.repeat && !Playing(event.timeStamp)) Play();
    });
  }

  if (runtimeInitialized) Start();
  else Module.onRuntimeInitialized = Start;
})();
