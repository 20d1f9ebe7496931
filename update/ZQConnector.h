#pragma once

// The product update object: looks for a newer version of the program at every start.
class TZQConnector
{
public:
    // True when a newer program was handed to the updater and the window must not set itself up.
    bool UpdateAvailable();
};

// The version-information folder below the update folder.
inline constexpr char VersionFolderName[] = "ZQVersions";
