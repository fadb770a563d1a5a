// The page of `pexhost serve` in Debian's headless Chromium, used as a planner
// uses it: choose a level, open a status button, move a node, use the context
// menu, expand a group, re-arrange, type steps, save, and find the change in
// the saved document; a screenshot must not be blank. Then the time a step
// takes to reach the page on a level of 1,000 stations.
//
//   node serve.test.mjs   (PEXHOST, CHROMIUM and SCREENSHOTS, a folder to
//                          keep the screenshots in, override the defaults)
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

const ROOT = fileURLToPath(new URL('../..', import.meta.url));
const PEXHOST = process.env.PEXHOST ?? path.join(ROOT, 'build/bin/pexhost');
const WORK = fs.mkdtempSync(path.join(os.tmpdir(), 'pexserve-browser-'));
const SCREENSHOTS = process.env.SCREENSHOTS ?? WORK;
const started = Date.now();
const pageErrors = [];

async function check(name, work) {
  const t0 = Date.now();
  await work();
  console.log(`ok - ${name} (${Date.now() - t0} ms)`);
}

// What needs a capability being built on another branch: its test goes
// here when the branch lands.
const pending = (name, branch) => console.log(`skip - ${name} (needs the ${branch} branch)`);

// Starts pexhost serve on a free port; resolves once it printed its address.
function serve(document) {
  const child = spawn(PEXHOST, ['serve', document, '--port', '0'], { stdio: ['ignore', 'pipe', 'pipe'] });
  let output = '';
  const exited = new Promise((resolve) => child.on('exit', resolve));
  return new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`no address printed:\n${output}`)), 30000);
    const read = (chunk) => {
      output += chunk;
      const url = output.match(/http:\/\/127\.0\.0\.1:\d+\/#token=[0-9a-f]{32}/)?.[0];
      if (!url) return;
      clearTimeout(timer);
      resolve({ url, exited, output: () => output, stop: () => child.kill('SIGTERM') });
    };
    child.stdout.on('data', read);
    child.stderr.on('data', read);
    exited.then((code) => reject(new Error(`pexhost serve ended (${code}):\n${output}`)));
  });
}

async function stopCleanly(server) {
  server.stop();
  assert.equal(await server.exited, 0, server.output());
  assert.match(server.output(), /pexhost serve: stopped/);
}

// Run inside the page.
const inPage = {
  state: () => fetch('/api/state', {
    headers: { 'X-Pex-Token': new URLSearchParams(location.hash.slice(1)).get('token') },
  }).then((r) => r.json()),
  // The screen point of a viewer point, or of the centre of the picture's
  // icon nearest to it.
  screenPoint: ([x, y, frame, icon]) => {
    const svg = document.querySelector('svg.picture');
    const px = (x - frame.left) * frame.scale;
    const py = (frame.top - y) * frame.scale;
    if (icon) {
      const centre = (i) => [Number(i.getAttribute('x')) + Number(i.getAttribute('width')) / 2,
        Number(i.getAttribute('y')) + Number(i.getAttribute('height')) / 2];
      const distance = (i) => Math.hypot(centre(i)[0] - px, centre(i)[1] - py);
      const nearest = [...svg.querySelectorAll('image')].sort((a, b) => distance(a) - distance(b))[0];
      const box = nearest.getBoundingClientRect();
      return { x: box.x + box.width / 2, y: box.y + box.height / 2 };
    }
    const s = new DOMPoint(px, py).matrixTransform(svg.getScreenCTM());
    return { x: s.x, y: s.y };
  },
  // The share of a PNG's pixels that are not of its most common colour.
  ink: async (base64) => {
    const image = new Image();
    image.src = `data:image/png;base64,${base64}`;
    await image.decode();
    const canvas = Object.assign(document.createElement('canvas'), { width: image.width, height: image.height });
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    const pixels = new Uint32Array(context.getImageData(0, 0, image.width, image.height).data.buffer);
    const counts = new Map();
    for (const p of pixels) counts.set(p, (counts.get(p) ?? 0) + 1);
    return 1 - Math.max(...counts.values()) / pixels.length;
  },
};

