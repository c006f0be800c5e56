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
    aria: [],
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
      // The grid comes only when it changed since the frame the page had.
      if (reply.aria) updateGrid(reply.aria);
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

  function cellKey(c) { return c.table + ':' + c.row + ':' + c.column; }

  var focusingHere = false;  // the page moves the focus itself: not news for the server

  function updateGrid(cells) {
    state.aria = cells;
    var byTable = {};
    cells.forEach(function (c) { (byTable[c.table] = byTable[c.table] || []).push(c); });
    var hadFocus = gridsEl.contains(document.activeElement);
    gridsEl.replaceChildren();
    Object.keys(byTable).forEach(function (table) {
      var list = byTable[table];
      var grid = document.createElement('div');
      grid.className = 'aria-grid';
      grid.setAttribute('role', 'grid');
      grid.setAttribute('aria-label', 'Table ' + (Number(table) + 1));
      grid.setAttribute('aria-rowcount', String(list[0].rowCount));
      grid.setAttribute('aria-colcount', String(list[0].columnCount));
      var rows = {};
      list.sort(function (a, b) { return a.row - b.row || a.column - b.column; });
      list.forEach(function (c) {
        var row = rows[c.row];
        if (!row) {
          row = rows[c.row] = document.createElement('div');
          row.setAttribute('role', 'row');
          row.setAttribute('aria-rowindex', String(c.row));
          grid.appendChild(row);
        }
        var cell = document.createElement('div');
        cell.className = 'aria-cell';
        cell.setAttribute('role', c.role || 'gridcell');
        cell.setAttribute('aria-colindex', String(c.column));
        if (c.sort) cell.setAttribute('aria-sort', c.sort);
        if (c.expanded >= 0) cell.setAttribute('aria-expanded', c.expanded ? 'true' : 'false');
        if (c.role === 'gridcell') cell.setAttribute('aria-selected', c.selected ? 'true' : 'false');
        if (c.hint) cell.setAttribute('aria-description', c.hint);
        cell.textContent = c.label;
        cell.style.left = c.bounds[0] + 'px';
        cell.style.top = c.bounds[1] + 'px';
        cell.style.width = c.bounds[2] + 'px';
        cell.style.height = c.bounds[3] + 'px';
        cell.dataset.key = cellKey(c);
        cell.tabIndex = -1;
        cell.addEventListener('focus', function () { focusCell(c); });
        row.appendChild(cell);
      });
      gridsEl.appendChild(grid);
    });
    // The library's focus is the page's: the cell it focused takes the
    // page's focus (when the page's focus is in a grid) and is spoken.
    var focused = cells.filter(function (c) { return c.focused; })[0];
    if (focused) {
      var key = cellKey(focused);
      if (key !== state.spokenKey) speak(focused);
      state.spokenKey = key;
      state.focusKey = key;
    }
    var target = state.focusKey && gridsEl.querySelector('[data-key="' + state.focusKey + '"]');
    if (!target) target = gridsEl.querySelector('.aria-cell');
    if (target) {
      target.tabIndex = 0;
      if (hadFocus) {
        focusingHere = true;
        target.focus({ preventScroll: true });
        focusingHere = false;
      }
    }
  }

  function speak(c) {
    liveEl.textContent = c.hint ? c.label + '. ' + c.hint : c.label;
  }

  // A cell took the page's focus (Tab, a screen reader's cursor): the
  // library's controller is told, and its answer is spoken.
  function focusCell(c) {
    if (focusingHere) return;
    var key = cellKey(c);
    gridsEl.querySelectorAll('.aria-cell').forEach(function (x) { x.tabIndex = x.dataset.key === key ? 0 : -1; });
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
