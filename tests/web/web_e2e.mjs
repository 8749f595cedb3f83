// The web edition in headless chromium against the desktop's tools: tables, a typed value, a hostile
// settings file, the address round trip, the PNG's zones and no request to another host.
// Usage: node web_e2e.mjs SITE KELVORA_EXPORT SETTINGSTEXT
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import puppeteer from 'puppeteer-core';

const [site, exporter, settingstext] = process.argv.slice(2).map((a) => resolve(a));
const work = mkdtempSync(join(tmpdir(), 'kelvora-web-'));
const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', site]);
process.on('exit', () => server.kill());
const port = await new Promise((ok) => server.stdout.on('data', (d) => { const m = /port (\d+)/.exec(d); if (m) ok(m[1]); }));
const origin = `http://127.0.0.1:${port}`;
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', headless: true, userDataDir: join(work, 'profile'),
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'] });
await browser.defaultBrowserContext().overridePermissions(origin, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
const foreign = [];
let dialogs = 0;

async function open(url) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1200, height: 1400, deviceScaleFactor: 1 });
  page.on('request', (r) => { if (!/^(blob:|data:)/.test(r.url()) && !r.url().startsWith(origin)) foreign.push(r.url()); });
  page.on('dialog', (d) => { ++dialogs; d.dismiss(); });
  await page.goto(url);
  await page.waitForSelector('body[data-ready]');
  return page;
}
// Waits for the browser to report the download done (a loaded machine may take seconds) and reads it
// under the name the browser gave it, after checking the name the page asked for.
const downloads = await browser.target().createCDPSession();
await downloads.send('Browser.setDownloadBehavior', { behavior: 'allowAndName', downloadPath: work, eventsEnabled: true });
async function download(page, button, name) {
  const done = new Promise((ok, fail) => {
    let asked;
    const timer = setTimeout(() => fail(new Error(`${name}: not downloaded within a minute`)), 60000);
    const begun = (e) => { asked = e.suggestedFilename; };
    const progress = (e) => {
      if (e.state === 'inProgress') return;
      clearTimeout(timer);
      downloads.off('Browser.downloadWillBegin', begun).off('Browser.downloadProgress', progress);
      if (e.state !== 'completed') fail(new Error(`${name}: download ${e.state}`));
      else if (asked !== name) fail(new Error(`downloaded ${asked}, not ${name}`));
      else ok(join(work, e.guid));
    };
    downloads.on('Browser.downloadWillBegin', begun).on('Browser.downloadProgress', progress);
  });
  await page.click(button);
  return readFileSync(await done);
}
const copytable = async (page) => { await page.click('#copy'); return page.evaluate(() => navigator.clipboard.readText()); };
const desktop = (config, ...args) => execFileSync(exporter, [...args, '--config', config], { cwd: work, maxBuffer: 1 << 26 });

// Every field alike; numbers within 1e-12 relative, as two toolchains' maths libraries may differ.
function sametable(web, config) {
  const want = desktop(config, 'table').toString().split(/\t|\r\n/), got = web.split(/\t|\r\n/);
  assert.equal(got.length, want.length);
  got.forEach((g, i) => {
    const a = Number(g), b = Number(want[i]);
    if (g === '' || Number.isNaN(a)) assert.equal(g, want[i]);
    else assert.ok(Math.abs(a - b) <= 1e-12 * Math.abs(b), `${g} vs ${want[i]}`);
  });
}

// A hostile address leaves the defaults and injects nothing.
const page = await open(`${origin}/index.html#s=%3Cimg%20src=x%20onerror=alert(1)%3E&a=%3Cb%3E&d=%22`);
sametable(await copytable(page), join(work, 'none.ini'));

// A moved slider and a typed value out of range, which is clamped and marked red.
await page.focus('input[aria-label="pHo slider"]');
for (let i = 0; i < 5; ++i) await page.keyboard.press('ArrowRight');
await page.click('input[aria-label="Pin value"]', { count: 3 });
await page.keyboard.type('1e9\n');
assert.ok(await page.$eval('input[aria-label="Pin value"]', (b) => b.classList.contains('red')));
const moved = join(work, 'moved.ini');
writeFileSync(moved, await download(page, '#save', 'Kelvora.ini'));
assert.notEqual(readFileSync(moved).toString(), execFileSync(settingstext, [join(work, 'none.ini')]).toString());
const movedtable = await copytable(page);
sametable(movedtable, moved);

