// The viewer's picture and what the pointer does on it. The picture is the
// host's SVG of the current viewer; a pointer position becomes viewer units
// (y upwards) through the picture's screen matrix and the frame the server
// reports, and gestures become script steps, so that the host does the
// picking: a click is `click X Y`; a drag is `press X Y`, then `motion X Y`
// while the pointer moves (one at a time: the newest point waits for the
// step before it) and `release X Y`, so that the host drags what it grabbed
// step by step and its cursor (drop allowed or refused) shows while it
// lasts; the right button is `menu X Y`, a double click on a group `expand`
// or `collapse`.

const SVG_NS = 'http://www.w3.org/2000/svg';
const DRAG_THRESHOLD_PX = 4;
const DOUBLE_CLICK_MS = 450;
const MIN_UNIT_PX = 0.2;
const MAX_UNIT_PX = 40;

// Cursor values the host reports for the pointer, as CSS cursors: while
// list rows are dragged, 5 over an activity that refuses them and 8 over
// one that accepts them. Values not listed keep the page's own cursor.
const HOST_CURSORS = { 5: 'no-drop', 8: 'copy' };

export class Canvas {
  // handlers: step(line, {quiet}), select(node), hover(node, point), menu(clientX, clientY, point)
  constructor(element, handlers) {
    this.element = element;
    this.handlers = handlers;
    this.svg = null;
    this.icons = new Map();  // the picture's icon symbols by id: {href, style}
    this.overlay = null;
    this.frame = null;
    this.nodes = [];
    this.unitPx = null;  // CSS pixels per viewer unit; null until the first fit
    this.press = null;
    this.selectedId = null;
    this.lastClick = null;
    this.listen();
  }

  setState(state) {
    this.nodes = state.viewer ? state.viewer.nodes : [];
    const cursor = HOST_CURSORS[state.cursor] || '';
    this.element.style.cursor = cursor;
    this.element.dataset.hostCursor = String(state.cursor ?? 0);
  }

  // Replaces the picture, keeping the viewer point at the top-left corner
  // of the window where it was (the picture's frame follows the scene).
  setPicture(svgText, frame) {
    const anchor = this.svg && this.frame ? this.toViewerFromScroll() : null;
    this.svg?.remove();
    this.svg = null;
    this.frame = frame;
    if (!svgText || !frame) return;
    const parsed = new DOMParser().parseFromString(svgText, 'image/svg+xml');
    if (parsed.documentElement.nodeName !== 'svg') return;
    this.icons = iconSources(parsed.documentElement, new Map());
    inlineIcons(parsed.documentElement.children, this.icons);
    this.svg = document.importNode(parsed.documentElement, true);
    this.svg.classList.add('picture');
    this.overlay = document.createElementNS(SVG_NS, 'g');
    this.overlay.setAttribute('class', 'overlay');
    this.svg.appendChild(this.overlay);
    this.element.appendChild(this.svg);
    if (this.unitPx === null) this.fit();
    else this.applyZoom();
    if (anchor) this.scrollToViewer(anchor);
    this.highlight(this.selectedId, 'selected');
  }

  hasPicture() {
    return this.svg !== null;
  }

  // Applies the server's edits of the picture's elements (each edit
  // [at, removed, inserted] counted in the picture shown); false when they
  // do not fit it, and the whole picture must be fetched.
  patchPicture(patch) {
    if (!this.svg) return false;
    const parsed = new DOMParser().parseFromString(`<svg xmlns="${SVG_NS}">${patch.lines}</svg>`, 'image/svg+xml');
    if (parsed.querySelector('parsererror')) return false;
    if (parsed.documentElement.children.length !== patch.edits.reduce((sum, e) => sum + e[2], 0)) return false;
    // The elements each edit removes and the one its elements go before,
    // found by position before anything moves (the overlay is the last
    // child; the picture's thousands of elements are not listed).
    const children = this.svg.children;
    const shown = children.length - 1;
    const places = [];
    for (const [at, removed] of patch.edits) {
      if (at + removed > shown) return false;
      const gone = [];
      for (let i = at; i < at + removed; ++i) gone.push(children[i]);
      places.push({ gone, before: children[at + removed] });
    }
    if (parsed.querySelector('defs')) this.icons = iconSources(parsed.documentElement, this.icons);
    const fresh = inlineIcons(parsed.documentElement.children, this.icons);
    let next = 0;
    patch.edits.forEach(([, , inserted], i) => {
      for (const node of fresh.slice(next, next + inserted)) this.svg.insertBefore(document.importNode(node, true), places[i].before);
      next += inserted;
      for (const node of places[i].gone) node.remove();
    });
    this.highlight(this.selectedId, 'selected');
    return this.svg.children.length - 1 === patch.count;  // the overlay is the last child
  }

  fit() {
    if (!this.frame) return;
    const width = this.frame.width / this.frame.scale;
    const height = this.frame.height / this.frame.scale;
    const box = this.element.getBoundingClientRect();
    this.unitPx = clamp(Math.min((box.width - 16) / width, (box.height - 16) / height));
    this.applyZoom();
  }

