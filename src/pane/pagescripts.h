#pragma once

#include <QString>

// The scripts the page operations run in a page, kept as .js files in the
// program's resources and read once.
namespace PageScripts {

enum Script {
    Highlight, // a function (text, colour, wholeWord, passLimit) -> occurrences found
    Links,     // an expression: the href of every link
    Markup,    // an expression: the document as markup, declared UTF-8
};

QString source(Script script);

} // namespace PageScripts