class Page {
  static async open(context, server) {
    const page = new Page();
    page.p = await context.newPage();
    page.p.on('pageerror', (error) => pageErrors.push(error.message));
    await page.p.goto(server.url);
    await page.p.waitForSelector('svg.picture');
    return page;
  }
  state() { return this.p.evaluate(inPage.state); }
  async node(id) { return (await this.state()).viewer.nodes.find((n) => n.id === id); }
  async screenPoint(x, y, icon = false) {
    return this.p.evaluate(inPage.screenPoint, [x, y, (await this.state()).frame, icon]);
  }
  // Does `action`, waits until the page has drawn the state of the step it
  // sent, and gives the step's entry in the page's log.
  async act(action) {
    const before = await this.p.evaluate(() => Number(document.body.dataset.revision));
    await action();
    await this.p.waitForFunction((r) => Number(document.body.dataset.revision) > r &&
      !document.body.classList.contains('stepping'), before);
    return this.p.$eval('#step-log li', (entry) => ({ kind: entry.className,
      line: entry.querySelector('code').textContent, message: entry.querySelector('span').textContent,
      ms: Number(entry.dataset.ms), serverTiming: entry.dataset.serverTiming }));
  }
  typeStep(line) {
    return this.act(() => this.p.fill('#step-input', line).then(() => this.p.press('#step-input', 'Enter')));
  }
}

async function underbodyLine(context) {
  const document = path.join(WORK, 'line.xml');
  fs.copyFileSync(path.join(ROOT, 'examples/underbody_line.xml'), document);
  const server = await serve(document);
  const page = await Page.open(context, server);
  const { p } = page;

  await check('a level is chosen in the level chooser', async () => {
    assert.equal(await p.evaluate(() => fetch('/api/state').then((r) => r.status)), 401, 'no token');
    assert.equal(await p.textContent('#document-name'), 'line.xml');
    assert.equal((await page.act(() => p.selectOption('#level', 'A10'))).kind, 'ok');
    assert.match(await p.textContent('#window-title'), /Rear floor cell/);
    await page.act(() => p.selectOption('#level', 'A1'));
    assert.equal((await page.state()).level, 'A1');
  });

  await check('a status button opens when its icon is clicked', async () => {
    const button = (await page.node('A34')).buttons.find((b) => b.shown && !b.open);
    const icon = await page.screenPoint(button.x, button.y, true);
    assert.match((await page.act(() => p.mouse.click(icon.x, icon.y))).line, /^click /);
    assert.equal((await page.node('A34')).buttons.find((b) => b.name === button.name).open, true);
  });
  pending('the opened list scrolls and a row is picked', 'lists');

  await check('a node moves when it is dragged', async () => {
    const from = await page.screenPoint(212.5, 212.5);
    const to = await page.screenPoint(262.5, 137.5);
    const step = await page.act(async () => {
      await p.mouse.move(from.x, from.y);
      await p.mouse.down();
      await p.mouse.move(to.x, to.y, { steps: 8 });
      await p.mouse.up();
    });
    assert.equal(step.kind, 'ok', step.message);
    const moved = await page.node('A34');
    assert.deepEqual([moved.x, moved.y], [262.5, 137.5]);
  });
  pending('a product row dragged onto another station, with the allowed and refused cursor', 'drag-and-drop');

  await check('the context menu offers the node\'s items', async () => {
    const at = await page.screenPoint(262.5, 137.5);
    await p.mouse.click(at.x, at.y, { button: 'right' });
    const step = await page.act(() => p.click('#menu:not([hidden]) button:has-text("Reframe")'));
    assert.equal(step.kind, 'ok', step.message);
    assert.equal(await p.isHidden('#menu'), true);
  });

  await check('a double click expands a group, and re-arranging lays the level out', async () => {
    const group = await page.node('A10');
    const at = await page.screenPoint(group.x, group.y);
    await page.act(() => p.mouse.dblclick(at.x, at.y));
    await p.waitForFunction(() => document.querySelector('#step-log li code').textContent.startsWith('expand'));
    assert.equal((await page.node('A10')).superNode, 'expanded');
    assert.equal((await page.act(() => p.click('#arrange'))).kind, 'ok');
    const arranged = await page.node('A34');
    assert.deepEqual([arranged.x, arranged.y], [212.5, 212.5]);
  });
  pending('two stations grouped through the group dialog, then ungrouped', 'grouping');
  pending('the hide/show dialog and its message box answered', 'lists');

  await check('typed steps run, and a failing one is shown as failed', async () => {
    assert.equal((await page.typeStep('move A34 287.5 112.5')).kind, 'ok');
    const failed = await page.typeStep('move Nowhere 1 2');
    assert.equal(failed.kind, 'failed');
    assert.match(failed.message, /Nowhere/);
  });

  await check('Ctrl+S saves the document with the moved node', async () => {
    const step = await page.act(() => p.keyboard.press('Control+s'));
    assert.equal(step.kind, 'ok', step.message);
    assert.match(fs.readFileSync(document, 'utf8'), /<Activity id="A34"[^>]* x="287.5" y="112.5"/);
  });

  await check('the viewer is drawn (a screenshot is not blank)', async () => {
    await p.screenshot({ path: path.join(SCREENSHOTS, 'serve-underbody.png') });
    const ink = await p.evaluate(inPage.ink, (await p.locator('#canvas').screenshot()).toString('base64'));
    assert.ok(ink > 0.01, `only ${ink} of the pixels are drawn`);
  });

  await p.close();
  await check('SIGTERM stops the server cleanly', () => stopCleanly(server));
}

