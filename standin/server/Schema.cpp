#include "standin/server/Schema.h"

#include "standin/server/Sqlite.h"

namespace {

// Columns without NOT NULL have a default, so a row may be inserted without them; the change id and the
// dates a page never sets default to empty and to the moment of the insert.
constexpr char SchemaSql[] = R"sql(
CREATE TABLE IF NOT EXISTS Orgatype (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT);
CREATE TABLE IF NOT EXISTS Orga (
  id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT NOT NULL, postcode TEXT NOT NULL, city TEXT NOT NULL,
  street TEXT NOT NULL, orgashortcode TEXT, oeserverurl TEXT, email TEXT, updateid TEXT,
  orgatype_id INTEGER REFERENCES Orgatype(id), chachedupdateid TEXT, plxserverurl TEXT);
CREATE TABLE IF NOT EXISTS Orgauser (
  id INTEGER PRIMARY KEY AUTOINCREMENT, email TEXT NOT NULL, name TEXT NOT NULL, password TEXT NOT NULL DEFAULT '',
  active BOOLEAN DEFAULT 1, changeddate DATETIME NOT NULL DEFAULT (strftime('%Y-%m-%dT%H:%M:%S.000', 'now', 'localtime')),
  rights TEXT NOT NULL DEFAULT 'STANDARD', chachedupdateid TEXT, orga_id INTEGER REFERENCES Orga(id));
CREATE UNIQUE INDEX IF NOT EXISTS OrgauserEmail ON Orgauser(email COLLATE NOCASE);
CREATE TABLE IF NOT EXISTS Customertype (id INTEGER PRIMARY KEY AUTOINCREMENT, chachedupdateid TEXT, name TEXT);
CREATE TABLE IF NOT EXISTS Softwaresystem (
  id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT NOT NULL, filebased INTEGER, chachedupdateid TEXT, manufacturer TEXT);
CREATE TABLE IF NOT EXISTS Customer (
  id INTEGER PRIMARY KEY AUTOINCREMENT, customername TEXT NOT NULL, street TEXT NOT NULL, postcode TEXT NOT NULL,
  city TEXT NOT NULL, phone TEXT, email TEXT, contactperson TEXT, commentfield TEXT, inetinfo TEXT,
  openingtimes TEXT, customernumber TEXT, loginid TEXT, orga_id INTEGER REFERENCES Orga(id),
  customertype_id INTEGER REFERENCES Customertype(id), chachedupdateid TEXT,
  softwaresystem_id INTEGER REFERENCES Softwaresystem(id));
CREATE INDEX IF NOT EXISTS CustomerOrga ON Customer(orga_id);
CREATE TABLE IF NOT EXISTS Concustomeruser (
  id INTEGER PRIMARY KEY AUTOINCREMENT, customer_id INTEGER REFERENCES Customer(id) ON DELETE CASCADE,
  orgauser_id INTEGER REFERENCES Orgauser(id) ON DELETE CASCADE, chachedupdateid TEXT);
CREATE TABLE IF NOT EXISTS Software (
  id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT NOT NULL, description TEXT, confluenceshortcode TEXT,
  chachedupdateid TEXT, shortcode TEXT);
CREATE TABLE IF NOT EXISTS Conorgasoftware (
  id INTEGER PRIMARY KEY AUTOINCREMENT, orga_id INTEGER REFERENCES Orga(id), software_id INTEGER REFERENCES Software(id),
  chachedupdateid TEXT);
CREATE TABLE IF NOT EXISTS Filename (
  id INTEGER PRIMARY KEY AUTOINCREMENT, filename TEXT NOT NULL, filepathonserver TEXT, category TEXT,
  changeddate DATETIME, description TEXT, chachedupdateid TEXT, differentversions BOOLEAN DEFAULT 0);
CREATE TABLE IF NOT EXISTS Filenameversion (
  id INTEGER PRIMARY KEY AUTOINCREMENT, updateversion TEXT NOT NULL, releasedate DATETIME NOT NULL, changelog TEXT,
  filename_id INTEGER REFERENCES Filename(id), chachedupdateid TEXT);
CREATE TABLE IF NOT EXISTS Consoftwarefilename (
  id INTEGER PRIMARY KEY AUTOINCREMENT, filename_id INTEGER REFERENCES Filename(id),
  software_id INTEGER REFERENCES Software(id), chachedupdateid TEXT);
CREATE TABLE IF NOT EXISTS Conorgafilename (
  id INTEGER PRIMARY KEY AUTOINCREMENT, filename_id INTEGER REFERENCES Filename(id), orga_id INTEGER REFERENCES Orga(id),
  chachedupdateid TEXT);
CREATE TABLE IF NOT EXISTS Updateversion (
  id INTEGER PRIMARY KEY AUTOINCREMENT, releasedate DATETIME, orga_id INTEGER REFERENCES Orga(id), filename TEXT,
  version TEXT, forholeorga BOOLEAN DEFAULT 0, forallorga BOOLEAN DEFAULT 0, chachedupdateid TEXT, url TEXT);
CREATE TABLE IF NOT EXISTS Conupversionpraxis (
  id INTEGER PRIMARY KEY AUTOINCREMENT, updateversion_id INTEGER REFERENCES Updateversion(id) ON DELETE CASCADE,
  customer_id INTEGER REFERENCES Customer(id) ON DELETE CASCADE, chachedupdateid TEXT);
CREATE TABLE IF NOT EXISTS ErrorLog (
  id INTEGER PRIMARY KEY AUTOINCREMENT, loggedat DATETIME, orgauser_id INTEGER, functionname TEXT, errortext TEXT);
)sql";

} // namespace

namespace Schema {

void Create(TSqliteDb& ADb)
{
    ADb.Exec(QString::fromUtf8(SchemaSql));
}

const QStringList& WritableTables()
{
    static const QStringList tables = {"Orgauser", "Concustomeruser", "Customer", "Updateversion",
                                       "Conupversionpraxis"};
    return tables;
}

QStringList Columns(TSqliteDb& ADb, const QString& ATable)
{
    TSqliteStatement info(ADb, QStringLiteral("SELECT name FROM main.pragma_table_info(?)"));
    info.Bind(1, ATable);
    QStringList columns;
    while (info.Step())
        columns << info.Text(0);
    return columns;
}

} // namespace Schema
