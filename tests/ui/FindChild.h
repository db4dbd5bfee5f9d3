#pragma once

#include <QObject>

// The child of that objectName; a missing one stops the run with its name rather than
// leaving a null pointer to crash on.
template <typename T> T* find(const QObject& parent, QAnyStringView name)
{
    T* child = parent.findChild<T*>(name.toString());
    if (!child)
        qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(name.toString()));
    return child;
}