async function thousandStations(context) {
  const document = path.join(WORK, 'stations.xml');
  const ids = Array.from({ length: 1000 }, (_, i) => `S${i + 1}`);
  const chain = ['A1/Start', ...ids, 'A1/Stop'];
  fs.writeFileSync(document, ['<?xml version="1.0" encoding="UTF-8"?>',
    '<ProcessDocument version="1"><Process><Activity id="A1" type="BIWActivityRoot" name="Line">',
    ...ids.map((id) => `<Activity id="${id}" type="BIWActivityStation" name="Station ${id}"/>`),
    ...chain.slice(1).map((id, i) => `<Link from="${chain[i]}" to="${id}"/>`),
    '</Activity></Process></ProcessDocument>', ''].join('\n'));
  const server = await serve(document);
  const page = await Page.open(context, server);
  const steps = [];
  await check('steps on a level of 1,000 stations reach the page', async () => {
    const { x, y } = await page.node('S500');
    for (let i = 0; i < 6; ++i) steps.push(await page.typeStep(`move S500 ${x + (i % 2 ? -25 : 25)} ${y}`));
    assert.deepEqual(steps.map((s) => s.kind), Array(6).fill('ok'));
  });
  const median = (values) => values.sort((a, b) => a - b)[values.length >> 1].toFixed(1);
  const part = (name) => median(steps.map((s) => Number(s.serverTiming.match(`${name};dur=([\\d.]+)`)[1])));
  console.log(`# 1,000 stations, median of ${steps.length} steps: ${median(steps.map((s) => s.ms))} ms to the page` +
    ` (server: step ${part('step')}, draw ${part('draw')}, state ${part('state')} ms)`);
  await page.p.close();
  await stopCleanly(server);
}

const context = await chromium.launchPersistentContext(fs.mkdtempSync(path.join(WORK, 'profile-')), {
  executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  viewport: { width: 1400, height: 900 },
});
try {
  await underbodyLine(context);
  await thousandStations(context);
} finally {
  await context.close();
}
assert.deepEqual(pageErrors, [], 'the page raised errors');
const seconds = (Date.now() - started) / 1000;
console.log(`# browser test: ${seconds.toFixed(1)} s; screenshots in ${SCREENSHOTS}`);
assert.ok(seconds < 120, 'the browser test must stay under 2 minutes');
if (!process.env.SCREENSHOTS) fs.rmSync(WORK, { recursive: true, force: true });
