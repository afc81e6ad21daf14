#include "pane/pagescripts.h"

#include <QFile>

#include <array>

namespace PageScripts {

QString source(Script script)
{
    static const std::array<QString, 3> sources = [] {
        std::array<QString, 3> loaded;
        const char *names[] = {"highlight", "links", "markup"};
        for (size_t i = 0; i < loaded.size(); ++i) {
            QFile file(QStringLiteral(":/scripts/%1.js").arg(QLatin1String(names[i])));
            if (file.open(QIODevice::ReadOnly))
                loaded[i] = QString::fromUtf8(file.readAll()).trimmed();
        }
        return loaded;
    }();
    return sources.at(size_t(script));
}

} // namespace PageScripts
