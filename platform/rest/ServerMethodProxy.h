#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QList>
#include <QString>
#include <QVariant>
#include <map>
#include <memory>

class TRestConnection;

// One server method as a proxy prepares it: verb, command text and its parameter table.
struct TServerMethodCommand
{
    enum class TParamType
    {
        Text,
        Boolean,
        JsonValue
    };
    struct TParam
    {
        QString name;
        bool isReturn = false;
        TParamType type = TParamType::Text;
        QString typeName;
    };

    QByteArray verb;
    QString text;
    QList<TParam> params;
};

// Base of the server-method proxies: prepares one command per method on its first call and reuses it.
// A call turns its arguments into the REST path and body and gives the answer's "result" array.
class TServerMethodProxy
{
public:
    explicit TServerMethodProxy(TRestConnection& AConnection) : FConnection(AConnection) {}
    virtual ~TServerMethodProxy() = default;

    // How many commands this proxy has prepared.
    int PreparedCommands() const { return int(FCommands.size()); }

    // The path segment of one text argument: UTF-8, percent-encoded, "." included; null as "null".
    static QByteArray EncodeSegment(const QVariant& AText);

protected:
    const TServerMethodCommand& Command(const char* AField, const QByteArray& AVerb, const QString& AText,
                                        const QList<TServerMethodCommand::TParam>& AParams);

    // The in arguments in parameter order: texts as QString (null QVariant for null), JSON values as
    // QJsonValue.
    QJsonArray Call(const TServerMethodCommand& ACommand, const QList<QVariant>& AArguments,
                    const QByteArray& AAccept = "application/JSON");

private:
    TRestConnection& FConnection;
    std::map<QByteArray, std::unique_ptr<TServerMethodCommand>> FCommands;
};
