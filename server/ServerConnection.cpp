#include "server/ServerConnection.h"

#include "pages/ZQParams.h"
#include "server/ServerSettings.h"
#include "server/ServerTables.h"
#include "server/ZQServerFunctions.h"
#include "update/MyProxyConf.h"
#include "util/SystemTools.h"
#include "util/ZQError.h"

#include <QDateTime>
#include <QLocale>

namespace {

// Restores what a load suspends, however the load ends.
class TLoadGuard
{
public:
    explicit TLoadGuard(TDataTable& ATable) : FTable(ATable), FAfterScroll(std::move(ATable.AfterScroll))
    {
        FTable.AfterScroll = nullptr;
        FTable.DisableControls();
    }
    ~TLoadGuard()
    {
        FTable.EnableControls();
        FTable.AfterScroll = std::move(FAfterScroll);
    }

private:
    TDataTable& FTable;
    TDataTable::THook FAfterScroll;
};

template <class TList>
auto& firstDataSet(TList& AList, const QString& ATablename)
{
    if (AList.isEmpty())
        throw EZQError(
            QStringLiteral("Der Server hat für die Tabelle \"%1\" keine Daten geliefert.").arg(ATablename));
    return AList.first().second;
}

} // namespace

TFServCon::TFServCon(const TMyProxyConf& AProxy, QObject* AParent) : QObject(AParent)
{
    FRestCon.Host = QLatin1String(ZQServerSettings::Host);
    FRestCon.Port = ZQServerSettings::Port;
    if (ZQServerSettings::CaFile[0] != '\0')
        FRestCon.AddCaFile(QLatin1String(ZQServerSettings::CaFile));
    FRestCon.SetProxy(AProxy.Host(), AProxy.Port(), AProxy.Username(), AProxy.Password());
    FRestCon.ConnectionHeader = QStringLiteral("Keep-Alive");
    CreateTables();
}

TFServCon::~TFServCon()
{
    Disconnect();
}

void TFServCon::CreateTables()
{
    for (const TServerTableDef& definition : ServerTableDefs()) {
        auto* table = new TDataTable(MemTableName(definition.name), this);
        for (const TFieldDef& field : definition.fields)
            table->AddField(field);
        table->SetFilterCaseInsensitive(definition.filterIgnoresCase);
        table->SetCachedUpdates(definition.keepsChangeLog);
        table->AfterPost = [this](TDataTable& ATable) {
            AfterChanged(ATable);
        };
        table->AfterDelete = [this](TDataTable& ATable) {
            AfterChanged(ATable);
        };
        if (definition.name == ZQParams::TableOrgauser)
            table->BeforePost = [this](TDataTable& ATable) {
                mtorgauserBeforePost(ATable);
            };
        else if (definition.name == ZQParams::TableCustomer)
            table->BeforePost = [this](TDataTable& ATable) {
                mtcustomerBeforePost(ATable);
            };
        else
            table->BeforePost = [this](TDataTable& ATable) {
                BeforeSend(ATable);
            };
        FTables.append(table);
        FMemTableList.append({table->objectName(), {}, {}});
    }
}

TFFunctionsMainClient& TFServCon::FunctionsMain()
{
    FFunctionsMain = std::make_unique<TFFunctionsMainClient>(FRestCon);
    return *FFunctionsMain;
}

TFFunctionsDatabaseClient& TFServCon::FunctionsDB()
{
    FFunctionsDB = std::make_unique<TFFunctionsDatabaseClient>(FRestCon);
    return *FFunctionsDB;
}

void TFServCon::SetLoginUsername(const QString& AValue)
{
    FLoginUsername = AValue;
    FRestCon.SetUserName(AValue);
}

void TFServCon::SetLoginPassword(const QString& AValue)
{
    FLoginPassword = AValue;
    FRestCon.SetPassword(AValue);
}

bool TFServCon::isConnected()
{
    return TestConnection(true);
}

