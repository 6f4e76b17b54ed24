#ifndef CONTENTS_H
#define CONTENTS_H

#include <QByteArray>
#include <QFile>

// A file's bytes, or "<none>" where there is no file to read.
inline QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

#endif // CONTENTS_H
