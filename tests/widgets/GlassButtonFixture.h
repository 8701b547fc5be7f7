#pragma once

#include "widgets/TopBarLook.h"
#include "widgets/TrkGlassButton.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QWidget>

namespace quarvel::test {

// A glass button configured as the main window's top bar configures it, on a parent of one
// flat grey, so every expected pixel follows from the pixel rules by hand.
class GlassButtonFixture {
public:
    static constexpr int BackgroundLevel = 100;

    explicit GlassButtonFixture(QSize size = {144, 32}, const QString& caption = QString())
        : button(caption, &parent)
    {
        QPalette flat = parent.palette();
        flat.setColor(QPalette::Window, QColor(BackgroundLevel, BackgroundLevel, BackgroundLevel));
        parent.setPalette(flat);
        parent.setAutoFillBackground(true);
        parent.resize(size.width() + 20, size.height() + 10);
        button.setGeometry(10, 5, size.width(), size.height());
        ApplyTopBarLook(button);
    }

    void Send(QEvent::Type type, QPoint at, Qt::MouseButton which, Qt::MouseButtons held)
    {
        QMouseEvent event(type, QPointF(at), button.mapToGlobal(QPointF(at)), which, held, Qt::NoModifier);
        QApplication::sendEvent(&button, &event);
    }
    void Enter()
    {
        QEnterEvent event(QPointF(1, 1), QPointF(1, 1), button.mapToGlobal(QPointF(1, 1)));
        QApplication::sendEvent(&button, &event);
    }
    void Leave()
    {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(&button, &event);
    }
    void Hover(QPoint at = {5, 5})
    {
        Enter();
        Send(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    }
    void Press(QPoint at = {5, 5}) { Send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton); }

    QWidget parent;
    TrkGlassButton button;
};

} // namespace quarvel::test
