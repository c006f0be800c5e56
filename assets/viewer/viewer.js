// SPDX-License-Identifier: Apache-2.0
// The report viewer page of `orvane serve`. It sends what the pointer, the
// wheel and the keyboard do over the drawn page to the server, which turns
// it into the library's gestures, and paints the frames the server answers
// with. Tables' accessibility elements become an ARIA grid over the frame.
(function () {
  'use strict';

  var frameEl = document.getElementById('frame');
  var gridsEl = document.getElementById('grids');
  var liveEl = document.getElementById('live');
  var statusEl = document.getElementById('status');

  var state = {
    session: null,
    frame: -1,          // the frame painted
    svg: '',            // its text
    width: 0,
    height: 0,
    pending: [],        // events not sent yet
    inFlight: false,    // one request at a time; events wait and are merged
    pressed: false,
    aria: [],           // the grid's cells, as the server last described them
    gridFrame: -1,      // the frame whose grid the page shows
    focusKey: null,     // "table:row:column" of the focused grid cell
    spokenKey: null,    // the library's focused cell last spoken
    replies: 0,         // answers to input painted so far
    starting: null
  };
  window.orvaneViewer = state;

  var MODS = function (e) {
    return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0) | (e.metaKey ? 8 : 0);
  };

  function setStatus(text) { statusEl.textContent = text; }

  function request(method, url, body) {
    var init = { method: method, headers: {} };
    if (body !== undefined) {
      init.headers['Content-Type'] = 'application/json';
      init.body = JSON.stringify(body);
    }
    return fetch(url, init).then(function (r) {
      return r.json().then(function (json) { return { status: r.status, json: json }; },
                           function () { return { status: r.status, json: {} }; });
    });
  }

  // ---- Sessions ----

  function start() {
    if (state.starting) return state.starting;
    var width = Math.max(1, Math.round(document.documentElement.clientWidth || window.innerWidth || 1024));
    state.frame = -1;
    state.gridFrame = -1;  // a new session numbers its frames from the start
    state.starting = request('POST', '/session', { width: width }).then(function (r) {
      state.starting = null;
      if (r.status !== 200) {
        setStatus('The server refused a new session: ' + (r.json.error || r.status));
        return false;
      }
      state.session = r.json.session;
      return receive(r.json).then(function () { return true; });
    }, function () {
      state.starting = null;
      setStatus('The server cannot be reached.');
      return false;
    });
    return state.starting;
  }

  window.addEventListener('pagehide', function () {
    if (state.session && navigator.sendBeacon) navigator.sendBeacon('/s/' + state.session + '/close', '{}');
  });

  // ---- Frames ----

  // Each edit keeps some lines of the old frame, drops some, adds new ones;
  // the lines after the last edit are kept.
  function applyDelta(text, delta) {
    var lines = text.match(/[^\n]*\n|[^\n]+$/g) || [];
    var out = [];
    var at = 0;
    delta.edits.forEach(function (edit) {
      out.push(lines.slice(at, at + edit[0]).join(''));
      at += edit[0] + edit[1];
      out.push(edit[2]);
    });
    out.push(lines.slice(at).join(''));
    return out.join('');
  }

  // Paints the frame text in one step once its pictures are decoded, so the
  // page never shows a half-built or blank frame.
  function paint(text) {
    var holder = document.createElement('div');
    holder.innerHTML = text.replace(/^<\?xml[^>]*\?>\s*/, '');
    var svg = holder.querySelector('svg');
    if (!svg) return Promise.resolve();
    var decodes = Array.prototype.map.call(svg.querySelectorAll('image'), function (image) {
      var href = image.getAttribute('href') || image.getAttribute('xlink:href');
      if (!href) return Promise.resolve();
      var img = new Image();
      img.src = href;
      return img.decode ? img.decode().catch(function () {}) : Promise.resolve();
    });
    return Promise.all(decodes).then(function () {
      return new Promise(function (resolve) {
        requestAnimationFrame(function () {
          frameEl.replaceChildren(svg);
          resolve();
        });
      });
    });
  }

  // Replies are taken one at a time, in the order they arrive: a long-poll
  // and an answer to input may both carry the same new frame.
  var receiving = Promise.resolve();
  function receive(reply) {
    receiving = receiving.then(function () { return receiveNow(reply); }, function () { return receiveNow(reply); });
    return receiving;
  }

  function receiveNow(reply) {
    if (reply.frame < state.frame) return Promise.resolve();  // an older answer overtaken by a newer one
    var text = null;
    if (reply.frame !== state.frame) {
      if (typeof reply.svg === 'string') text = reply.svg;
      else if (reply.delta && reply.delta.from === state.frame) text = applyDelta(state.svg, reply.delta);
      else {
        fetchFrame(-1, 0);  // out of step: ask for the whole frame
        return Promise.resolve();
      }
    }
    state.width = reply.width;
    state.height = reply.height;
    var painted = Promise.resolve();
    if (text !== null) {
      state.svg = text;
      state.frame = reply.frame;
      painted = paint(text);
    }
    return painted.then(function () {
      document.body.setAttribute('data-frame', String(reply.frame));
      setStatus('Frame ' + reply.frame + ' · ' + Math.round(reply.width) + ' × ' + Math.round(reply.height) +
                ' · tap, drag, wheel or type over the report');
      // The grid comes only when it changed since the frame the page had:
      // whole, or as the cells set and removed since the grid before.
      if (!takeGrid(reply)) {
        fetchFrame(-1, 0);  // the page's grid is out of step: ask for all of it
        return;
      }
      fitWidth();
      // Animations (a fling, a transition) and a held press keep the page
      // asking for frames while they last.
      if (reply.animating) fetchFrame(state.frame, 500);
    });
  }

  function fetchFrame(have, wait) {
    if (!state.session) return start();
    var url = '/s/' + state.session + '/frame?have=' + have + (wait ? '&wait=' + wait : '');
    return request('GET', url).then(function (r) {
      if (r.status === 404) return start();
      if (r.status === 200) return receive(r.json);
    });
  }

  // ---- Events ----

  // Merges an event into the waiting ones the way the server does: a move
  // replaces a move, wheel steps add up.
  function queue(event) {
    var last = state.pending[state.pending.length - 1];
    if (last && last.type === event.type && last.mods === event.mods) {
      if (event.type === 'move') { state.pending[state.pending.length - 1] = event; return flush(); }
      if (event.type === 'wheel') { last.dx += event.dx; last.dy += event.dy; last.x = event.x; last.y = event.y; return flush(); }
    }
    state.pending.push(event);
    flush();
  }

  function flush() {
    if (state.inFlight || !state.pending.length) return;
    if (!state.session) { start().then(flush); return; }
    var events = state.pending.splice(0, 256);
    state.inFlight = true;
    var sent = performance.now();
    request('POST', '/s/' + state.session + '/events', { have: state.frame, events: events }).then(function (r) {
      if (r.status === 404) {
        state.session = null;
        return start();
      }
      if (r.status !== 200) { setStatus('The server refused the input: ' + (r.json.error || r.status)); return; }
      return receive(r.json).then(function () {
        state.lastRoundTrip = performance.now() - sent;
        // Whether a view took this input (frames fetched meanwhile say nothing of it).
        state.lastHandled = r.json.handled;
        state.replies += 1;
        if (!r.json.handled) events.forEach(unhandled);
      });
    }).catch(function () { setStatus('The server cannot be reached.'); }).then(function () {
      state.inFlight = false;
      flush();
    });
  }

  // A wheel step no view took scrolls the browser's page instead.
  function unhandled(event) {
    if (event.type === 'wheel') window.scrollBy(event.dx, event.dy);
  }

  function pagePoint(e) {
    var svg = frameEl.querySelector('svg');
    var rect = (svg || frameEl).getBoundingClientRect();
    var scale = rect.width > 0 && state.width ? state.width / rect.width : 1;
    return { x: (e.clientX - rect.left) * scale, y: (e.clientY - rect.top) * scale };
  }

  function pointerEvent(type, e) {
    var p = pagePoint(e);
    queue({ type: type, x: p.x, y: p.y, t: e.timeStamp || performance.now(), mods: MODS(e) });
  }

  frameEl.addEventListener('pointerdown', function (e) {
    if (e.button !== 0) return;
    state.pressed = true;
    try { frameEl.setPointerCapture(e.pointerId); } catch (ignored) {}
    pointerEvent('down', e);
    e.preventDefault();
  });
  frameEl.addEventListener('pointermove', function (e) { if (state.pressed) pointerEvent('move', e); });
  frameEl.addEventListener('pointerup', function (e) {
    if (!state.pressed) return;
    state.pressed = false;
    pointerEvent('up', e);
  });
  frameEl.addEventListener('pointercancel', function (e) {
    if (!state.pressed) return;
    state.pressed = false;
    queue({ type: 'cancel', t: e.timeStamp || performance.now() });
  });
  frameEl.addEventListener('wheel', function (e) {
    var unit = e.deltaMode === 1 ? 16 : e.deltaMode === 2 ? window.innerHeight : 1;
    var p = pagePoint(e);
    queue({ type: 'wheel', x: p.x, y: p.y, dx: e.deltaX * unit, dy: e.deltaY * unit,
            t: e.timeStamp || performance.now(), mods: MODS(e) });
    e.preventDefault();
  }, { passive: false });

  document.addEventListener('keydown', function (e) {
    if (e.key === 'Tab' || e.isComposing || e.key.length > 32) return;
    if (gridKey(e)) { e.preventDefault(); return; }
    queue({ type: 'key', key: e.key, t: e.timeStamp || performance.now(), mods: MODS(e) });
    if (e.key.indexOf('Arrow') === 0 || e.key === 'PageDown' || e.key === 'PageUp' || e.key === ' ' ||
        e.key === 'Home' || e.key === 'End') e.preventDefault();
  });

  // The report is laid out as wide as the browser shows the page (a phone's
  // screen may only settle on its width after the first frame).
  function fitWidth() {
    var width = Math.round(document.documentElement.clientWidth);
    var last = state.pending[state.pending.length - 1];
    if (last && last.type === 'resize') return;
    if (width > 0 && Math.abs(width - state.width) >= 1) queue({ type: 'resize', width: width });
  }

  var resizeTimer = null;
  window.addEventListener('resize', function () {
    clearTimeout(resizeTimer);
    resizeTimer = setTimeout(fitWidth, 150);
  });

  // ---- The ARIA grid ----

  // Each grid cell's element is kept by the cell's id and changed in place,
  // so that a change of a few cells touches a few elements (and a screen
  // reader's cursor stays on its element).
  var cellEls = {};    // id -> element
  var cellData = {};   // id -> cell
  var gridEls = {};    // table -> grid element
  var focusingHere = false;  // the page moves the focus itself: not news for the server

  function cellKey(c) { return c.table + ':' + c.row + ':' + c.column; }

  // Takes the grid part of a reply; false when the reply's changes do not
  // apply to the grid the page has.
  function takeGrid(reply) {
    if (reply.gridNames) {
      state.gridNames = reply.gridNames;
      Object.keys(gridEls).forEach(function (table) {
        gridEls[table].setAttribute('aria-label', gridName(Number(table)));
      });
    }
    if (reply.aria) {
      replaceGrid(reply.aria);
      state.gridFrame = reply.frame;
    } else if (reply.ariaDelta) {
      var d = reply.ariaDelta;
      if (state.gridFrame < d.to) {
        if (state.gridFrame < d.from) return false;
        changeGrid(d.set, d.removed);
      }
    }
    state.gridFrame = Math.max(state.gridFrame, reply.frame);
    return true;
  }

  function replaceGrid(cells) {
    var hadFocus = gridsEl.contains(document.activeElement);
    cellEls = {};
    cellData = {};
    gridEls = {};
    gridsEl.replaceChildren();
    applyCells(cells, []);
    followFocus(hadFocus);
  }

  function changeGrid(set, removed) {
    var hadFocus = gridsEl.contains(document.activeElement);
    applyCells(set, removed);
    followFocus(hadFocus);
  }

  // Sets and removes cells in the grids' elements and in state.aria.
  function applyCells(set, removed) {
    removed.forEach(function (id) {
      var el = cellEls[id];
      delete cellEls[id];
      delete cellData[id];
      if (!el) return;
      var row = el.parentNode;
      el.remove();
      if (row && !row.firstChild) row.remove();
    });
    set.forEach(function (c) {
      cellData[c.id] = c;
      var el = cellEls[c.id];
      if (!el) {
        el = cellEls[c.id] = document.createElement('div');
        el.className = 'aria-cell';
        el.tabIndex = -1;
        el.addEventListener('focus', function () { focusCell(cellData[el.dataset.id]); });
        el.dataset.id = c.id;
        insertSorted(rowOf(c), el, 'aria-colindex', c.column);
      }
      describeCell(el, c);
    });
    Object.keys(gridEls).forEach(function (table) {
      if (!gridEls[table].firstChild) { gridEls[table].remove(); delete gridEls[table]; }
    });
    state.aria = Object.keys(cellData).map(function (id) { return cellData[id]; });
  }

  // Keeps the children of `parent` in the order of a numeric attribute.
  function insertSorted(parent, el, attribute, value) {
    el.setAttribute(attribute, String(value));
    var next = Array.prototype.find.call(parent.children, function (x) {
      return Number(x.getAttribute(attribute)) > value;
    });
    parent.insertBefore(el, next || null);
  }

  function gridName(table) {
    return (state.gridNames && state.gridNames[table]) || 'Table ' + (table + 1);
  }

  function rowOf(c) {
    var grid = gridEls[c.table];
    if (!grid) {
      grid = gridEls[c.table] = document.createElement('div');
      grid.className = 'aria-grid';
      grid.setAttribute('role', 'grid');
      grid.setAttribute('aria-label', gridName(c.table));
      insertSorted(gridsEl, grid, 'data-table', c.table);
    }
    grid.setAttribute('aria-rowcount', String(c.rowCount));
    grid.setAttribute('aria-colcount', String(c.columnCount));
    var row = grid.querySelector(':scope > [aria-rowindex="' + c.row + '"]');
    if (!row) {
      row = document.createElement('div');
      row.setAttribute('role', 'row');
      insertSorted(grid, row, 'aria-rowindex', c.row);
    }
    return row;
  }

  function setOrRemove(el, name, value) {
    if (value === null) el.removeAttribute(name);
    else if (el.getAttribute(name) !== value) el.setAttribute(name, value);
  }

  function describeCell(el, c) {
    setOrRemove(el, 'role', c.role || 'gridcell');
    setOrRemove(el, 'aria-sort', c.sort || null);
    setOrRemove(el, 'aria-expanded', c.expanded >= 0 ? (c.expanded ? 'true' : 'false') : null);
    setOrRemove(el, 'aria-selected', c.role === 'gridcell' ? (c.selected ? 'true' : 'false') : null);
    setOrRemove(el, 'aria-description', c.hint || null);
    if (el.textContent !== c.label) el.textContent = c.label;
    el.style.left = c.bounds[0] + 'px';
    el.style.top = c.bounds[1] + 'px';
    el.style.width = c.bounds[2] + 'px';
    el.style.height = c.bounds[3] + 'px';
    el.dataset.key = cellKey(c);
  }

  // The library's focus is the page's: the cell it focused in the grid the
  // page's focus is in takes the page's focus (when the page's focus is in
  // a grid) and is spoken. Each grid is one stop of the Tab key: its
  // focused cell, else the first.
  function followFocus(hadFocus) {
    var active = state.focusKey ? Number(state.focusKey.split(':')[0]) : null;
    var focused = state.aria.filter(function (c) { return c.focused; });
    var mine = focused.filter(function (c) { return c.table === active; })[0] || (active === null && focused[0]);
    focused.forEach(function (c) { tabTo(cellEls[c.id]); });
    Object.keys(gridEls).forEach(function (table) {
      var grid = gridEls[table];
      if (!grid.querySelector('.aria-cell[tabindex="0"]')) tabTo(grid.querySelector('.aria-cell'));
    });
    if (!mine) return;
    var key = cellKey(mine);
    if (key !== state.spokenKey) speak(mine);
    state.spokenKey = key;
    state.focusKey = key;
    var target = cellEls[mine.id];
    if (hadFocus && target && document.activeElement !== target) {
      focusingHere = true;
      target.focus({ preventScroll: true });
      focusingHere = false;
    }
  }

  // The cell Tab reaches in its grid.
  function tabTo(target) {
    if (!target || target.tabIndex === 0) return;
    var grid = target.closest('[role=grid]');
    if (grid) grid.querySelectorAll('.aria-cell[tabindex="0"]').forEach(function (x) { x.tabIndex = -1; });
    target.tabIndex = 0;
  }

  // The grids as a person's screen reader meets them, attribute by
  // attribute (tests compare the grid built from changes with a new one).
  state.describeGrids = function (root) {
    return Array.prototype.map.call((root || gridsEl).querySelectorAll('[role=grid]'), function (g) {
      return { label: g.getAttribute('aria-label'), rows: g.getAttribute('aria-rowcount'),
               columns: g.getAttribute('aria-colcount'),
               cells: Array.prototype.map.call(g.querySelectorAll('[role=row]'), function (r) {
                 return [r.getAttribute('aria-rowindex')].concat(Array.prototype.map.call(r.children, function (x) {
                   return ['role', 'aria-colindex', 'aria-sort', 'aria-expanded', 'aria-selected',
                           'aria-description'].map(function (a) { return x.getAttribute(a); })
                     .concat([x.textContent, x.style.cssText]);
                 }));
               }) };
    });
  };
  // A grid built anew from cells, away from the page.
  state.buildGrids = function (cells) {
    var saved = [cellEls, cellData, gridEls, state.aria, gridsEl];
    var holder = document.createElement('div');
    gridsEl = holder;
    cellEls = {}; cellData = {}; gridEls = {};
    applyCells(cells, []);
    var built = state.describeGrids(holder);
    cellEls = saved[0]; cellData = saved[1]; gridEls = saved[2]; state.aria = saved[3]; gridsEl = saved[4];
    return built;
  };

  function speak(c) {
    liveEl.textContent = c.hint ? c.label + '. ' + c.hint : c.label;
  }

  // A cell took the page's focus (Tab, a screen reader's cursor): the
  // library's controller is told, and its answer is spoken.
  function focusCell(c) {
    if (focusingHere) return;
    var key = cellKey(c);
    tabTo(cellEls[c.id]);
    if (key === state.focusKey && key === state.spokenKey) return;
    state.focusKey = key;
    queue({ type: 'focus', grid: c.table, row: c.row, column: c.column });
  }

  var MOVES = { ArrowDown: 'down', ArrowUp: 'up', ArrowRight: 'right', ArrowLeft: 'left', Home: 'home', End: 'end' };

  // Keys while a grid cell has the page's focus: arrows, Home and End move
  // the library's focus through the whole table (it pages as needed); p
  // plays the focused column (Shift+p its row). True when the key was used.
  function gridKey(e) {
    if (!gridsEl.contains(document.activeElement) || !state.focusKey) return false;
    var parts = state.focusKey.split(':').map(Number);
    if (e.key === 'p' || e.key === 'P') {
      var here = state.aria.filter(function (c) { return c.table === parts[0]; });
      play(here.filter(function (c) {
        return e.shiftKey ? c.row === parts[1] : c.column === parts[2];
      }).filter(function (c) { return c.role === 'gridcell'; }));
      return true;
    }
    var move = MOVES[e.key];
    if (!move) return false;
    if (e.ctrlKey && (move === 'home' || move === 'end')) move = move === 'home' ? 'first' : 'last';
    queue({ type: 'focus', grid: parts[0], row: parts[1], column: parts[2], move: move });
    return true;
  }

  // ---- Sound ----

  // Plays the cells' values as the library's tones, one after another.
  function play(cells) {
    var values = cells.map(function (c) {
      var n = parseFloat(String(c.label).replace(/[^0-9.eE+-]/g, ''));
      return isFinite(n) ? String(n) : 'NaN';
    });
    if (!values.length) return Promise.resolve();
    return request('GET', '/tones?values=' + encodeURIComponent(values.join(','))).then(function (r) {
      var tones = (r.json && r.json.tones) || [];
      return tones.reduce(function (done, url) {
        return done.then(function () {
          return new Promise(function (resolve) {
            var audio = new Audio(url);
            audio.onended = audio.onerror = function () { resolve(); };
            audio.play().catch(function () { resolve(); });
          });
        });
      }, Promise.resolve());
    });
  }
  state.play = play;

  start();
})();
