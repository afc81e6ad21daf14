#pragma once

#include <QString>

// Text put into the query of an address ("...?q=<value>", "mailto:?Body=<value>").
namespace UrlQuery {

// The value percent-encoded so it stays one value: "&", "#", "+", "=", "%",
// blanks and everything outside ASCII are encoded; the characters a query
// may hold as they are (letters, digits, "-._~:/?@!$'()*,;") stay, so a plain
// address such as "about:blank" reads the same.
QString encodeValue(const QString &value);

} // namespace UrlQuery
