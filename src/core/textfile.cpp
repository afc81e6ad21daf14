#include "core/textfile.h"

#include <QFile>
#include <QStringDecoder>

namespace TextFile {

QString fromWindows1252(const QByteArray &bytes)
{
    // 0x80..0x9F; the rest is Latin-1.
    static constexpr char16_t High[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? High[b - 0x80] : char16_t(b));
    }
    return text;
}

QString decode(const QByteArray &bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    // One mark is skipped (above), not a second: that is the text's own U+FEFF.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8(view);
    if (!utf8.hasError())
        return text;
    return fromWindows1252(bytes);
}

ReadResult read(const QString &path, QString *text)
{
    if (text)
        text->clear();
    QFile file(path);
    if (!file.exists())
        return ReadResult::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult::Unreadable;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return ReadResult::Unreadable;
    if (text)
        *text = decode(bytes);
    return ReadResult::Read;
}

QStringList lines(const QString &text)
{
    QStringList result;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\n' && c != u'\r')
            continue;
        result << text.mid(start, i - start);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        result << text.mid(start);
    return result;
}

ReadResult readLines(const QString &path, QStringList *result)
{
    QString text;
    const ReadResult read = TextFile::read(path, &text);
    if (result)
        *result = lines(text);
    return read;
}

SafeSave::Outcome writeLines(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    // A text that begins with U+FEFF gets a byte order mark before it: the
    // reader skips one, and would otherwise take the text's own for it.
    if (!lines.isEmpty() && lines.first().startsWith(QChar(0xFEFF)))
        bytes = "\xEF\xBB\xBF";
    for (const QString &line : lines)
        bytes += line.toUtf8() + "\r\n";
    return SafeSave::write(path, bytes);
}

} // namespace TextFile
