#pragma once

#include "platform/data/Containers.h"
#include "platform/rest/ServerMethodProxy.h"

// The session methods of the server (TFFunctionsMain).
class TFFunctionsMainClient : public TServerMethodProxy
{
public:
    using TServerMethodProxy::TServerMethodProxy;

    bool Connected();
    void Disconnect();
};

// The table methods of the server (TFFunctionsDatabase).
class TFFunctionsDatabaseClient : public TServerMethodProxy
{
public:
    using TServerMethodProxy::TServerMethodProxy;

    QString getOrgaID();
    QString getUserID();
    // The data sets the statement ASQL selects from ATableName; empty for a null answer.
    TDataSetList getOneTable(const QString& ATableName, const QString& ASQL);
    // Applies the change log stored under ASelectedTables; empty text on success, else the server's reason.
    QString postSelecedTable(const QString& ASelectedTables, const TDeltaList& ADeltaList);
    void postError(const QString& AFunctionname, const QString& AErrorString);
};
