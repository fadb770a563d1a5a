// The page of `pexhost serve`: the live product flow viewer of one document.
// Every action is a script step sent to the server; every answer brings the
// new state, from which the whole page is drawn again.
import { api, stepLine } from './api.js';
import { Canvas } from './canvas.js';
import { renderDialogs, showMenu, showMessage } from './forms.js';

const $ = (id) => document.getElementById(id);
const LOG_LENGTH = 100;

let state = null;
let pictureRevision = null;
let shownLevel = null;
let selectedId = null;
let levelsSignature = '';

const canvas = new Canvas($('canvas'), {
  step: (words, options) => send(words, options),
  select: (node) => {
    selectedId = node?.id ?? null;
    renderInspector();
    // A command waiting for objects gets the node clicked, as in the host.
    if (node && state?.command) send(['pick', node.id]);
  },
  hover: (node, point) => {
    $('status-hover').textContent = node ? `${node.name} · ${node.type} · ${node.id}` : '';
    $('status-pointer').textContent = point ? `${point.x.toFixed(1)}, ${point.y.toFixed(1)}` : '';
  },
  menu: async (clientX, clientY, point) => {
    const result = await send(['menu', point.x, point.y], { quiet: true });
    if (result.ok) showMenu($('menu'), result.state.menu, clientX, clientY, send);
  },
});

// Steps and acknowledgements run one after the other, each drawn before the
// next is sent: the host runs one at a time, and a picture is patched from
// the one before it.
let turn = Promise.resolve();
function inTurn(work) {
  const next = turn.then(work);
  turn = next.catch(() => {});
  return next;
}

// Runs one step and draws the state it leaves. `quiet` marks steps made by
// the pointer, whose failure ("nothing to click there") is no alarm.
function send(words, options) {
  return inTurn(() => runStep(words, options));
}

async function runStep(words, { quiet = false } = {}) {
  const line = Array.isArray(words) ? stepLine(...words) : words;
  const started = performance.now();
  document.body.classList.add('stepping');
  try {
    const result = await api.step(line);
    await apply(result.state);
    log(line, result.ok, result.message, quiet, performance.now() - started, result.timing);
    return result;
  } catch (error) {
    log(line, false, error.message, false, performance.now() - started, '');
    return { ok: false, message: error.message };
  } finally {
    document.body.classList.remove('stepping');
  }
}

function acknowledge(seen) {
  return inTurn(async () => apply(await api.acknowledge(seen))).catch((error) => {
    log('acknowledge', false, error.message, false, 0, '');
  });
}

async function apply(next) {
  state = next;
  $('menu').hidden = true;
  const doc = state.document;
  $('document-name').textContent = doc ? doc.name : 'No document';
  $('document-name').title = doc ? doc.path : '';
  $('window-title').textContent = state.viewer ? state.viewer.window : '';
  document.title = doc ? `${doc.name} · pexhost` : 'pexhost';
  renderLevels();
  $('command').hidden = !state.command;
  $('command-name').textContent = state.command ? `${state.command} is running` : '';
  $('command-name').title = $('command-name').textContent;
  canvas.setState(state);
  if (state.picture !== pictureRevision) await updatePicture();
  $('canvas-empty').hidden = Boolean(state.frame);
  renderInspector();
  renderDialogs($('dialogs'), state.dialogs, send);
  showMessage($('message'), state.messages, acknowledge);
  document.body.dataset.revision = String(state.revision);
}

// Patches the picture with the edits since the one shown, or replaces it.
async function updatePicture() {
  if (!state.frame) {
    canvas.setPicture(null, null);
    pictureRevision = state.picture;
    return;
  }
  let update = await api.picture(canvas.hasPicture() ? pictureRevision : null);
  if (update.patch && !canvas.patchPicture(update.patch)) update = await api.picture(null);
  if (update.svg) canvas.setPicture(update.svg, state.frame);
  // Another level is fitted in the window; the same level keeps its zoom.
  if (state.level !== shownLevel) canvas.fit();
  shownLevel = state.level;
  pictureRevision = state.picture;
}

// The levels that can be opened (activities with children), indented by depth.
function renderLevels() {
  const select = $('level');
  const levels = state.levels.filter((l) => l.children > 0 || l.depth === 0);
  const signature = JSON.stringify(levels);
  if (signature !== levelsSignature) {
    levelsSignature = signature;
    select.replaceChildren(...levels.map((l) => {
      const option = document.createElement('option');
      option.value = l.id;
      option.textContent = `${'\u2003'.repeat(l.depth)}${l.name}`;
      option.title = `${l.type} · ${l.id}`;
      return option;
    }));
  }
  select.value = state.level ?? '';
}

