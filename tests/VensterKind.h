// Finds a control, action or menu of a window by its object name, the name the window gives it.
#pragma once

#include <QObject>
#include <QtGlobal>

#include <memory>

namespace korvalinde::testdata {

// The child of `ouder` of type T named `naam`; a missing one ends the test run, naming what is
// missing, rather than failing later on a null pointer.
template <class T> T* Kind(const QObject* ouder, const char* naam) {
    T* kind = ouder->findChild<T*>(QString::fromLatin1(naam));
    if (!kind)
        qFatal("%s has no %s named %s", qPrintable(ouder->objectName()), T::staticMetaObject.className(),
               naam);
    return kind;
}

template <class T, class Ouder> T* Kind(const std::unique_ptr<Ouder>& ouder, const char* naam) {
    return Kind<T>(ouder.get(), naam);
}

} // namespace korvalinde::testdata
