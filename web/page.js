// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The page around the show: it hands the player its input, puts on the
// canvas what each animation frame changed, and lays the captions over it
// as the player says. The rules, the show and its pixels are the C++
// player's (webmain.cpp).

(function () {
  const frame = document.getElementById('frame');
  const box = document.getElementById('show');
  const picture = document.getElementById('picture');
  const context = picture.getContext('2d');
  const captions = [document.getElementById('lblTop'), document.getElementById('lblWords')];
  const utf8 = new TextDecoder();
  // Actions, as player::Action numbers them.
  const kNone = 0, kPlay = 1, kQueueOne = 2, kLetGo = 3;
  // Keys, as player::Key numbers them: Space, Return, Enter, F11, Escape, Q, W, other.
  const kKeys = { ' ': 0, Enter: 1, F11: 3, Escape: 4, q: 5, Q: 5, w: 6, W: 6 };
  let design = null; // the design's values, from the player
  let ratio = 0; // device pixels to a design pixel
  let running = false;

  // A C string of the module's memory.
  function Text(at) {
    return utf8.decode(HEAPU8.subarray(at, HEAPU8.indexOf(0, at)));
  }

  function Captions() {
    captions.forEach((element, label) => {
      const text = Text(_clickshow_caption(label));
      if (element.textContent !== text) element.textContent = text;
      element.style.fontSize = `${_clickshow_caption_pixels(label)}px`;
      element.style.visibility = _clickshow_caption_shown(label) ? 'visible' : 'hidden';
    });
  }

  function Put(what) {
    if (what & 1) {
      context.fillStyle = `#${_clickshow_backdrop().toString(16).padStart(6, '0')}`;
      context.fillRect(0, 0, picture.width, picture.height);
    }
    if (what & 2) {
      const x = _clickshow_changed(0), y = _clickshow_changed(1);
      const w = _clickshow_changed(2), h = _clickshow_changed(3);
      const rgba = new Uint8ClampedArray(HEAPU8.buffer, _clickshow_rgba(), w * h * 4);
      context.putImageData(new ImageData(rgba, w, h), x, y);
    }
    if (what & 4) Captions();
    _clickshow_put();
  }

  // Everything the timeline has reached by this frame, and nothing later.
  function Frame(now) {
    Put(_clickshow_frame(now));
    running = !!_clickshow_playing(now);
    if (running) requestAnimationFrame(Frame);
  }

  function Act(action, event) {
    if (action !== kNone) event.preventDefault();
    if ((action === kPlay || action === kQueueOne) && !running) {
      running = true;
      requestAnimationFrame(Frame);
    }
  }

  // At the design's size, or smaller to fit a narrow page; one design
  // pixel is as many device pixels as a CSS pixel, or fewer.
  function Layout() {
    const scale = Math.min(1, document.documentElement.clientWidth / design.width);
    const wanted = scale * devicePixelRatio;
    frame.style.width = `${design.width * scale}px`;
    frame.style.height = `${design.height * scale}px`;
    Object.assign(box.style, { width: `${design.width}px`, height: `${design.height}px`,
                               transform: scale < 1 ? `scale(${scale})` : '' });
    if (wanted === ratio) return;
    ratio = wanted;
    if (!_clickshow_resize(ratio)) return;
    picture.width = Math.floor(design.width * ratio + 0.5);
    picture.height = Math.floor(design.height * ratio + 0.5);
    Put(2);
  }

  // A point of the page as a point of the design's client area.
  function At(event) {
    const rect = picture.getBoundingClientRect();
    const x = (event.clientX - rect.left) * design.width / rect.width;
    const y = (event.clientY - rect.top) * design.height / rect.height;
    return { x: x, y: y, inside: x >= 0 && y >= 0 && x < design.width && y < design.height };
  }

  function Start() {
    design = JSON.parse(Text(_clickshow_design()));
    // The window's background before the first click: the system's button face.
    const probe = document.createElement('div');
    probe.style.background = 'ButtonFace';
    document.body.append(probe);
    const face = getComputedStyle(probe).backgroundColor.match(/\d+/g).map(Number);
    probe.remove();
    _clickshow_start(devicePixelRatio, face[0], face[1], face[2]);
    captions.forEach((element, label) => {
      const rect = design.captions[label];
      Object.assign(element.style, { left: `${rect.x}px`, top: `${rect.y}px`, width: `${rect.width}px`,
                                     height: `${rect.height}px` });
    });
    Layout();
    Captions();
    document.fonts.load(`${design.captionPixels}px P052`).then(() => {
      _clickshow_refit();
      Captions();
    });
    addEventListener('resize', Layout);
    matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener('change', Layout);
    // The second press of a double click comes with a detail of 2.
    box.addEventListener('mousedown', (event) => {
      const at = At(event);
      Act(_clickshow_press(at.x, at.y, event.button === 0, event.detail > 1 ? 2 : 1), event);
    });
    addEventListener('mouseup', (event) => {
      const at = At(event);
      Act(_clickshow_release(at.x, at.y, at.inside, event.button === 0), event);
    });
    addEventListener('keydown', (event) => {
      const key = event.code === 'NumpadEnter' ? 2 : event.key in kKeys ? kKeys[event.key] : 7;
      const modifiers = (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) | (event.altKey ? 4 : 0) | (event.metaKey ? 8 : 0);
      const action = _clickshow_key(key, modifiers, event.repeat, event.timeStamp);
      // Ctrl+W and the like stay the browser's.
      if (action !== kLetGo && action !== kPlay && action !== kQueueOne) return;
      Act(action, event);
    });
  }

  if (runtimeInitialized) Start();
  else Module.onRuntimeInitialized = Start;
})();
