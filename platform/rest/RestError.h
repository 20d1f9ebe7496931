#pragma once

#include "util/ZQError.h"

#include <QByteArray>

// A failure status of the server: the text is the status line, followed by the answer's error text when
// it has one; the status code and the body come along.
class ERestError : public EZQError
{
public:
    ERestError(const QString& AMessage, int AStatus, const QByteArray& ABody)
        : EZQError(AMessage), FStatus(AStatus), FBody(ABody)
    {
    }

    int Status() const { return FStatus; }
    const QByteArray& Body() const { return FBody; }

private:
    int FStatus;
    QByteArray FBody;
};
