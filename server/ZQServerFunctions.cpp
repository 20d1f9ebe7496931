#include "server/ZQServerFunctions.h"

#include "platform/data/PacketCodec.h"
#include "util/ZQError.h"

using TParam = TServerMethodCommand::TParam;
using TType = TServerMethodCommand::TParamType;

namespace {

TParam text(const char* AName)
{
    return {QLatin1String(AName), false, TType::Text, QStringLiteral("string")};
}

TParam returns(TType AType, const char* ATypeName)
{
    return {QString(), true, AType, QLatin1String(ATypeName)};
}

QString textResult(const QJsonArray& AResult)
{
    if (!AResult.first().isString())
        throw EZQError(QStringLiteral("Die Antwort des Servers ist ungültig."));
    return AResult.first().toString();
}

} // namespace

bool TFFunctionsMainClient::Connected()
{
    const auto& command = Command("FConnectedCommand", "GET", QStringLiteral("TFFunctionsMain.Connected"),
                                  {returns(TType::Boolean, "Boolean")});
    const QJsonArray result = Call(command, {});
    if (!result.first().isBool())
        throw EZQError(QStringLiteral("Die Antwort des Servers ist ungültig."));
    return result.first().toBool();
}

void TFFunctionsMainClient::Disconnect()
{
    Call(Command("FDisconnectCommand", "GET", QStringLiteral("TFFunctionsMain.Disconnect"), {}), {});
}

QString TFFunctionsDatabaseClient::getOrgaID()
{
    return textResult(
        Call(Command("FgetOrgaIDCommand", "GET", QStringLiteral("TFFunctionsDatabase.getOrgaID"),
                     {returns(TType::Text, "string")}),
             {}));
}

QString TFFunctionsDatabaseClient::getUserID()
{
    return textResult(
        Call(Command("FgetUserIDCommand", "GET", QStringLiteral("TFFunctionsDatabase.getUserID"),
                     {returns(TType::Text, "string")}),
             {}));
}

TDataSetList TFFunctionsDatabaseClient::getOneTable(const QString& ATableName, const QString& ASQL)
{
    const auto& command =
        Command("FgetOneTableCommand", "GET", QStringLiteral("TFFunctionsDatabase.getOneTable"),
                {text("ATableName"), text("ASQL"), returns(TType::JsonValue, "TFDJSONDataSets")});
    return PacketCodec::DataSetListFromJson(Call(command, {ATableName, ASQL}).first());
}

QString TFFunctionsDatabaseClient::postSelecedTable(const QString& ASelectedTables,
                                                    const TDeltaList& ADeltaList)
{
    const auto& command = Command(
        "FpostSelecedTableCommand", "POST", QStringLiteral("TFFunctionsDatabase.\"postSelecedTable\""),
        {text("ASelectedTables"),
         {QStringLiteral("ADeltaList"), false, TType::JsonValue, QStringLiteral("TFDJSONDeltas")},
         returns(TType::Text, "string")});
    return textResult(Call(command, {ASelectedTables, PacketCodec::DeltaListToJson(ADeltaList)}));
}

void TFFunctionsDatabaseClient::postError(const QString& AFunctionname, const QString& AErrorString)
{
    Call(Command("FpostErrorCommand", "GET", QStringLiteral("TFFunctionsDatabase.postError"),
                 {text("AFunctionname"), text("AErrorString")}),
         {AFunctionname, AErrorString});
}