  zoomBy(factor, clientX, clientY) {
    if (!this.frame || this.unitPx === null) return;
    const box = this.element.getBoundingClientRect();
    const x = clientX ?? box.left + box.width / 2;
    const y = clientY ?? box.top + box.height / 2;
    const before = this.toViewer(x, y);
    this.unitPx = clamp(this.unitPx * factor);
    this.applyZoom();
    const after = this.toViewer(x, y);
    this.element.scrollLeft += (before.x - after.x) * this.unitPx;
    this.element.scrollTop -= (before.y - after.y) * this.unitPx;
  }

  applyZoom() {
    if (!this.svg) return;
    this.svg.style.width = `${(this.frame.width / this.frame.scale) * this.unitPx}px`;
    this.svg.style.height = `${(this.frame.height / this.frame.scale) * this.unitPx}px`;
  }

  // Viewer units of a point on the screen.
  toViewer(clientX, clientY) {
    const point = this.svg.createSVGPoint();
    point.x = clientX;
    point.y = clientY;
    const p = point.matrixTransform(this.svg.getScreenCTM().inverse());
    return { x: this.frame.left + p.x / this.frame.scale, y: this.frame.top - p.y / this.frame.scale };
  }

  toViewerFromScroll() {
    const box = this.element.getBoundingClientRect();
    const pictureBox = this.svg.getBoundingClientRect();
    return this.toViewer(Math.max(box.left, pictureBox.left), Math.max(box.top, pictureBox.top));
  }

  scrollToViewer(point) {
    const pictureBox = this.svg.getBoundingClientRect();
    const box = this.element.getBoundingClientRect();
    const offsetX = pictureBox.left - box.left + this.element.scrollLeft;
    const offsetY = pictureBox.top - box.top + this.element.scrollTop;
    this.element.scrollLeft = offsetX + (point.x - this.frame.left) * this.unitPx;
    this.element.scrollTop = offsetY + (this.frame.top - point.y) * this.unitPx;
  }

  // The topmost node whose box holds the point.
  nodeAt(point) {
    for (let i = this.nodes.length - 1; i >= 0; --i) {
      const n = this.nodes[i];
      if (Math.abs(point.x - n.x) <= n.width / 2 && Math.abs(point.y - n.y) <= n.height / 2) return n;
    }
    return null;
  }

  select(id) {
    this.selectedId = id;
    this.highlight(id, 'selected');
  }

  // Draws a box around the node in the overlay (in the picture's pixels).
  highlight(id, kind) {
    if (!this.overlay) return;
    this.overlay.querySelector(`.${kind}`)?.remove();
    const node = this.nodes.find((n) => n.id === id);
    if (node) this.overlay.appendChild(this.box(node.x, node.y, node.width, node.height, kind));
  }

  box(x, y, width, height, kind) {
    const pad = 1;
    const rect = document.createElementNS(SVG_NS, 'rect');
    rect.setAttribute('class', kind);
    rect.setAttribute('x', (x - width / 2 - pad - this.frame.left) * this.frame.scale);
    rect.setAttribute('y', (this.frame.top - (y + height / 2 + pad)) * this.frame.scale);
    rect.setAttribute('width', (width + 2 * pad) * this.frame.scale);
    rect.setAttribute('height', (height + 2 * pad) * this.frame.scale);
    rect.setAttribute('rx', this.frame.scale);
    return rect;
  }

  // A dashed outline of the dragged node at its new place, or a line from
  // where the drag began.
  drawGhost(point) {
    this.overlay.querySelector('.ghost')?.remove();
    const { start, node } = this.press;
    let ghost;
    if (node) {
      ghost = this.box(node.x + point.x - start.x, node.y + point.y - start.y, node.width, node.height, 'ghost');
    } else {
      ghost = document.createElementNS(SVG_NS, 'line');
      ghost.setAttribute('class', 'ghost');
      ghost.setAttribute('x1', (start.x - this.frame.left) * this.frame.scale);
      ghost.setAttribute('y1', (this.frame.top - start.y) * this.frame.scale);
      ghost.setAttribute('x2', (point.x - this.frame.left) * this.frame.scale);
      ghost.setAttribute('y2', (this.frame.top - point.y) * this.frame.scale);
    }
    this.overlay.appendChild(ghost);
  }

  listen() {
    const el = this.element;
    el.addEventListener('pointerdown', (e) => this.onDown(e));
    el.addEventListener('pointermove', (e) => this.onMove(e));
    el.addEventListener('pointerup', (e) => this.onUp(e));
    el.addEventListener('pointercancel', () => {
      // The host's drag ends where it began, as a drop refused.
      const press = this.press;
      this.cancelPress();
      if (press?.dragging) this.handlers.step(['release', press.start.x, press.start.y], { quiet: true });
    });
    el.addEventListener('pointerleave', () => {
      if (!this.press) this.handlers.hover(null, null);
    });
    el.addEventListener('contextmenu', (e) => {
      e.preventDefault();
      if (!this.svg) return;
      this.handlers.menu(e.clientX, e.clientY, this.toViewer(e.clientX, e.clientY));
    });
    el.addEventListener('wheel', (e) => {
      if (!e.ctrlKey) return;
      e.preventDefault();
      this.zoomBy(e.deltaY < 0 ? 1.15 : 1 / 1.15, e.clientX, e.clientY);
    }, { passive: false });
  }

