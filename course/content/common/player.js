/*
 * The lesson player of the course: an animated spreadsheet that goes through
 * the steps of a video lesson, with a caption, a progress bar and the buttons
 * play/pause, step forward, step back and restart.
 *
 *   CoursePlayer.play(element, { columns, rows, title, steps: [...] })
 *
 * A step may hold (see the course README):
 *   caption, select, set, clear, style, menu, sheets, activeSheet, widths,
 *   chart {type, labels, values, title}.
 * and, for the lessons that need them:
 *   heights  row -> height in pixels, like widths;
 *   style    also takes '-bold' (and so on) to take a style off, 'none' to
 *            clear all styles of a range, 'unmerge' to split merged cells,
 *            'head' for the bold header look of figure.sheet, 'filter' for
 *            the drop-down button of a filter in a header cell;
 *   hidden   the rows a filter hides: ['2', '5:7']; [] shows them again;
 *   chart    null removes the chart; ranges may name a sheet ('Лист1!B2:B6');
 *            sheet: true puts the chart on a chart sheet of its own;
 *   shapes   drawn objects by name: { r1: {type, from, to, text, fill, line,
 *            width, dash, bold, size, selected} }, type rect, roundrect,
 *            oval, text, button, line, arrow or doublearrow; from and to are
 *            cells, or [cell, x, y] points inside a cell; null removes one;
 *   code     the text of a macro, shown in place of the grid; null hides it.
 * Each sheet keeps its own cells, styles, chart and shapes.
 *
 * The state shown for step N is always rebuilt from step 0 up to N, so
 * stepping back is exact. Odd data (an unknown style, a bad range, a missing
 * cell) is skipped quietly: the player never throws and writes nothing to the
 * console.
 */
