// Dialogs, the contextual menu and messages, drawn from the state the
// server sends. A dialog is a tree of widgets of a few kinds; each is drawn
// as its HTML counterpart, and what the user does with it is sent back as
// the script step that names the dialog and the widget (type, select,
// check, activate, ok, cancel, close, choose). Nothing here knows a
// particular dialog: a new one of the host or the plug-in shows up as is.

function el(tag, className, text) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  if (text !== undefined) e.textContent = text;
  return e;
}

const captionOf = (w) => w.title || w.name;

// Lays the children out on the grid they ask for (rows and columns from 0),
// one below the other otherwise.
function children(w, dialog, send) {
  const box = el('div', 'widgets');
  const gridded = (w.children || []).some((c) => c.grid);
  if (gridded) box.classList.add('grid');
  for (const child of w.children || []) {
    if (!child.visible) continue;
    const part = widget(child, dialog, send);
    if (gridded && child.grid) {
      const g = child.grid;
      part.style.gridRow = `${g.row + 1} / span ${g.rowSpan}`;
      part.style.gridColumn = `${g.column + 1} / span ${g.columnSpan}`;
    }
    box.appendChild(part);
  }
  return box;
}

function labelled(w, control) {
  const label = el('label', 'field');
  label.appendChild(el('span', 'field-caption', captionOf(w)));
  label.appendChild(control);
  return label;
}

function widget(w, dialog, send) {
  const disabled = !w.sensitive;
  switch (w.kind) {
    case 'label':
      return el('div', 'label', captionOf(w));
    case 'editor': {
      const input = el('input');
      input.value = w.text;
      input.disabled = disabled;
      input.dataset.widget = w.name;
      input.addEventListener('change', () => send(['type', dialog, w.name, input.value]));
      return labelled(w, input);
    }
    case 'combo': {
      const select = el('select');
      w.lines.forEach((line, i) => {
        const option = el('option', '', line);
        option.selected = i === w.selected;
        select.appendChild(option);
      });
      if (w.selected < 0) select.selectedIndex = -1;
      select.disabled = disabled;
      select.dataset.widget = w.name;
      select.addEventListener('change', () => send(['select', dialog, w.name, select.value]));
      return labelled(w, select);
    }
    case 'list': {
      const list = el('div', 'list');
      list.setAttribute('role', 'listbox');
      w.lines.forEach((line, i) => {
        const row = el('button', w.selection.includes(i) ? 'row chosen' : 'row', line);
        row.type = 'button';
        row.disabled = disabled;
        row.addEventListener('click', () => send(['select', dialog, w.name, line]));
        list.appendChild(row);
      });
      return labelled(w, list);
    }
    case 'check': {
      const label = el('label', 'check');
      const box = el('input');
      box.type = 'checkbox';
      box.checked = w.checked;
      box.disabled = disabled;
      box.dataset.widget = w.name;
      box.addEventListener('change', () => send(['check', dialog, w.name, box.checked ? 'on' : 'off']));
      label.append(box, el('span', '', captionOf(w)));
      return label;
    }
    case 'item': {
      const button = el('button', '', captionOf(w));
      button.type = 'button';
      button.disabled = disabled;
      button.addEventListener('click', () => send(['activate', dialog, w.name]));
      return button;
    }
    default: {
      // Frames, nested windows and widgets of kinds the page does not know
      // show their children under their caption.
      const group = el('fieldset', 'frame');
      if (w.title) group.appendChild(el('legend', '', w.title));
      group.disabled = disabled;
      group.appendChild(children(w, dialog, send));
      return group;
    }
  }
}

function dialogWindow(d, send) {
  const win = el('section', 'dialog');
  win.dataset.dialog = d.name;
  win.setAttribute('role', 'dialog');
  const head = el('header', 'dialog-head');
  head.appendChild(el('h2', '', captionOf(d)));
  const close = el('button', 'icon', '×');
  close.type = 'button';
  close.title = 'Close';
  close.addEventListener('click', () => send(['close', d.name]));
  head.appendChild(close);
  win.appendChild(head);
  win.appendChild(children(d, d.name, send));
  if (d.kind === 'dialog') {
    const actions = el('div', 'dialog-actions');
    const cancel = el('button', '', 'Cancel');
    const ok = el('button', 'primary', 'OK');
    cancel.type = ok.type = 'button';
    ok.disabled = !d.ok;
    cancel.addEventListener('click', () => send(['cancel', d.name]));
    ok.addEventListener('click', () => send(['ok', d.name]));
    actions.append(cancel, ok);
    win.appendChild(actions);
  }
  return win;
}

// Redraws the dialogs that changed; one that did not keep its form (and
// what the user is typing into it).
export function renderDialogs(layer, dialogs, send) {
  const drawn = new Map([...layer.children].map((c) => [c.dataset.dialog, c]));
  const kept = new Set();
  for (const d of dialogs) {
    const signature = JSON.stringify(d);
    let win = drawn.get(d.name);
    if (!win || win.dataset.signature !== signature) {
      const fresh = dialogWindow(d, send);
      fresh.dataset.signature = signature;
      if (win) win.replaceWith(fresh);
      win = fresh;
    }
    layer.appendChild(win);  // in the server's order: the last one on top
    kept.add(win);
  }
  for (const c of [...layer.children]) if (!kept.has(c)) c.remove();
}

// The host's menu items, then the page's own `extras` ({title, run}).
export function showMenu(element, menu, clientX, clientY, send, extras = []) {
  element.replaceChildren();
  const items = (menu?.items ?? []).map((item) => ({
    title: item.title || item.name, sensitive: item.sensitive, run: () => send(['choose', item.name]),
  }));
  items.push(...extras.map((extra) => ({ sensitive: true, ...extra })));
  if (items.length === 0) {
    element.hidden = true;
    return;
  }
  for (const item of items) {
    const button = el('button', '', item.title);
    button.type = 'button';
    button.setAttribute('role', 'menuitem');
    button.disabled = !item.sensitive;
    button.addEventListener('click', () => {
      element.hidden = true;
      item.run();
    });
    element.appendChild(button);
  }
  element.hidden = false;
  const box = element.getBoundingClientRect();
  element.style.left = `${Math.min(clientX, window.innerWidth - box.width - 4)}px`;
  element.style.top = `${Math.min(clientY, window.innerHeight - box.height - 4)}px`;
  element.querySelector('button:not(:disabled)')?.focus();
}

// The oldest message the user has not acknowledged, as a modal box.
export function showMessage(modal, messages, acknowledge) {
  const message = messages[0];
  modal.hidden = !message;
  if (!message) return;
  modal.querySelector('#message-title').textContent = message.title || (message.error ? 'Error' : 'Message');
  modal.querySelector('#message-text').textContent = message.text;
  modal.classList.toggle('error', message.error);
  const ok = modal.querySelector('#message-ok');
  ok.onclick = () => acknowledge(message.index + 1);
  ok.focus();
}
