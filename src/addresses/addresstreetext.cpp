#include "addresses/addresstreetext.h"

#include "addresses/addresstree.h"
#include "core/textfile.h"

#include <QFile>
#include <QStringDecoder>

#include <sys/stat.h>
#include <vector>

namespace AddressTreeText {

namespace {

// The offset of the first byte that does not belong to a well-formed UTF-8
// sequence, or -1 when all of them do.
qsizetype firstInvalidUtf8(QByteArrayView bytes)
{
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = b[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int more = 0;
        unsigned char low = 0x80, high = 0xBF; // the range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            if (c == 0xE0)
                low = 0xA0; // no overlong forms
            else if (c == 0xED)
                high = 0x9F; // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            if (c == 0xF0)
                low = 0x90;
            else if (c == 0xF4)
                high = 0x8F; // nothing above U+10FFFF
        } else {
            return i;
        }
        if (i + more >= n)
            return i;
        if (b[i + 1] < low || b[i + 1] > high)
            return i;
        for (int k = 2; k <= more; ++k)
            if ((b[i + k] & 0xC0) != 0x80)
                return i;
        i += more + 1;
    }
    return -1;
}

bool isBinary(QByteArrayView bytes)
{
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 && b != '\t' && b != '\n' && b != '\r')
            return true;
    }
    return false;
}

struct Decoded
{
    QString text;
    bool nul = false;     // the text ended at a NUL
    bool binary = false;  // the text ended where bytes that are no text begin
};

// The file's text. UTF-8; Windows-1252 when the bytes are not UTF-8 but
// still text (a file written on Windows). Bytes that are neither (control
// bytes among bytes that are not UTF-8: a file overwritten by something
// else) end the text at the start of their line. A NUL ends it too: read
// for salvage at the start of its line.
Decoded decode(const QByteArray &bytes, bool salvage)
{
    Decoded decoded;
    qsizetype end = bytes.indexOf('\0');
    decoded.nul = end >= 0;
    if (!decoded.nul)
        end = bytes.size();
    // Read for salvage, the line the NUL broke is no line of the tree.
    while (salvage && decoded.nul && end > 0 && bytes.at(end - 1) != '\n' && bytes.at(end - 1) != '\r')
        --end;
    QByteArrayView part(bytes.constData(), end);
    if (part.startsWith("\xEF\xBB\xBF"))
        part = part.sliced(3);
    const qsizetype invalid = firstInvalidUtf8(part);
    if (invalid >= 0) {
        if (!isBinary(part))
            return {TextFile::fromWindows1252(part.toByteArray()), decoded.nul, false};
        qsizetype lineStart = invalid;
        while (lineStart > 0 && part.at(lineStart - 1) != '\n' && part.at(lineStart - 1) != '\r')
            --lineStart;
        part = part.first(lineStart);
        decoded.binary = true;
    }
    // One mark was skipped above; a second one is the text's own U+FEFF.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    decoded.text = utf8(part);
    return decoded;
}