bool TFServCon::TestConnection(bool AMayRenew)
{
    try {
        return FunctionsMain().Connected();
    } catch (const EZQError& error) {
        const QString text = QLocale().toUpper(error.Message());
        if (text.contains(QLatin1String("SESSION")) && text.contains(QLatin1String("EXPIRED"))) {
            // One renewal: a server that reports expiry even for a fresh session is reported as it is.
            if (!AMayRenew)
                throw;
            FRestCon.DropSession();
            FRestCon.ConnectionHeader = QStringLiteral("Keep-Alive");
            TestConnection(false);
            return false;
        }
        if (text.contains(QLatin1String("EXECUTION")) && text.contains(QLatin1String("REQUEST")))
            throw EZQError(QStringLiteral(
                "Der Server ist momentan nicht erreichbar!\n\rBitte versuchen Sie es später nochmals"));
        if (text.contains(QLatin1String("403")))
            throw EZQError(
                QStringLiteral("Anmeldung fehlgeschlagen!\n\rÜberprüfen Sie Benutzername und Passwort"));
        throw EZQError(error.Message());
    }
}

void TFServCon::Disconnect()
{
    try {
        FunctionsMain().Disconnect();
    } catch (const EZQError&) {
        // The session ends with the program either way.
    }
}

void TFServCon::postError(const QString& AFunctionname, const QString& AErrorString)
{
    if (!isConnected())
        return;
    try {
        FunctionsDB().postError(AFunctionname, AErrorString);
    } catch (const EZQError&) {
        // The error log is a courtesy; its failure must not hide the error being reported.
    }
}

void TFServCon::SetSessionVariable()
{
    using namespace ZQParams;
    if (!isConnected())
        return;
    FServerLoginUserID = FunctionsDB().getUserID();
    bool numeric = false;
    const int userId = FServerLoginUserID.toInt(&numeric);
    if (!numeric)
        throw EZQError(QStringLiteral("\"%1\" ist keine gültige Benutzernummer.").arg(FServerLoginUserID));
    getOneTable(TableOrgauser, QStringLiteral("Select * From ") + TableOrgauser, QString());
    TDataTable& users = Table(TableOrgauser);
    if (!users.Locate(QStringLiteral("id"), userId))
        return;
    FServerLoginRights = QLocale().toUpper(users.Value(QStringLiteral("rights")).toString());
    FServerLoginName = users.Value(QStringLiteral("name")).toString();
    const QString orgaId = users.Value(QStringLiteral("orga_id")).toString();
    if (FServerLoginRights.contains(QLatin1String("ZQXT")))
        getOneTable(TableOrga, QStringLiteral("Select * From ") + TableOrga, QString());
    else
        getOneTable(TableOrga,
                    QStringLiteral("Select * From ") + TableOrga + QStringLiteral(" Where id=") + orgaId,
                    QString());
    FOrgaID = orgaId;
}

QString TFServCon::OrgaID()
{
    if (FOrgaID.isEmpty() && isConnected()) {
        FOrgaID = FunctionsDB().getOrgaID();
        getOneTable(ZQParams::TableOrga, QStringLiteral("Select * From ") + ZQParams::TableOrga, QString());
        Table(ZQParams::TableOrga).Locate(QStringLiteral("id"), FOrgaID);
    }
    return FOrgaID;
}

TDataTable* TFServCon::FindComponent(const QString& AName) const
{
    for (TDataTable* table : FTables) {
        if (table->objectName().compare(AName, Qt::CaseInsensitive) == 0)
            return table;
    }
    return nullptr;
}

TDataTable& TFServCon::Table(const QString& ATablename)
{
    TDataTable* table = FindComponent(MemTableName(ATablename));
    if (!table)
        throw EZQError(QStringLiteral("Die Tabelle \"%1\" gibt es nicht.").arg(ATablename));
    return *table;
}

TMemTable* TFServCon::Descriptor(const QString& AName)
{
    for (TMemTable& descriptor : FMemTableList) {
        if (descriptor.FName.compare(AName, Qt::CaseInsensitive) == 0)
            return &descriptor;
    }
    return nullptr;
}

