// web-test.js -- plays the browser build in headless Chromium over the DevTools protocol: the menu,
// a new game past its intro, a walk, F1 into the browser's store, a reload, Load Game, the same place.
// Usage: node --experimental-websocket tests/web/web-test.js BUILD_WEB_FOLDER [SHOT.png]
'use strict';
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const { spawn } = require('child_process');

const OVERALL_MS = 180000;   // the whole run; past this it fails, whatever it waits on
const STEP_MS = 30000;       // one wait
const root = path.resolve(process.argv[2] || 'build-web');
const shotPath = process.argv[3] || '';
const started = Date.now();
let browser = null, server = null, profile = null;

function finish(code, message) {
  if (message) (code ? console.error : console.log)(message);
  if (browser) browser.kill('SIGKILL');
  if (server) server.close();
  // The browser's files go once it has gone (at most a second's wait).
  setTimeout(() => {
    try { if (profile) fs.rmSync(profile, { recursive: true, force: true }); } catch (e) { /* left in /tmp */ }
    process.exit(code);
  }, browser ? 1000 : 0);
}
setTimeout(() => finish(1, 'web test: FAILED, over the overall time limit'), OVERALL_MS).unref();

// The desktop build's frame of the test's own game ("webarena", made by scripts/web.sh test) just
// after its introduction: F3 in `quorvane --game webarena` with the shipped config.cfg.
const DESKTOP_FRAME = 'arena-desktop.png';
// Where that frame has text (the HUD's three lines): the browser draws text with its own rasteriser.
const TEXT_BOX = { x: 48, y: 0, w: 160, h: 64 };
const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.data': 'application/octet-stream', '.png': 'image/png' };
function serve() {
  return new Promise((resolve) => {
    server = http.createServer((req, res) => {
      const name = decodeURIComponent(req.url.split('?')[0]);
      const file = name === '/' + DESKTOP_FRAME ? path.join(__dirname, DESKTOP_FRAME)
                                                : path.join(root, name === '/' ? 'index.html' : name);
      if (!(file.startsWith(root + path.sep) || name === '/' + DESKTOP_FRAME) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
        res.writeHead(404);
        res.end();
        return;
      }
      res.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream' });
      fs.createReadStream(file).pipe(res);
    });
    server.listen(0, '127.0.0.1', () => resolve(server.address().port));
  });
}

function launch() {
  profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quorvane-web-'));
  browser = spawn('chromium', ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic',
    '--no-first-run', '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--window-size=900,760',
    '--remote-debugging-port=0', '--user-data-dir=' + profile, 'about:blank'],
    { stdio: ['ignore', 'ignore', 'pipe'] });
  return new Promise((resolve, reject) => {
    let text = '';
    browser.stderr.on('data', (d) => {
      text += d;
      const m = /DevTools listening on (ws:\S+)/.exec(text);
      if (m) resolve(m[1]);
    });
    browser.on('exit', () => reject(new Error('chromium exited: ' + text.slice(-500))));
  });
}

// A DevTools client on one page (the first, or the target named): send() answers with the
// command's result, evaluate() with an expression's value in the page.
async function attach(browserUrl, targetId) {
  const port = new URL(browserUrl).port;
  const list = await (await fetch('http://127.0.0.1:' + port + '/json/list')).json();
  const page = list.find((t) => t.type === 'page' && (!targetId || t.id === targetId));
  const ws = new WebSocket(page.webSocketDebuggerUrl);
  await new Promise((ok, bad) => { ws.onopen = ok; ws.onerror = () => bad(new Error('no DevTools socket')); });
  let next = 1;
  const waiting = new Map();
  const logs = [];
  ws.onmessage = (m) => {
    const msg = JSON.parse(m.data);
    if (msg.id && waiting.has(msg.id)) {
      const w = waiting.get(msg.id);
      waiting.delete(msg.id);
      if (msg.error) w.bad(new Error(JSON.stringify(msg.error)));
      else w.ok(msg.result);
    } else if (msg.method === 'Runtime.consoleAPICalled') {
      logs.push(msg.params.args.map((a) => a.value).join(' '));
    } else if (msg.method === 'Runtime.exceptionThrown') {
      logs.push('exception: ' + JSON.stringify(msg.params.exceptionDetails.exception || {}).slice(0, 300));
    }
  };
  const send = (method, params) => new Promise((ok, bad) => {
    const id = next++;
    waiting.set(id, { ok, bad });
    ws.send(JSON.stringify({ id, method, params: params || {} }));
  });
  const evaluate = async (expr) => {
    const r = await send('Runtime.evaluate', { expression: expr, returnByValue: true, awaitPromise: true });
    if (r.exceptionDetails) throw new Error('page: ' + JSON.stringify(r.exceptionDetails).slice(0, 300));
    return r.result.value;
  };
  return { send, evaluate, logs, close: () => ws.close() };
}

