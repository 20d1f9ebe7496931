#include "platform/rest/RestConnection.h"
#include "server/ZQServerFunctions.h"
#include "tools/zqtool/Commands.h"
#include "tools/zqtool/ToolArgs.h"
#include "util/ZQError.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString rowsAsJsonLines(const TDataSetRows& ARows)
{
    QString lines;
    for (const TRowValues& row : ARows.rows) {
        QJsonObject object;
        for (int i = 0; i < ARows.fields.size(); ++i) {
            const QVariant& value = row.value(i);
            object.insert(ARows.fields[i].name,
                          value.typeId() == QMetaType::QDateTime
                              ? QJsonValue(value.toDateTime().toString(Qt::ISODateWithMs))
                              : QJsonValue::fromVariant(value));
        }
        lines += QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) + QLatin1Char('\n');
    }
    return lines;
}

QString answerOf(TRestConnection& AConnection, const QString& AMethod, const TToolArgs& AArgs)
{
    const auto argument = [&](int AIndex, const char* AWhat) {
        return AArgs.requiredPositional(AIndex, QLatin1String(AWhat));
    };
    if (AMethod == QLatin1String("Connected"))
        return TFFunctionsMainClient(AConnection).Connected() ? QStringLiteral("true\n")
                                                              : QStringLiteral("false\n");
    if (AMethod == QLatin1String("Disconnect")) {
        TFFunctionsMainClient(AConnection).Disconnect();
        return {};
    }
    TFFunctionsDatabaseClient functions(AConnection);
    if (AMethod == QLatin1String("getOrgaID"))
        return functions.getOrgaID() + QLatin1Char('\n');
    if (AMethod == QLatin1String("getUserID"))
        return functions.getUserID() + QLatin1Char('\n');
    if (AMethod == QLatin1String("getOneTable")) {
        const TDataSetList sets = functions.getOneTable(argument(1, "table name"), argument(2, "SQL text"));
        return sets.isEmpty() ? QString() : rowsAsJsonLines(sets.first().second);
    }
    if (AMethod == QLatin1String("postError")) {
        functions.postError(argument(1, "function name"), argument(2, "error text"));
        return {};
    }
    throw EZQError(
        QStringLiteral("unknown method \"%1\"; zqtool call knows Connected, Disconnect, getOrgaID, "
                       "getUserID, getOneTable TABLE SQL, postError FUNCTION TEXT")
            .arg(AMethod));
}

} // namespace

namespace ZQToolCommands {

void call(const QStringList& AWords)
{
    const TToolArgs args(AWords, {"host", "port", "ca", "user", "password"}, 3);
    TRestConnection connection;
    connection.Host = args.requiredOption(QStringLiteral("host"));
    connection.Port = args.intOption(QStringLiteral("port"));
    if (args.has(QStringLiteral("ca"))) {
        const QList<QSslCertificate> authority = QSslCertificate::fromPath(args.option(QStringLiteral("ca")));
        if (authority.isEmpty())
            throw EZQError(QStringLiteral("no certificate in \"%1\"").arg(args.option(QStringLiteral("ca"))));
        connection.AddCaCertificates(authority);
    }
    connection.SetUserName(args.requiredOption(QStringLiteral("user")));
    connection.SetPassword(args.requiredOption(QStringLiteral("password")));
    const QString answer = answerOf(connection, args.requiredPositional(0, QStringLiteral("method")), args);
    writeStandardOutput(answer);
}

} // namespace ZQToolCommands
