// sdl-fixes.js -- where the browser's SDL 1.2 falls short of the desktop's, put right for the engine.
mergeInto(LibraryManager.library, {
  // The browser's SDL ignores colour keys. Surfaces there are canvases, so a keyed surface
  // gets the key's pixels made clear once; blits then skip them as the desktop's do.
  SDL_SetColorKey__deps: ['$SDL'],
  SDL_SetColorKey: function(surf, flag, key) {
    var data = SDL.surfaces[surf];
    if (!data || !(flag & 0x00020000)) return 0;
    var w = data.width, h = data.height;
    if (!w || !h) return 0;
    var ctx = data.ctx;
    var image = ctx.getImageData(0, 0, w, h);
    var px = image.data;
    // The key as the surface's pixel value: bytes R G B in memory order on a 32-bit canvas surface.
    var r = key & 0xff, g = (key >> 8) & 0xff, b = (key >> 16) & 0xff;
    if (data.isFlagSet && data.isFlagSet(0x00200000 /* SDL_HWPALETTE */) && data.colors) {
      var c = data.colors[key & 0xff];
      if (c) { r = c[0]; g = c[1]; b = c[2]; }
    }
    for (var i = 0; i < px.length; i += 4)
      if (px[i] === r && px[i + 1] === g && px[i + 2] === b) px[i + 3] = 0;
    ctx.putImageData(image, 0, 0);
    return 0;
  },

  // The browser's SDL makes a line of text as tall as the point size, with the glyphs sitting on
  // its bottom edge. The desktop's is as tall as the font's ascent and descent, the baseline at
  // the ascent: measured here from the font itself, so lines stack at the desktop's spacing.
  $quorvaneFontBox__deps: ['$SDL'],
  $quorvaneFontBox: function(fontData) {
    if (fontData.box) return fontData.box;
    var ctx = SDL.ttfContext;
    ctx.font = SDL.makeFontString(fontData.size, fontData.name);
    var m = ctx.measureText('Hg');
    var ascent = Math.ceil(m.fontBoundingBoxAscent || fontData.size);
    var descent = Math.floor(m.fontBoundingBoxDescent || 0);
    // As the desktop's font library counts it: the ascent rounded up, the descent rounded
    // towards the baseline, and one row more for the baseline itself.
    // Only cached once the page has the font; a stand-in's box is measured again next time.
    var box = { ascent: ascent, height: Math.max(1, ascent + descent + 1) };
    if (document.fonts.check(ctx.font)) fontData.box = box;
    return box;
  },
  TTF_FontHeight__deps: ['$SDL', '$quorvaneFontBox'],
  TTF_FontHeight: function(font) { return quorvaneFontBox(SDL.fonts[font]).height; },
  TTF_FontLineSkip__deps: ['$SDL', '$quorvaneFontBox'],
  TTF_FontLineSkip: function(font) { return quorvaneFontBox(SDL.fonts[font]).height; },
  TTF_SizeText__deps: ['$SDL', '$quorvaneFontBox'],
  TTF_SizeText: function(font, text, w, h) {
    var fontData = SDL.fonts[font];
    if (w) HEAP32[w >> 2] = SDL.estimateTextWidth(fontData, UTF8ToString(text));
    if (h) HEAP32[h >> 2] = quorvaneFontBox(fontData).height;
    return 0;
  },
  TTF_SizeUTF8: 'TTF_SizeText',
  TTF_RenderText_Solid__deps: ['$SDL', '$quorvaneFontBox'],
  TTF_RenderText_Solid: function(font, text, color) {
    text = UTF8ToString(text) || ' ';
    // The last lines made, for the browser test to read what the game says.
    var made = Module['linesMade'] || (Module['linesMade'] = []);
    made.push(text);
    if (made.length > 100) made.shift();
    var fontData = SDL.fonts[font];
    var box = quorvaneFontBox(fontData);
    var w = SDL.estimateTextWidth(fontData, text);
    var surf = SDL.makeSurface(w, box.height, 0, false, 'text:' + text);
    var ctx = SDL.surfaces[surf].ctx;
    ctx.save();
    ctx.fillStyle = SDL.loadColorToCSSRGB(color);
    ctx.font = SDL.makeFontString(fontData.size, fontData.name);
    ctx.textBaseline = 'alphabetic';
    ctx.fillText(text, 0, box.ascent);
    ctx.restore();
    return surf;
  },
  TTF_RenderText_Blended: 'TTF_RenderText_Solid',
  TTF_RenderText_Shaded: 'TTF_RenderText_Solid',
  TTF_RenderUTF8_Solid: 'TTF_RenderText_Solid',

  // The screen is the page's canvas, drawn as it is unlocked: a flip only counts the frame,
  // for the page's frame-rate figure.
  SDL_Flip: function(surf) {
    Module['framesShown'] = (Module['framesShown'] || 0) + 1;
    return 0;
  },

  // The game's own work per frame, for the page's figures: the time between waking from one
  // delay and entering the next (a delay runs twice here, going to sleep and waking up).
  // The page may also wake the game before its time: see quorvaneCloseWindow.
  SDL_Delay__deps: ['$Asyncify', '$callUserCallback', '$quorvaneCloseWindow', '$quorvaneSoundWatch'],
  SDL_Delay: function(delay) {
    var waking = Asyncify.state === Asyncify.State.Rewinding;
    if (!waking && Module['awakeSince'] !== undefined)
      Module['workMs'] = (Module['workMs'] || 0) + performance.now() - Module['awakeSince'];
    Asyncify.handleSleep(function(wakeUp) {
      var woken = false;
      var wake = function() {
        if (woken) return;
        woken = true;
        Module['wakeGame'] = null;
        wakeUp();
      };
      Module['wakeGame'] = wake;
      // A plain timer: one that kept the runtime alive would, once the page had woken the
      // game itself, keep a quit that calls exit() from being heard as the end.
      setTimeout(function() { callUserCallback(wake); }, delay);
    });
    if (waking) Module['awakeSince'] = performance.now();
  },

  // Closing the tab is closing the window: the game gets the window's quit event. Once the
  // page is going, no timer of it runs again, so the game is woken at once, frame after
  // frame, until it has ended (or, in a screen that a quit only closes, for a bounded while).
  $quorvaneCloseWindow__deps: ['$SDL', '$callUserCallback'],
  $quorvaneCloseWindow__postset: "Module['closeWindow'] = quorvaneCloseWindow;",
  $quorvaneCloseWindow: function() {
    if (runtimeExited || ABORT) return;
    SDL.events.push({ type: 'unload' });
    for (var frames = 0; frames < 120 && Module['wakeGame'] && !runtimeExited && !ABORT; frames++)
      callUserCallback(Module['wakeGame']);
  },

  // What the browser's audio has done, for the browser test: its state (suspended until the
  // page gets its first key or click), and the sounds the game started on it and that ended.
  $quorvaneSoundWatch__deps: ['$SDL'],
  $quorvaneSoundWatch__postset: "quorvaneSoundWatch();",
  $quorvaneSoundWatch: function() {
    var counts = Module['sounds'] = { started: 0, ended: 0 };
    Module['audioState'] = function() { return SDL.audioContext ? SDL.audioContext.state : 'none'; };
    var play = SDL.playWebAudio;
    SDL.playWebAudio = function(audio) {
      var before = audio && audio.webAudioNode;
      play(audio);
      var node = audio && audio.webAudioNode;
      if (!node || node === before) return;
      counts.started++;
      var ended = node.onended;
      node.onended = function() {
        counts.ended++;
        if (ended) ended.apply(this, arguments);
      };
    };
  },

  // The window's title is the tab's.
  SDL_WM_SetCaption: function(title, icon) {
    if (title) document.title = UTF8ToString(title);
  },
});
