#pragma once

#include <QStringList>

// The zqtool commands. Each takes the words after its name, writes its result to standard output and
// throws EZQError for bad arguments and files it cannot use.
namespace ZQToolCommands {

void encrypt(const QStringList& AWords);
void decrypt(const QStringList& AWords);
void hashPassword(const QStringList& AWords);
void config(const QStringList& AWords);
void proxy(const QStringList& AWords);
void versionKey(const QStringList& AWords);
void setVersion(const QStringList& AWords);
void call(const QStringList& AWords);

// Standard input as text, one character per byte, and text written back the same way.
QString readStandardInput();
void writeStandardOutput(const QString& AText);

} // namespace ZQToolCommands
