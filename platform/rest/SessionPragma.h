#pragma once

#include <QByteArray>
#include <QString>

// The session id in a "Pragma" header: the text after "dssession=" up to the first ","; empty when the
// header names none. Client and server read the header alike.
inline QString SessionIdOfPragma(const QByteArray& APragma)
{
    static const QByteArray Marker = "dssession=";
    const qsizetype start = APragma.indexOf(Marker);
    if (start < 0)
        return {};
    const QByteArray rest = APragma.mid(start + Marker.size());
    const qsizetype comma = rest.indexOf(',');
    return QString::fromLatin1(comma < 0 ? rest : rest.left(comma)).trimmed();
}
