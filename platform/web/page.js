// page.js -- the page's side of the browser build: the save store in IndexedDB, the game's font,
// the keys the browser must leave to the game, and downloading or loading a save file.
'use strict';

var GAME_DIR = '/game';          // the game's working folder: data/, tutorial/, config.cfg, save/
var STORE_DIR = '/persist';      // mounted on IndexedDB; holds a copy of save/
var FONT_PATH = 'data/assets/font.ttf';
var SAVE_FILE_KIND = 'quorvane-save 1';

// What the page has done so far, read by the browser test.
var quorvaneState = { started: false, storedSaves: 0, storing: false, lastError: '', refused: '' };

function setStatus(text) {
  document.getElementById('status').textContent = text;
}

function isFolder(FS, path) {
  try { return FS.isDir(FS.lstat(path).mode); } catch (e) { return false; }
}

function removeTree(FS, path) {
  if (!isFolder(FS, path)) {
    try { FS.unlink(path); } catch (e) { /* already gone */ }
    return;
  }
  FS.readdir(path).forEach(function (name) {
    if (name !== '.' && name !== '..') removeTree(FS, path + '/' + name);
  });
  FS.rmdir(path);
}

// Copies the regular files and folders under `from` to `to`; links and anything else are left out.
function copyTree(FS, from, to) {
  FS.mkdir(to);
  FS.readdir(from).forEach(function (name) {
    if (name === '.' || name === '..') return;
    var src = from + '/' + name, dst = to + '/' + name;
    var mode = FS.lstat(src).mode;
    if (FS.isDir(mode)) copyTree(FS, src, dst);
    else if (FS.isFile(mode)) FS.writeFile(dst, FS.readFile(src));
  });
}

// Stores save/ in IndexedDB; calls that come while a store runs are folded into one more store.
var storeAgain = false;
var storeWaiters = [];   // called with true or false when the store under way (or the next) ends
function storeSaves() {
  var FS = Module.FS;
  if (quorvaneState.storing) { storeAgain = true; return; }
  quorvaneState.storing = true;
  removeTree(FS, STORE_DIR + '/save');
  if (isFolder(FS, GAME_DIR + '/save')) copyTree(FS, GAME_DIR + '/save', STORE_DIR + '/save');
  FS.syncfs(false, function (err) {
    quorvaneState.storing = false;
    if (err) {
      quorvaneState.lastError = 'The save could not be stored in the browser: ' + err;
      setStatus(quorvaneState.lastError);
    } else {
      quorvaneState.storedSaves++;
    }
    var waiters = storeWaiters;
    storeWaiters = [];
    if (storeAgain) { storeAgain = false; storeSaves(); }
    waiters.forEach(function (w) { w(!err); });
  });
}

// Stores save/ now and answers, once it is in IndexedDB, 1 (stored) or 0 (not). A store already
// under way began before this save was complete, so the answer waits for the one after it.
function quorvaneStoreSavesNow() {
  return new Promise(function (resolve) {
    if (storeTimer !== null) { clearTimeout(storeTimer); storeTimer = null; }
    var wait = function (ok) { resolve(ok ? 1 : 0); };
    if (quorvaneState.storing) {
      storeAgain = true;
      storeWaiters.push(function () { storeWaiters.push(wait); });
    } else {
      storeWaiters.push(wait);
      storeSaves();
    }
  });
}

var storeTimer = null;
function touchesSaves(path) {
  return typeof path === 'string' && path.indexOf(GAME_DIR + '/save') === 0;
}
// A write under save/ (or a rename or removal there) stores the folder once the game next yields.
function saveTouched(path) {
  if (!touchesSaves(path)) return;
  if (storeTimer === null)
    storeTimer = setTimeout(function () { storeTimer = null; storeSaves(); }, 0);
}

// Every close of a written file, rename and removal under save/ is seen: the file system's own calls are wrapped.
function watchSaves(FS) {
  var close = FS.close, rename = FS.rename, unlink = FS.unlink, rmdir = FS.rmdir;
  FS.close = function (stream) {
    // Only a file opened for writing has changed anything (the game opens folders to read them).
    var p = stream && (stream.flags & 3) ? stream.path : null;
    var r = close.apply(FS, arguments);
    saveTouched(p);
    if (p && /^\/game\/[^/]+\.bmp$/.test(p)) setTimeout(function () { offerScreenshot(p); }, 0);
    return r;
  };
  FS.rename = function (from, to) {
    var r = rename.apply(FS, arguments);
    saveTouched(from);
    saveTouched(to);
    return r;
  };
  FS.unlink = function (p) { var r = unlink.apply(FS, arguments); saveTouched(p); return r; };
  FS.rmdir = function (p) { var r = rmdir.apply(FS, arguments); saveTouched(p); return r; };
}

// Hands the browser a file to keep, under `name`.
function download(bytes, name, type) {
  var a = document.createElement('a');
  a.href = URL.createObjectURL(new Blob([bytes], { type: type }));
  a.download = name;
  document.body.appendChild(a);
  a.click();
  a.remove();
  setTimeout(function () { URL.revokeObjectURL(a.href); }, 10000);
}

