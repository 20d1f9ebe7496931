#include "server/ServerTables.h"

#include "pages/ZQParams.h"

namespace {

using T = TFieldType;

TFieldDef key()
{
    return {QStringLiteral("id"), T::Integer, true};
}

TFieldDef column(const char* AName, T AType = T::Text)
{
    return {QLatin1String(AName), AType};
}

TFieldDef required(const char* AName, T AType = T::Text)
{
    return {QLatin1String(AName), AType, false, true};
}

TFieldDef joined(const char* AName)
{
    return {QLatin1String(AName), T::Text, false, false, true};
}

QList<TServerTableDef> definitions()
{
    using namespace ZQParams;
    const TFieldDef changeId = column("chachedupdateid");
    return {
        {TableOrga,
         {key(), required("name"), required("postcode"), required("city"), required("street"),
          column("orgashortcode"), column("oeserverurl"), column("email"), column("updateid"),
          column("orgatype_id", T::Integer), changeId, column("plxserverurl")},
         true},
        {TableOrgauser,
         {key(), required("email"), required("name"), required("password"), column("active", T::Boolean),
          required("changeddate", T::DateTime), required("rights"), changeId, column("orga_id", T::Integer)}},
        {TableCustomer,
         {key(), required("customername"), required("street"), required("postcode"), required("city"),
          column("phone"), column("email"), column("contactperson"), column("commentfield"),
          column("inetinfo"), column("openingtimes"), column("customernumber"), column("loginid"),
          column("orga_id", T::Integer), column("customertype_id", T::Integer), changeId,
          column("softwaresystem_id", T::Integer)},
         true},
        {TableCustomertype, {key(), changeId, column("name")}},
        {TableSoftwaresystem,
         {key(), required("name"), column("filebased", T::Integer), changeId, column("manufacturer")}},
        {TableConcustomeruser,
         {key(), column("customer_id", T::Integer), column("orgauser_id", T::Integer), changeId,
          joined("customername")}},
        {TableSoftware,
         {key(), required("name"), column("description"), column("confluenceshortcode"), changeId,
          column("shortcode")}},
        {TableConorgasoftware,
         {key(), column("orga_id", T::Integer), column("software_id", T::Integer), changeId,
          joined("softwarename")}},
        {TableFilename,
         {key(), required("filename"), column("filepathonserver"), column("category"),
          column("changeddate", T::DateTime), column("description"), changeId,
          column("differentversions", T::Boolean)}},
        {TableFilenameversion,
         {key(), required("updateversion"), required("releasedate", T::DateTime), column("changelog"),
          column("filename_id", T::Integer), changeId},
         false,
         false},
        {TableConsoftwarefilename,
         {key(), column("filename_id", T::Integer), column("software_id", T::Integer), changeId,
          joined("softwarename")}},
        {TableConorgafilename,
         {key(), column("filename_id", T::Integer), column("orga_id", T::Integer), changeId,
          joined("organame")}},
        {TableUpdateversion,
         {key(), column("releasedate", T::DateTime), column("orga_id", T::Integer), column("filename"),
          column("version"), column("forholeorga", T::Boolean), column("forallorga", T::Boolean), changeId,
          column("url")}},
        {TableConupversionpraxis,
         {key(), column("updateversion_id", T::Integer), column("customer_id", T::Integer), changeId,
          joined("customername")}},
    };
}

} // namespace

const QList<TServerTableDef>& ServerTableDefs()
{
    static const QList<TServerTableDef> tables = definitions();
    return tables;
}
