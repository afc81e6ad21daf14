#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

// The small glyph list of the address trees: 14 pictures of 16 x 16, in
// pairs (the normal and the selected look) by node kind: Favorites,
// History, group, web address, Current Grid, System Favorites, Local Files.
// Painted once, no image files.
class AddressIcons
{
public:
    static constexpr int Size = 16;

    AddressIcons();

    // Picture n, or a null image out of range.
    QImage image(int index) const;
    // The icon a node shows: its icon index, and its selected icon index
    // while selected. Null for indexes out of range.
    QIcon icon(int index, int selectedIndex) const;

private:
    QList<QImage> m_images;
};
