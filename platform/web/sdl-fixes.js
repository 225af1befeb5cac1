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
});
