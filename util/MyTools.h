#pragma once

#include <QString>

// Folders of the running executable.
class TMyToolsDirectory
{
public:
    static QString GetExePath();

    // The executable's folder with a trailing separator; throws EZQError "Der angegebene Pfad ist zu lang"
    // when the path is longer than the platform allows.
    static QString GetExeFolder();
};

// Name and version of executables.
class TMyToolsEXE
{
public:
    static QString getNameWithEx();

    // The version key of the file at AFilePath (the running executable when empty); 0_00000 for a missing
    // file or one without version information. AAsInteger removes the "_".
    static QString getVersionNR(const QString& AFilePath, bool AAsInteger);
};

class TMyToolsObjects
{
public:
    // Clears the variable first, then releases the object it held; an empty variable is left alone.
    template <class T>
    static void free(T*& AObject)
    {
        T* object = AObject;
        AObject = nullptr;
        delete object;
    }
};
