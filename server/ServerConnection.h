#pragma once

#include "platform/data/DataTable.h"
#include "platform/rest/RestConnection.h"

#include <QObject>
#include <functional>
#include <memory>

class TFFunctionsDatabaseClient;
class TFFunctionsMainClient;
class TMyProxyConf;

// The descriptor of one in-memory table: the query and order of its last load.
struct TMemTable
{
    QString FName;
    QString FSQL;
    QString FOrder;
};

// Told when a table changed or was filtered: the table name without "mt", and a flag that is always true.
using TP_RefreshControls = std::function<void(const QString& ATablename, bool AFlag)>;

// The program's gateway to the server: the REST connection with the login and session, the session
// variables of the logged-in user, and one in-memory table per server table that is loaded from SQL texts
// and sends every post and delete to the server at once.
class TFServCon : public QObject
{
    Q_OBJECT

public:
    // Takes the proxy settings as they are at this moment.
    explicit TFServCon(const TMyProxyConf& AProxy, QObject* AParent = nullptr);
    // Ends the server session.
    ~TFServCon() override;

    TRestConnection& RestCon() { return FRestCon; }
    // Every access makes a new proxy and frees the one before.
    TFFunctionsMainClient& FunctionsMain();
    TFFunctionsDatabaseClient& FunctionsDB();

    void SetLoginUsername(const QString& AValue);
    void SetLoginPassword(const QString& AValue);

    // The connection test: true when the server accepts the login and session. An expired session is
    // renewed once and gives false; an unreachable server and a refused login raise EZQError with the
    // user's words.
    bool isConnected();
    void SetSessionVariable();
    void Disconnect();
    void postError(const QString& AFunctionname, const QString& AErrorString);

    // The chosen organisation; reading fetches the user's own when it is empty.
    QString OrgaID();
    void SetOrgaID(const QString& AValue) { FOrgaID = AValue; }
    const QString& ServerLoginUserID() const { return FServerLoginUserID; }
    const QString& ServerLoginName() const { return FServerLoginName; }
    const QString& ServerLoginRights() const { return FServerLoginRights; }

    // The in-memory table "mt" + ATablename (any case); throws EZQError for an unknown name.
    TDataTable& Table(const QString& ATablename);
    // A component of the module by name, case ignored; null when there is none.
    TDataTable* FindComponent(const QString& AName) const;
    const QList<TMemTable>& MemTableList() const { return FMemTableList; }

    void getOneTable(const QString& ATablename, const QString& ASQL, const QString& AOrderBY);
    void postTable(const QString& ATablename, bool ADriectGetTable);
    TDataSetRows getDataSetFromTable(const QString& ATablename, const QString& ASQL);
    void SetFilter(const QString& ATablename, const QString& Filter);
    void ResetFunctions();
    static void SetDataSetFirst(TDataTable& DataSet);
    static void FilterRefresh(TDataTable& DataSet);

    void AfterChanged(TDataTable& DataSet);
    void BeforeSend(TDataTable& DataSet);
    void mtorgauserBeforePost(TDataTable& DataSet);
    void mtcustomerBeforePost(TDataTable& DataSet);

    QString ChachedUpdateID;
    bool DeactivatePost = false;
    bool DeactivateDirectGetTable = false;
    TP_RefreshControls OnRefreshControls;
    bool OnRefreshControlActivate = false;

private:
    bool TestConnection(bool AMayRenew);
    void CreateTables();
    TMemTable* Descriptor(const QString& AName);

    TRestConnection FRestCon;
    std::unique_ptr<TFFunctionsMainClient> FFunctionsMain;
    std::unique_ptr<TFFunctionsDatabaseClient> FFunctionsDB;
    QString FLoginUsername;
    QString FLoginPassword;
    QString FOrgaID;
    QString FServerLoginUserID;
    QString FServerLoginName;
    QString FServerLoginRights;
    QList<TMemTable> FMemTableList;
    QList<TDataTable*> FTables;
};
