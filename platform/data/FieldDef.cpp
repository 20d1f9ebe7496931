#include "platform/data/FieldDef.h"

#include <QDateTime>
#include <QStringList>

QVariant ConvertToFieldType(const QVariant& AValue, TFieldType AType)
{
    if (!AValue.isValid() || AValue.isNull())
        return {};
    static constexpr int StoredType[] = {QMetaType::QString, QMetaType::Int, QMetaType::Bool,
                                         QMetaType::QDateTime};
    if (AValue.typeId() == StoredType[int(AType)])
        return AValue;
    switch (AType) {
    case TFieldType::Text:
        return AValue.typeId() == QMetaType::QDateTime ? AValue.toDateTime().toString(Qt::ISODateWithMs)
                                                       : AValue.toString();
    case TFieldType::Integer: {
        bool ok = false;
        const qint32 number = AValue.toInt(&ok);
        return ok ? QVariant(number) : QVariant();
    }
    case TFieldType::Boolean:
        if (AValue.typeId() == QMetaType::QString)
            return AValue.toString().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
                   AValue.toString() == QLatin1String("1");
        return AValue.toBool();
    case TFieldType::DateTime: {
        const QDateTime moment = AValue.typeId() == QMetaType::QDateTime
                                     ? AValue.toDateTime()
                                     : QDateTime::fromString(AValue.toString(), Qt::ISODateWithMs);
        return moment.isValid() ? QVariant(moment) : QVariant();
    }
    }
    return {};
}

void MakeFieldNamesUnique(TFieldDefs& AFields)
{
    QStringList taken;
    for (TFieldDef& field : AFields) {
        QString name = field.name;
        for (int suffix = 1; taken.contains(name, Qt::CaseInsensitive); ++suffix)
            name = field.name + QLatin1Char('_') + QString::number(suffix);
        field.name = name;
        taken << name;
    }
}