// Builds the tree line by line; stops at the first level jump or line too
// deep (returning what it was), keeping what was built before.
ReadResult build(AddressTree &tree, const QString &text)
{
    std::vector<AddressNode *> path; // the previous node and its ancestors, root first
    const QChar *data = text.constData();
    const qsizetype size = text.size();
    qsizetype start = 0;
    while (start < size) {
        qsizetype end = start;
        while (end < size && data[end] != u'\n' && data[end] != u'\r')
            ++end;
        int depth = 0;
        qsizetype captionStart = start;
        while (captionStart < end && (data[captionStart] == u'\t' || data[captionStart] == u' ')) {
            ++depth;
            ++captionStart;
        }
        const QString caption = cleanCaption(QString(data + captionStart, end - captionStart));
        // Depths are those of the tree: a first line is a root at depth 0,
        // however far it is indented.
        if (path.empty()) {
            depth = 0;
        } else if (depth > int(path.size())) {
            return ReadResult::LevelJump;
        } else if (depth > MaxDepth) {
            return ReadResult::Damaged;
        }
        path.resize(size_t(depth));
        AddressNode *parent = path.empty() ? nullptr : path.back();
        path.push_back(tree.appendChild(parent, caption, 0, 0));
        // The next line starts after CR LF, LF or a lone CR.
        if (end < size && data[end] == u'\r' && end + 1 < size && data[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    return ReadResult::Read;
}

} // namespace

ReadResult parseBytes(AddressTree &tree, const QByteArray &bytes, bool salvage)
{
    const Decoded decoded = decode(bytes, salvage);
    AddressTree built;
    ReadResult result = build(built, decoded.text);
    if (result == ReadResult::Read && (decoded.binary || (salvage && decoded.nul)))
        result = ReadResult::Damaged;
    if (result != ReadResult::Read && !salvage) {
        tree.clear();
        return result;
    }
    tree.takeNodesFrom(built);
    return result;
}

bool parseLines(AddressTree &tree, const QStringList &lines)
{
    AddressTree built;
    if (!lines.isEmpty() && build(built, lines.join(u'\n') + u'\n') != ReadResult::Read) {
        tree.clear();
        return false;
    }
    tree.takeNodesFrom(built);
    return true;
}

namespace {

ReadResult readFile(AddressTree &tree, const QString &path, bool salvage)
{
    tree.clear();
    QFile file(path);
    if (!file.exists())
        return ReadResult::Missing;
    // Opening a FIFO or a device would wait or never end: regular files only
    // (the designed tree is a resource, not a file on the disk).
    struct stat info;
    if (!path.startsWith(u':')
        && (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode)))
        return ReadResult::Unreadable;
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult::Unreadable;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return ReadResult::Unreadable;
    return parseBytes(tree, bytes, salvage);
}

} // namespace

ReadResult readTreeText(AddressTree &tree, const QString &path)
{
    return readFile(tree, path, false);
}

ReadResult salvageTreeText(AddressTree &tree, const QString &path)
{
    return readFile(tree, path, true);
}

QStringList treeLines(const AddressTree &tree)
{
    QStringList lines;
    for (const AddressNode *node : tree.nodes())
        lines << QString(node->depth(), u'\t') + cleanCaption(node->caption());
    return lines;
}

SafeSave::Outcome writeTreeText(const AddressTree &tree, const QString &path)
{
    return TextFile::writeLines(path, treeLines(tree));
}

bool classifyLoadedTree(AddressTree &tree)
{
    const QList<AddressNode *> nodes = tree.nodes();
    if (nodes.size() < 2)
        return false;
    tree.setIcons(nodes.first(), -1, -1);
    for (AddressNode *node : nodes) {
        // Later rules win over earlier ones.
        int icon = node->icon();
        if (node->caption() == QLatin1String("Favorites"))
            icon = AddressIcon::FavoritesRoot;
        if (node->caption() == QLatin1String("History"))
            icon = AddressIcon::HistoryRoot;
        const int depth = node->depth();
        if (depth == 1)
            icon = AddressIcon::Group;
        if (depth == 2)
            icon = AddressIcon::WebAddress;
        if (icon != node->icon())
            tree.setIcons(node, icon, icon + 1);
    }
    return tree.findFirstNodeOfKind(AddressNodeKind::nkFavoritesRoot) != AddressTree::NotFound
           && tree.findFirstNodeOfKind(AddressNodeKind::nkHistoryRoot) != AddressTree::NotFound;
}

QString cleanCaption(const QString &caption)
{
    const auto unwanted = [](QChar c) {
        const QChar::Category category = c.category();
        return category == QChar::Other_Control || category == QChar::Separator_Line
               || category == QChar::Separator_Paragraph;
    };
    qsizetype start = 0;
    while (start < caption.size() && (unwanted(caption.at(start)) || caption.at(start).isSpace()))
        ++start;
    bool clean = true;
    for (qsizetype i = start; i < caption.size() && clean; ++i)
        clean = !unwanted(caption.at(i));
    if (clean)
        return start == 0 ? caption : caption.mid(start);
    QString cleaned;
    cleaned.reserve(caption.size() - start);
    for (qsizetype i = start; i < caption.size(); ++i)
        if (!unwanted(caption.at(i)))
            cleaned += caption.at(i);
    return cleaned;
}

} // namespace AddressTreeText
