// The page of `pexhost serve`: the live product flow viewer of one document.
// Every action is a script step sent to the server; every answer brings the
// new state, from which the whole page is drawn again.
import { api, stepLine } from './api.js';
import { Canvas } from './canvas.js';
import { renderDialogs, showMenu, showMessage } from './forms.js';

const $ = (id) => document.getElementById(id);
const LOG_LENGTH = 100;
const progress = document.querySelector('.progress');

let state = null;
let pictureRevision = null;
let shownLevel = null;
let selectedId = null;
let levelsSignature = '';

const canvas = new Canvas($('canvas'), {
  step: (words, options) => send(words, options),
  // The click itself went to the host as `click X Y`: a running command
  // that waits for objects got the node from it, as in the host.
  select: (node) => {
    selectedId = node?.id ?? null;
    renderInspector();
  },
  hover: (node, point) => {
    $('status-hover').textContent = node ? `${node.name} · ${node.type} · ${node.id}` : '';
    $('status-pointer').textContent = point ? `${point.x.toFixed(1)}, ${point.y.toFixed(1)}` : '';
  },
  // The host's menu at the point; on an activity the page adds the choice
  // of its status buttons (the host's command on the selected activity).
  menu: async (clientX, clientY, point) => {
    const result = await send(['menu', point.x, point.y], { quiet: true });
    const node = canvas.nodeAt(point);
    const extras = node && node.buttons.length > 0 ? [{
      title: 'Status buttons…',
      run: async () => {
        await send(['pick', node.id]);
        send(['start', 'MoxPexCtxZitBltCmd']);
      },
    }] : [];
    showMenu($('menu'), result.ok ? result.state.menu : null, clientX, clientY, send, extras);
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
  // The body's class tells whoever waits for the page that a step runs.
  document.body.classList.add('stepping');
  progress.classList.add('running');
  try {
    const held = state ? { since: state.revision, picture: pictureRevision } : {};
    const result = await api.step(line, held);
    await apply(result.state, result.pictureEdits);
    log(line, result.ok, result.message, quiet, performance.now() - started, result.timing);
    return result;
  } catch (error) {
    log(line, false, error.message, false, performance.now() - started, '');
    return { ok: false, message: error.message };
  } finally {
    document.body.classList.remove('stepping');
    progress.classList.remove('running');
  }
}

function acknowledge(seen) {
  return inTurn(async () => apply(await api.acknowledge(seen))).catch((error) => {
    log('acknowledge', false, error.message, false, 0, '');
  });
}

async function apply(next, pictureEdits = null) {
  state = completed(next) ?? await api.state();
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
  if (state.picture !== pictureRevision) await updatePicture(pictureEdits);
  $('canvas-empty').hidden = Boolean(state.frame);
  renderInspector();
  renderDialogs($('dialogs'), state.dialogs, send);
  showMessage($('message'), state.messages, acknowledge);
  document.body.dataset.revision = String(state.revision);
}

// A step's answer leaves out what did not change since the state the page
// holds: the levels when they are the same, and the viewer's nodes come as
// edits of its list. Those are filled in from that state; null when they do
// not fit it (the whole state is fetched then).
function completed(next) {
  if (!next.levels) {
    if (!state) return null;
    next.levels = state.levels;
  }
  const viewer = next.viewer;
  if (viewer && viewer.since !== undefined) {
    if (!state?.viewer || state.revision !== viewer.since) return null;
    const nodes = edited(state.viewer.nodes, viewer.edits, viewer.nodes);
    if (!nodes || nodes.length !== viewer.count) return null;
    next.viewer = { window: viewer.window, level: viewer.level, nodes };
  }
  return next;
}

// The list with the edits [at, removed, inserted] (positions in the list)
// applied, the inserted items taken in order; null when they do not fit.
function edited(list, edits, inserted) {
  const result = [];
  let from = 0;
  let next = 0;
  for (const [at, removed, count] of edits) {
    if (at < from || at + removed > list.length || next + count > inserted.length) return null;
    for (let i = from; i < at; ++i) result.push(list[i]);
    for (let i = next; i < next + count; ++i) result.push(inserted[i]);
    from = at + removed;
    next += count;
  }
  for (let i = from; i < list.length; ++i) result.push(list[i]);
  return next === inserted.length ? result : null;
}

// Patches the picture with the edits since the one shown (those the step's
// answer brought, or fetched), or replaces it.
async function updatePicture(edits) {
  if (!state.frame) {
    canvas.setPicture(null, null);
    pictureRevision = state.picture;
    return;
  }
  let update = edits && canvas.hasPicture() ? { patch: edits }
    : await api.picture(canvas.hasPicture() ? pictureRevision : null);
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

// The node's status buttons: shown or hidden, greyed when their list is
// empty, their lists opened or closed, and the rows of the open lists.
function buttonTable(node) {
  const table = document.createElement('table');
  table.className = 'buttons';
  table.innerHTML = '<thead><tr><th>Status button</th><th>Shown</th><th>List</th></tr></thead>';
  const body = document.createElement('tbody');
  for (const b of node.buttons) {
    const row = body.insertRow();
    row.dataset.button = b.name;
    row.insertCell().textContent = b.name;
    row.cells[0].title = b.greyed ? `${b.location}; greyed: the list is empty` : b.location;
    if (b.greyed) row.cells[0].classList.add('greyed');
    const shown = document.createElement('input');
    shown.type = 'checkbox';
    shown.checked = b.shown;
    shown.title = b.shown ? 'Hide the button' : 'Show the button';
    shown.addEventListener('change', () => send(['zitblt', node.id, b.name, shown.checked ? 'show' : 'hide']));
    row.insertCell().appendChild(shown);
    const open = button(b.open ? 'Close' : 'Open', () => send(['zitblt', node.id, b.name, 'click']));
    open.disabled = !b.shown;
    row.insertCell().appendChild(open);
    if (b.open && b.rows) {
      const cell = body.insertRow().insertCell();
      cell.colSpan = 3;
      cell.appendChild(listRows(node, b));
    }
  }
  table.appendChild(body);
  return table;
}

// The rows of an open list, those in its window marked, with the window's
// scrolling and each product's hide/show.
function listRows(node, b) {
  const part = document.createElement('div');
  part.className = 'list-rows';
  part.dataset.button = b.name;
  const last = Math.max(1, b.rows.length - b.range + 1);
  const scroll = (first) => send(['scroll', node.id, b.name, first]);
  if (b.rows.length > b.range) {
    const bar = document.createElement('div');
    bar.className = 'list-scroll';
    const up = button('▲', () => scroll(b.first - 1));
    const down = button('▼', () => scroll(b.first + 1));
    up.title = 'Scroll the list up';
    down.title = 'Scroll the list down';
    up.disabled = b.first <= 1;
    down.disabled = b.first >= last;
    const where = document.createElement('span');
    where.textContent = `rows ${b.first}–${b.first + b.range - 1} of ${b.rows.length}`;
    bar.append(up, where, down);
    part.appendChild(bar);
  }
  const list = document.createElement('ol');
  b.rows.forEach((r, i) => {
    const index = i + 1;
    const item = document.createElement('li');
    item.className = `${r.visible ? 'in-window' : 'scrolled'} ${r.state}`;
    item.dataset.row = String(index);
    const name = document.createElement('span');
    name.textContent = r.name;
    name.title = r.id ? `${r.id}${r.show ? ` · ${r.show}` : ''}` : '';
    item.appendChild(name);
    if (r.show) {
      const hidden = r.show === 'HIDDEN';
      // A row is picked where it is drawn: one out of the window is
      // scrolled into it first.
      const toggle = button(hidden ? 'Show' : 'Hide', async () => {
        if (!r.visible) await scroll(Math.min(last, index));
        send(['row', node.id, b.name, index, hidden ? 'show' : 'hide']);
      });
      toggle.title = hidden ? 'Show the product in the viewer' : 'Hide the product in the viewer';
      item.appendChild(toggle);
    }
    list.appendChild(item);
  });
  part.appendChild(list);
  return part;
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
  // The time until the browser has drawn the page too, for whoever measures.
  const logged = performance.now();
  requestAnimationFrame(() => setTimeout(() => {
    entry.dataset.paintedMs = (milliseconds + performance.now() - logged).toFixed(1);
  }));
}

function wireControls() {
  $('level').addEventListener('change', (e) => send(['view', e.target.value]));
  $('arrange').addEventListener('click', () => send(['arrange']));
  // The commands wait for the nodes clicked next; the group command then
  // asks in its dialog.
  $('group').addEventListener('click', () => send(['start', 'MoxPexPertGrpActCmd']));
  $('ungroup').addEventListener('click', () => send(['start', 'MoxPexPertUngroupActCmd']));
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
