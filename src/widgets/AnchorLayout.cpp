#include "widgets/AnchorLayout.h"

#include <QWidget>
#include <QWidgetItem>

namespace quarvel {

AnchorLayout::AnchorLayout(QWidget* parent, QSize designSize)
    : QLayout(parent)
    , designSize_(designSize)
{
    setContentsMargins(0, 0, 0, 0);
}

AnchorLayout::~AnchorLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void AnchorLayout::AddWidget(QWidget* widget, QRect designRect, int anchors)
{
    addChildWidget(widget);
    entries_.append({new QWidgetItem(widget), designRect, anchors});
    invalidate();
}

void AnchorLayout::addItem(QLayoutItem* item)
{
    entries_.append({item, item->geometry(), TopLeft});
}

QLayoutItem* AnchorLayout::itemAt(int index) const
{
    return index >= 0 && index < entries_.size() ? entries_[index].item : nullptr;
}

QLayoutItem* AnchorLayout::takeAt(int index)
{
    if (index < 0 || index >= entries_.size())
        return nullptr;
    return entries_.takeAt(index).item;
}

int AnchorLayout::count() const
{
    return int(entries_.size());
}

QSize AnchorLayout::sizeHint() const
{
    return designSize_;
}

QSize AnchorLayout::minimumSize() const
{
    return {0, 0};
}

QRect AnchorLayout::Place(const Entry& entry, const QRect& area) const
{
    const QRect& d = entry.designRect;
    const int rightGap = designSize_.width() - (d.x() + d.width());
    const int bottomGap = designSize_.height() - (d.y() + d.height());
    int left = d.x();
    int width = d.width();
    if (entry.anchors & Right) {
        if (entry.anchors & Left)
            width = area.width() - rightGap - left;
        else
            left = area.width() - rightGap - width;
    }
    int top = d.y();
    int height = d.height();
    if (entry.anchors & Bottom) {
        if (entry.anchors & Top)
            height = area.height() - bottomGap - top;
        else
            top = area.height() - bottomGap - height;
    }
    return {area.x() + left, area.y() + top, std::max(width, 0), std::max(height, 0)};
}

void AnchorLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    // Widgets get their exact design size, whatever their size hints say.
    for (const Entry& entry : std::as_const(entries_)) {
        if (QWidget* widget = entry.item->widget())
            widget->setGeometry(Place(entry, rect));
        else
            entry.item->setGeometry(Place(entry, rect));
    }
}

} // namespace quarvel
