#include "pages/ZQParams.h"

#include <QLocale>
#include <QStringList>

using namespace ZQParams;

bool HasRight(const QString& AUserRight, const QString& ARequiredRight)
{
    struct TRightRow
    {
        QString required;
        QStringList passing;
    };
    static const TRightRow RightTable[] = {
        {RightZQXTAdmin, {RightZQXTAdmin}},
        {RightZQXTEntwickler, {RightZQXTAdmin, RightZQXTEntwickler}},
        {RightZQXTInstaller, {RightZQXTAdmin, RightZQXTEntwickler, RightZQXTInstaller}},
        {RightZQXTAbrechnung, {RightZQXTAdmin, RightZQXTAbrechnung}},
        {RightAdmin, {RightZQXTAdmin, RightZQXTEntwickler, RightZQXTInstaller, RightAdmin}},
        {RightStandard, {RightZQXTAdmin, RightZQXTEntwickler, RightZQXTInstaller, RightAdmin, RightStandard}},
        {RightPraxisuser,
         {RightZQXTAdmin, RightZQXTEntwickler, RightZQXTInstaller, RightAdmin, RightStandard,
          RightPraxisuser}},
    };
    const QLocale locale;
    const QString user = locale.toUpper(AUserRight);
    const QString required = locale.toUpper(ARequiredRight);
    for (const TRightRow& row : RightTable) {
        if (row.required == required)
            return row.passing.contains(user);
    }
    return false;
}

QString GetOrgaFileIDsSQL(const QString& AOrgaID)
{
    return QStringLiteral("SELECT f.id FROM ") + TableFilename + QStringLiteral(" f, ") +
           TableConsoftwarefilename + QStringLiteral(" sf, ") + TableConorgasoftware +
           QStringLiteral(
               " os WHERE (f.id=sf.filename_id AND sf.software_id=os.software_id AND os.orga_id = ") +
           AOrgaID + QStringLiteral(" )");
}
