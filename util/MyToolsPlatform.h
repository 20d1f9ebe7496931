#pragma once

#include <QString>
#include <QtGlobal>

// The operating system's side of the utility classes; one implementation file per platform.
class MyToolsPlatform
{
public:
    // The file version of the file at AFilePath. The four numbers are 0 and the text is empty for an empty
    // path, "Datei existiert nicht" for a missing file and "Keine Versions-Information." for a file without
    // version information; otherwise the text is the dotted version.
    static QString getVersionNR(const QString& AFilePath, quint16& wMaj, quint16& WMin, quint16& wRelease,
                                quint16& wBuild);

    // The path of the running executable.
    static QString runningExecutablePath();

    // The longest path the platform accepts for a file.
    static int maxPathLength();

    // Opens a document or folder with the desktop's handler, or starts a program with its parameters.
    static void shellOpen(const QString& AProgrammname, const QString& AParam);

    // The computer's name; empty when it cannot be read.
    static QString computerName();
};
