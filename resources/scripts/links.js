// The href of every <a> of the document, as the browser resolved it.
(function () {
  var links = document.getElementsByTagName('a'), hrefs = [];
  for (var i = 0; i < links.length; ++i) {
    var href = links[i].href;
    if (typeof href === 'string') hrefs.push(href);
  }
  return hrefs;
})()