  onDown(e) {
    if (!this.svg || (e.button !== 0 && e.button !== 1)) return;
    e.preventDefault();
    this.element.focus({ preventScroll: true });
    this.element.setPointerCapture(e.pointerId);
    const start = this.toViewer(e.clientX, e.clientY);
    this.press = {
      pan: e.button === 1,
      clientX: e.clientX,
      clientY: e.clientY,
      scrollLeft: this.element.scrollLeft,
      scrollTop: this.element.scrollTop,
      start,
      node: this.nodeAt(start),
      dragging: false,
    };
  }

  onMove(e) {
    if (!this.svg) return;
    const point = this.toViewer(e.clientX, e.clientY);
    const press = this.press;
    if (!press) {
      const node = this.nodeAt(point);
      this.highlight(node?.id, 'hovered');
      this.handlers.hover(node, point);
      return;
    }
    if (press.pan) {
      this.element.scrollLeft = press.scrollLeft - (e.clientX - press.clientX);
      this.element.scrollTop = press.scrollTop - (e.clientY - press.clientY);
      return;
    }
    if (!press.dragging && Math.hypot(e.clientX - press.clientX, e.clientY - press.clientY) < DRAG_THRESHOLD_PX) return;
    if (!press.dragging) {
      press.dragging = true;
      this.element.classList.add('dragging');
      this.handlers.step(['press', press.start.x, press.start.y], { quiet: true });
    }
    this.drawGhost(point);
    this.handlers.hover(press.node, point);
    this.sendMotion(press, point);
  }

  // One motion step at a time: while one runs, only the newest point waits.
  sendMotion(press, point) {
    press.pending = point;
    if (press.moving) return;
    press.moving = true;
    const next = press.pending;
    press.pending = null;
    this.handlers.step(['motion', next.x, next.y], { quiet: true }).finally(() => {
      press.moving = false;
      if (press.pending && this.press === press) this.sendMotion(press, press.pending);
    });
  }

  onUp(e) {
    const press = this.press;
    this.cancelPress();
    if (!press || press.pan || !this.svg) return;
    const end = this.toViewer(e.clientX, e.clientY);
    const { start } = press;
    if (press.dragging) {
      this.handlers.step(['release', end.x, end.y], { quiet: true });
      return;
    }
    // A second click on the same group soon after the first expands or
    // collapses it (the picture may have been replaced in between, so the
    // browser's own double click cannot be relied on).
    const now = performance.now();
    const previous = this.lastClick;
    this.lastClick = { time: now, id: press.node?.id };
    if (previous && press.node && previous.id === press.node.id &&
        now - previous.time < DOUBLE_CLICK_MS && press.node.superNode !== 'none') {
      this.lastClick = null;
      const expanded = press.node.superNode === 'expanded';
      this.handlers.step([expanded ? 'collapse' : 'expand', press.node.id]);
      return;
    }
    this.handlers.step(['click', start.x, start.y], { quiet: true });
    this.select(press.node?.id ?? null);
    this.handlers.select(press.node);
  }

  cancelPress() {
    this.press = null;
    this.element.classList.remove('dragging');
    this.overlay?.querySelector('.ghost')?.remove();
  }

}

// The picture draws its icons as <use> elements of a few symbols. The
// browser gives each <use> a tree of its own and a transform, which made
// every change of a large picture cost a new layering of all its thousands
// of parts; each becomes an <image> of its symbol's pixels instead, in the
// same place and size and with the same class.
const ICON_PLACE = ['class', 'x', 'y', 'width', 'height', 'transform'];

function iconSources(root, known) {
  const sources = new Map(known);
  for (const image of root.querySelectorAll('defs symbol > image')) {
    sources.set(image.parentNode.id, { href: image.getAttribute('href'), style: image.getAttribute('style') });
  }
  return sources;
}

// Gives the elements, those replaced by their images.
function inlineIcons(elements, sources) {
  return [...elements].map((use) => {
    if (use.localName !== 'use' || !use.classList.contains('image')) return use;
    const source = sources.get((use.getAttribute('href') ?? '').slice(1));
    if (!source) return use;
    const image = use.ownerDocument.createElementNS(SVG_NS, 'image');
    for (const name of ICON_PLACE) if (use.hasAttribute(name)) image.setAttribute(name, use.getAttribute(name));
    image.setAttribute('preserveAspectRatio', 'none');
    if (source.style) image.setAttribute('style', source.style);
    image.setAttribute('href', source.href);
    use.replaceWith(image);
    return image;
  });
}

function clamp(unitPx) {
  return Math.min(MAX_UNIT_PX, Math.max(MIN_UNIT_PX, unitPx));
}
