#include "platform/rest/ServerMethodProxy.h"

#include "platform/rest/RestConnection.h"
#include "util/ZQError.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

QByteArray TServerMethodProxy::EncodeSegment(const QVariant& AText)
{
    if (AText.isNull())
        return "null";
    return QUrl::toPercentEncoding(AText.toString(), QByteArray(), ".");
}

const TServerMethodCommand& TServerMethodProxy::Command(const char* AField, const QByteArray& AVerb,
                                                        const QString& AText,
                                                        const QList<TServerMethodCommand::TParam>& AParams)
{
    std::unique_ptr<TServerMethodCommand>& command = FCommands[AField];
    if (!command)
        command = std::make_unique<TServerMethodCommand>(TServerMethodCommand{AVerb, AText, AParams});
    return *command;
}

QJsonArray TServerMethodProxy::Call(const TServerMethodCommand& ACommand, const QList<QVariant>& AArguments,
                                    const QByteArray& AAccept)
{
    QString method = ACommand.text;
    method.replace(method.indexOf(QLatin1Char('.')), 1, QLatin1Char('/'));
    QByteArray path = method.toUtf8().replace('"', "%22") + '/';

    QJsonArray bodyValues;
    qsizetype argument = 0;
    for (const TServerMethodCommand::TParam& param : ACommand.params) {
        if (param.isReturn)
            continue;
        const QVariant value = AArguments.value(argument++);
        const bool inBody =
            ACommand.verb == "POST" &&
            (param.type == TServerMethodCommand::TParamType::JsonValue || !bodyValues.isEmpty());
        if (inBody)
            bodyValues.append(QJsonValue::fromVariant(value));
        else
            path += EncodeSegment(value) + '/';
    }
    QByteArray body;
    if (bodyValues.size() == 1)
        body = bodyValues[0].isObject()
                   ? QJsonDocument(bodyValues[0].toObject()).toJson(QJsonDocument::Compact)
                   : QJsonDocument(bodyValues[0].toArray()).toJson(QJsonDocument::Compact);
    else if (bodyValues.size() > 1)
        body = QJsonDocument(QJsonObject{{QStringLiteral("_parameters"), bodyValues}})
                   .toJson(QJsonDocument::Compact);

    const QByteArray answer = FConnection.Execute(ACommand.verb, path, body, AAccept);
    const QJsonValue result = QJsonDocument::fromJson(answer).object().value(QLatin1String("result"));
    if (!result.isArray())
        throw EZQError(QStringLiteral("Die Antwort des Servers ist ungültig."));
    return result.toArray();
}