void TFServCon::getOneTable(const QString& ATablename, const QString& ASQL, const QString& AOrderBY)
{
    TDataTable& table = Table(ATablename);
    if (!isConnected())
        return;
    if (TMemTable* descriptor = Descriptor(table.objectName())) {
        descriptor->FSQL = ASQL;
        descriptor->FOrder = AOrderBY;
    }
    TLoadGuard guard(table);
    table.SetIndexFieldNames(AOrderBY);
    table.Close();
    TDataSetList answer = FunctionsDB().getOneTable(ATablename, ASQL);
    TDataSetRows& rows = firstDataSet(answer, ATablename);
    MakeFieldNamesUnique(rows.fields);

    // The answer decides the columns: those it lacks go, those it brings come.
    for (qsizetype i = table.Fields().size() - 1; i >= 0; --i) {
        const QString name = table.Fields()[i].name;
        if (std::none_of(rows.fields.begin(), rows.fields.end(),
                         [&](const TFieldDef& AField) { return AField.name == name; }))
            table.RemoveField(name);
    }
    for (const TFieldDef& field : rows.fields) {
        if (std::none_of(table.Fields().begin(), table.Fields().end(),
                         [&](const TFieldDef& AField) { return AField.name == field.name; }))
            table.AddField(field);
    }
    table.AppendRows(std::move(rows));
}

void TFServCon::postTable(const QString& ATablename, bool ADriectGetTable)
{
    TDataTable& table = Table(ATablename);
    if (DeactivatePost || !isConnected())
        return;
    table.CheckBrowseMode();
    const QString answer = FunctionsDB().postSelecedTable(ATablename, {{ATablename, table.ChangeLog()}});
    if (!answer.isEmpty())
        throw EZQError(answer);
    if (!ADriectGetTable || DeactivateDirectGetTable)
        return;
    const TMemTable* descriptor = Descriptor(table.objectName());
    getOneTable(ATablename, descriptor ? descriptor->FSQL : QString(),
                descriptor ? descriptor->FOrder : QString());
    if (!ChachedUpdateID.isEmpty())
        table.Locate(QStringLiteral("chachedupdateid"), ChachedUpdateID);
    ChachedUpdateID.clear();
}

TDataSetRows TFServCon::getDataSetFromTable(const QString& ATablename, const QString& ASQL)
{
    TDataSetList answer = FunctionsDB().getOneTable(ATablename, ASQL);
    return std::move(firstDataSet(answer, ATablename));
}

void TFServCon::AfterChanged(TDataTable& DataSet)
{
    const QString tablename = QString(DataSet.objectName()).remove(QStringLiteral("mt"), Qt::CaseInsensitive);
    postTable(tablename, true);
    if (OnRefreshControlActivate && OnRefreshControls)
        OnRefreshControls(tablename, true);
}

void TFServCon::BeforeSend(TDataTable& DataSet)
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    ChachedUpdateID = GetNewGUID() + locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                      locale.toString(now.time(), QLocale::LongFormat);
    DataSet.SetValue(QStringLiteral("chachedupdateid"), ChachedUpdateID);
}

void TFServCon::mtorgauserBeforePost(TDataTable& DataSet)
{
    DataSet.SetValue(QStringLiteral("orga_id"), OrgaID());
    BeforeSend(DataSet);
}

void TFServCon::mtcustomerBeforePost(TDataTable& DataSet)
{
    DataSet.SetValue(QStringLiteral("orga_id"), OrgaID());
    BeforeSend(DataSet);
}

void TFServCon::SetFilter(const QString& ATablename, const QString& Filter)
{
    TDataTable& table = Table(ATablename);
    table.SetFilter(Filter);
    table.SetFiltered(true);
    if (OnRefreshControlActivate && OnRefreshControls)
        OnRefreshControls(ATablename, true);
}

void TFServCon::ResetFunctions()
{
    for (TDataTable* table : FTables) {
        table->AfterScroll = nullptr;
        table->SetFilter(QString());
        table->SetFiltered(false);
        table->SetOnFilterRecord(nullptr);
    }
}

void TFServCon::SetDataSetFirst(TDataTable& DataSet)
{
    if (!DataSet.IsEmpty())
        DataSet.First();
}

void TFServCon::FilterRefresh(TDataTable& DataSet)
{
    DataSet.SetFiltered(false);
    DataSet.SetFiltered(true);
    SetDataSetFirst(DataSet);
}
