// The web edition in headless chromium: the time from opening the page to its first plot (a fresh
// profile each time), and one slider step to the repainted plot (the step's handler, then the next
// frame, frame rate unlimited), manual and automatic; the window's slider step (bench_slider) from the same run beside it.
// Usage: node bench/web_bench.mjs SITE [BENCH_SLIDER]   (after scripts/web.sh and npm ci in tests/web)
import { execFileSync, spawn } from 'node:child_process';
import { mkdtempSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import puppeteer from '../tests/web/node_modules/puppeteer-core/lib/esm/puppeteer/puppeteer-core.js';

const [site, slider] = process.argv.slice(2).map((a) => resolve(a));
const opens = 10, steps = 300;
const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', site]);
process.on('exit', () => server.kill());
const port = await new Promise((ok) => server.stdout.on('data', (d) => { const m = /port (\d+)/.exec(d); if (m) ok(m[1]); }));
const median = (list) => list.sort((a, b) => a - b)[list.length >> 1];
const launch = () => puppeteer.launch({
  executablePath: '/usr/bin/chromium', headless: true, userDataDir: mkdtempSync(join(tmpdir(), 'kelvora-bench-')),
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--disable-gpu-vsync', '--disable-frame-rate-limit'] });

const firstplot = [];
for (let i = 0; i < opens; ++i) {
  const browser = await launch();
  const page = await browser.newPage();
  await page.goto(`http://127.0.0.1:${port}/index.html`);
  await page.waitForSelector('body[data-ready]');
  firstplot.push(await page.evaluate(() => performance.getEntriesByName('first-plot')[0].startTime));
  await browser.close();
}

const browser = await launch();
const page = await browser.newPage();
await page.setViewport({ width: 1200, height: 900, deviceScaleFactor: 1 });
await page.goto(`http://127.0.0.1:${port}/index.html`);
await page.waitForSelector('body[data-ready]');
const step = () => page.evaluate(async (n) => {
  const s = document.querySelector('input[aria-label="pHo slider"]'), times = [], work = [];
  for (let i = 0; i < n; ++i) {
    const t0 = performance.now();
    s.value = Number(s.value) + (i % 2 ? -1 : 1);
    s.dispatchEvent(new Event('input'));
    work.push(performance.now() - t0);
    await new Promise(requestAnimationFrame);
    times.push(performance.now() - t0);
  }
  const mid = (list) => list.sort((a, b) => a - b)[n >> 1];
  return [mid(work), mid(times)];
}, steps);
const manual = await step();
await page.click('#auto');
const automatic = await step();
await browser.close();

const desktop = {};
if (slider) {
  const out = JSON.parse(execFileSync(slider, ['--benchmark_format=json'], { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } }));
  for (const b of out.benchmarks) if (b.aggregate_name === 'median') desktop[b.run_name] = b.real_time / 1000;
}
console.log(`first plot after opening: median ${median(firstplot).toFixed(1)} ms of ${opens} fresh opens`);
for (const [name, [work, frame]] of Object.entries({ manual, automatic }))
  console.log(`slider step, ${name} limits: handler ${work.toFixed(2)} ms, to the next frame ${frame.toFixed(2)} ms (median of ${steps})`);
for (const [name, ms] of Object.entries(desktop)) console.log(`window ${name}: ${ms.toFixed(3)} ms`);
server.kill();
