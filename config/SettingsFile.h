#pragma once

#include <QString>

// The encrypted one-line settings files of the program ("PLXConfig.conf", "proxy.config").
namespace SettingsFile {

bool exists(const QString& APath);

// The whole content as text: a byte-order mark selects the encoding, otherwise every byte is one character.
// Throws EZQError when the file cannot be read.
QString read(const QString& APath);

// Replaces the file with AText in UTF-8 without byte-order mark, through a temporary file in the same
// folder that is renamed over it. Throws EZQError naming AWhat ("Die Konfigurationsdatei") on failure.
void write(const QString& APath, const QString& AText, const QString& AWhat);

} // namespace SettingsFile