// F3 writes a picture of the window into the game's folder; the page hands it on as a download.
function offerScreenshot(path) {
  var bytes;
  try { bytes = Module.FS.readFile(path); } catch (e) { return; }
  quorvaneState.screenshots = (quorvaneState.screenshots || 0) + 1;
  quorvaneState.lastScreenshotBytes = bytes.length;
  download(bytes, path.split('/').pop(), 'image/bmp');
}

// The save as one file: a first line naming the kind, then each file as its path, its length
// and its bytes, so that a damaged or foreign file is refused before anything is replaced.
function packSaves() {
  var FS = Module.FS, parts = [], root = GAME_DIR + '/save';
  (function walk(dir, rel) {
    FS.readdir(dir).sort().forEach(function (name) {
      if (name === '.' || name === '..') return;
      var mode = FS.lstat(dir + '/' + name).mode;
      var r = rel ? rel + '/' + name : name;
      if (FS.isDir(mode)) walk(dir + '/' + name, r);
      else if (FS.isFile(mode)) parts.push({ path: r, bytes: FS.readFile(dir + '/' + name) });
    });
  })(root, '');
  var head = SAVE_FILE_KIND + '\n' + parts.map(function (p) { return p.path + '\t' + p.bytes.length; }).join('\n') + '\n\n';
  var headBytes = new TextEncoder().encode(head);
  var out = new Uint8Array(headBytes.length + parts.reduce(function (n, p) { return n + p.bytes.length; }, 0));
  out.set(headBytes, 0);
  var at = headBytes.length;
  parts.forEach(function (p) { out.set(p.bytes, at); at += p.bytes.length; });
  return out;
}

// The files of a packed save, or a message saying why it is refused.
function unpackSaves(bytes) {
  var text = new TextDecoder('latin1').decode(bytes);
  var end = text.indexOf('\n\n');
  if (end < 0) return 'This is not a saved game of this game.';
  var lines = text.slice(0, end).split('\n');
  if (lines[0] !== SAVE_FILE_KIND) return 'This is not a saved game of this game.';
  var files = [], at = end + 2;
  for (var i = 1; i < lines.length; i++) {
    // A path of one or two plain names (no leading dot, so no "..") and a length.
    var m = /^((?:[A-Za-z0-9_-][A-Za-z0-9_.-]{0,63}\/)?[A-Za-z0-9_-][A-Za-z0-9_.-]{0,63})\t([0-9]{1,9})$/.exec(lines[i]);
    if (!m) return 'The saved game is damaged (an entry that cannot be read).';
    var n = parseInt(m[2], 10);
    if (at + n > bytes.length) return 'The saved game is damaged (it is cut short).';
    files.push({ path: m[1], bytes: bytes.slice(at, at + n) });
    at += n;
  }
  if (at !== bytes.length) return 'The saved game is damaged (it has bytes past its end).';
  if (!files.some(function (f) { return f.path === 'vars.sav'; })) return 'The saved game is damaged (no vars.sav).';
  return files;
}

// Puts a packed save in place of save/ and stores it; a refused file leaves everything as it was.
function loadSaveFile(bytes) {
  var files = unpackSaves(bytes);
  if (typeof files === 'string') { setStatus(files); return false; }
  var FS = Module.FS, root = GAME_DIR + '/save';
  removeTree(FS, root);
  ['', '/idef', '/npcdef', '/qdef'].forEach(function (d) { FS.mkdir(root + d); });
  files.forEach(function (f) {
    var slash = f.path.indexOf('/');
    if (slash > 0 && !isFolder(FS, root + '/' + f.path.slice(0, slash))) FS.mkdir(root + '/' + f.path.slice(0, slash));
    FS.writeFile(root + '/' + f.path, f.bytes);
  });
  storeSaves();
  setStatus('Save file loaded: choose Load Game on the menu.');
  return true;
}

// Before the game starts: the store brought back from IndexedDB into save/, the working folder.
function openStore() {
  var FS = Module.FS;
  Module.addRunDependency('save-store');
  FS.mkdir(STORE_DIR);
  FS.mount(Module.IDBFS || IDBFS, {}, STORE_DIR);
  FS.syncfs(true, function (err) {
    if (err) setStatus('Saved games are not kept in this browser: ' + err);
    try { FS.mkdir(GAME_DIR); } catch (e) { /* made by the package */ }
    if (isFolder(FS, STORE_DIR + '/save') && !isFolder(FS, GAME_DIR + '/save'))
      copyTree(FS, STORE_DIR + '/save', GAME_DIR + '/save');
    FS.chdir(GAME_DIR);
    watchSaves(FS);
    Module.removeRunDependency('save-store');
  });
}

