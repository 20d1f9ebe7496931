#include "platform/data/PacketCodec.h"

#include "util/ZQError.h"

#include <QCborStreamReader>
#include <QCborStreamWriter>
#include <QDateTime>
#include <zlib.h>

namespace {

constexpr quint64 FlagKey = 1, FlagRequired = 2, FlagJoined = 4;
constexpr int FieldTypeCount = 4;

[[noreturn]] void damaged(const char* AWhat)
{
    throw EZQError(
        QStringLiteral("Das Datenpaket des Servers ist beschädigt (%1).").arg(QLatin1String(AWhat)));
}

void writeValue(QCborStreamWriter& AWriter, const QVariant& AValue)
{
    if (AValue.isNull()) {
        AWriter.append(nullptr);
        return;
    }
    switch (AValue.typeId()) {
    case QMetaType::Bool:
        AWriter.append(AValue.toBool());
        break;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
        AWriter.append(AValue.toLongLong());
        break;
    case QMetaType::QDateTime:
        AWriter.append(QCborKnownTags::DateTimeString);
        AWriter.append(AValue.toDateTime().toString(Qt::ISODateWithMs));
        break;
    default:
        AWriter.append(AValue.toString());
        break;
    }
}

void writeValueMap(QCborStreamWriter& AWriter, const QMap<QString, QVariant>& AValues)
{
    AWriter.startMap(AValues.size());
    for (auto it = AValues.constBegin(); it != AValues.constEnd(); ++it) {
        AWriter.append(it.key());
        writeValue(AWriter, it.value());
    }
    AWriter.endMap();
}

// Reads what the writer above wrote, checking each item's kind and never trusting a claimed length.
class TPacketReader
{
public:
    explicit TPacketReader(const QByteArray& AData) : FReader(AData), FSize(AData.size()) {}

    // The number of elements, or -1 for an indefinite array.
    qint64 enterArray() { return enter(FReader.isArray(), "Liste erwartet"); }
    qint64 enterMap() { return enter(FReader.isMap(), "Tabelle erwartet"); }

    bool hasNext() { return FReader.lastError() == QCborError::NoError && FReader.hasNext(); }

    void leave()
    {
        if (FReader.hasNext() || !FReader.leaveContainer())
            damaged("Ende erwartet");
    }

    QString text()
    {
        if (!FReader.isString())
            damaged("Text erwartet");
        QString result;
        auto chunk = FReader.readString();
        while (chunk.status == QCborStreamReader::Ok) {
            result += chunk.data;
            chunk = FReader.readString();
        }
        if (chunk.status == QCborStreamReader::Error)
            damaged("Text");
        return result;
    }

    quint64 unsignedNumber()
    {
        if (!FReader.isUnsignedInteger())
            damaged("Zahl erwartet");
        const quint64 number = FReader.toUnsignedInteger();
        FReader.next();
        return number;
    }

    QVariant value()
    {
        switch (FReader.type()) {
        case QCborStreamReader::UnsignedInteger:
        case QCborStreamReader::NegativeInteger: {
            const qint64 number = FReader.toInteger();
            if (FReader.isNegativeInteger() && number >= 0)
                damaged("Zahl zu groß");
            FReader.next();
            return number;
        }
        case QCborStreamReader::SimpleType:
            if (FReader.isNull()) {
                FReader.next();
                return {};
            }
            if (FReader.isFalse() || FReader.isTrue()) {
                const bool flag = FReader.isTrue();
                FReader.next();
                return flag;
            }
            damaged("Wert");
        case QCborStreamReader::String:
            return text();
        case QCborStreamReader::Tag: {
            if (FReader.toTag() != QCborKnownTags::DateTimeString)
                damaged("Wert");
            FReader.next();
            // A moment that cannot be read is missing, not a reason to refuse the whole table.
            const QDateTime moment = QDateTime::fromString(text(), Qt::ISODateWithMs);
            return moment.isValid() ? QVariant(moment) : QVariant();
        }
        default:
            damaged("Wert");
        }
    }

    QMap<QString, QVariant> valueMap()
    {
        QMap<QString, QVariant> values;
        enterMap();
        while (hasNext()) {
            const QString key = text();
            values.insert(key, value());
        }
        leave();
        return values;
    }

    void finish()
    {
        if (FReader.lastError() != QCborError::NoError)
            damaged("CBOR");
        if (FReader.type() != QCborStreamReader::Invalid)
            damaged("Daten nach dem Ende");
    }

