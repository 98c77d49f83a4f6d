#include "entry/BiteList.h"
#include "base/FkError.h"
#include "base/Win1252.h"
#include "data/ProgramFolder.h"
#include "storage/TTextTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace bitelist {

namespace {
const QList<QByteArray> kFields{"Datum", "Zeit", "Stelle", "Koeder", "Fischart", "Laenge"};
} // namespace

QString filePath() { return ProgramFolder::file(QStringLiteral("DATs/Bissliste.dat")); }

QList<Note> read(const QString& path)
{
    QList<Note> notes;
    if (!QFileInfo::exists(path))
        return notes;
    const QString shown = QDir::toNativeSeparators(path);
    const QString keep = QStringLiteral("\nDie Datei bleibt unverändert, bis Sie einen Biss hinzufügen oder löschen; "
                                        "dann wird sie als \"%1\" aufbewahrt.")
                             .arg(QFileInfo(path).fileName() + QStringLiteral(".alt"));
    TTextTable table;
    try {
        if (!table.LoadFromFile(path))
            throw EFileError(QStringLiteral("Die Bissliste \"%1\" konnte nicht gelesen werden.").arg(shown));
    } catch (const EFileError& e) {
        throw EFileError(e.message() + keep);
    }
    if (table.fieldNames() != kFields)
        throw EFileError(QStringLiteral("Die Bissliste \"%1\" hat ein unbekanntes Format (erwartet wird die Kopfzeile "
                                        "\"Datum;Zeit;Stelle;Koeder;Fischart;Laenge\") und kann nicht gelesen werden.")
                             .arg(shown)
                         + keep);
    for (int row = 1; row <= table.RowCount(); ++row) {
        auto v = [&](int column) { return win1252::decode(table.value(row, column)); };
        notes.append({v(1), v(2), v(3), v(4), v(5), v(6)});
    }
    return notes;
}

void write(const QString& path, const QList<Note>& notes)
{
    TTextTable table;
    for (const QByteArray& f : kFields)
        table.AddField(f);
    for (const Note& n : notes) {
        table.AddRow();
        const QString values[] = {n.datum, n.zeit, n.stelle, n.koeder, n.fischart, n.laenge};
        for (int c = 0; c < 6; ++c) {
            QByteArray encoded;
            if (!win1252::encode(values[c], &encoded))
                throw EFileError(QStringLiteral("Der Eintrag \"%1\" enthält Zeichen, die in der Bissliste nicht "
                                                "gespeichert werden können.")
                                     .arg(values[c]));
            table.setValue(table.RowCount(), c + 1, encoded); // columns count from 1
        }
    }
    QDir().mkpath(QFileInfo(path).path());
    table.saveOrThrow(path);
}

QString setAside(const QString& path)
{
    QString target = path + QStringLiteral(".alt");
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = path + QStringLiteral(".alt%1").arg(n);
    if (!QFile::rename(path, target))
        throw EFileError(QStringLiteral("Die Bissliste \"%1\" konnte nicht nach \"%2\" verschoben werden.")
                             .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(target)));
    return target;
}

} // namespace bitelist
