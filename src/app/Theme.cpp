#include "app/Theme.h"

#include <QApplication>
#include <QFile>

namespace quarvel {

bool ApplyTheme(QApplication& application, const QString& name)
{
    QFile sheet(QStringLiteral(":/styles/%1.qss").arg(name));
    if (!sheet.open(QIODevice::ReadOnly))
        return false;
    application.setStyleSheet(QString::fromUtf8(sheet.readAll()));
    return true;
}

} // namespace quarvel
