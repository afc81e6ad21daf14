#include "appearance/widgets/listboxstripes.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Draws every row itself: a full-width band in the row's colour and the
// text two pixels in from the left, nothing from the style.
class StripeDelegate : public QStyledItemDelegate
{
public:
    explicit StripeDelegate(ListBoxStripes *list)
        : QStyledItemDelegate(list)
        , m_list(list)
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const int row = index.row();
        QRect band = option.rect;
        band.setLeft(0);
        band.setRight(qMax(band.right(), m_list->viewport()->width() - 1));
        painter->save();
        painter->fillRect(band, m_list->rowBackground(row));
        painter->setFont(option.font);
        painter->setPen(m_list->rowTextColor(row));
        const QRect textRect = option.rect.adjusted(2, 0, 0, 0);
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QString text = index.data(Qt::DisplayRole).toString();
        return {option.fontMetrics.horizontalAdvance(text) + 4, m_list->itemHeight()};
    }

private:
    ListBoxStripes *m_list;
};

} // namespace

ListBoxStripes::ListBoxStripes(QWidget *parent)
    : QListWidget(parent)
{
    setItemDelegate(new StripeDelegate(this));
    setUniformItemSizes(true);
    setColorEven(m_colorEven);
    // A current row set from code repaints too.
    connect(this, &QListWidget::currentRowChanged, viewport(), qOverload<>(&QWidget::update));
}

void ListBoxStripes::setColorOdd(const QColor &color)
{
    m_colorOdd = color;
    viewport()->update();
}

void ListBoxStripes::setColorEven(const QColor &color)
{
    m_colorEven = color;
    // Even rows are the list's own background, so the space below the last
    // row matches them.
    QPalette pal = palette();
    pal.setColor(QPalette::Base, color);
    setPalette(pal);
    viewport()->update();
}

QColor ListBoxStripes::colorSelected() const
{
    return m_colorSelected.isValid() ? m_colorSelected : palette().color(QPalette::Highlight);
}

void ListBoxStripes::setColorSelected(const QColor &color)
{
    m_colorSelected = color;
    viewport()->update();
}

QColor ListBoxStripes::fontSelectedColor() const
{
    return m_fontSelectedColor.isValid() ? m_fontSelectedColor
                                         : palette().color(QPalette::HighlightedText);
}

void ListBoxStripes::setFontSelectedColor(const QColor &color)
{
    m_fontSelectedColor = color;
    viewport()->update();
}

int ListBoxStripes::itemHeight() const
{
    return m_itemHeight > 0 ? m_itemHeight : fontMetrics().height();
}

void ListBoxStripes::setItemHeight(int height)
{
    m_itemHeight = height;
    // Uniform sizes are cached; a new height needs a new layout.
    doItemsLayout();
    viewport()->update();
}

QColor ListBoxStripes::rowBackground(int row) const
{
    if (row == currentRow())
        return colorSelected();
    return (row % 2) ? m_colorOdd : m_colorEven;
}

QColor ListBoxStripes::rowTextColor(int row) const
{
    return row == currentRow() ? fontSelectedColor() : palette().color(QPalette::Text);
}

void ListBoxStripes::mousePressEvent(QMouseEvent *event)
{
    QListWidget::mousePressEvent(event);
    viewport()->update();
}

void ListBoxStripes::keyPressEvent(QKeyEvent *event)
{
    QListWidget::keyPressEvent(event);
    viewport()->update();
}