// Without the clipboard API (a page over plain http from another host) the table is copied all the same.
await page.evaluate(async () => { await navigator.clipboard.writeText(''); navigator.clipboard.writeText = () => Promise.reject(new Error()); });
assert.equal(await copytable(page), movedtable);

// The crossing point is the one the desktop's sweep finds for the same state.
const swept = desktop(moved, 'sweep', '--param', 'T', '--from', '37', '--to', '37', '--steps', '1').toString().split('\r\n')[1].split('\t').map(Number);
const [mv, y] = (await page.$eval('#crossing', (o) => o.textContent)).match(/-?\d[\d.]*(E[-+]\d+)?/g).map(Number);
assert.ok(Math.abs(mv - swept[2]) <= 1e-12 * Math.abs(swept[2]) && Math.abs(y - swept[1]) <= 1e-12 * swept[1], `${mv} ${y} vs ${swept}`);

// The address reopens exactly that state.
await page.waitForSelector('body[data-address=current]');
const again = await open(page.url());
assert.equal(await copytable(again), movedtable);

// A hostile settings file gets the desktop's repairs, and its texts stay text.
const hostile = join(work, 'hostile.ini');
writeFileSync(hostile, ['<img src=x onerror=alert(1)>', '1e999', '-1e999', 'NaN', '&HFFFFFFFFFFFFFFFF', '<script>alert(2)</script>',
  '', '7,2', '1', '0', ...Array(50).fill('-3.5e-300'), '1e308', '\u0000\r\r\n', '-5', '-1', '20'].join('\r\n'));
await page.bringToFront();
await (await page.$('#open')).uploadFile(hostile);
await page.waitForFunction(() => !document.querySelector('#open').files.length);
assert.equal((await download(page, '#save', 'Kelvora.ini')).toString(), execFileSync(settingstext, [hostile]).toString());
sametable(await copytable(page), hostile);
assert.equal(await page.$$eval('script, img', (e) => e.length), 1);

// A file the browser cannot read (here a folder) is reported, and the state stays.
await (await page.$('#open')).uploadFile(work);
await page.waitForFunction(() => document.querySelector('#status').textContent.endsWith('not read: the browser could not read it'));
assert.equal((await download(page, '#save', 'Kelvora.ini')).toString(), execFileSync(settingstext, [hostile]).toString());

// The downloaded picture's zones are the desktop's pixel for pixel, away from the curves and the text.
const png = join(work, 'desktop.png');
desktop(moved, 'png', png);
await again.bringToFront();
const web = await download(again, '#png', 'kelvora.png');
const [compared, differ] = await again.evaluate(async (a, b) => {
  const pixels = async (b64) => {
    const bitmap = await createImageBitmap(new Blob([Uint8Array.from(atob(b64), (c) => c.charCodeAt(0))]), { colorSpaceConversion: 'none' });
    const c = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
    c.drawImage(bitmap, 0, 0);
    return c.getImageData(0, 0, bitmap.width, bitmap.height);
  };
  const [x, y] = [await pixels(a), await pixels(b)];
  const zones = new Set([0xbfc000, 0x7c0201, 0xfa8301, 0x808080]);
  const zone = (img, i, j) => zones.has((img.data[(j * img.width + i) * 4] << 16) | (img.data[(j * img.width + i) * 4 + 1] << 8) | img.data[(j * img.width + i) * 4 + 2]);
  const near = [-2, -1, 0, 1, 2];
  let n = 0, bad = 0;
  for (let j = 2; j < x.height - 2; ++j) for (let i = 2; i < x.width - 2; ++i) {
    if (!near.every((dj) => near.every((di) => zone(x, i + di, j + dj) && zone(y, i + di, j + dj)))) continue;
    ++n;
    const k = (j * x.width + i) * 4;
    if (x.data[k] !== y.data[k] || x.data[k + 1] !== y.data[k + 1] || x.data[k + 2] !== y.data[k + 2]) ++bad;
  }
  return [n, bad];
}, web.toString('base64'), readFileSync(png).toString('base64'));
assert.ok(compared > 0.8 * (551 - 90) * (305 - 35), `${compared} pixels compared`);
assert.equal(differ, 0);

