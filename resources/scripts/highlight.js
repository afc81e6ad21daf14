// Highlights the occurrences of a text in the body, as a reader finds them
// one after the other: case-blind, across inline markup (<b>, <a>, ...) but
// never from one block or line into the next. Each occurrence, or with the
// whole-word flag the words it touches, is wrapped in a span with the
// background colour; the search goes on behind it, for at most the given
// number of passes. The spans are put in from the last to the first, so the
// text positions found before still point at the same nodes. Returns the
// number of occurrences found.
(function (needle, colour, wholeWord, passLimit) {
  var body = document.body;
  if (!body || !needle) return 0;
  var skipped = /^(SCRIPT|STYLE|NOSCRIPT|TEXTAREA|SELECT|OPTION|TEMPLATE|IFRAME|OBJECT|svg|math)$/;
  var inline = /^(A|ABBR|B|BDI|BDO|CITE|CODE|DATA|DFN|EM|FONT|I|KBD|LABEL|MARK|Q|S|SAMP|SMALL|SPAN|STRIKE|STRONG|SUB|SUP|TIME|TT|U|VAR)$/;
  var wordChar = /[\p{L}\p{M}\p{N}_]/u;
  var gap = '\u0000';
  function blockOf(node) {
    var p = node.parentNode;
    while (p && p !== body && inline.test(p.nodeName)) p = p.parentNode;
    return p;
  }
  function fold(s) {
    var lower = s.toLowerCase();
    if (lower.length === s.length) return lower;
    var out = '';
    for (var i = 0; i < s.length; ++i) {
      var c = s[i].toLowerCase();
      out += c.length === 1 ? c : s[i];
    }
    return out;
  }
  var nodes = [], starts = [], text = '', lastBlock = null, broken = false;
  var walker = document.createTreeWalker(body, NodeFilter.SHOW_ELEMENT | NodeFilter.SHOW_TEXT, {
    acceptNode: function (n) {
      if (n.nodeType === Node.TEXT_NODE) return NodeFilter.FILTER_ACCEPT;
      if (skipped.test(n.nodeName)) return NodeFilter.FILTER_REJECT;
      if (!inline.test(n.nodeName)) broken = true;
      return NodeFilter.FILTER_SKIP;
    }
  });
  for (var n = walker.nextNode(); n; n = walker.nextNode()) {
    if (!n.data.length) continue;
    var block = blockOf(n);
    if (text.length && (broken || block !== lastBlock)) text += gap;
    broken = false;
    lastBlock = block;
    nodes.push(n);
    starts.push(text.length);
    text += n.data;
  }
  var folded = fold(text), key = fold(needle);
  var found = [], from = 0;
  while (found.length < passLimit) {
    var at = folded.indexOf(key, from);
    if (at < 0) break;
    var start = at, end = at + key.length;
    if (wholeWord) {
      while (start > 0 && wordChar.test(text[start - 1])) --start;
      while (end < text.length && wordChar.test(text[end])) ++end;
    }
    found.push([start, end]);
    from = end;
  }
  // The text node holding a position: for a start the one it begins in,
  // for an end the one it closes.
  function locate(offset, isEnd) {
    var lo = 0, hi = nodes.length - 1;
    while (lo < hi) {
      var mid = (lo + hi + 1) >> 1;
      if (isEnd ? starts[mid] < offset : starts[mid] <= offset) lo = mid; else hi = mid - 1;
    }
    return [nodes[lo], offset - starts[lo]];
  }
  for (var i = found.length - 1; i >= 0; --i) {
    try {
      var a = locate(found[i][0], false), b = locate(found[i][1], true);
      var range = document.createRange();
      range.setStart(a[0], a[1]);
      range.setEnd(b[0], b[1]);
      var span = document.createElement('span');
      span.setAttribute('style', 'background-color: ' + colour);
      span.appendChild(range.extractContents());
      range.insertNode(span);
    } catch (e) {
      // One occurrence that cannot be wrapped leaves the others.
    }
  }
  window.scrollTo(0, 0);
  return found.length;
})
