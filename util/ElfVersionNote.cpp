#include "util/ElfVersionNote.h"

#include "util/ZQError.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>

namespace {

constexpr quint32 SectionTypeNote = 7;
constexpr char Owner[] = "ZQConnect";

// Bounds-checked reading of an ELF image in its own byte order; every read outside the image fails.
class ElfReader
{
public:
    ElfReader(const uchar* AData, qint64 ASize) : FData(AData), FSize(ASize) {}

    bool readHeader()
    {
        if (FSize < 16 || FData[0] != 0x7F || FData[1] != 'E' || FData[2] != 'L' || FData[3] != 'F')
            return false;
        FIs64 = FData[4] == 2;
        FBigEndian = FData[5] == 2;
        return (FData[4] == 1 || FData[4] == 2) && (FData[5] == 1 || FData[5] == 2);
    }

    // Offset of the version numbers inside the note, or -1.
    qint64 findVersionOffset() const
    {
        quint64 sectionTable = 0, entrySize = 0, entryCount = 0;
        if (!number(FIs64 ? 0x28 : 0x20, FIs64 ? 8 : 4, sectionTable) ||
            !number(FIs64 ? 0x3A : 0x2E, 2, entrySize) || !number(FIs64 ? 0x3C : 0x30, 2, entryCount))
            return -1;
        for (quint64 i = 0; i < entryCount; ++i) {
            const quint64 entry = sectionTable + i * entrySize;
            quint64 type = 0, offset = 0, size = 0;
            if (!number(entry + 4, 4, type) ||
                !number(entry + (FIs64 ? 0x18 : 0x10), FIs64 ? 8 : 4, offset) ||
                !number(entry + (FIs64 ? 0x20 : 0x14), FIs64 ? 8 : 4, size))
                return -1;
            if (type != SectionTypeNote)
                continue;
            const qint64 found = findInNotes(offset, size);
            if (found >= 0)
                return found;
        }
        return -1;
    }

    bool bigEndian() const { return FBigEndian; }

private:
    static quint64 align4(quint64 AValue) { return (AValue + 3) & ~quint64(3); }

    qint64 findInNotes(quint64 AOffset, quint64 ASize) const
    {
        if (AOffset > quint64(FSize) || ASize > quint64(FSize) - AOffset)
            return -1;
        const quint64 end = AOffset + ASize;
        quint64 at = AOffset;
        while (end - at >= 12) {
            quint64 nameSize = 0, descSize = 0, type = 0;
            number(at, 4, nameSize);
            number(at + 4, 4, descSize);
            number(at + 8, 4, type);
            const quint64 name = at + 12;
            const quint64 desc = name + align4(nameSize);
            const quint64 next = desc + align4(descSize);
            if (next > end)
                return -1;
            if (nameSize == ElfVersionNote::OwnerSize && descSize == ElfVersionNote::DescSize &&
                type == ElfVersionNote::NoteType && memcmp(FData + name, Owner, sizeof(Owner)) == 0)
                return qint64(desc);
            at = next;
        }
        return -1;
    }

    bool number(quint64 AOffset, int ABytes, quint64& AValue) const
    {
        if (AOffset > quint64(FSize) || quint64(ABytes) > quint64(FSize) - AOffset)
            return false;
        AValue = 0;
        for (int i = 0; i < ABytes; ++i) {
            const int shift = FBigEndian ? 8 * (ABytes - 1 - i) : 8 * i;
            AValue |= quint64(FData[AOffset + i]) << shift;
        }
        return true;
    }

    const uchar* FData;
    qint64 FSize;
    bool FIs64 = false;
    bool FBigEndian = false;
};

quint16 readNumber(const uchar* AAt, bool ABigEndian)
{
    return ABigEndian ? quint16(AAt[0] << 8 | AAt[1]) : quint16(AAt[1] << 8 | AAt[0]);
}

void writeNumber(char* AAt, quint16 AValue, bool ABigEndian)
{
    AAt[ABigEndian ? 0 : 1] = char(AValue >> 8);
    AAt[ABigEndian ? 1 : 0] = char(AValue & 0xFF);
}

} // namespace

namespace ElfVersionNote {

std::optional<TFileVersion> read(const QString& APath)
{
    QFile file(APath);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return std::nullopt;
    const uchar* data = file.map(0, file.size());
    return data ? readImage(data, file.size()) : std::nullopt;
}

std::optional<TFileVersion> readImage(const uchar* AData, qint64 ASize)
{
    const uchar* data = AData;
    ElfReader elf(data, ASize);
    if (!elf.readHeader())
        return std::nullopt;
    const qint64 at = elf.findVersionOffset();
    if (at < 0)
        return std::nullopt;
    const bool big = elf.bigEndian();
    return TFileVersion{readNumber(data + at, big), readNumber(data + at + 2, big),
                        readNumber(data + at + 4, big), readNumber(data + at + 6, big)};
}

void write(const QString& APath, const TFileVersion& AVersion)
{
    QFile source(APath);
    if (!source.open(QIODevice::ReadOnly))
        throw EZQError(QStringLiteral("Cannot read \"%1\": %2").arg(APath, source.errorString()));
    QByteArray image = source.readAll();
    source.close();

    ElfReader elf(reinterpret_cast<const uchar*>(image.constData()), image.size());
    const qint64 at = elf.readHeader() ? elf.findVersionOffset() : -1;
    if (at < 0)
        throw EZQError(QStringLiteral("\"%1\" carries no version note").arg(APath));
    const quint16 numbers[4] = {AVersion.major, AVersion.minor, AVersion.release, AVersion.build};
    for (int i = 0; i < 4; ++i)
        writeNumber(image.data() + at + 2 * i, numbers[i], elf.bigEndian());

    // QSaveFile gives the replacement the mode of the file it replaces.
    QSaveFile target(APath);
    if (!target.open(QIODevice::WriteOnly) || target.write(image) != image.size() || !target.commit())
        throw EZQError(QStringLiteral("Cannot write \"%1\": %2").arg(APath, target.errorString()));
}

} // namespace ElfVersionNote