    void check()
    {
        if (FReader.lastError() != QCborError::NoError)
            damaged("CBOR");
    }

private:
    qint64 enter(bool AExpected, const char* AWhat)
    {
        if (!AExpected)
            damaged(AWhat);
        const qint64 length = FReader.isLengthKnown() ? qint64(FReader.length()) : -1;
        if (length > FSize)
            damaged("Länge");
        FReader.enterContainer();
        return length;
    }

    QCborStreamReader FReader;
    qint64 FSize;
};

QByteArray toBase64(const QByteArray& ACbor)
{
    return PacketCodec::Deflate(ACbor).toBase64();
}

QByteArray fromBase64(QByteArrayView ABase64)
{
    const auto decoded =
        QByteArray::fromBase64Encoding(ABase64.toByteArray(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        damaged("base64");
    return PacketCodec::Inflate(*decoded);
}

// A container: one member per entry, its name the key and its packet the value.
template <class T, class TEncode>
QJsonObject containerToJson(const QList<QPair<QString, T>>& AList, TEncode AEncode)
{
    QJsonObject object;
    for (const auto& [name, entry] : AList)
        object.insert(name, QString::fromLatin1(AEncode(entry)));
    return object;
}

template <class T, class TDecode>
QList<QPair<QString, T>> containerFromJson(const QJsonValue& AValue, TDecode ADecode)
{
    if (!AValue.isObject())
        damaged("Container erwartet");
    QList<QPair<QString, T>> list;
    const QJsonObject object = AValue.toObject();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        if (!it.value().isString())
            damaged("Datenpaket erwartet");
        list.append({it.key(), ADecode(it.value().toString().toLatin1())});
    }
    return list;
}

} // namespace

namespace PacketCodec {

QByteArray Deflate(const QByteArray& AData)
{
    uLongf size = compressBound(uLong(AData.size()));
    QByteArray compressed(qsizetype(size), Qt::Uninitialized);
    if (compress2(reinterpret_cast<Bytef*>(compressed.data()), &size,
                  reinterpret_cast<const Bytef*>(AData.constData()), uLong(AData.size()),
                  Z_DEFAULT_COMPRESSION) != Z_OK)
        throw EZQError(QStringLiteral("Das Datenpaket kann nicht gepackt werden."));
    compressed.resize(qsizetype(size));
    return compressed;
}

QByteArray Inflate(QByteArrayView AData)
{
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        damaged("zlib");
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(AData.data()));
    stream.avail_in = uInt(AData.size());
    QByteArray result;
    constexpr qsizetype Chunk = 256 * 1024;
    int status = Z_OK;
    while (status == Z_OK) {
        const qsizetype before = result.size();
        result.resize(before + Chunk);
        stream.next_out = reinterpret_cast<Bytef*>(result.data() + before);
        stream.avail_out = uInt(Chunk);
        status = inflate(&stream, Z_NO_FLUSH);
        result.resize(before + Chunk - qsizetype(stream.avail_out));
        if (result.size() > MaxInflatedBytes)
            status = Z_MEM_ERROR;
    }
    const bool complete = status == Z_STREAM_END && stream.avail_in == 0;
    inflateEnd(&stream);
    if (!complete)
        damaged(status == Z_MEM_ERROR ? "zu groß" : "zlib");
    return result;
}

TDataSetEncoder::TDataSetEncoder(const TFieldDefs& AFields)
    : FWriter(std::make_unique<QCborStreamWriter>(&FCbor)), FFieldCount(AFields.size())
{
    FWriter->startArray(2);
    FWriter->startArray(AFields.size());
    for (const TFieldDef& field : AFields) {
        FWriter->startArray(3);
        FWriter->append(field.name);
        FWriter->append(quint64(field.type));
        FWriter->append((field.key ? FlagKey : 0) | (field.required ? FlagRequired : 0) |
                        (field.joined ? FlagJoined : 0));
        FWriter->endArray();
    }
    FWriter->endArray();
    FWriter->startArray(); // the rows, as many as come
}

TDataSetEncoder::~TDataSetEncoder() = default;

void TDataSetEncoder::StartRowIfNeeded()
{
    if (!FInRow) {
        FWriter->startArray(FFieldCount);
        FInRow = true;
    }
}

void TDataSetEncoder::AddNull()
{
    StartRowIfNeeded();
    FWriter->append(nullptr);
}

void TDataSetEncoder::AddInteger(qint64 AValue)
{
    StartRowIfNeeded();
    FWriter->append(AValue);
}

void TDataSetEncoder::AddBoolean(bool AValue)
{
    StartRowIfNeeded();
    FWriter->append(AValue);
}

void TDataSetEncoder::AddText(QByteArrayView AUtf8)
{
    StartRowIfNeeded();
    FWriter->appendTextString(AUtf8.data(), AUtf8.size());
}

void TDataSetEncoder::AddDateTime(QByteArrayView AIsoText)
{
    StartRowIfNeeded();
    FWriter->append(QCborKnownTags::DateTimeString);
    FWriter->appendTextString(AIsoText.data(), AIsoText.size());
}

void TDataSetEncoder::AddValue(const QVariant& AValue)
{
    StartRowIfNeeded();
    writeValue(*FWriter, AValue);
}

void TDataSetEncoder::EndRow()
{
    StartRowIfNeeded();
    FWriter->endArray();
    FInRow = false;
}

QByteArray TDataSetEncoder::Finish()
{
    FWriter->endArray();
    FWriter->endArray();
    return toBase64(FCbor);
}

QByteArray EncodeDataSet(const TDataSetRows& ADataSet)
{
    TDataSetEncoder encoder(ADataSet.fields);
    for (const TRowValues& row : ADataSet.rows) {
        for (const QVariant& value : row)
            encoder.AddValue(value);
        encoder.EndRow();
    }
    return encoder.Finish();
}

TDataSetRows DecodeDataSet(QByteArrayView ABase64)
{
    TPacketReader reader(fromBase64(ABase64));
    TDataSetRows dataSet;
    if (reader.enterArray() != 2)
        damaged("Aufbau");
    reader.enterArray();
    while (reader.hasNext()) {
        if (reader.enterArray() != 3)
            damaged("Spalte");
        TFieldDef field;
        field.name = reader.text();
        const quint64 type = reader.unsignedNumber();
        const quint64 flags = reader.unsignedNumber();
        if (type >= FieldTypeCount || flags > (FlagKey | FlagRequired | FlagJoined) || field.name.isEmpty())
            damaged("Spalte");
        field.type = TFieldType(type);
        field.key = flags & FlagKey;
        field.required = flags & FlagRequired;
        field.joined = flags & FlagJoined;
        dataSet.fields.append(field);
        reader.leave();
    }
    reader.check();
    reader.leave();
    reader.enterArray();
    while (reader.hasNext()) {
        if (reader.enterArray() != dataSet.fields.size())
            damaged("Zeile");
        TRowValues row;
        row.reserve(dataSet.fields.size());
        for (int i = 0; i < dataSet.fields.size(); ++i)
            row.append(ConvertToFieldType(reader.value(), dataSet.fields[i].type));
        reader.leave();
        dataSet.rows.append(std::move(row));
    }
    reader.check();
    reader.leave();
    reader.leave();
    reader.finish();
    return dataSet;
}

QByteArray EncodeChangeLog(const TChangeLog& ALog)
{
    QByteArray cbor;
    QCborStreamWriter writer(&cbor);
    writer.startArray(ALog.size());
    for (const TDelta& delta : ALog) {
        writer.startArray(4);
        writer.append(quint64(delta.kind));
        writeValue(writer, delta.key);
        writeValueMap(writer, delta.values);
        writeValueMap(writer, delta.originals);
        writer.endArray();
    }
    writer.endArray();
    return toBase64(cbor);
}

TChangeLog DecodeChangeLog(QByteArrayView ABase64)
{
    TPacketReader reader(fromBase64(ABase64));
    TChangeLog log;
    reader.enterArray();
    while (reader.hasNext()) {
        if (reader.enterArray() != 4)
            damaged("Änderung");
        TDelta delta;
        const quint64 kind = reader.unsignedNumber();
        if (kind > quint64(TDelta::TKind::Delete))
            damaged("Änderung");
        delta.kind = TDelta::TKind(kind);
        delta.key = reader.value();
        delta.values = reader.valueMap();
        delta.originals = reader.valueMap();
        reader.leave();
        log.append(delta);
    }
    reader.check();
    reader.leave();
    reader.finish();
    return log;
}

QJsonObject DataSetListToJson(const TDataSetList& AList)
{
    return containerToJson(AList, EncodeDataSet);
}

TDataSetList DataSetListFromJson(const QJsonValue& AValue)
{
    return AValue.isNull() ? TDataSetList() : containerFromJson<TDataSetRows>(AValue, DecodeDataSet);
}

QJsonObject DeltaListToJson(const TDeltaList& AList)
{
    return containerToJson(AList, EncodeChangeLog);
}

TDeltaList DeltaListFromJson(const QJsonValue& AValue)
{
    return containerFromJson<TChangeLog>(AValue, DecodeChangeLog);
}

} // namespace PacketCodec