(function () {
  'use strict';

  var STEP_MS = 3500;         // one step while playing
  var LONG_CAPTION = 90;      // captions longer than this stay a little longer
  var MS_PER_EXTRA_CHAR = 35;
  var MAX_STEP_MS = 9000;
  var CHANGED_MS = 1400;      // how long changed cells stay marked
  var MAX_COLUMNS = 52;
  var MAX_ROWS = 200;
  var COLUMN_PX = 80;         // a column of the default width
  var ROW_HEAD_PX = 40;       // the column of row numbers
  var CELL_PADDING_PX = 15;   // left and right padding of a cell, with its border

  var STYLES = {
    bold: 's-bold', italic: 's-italic', center: 's-center', right: 's-right',
    fill: 's-fill', border: 's-border', wrap: 's-wrap', big: 's-big',
    percent: 's-percent', head: 'head', filter: ''
  };

  var PALETTE = ['#3f6fb5', '#e0803a', '#5a9e4b', '#c9453e', '#8a63b8',
                 '#2f9c9c', '#c7a12c', '#8c6a4f', '#d46aa6', '#6b7a8f'];

  // The SVG namespace, taken from an <svg> the HTML parser makes itself.
  var svgNamespace = null;
  function svgNs() {
    if (!svgNamespace) {
      var probe = document.createElement('div');
      probe.innerHTML = '<svg></svg>';
      svgNamespace = probe.firstChild.namespaceURI;
    }
    return svgNamespace;
  }

  function has(obj, key) {
    return Object.prototype.hasOwnProperty.call(obj, key);
  }

  /* ---------- addresses ---------- */

  function colName(index) {
    var s = '';
    var n = index + 1;
    while (n > 0) {
      var m = (n - 1) % 26;
      s = String.fromCharCode(65 + m) + s;
      n = Math.floor((n - 1) / 26);
    }
    return s;
  }

  function colIndex(letters) {
    var n = 0;
    for (var i = 0; i < letters.length; i++) {
      n = n * 26 + (letters.charCodeAt(i) - 64);
    }
    return n - 1;
  }

  function cellKey(c, r) {
    return colName(c) + (r + 1);
  }

  // 'B12' -> {c: 1, r: 11}; null when it is not a cell address.
  function parseCell(text) {
    if (typeof text !== 'string') return null;
    var m = /^\$?([A-Za-z]{1,2})\$?(\d{1,4})$/.exec(text.trim());
    if (!m) return null;
    var r = parseInt(m[2], 10) - 1;
    if (r < 0) return null;
    return { c: colIndex(m[1].toUpperCase()), r: r };
  }

  // Splits 'Лист1!A1:B3' into the sheet name and the address part.
  function splitSheet(text) {
    var at = text.lastIndexOf('!');
    if (at < 0) return { sheet: null, ref: text };
    var name = text.slice(0, at).trim();
    if (name.length > 1 && name.charAt(0) === "'" && name.charAt(name.length - 1) === "'") {
      name = name.slice(1, -1);
    }
    return { sheet: name, ref: text.slice(at + 1) };
  }

  // 'A1', 'A1:D3', 'B:D' or '2:4' -> {c1, r1, c2, r2} (ordered, whole columns
  // and rows limited to the grid); null when the text is not a range.
  function parseRange(text, cols, rows) {
    if (typeof text !== 'string') return null;
    var t = splitSheet(text.trim()).ref.trim();
    var parts = t.split(':');
    if (parts.length === 1) {
      var one = parseCell(parts[0]);
      return one ? { c1: one.c, r1: one.r, c2: one.c, r2: one.r } : null;
    }
    if (parts.length !== 2) return null;
    var a = parseCell(parts[0]);
    var b = parseCell(parts[1]);
    if (a && b) {
      return { c1: Math.min(a.c, b.c), r1: Math.min(a.r, b.r),
               c2: Math.max(a.c, b.c), r2: Math.max(a.r, b.r) };
    }
    var ca = /^\$?([A-Za-z]{1,2})$/.exec(parts[0].trim());
    var cb = /^\$?([A-Za-z]{1,2})$/.exec(parts[1].trim());
    if (ca && cb) {
      var x1 = colIndex(ca[1].toUpperCase());
      var x2 = colIndex(cb[1].toUpperCase());
      return { c1: Math.min(x1, x2), r1: 0, c2: Math.max(x1, x2), r2: Math.max(rows - 1, 0) };
    }
    var ra = /^\$?(\d{1,4})$/.exec(parts[0].trim());
    var rb = /^\$?(\d{1,4})$/.exec(parts[1].trim());
    if (ra && rb) {
      var y1 = parseInt(ra[1], 10) - 1;
      var y2 = parseInt(rb[1], 10) - 1;
      if (y1 < 0 || y2 < 0) return null;
      return { c1: 0, r1: Math.min(y1, y2), c2: Math.max(cols - 1, 0), r2: Math.max(y1, y2) };
    }
    return null;
  }

  // A list of ranges: an array, or one string with parts separated by ';' or ','.
  function parseRanges(value, cols, rows) {
    var list = [];
    var items = Array.isArray(value) ? value : (typeof value === 'string' ? value.split(/[;,]/) : []);
    for (var i = 0; i < items.length; i++) {
      var rg = parseRange(items[i], cols, rows);
      if (rg) list.push(rg);
    }
    return list;
  }

  // Cells of a range, never more than the grid can show (a stray 'A1:ZZ9999'
  // must not cost anything).
  function eachCell(rg, cols, rows, fn) {
    var c2 = Math.min(rg.c2, cols - 1);
    var r2 = Math.min(rg.r2, rows - 1);
    for (var r = rg.r1; r <= r2; r++) {
      for (var c = rg.c1; c <= c2; c++) fn(c, r, cellKey(c, r));
    }
  }

  function inRange(rg, c, r) {
    return c >= rg.c1 && c <= rg.c2 && r >= rg.r1 && r <= rg.r2;
  }

  function overlaps(a, b) {
    return a.c1 <= b.c2 && b.c1 <= a.c2 && a.r1 <= b.r2 && b.r1 <= a.r2;
  }

  /* ---------- numbers ---------- */

  // '1 250,50', '-3.5', '12%' , '450 ₽' -> number; NaN for anything else.
  function numberOf(text) {
    if (typeof text === 'number') return isFinite(text) ? text : NaN;
    if (typeof text !== 'string') return NaN;
    var s = text.replace(/[\s\u00a0\u202f]/g, '');
    s = s.replace(/(₽|р\.|руб\.?|%)$/, '');
    s = s.replace(',', '.');
    if (!/^[-+]?(\d+\.?\d*|\.\d+)(e[-+]?\d+)?$/i.test(s)) return NaN;
    return parseFloat(s);
  }

  function looksNumeric(text) {
    if (!text) return false;
    if (!isNaN(numberOf(text))) return true;
    var s = String(text).trim();
    return /^\d{1,2}\.\d{1,2}\.\d{2,4}$/.test(s) ||          // 12.03.2024
           /^\d{1,2}:\d{2}(:\d{2})?$/.test(s) ||              // 9:30
           /^\d{1,2}\.[а-яё]{3}(\.\d{2,4})?$/i.test(s) ||     // 03.май
           /^-?(\d+[\s\u00a0])?\d+\/\d+$/.test(s);            // 1/4, 2 3/8
  }

  // A number in the Russian way: decimal comma, spaces between thousands.
  function formatNumber(x, maxDecimals) {
    if (!isFinite(x)) return '';
    var d = typeof maxDecimals === 'number' ? maxDecimals : 6;
    var k = Math.pow(10, d);
    var v = Math.round(x * k) / k;
    if (v === 0) v = 0;  // no '-0'
    var neg = v < 0;
    var parts = String(Math.abs(v)).split('.');
    if (/e/i.test(parts[0])) return (neg ? '-' : '') + parts.join(',');
    var digits = parts[0];
    if (digits.length > 3) digits = digits.replace(/\B(?=(\d{3})+(?!\d))/g, '\u00a0');
    return (neg ? '-' : '') + digits + (parts[1] ? ',' + parts[1] : '');
  }

  /* ---------- the lesson state ---------- */

  function freshSheet() {
    return { cells: {}, styles: {}, merges: [], chart: null, widths: {}, heights: {}, select: 'A1',
             shapes: {}, code: null, hidden: {} };
  }

  function newState() {
    var first = freshSheet();
    return { names: ['Лист1'], data: [first], active: 0, menu: '', changed: {} };
  }

  function currentSheet(state) {
    return state.data[state.active];
  }

  function sheetByName(state, name) {
    for (var i = 0; i < state.names.length; i++) {
      if (state.names[i] === name) return state.data[i];
    }
    return null;
  }

  // A new list of sheet tabs. A sheet that keeps its name keeps its contents;
  // a new name in the place of a vanished one is taken as a rename.
  function applySheets(state, list) {
    if (!Array.isArray(list)) return;
    var names = [];
    for (var i = 0; i < list.length; i++) {
      var n = list[i] === null || list[i] === undefined ? '' : String(list[i]).trim();
      if (n && names.indexOf(n) < 0) names.push(n);
    }
    if (!names.length) return;
    var oldNames = state.names;
    var activeData = state.data[state.active];
    var used = [];
    var data = [];
    var j;
    for (j = 0; j < names.length; j++) {
      var at = oldNames.indexOf(names[j]);
      data.push(at >= 0 ? state.data[at] : null);
      if (at >= 0) used[at] = true;
    }
    for (j = 0; j < names.length; j++) {
      if (data[j]) continue;
      if (j < oldNames.length && !used[j] && names.indexOf(oldNames[j]) < 0) {
        data[j] = state.data[j];
        used[j] = true;
      } else {
        data[j] = freshSheet();
      }
    }
    var active = data.indexOf(activeData);
    state.names = names;
    state.data = data;
    state.active = active >= 0 ? active : Math.min(state.active, names.length - 1);
  }

  function applyActiveSheet(state, which) {
    if (typeof which === 'number') {
      if (which >= 0 && which < state.names.length) state.active = Math.floor(which);
      return;
    }
    if (typeof which === 'string') {
      var at = state.names.indexOf(which.trim());
      if (at >= 0) state.active = at;
    }
  }

  function valueOf(raw) {
    if (raw === null || raw === undefined || raw === '') return null;
    if (Array.isArray(raw)) {
      if (!raw.length) return null;
      var f = raw[0] === null || raw[0] === undefined ? '' : String(raw[0]);
      if (raw.length < 2 || raw[1] === null || raw[1] === undefined) {
        return f ? { f: f.charAt(0) === '=' ? f : null, v: f } : null;
      }
      return { f: f || null, v: typeof raw[1] === 'number' ? String(raw[1]).replace('.', ',') : String(raw[1]) };
    }
    if (typeof raw === 'number') return isFinite(raw) ? { f: null, v: String(raw).replace('.', ',') } : null;
    if (typeof raw === 'boolean') return { f: null, v: raw ? 'ИСТИНА' : 'ЛОЖЬ' };
    if (typeof raw === 'string') return { f: raw.charAt(0) === '=' ? raw : null, v: raw };
    return null;
  }

  function styleList(raw) {
    if (Array.isArray(raw)) return raw.filter(function (x) { return typeof x === 'string'; });
    if (typeof raw === 'string') return raw.split(/[\s,]+/).filter(Boolean);
    return [];
  }

  function applyStyle(sheet, key, name) {
    var list = sheet.styles[key] || [];
    if (name === 'none') {
      delete sheet.styles[key];
      return true;
    }
    if (name.charAt(0) === '-') {
      var at = list.indexOf(name.slice(1));
      if (at < 0) return false;
      list.splice(at, 1);
    } else if (has(STYLES, name)) {
      if (list.indexOf(name) >= 0) return false;
      list.push(name);
    } else {
      return false;
    }
    if (list.length) sheet.styles[key] = list; else delete sheet.styles[key];
    return true;
  }

  function applyStep(state, step, cols, rows) {
    state.menu = '';
    state.changed = {};
    if (!step || typeof step !== 'object') return;
    if (typeof step.menu === 'string') state.menu = step.menu;

    if (step.sheets !== undefined) applySheets(state, step.sheets);
    if (step.activeSheet !== undefined) applyActiveSheet(state, step.activeSheet);
    var sheet = currentSheet(state);
    var changed = state.changed;
    var key;

    if (step.clear !== undefined) {
      parseRanges(step.clear, cols, rows).forEach(function (rg) {
        eachCell(rg, cols, rows, function (c, r, k) {
          if (sheet.cells[k]) { delete sheet.cells[k]; changed[k] = true; }
        });
      });
    }

    if (step.set && typeof step.set === 'object') {
      for (key in step.set) {
        if (!has(step.set, key)) continue;
        var rg = parseRange(key, cols, rows);
        if (!rg) continue;
        var val = valueOf(step.set[key]);
        eachCell(rg, cols, rows, function (c, r, k) {
          if (val) sheet.cells[k] = { f: val.f, v: val.v }; else delete sheet.cells[k];
          changed[k] = true;
        });
      }
    }

    if (step.style && typeof step.style === 'object') {
      for (key in step.style) {
        if (!has(step.style, key)) continue;
        var srg = parseRange(key, cols, rows);
        if (!srg) continue;
        styleList(step.style[key]).forEach(function (name) {
          if (name === 'merge') {
            sheet.merges = sheet.merges.filter(function (m) { return !overlaps(m, srg); });
            if (srg.c1 !== srg.c2 || srg.r1 !== srg.r2) sheet.merges.push(srg);
            changed[cellKey(srg.c1, srg.r1)] = true;
            return;
          }
          if (name === '-merge' || name === 'unmerge') {
            sheet.merges = sheet.merges.filter(function (m) { return !overlaps(m, srg); });
            changed[cellKey(srg.c1, srg.r1)] = true;
            return;
          }
          if (name === 'none') {
            sheet.merges = sheet.merges.filter(function (m) { return !overlaps(m, srg); });
          }
          eachCell(srg, cols, rows, function (c, r, k) {
            if (applyStyle(sheet, k, name)) changed[k] = true;
          });
        });
      }
    }

    if (step.shapes && typeof step.shapes === 'object' && !Array.isArray(step.shapes)) {
      for (key in step.shapes) {
        if (!has(step.shapes, key)) continue;
        var sh = step.shapes[key];
        if (sh && typeof sh === 'object') {
          var copy = {};
          for (var p in sh) if (has(sh, p)) copy[p] = sh[p];
          sheet.shapes[key] = copy;
        } else {
          delete sheet.shapes[key];
        }
      }
    }

    if (step.hidden !== undefined) {
      // rows hidden by a filter: a list of rows or row ranges ('3', '5:7');
      // an empty list shows them all again
      sheet.hidden = {};
      var hideList = Array.isArray(step.hidden) ? step.hidden : (typeof step.hidden === 'string' ? step.hidden.split(/[;,]/) : []);
      hideList.forEach(function (item) {
        var m = /^\s*(\d{1,4})(?:\s*:\s*(\d{1,4}))?\s*$/.exec(String(item));
        if (!m) return;
        var a = parseInt(m[1], 10) - 1;
        var b = m[2] ? parseInt(m[2], 10) - 1 : a;
        for (var y = Math.max(0, Math.min(a, b)); y <= Math.min(Math.max(a, b), rows - 1); y++) sheet.hidden[y] = true;
      });
    }

    if (step.code !== undefined) {
      sheet.code = typeof step.code === 'string' && step.code ? step.code
                 : Array.isArray(step.code) && step.code.length ? step.code.join('\n') : null;
    }

    applySizes(sheet.widths, step.widths, function (k) {
      var m = /^\$?([A-Za-z]{1,2})$/.exec(k.trim());
      return m ? colIndex(m[1].toUpperCase()) : -1;
    });
    applySizes(sheet.heights, step.heights, function (k) {
      var m = /^\d{1,4}$/.exec(k.trim());
      return m ? parseInt(k, 10) - 1 : -1;
    });

    if (step.chart !== undefined) {
      if (step.chart && typeof step.chart === 'object') {
        var src = sheet;
        if (typeof step.chart.from === 'string') src = sheetByName(state, step.chart.from) || sheet;
        sheet.chart = {
          type: String(step.chart.type || 'column'),
          labels: step.chart.labels,
          values: step.chart.values,
          title: typeof step.chart.title === 'string' ? step.chart.title : '',
          whole: !!step.chart.sheet,
          source: src
        };
      } else {
        sheet.chart = null;
      }
    }

    if (step.select !== undefined) {
      var inGrid = parseRanges(step.select, cols, rows).filter(function (x) { return x.c1 < cols && x.r1 < rows; });
      if (inGrid.length) sheet.select = step.select;
    }
  }

  function applySizes(target, given, indexOf) {
    if (!given || typeof given !== 'object') return;
    for (var k in given) {
      if (!has(given, k)) continue;
      var i = indexOf(String(k));
      var px = Number(given[k]);
      if (i < 0) continue;
      if (isFinite(px) && px > 0) target[i] = Math.min(Math.round(px), 900);
      else delete target[i];
    }
  }

  /* ---------- drawing helpers ---------- */

  function el(tag, cls, text) {
    var e = document.createElement(tag);
    if (cls) e.className = cls;
    if (text !== undefined && text !== null) e.textContent = text;
    return e;
  }

  function svg(tag, attrs, text) {
    var e = document.createElementNS(svgNs(), tag);
    for (var k in attrs) {
      if (has(attrs, k)) e.setAttribute(k, String(attrs[k]));
    }
    if (text !== undefined && text !== null) e.textContent = text;
    return e;
  }

  function shorten(text, maxChars) {
    var s = String(text);
    if (maxChars < 2) maxChars = 2;
    return s.length > maxChars ? s.slice(0, maxChars - 1) + '…' : s;
  }

  function niceStep(span) {
    if (!(span > 0)) return 1;
    var raw = span / 4;
    var mag = Math.pow(10, Math.floor(Math.log(raw) / Math.LN10));
    var f = raw / mag;
    var nice = f <= 1 ? 1 : f <= 2 ? 2 : f <= 2.5 ? 2.5 : f <= 5 ? 5 : 10;
    return nice * mag;
  }

  function displayOf(sheet, key) {
    var cell = sheet.cells[key];
    if (!cell) return '';
    var v = cell.v;
    var st = sheet.styles[key];
    if (st && st.indexOf('percent') >= 0 && v.indexOf('%') < 0) {
      var x = numberOf(v);
      if (!isNaN(x)) return formatNumber(x * 100, 2) + '%';
    }
    return v;
  }

  /* ---------- the chart ---------- */

  function chartData(state, chart, cols, rows) {
    function resolve(ref) {
      if (typeof ref !== 'string') return null;
      var part = splitSheet(ref);
      var sheet = part.sheet !== null ? sheetByName(state, part.sheet) : chart.source;
      if (!sheet) sheet = chart.source;
      var rg = parseRange(part.ref, cols, rows);
      return rg ? { sheet: sheet, rg: rg } : null;
    }
    var vals = resolve(chart.values);
    if (!vals) return null;
    var labs = resolve(chart.labels);
    var v = vals.rg;
    v = { c1: v.c1, r1: v.r1, c2: Math.min(v.c2, cols - 1), r2: Math.min(v.r2, rows - 1) };
    if (v.c2 < v.c1 || v.r2 < v.r1) return null;
    var w = v.c2 - v.c1 + 1;
    var h = v.r2 - v.r1 + 1;
    var byRows;  // true: each row of the values range is one series
    if (h === 1) byRows = true;
    else if (w === 1) byRows = false;
    else byRows = !!(labs && labs.rg.r1 === labs.rg.r2 && labs.rg.c2 > labs.rg.c1);
    var count = Math.min(byRows ? w : h, 60);
    var seriesCount = Math.min(byRows ? h : w, PALETTE.length);
    var series = [];
    for (var s = 0; s < seriesCount; s++) {
      var pts = [];
      for (var i = 0; i < count; i++) {
        var key = byRows ? cellKey(v.c1 + i, v.r1 + s) : cellKey(v.c1 + s, v.r1 + i);
        var x = numberOf(displayOf(vals.sheet, key));
        pts.push(isNaN(x) ? 0 : x);
      }
      var nameKey = byRows ? (v.c1 > 0 ? cellKey(v.c1 - 1, v.r1 + s) : null)
                           : (v.r1 > 0 ? cellKey(v.c1 + s, v.r1 - 1) : null);
      var name = nameKey ? displayOf(vals.sheet, nameKey) : '';
      if (!name || looksNumeric(name)) name = 'Ряд ' + (s + 1);
      series.push({ name: name, values: pts });
    }
    var labels = [];
    var flat = [];
    if (labs) {
      eachCell(labs.rg, cols, rows, function (c, r, k) { flat.push(displayOf(labs.sheet, k)); });
    }
    for (var j = 0; j < count; j++) labels.push(j < flat.length ? flat[j] : String(j + 1));
    return { labels: labels, series: series };
  }

  function drawChart(box, chart, data) {
    var W = 400;
    var H = 250;
    var root = svg('svg', { viewBox: '0 0 ' + W + ' ' + H, width: '100%', role: 'img' });
    root.setAttribute('aria-label', chart.title || 'Диаграмма');
    root.appendChild(svg('rect', { x: 0.5, y: 0.5, width: W - 1, height: H - 1,
                                   fill: '#ffffff', stroke: '#9aa7b8' }));
    var top = 14;
    if (chart.title) {
      root.appendChild(svg('text', { x: W / 2, y: 22, 'text-anchor': 'middle', 'font-size': 14,
                                     'font-weight': 'bold', fill: '#222' }, shorten(chart.title, 46)));
      top = 36;
    }
    var type = chart.type;
    if (type === 'pie') {
      drawPie(root, data, top, W, H);
    } else {
      var multi = data.series.length > 1;
      if (multi) {
        drawLegend(root, data.series.map(function (s) { return s.name; }), W - 10, top, 'row');
        top += 18;
      }
      if (type === 'bar') drawBars(root, data, top, W, H);
      else drawAxes(root, data, top, W, H, type === 'line' ? 'line' : type === 'area' ? 'area' : 'column');
    }
    box.appendChild(root);
  }

  function valueScale(series) {
    var lo = 0;
    var hi = 0;
    series.forEach(function (s) {
      s.values.forEach(function (x) { if (x < lo) lo = x; if (x > hi) hi = x; });
    });
    if (hi === lo) hi = lo + 1;
    var step = niceStep(hi - lo);
    return { lo: Math.floor(lo / step + 1e-9) * step, hi: Math.ceil(hi / step - 1e-9) * step, step: step };
  }

  function ticks(scale) {
    var list = [];
    for (var t = scale.lo, i = 0; t <= scale.hi + scale.step / 1000 && i < 20; t += scale.step, i++) {
      list.push(Math.round(t / scale.step) * scale.step);
    }
    return list;
  }

  function drawAxes(root, data, top, W, H, kind) {
    var scale = valueScale(data.series);
    var L = 52;
    var R = W - 12;
    var B = H - 30;
    var n = Math.max(data.labels.length, 1);
    var slot = (R - L) / n;
    function y(x) { return B - (x - scale.lo) / (scale.hi - scale.lo) * (B - top); }
    ticks(scale).forEach(function (t) {
      var yy = y(t);
      root.appendChild(svg('line', { x1: L, y1: yy, x2: R, y2: yy, stroke: t === 0 ? '#666' : '#dde3ea' }));
      root.appendChild(svg('text', { x: L - 6, y: yy + 4, 'text-anchor': 'end', 'font-size': 11, fill: '#444' },
                           formatNumber(t, 4)));
    });
    root.appendChild(svg('line', { x1: L, y1: top, x2: L, y2: B, stroke: '#666' }));
    var base = y(Math.max(scale.lo, Math.min(0, scale.hi)));
    data.labels.forEach(function (lab, i) {
      root.appendChild(svg('text', { x: L + slot * (i + 0.5), y: B + 16, 'text-anchor': 'middle',
                                     'font-size': 11, fill: '#333' }, shorten(lab, Math.floor(slot / 6.5))));
    });
    var k = data.series.length;
    data.series.forEach(function (s, si) {
      var color = PALETTE[si % PALETTE.length];
      if (kind === 'column') {
        var group = slot * 0.7;
        var bw = group / k;
        s.values.forEach(function (x, i) {
          var y1 = y(x);
          root.appendChild(svg('rect', { x: L + slot * i + (slot - group) / 2 + bw * si, y: Math.min(y1, base),
                                         width: Math.max(bw - 2, 1), height: Math.abs(base - y1), fill: color }));
        });
        return;
      }
      var pts = s.values.map(function (x, i) { return [L + slot * (i + 0.5), y(x)]; });
      var line = pts.map(function (p) { return p[0].toFixed(1) + ',' + p[1].toFixed(1); }).join(' ');
      if (kind === 'area' && pts.length) {
        var poly = pts[0][0].toFixed(1) + ',' + base.toFixed(1) + ' ' + line + ' ' +
                   pts[pts.length - 1][0].toFixed(1) + ',' + base.toFixed(1);
        root.appendChild(svg('polygon', { points: poly, fill: color, 'fill-opacity': 0.45, stroke: 'none' }));
      }
      root.appendChild(svg('polyline', { points: line, fill: 'none', stroke: color, 'stroke-width': 2.5 }));
      if (kind === 'line') {
        pts.forEach(function (p) {
          root.appendChild(svg('circle', { cx: p[0], cy: p[1], r: 3.5, fill: color }));
        });
      }
    });
  }

  function drawBars(root, data, top, W, H) {
    var scale = valueScale(data.series);
    var L = 96;
    var R = W - 16;
    var B = H - 26;
    var n = Math.max(data.labels.length, 1);
    var slot = (B - top) / n;
    function x(v) { return L + (v - scale.lo) / (scale.hi - scale.lo) * (R - L); }
    ticks(scale).forEach(function (t) {
      var xx = x(t);
      root.appendChild(svg('line', { x1: xx, y1: top, x2: xx, y2: B, stroke: t === 0 ? '#666' : '#dde3ea' }));
      root.appendChild(svg('text', { x: xx, y: B + 15, 'text-anchor': 'middle', 'font-size': 11, fill: '#444' },
                           formatNumber(t, 4)));
    });
    root.appendChild(svg('line', { x1: L, y1: B, x2: R, y2: B, stroke: '#666' }));
    var base = x(Math.max(scale.lo, Math.min(0, scale.hi)));
    data.labels.forEach(function (lab, i) {
      root.appendChild(svg('text', { x: L - 6, y: top + slot * (i + 0.5) + 4, 'text-anchor': 'end',
                                     'font-size': 11, fill: '#333' }, shorten(lab, 14)));
    });
    var k = data.series.length;
    var group = slot * 0.7;
    var bh = group / k;
    data.series.forEach(function (s, si) {
      s.values.forEach(function (v, i) {
        var x1 = x(v);
        root.appendChild(svg('rect', { x: Math.min(x1, base), y: top + slot * i + (slot - group) / 2 + bh * si,
                                       width: Math.abs(x1 - base), height: Math.max(bh - 2, 1),
                                       fill: PALETTE[si % PALETTE.length] }));
      });
    });
  }

  function drawPie(root, data, top, W, H) {
    var values = data.series.length ? data.series[0].values : [];
    var total = 0;
    values.forEach(function (v) { if (v > 0) total += v; });
    var r = Math.min((H - top - 14) / 2, 95);
    var cx = 24 + r;
    var cy = top + (H - top - 10) / 2;
    var names = [];
    var colors = [];
    if (!(total > 0)) {
      root.appendChild(svg('circle', { cx: cx, cy: cy, r: r, fill: 'none', stroke: '#bbb' }));
    }
    var angle = -Math.PI / 2;
    values.forEach(function (v, i) {
      var color = PALETTE[i % PALETTE.length];
      names.push(data.labels[i]);
      colors.push(color);
      if (!(v > 0) || !(total > 0)) return;
      var share = v / total;
      var a2 = angle + share * 2 * Math.PI;
      if (share >= 0.9999) {
        root.appendChild(svg('circle', { cx: cx, cy: cy, r: r, fill: color, stroke: '#fff' }));
      } else {
        var x1 = cx + r * Math.cos(angle);
        var y1 = cy + r * Math.sin(angle);
        var x2 = cx + r * Math.cos(a2);
        var y2 = cy + r * Math.sin(a2);
        var d = 'M' + cx + ',' + cy + ' L' + x1.toFixed(2) + ',' + y1.toFixed(2) +
                ' A' + r + ',' + r + ' 0 ' + (share > 0.5 ? 1 : 0) + ' 1 ' + x2.toFixed(2) + ',' + y2.toFixed(2) + ' Z';
        root.appendChild(svg('path', { d: d, fill: color, stroke: '#fff', 'stroke-width': 1.5 }));
      }
      if (share >= 0.05) {
        var mid = (angle + a2) / 2;
        root.appendChild(svg('text', { x: cx + r * 0.62 * Math.cos(mid), y: cy + r * 0.62 * Math.sin(mid) + 4,
                                       'text-anchor': 'middle', 'font-size': 11, fill: '#fff', 'font-weight': 'bold' },
                             formatNumber(share * 100, 0) + '%'));
      }
      angle = a2;
    });
    drawLegend(root, names, cx + r + 22, top + 6, 'column', colors);
  }

  function drawLegend(root, names, x, y, dir, colors) {
    if (dir === 'row') {
      // right-aligned, one line, from the right edge
      var xx = x;
      for (var i = names.length - 1; i >= 0; i--) {
        var label = shorten(names[i], 16);
        var w = label.length * 6.2 + 18;
        xx -= w;
        root.appendChild(svg('rect', { x: xx, y: y - 9, width: 10, height: 10, fill: PALETTE[i % PALETTE.length] }));
        root.appendChild(svg('text', { x: xx + 14, y: y, 'font-size': 11, fill: '#333' }, label));
        xx -= 8;
      }
      return;
    }
    var max = Math.min(names.length, 12);
    for (var j = 0; j < max; j++) {
      var yy = y + j * 17;
      root.appendChild(svg('rect', { x: x, y: yy, width: 11, height: 11, fill: colors[j] }));
      root.appendChild(svg('text', { x: x + 16, y: yy + 10, 'font-size': 11, fill: '#333' }, shorten(names[j], 22)));
    }
  }

  /* ---------- drawn objects ---------- */

  var FILLS = { blue: '#cfe0f5', yellow: '#fff2a8', green: '#d4ecd9', red: '#f7d0cc',
                orange: '#fde0c2', grey: '#e4e7ea', gray: '#e4e7ea', white: '#ffffff', none: 'none' };
  var LINES = { blue: '#2f5f9e', red: '#c0392b', green: '#2e7d4f', black: '#333333',
                orange: '#d9731a', grey: '#7a838c', gray: '#7a838c' };

  function colorOf(name, table, fallback) {
    if (typeof name !== 'string') return fallback;
    if (has(table, name)) return table[name];
    return /^#[0-9a-fA-F]{3}([0-9a-fA-F]{3})?$/.test(name) ? name : fallback;
  }

  function arrowHead(layer, x1, y1, x2, y2, color, size) {
    var a = Math.atan2(y2 - y1, x2 - x1);
    var p1 = [x2 - size * Math.cos(a - 0.45), y2 - size * Math.sin(a - 0.45)];
    var p2 = [x2 - size * Math.cos(a + 0.45), y2 - size * Math.sin(a + 0.45)];
    layer.appendChild(svg('polygon', { points: x2.toFixed(1) + ',' + y2.toFixed(1) + ' ' +
      p1[0].toFixed(1) + ',' + p1[1].toFixed(1) + ' ' + p2[0].toFixed(1) + ',' + p2[1].toFixed(1), fill: color }));
  }

  function handles(layer, points) {
    points.forEach(function (p) {
      layer.appendChild(svg('rect', { x: p[0] - 4, y: p[1] - 4, width: 8, height: 8,
                                      fill: '#ffffff', stroke: '#1a7343', 'stroke-width': 1.5 }));
    });
  }

  function drawShape(layer, shape, a, b) {
    if (!a) return;
    if (!b) b = a;
    var type = String(shape.type || 'rect');
    var stroke = colorOf(shape.line, LINES, '#2f5f9e');
    var width = Math.max(1, Math.min(8, Number(shape.width) || 2));
    if (type === 'line' || type === 'arrow' || type === 'doublearrow') {
      var x1 = a.x + a.w / 2;
      var y1 = a.y + a.h / 2;
      var x2 = b.x + b.w / 2;
      var y2 = b.y + b.h / 2;
      var size = 8 + width * 2;
      var len = Math.sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1)) || 1;
      var ex = type === 'line' ? x2 : x2 - (x2 - x1) / len * size * 0.8;
      var ey = type === 'line' ? y2 : y2 - (y2 - y1) / len * size * 0.8;
      var sx = type === 'doublearrow' ? x1 + (x2 - x1) / len * size * 0.8 : x1;
      var sy = type === 'doublearrow' ? y1 + (y2 - y1) / len * size * 0.8 : y1;
      var attrs = { x1: sx, y1: sy, x2: ex, y2: ey, stroke: stroke, 'stroke-width': width, 'stroke-linecap': 'round' };
      if (shape.dash) attrs['stroke-dasharray'] = (width * 3) + ',' + (width * 2);
      layer.appendChild(svg('line', attrs));
      if (type !== 'line') arrowHead(layer, x1, y1, x2, y2, stroke, size);
      if (type === 'doublearrow') arrowHead(layer, x2, y2, x1, y1, stroke, size);
      if (shape.selected) handles(layer, [[x1, y1], [x2, y2]]);
      return;
    }
    var x = Math.min(a.x, b.x);
    var y = Math.min(a.y, b.y);
    var w = Math.max(a.x + a.w, b.x + b.w) - x;
    var h = Math.max(a.y + a.h, b.y + b.h) - y;
    var inset = a.w && b.w ? 3 : 0;
    x += inset; y += inset; w = Math.max(w - 2 * inset, 6); h = Math.max(h - 2 * inset, 6);
    var fill = colorOf(shape.fill, FILLS, type === 'text' ? '#ffffff' : type === 'button' ? '#e4e7ea' : '#cfe0f5');
    if (type === 'oval') {
      layer.appendChild(svg('ellipse', { cx: x + w / 2, cy: y + h / 2, rx: w / 2, ry: h / 2,
                                         fill: fill, stroke: stroke, 'stroke-width': width }));
    } else {
      var round = type === 'roundrect' ? Math.min(w, h) / 5 : type === 'button' ? 4 : 0;
      var ra = { x: x, y: y, width: w, height: h, rx: round, ry: round, fill: fill,
                 stroke: type === 'button' ? '#7a838c' : stroke, 'stroke-width': type === 'button' ? 1.5 : width };
      if (type === 'text' && !shape.line) ra['stroke-width'] = 1;
      if (shape.dash) ra['stroke-dasharray'] = '6,4';
      layer.appendChild(svg('rect', ra));
    }
    if (typeof shape.text === 'string' && shape.text) {
      var lines = shape.text.split('\n').slice(0, 8);
      var fs = Math.max(9, Math.min(24, Number(shape.size) || 13));
      var lh = fs * 1.25;
      var align = type === 'text' && shape.align !== 'center' ? 'start' : 'middle';
      var tx = align === 'start' ? x + 8 : x + w / 2;
      var ty = y + h / 2 - (lines.length - 1) * lh / 2 + fs * 0.35;
      lines.forEach(function (line, i) {
        var ta = { x: tx, y: ty + i * lh, 'text-anchor': align, 'font-size': fs, fill: colorOf(shape.color, LINES, '#1c2a24') };
        if (shape.bold || type === 'button') ta['font-weight'] = 'bold';
        layer.appendChild(svg('text', ta, line));
      });
    }
    if (shape.selected) {
      handles(layer, [[x, y], [x + w / 2, y], [x + w, y], [x, y + h / 2], [x + w, y + h / 2],
                      [x, y + h], [x + w / 2, y + h], [x + w, y + h]]);
    }
  }

  /* ---------- the player ---------- */

  function Player(root, lesson) {
    var self = this;
    this.root = root;
    this.lesson = lesson && typeof lesson === 'object' ? lesson : {};
    this.steps = Array.isArray(this.lesson.steps) ? this.lesson.steps : [];
    this.cols = clampInt(this.lesson.columns, 1, MAX_COLUMNS, 6);
    this.rows = clampInt(this.lesson.rows, 1, MAX_ROWS, 10);
    this.index = 0;
    this.playing = false;
    this.timer = null;
    this.flashTimer = null;

    while (root.firstChild) root.removeChild(root.firstChild);
    if (!root.classList.contains('player')) root.classList.add('player');
    if (!root.hasAttribute('tabindex')) root.setAttribute('tabindex', '0');
    root.setAttribute('role', 'region');
    root.setAttribute('aria-label', typeof this.lesson.title === 'string' && this.lesson.title
                      ? 'Видеоурок: ' + this.lesson.title : 'Видеоурок');

    this.menu = el('div', 'player-menu');
    this.bar = el('div', 'formula-bar');
    this.nameBox = el('span', 'name-box');
    this.formula = el('span', 'formula');
    this.bar.appendChild(this.nameBox);
    this.bar.appendChild(el('span', 'fx', 'fx'));
    this.bar.appendChild(this.formula);
    this.sheet = el('div', 'player-sheet');
    this.table = el('table', 'sheet-grid');
    this.chart = el('div', 'player-chart');
    this.chart.hidden = true;
    this.sheet.appendChild(this.bar);
    this.sheet.appendChild(this.table);
    this.sheet.appendChild(this.chart);
    this.tabs = el('div', 'player-tabs');
    this.caption = el('div', 'player-caption');
    this.caption.setAttribute('aria-live', 'polite');
    this.counter = el('div', 'player-count');
    this.captionText = el('div', 'player-text');
    this.caption.appendChild(this.counter);
    this.caption.appendChild(this.captionText);
    this.progress = el('div', 'player-progress');
    this.progress.setAttribute('role', 'progressbar');
    this.progress.setAttribute('aria-valuemin', '0');
    this.progressBar = el('div', 'player-progress-bar');
    this.progress.appendChild(this.progressBar);
    this.controls = el('div', 'player-controls');
    this.btnPlay = button('play', '▶ Воспроизвести');
    this.btnPrev = button('back', 'Шаг назад');
    this.btnNext = button('forward', 'Шаг вперёд');
    this.btnStart = button('restart', 'С начала');
    [this.btnPlay, this.btnPrev, this.btnNext, this.btnStart].forEach(function (b) {
      self.controls.appendChild(b);
    });

    [this.menu, this.sheet, this.tabs, this.caption, this.progress, this.controls].forEach(function (part) {
      root.appendChild(part);
    });

    this.btnPlay.addEventListener('click', function () { self.toggle(); });
    this.btnNext.addEventListener('click', function () { self.go(self.index + 1); });
    this.btnPrev.addEventListener('click', function () { self.go(self.index - 1); });
    this.btnStart.addEventListener('click', function () { self.restart(); });
    root.addEventListener('keydown', function (ev) { self.onKey(ev); });
    var redraw = function () {
      try {
        if (self.current) self.drawShapes(currentSheet(self.current));
      } catch (e) {
        // nothing to redraw
      }
    };
    window.addEventListener('resize', redraw);
    window.addEventListener('load', redraw);

    this.render();
  }

  function button(cls, text) {
    var b = el('button', cls, text);
    b.type = 'button';
    return b;
  }

  function clampInt(x, lo, hi, fallback) {
    var n = Math.floor(Number(x));
    if (!isFinite(n)) return fallback;
    return Math.max(lo, Math.min(hi, n));
  }

  Player.prototype.onKey = function (ev) {
    if (ev.altKey || ev.ctrlKey || ev.metaKey) return;
    var k = ev.key;
    var handled = true;
    if (k === ' ' || k === 'Spacebar') this.toggle();
    else if (k === 'ArrowRight') this.go(this.index + 1);
    else if (k === 'ArrowLeft') this.go(this.index - 1);
    else if (k === 'Home') this.restart();
    else handled = false;
    if (handled) ev.preventDefault();
  };

  Player.prototype.stateAt = function (index) {
    var state = newState();
    for (var i = 0; i <= index && i < this.steps.length; i++) {
      try {
        applyStep(state, this.steps[i], this.cols, this.rows);
      } catch (e) {
        // a broken step changes nothing more; the lesson goes on
      }
    }
    return state;
  };

  Player.prototype.go = function (index) {
    var last = this.steps.length - 1;
    var i = Math.max(0, Math.min(last, index));
    if (last < 0) i = 0;
    if (i === this.index && index !== this.index) {
      if (index > last) this.pause();
      return;
    }
    this.index = i;
    this.render();
    if (this.playing) {
      if (this.index >= last) this.pause(); else this.schedule();
    }
  };

  Player.prototype.restart = function () {
    this.index = 0;
    this.render();
    if (this.playing) this.schedule();
  };

  Player.prototype.toggle = function () {
    if (this.playing) this.pause(); else this.start();
  };

  Player.prototype.start = function () {
    if (this.steps.length < 2) return;
    if (this.index >= this.steps.length - 1) {
      this.index = 0;
      this.render();
    }
    this.playing = true;
    this.updateButtons();
    this.schedule();
  };

  Player.prototype.pause = function () {
    this.playing = false;
    if (this.timer) clearTimeout(this.timer);
    this.timer = null;
    this.updateButtons();
  };

  Player.prototype.delay = function () {
    var step = this.steps[this.index];
    var text = step && typeof step.caption === 'string' ? step.caption : '';
    var extra = Math.max(0, text.length - LONG_CAPTION) * MS_PER_EXTRA_CHAR;
    return Math.min(STEP_MS + extra, MAX_STEP_MS);
  };

  Player.prototype.schedule = function () {
    var self = this;
    if (this.timer) clearTimeout(this.timer);
    this.timer = setTimeout(function () {
      self.timer = null;
      if (!self.playing) return;
      self.go(self.index + 1);
    }, this.delay());
  };

  Player.prototype.updateButtons = function () {
    var last = this.steps.length - 1;
    this.btnPlay.textContent = this.playing ? '❚❚ Пауза' : '▶ Воспроизвести';
    this.btnPlay.setAttribute('aria-pressed', this.playing ? 'true' : 'false');
    this.btnPlay.disabled = this.steps.length < 2;
    this.btnPrev.disabled = this.index <= 0;
    this.btnNext.disabled = this.index >= last;
    this.btnStart.disabled = this.steps.length < 2;
    this.root.classList.toggle('playing', this.playing);
  };

  Player.prototype.render = function () {
    try {
      this.current = this.stateAt(this.index);
      this.draw(this.current);
    } catch (e) {
      // keep whatever was drawn; the controls still work
    }
    this.updateButtons();
  };

  Player.prototype.draw = function (state) {
    var n = this.steps.length;
    var step = this.steps[this.index] || {};
    var sheet = currentSheet(state);

    this.menu.textContent = state.menu;

    while (this.tabs.firstChild) this.tabs.removeChild(this.tabs.firstChild);
    for (var t = 0; t < state.names.length; t++) {
      var tab = el('span', t === state.active ? 'tab active' : 'tab', state.names[t]);
      this.tabs.appendChild(tab);
    }

    var selection = parseRanges(sheet.select, this.cols, this.rows);
    var merges = sheet.merges;
    var active = selection.length ? { c: selection[0].c1, r: selection[0].r1 } : { c: 0, r: 0 };
    merges.forEach(function (m) {
      if (inRange(m, active.c, active.r)) active = { c: m.c1, r: m.r1 };
    });
    var activeKey = cellKey(active.c, active.r);
    var cell = sheet.cells[activeKey];
    var noGrid = !!((sheet.chart && sheet.chart.whole) || sheet.code);
    this.nameBox.textContent = noGrid ? '' : activeKey;
    this.formula.textContent = cell && !noGrid ? (cell.f || displayOf(sheet, activeKey)) : '';

    this.drawGrid(sheet, selection, activeKey, state.changed);
    this.drawCode(sheet);
    this.drawChart(state, sheet);
    this.drawShapes(sheet);

    var caption = typeof step.caption === 'string' ? step.caption : '';
    this.captionText.textContent = caption;
    this.counter.textContent = n ? 'Шаг ' + (this.index + 1) + ' из ' + n : '';
    var share = n ? (this.index + 1) / n * 100 : 0;
    this.progressBar.style.width = share.toFixed(1) + '%';
    this.progress.setAttribute('aria-valuemax', String(n));
    this.progress.setAttribute('aria-valuenow', String(n ? this.index + 1 : 0));
  };

  Player.prototype.drawGrid = function (sheet, selection, activeKey, changed) {
    var cols = this.cols;
    var rows = this.rows;
    var table = el('table', 'sheet-grid');
    var whole = (sheet.chart && sheet.chart.whole) || sheet.code;
    if (whole) table.hidden = true;

    // every column gets its width, so the grid is laid out like a sheet:
    // a long text is cut at a filled neighbour and runs over empty ones
    var widths = [];
    var total = ROW_HEAD_PX;
    var colgroup = el('colgroup');
    var headCol = el('col', 'row-head');
    headCol.style.width = ROW_HEAD_PX + 'px';
    colgroup.appendChild(headCol);
    for (var c = 0; c < cols; c++) {
      widths[c] = sheet.widths[c] || COLUMN_PX;
      total += widths[c];
      var col = el('col');
      col.style.width = widths[c] + 'px';
      colgroup.appendChild(col);
    }
    table.style.width = total + 'px';
    table.appendChild(colgroup);

    // the headers of the selected columns and rows are marked
    var hlCols = {};
    var hlRows = {};
    selection.forEach(function (rg) {
      for (var x = rg.c1; x <= Math.min(rg.c2, cols - 1); x++) hlCols[x] = true;
      for (var y = rg.r1; y <= Math.min(rg.r2, rows - 1); y++) hlRows[y] = true;
    });

    var head = el('tr');
    head.appendChild(el('th', 'corner'));
    for (c = 0; c < cols; c++) {
      var th = el('th', hlCols[c] ? 'hl' : null, colName(c));
      th.style.width = widths[c] + 'px';
      th.style.minWidth = '0';
      head.appendChild(th);
    }
    table.appendChild(head);

    var hidden = sheet.hidden || {};
    var covered = {};
    var anchors = {};
    var cellsShown = this.cellsShown = {};
    sheet.merges.forEach(function (m) {
      var c2 = Math.min(m.c2, cols - 1);
      var r2 = Math.min(m.r2, rows - 1);
      if (m.c1 >= cols || m.r1 >= rows || hidden[m.r1]) return;
      var shownRows = 0;
      for (var y = m.r1; y <= r2; y++) if (!hidden[y]) shownRows++;
      anchors[cellKey(m.c1, m.r1)] = { cs: c2 - m.c1 + 1, rs: shownRows };
      eachCell(m, cols, rows, function (cc, rr, k) {
        if (cc !== m.c1 || rr !== m.r1) covered[k] = true;
        cellsShown[k] = cellKey(m.c1, m.r1);
      });
    });

    var changedCells = [];
    for (var r = 0; r < rows; r++) {
      if (hidden[r]) continue;
      var tr = el('tr');
      if (hidden[r - 1]) tr.className = 'after-hidden';
      if (sheet.heights[r]) tr.style.height = sheet.heights[r] + 'px';
      tr.appendChild(el('th', hlRows[r] ? 'hl' : null, String(r + 1)));
      for (c = 0; c < cols; c++) {
        var key = cellKey(c, r);
        if (covered[key]) continue;
        var td = el('td');
        if (widths[c] < COLUMN_PX) td.style.minWidth = '0';
        this.cellsShown[key] = td;
        var classes = [];
        var shown = displayOf(sheet, key);
        var stored = sheet.cells[key];
        var styles = sheet.styles[key] || [];
        styles.forEach(function (s) { if (STYLES[s]) classes.push(STYLES[s]); });
        var filterButton = styles.indexOf('filter') >= 0;
        if (anchors[key]) {
          if (anchors[key].cs > 1) td.colSpan = anchors[key].cs;
          if (anchors[key].rs > 1) td.rowSpan = anchors[key].rs;
          classes.push('s-merge');
        }
        if (/^#+$/.test(shown)) classes.push('num');
        else if (shown.charAt(0) === '#') classes.push('err');
        else if (looksNumeric(shown) && styles.indexOf('center') < 0) classes.push('num');
        if (stored && stored.f && stored.f === stored.v) classes.push('formula');
        if (key === activeKey) classes.push('sel');
        else if (selection.length > 1 || (selection.length === 1 && !isSingle(selection[0]))) {
          for (var s = 0; s < selection.length; s++) {
            if (inRange(selection[s], c, r)) { classes.push('range'); break; }
          }
        }
        if (changed[key]) {
          classes.push('changed');
          changedCells.push(td);
        }
        if (classes.length) td.className = classes.join(' ');
        if (filterButton) td.appendChild(filterMark());
        var room = anchors[key] || filterButton ? 0 : this.spillRoom(sheet, c, r, shown, styles, covered, widths);
        if (room) {
          var span = el('span', null, shown);
          span.style.display = 'block';
          span.style.width = room + 'px';
          span.style.overflow = 'hidden';
          td.style.overflow = 'visible';
          td.appendChild(span);
        } else {
          td.appendChild(document.createTextNode(shown));
        }
        tr.appendChild(td);
      }
      table.appendChild(tr);
    }

    this.sheet.replaceChild(table, this.table);
    this.table = table;

    if (this.flashTimer) clearTimeout(this.flashTimer);
    this.flashTimer = null;
    if (changedCells.length) {
      var self = this;
      this.flashTimer = setTimeout(function () {
        self.flashTimer = null;
        changedCells.forEach(function (x) { x.classList.remove('changed'); });
      }, CHANGED_MS);
    }
  };

  // A text runs over the empty cells to its right, as on a real sheet: the
  // width it may take, or 0 when it stays within its own cell.
  Player.prototype.spillRoom = function (sheet, c, r, shown, styles, covered, widths) {
    if (!shown || looksNumeric(shown) || shown.charAt(0) === '#') return 0;
    if (styles.indexOf('wrap') >= 0 || styles.indexOf('center') >= 0 || styles.indexOf('right') >= 0) return 0;
    var room = widths[c];
    for (var x = c + 1; x < this.cols; x++) {
      var k = cellKey(x, r);
      if (sheet.cells[k] || covered[k]) break;
      room += widths[x];
    }
    if (room === widths[c]) return 0;
    return Math.max(room - CELL_PADDING_PX, 0);
  };

  // The drop-down button a filter puts into a header cell.
  function filterMark() {
    var b = el('span', 'player-filter', '▾');
    b.setAttribute('aria-hidden', 'true');
    b.style.cssFloat = 'right';
    b.style.marginLeft = '4px';
    b.style.padding = '0 3px';
    b.style.border = '1px solid #9aa7b8';
    b.style.borderRadius = '2px';
    b.style.background = '#fff';
    b.style.color = '#4a5158';
    b.style.fontSize = '0.75em';
    b.style.fontWeight = 'normal';
    b.style.lineHeight = '1.5';
    return b;
  }

  function isSingle(rg) {
    return rg.c1 === rg.c2 && rg.r1 === rg.r2;
  }

  // The text of a macro (or any program) shown in place of the grid.
  Player.prototype.drawCode = function (sheet) {
    if (!this.code) {
      this.code = el('pre', 'player-code');
      this.code.style.margin = '0';
      this.code.style.minHeight = '200px';
      this.sheet.insertBefore(this.code, this.chart);
    }
    this.code.style.display = sheet.code ? '' : 'none';
    this.code.textContent = sheet.code || '';
  };

  // The box of a cell in the grid, in pixels from the grid's top left corner.
  // A point given as [cell, x, y] (x and y are shares of the cell's width and
  // height) is returned as a box of no size.
  Player.prototype.cellBox = function (ref) {
    if (Array.isArray(ref)) {
      var box = this.cellBox(ref[0]);
      if (!box) return null;
      var fx = Math.max(0, Math.min(1, Number(ref[1])));
      var fy = Math.max(0, Math.min(1, Number(ref[2])));
      if (!isFinite(fx)) fx = 0.5;
      if (!isFinite(fy)) fy = 0.5;
      return { x: box.x + box.w * fx, y: box.y + box.h * fy, w: 0, h: 0 };
    }
    var pos = parseCell(typeof ref === 'string' ? ref : '');
    if (!pos) return null;
    var c = Math.min(pos.c, this.cols - 1);
    var r = Math.min(pos.r, this.rows - 1);
    var td = this.cellsShown[cellKey(c, r)];
    if (typeof td === 'string') td = this.cellsShown[td];
    if (!td || typeof td === 'string') return null;
    // measured against the grid itself: a positioned cell (the active one)
    // has another offset parent than the others
    var cell = td.getBoundingClientRect();
    var grid = this.table.getBoundingClientRect();
    return { x: cell.left - grid.left, y: cell.top - grid.top, w: cell.width, h: cell.height };
  };

  // Drawn objects over the sheet: rectangles, ovals, lines, arrows, text
  // boxes and buttons, placed by the cells they cover.
  Player.prototype.drawShapes = function (sheet) {
    var self = this;
    if (this.shapesLayer && this.shapesLayer.parentNode) this.shapesLayer.parentNode.removeChild(this.shapesLayer);
    this.shapesLayer = null;
    var keys = Object.keys(sheet.shapes);
    if (!keys.length || sheet.code) return;
    var table = this.table;
    var W = table.offsetWidth || 1;
    var H = table.offsetHeight || 1;
    var layer = svg('svg', { 'class': 'player-shapes', width: W, height: H, viewBox: '0 0 ' + W + ' ' + H,
                             'aria-hidden': 'true' });
    layer.style.position = 'absolute';
    layer.style.left = table.offsetLeft + 'px';
    layer.style.top = table.offsetTop + 'px';
    layer.style.pointerEvents = 'none';
    layer.style.overflow = 'visible';
    layer.style.zIndex = '2';
    keys.forEach(function (k) {
      try {
        drawShape(layer, sheet.shapes[k], self.cellBox(sheet.shapes[k].from), self.cellBox(sheet.shapes[k].to));
      } catch (e) {
        // an odd shape is left out
      }
    });
    this.sheet.insertBefore(layer, this.chart);
    this.shapesLayer = layer;
  };

  Player.prototype.drawChart = function (state, sheet) {
    var box = this.chart;
    while (box.firstChild) box.removeChild(box.firstChild);
    box.removeAttribute('style');
    var chart = sheet.chart;
    var data = chart ? chartData(state, chart, this.cols, this.rows) : null;
    if (!data) {
      box.hidden = true;
      box.classList.remove('whole');
      return;
    }
    box.hidden = false;
    box.classList.toggle('whole', chart.whole);
    if (chart.whole) {
      // a chart sheet: the chart takes the place of the grid
      box.style.position = 'static';
      box.style.width = 'auto';
      box.style.maxWidth = '560px';
      box.style.margin = '8px auto';
    }
    drawChart(box, chart, data);
  };

  /* ---------- what the pages call ---------- */

  var api = {
    play: function (element, lesson) {
      try {
        if (!element || typeof element.appendChild !== 'function') return null;
        if (element.coursePlayer) element.coursePlayer.pause();
        var p = new Player(element, lesson);
        element.coursePlayer = p;
        return {
          play: function () { p.start(); },
          pause: function () { p.pause(); },
          next: function () { p.go(p.index + 1); },
          back: function () { p.go(p.index - 1); },
          restart: function () { p.restart(); },
          go: function (i) { p.go(Number(i) || 0); },
          get step() { return p.index; },
          get playing() { return p.playing; }
        };
      } catch (e) {
        return null;
      }
    }
  };

  if (!window.CoursePlayer) window.CoursePlayer = api;
}());
