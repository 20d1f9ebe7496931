#pragma once

#include <QString>
#include <QtGlobal>

// The fixed file version of an executable: four 16-bit numbers.
struct TFileVersion
{
    quint16 major = 0;
    quint16 minor = 0;
    quint16 release = 0;
    quint16 build = 0;
};

// The version key: major "_" minor, then release and build with exactly two digits each
// (1.20.10.27 gives 1_201027, a release of 123 contributes 23). Keys are compared as texts.
QString FormatVersionKey(const TFileVersion& AVersion);

// The dotted form "1.20.10.27".
QString FormatDottedVersion(const TFileVersion& AVersion);

// Parses "A.B.C.D" with each number from 0 to 65535; false for anything else.
bool ParseDottedVersion(const QString& AText, TFileVersion& AVersion);
