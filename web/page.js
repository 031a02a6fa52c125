// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The page around the show: it hands the player its input, puts on the
// canvas what each animation frame changed, and the captions over it where
// the player lays them out. The rules, the show, its pixels, the captions'
// layout, the loop's schedule and where the picture stands are the C++
// player's (webmain.cpp); the numbers of its actions and keys come from it.
//
// The address asks what the window's command line can: ?loop=SECONDS
// plays the show again each time its final picture has stood that long,
// and ?fullscreen takes the whole screen at the first click.

(function () {
  const frame = document.getElementById('frame');
  const picture = document.getElementById('picture');
  const context = picture.getContext('2d');
  const button = document.getElementById('whole');
  const utf8 = new TextDecoder();
  const asked = new URLSearchParams(location.search);
  let rules = null; // the rules' numbers, from the player
  let keys = {}; // a key's name, as the browser gives it, to the rules' number
  let laid = ''; // the device pixels the picture was last fitted to
  let ratio = devicePixelRatio; // device pixels to a CSS pixel, as last laid out
  let running = false;
  let timer = 0; // until the loop's next show
  let wholeAtFirst = asked.has('fullscreen');
  let lock = null; // the screen's wake lock, as it is asked for

  // A C string of the module's memory.
  function Text(at) {
    return utf8.decode(HEAPU8.subarray(at, HEAPU8.indexOf(0, at)));
  }

  // The shown captions, on their white boxes, each character where the
  // player puts it, on device pixels.
  function Captions() {
    const scale = _clickshow_fitted(0);
    context.fillStyle = '#000';
    context.textBaseline = 'alphabetic';
    rules.captions.forEach((box, label) => {
      if (!_clickshow_caption_shown(label)) return;
      const text = Text(_clickshow_caption(label));
      const at = _clickshow_caption_layout(label) >> 3;
      const [pixels, baseline] = [HEAPF64[at], HEAPF64[at + 1]];
      const [left, top] = [Math.floor(box.x * scale), Math.floor(box.y * scale)];
      const [right, bottom] = [Math.ceil((box.x + box.width) * scale), Math.ceil((box.y + box.height) * scale)];
      context.save();
      context.beginPath();
      context.rect(left, top, right - left, bottom - top);
      context.clip();
      context.fillStyle = '#fff';
      context.fillRect(left, top, right - left, bottom - top);
      context.fillStyle = '#000';
      context.font = `${pixels * scale}px ${rules.captionFamily}`;
      [...text].forEach((c, i) => context.fillText(c, Math.round(HEAPF64[at + 3 + i] * scale), Math.round(baseline * scale)));
      context.restore();
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
    if (what & 6) Captions(); // the pixels put may lie under a caption
    _clickshow_put();
  }

  // Everything the timeline has reached by this frame, and nothing later.
  function Frame(now) {
    Put(_clickshow_frame(now));
    running = !!_clickshow_playing(now);
    if (running) requestAnimationFrame(Frame);
    else Later();
  }

  // The loop's next show, when the player has it due.
  function Later() {
    clearTimeout(timer);
    if (_clickshow_due() >= 0) timer = setTimeout(Run, _clickshow_due() - performance.now());
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

  // What the rules say, done; what they leave (None) stays the browser's.
  function Act(action, event) {
    const { Play, LetGo, FullScreenOn, FullScreenOff } = rules.actions;
    if (action === FullScreenOn || action === FullScreenOff) {
      if (ToWhole(action === FullScreenOn)) event.preventDefault();
      return;
    }
    if (action === LetGo || action === Play) event.preventDefault();
    if (action === Play) {
      if (wholeAtFirst) ToWhole(true);
      wholeAtFirst = false;
      Run();
    }
  }

  // On a page, the design's size or, on a narrow one, as wide as the page;
  // on the whole screen, as the window's full screen. The canvas holds one
  // device pixel for each of its pixels, so outlines stay sharp.
  function Layout() {
    const whole = Whole();
    const now = devicePixelRatio;
    document.documentElement.classList.toggle('whole', whole);
    if (whole) Object.assign(frame.style, { width: '', height: '' });
    const width = whole ? frame.clientWidth : Math.min(document.documentElement.clientWidth, rules.width);
    const wanted = `${Math.round(width * now)} ${whole ? Math.round(frame.clientHeight * now) : 0} ${now}`;
    if (wanted === laid) return;
    const size = wanted.split(' ').map(Number);
    if (!_clickshow_layout(size[0], size[1])) return;
    laid = wanted;
    ratio = now;
    _clickshow_full_screen(whole);
    const fit = [0, 1, 2, 3, 4].map(_clickshow_fitted);
    const px = (device) => `${device / ratio}px`;
    picture.width = fit[3];
    picture.height = fit[4];
    Object.assign(picture.style, { left: px(fit[1]), top: px(fit[2]), width: px(fit[3]), height: px(fit[4]) });
    if (!whole) Object.assign(frame.style, { width: px(fit[3]), height: px(fit[4]) });
    Put(2);
  }

  // The device pixel ratio, watched at the ratio it now has: a media query
  // answers one change only, from the ratio it was made for.
  function WatchRatio() {
    matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener('change', () => {
      Layout();
      WatchRatio();
    }, { once: true });
  }

  // A point of the page as device pixels of the frame, as it was laid out.
  function At(event) {
    const rect = frame.getBoundingClientRect();
    return [(event.clientX - rect.left) * ratio, (event.clientY - rect.top) * ratio];
  }

  // The loop's seconds, read by the player's rules as the window reads
  // --loop: the text goes into the module's memory.
  function Loop(text) {
    const bytes = new TextEncoder().encode(text.slice(0, 60));
    const at = _clickshow_text(bytes.length);
    HEAPU8.set(bytes, at);
    return _clickshow_loop(at);
  }

  function Start() {
    rules = Object.assign(JSON.parse(Text(_clickshow_design())), JSON.parse(Text(_clickshow_rules())));
    const number = rules.keys;
    keys = { ' ': number.Space, Enter: number.Return, F11: number.F11, f: number.F11, F: number.F11,
             Escape: number.Escape, q: number.Q, Q: number.Q, w: number.W, W: number.W };
    // The window's background before the first click: the system's button face.
    const probe = document.createElement('div');
    probe.style.background = 'ButtonFace';
    document.body.append(probe);
    const face = getComputedStyle(probe).backgroundColor.match(/\d+/g).map(Number);
    probe.remove();
    _clickshow_start(face[0], face[1], face[2]);
    if (asked.has('loop')) Loop(asked.get('loop'));
    Layout();
    document.fonts.load(`${rules.captionPixels}px ${rules.captionFamily}`).then(() => Put(4));
    // A loop's first show once the picture is on the screen: a frame is,
    // as the next one begins.
    if (_clickshow_looping()) {
      requestAnimationFrame(() => requestAnimationFrame((now) => {
        _clickshow_painted(now);
        Later();
        Awake();
      }));
    }
    document.getElementById('hint').hidden = false;
    button.hidden = !document.fullscreenEnabled;
    button.addEventListener('click', () => {
      button.blur(); // Space is the show's, not the button's
      ToWhole(true);
    });
    addEventListener('resize', Layout);
    document.addEventListener('fullscreenchange', Layout);
    WatchRatio();
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
      const key = event.code === 'NumpadEnter' ? number.Return : event.key in keys ? keys[event.key] : number.Other;
      const held = rules.modifiers;
      const modifiers = (event.shiftKey ? held.Shift : 0) | (event.ctrlKey ? held.Control : 0)
        | (event.altKey ? held.Alt : 0) | (event.metaKey ? held.Meta : 0);
      Act(_clickshow_key(key, modifiers, event.repeat, event.timeStamp), event);
    });
  }

  if (runtimeInitialized) Start();
  else Module.onRuntimeInitialized = Start;
})();