function renderInspector() {
  const panel = $('inspector');
  const node = state?.viewer?.nodes.find((n) => n.id === selectedId);
  panel.querySelector('.node')?.remove();
  panel.querySelector('.hint').hidden = Boolean(node);
  if (!node) return;
  const part = document.createElement('div');
  part.className = 'node';
  const title = document.createElement('h3');
  title.textContent = node.name;
  const facts = document.createElement('dl');
  for (const [term, value] of [['Identifier', node.id], ['Type', node.type],
    ['Centre', `${node.x}, ${node.y}`], ['Size', `${node.width} × ${node.height}`]]) {
    const dt = document.createElement('dt');
    const dd = document.createElement('dd');
    dt.textContent = term;
    dd.textContent = value;
    facts.append(dt, dd);
  }
  part.append(title, facts);
  if (node.superNode !== 'none') {
    const toggle = button(node.superNode === 'expanded' ? 'Collapse group' : 'Expand group',
      () => send([node.superNode === 'expanded' ? 'collapse' : 'expand', node.id]));
    part.appendChild(toggle);
  }
  if (node.buttons.length > 0) part.appendChild(buttonTable(node));
  panel.appendChild(part);
}

// The node's status buttons: shown or hidden, and their lists opened or closed.
function buttonTable(node) {
  const table = document.createElement('table');
  table.className = 'buttons';
  table.innerHTML = '<thead><tr><th>Status button</th><th>Shown</th><th>List</th></tr></thead>';
  const body = document.createElement('tbody');
  for (const b of node.buttons) {
    const row = body.insertRow();
    row.dataset.button = b.name;
    row.insertCell().textContent = b.name;
    row.cells[0].title = b.location;
    const shown = document.createElement('input');
    shown.type = 'checkbox';
    shown.checked = b.shown;
    shown.title = b.shown ? 'Hide the button' : 'Show the button';
    shown.addEventListener('change', () => send(['zitblt', node.id, b.name, shown.checked ? 'show' : 'hide']));
    row.insertCell().appendChild(shown);
    const open = button(b.open ? 'Close' : 'Open', () => send(['zitblt', node.id, b.name, 'click']));
    open.disabled = !b.shown;
    row.insertCell().appendChild(open);
  }
  table.appendChild(body);
  return table;
}

function button(text, onClick) {
  const b = document.createElement('button');
  b.type = 'button';
  b.textContent = text;
  b.addEventListener('click', onClick);
  return b;
}

function log(line, ok, message, quiet, milliseconds, timing) {
  const entry = document.createElement('li');
  entry.className = ok ? 'ok' : quiet ? 'quiet' : 'failed';
  entry.dataset.ms = milliseconds.toFixed(1);
  entry.dataset.serverTiming = timing;
  const code = document.createElement('code');
  code.textContent = line;
  const text = document.createElement('span');
  text.textContent = message || (ok ? 'ok' : 'failed');
  const time = document.createElement('time');
  time.textContent = `${Math.round(milliseconds)} ms`;
  entry.append(code, text, time);
  const list = $('step-log');
  list.prepend(entry);
  while (list.children.length > LOG_LENGTH) list.lastChild.remove();
  $('status-step').textContent = `${line} · ${Math.round(milliseconds)} ms`;
}

function wireControls() {
  $('level').addEventListener('change', (e) => send(['view', e.target.value]));
  $('arrange').addEventListener('click', () => send(['arrange']));
  $('abort').addEventListener('click', () => send(['abort']));
  $('save').addEventListener('click', () => send(['save']));
  $('zoom-in').addEventListener('click', () => canvas.zoomBy(1.25));
  $('zoom-out').addEventListener('click', () => canvas.zoomBy(1 / 1.25));
  $('zoom-fit').addEventListener('click', () => canvas.fit());

  const history = [];
  let back = 0;
  const input = $('step-input');
  $('step-form').addEventListener('submit', (e) => {
    e.preventDefault();
    const line = input.value.trim();
    if (!line) return;
    history.push(line);
    back = 0;
    input.value = '';
    send(line);
  });
  input.addEventListener('keydown', (e) => {
    if (e.key !== 'ArrowUp' && e.key !== 'ArrowDown') return;
    e.preventDefault();
    back = Math.max(0, Math.min(history.length, back + (e.key === 'ArrowUp' ? 1 : -1)));
    input.value = back ? history[history.length - back] : '';
  });

  document.addEventListener('keydown', (e) => {
    if (e.key === 'Escape') $('menu').hidden = true;
    if ((e.ctrlKey || e.metaKey) && e.key === 's') {
      e.preventDefault();
      send(['save']);
    }
  });
  document.addEventListener('pointerdown', (e) => {
    if (!$('menu').contains(e.target)) $('menu').hidden = true;
  });
}

async function start() {
  wireControls();
  if (!api.hasToken()) {
    $('canvas-empty').textContent =
      'This page needs the address that pexhost serve printed (it ends in #token=…).';
    return;
  }
  try {
    await apply(await api.state());
  } catch (error) {
    $('canvas-empty').textContent = `The server refused the page: ${error.message}`;
  }
}

start();
