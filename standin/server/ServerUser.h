#pragma once

#include <QString>

// The logged-in organisation user a request acts for.
struct TServerUser
{
    qint64 id = 0;
    qint64 orgaId = 0;
    QString email;
    QString rights; // upper case

    // The maker's own staff: rights that begin with ZQXT; they work for every organisation.
    bool IsStaff() const { return rights.contains(QLatin1String("ZQXT")); }
};