// Processor time (s) used so far by the browser and every process under it.
function browserCpuSeconds() {
  const procs = new Map();
  for (const pid of fs.readdirSync('/proc').filter((n) => /^[0-9]+$/.test(n))) {
    try {
      const f = fs.readFileSync('/proc/' + pid + '/stat', 'utf8').split(') ')[1].split(' ');
      procs.set(Number(pid), { ppid: Number(f[1]), ticks: Number(f[11]) + Number(f[12]) });
    } catch (e) { /* gone meanwhile */ }
  }
  let total = 0;
  const under = (pid) => {
    total += procs.get(pid) ? procs.get(pid).ticks : 0;
    for (const [child, p] of procs) if (p.ppid === pid) under(child);
  };
  under(browser.pid);
  return total / 100;
}

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

async function main() {
  const port = await serve();
  const url = 'http://127.0.0.1:' + port + '/';
  const browserUrl = await launch();
  const cdp = await attach(browserUrl);
  const { send, evaluate } = cdp;
  await send('Runtime.enable');
  await send('Page.enable');

  const waitFor = async (what, expr, tab) => {
    const until = Date.now() + STEP_MS;
    while (Date.now() < until) {
      if (await (tab || cdp).evaluate(expr)) return;
      await sleep(100);
    }
    throw new Error('waited too long for ' + what + ' (page: ' + JSON.stringify(await evaluate('typeof quorvaneState === "undefined" ? null : quorvaneState')) + ')\n' + cdp.logs.slice(-15).join('\n'));
  };
  const KEYS = { Space: [' ', 'Space', 32], F3: ['F3', 'F3', 114], Return: ['Enter', 'Enter', 13], Escape: ['Escape', 'Escape', 27], F1: ['F1', 'F1', 112],
                 Down: ['ArrowDown', 'ArrowDown', 40], Up: ['ArrowUp', 'ArrowUp', 38],
                 Left: ['ArrowLeft', 'ArrowLeft', 37], Right: ['ArrowRight', 'ArrowRight', 39] };
  for (const c of 'abcdefghijklmnopqrstuvwxyz') KEYS[c] = [c, 'Key' + c.toUpperCase(), c.toUpperCase().charCodeAt(0)];
  const key = async (name, holdMs) => {
    const [k, code, vk] = KEYS[name];
    const base = { key: k, code, windowsVirtualKeyCode: vk, nativeVirtualKeyCode: vk };
    await send('Input.dispatchKeyEvent', Object.assign({ type: 'rawKeyDown' }, base));
    await sleep(holdMs || 120);
    await send('Input.dispatchKeyEvent', Object.assign({ type: 'keyUp' }, base));
    await sleep(250);
  };
  // The player's record in the save folder: the character file whose 14th line is "Plyr".
  const playerRecord = () => evaluate(`(function () {
    var FS = Module.FS, dir = '/game/save/npcdef';
    var names = FS.readdir(dir).filter(function (n) { return /\\.def$/.test(n); });
    for (var i = 0; i < names.length; i++) {
      var text = FS.readFile(dir + '/' + names[i], { encoding: 'utf8' });
      if (text.split('\\n')[13] === 'Plyr') return names[i] + '\\n' + text;
    }
    return '';
  })()`);
  // Some pixels of the canvas that are not black: the game has drawn a frame.
  const drawn = `(function () {
    var c = document.getElementById('canvas'), d = document.createElement('canvas');
    d.width = c.width; d.height = c.height;
    var x = d.getContext('2d'); x.drawImage(c, 0, 0);
    var p = x.getImageData(0, 0, d.width, d.height).data, lit = 0;
    for (var i = 0; i < p.length; i += 4) if (p[i] + p[i + 1] + p[i + 2] > 60) lit++;
    return lit > 500;
  })()`;

  // The canvas as the player sees it, as a PNG.
  const saveCanvasShot = async (file) => {
    const r = await evaluate('(function () { var b = document.getElementById("canvas").getBoundingClientRect(); return [b.x, b.y, b.width, b.height]; })()');
    const shot = await send('Page.captureScreenshot',
      { format: 'png', clip: { x: r[0], y: r[1], width: r[2], height: r[3], scale: 1 } });
    fs.writeFileSync(file, Buffer.from(shot.data, 'base64'));
  };

  const t0 = Date.now();
  await send('Page.navigate', { url });
  await waitFor('the game to start', 'typeof quorvaneState !== "undefined" && quorvaneState.started');
  await waitFor('the menu', drawn);
  const title = await evaluate('document.title');
  if (!/^Quorvane /.test(title)) throw new Error('the tab is not titled as the window: ' + title);
  console.log('web test: menu drawn ' + (Date.now() - t0) + ' ms after the page was asked for');
  await send('Runtime.evaluate', { expression: 'document.getElementById("canvas").focus()' });
  if (shotPath) await saveCanvasShot(shotPath.replace(/\.png$/, '') + '-menu.png');
  // The browser holds sound back until the page gets a key or a click.
  const audioAtFirst = await evaluate('Module.audioState()');
  if (audioAtFirst !== 'suspended') throw new Error('the game\'s audio before any input is ' + audioAtFirst);

  // A second tab of the same page would keep its saves in the same store: it is refused.
  const { targetId } = await send('Target.createTarget', { url });
  const tab2 = await attach(browserUrl, targetId);
  await waitFor('the second tab to be refused', 'typeof quorvaneState !== "undefined" && quorvaneState.refused !== ""', tab2);
  const second = await tab2.evaluate('[quorvaneState.started, document.getElementById("status").textContent]');
  if (second[0] || !/already open in another tab/.test(second[1]))
    throw new Error('the second tab was not refused: ' + JSON.stringify(second));
  tab2.close();
  await send('Target.closeTarget', { targetId });
  await send('Page.bringToFront');

  await key('Return');             // New Game
  await sleep(800);
  await key('Return');             // past the intro
  await sleep(800);
  await key('Right', 600);         // a walk
  await key('Down', 600);
  // The game's frames a second on the map, over two seconds.
  const cpuBefore = browserCpuSeconds(), wallBefore = Date.now();
  // And the game's own work in each (the browser's drawing and compositing of the canvas aside).
  const [fps, workMs] = await evaluate(`new Promise(function (done) {
    var n = Module.framesShown, t = performance.now(), w = Module.workMs;
    setTimeout(function () {
      var frames = Module.framesShown - n;
      done([Math.round(frames * 1000 / (performance.now() - t)), (Module.workMs - w) / frames]);
    }, 2000);
  })`);
  const cpu = Math.round(100 * (browserCpuSeconds() - cpuBefore) / ((Date.now() - wallBefore) / 1000));
  const stored = await evaluate('quorvaneState.storedSaves');
  await key('F1');                 // save
  await waitFor('the save to be stored', 'quorvaneState.storedSaves > ' + stored + ' && !quorvaneState.storing');
  const saved = await playerRecord();
  if (!saved) throw new Error('no player record in the save after F1');
  // The save as a file and back; a damaged one is refused and changes nothing.
  const roundTrip = await evaluate(`[loadSaveFile(packSaves().slice(0, -3)), loadSaveFile(packSaves())]`);
  if (roundTrip[0] !== false || roundTrip[1] !== true || (await playerRecord()) !== saved)
    throw new Error('the save file did not go out and come back as it was: ' + JSON.stringify(roundTrip));
  await waitFor('the loaded save file to be stored', '!quorvaneState.storing');
  await key('F3');
  await waitFor('F3 to give a picture', 'quorvaneState.lastScreenshotBytes > 800 * 600 * 3');
  const bmp = await evaluate(`(function () {
    var b = Module.FS.readFile('/game/sshot.bmp'), v = new DataView(b.buffer, b.byteOffset);
    return [String.fromCharCode(b[0], b[1]), v.getUint32(2, true) === b.length, v.getInt32(18, true), v.getInt32(22, true)];
  })()`);
  if (JSON.stringify(bmp) !== JSON.stringify(['BM', true, 800, 600])) throw new Error('F3 gave no 800 by 600 BMP: ' + bmp);
  if (shotPath) await saveCanvasShot(shotPath);

  await send('Page.reload', { ignoreCache: false });
  await sleep(300);
  await waitFor('the game to start again', 'typeof quorvaneState !== "undefined" && quorvaneState.started');
  await waitFor('the menu again', drawn);
  await send('Runtime.evaluate', { expression: 'document.getElementById("canvas").focus()' });
  if ((await playerRecord()) !== saved) throw new Error('the stored save did not come back after the reload');
  await key('Down');
  await key('Down');
  await key('Return');             // Load Game
  await sleep(800);
  const before = await evaluate('quorvaneState.storedSaves');
  await key('F1');
  await waitFor('the second save to be stored', 'quorvaneState.storedSaves > ' + before + ' && !quorvaneState.storing');
  const again = await playerRecord();
  if (again !== saved)
    throw new Error('Load Game did not bring back the saved place:\n' + saved + '\n---\n' + again);
  // The tutorial starts from a fresh page.
  await send('Page.reload', { ignoreCache: false });
  await sleep(300);
  await waitFor('the menu for the tutorial', 'typeof quorvaneState !== "undefined" && quorvaneState.started && ' + drawn);
  const mapsLoaded = () => cdp.logs.filter((l) => l.indexOf('map loaded') >= 0).length;
  const loadedBefore = mapsLoaded();
  await send('Runtime.evaluate', { expression: 'document.getElementById("canvas").focus()' });
  await key('Down');
  await key('Return');
  const until = Date.now() + STEP_MS;
  while (mapsLoaded() === loadedBefore && Date.now() < until) await sleep(100);
  if (mapsLoaded() === loadedBefore) throw new Error('the tutorial did not start\n' + cdp.logs.slice(-15).join('\n'));
  await key('Return');             // past its intro
  if (!(await evaluate(drawn))) throw new Error('the tutorial shows nothing');
  // The test's own game, from a fresh page: its first map frame against the desktop's, a talk,
  // then a walk east until the wolf pup starts a fight, fought to its end.
  await send('Page.reload', { ignoreCache: false });
  await sleep(300);
  await waitFor('the menu for the arena', 'typeof quorvaneState !== "undefined" && quorvaneState.started && ' + drawn);
  await send('Runtime.evaluate', { expression: 'document.getElementById("canvas").focus()' });
  const said = (text) => 'Module.linesMade && Module.linesMade.some(function (l) { return l.indexOf(' + JSON.stringify(text) + ') >= 0; })';
  await key('Up');
  await key('Up');
  await key('Return');             // Launch Custom Game...
  for (const c of 'webarena') await key(c, 40);
  await key('Return');
  await waitFor('the arena\'s introduction', said('A field, a guide'));
  await key('Return');
  await sleep(700);
  const frame = await evaluate(`new Promise(function (done) {
    var shown = document.getElementById('canvas'), w = shown.width, h = shown.height;
    var grab = function (source) {
      var c = document.createElement('canvas');
      c.width = w; c.height = h;
      var x = c.getContext('2d');
      x.drawImage(source, 0, 0);
      return x.getImageData(0, 0, w, h).data;
    };
    var mine = grab(shown), picture = new Image();
    picture.onload = function () {
      var theirs = grab(picture), box = ${JSON.stringify(TEXT_BOX)}, out = 0, inText = 0, worst = 0, where = null;
      var dark = function (p, i) { return p[4 * i] + p[4 * i + 1] + p[4 * i + 2] < 40; }, ringMine = 0, ringTheirs = 0;
      for (var i = 0; i < w * h; i++) {
        var bx = i % w, by = (i - bx) / w;
        if (bx >= box.x && bx < box.x + box.w && by >= box.y && by < box.y + box.h) {
          if (dark(mine, i)) ringMine++;
          if (dark(theirs, i)) ringTheirs++;
        }
        var d = Math.max(Math.abs(mine[4 * i] - theirs[4 * i]), Math.abs(mine[4 * i + 1] - theirs[4 * i + 1]),
                         Math.abs(mine[4 * i + 2] - theirs[4 * i + 2]));
        if (!d) continue;
        var x = i % w, y = (i - x) / w;
        if (x >= box.x && x < box.x + box.w && y >= box.y && y < box.y + box.h) inText++;
        else {
          out++;
          worst = Math.max(worst, d);
          where = where ? [Math.min(where[0], x), Math.min(where[1], y), Math.max(where[2], x), Math.max(where[3], y)] : [x, y, x, y];
        }
      }
      done({ outside: out, worstOutside: worst, outsideWithin: where, inText: inText, textPixels: box.w * box.h,
             ringMine: ringMine, ringTheirs: ringTheirs });
    };
    picture.onerror = function () { done(null); };
    picture.src = '/${DESKTOP_FRAME}';
  })`);
  if (!frame) throw new Error('the desktop frame ' + DESKTOP_FRAME + ' could not be read');
  if (shotPath) await saveCanvasShot(shotPath.replace(/\.png$/, '') + '-arena.png');
  // Outside the text only the soft edges of the characters' pictures may differ, by one step of
  // a colour (the canvas blends alpha with its own rounding); the text is drawn by another
  // rasteriser, with the dark ring of "readabletext" round it as on the desktop.
  if (frame.worstOutside > 1 || frame.outside > 400 || frame.inText > frame.textPixels * 0.35 ||
      frame.ringMine < frame.ringTheirs / 2)
    throw new Error('the arena frame differs from the desktop\'s: ' + JSON.stringify(frame));
  await key('Return');             // talk to the guide
  await waitFor('the guide\'s line', said('Well met. The pup is east of here.'));
  // The talk's sound went through the browser's audio and played to its end.
  await waitFor('the talk\'s sound to play', 'Module.audioState() === "running" && Module.sounds.ended > 0');
  for (let i = 0; i < 20 && !(await evaluate(said('Wolf pup'))); i++) await key('Right', 400);
  await waitFor('the fight with the wolf pup', said('Wolf pup'));
  for (let i = 0; i < 40 && !(await evaluate(said('You won the fight'))); i++) {
    await key('z');                // a blow when it is beside the player, else nothing
    await key('Space');            // else wait for it to come
  }
  await waitFor('the fight to be won', said('You won the fight'));
  await key('Return');
  const storedArena = await evaluate('quorvaneState.storedSaves');
  await key('F1');
  await waitFor('the arena save to be stored', 'quorvaneState.storedSaves > ' + storedArena + ' && !quorvaneState.storing');
  const hero = (await playerRecord()).split('\n');
  const pupLeft = await evaluate(`Module.FS.readdir('/game/save/npcdef').some(function (n) {
    return /\\.def$/.test(n) && Module.FS.readFile('/game/save/npcdef/' + n, { encoding: 'utf8' }).indexOf('Wolf pup') >= 0;
  })`);
  // The record's lines from the file name on: experience is the 8th, money the 21st.
  if (pupLeft || hero[7] !== '1' || hero[20] !== '90')
    throw new Error('the won fight is not in the save: ' + JSON.stringify({ pupLeft, hero }));

  const sounds = await evaluate('Module.sounds');
  console.log('web test: audio suspended until the first key, then running; ' + sounds.started +
              ' sounds started in the arena, ' + sounds.ended + ' played to their end');

  // Closing the tab closes the window: the game's quit path runs to its end before the page goes.
  const exitStatus = await evaluate(`window.dispatchEvent(new PageTransitionEvent('pagehide')), quorvaneState.exitStatus`);
  if (exitStatus !== 0) throw new Error('closing the tab did not end the game: ' + exitStatus + '\n' + cdp.logs.slice(-10).join('\n'));

  console.log('web test: the arena frame against the desktop\'s: ' + frame.outside + ' pixels differ outside the text (by ' +
              frame.worstOutside + ' at most, within ' + frame.outsideWithin + '), ' + frame.inText + ' of ' + frame.textPixels + ' within it; ' +
              frame.ringMine + ' dark ring pixels against ' + frame.ringTheirs);
  return 'web test: passed in ' + ((Date.now() - started) / 1000).toFixed(1) + ' s (' + fps +
         ' frames a second on the map, the game working ' + workMs.toFixed(2) + ' ms a frame, the browser using ' +
         cpu + ' % of a core)';
}

main().then((m) => finish(0, m), (e) => finish(1, 'web test: FAILED: ' + (e && e.stack || e)));
