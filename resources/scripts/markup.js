// The document as it stands now (highlights included), declared UTF-8
// since the file is written in UTF-8 whatever the page came in.
(function () {
  var root = document.documentElement.cloneNode(true);
  var metas = root.querySelectorAll('meta[charset], meta[http-equiv]');
  for (var i = 0; i < metas.length; ++i) {
    var m = metas[i];
    if (m.hasAttribute('charset') || (m.getAttribute('http-equiv') || '').toLowerCase() === 'content-type')
      m.parentNode.removeChild(m);
  }
  var head = root.querySelector(':scope > head');
  if (head) {
    var meta = document.createElement('meta');
    meta.setAttribute('charset', 'utf-8');
    head.insertBefore(meta, head.firstChild);
  }
  var type = document.doctype ? new XMLSerializer().serializeToString(document.doctype) + '\n' : '';
  return type + root.outerHTML;
})()
