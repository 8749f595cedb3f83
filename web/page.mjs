// The page: shows what the session hands back and passes the user's actions to it. Every rule lives in
// the C++ core; texts from the core or a settings file go in as text, never as markup.
import createKelvora from './kelvora.mjs';

const $ = (id) => document.getElementById(id);
const doubletap = 300, hashlimit = 1 << 20, filelimit = 64 << 20;
const measurer = new OffscreenCanvas(1, 1).getContext('2d');
const measureText = (text, height) => {
  const m = measurer.measureText(text);
  return height ? m.fontBoundingBoxAscent + m.fontBoundingBoxDescent : m.width;
};
const K = await createKelvora({ measureText });
const font = (px) => `${px}px ${K.labelfamily}`;
measurer.font = font(K.labelpixels);
const sep = (1.5).toLocaleString().includes(',') ? ',' : '.';
const s = new K.Session(sep);
const canvas = $('plot'), ctx = canvas.getContext('2d');
const boxes = ['value', 'min', 'max'], rows = [];
let scale = 1, hashtimer = 0, drawn = null;

function surface() {
  scale = window.devicePixelRatio || 1;
  const w = Math.max(K.smallestwidth, Math.min(K.defaultwidth, document.documentElement.clientWidth - 40));
  s.resize(w, K.defaultheight, scale);
  canvas.width = s.width(); canvas.height = s.height();
  canvas.style.width = `${w}px`; canvas.style.height = `${K.defaultheight}px`;
}

function clearreadout() {
  for (const b of [$('readx'), $('ready')]) { b.value = ''; b.disabled = true; }
}
function showreadout(r, enabled) {
  $('readx').value = r.x; $('ready').value = r.y;
  $('readx').disabled = $('ready').disabled = !enabled;
}

function redraw(autoflag) {
  const r = s.draw(autoflag);
  ctx.putImageData(new ImageData(new Uint8ClampedArray(s.pixels()), canvas.width, canvas.height), 0, 0);
  ctx.font = font(K.labelpixels * scale); ctx.textBaseline = 'top'; ctx.fillStyle = '#000';
  for (const t of s.texts()) ctx.fillText(t.text, t.x, t.y);
  for (const k of ['xmin', 'xmax', 'ymin', 'ymax']) $(k).value = r[k];
  if (r.clearreadout) clearreadout();
  if (!s.automatic()) checklimits();
  $('crossing').textContent = s.crossing();
  $('ytitle').textContent = s.ytitle();
  $('yaxis').value = String(s.yaxis());
  rows.forEach((row, i) => { row.tr.hidden = K.plotted(i, s.yaxis()); });
  drawn = r;
  clearTimeout(hashtimer);
  hashtimer = setTimeout(savehash, 200);
  document.body.dataset.address = 'old';
}

function textrefresh() {
  rows.forEach((row, i) => {
    const r = s.row(i);
    boxes.forEach((b) => { row[b].value = r[b]; });
    Object.assign(row.slider, { min: r.low, max: r.high, step: r.step });
    row.slider.value = r.low + r.high - r.position;
    // A screen reader says the value the position stands for, not the position.
    row.slider.setAttribute('aria-valuetext', r.value);
  });
}
const unmark = (row, which) => which.forEach((b) => row[b].classList.remove('red'));

function buildpanel() {
  const body = $('panel').tBodies[0];
  for (let i = 0; i <= K.lastindex; ++i) {
    const tr = body.insertRow(), name = K.parametername(i), row = { tr };
    tr.insertCell().textContent = name;
    tr.insertCell().textContent = K.parameterunit(i);
    boxes.forEach((b, kind) => {
      const box = row[b] = document.createElement('input');
      box.inputMode = 'decimal';
      box.setAttribute('aria-label', `${name} ${['value', 'minimum', 'maximum'][kind]}`);
      if (b === 'value') box.addEventListener('input', () => unmark(row, [b]));
      const apply = () => {
        const marks = s.enter(i, kind, box.value);
        textrefresh();
        boxes.forEach((m, k) => { if (marks & (1 << k)) row[m].classList.add('red'); });
        redraw(true);
      };
      // As in the window, Enter applies and so does leaving the box (again, with the text shown then);
      // the page losing the focus to another window does not.
      box.addEventListener('blur', () => { if (document.activeElement !== box) apply(); });
      box.addEventListener('keydown', (e) => {
        if (e.key === 'Enter') apply();
        if (e.key !== 'Escape') return;
        // The restored text is a change of the box's text like any other: a value box's red mark goes.
        const text = s.storedtext(i, kind);
        if (b === 'value' && text !== box.value) unmark(row, [b]);
        box.value = text;
      });
      tr.insertCell().append(box);
    });
    const slider = row.slider = document.createElement('input');
    slider.type = 'range';
    slider.setAttribute('aria-label', `${name} slider`);
    // Page keys move by the window's large step, not by the browser's tenth of the range.
    slider.addEventListener('keydown', (e) => {
      const pages = { PageUp: 1, PageDown: -1 }[e.key];
      if (!pages) return;
      e.preventDefault();
      slider.value = Number(slider.value) + pages * s.row(i).page;
      slider.dispatchEvent(new Event('input'));
    });
    slider.addEventListener('input', () => {
      s.slide(i, Number(slider.min) + Number(slider.max) - Number(slider.value));
      unmark(row, boxes);
      textrefresh();
      redraw(true);
    });
    tr.insertCell().append(slider);
    rows.push(row);
  }
}

