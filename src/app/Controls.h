#pragma once

#include <QComboBox>
#include <QPushButton>
#include <QString>
#include <QStringList>

namespace quarvel {

// Controls carry their designer names as object names, so tests and style sheets find them.
template <typename Widget>
Widget* Named(Widget* widget, const char* objectName)
{
    widget->setObjectName(QString::fromLatin1(objectName));
    return widget;
}

inline QPushButton* MakeButton(const QString& caption, const char* objectName, QWidget* parent)
{
    return Named(new QPushButton(caption, parent), objectName);
}

inline QComboBox* MakeDropDown(const QStringList& items, const char* objectName, QWidget* parent)
{
    auto* combo = Named(new QComboBox(parent), objectName);
    combo->addItems(items);
    combo->setCurrentIndex(0);
    return combo;
}

} // namespace quarvel