// The browser's SDL takes a font's path as a CSS font family: the game's own font is
// registered under that name from the packed file before the first line is drawn.
function registerFont() {
  Module.addRunDependency('game-font');
  var tries = 0;
  (function attempt() {
    var bytes = null;
    try { bytes = Module.FS.readFile(GAME_DIR + '/' + FONT_PATH); } catch (e) { bytes = null; }
    if (!bytes) {
      if (++tries < 3000) { setTimeout(attempt, 10); return; }
      Module.removeRunDependency('game-font');
      return;
    }
    var face = new FontFace(FONT_PATH, bytes);
    face.load().then(function (loaded) { document.fonts.add(loaded); },
                     function () { setStatus('The game font could not be read; a stand-in is used.'); })
        .then(function () { Module.removeRunDependency('game-font'); });
  })();
}

// One tab at a time plays: every page of this site keeps its saves in the same store, and two
// games writing it would mix their saves. The first tab holds a lock (or, where the browser
// has no locks, a heartbeat in localStorage) for as long as its game runs; a second tab says
// so and does not start its game.
var ONE_TAB_LOCK = 'quorvane-save-store';
var TAB_BEAT_KEY = 'quorvane-playing', TAB_BEAT_MS = 1000;
var TAB_REFUSED = 'The game is already open in another tab of this browser, and both would keep ' +
                  'their saves in the same place. Close the other tab, then reload this one.';
var releaseTab = function () {};

function refuseTab() {
  quorvaneState.refused = TAB_REFUSED;
  setStatus(TAB_REFUSED);
  var c = Module.canvas, ctx = c.getContext('2d');
  ctx.fillStyle = '#000';
  ctx.fillRect(0, 0, c.width, c.height);
  ctx.fillStyle = '#d8d8d8';
  ctx.font = '16px sans-serif';
  ctx.textAlign = 'center';
  ['The game is already open in another tab.', 'Close that tab, then reload this one.'].forEach(function (line, i) {
    ctx.fillText(line, c.width / 2, c.height / 2 + i * 24);
  });
}

function claimTab() {
  Module.addRunDependency('one-tab');
  var granted = function () { Module.removeRunDependency('one-tab'); };
  if (navigator.locks) {
    navigator.locks.request(ONE_TAB_LOCK, { ifAvailable: true }, function (lock) {
      if (!lock) { refuseTab(); return null; }
      granted();
      return new Promise(function (release) { releaseTab = release; });
    });
    return;
  }
  var me = Math.random().toString(36).slice(2), beat = null;
  try { beat = JSON.parse(localStorage.getItem(TAB_BEAT_KEY) || 'null'); } catch (e) { beat = null; }
  if (beat && Date.now() - beat.at < 3 * TAB_BEAT_MS) { refuseTab(); return; }
  var write = function () {
    try { localStorage.setItem(TAB_BEAT_KEY, JSON.stringify({ tab: me, at: Date.now() })); } catch (e) { /* private mode */ }
  };
  write();
  var timer = setInterval(write, TAB_BEAT_MS);
  releaseTab = function () {
    clearInterval(timer);
    try { localStorage.removeItem(TAB_BEAT_KEY); } catch (e) { /* private mode */ }
  };
  granted();
}

// The keys the game uses that the browser would otherwise act on (help, find, scrolling).
var GAME_KEYS = ['F1', 'F2', 'F3', 'F5', 'F11', 'ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight',
                 ' ', 'Backspace', 'Tab', 'Escape', 'Enter'];
function keepKeysForGame(e) {
  if (GAME_KEYS.indexOf(e.key) >= 0) e.preventDefault();
}

var Module = {
  canvas: document.getElementById('canvas'),
  arguments: [],
  print: function (text) { console.log(text); },
  printErr: function (text) { console.warn(text); },
  preRun: [claimTab, openStore, registerFont],
  onRuntimeInitialized: function () {
    quorvaneState.started = true;
    setStatus('Click the game to play; sounds start after the first click.');
    Module.canvas.focus();
  },
  onExit: function (status) {
    quorvaneState.exitStatus = status;
    releaseTab();
    setStatus('The game has ended. Reload the page to play again.');
  },
  // The loader's progress lines, unless the tab has been refused (its message stays).
  setStatus: function (text) { if (text && !quorvaneState.refused) setStatus(text); },
};

// The tab closing (or the page reloading or being left) closes the game's window.
window.addEventListener('pagehide', function () {
  if (quorvaneState.started && Module.closeWindow) Module.closeWindow();
  releaseTab();
});
window.addEventListener('keydown', keepKeysForGame, true);
window.addEventListener('keyup', keepKeysForGame, true);
Module.canvas.addEventListener('click', function () { Module.canvas.focus(); });
document.getElementById('download-save').addEventListener('click', function () {
  if (!quorvaneState.started) return;
  download(packSaves(), 'quorvane.qsave', 'application/octet-stream');
});
document.getElementById('upload-save').addEventListener('change', function (e) {
  var file = e.target.files[0];
  e.target.value = '';
  if (!file || !quorvaneState.started) return;
  file.arrayBuffer().then(function (b) { loadSaveFile(new Uint8Array(b)); });
});
