// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The page around the show: it hands the player its input, puts on the
// canvas what each animation frame changed, and lays the captions over it
// as the player says. The rules, the show, its pixels and where the picture
// stands are the C++ player's (webmain.cpp).
//
// The address asks what the window's command line can: ?loop=SECONDS
// plays the show again each time its final picture has stood that long,
// from the first click on, and ?fullscreen takes the whole screen at the
// first click.

(function () {
  const frame = document.getElementById('frame');
  const box = document.getElementById('show');
  const picture = document.getElementById('picture');
  const context = picture.getContext('2d');
  const captions = [document.getElementById('lblTop'), document.getElementById('lblWords')];
  const button = document.getElementById('whole');
  const utf8 = new TextDecoder();
  const asked = new URLSearchParams(location.search);
  // Actions, as player::Action numbers them.
  const kPlay = 1, kQueueOne = 2, kLetGo = 3, kFullScreenOn = 6, kFullScreenOff = 7;
  // Keys, as player::Key numbers them: Space, Return, Enter, F11, Escape, Q,
  // W, other. F is the page's own F11, as browsers may keep that key.
  const kKeys = { ' ': 0, Enter: 1, F11: 3, f: 3, F: 3, Escape: 4, q: 5, Q: 5, w: 6, W: 6 };
  let design = null; // the design's values, from the player
  let laid = ''; // the device pixels the picture was last fitted to
  let running = false;
  let timer = 0; // until the loop's next show
  let wholeAtFirst = asked.has('fullscreen');
  let lock = null; // the screen's wake lock, as it is asked for

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
      const at = _clickshow_rgba(); // before the memory's buffer: it may grow
      context.putImageData(new ImageData(new Uint8ClampedArray(HEAPU8.buffer, at, w * h * 4), w, h), x, y);
    }
    if (what & 4) Captions();
    _clickshow_put();
  }

  // Everything the timeline has reached by this frame, and nothing later.
  function Frame(now) {
    Put(_clickshow_frame(now));
    running = !!_clickshow_playing(now);
    if (running) requestAnimationFrame(Frame);
    else if (_clickshow_due() >= 0) timer = setTimeout(Run, _clickshow_due() - performance.now());
  }

  function Run() {
    clearTimeout(timer);
    if (running) return;
    running = true;
    requestAnimationFrame(Frame);
  }

  // The screen stays awake while the loop runs and the page is seen; the
  // browser lets go of it for a hidden page.
  function Awake() {
    const want = !!_clickshow_looping() && document.visibilityState === 'visible';
    if (want === !!lock || !navigator.wakeLock) return;
    if (want) {
      lock = navigator.wakeLock.request('screen').catch(() => null);
    } else {
      lock.then((held) => held && held.release());
      lock = null;
    }
  }

  // The whole screen as the window's full screen has it: the page's own
  // (the Fullscreen API), or the browser's (F11 where the browser keeps it).
  function Whole() {
    return !!document.fullscreenElement || matchMedia('(display-mode: fullscreen)').matches;
  }

  // To the whole screen or back through the Fullscreen API: false where the
  // page cannot, as for the browser's own full screen.
  function ToWhole(on) {
    if (on ? !document.fullscreenEnabled : !document.fullscreenElement) {
      _clickshow_full_screen(Whole());
      return false;
    }
    (on ? frame.requestFullscreen() : document.exitFullscreen()).catch(() => _clickshow_full_screen(Whole()));
    return true;
  }

  // What the rules say, done; the rest (a close: Ctrl+W and the like) stays
  // the browser's.
  function Act(action, event) {
    if (action === kFullScreenOn || action === kFullScreenOff) {
      if (ToWhole(action === kFullScreenOn)) event.preventDefault();
      return;
    }
    if (action === kLetGo || action === kPlay || action === kQueueOne) event.preventDefault();
    if (action === kPlay || action === kQueueOne) {
      if (wholeAtFirst) ToWhole(true);
      wholeAtFirst = false;
      Run();
      Awake();
    }
  }

  // On a page, the design's size or, on a narrow one, as wide as the page;
  // on the whole screen, as the window's full screen. The canvas holds one
  // device pixel for each of its pixels, so outlines stay sharp.
  function Layout() {
    const whole = Whole();
    const ratio = devicePixelRatio;
    document.documentElement.classList.toggle('whole', whole);
    if (whole) Object.assign(frame.style, { width: '', height: '' });
    const width = whole ? frame.clientWidth : Math.min(document.documentElement.clientWidth, design.width);
    const wanted = `${Math.round(width * ratio)} ${whole ? Math.round(frame.clientHeight * ratio) : 0} ${ratio}`;
    if (wanted === laid) return;
    const size = wanted.split(' ').map(Number);
    if (!_clickshow_layout(size[0], size[1])) return;
    laid = wanted;
    _clickshow_full_screen(whole);
    const fit = [0, 1, 2, 3, 4].map(_clickshow_fitted);
    const px = (device) => `${device / ratio}px`;
    picture.width = fit[3];
    picture.height = fit[4];
    Object.assign(picture.style, { left: px(fit[1]), top: px(fit[2]), width: px(fit[3]), height: px(fit[4]) });
    Object.assign(box.style, { left: px(fit[1]), top: px(fit[2]), transform: `scale(${fit[0] / ratio})` });
    if (!whole) Object.assign(frame.style, { width: px(fit[3]), height: px(fit[4]) });
    Put(2);
  }

  // A point of the page as device pixels of the frame.
  function At(event) {
    const rect = frame.getBoundingClientRect();
    return [(event.clientX - rect.left) * devicePixelRatio, (event.clientY - rect.top) * devicePixelRatio];
  }

  function Start() {
    design = JSON.parse(Text(_clickshow_design()));
    // The window's background before the first click: the system's button face.
    const probe = document.createElement('div');
    probe.style.background = 'ButtonFace';
    document.body.append(probe);
    const face = getComputedStyle(probe).backgroundColor.match(/\d+/g).map(Number);
    probe.remove();
    _clickshow_start(face[0], face[1], face[2]);
    if (asked.has('loop')) _clickshow_loop(Number(asked.get('loop')));
    Object.assign(box.style, { width: `${design.width}px`, height: `${design.height}px` });
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
    document.getElementById('hint').hidden = false;
    button.hidden = !document.fullscreenEnabled;
    button.addEventListener('click', () => {
      button.blur(); // Space is the show's, not the button's
      ToWhole(true);
    });
    addEventListener('resize', Layout);
    document.addEventListener('fullscreenchange', Layout);
    matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener('change', Layout);
    document.addEventListener('visibilitychange', Awake);
    // The second press of a double click comes with a detail of 2.
    frame.addEventListener('mousedown', (event) => {
      const at = At(event);
      Act(_clickshow_press(at[0], at[1], event.button === 0, event.detail > 1 ? 2 : 1), event);
    });
    addEventListener('mouseup', (event) => {
      const at = At(event);
      Act(_clickshow_release(at[0], at[1], event.button === 0), event);
    });
    addEventListener('keydown', (event) => {
      const key = event.code === 'NumpadEnter' ? 2 : event.key in kKeys ? kKeys[event.key] : 7;
      const modifiers = (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) | (event.altKey ? 4 : 0) | (event.metaKey ? 8 : 0);
      Act(_clickshow_key(key, modifiers, event.repeat, event.timeStamp), event);
      Awake(); // a close ends the loop
    });
  }

  if (runtimeInitialized) Start();
  else Module.onRuntimeInitialized = Start;
})();
