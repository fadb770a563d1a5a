// The page of `pexhost serve` in Debian's headless Chromium, used as a planner
// uses it: choose a level, open a status button, scroll its list and hide a
// product from a row, drag a list row onto another station (with the host's
// cursor), use the context menu and the status-button dialog, expand a
// group, group two stations and ungroup a group, re-arrange, type steps,
// save, and find the changes in the saved document; a screenshot must not be
// blank. Then the time a step takes to reach the page on a level of 1,000
// stations. (Dragging a node runs the same pointer steps as dragging a row;
// the host's side of them is tested in process.)
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

// Starts pexhost serve on a free port and opens its page once it printed its
// address; `stop` ends it with SIGTERM and expects a clean stop.
async function serve(context, document) {
  const child = spawn(PEXHOST, ['serve', document, '--port', '0'], { stdio: ['ignore', 'pipe', 'pipe'] });
  let output = '';
  const exited = new Promise((resolve) => child.on('exit', resolve));
  const url = await new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`no address printed:\n${output}`)), 30000);
    const read = (chunk) => {
      output += chunk;
      const found = output.match(/http:\/\/127\.0\.0\.1:\d+\/#token=[0-9a-f]{32}/)?.[0];
      if (found) resolve(found, clearTimeout(timer));
    };
    child.stdout.on('data', read);
    child.stderr.on('data', read);
    exited.then((code) => reject(new Error(`pexhost serve ended (${code}):\n${output}`)));
  });
  const page = new Page(await context.newPage());
  page.p.on('pageerror', (error) => pageErrors.push(error.message));
  await page.p.goto(url);
  await page.p.waitForSelector('svg.picture');
  page.stop = async () => {
    await page.p.close();
    child.kill('SIGTERM');
    assert.equal(await exited, 0, output);
    assert.match(output, /pexhost serve: stopped/);
  };
  return page;
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
    const [px, py] = [(x - frame.left) * frame.scale, (frame.top - y) * frame.scale];
    const centre = (i) => [Number(i.getAttribute('x')) + Number(i.getAttribute('width')) / 2,
      Number(i.getAttribute('y')) + Number(i.getAttribute('height')) / 2];
    const distance = (i) => Math.hypot(centre(i)[0] - px, centre(i)[1] - py);
    if (!icon) return new DOMPoint(px, py).matrixTransform(svg.getScreenCTM()).toJSON();
    const box = [...svg.querySelectorAll('.image')].sort((a, b) => distance(a) - distance(b))[0].getBoundingClientRect();
    return { x: box.x + box.width / 2, y: box.y + box.height / 2 };
  },
  // The screen centre of the picture's text element that reads `text`.
  textPoint: (text) => {
    const box = [...document.querySelectorAll('svg.picture text')].find((t) => t.textContent === text)
      ?.getBoundingClientRect();
    return box && { x: box.x + box.width / 2, y: box.y + box.height / 2 };
  },
  // The share of a PNG's pixels that are not of its most common colour.
  ink: async (base64) => {
    const image = new Image();
    image.src = `data:image/png;base64,${base64}`;
    await image.decode();
    const context = new OffscreenCanvas(image.width, image.height).getContext('2d');
    context.drawImage(image, 0, 0);
    const pixels = new Uint32Array(context.getImageData(0, 0, image.width, image.height).data.buffer);
    const counts = new Map();
    for (const p of pixels) counts.set(p, (counts.get(p) ?? 0) + 1);
    return 1 - Math.max(...counts.values()) / pixels.length;
  },
};

class Page {
  constructor(p) { this.p = p; }
  state() { return this.p.evaluate(inPage.state); }
  async node(id) {
    const { nodes } = (await this.state()).viewer;
    return nodes.find((n) => n.id === id) ?? nodes.find((n) => n.type === id);
  }
  async button(id, name) { return (await this.node(id)).buttons.find((b) => b.name === name); }
  async screenPoint(x, y, icon = false) {
    return this.p.evaluate(inPage.screenPoint, [x, y, (await this.state()).frame, icon]);
  }
  // The screen point of the centre of a node's box.
  async nodePoint(id) {
    const n = await this.node(id);
    return this.screenPoint(n.x, n.y);
  }
  async click(id, options) {
    const at = await this.nodePoint(id);
    return this.p.mouse.click(at.x, at.y, options);
  }
  // Waits until every step the page sent has been drawn.
  settled() { return this.p.waitForFunction(() => !document.body.classList.contains('stepping')); }
  // Does `action`, waits until the page has drawn the state of the step it
  // sent, and gives the step's entry in the page's log.
  async act(action) {
    const before = await this.p.evaluate(() => Number(document.body.dataset.revision));
    await action();
    await this.p.waitForFunction((r) => Number(document.body.dataset.revision) > r &&
      !document.body.classList.contains('stepping'), before);
    await this.p.waitForFunction(() => document.querySelector('#step-log li').dataset.paintedMs);
    return this.p.$eval('#step-log li', (entry) => ({ kind: entry.className,
      line: entry.querySelector('code').textContent, message: entry.querySelector('span').textContent,
      ms: Number(entry.dataset.ms), paintedMs: Number(entry.dataset.paintedMs),
      serverTiming: entry.dataset.serverTiming }));
  }
  async ok(action) {
    const step = await this.act(action);
    assert.equal(step.kind, 'ok', `${step.line}: ${step.message}`);
    return step;
  }
  typeStep(line) {
    return this.act(() => this.p.fill('#step-input', line).then(() => this.p.press('#step-input', 'Enter')));
  }
  // Answers the message boxes the page shows, if any.
  async dismissMessages() {
    while (await this.p.isVisible('#message')) await this.act(() => this.p.click('#message-ok'));
  }
}

