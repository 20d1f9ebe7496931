#pragma once

#include "util/FileVersion.h"

#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <optional>

// The file version of a Linux executable: an ELF note of owner "ZQConnect" whose descriptor holds the
// four version numbers, stamped by the build from the project version.
namespace ElfVersionNote {

constexpr std::uint32_t OwnerSize = 10; // "ZQConnect" with its terminating zero
constexpr std::uint32_t DescSize = 8;   // four 16-bit numbers
constexpr std::uint32_t NoteType = 1;

// The note as the build lays it into the executable (in the machine's byte order).
struct Layout
{
    std::uint32_t namesz;
    std::uint32_t descsz;
    std::uint32_t type;
    char name[12];
    std::uint16_t version[4];
};

// The version of the note in the file; none when the file is missing, unreadable, not ELF or has no note.
std::optional<TFileVersion> read(const QString& APath);
// The same for an image of a file in memory.
std::optional<TFileVersion> readImage(const uchar* AData, qint64 ASize);

// Writes AVersion into the note of the file, through a temporary copy that replaces it.
// Throws EZQError when the file cannot be read or written or carries no note.
void write(const QString& APath, const TFileVersion& AVersion);

} // namespace ElfVersionNote
