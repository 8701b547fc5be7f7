#pragma once

#include <QLayout>
#include <QList>
#include <QRect>
#include <QSize>

namespace quarvel {

// Places widgets at fixed design positions and keeps the chosen edges at their design
// distance from the parent's edges, so an anchored control stretches or follows as the
// parent resizes.
class AnchorLayout : public QLayout {
public:
    enum Anchor { Left = 1, Top = 2, Right = 4, Bottom = 8, TopLeft = Left | Top };

    // designSize: the parent's size the design positions were laid out for.
    AnchorLayout(QWidget* parent, QSize designSize);
    ~AnchorLayout() override;

    void AddWidget(QWidget* widget, QRect designRect, int anchors = TopLeft);

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    struct Entry {
        QLayoutItem* item;
        QRect designRect;
        int anchors;
    };
    QRect Place(const Entry& entry, const QRect& area) const;

    QSize designSize_;
    QList<Entry> entries_;
};

} // namespace quarvel