async function underbodyLine(context) {
  const document = path.join(WORK, 'line.xml');
  fs.copyFileSync(path.join(ROOT, 'examples/underbody_line.xml'), document);
  const page = await serve(context, document);
  const { p } = page;

  await check('a level is chosen in the level chooser', async () => {
    assert.equal(await p.textContent('#document-name'), 'line.xml');
    await page.ok(() => p.selectOption('#level', 'A10'));
    assert.match(await p.textContent('#window-title'), /Rear floor cell/);
    await page.act(() => p.selectOption('#level', 'A1'));
  });

  await check('a status button opens when its icon is clicked; a list scrolls and hides and shows a product', async () => {
    const button = (await page.node('A34')).buttons.find((b) => b.shown && !b.open);
    const icon = await page.screenPoint(button.x, button.y, true);
    assert.match((await page.act(() => p.mouse.click(icon.x, icon.y))).line, /^click /);
    assert.equal((await page.button('A34', button.name)).open, true);

    await page.act(() => page.click('A21'));
    const greyed = (name) => p.locator(`#inspector tr[data-button="${name}"] td.greyed`).count();
    assert.deepEqual([await greyed('BIWPointFasteningStatusBars'), await greyed('ProductInput')], [1, 0]);
    const rows = p.locator('#inspector .list-rows[data-button="ProductInput"] li');
    await page.act(() => p.click('#inspector tr[data-button="ProductInput"] button:has-text("Open")'));
    const list = await page.button('A21', 'ProductInput');
    assert.equal(await rows.count(), list.rows.length);
    await page.ok(() => p.click('#inspector .list-scroll button:has-text("▼")'));
    assert.equal((await page.button('A21', 'ProductInput')).first, 2);
    for (const [toggle, show] of [['Hide', 'HIDDEN'], ['Show', 'SHOW']]) {
      await page.act(() => rows.nth(1).locator(`button:has-text("${toggle}")`).click());
      assert.equal((await page.button('A21', 'ProductInput')).rows[1].show, show);
    }
    await page.typeStep('list A21 ProductInput close');
  });

  await check('a list row dragged onto another station, with the allowed and refused cursor', async () => {
    // The fixture assigned to UB010 (A2) goes to UB020 (A6).
    const assigned = async (id) => {
      await page.typeStep(`list ${id} Resources open`);
      return (await page.button(id, 'Resources')).rows.findIndex((r) => r.id === 'R10');
    };
    const index = await assigned('A2');
    const rows = (await page.button('A2', 'Resources')).rows;
    if (!rows[index].visible) await page.typeStep(`scroll A2 Resources ${index + 1}`);
    const row = await p.evaluate(inPage.textPoint, rows[index].name);
    const seen = {};
    await p.mouse.move(row.x, row.y);
    await p.mouse.down();
    for (const [name, id] of [['refused', 'Start'], ['allowed', 'A6']]) {
      const at = await page.nodePoint(id);
      await p.mouse.move(at.x, at.y, { steps: 6 });
      await page.settled();
      seen[name] = await p.$eval('#canvas', (c) => c.dataset.hostCursor);
    }
    await p.mouse.up();
    await page.settled();
    assert.ok(await assigned('A6') >= 0, `the row moved (cursor ${JSON.stringify(seen)})`);
    assert.deepEqual(seen, { refused: '5', allowed: '8' });
    assert.equal(await p.$eval('#canvas', (c) => c.style.cursor), '');
    assert.equal((await page.button('A2', 'Resources')).rows.some((r) => r.id === 'R10'), false);
  });

  await check('a double click expands a group, and re-arranging lays the level out', async () => {
    await page.act(() => page.click('A10', { clickCount: 2 }));
    await p.waitForFunction(() => document.querySelector('#step-log li code').textContent.startsWith('expand'));
    assert.equal((await page.node('A10')).superNode, 'expanded');
    assert.equal((await page.ok(() => p.click('#arrange'))).line, 'arrange');
  });

  await check('two stations grouped through the group dialog, and a group ungrouped', async () => {
    // UB080 and UB090 follow each other: a selection the group command takes.
    // The first is selected before the command starts (it takes the
    // selection, which a click replaces), the second picked into it.
    await page.act(() => page.click('A34'));
    await page.ok(() => p.click('#group'));
    // The group dialog is open now, at the top right of the chart: zoom out
    // so that the second station is left of it, as a user would.
    await p.click('#zoom-out');
    await page.act(() => page.click('A38'));
    const dialog = p.locator('#dialogs [data-dialog="MoxPexActivityGroupDlg"]');
    const name = dialog.locator('input[data-widget="EditorActivityName"]');
    await page.act(() => name.fill('Floor group').then(() => name.dispatchEvent('change')));
    await page.ok(() => dialog.locator('button:has-text("OK")').click());
    await page.dismissMessages();
    const nodes = (await page.state()).viewer.nodes;
    assert.ok(nodes.some((n) => n.name === 'Floor group' && n.superNode !== 'none'), JSON.stringify(nodes));

    await page.typeStep('collapse A10');
    await page.ok(() => p.click('#ungroup'));
    await page.act(() => page.click('A10'));
    await page.dismissMessages();
    assert.equal((await page.state()).viewer.nodes.some((n) => n.id === 'A10'), false);
  });

  await check('the context menu runs the host\'s items, and its status-button dialog hides and shows one', async () => {
    await page.click('A21', { button: 'right' });
    await page.ok(() => p.click('#menu:not([hidden]) button:has-text("Reframe")'));
    assert.equal(await p.isHidden('#menu'), true);
    await page.click('A21', { button: 'right' });
    await p.click('#menu:not([hidden]) button:has-text("Status buttons")');
    await page.settled();
    const dialog = p.locator('#dialogs [data-dialog="MoxPexZitBltHideShowDlg"]');
    const box = dialog.locator('input[data-widget="ProductOutput"]');
    for (const shown of [false, true]) {
      await page.act(() => box.setChecked(shown));
      assert.equal((await page.button('A21', 'ProductOutput')).shown, shown);
    }
    await page.act(() => dialog.locator('button[title="Close"]').click());
  });

  await check('typed steps run or show they failed, and Ctrl+S saves the document with the changes', async () => {
    assert.equal((await page.typeStep('move A42 287.5 112.5')).kind, 'ok');
    const failed = await page.typeStep('move Nowhere 1 2');
    assert.equal(failed.kind, 'failed');
    assert.match(failed.message, /Nowhere/);
    await page.ok(() => p.keyboard.press('Control+s'));
    const saved = fs.readFileSync(document, 'utf8');
    assert.match(saved, /<Activity id="A42"[^>]* x="287.5" y="112.5"/);
  });

  await check('the viewer is drawn (a screenshot is not blank)', async () => {
    await p.screenshot({ path: path.join(SCREENSHOTS, 'serve-underbody.png') });
    const ink = await p.evaluate(inPage.ink, (await p.locator('#canvas').screenshot()).toString('base64'));
    assert.ok(ink > 0.01, `only ${ink} of the pixels are drawn`);
  });

  await check('SIGTERM stops the server cleanly', () => page.stop());
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
  const page = await serve(context, document);
  const steps = [];
  await check('steps on a level of 1,000 stations reach the page', async () => {
    const { x, y } = await page.node('S500');
    for (let i = 0; i < 6; ++i) steps.push(await page.typeStep(`move S500 ${x + (i % 2 ? -25 : 25)} ${y}`));
    assert.deepEqual(steps.map((s) => s.kind), Array(6).fill('ok'));
  });
  const median = (values) => values.sort((a, b) => a - b)[values.length >> 1].toFixed(1);
  const part = (name) => median(steps.map((s) => Number(s.serverTiming.match(`${name};dur=([\\d.]+)`)[1])));
  console.log(`# 1,000 stations, median of ${steps.length} steps: ${median(steps.map((s) => s.ms))} ms to the page,` +
    ` ${median(steps.map((s) => s.paintedMs))} ms until drawn` +
    ` (server: step ${part('step')}, draw ${part('draw')}, state ${part('state')} ms)`);
  await page.stop();
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
console.log(`# browser test: ${((Date.now() - started) / 1000).toFixed(1)} s; screenshots in ${SCREENSHOTS}`);
if (!process.env.SCREENSHOTS) fs.rmSync(WORK, { recursive: true, force: true });
