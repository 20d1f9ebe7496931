#pragma once

#include <QString>
#include <QtGlobal>

// Paths of the running executable and the start of programs.
class SystemTools
{
public:
    static QString GetExePath();
    static QString GetExeName();

    // The file name with every occurrence of its extension removed, case ignored ("a.exe.exe" gives "a").
    static QString GetExeNameWithoutExtension();

    // The executable's folder with a trailing separator.
    static QString GetExeDirectory();

    // Opens a document or folder, or starts a program with AParam as its parameters; reports no failure.
    static bool ProcessStart(const QString& AProgrammname, const QString& AParam);

    // The name without extension of any file name; the rule behind GetExeNameWithoutExtension.
    static QString NameWithoutExtension(const QString& AFileName);
};

// A new random GUID in braced upper-case form, 38 characters.
QString GetNewGUID();

// The size of the file in bytes; throws EZQError when the file cannot be opened.
qint64 GetFileByteSize(const QString& APath);

// The computer's name; empty when it cannot be read.
QString GetLocalComputerName();
