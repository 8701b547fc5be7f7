#pragma once

#include <QAbstractButton>
#include <QColor>

namespace quarvel {

// A flat top-bar button that shows a tinted body while hovered, pressed or latched down.
class TrkGlassButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(bool Down READ Down WRITE SetDown)

public:
    explicit TrkGlassButton(const QString& caption, QWidget* parent = nullptr);

    // The latched pressed look that marks the current page.
    bool Down() const { return down_; }
    void SetDown(bool down);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool down_ = false;
    bool hot_ = false;
    QColor color_ = Qt::white;
    QColor colorDown_ = QColor(0x23, 0x23, 0x23);
    QColor colorFrame_ = QColor(0x30, 0x30, 0x30);
};

} // namespace quarvel
