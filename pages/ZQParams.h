#pragma once

#include <QString>

// What the main window and the work areas share besides the data module: the server tables' names,
// the user rights and the sub-query of an organisation's files.
namespace ZQParams {

// Server table names, spelled as the server knows them; used as table names and inside SQL texts.
inline const QString TableConcustomeruser = QStringLiteral("Concustomeruser");
inline const QString TableConorgafilename = QStringLiteral("Conorgafilename");
inline const QString TableConorgasoftware = QStringLiteral("Conorgasoftware");
inline const QString TableConsoftwarefilename = QStringLiteral("Consoftwarefilename");
inline const QString TableConupversionpraxis = QStringLiteral("Conupversionpraxis");
inline const QString TableCustomer = QStringLiteral("Customer");
inline const QString TableCustomertype = QStringLiteral("Customertype");
inline const QString TableFilename = QStringLiteral("Filename");
inline const QString TableFilenameversion = QStringLiteral("Filenameversion");
inline const QString TableOrga = QStringLiteral("Orga");
inline const QString TableOrgauser = QStringLiteral("Orgauser");
inline const QString TableSoftware = QStringLiteral("Software");
inline const QString TableSoftwaresystem = QStringLiteral("Softwaresystem");
inline const QString TableUpdateversion = QStringLiteral("Updateversion");

// The seven user rights.
inline const QString RightZQXTAdmin = QStringLiteral("ZQXTADMIN");
inline const QString RightZQXTEntwickler = QStringLiteral("ZQXTENTWICKLER");
inline const QString RightZQXTInstaller = QStringLiteral("ZQXTINSTALLER");
inline const QString RightZQXTAbrechnung = QStringLiteral("ZQXTABRECHNUNG");
inline const QString RightAdmin = QStringLiteral("ADMIN");
inline const QString RightStandard = QStringLiteral("STANDARD");
inline const QString RightPraxisuser = QStringLiteral("PRAXISUSER");

} // namespace ZQParams

// True when the user right AUserRight reaches ARequiredRight; case is ignored. The rights form the chain
// ZQXTADMIN, ZQXTENTWICKLER, ZQXTINSTALLER, ADMIN, STANDARD, PRAXISUSER, each passing the checks of all
// that follow it; ZQXTABRECHNUNG passes only its own check, which only ZQXTADMIN passes besides it.
bool HasRight(const QString& AUserRight, const QString& ARequiredRight);

// The sub-query of the ids of all files linked to a software product of the organisation AOrgaID.
QString GetOrgaFileIDsSQL(const QString& AOrgaID);