function limittexts() {
  return ['xmin', 'xmax', 'ymin', 'ymax'].map((k) => $(k).value);
}
function checklimits() { $('set').disabled = !K.Session.limitsok(...limittexts()); }
function setautomatic(on) {
  s.setautomatic(on);
  $('auto').textContent = on ? 'Automatic on' : 'Automatic off';
  $('auto').setAttribute('aria-pressed', String(on));
  for (const k of ['xmin', 'xmax', 'ymin', 'ymax', 'set']) $(k).disabled = on;
  if (on) redraw(true);
}

// The address carries the settings text, deflated, the toggle and separator choice, and the limits as
// drawn with every digit they need (the settings text keeps fewer, and a pan gives any number).
const base64url = (bytes) => btoa(String.fromCharCode(...bytes)).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
async function savehash() {
  const text = new Blob([s.settings()]).stream().pipeThrough(new CompressionStream('deflate-raw'));
  const packed = new Uint8Array(await new Response(text).arrayBuffer());
  const choice = $('dot').checked ? 'p' : $('comma').checked ? 'c' : '';
  const limits = ['xmin', 'xmax', 'ymin', 'ymax'].map((k) => encodeURIComponent(drawn[k])).join(';');
  history.replaceState(null, '', `#s=${base64url(packed)}&a=${s.automatic() ? 1 : 0}&d=${choice}&l=${limits}`);
  document.body.dataset.address = 'current';
}
async function loadhash() {
  const p = new URLSearchParams(location.hash.slice(1));
  if (!p.get('s')) return;
  try {
    const bytes = Uint8Array.from(atob(p.get('s').replace(/-/g, '+').replace(/_/g, '/')), (c) => c.charCodeAt(0));
    const reader = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate-raw')).getReader();
    const parts = [];
    let size = 0;
    for (let r = await reader.read(); !r.done && size < hashlimit; r = await reader.read()) {
      parts.push(r.value); size += r.value.length;
    }
    s.readsettings(new Uint8Array(await new Blob(parts).slice(0, hashlimit).arrayBuffer()));
    const limits = (p.get('l') || '').split(';');
    if (limits.length === 4) s.setlimits(...limits);
  } catch { /* an address that does not decode leaves the defaults */ }
  $('dot').checked = p.get('d') === 'p';
  $('comma').checked = p.get('d') === 'c';
  if (p.get('a') === '1') setautomatic(true);
}

// The address is kept for a minute: a busy browser may start reading it only seconds after the click.
const keepaddress = 60000;
function download(blob, name) {
  const a = document.createElement('a');
  a.href = URL.createObjectURL(blob); a.download = name; a.click();
  setTimeout(() => URL.revokeObjectURL(a.href), keepaddress);
}

// The picture is encoded at once, within the press: a download started later from a callback may be
// refused by the browser as one the user did not ask for.
function pngblob() {
  const bytes = atob(canvas.toDataURL('image/png').split(',')[1]);
  return new Blob([Uint8Array.from(bytes, (c) => c.charCodeAt(0))], { type: 'image/png' });
}

// A page served over plain http from another computer has no clipboard API: the older way copies there.
async function copy(text) {
  $('status').textContent = '';
  try { await navigator.clipboard.writeText(text); return; } catch { /* the older way follows */ }
  // The copy event carries the text as it is: a text box's would lose the table's carriage returns.
  const put = (e) => { e.clipboardData.setData('text/plain', text); e.preventDefault(); };
  document.addEventListener('copy', put);
  const copied = document.execCommand('copy');
  document.removeEventListener('copy', put);
  if (!copied) $('status').textContent = 'Not copied: the browser refused the clipboard';
}

