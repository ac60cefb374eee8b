// SPDX-License-Identifier: GPL-3.0-or-later
#include "script_report.h"

#include <QList>

namespace quillet
{

namespace
{

QByteArray Field(const QString& text)
{
    // Only unreserved characters stay as they are; blanks, line breaks and % are encoded.
    return text.toUtf8().toPercentEncoding();
}

QString Text(const QByteArray& field)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(field));
}

const char* KindWord(ScriptLineResult::Kind kind)
{
    switch (kind) {
    case ScriptLineResult::Kind::Renamed:
        return "renamed";
    case ScriptLineResult::Kind::Failed:
        return "failed";
    case ScriptLineResult::Kind::LineError:
        break;
    }
    return "error";
}

} // namespace

QByteArray FormatScriptLineResult(const ScriptLineResult& result)
{
    QByteArray record = KindWord(result.kind);
    record += ' ' + QByteArray::number(result.line);
    if (result.kind != ScriptLineResult::Kind::LineError)
        record += ' ' + Field(result.rename.folder) + ' ' + Field(result.rename.from) + ' ' +
                  Field(result.rename.to);
    if (result.kind != ScriptLineResult::Kind::Renamed)
        record +=
            ' ' + Field(result.kind == ScriptLineResult::Kind::LineError ? result.message
                                                                         : result.rename.reason);
    record += '\n';
    return record;
}

std::optional<ScriptLineResult> ParseScriptLineResult(const QByteArray& record)
{
    const QList<QByteArray> fields = record.split(' ');
    ScriptLineResult result;
    qsizetype expected = 0;
    if (fields.first() == "renamed") {
        result.kind = ScriptLineResult::Kind::Renamed;
        expected = 5;
    } else if (fields.first() == "failed") {
        result.kind = ScriptLineResult::Kind::Failed;
        expected = 6;
    } else if (fields.first() == "error") {
        result.kind = ScriptLineResult::Kind::LineError;
        expected = 3;
    }
    if (expected == 0 || fields.size() != expected)
        return std::nullopt;
    bool ok = false;
    result.line = fields.at(1).toInt(&ok);
    if (!ok)
        return std::nullopt;
    if (result.kind != ScriptLineResult::Kind::LineError) {
        result.rename.folder = Text(fields.at(2));
        result.rename.from = Text(fields.at(3));
        result.rename.to = Text(fields.at(4));
        result.rename.ok = result.kind == ScriptLineResult::Kind::Renamed;
    }
    if (result.kind != ScriptLineResult::Kind::Renamed)
        (result.kind == ScriptLineResult::Kind::LineError ? result.message : result.rename.reason) =
            Text(fields.back());
    return result;
}

} // namespace quillet
