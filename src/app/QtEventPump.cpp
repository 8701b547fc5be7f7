#include "app/QtEventPump.h"

#include <QCoreApplication>

namespace quarvel {

void QtEventPump::ProcessEvents()
{
    QCoreApplication::processEvents();
}

} // namespace quarvel