// As in the window, the second press of a double click (or double tap) is only the double click.
function pointer() {
  const at = (e) => [e.offsetX, e.offsetY];
  let lasttap = -doubletap, twice = false, pressed = [0, 0];
  const down = (e, double) => {
    if (!double) s.press(e.button, ...at(e));
    else if (s.doubleclick()) redraw(false);
  };
  canvas.addEventListener('contextmenu', (e) => e.preventDefault());
  canvas.addEventListener('mousedown', (e) => {
    // The middle button presses the plot; on Windows it would start the browser's scrolling instead.
    if (e.button === 1) e.preventDefault();
    down(e, e.detail === 2);
  });
  canvas.addEventListener('pointerdown', (e) => {
    canvas.setPointerCapture(e.pointerId); canvas.classList.add('moving');
    if (e.pointerType === 'mouse') return;
    // The first finger drives the plot; a second one makes the touch the other button's, so that two
    // fingers tapped twice zoom out.
    if (!e.isPrimary) { if (!twice) s.press(2, ...pressed); return; }
    twice = e.timeStamp - lasttap < doubletap;
    down(e, twice);
    lasttap = e.timeStamp; pressed = at(e);
  });
  canvas.addEventListener('pointermove', (e) => {
    if (!e.isPrimary) return;
    const r = s.move(...at(e));
    if (r.change === 1) showreadout(r, false); else if (r.change === 2) clearreadout();
    if (r.redraw) { setautomatic(false); redraw(false); }
  });
  canvas.addEventListener('pointerup', (e) => {
    if (!e.isPrimary) return;
    canvas.classList.remove('moving');
    const r = s.release(...at(e));
    if (r.inside) showreadout(r, r.enabled); else clearreadout();
    redraw(false);
  });
  // Without this, a touch the browser takes back would leave the plot following the pointer unpressed.
  canvas.addEventListener('pointercancel', (e) => {
    if (!e.isPrimary) return;
    canvas.classList.remove('moving');
    s.cancel();
    clearreadout();
    redraw(false);
  });
}

function controls() {
  for (let k = 0; k <= K.lastindex + 1; ++k) $('yaxis').add(new Option(K.yaxistext(k), String(k - 1)));
  $('yaxis').addEventListener('change', () => { s.setyaxis(Number($('yaxis').value)); clearreadout(); redraw(true); });
  $('xtitle').textContent = K.xaxistitle();
  $('auto').addEventListener('click', () => setautomatic(!s.automatic()));
  for (const k of ['xmin', 'xmax', 'ymin', 'ymax']) {
    $(k).addEventListener('input', checklimits);
    $(k).addEventListener('keydown', (e) => { if (e.key === 'Enter' && !$('set').disabled) $('set').click(); });
  }
  $('set').addEventListener('click', () => {
    if (!s.setlimits(...limittexts())) { $('set').disabled = true; return; }
    clearreadout(); redraw(false);
  });
  $('dot').addEventListener('change', () => { if ($('dot').checked) $('comma').checked = false; savehash(); });
  $('comma').addEventListener('change', () => { if ($('comma').checked) $('dot').checked = false; savehash(); });
  $('copy').addEventListener('click', () => copy(s.table($('dot').checked ? 1 : $('comma').checked ? 2 : 0)));
  $('png').addEventListener('click', () => download(pngblob(), 'kelvora.png'));
  $('svg').addEventListener('click', () => download(new Blob([s.svg()], { type: 'image/svg+xml' }), 'kelvora.svg'));
  $('save').addEventListener('click', () => download(new Blob([s.settings()], { type: 'text/plain' }), 'Kelvora.ini'));
  $('open').addEventListener('change', async () => {
    const file = $('open').files[0];
    // The whole file goes into memory: one beyond any settings file's size is refused, state unchanged.
    $('status').textContent = file && file.size > filelimit ? `${file.name} not read: larger than 64 MB` : '';
    try {
      if (file && file.size <= filelimit) s.readsettings(new Uint8Array(await file.arrayBuffer()));
    } catch {
      // Gone or changed since it was chosen, or a folder: the state stays as it was.
      $('status').textContent = `${file.name} not read: the browser could not read it`;
    }
    $('open').value = '';
    restart();
  });
  $('default').addEventListener('click', () => {
    if (confirm('Do you want to revert to the original values?')) { s.readsettings(''); restart(); }
  });
  window.addEventListener('resize', resurface);
  watchdensity();
}

// A new surface forgets the pin, so the readout it held goes too (a phone turned, a window resized).
function resurface() { surface(); clearreadout(); redraw(false); }
// A move to a screen of another density need not change the page's size: the density is watched itself.
function watchdensity() {
  matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener('change', () => {
    resurface(); watchdensity();
  }, { once: true });
}

function restart() {
  rows.forEach((row) => unmark(row, boxes));
  clearreadout(); textrefresh(); redraw(false);
}

buildpanel();
controls();
pointer();
surface();
await loadhash();
restart();
performance.mark('first-plot');
document.body.dataset.ready = '1';