// The SVG download opens as a picture. Its labels state their baselines, which every viewer reads alike,
// and none lies on a tick or outside the picture.
const drawing = (await download(again, '#svg', 'kelvora.svg')).toString();
assert.ok(!drawing.includes('dominant-baseline'));
const placed = await again.evaluate((text) => {
  const svg = document.body.appendChild(document.importNode(new DOMParser().parseFromString(text, 'image/svg+xml').documentElement, true));
  const box = (e) => e.getBoundingClientRect(), frame = box(svg), ticks = [...svg.querySelectorAll('rect[fill="#000000"]')].map(box);
  const meet = (a, b) => a.left < b.right - 0.5 && b.left < a.right - 0.5 && a.top < b.bottom - 0.5 && b.top < a.bottom - 0.5;
  return [...svg.querySelectorAll('text')].map(box).map((b) => b.top >= frame.top && b.bottom <= frame.bottom && !ticks.some((k) => meet(b, k)));
}, drawing);
assert.ok(placed.length > 10 && placed.every(Boolean), `${placed}`);

// Another y axis, a panned plot and a typed limit (Enter sets it) come back from the address digit for digit.
await page.bringToFront();
await page.select('#yaxis', '17');
const box = await page.$eval('#plot', (e) => { const r = e.getBoundingClientRect(); return [r.x + 200, r.y + 100]; });
await page.mouse.move(...box); await page.mouse.down(); await page.mouse.move(box[0] + 37, box[1] + 11); await page.mouse.up();
await page.click('#ymin', { count: 3 }); await page.keyboard.type('0.271828\n');
await page.waitForSelector('body[data-address=current]');
const limits = (p) => p.$$eval('#ymin, #ymax, #xmin, #xmax', (e) => e.map((b) => b.value));
// A phone's keyboard for the x limits has a minus sign: they are negative potentials.
assert.deepEqual(await page.$$eval('#xmin, #xmax', (e) => e.map((b) => b.inputMode)), ['text', 'text']);
const pannedtable = await copytable(page);
const third = await open(page.url());
assert.deepEqual(await limits(third), await limits(page));
assert.equal((await limits(third))[0], '0.271828');
assert.ok(await third.$eval('input[aria-label="T value"]', (b) => b.closest('tr').hidden));
assert.equal(await copytable(third), pannedtable);

// Neither a phone nor a window too narrow for the side-by-side layout needs a sideways scroll. A new
// plot size forgets the pin, and so its readout.
await third.mouse.click(...box);
assert.ok(await third.$eval('#readx', (b) => !b.disabled));
for (const width of [390, 900]) {
  await third.setViewport({ width, height: 844 }); await third.waitForFunction(() => document.documentElement.scrollWidth <= document.documentElement.clientWidth);
  assert.equal(await third.$eval('#readx', (b) => b.value), '');
}

// A screen of twice the density at the same size gets a plot of twice the pixels.
await third.setViewport({ width: 1200, height: 1400, deviceScaleFactor: 2 });
await third.screenshot({ captureBeyondViewport: false }); // headless renders, and so notices the density, only when asked
await third.waitForFunction(() => document.querySelector('#plot').width === 2 * document.querySelector('#plot').clientWidth);

// By touch, the second finger is the other button's: two fingers tapped twice zoom out by the window's step.
await third.setViewport({ width: 1200, height: 1400, hasTouch: true, isMobile: true });
await third.waitForSelector('body[data-ready]');
const span = async () => { const [a, b] = (await limits(third)).slice(2).map(Number); return b - a; };
const before = await span(), tap = async () => {
  const one = await third.touchscreen.touchStart(...box), two = await third.touchscreen.touchStart(box[0] + 50, box[1] + 30);
  await two.end(); await one.end(); };
await tap(); await tap();
assert.ok(Math.abs(await span() / before - Math.SQRT2) < 1e-9, `${await span()} after ${before}`);

// A touch the browser cancels ends its drag: the mouse then moving over the plot does not pan it.
// The pause is a lower bound, past the page's double-tap time, so that this touch is a drag, not a tap.
await new Promise((ok) => setTimeout(ok, 1000));
const touch = await third.createCDPSession(), unpanned = await limits(third);
const finger = (type, ...at) => touch.send('Input.dispatchTouchEvent', { type, touchPoints: at.length ? [{ x: at[0], y: at[1] }] : [] });
await finger('touchStart', ...box); await finger('touchMove', box[0] + 20, box[1]); await finger('touchCancel');
const held = await limits(third); assert.notDeepEqual(held, unpanned);
await third.mouse.move(box[0] + 60, box[1] + 30);
assert.deepEqual(await limits(third), held);

assert.deepEqual(foreign, []);
assert.equal(dialogs, 0);
await browser.close();
server.kill(); // the server's open pipe would keep node running
console.log(`web_e2e: passed (${compared} zone pixels compared)`);
