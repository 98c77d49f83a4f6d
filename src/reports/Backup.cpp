#include "reports/Backup.h"
#include "base/Win1252.h"
#include "base/FkError.h"
#include "base/SafeFile.h"
#include "base/FileErrors.h"
#include "base/Platform.h"
#include "data/CatchDatabase.h"
#include "data/Clock.h"
#include "data/IniFile.h"
#include "data/SettingsPaths.h"
#include "data/Session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

namespace backup {

namespace {

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

QChar foldAZ(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 'a' && u <= 'z') ? QChar(u - 32) : c;
}

bool hasSuffix(const QString& name, const QString& suffix) // suffix with the dot, without case
{
    return name.endsWith(suffix, Qt::CaseInsensitive);
}

// Regular files directly in `dir` (no links, no folders) whose name passes `keep`, sorted.
QList<Entry> filesIn(const QString& dir, const std::function<bool(const QString&)>& keep)
{
    QList<Entry> out;
    const QFileInfoList infos =
        QDir(dir).entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks, QDir::Unsorted);
    for (const QFileInfo& info : infos) {
        if (!info.isFile() || info.isSymLink() || !keep(info.fileName()))
            continue;
        out.append(Entry{info.fileName(), info.absoluteFilePath(), isStoredName(info.fileName())});
    }
    std::sort(out.begin(), out.end(), [](const Entry& a, const Entry& b) { return nameLess(a.name, b.name); });
    return out;
}

// ---- writing ------------------------------------------------------------------------------

// Entries are read and compressed by worker threads a few ahead of the writer; libzip then
// copies the finished deflate data into the archive unchanged.
class Compressor {
public:
    explicit Compressor(const QList<Entry>& entries)
        : m_entries(entries), m_jobs(size_t(entries.size())), m_claimed(size_t(entries.size()), 0)
    {
        const unsigned cores = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
        m_window = size_t(cores) * 2 + 2;
        for (unsigned i = 0; i < cores; ++i)
            m_threads.emplace_back([this] { work(); });
    }
    ~Compressor()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_cv.notify_all();
        for (auto& t : m_threads)
            t.join();
    }

    struct Job {
        QByteArray data; // deflated (or stored) bytes
        quint64 size = 0;
        quint32 crc = 0;
        time_t mtime = 0;
        QString error;
        bool done = false;
    };

    // Waits until entry i is ready; compresses it here when no worker has taken it yet (a
    // zip library that asks ahead of the window must not wait for ever).
    Job& job(size_t i)
    {
        std::unique_lock lock(m_mutex);
        if (!m_claimed[i]) {
            m_claimed[i] = 1;
            lock.unlock();
            Job result = compress(m_entries[qsizetype(i)]);
            lock.lock();
            result.done = true;
            m_jobs[i] = std::move(result);
            m_cv.notify_all();
        }
        m_cv.wait(lock, [&] { return m_jobs[i].done; });
        return m_jobs[i];
    }
    // The writer is through with entry i: free it and let the workers go on.
    void release(size_t i)
    {
        {
            std::lock_guard lock(m_mutex);
            m_jobs[i].data = QByteArray();
            m_released = std::max(m_released, i + 1);
        }
        m_cv.notify_all();
    }
    const Entry& entry(size_t i) const { return m_entries[qsizetype(i)]; }

private:
    void work()
    {
        for (;;) {
            size_t i;
            {
                std::unique_lock lock(m_mutex);
                m_cv.wait(lock, [&] { return m_stop || m_next >= m_jobs.size() || m_next < m_released + m_window; });
                while (m_next < m_jobs.size() && m_claimed[m_next])
                    ++m_next;
                if (m_stop || m_next >= m_jobs.size())
                    return;
                i = m_next++;
                m_claimed[i] = 1;
            }
            Job result = compress(m_entries[qsizetype(i)]);
            {
                std::lock_guard lock(m_mutex);
                result.done = true;
                m_jobs[i] = std::move(result);
            }
            m_cv.notify_all();
        }
    }

    static Job compress(const Entry& e)
    {
        Job job;
        QFile file(e.path);
        if (!file.open(QIODevice::ReadOnly)) {
            job.error = QStringLiteral("Die Datei \"%1\" konnte nicht gelesen werden: %2").arg(shown(e.path), file.errorString());
            return job;
        }
        const QByteArray raw = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            job.error = QStringLiteral("Die Datei \"%1\" konnte nicht gelesen werden: %2").arg(shown(e.path), file.errorString());
            return job;
        }
        job.mtime = time_t(QFileInfo(file).lastModified().toSecsSinceEpoch());
        job.size = quint64(raw.size());
        job.crc = quint32(crc32_z(0, reinterpret_cast<const Bytef*>(raw.constData()), size_t(raw.size())));
        if (e.stored) {
            job.data = raw;
            return job;
        }
        z_stream zs{};
        if (deflateInit2(&zs, 9, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY) != Z_OK) {
            job.error = QStringLiteral("Die Datei \"%1\" konnte nicht komprimiert werden.").arg(shown(e.path));
            return job;
        }
        job.data.resize(qsizetype(deflateBound(&zs, uLong(raw.size()))));
        zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.constData()));
        zs.avail_in = uInt(raw.size());
        zs.next_out = reinterpret_cast<Bytef*>(job.data.data());
        zs.avail_out = uInt(job.data.size());
        const int rc = deflate(&zs, Z_FINISH);
        job.data.resize(qsizetype(zs.total_out));
        deflateEnd(&zs);
        if (rc != Z_STREAM_END) {
            job.data.clear();
            job.error = QStringLiteral("Die Datei \"%1\" konnte nicht komprimiert werden.").arg(shown(e.path));
        }
        return job;
    }

    const QList<Entry>& m_entries;
    std::vector<Job> m_jobs;
    std::vector<char> m_claimed;
    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    size_t m_next = 0;
    size_t m_released = 0;
    size_t m_window = 4;
    bool m_stop = false;
};

struct SourceState {
    Compressor* compressor = nullptr;
    size_t index = 0;
    qint64 pos = 0;
    QString* firstError = nullptr;
    const Progress* progress = nullptr;
    int total = 0;
    zip_error_t error;
};

zip_int64_t sourceCallback(void* userdata, void* data, zip_uint64_t len, zip_source_cmd_t cmd)
{
    auto* s = static_cast<SourceState*>(userdata);
    switch (cmd) {
    case ZIP_SOURCE_OPEN:
        s->pos = 0;
        return 0;
    case ZIP_SOURCE_READ: {
        const Compressor::Job& job = s->compressor->job(s->index);
        const qint64 n = std::min<qint64>(qint64(len), job.data.size() - s->pos);
        if (n > 0)
            std::memcpy(data, job.data.constData() + s->pos, size_t(n));
        s->pos += std::max<qint64>(n, 0);
        return std::max<qint64>(n, 0);
    }
    case ZIP_SOURCE_CLOSE:
        s->compressor->release(s->index);
        if (*s->progress)
            (*s->progress)(int(s->index) + 1, s->total);
        return 0;
    case ZIP_SOURCE_STAT: {
        const Compressor::Job& job = s->compressor->job(s->index);
        if (!job.error.isEmpty()) {
            if (s->firstError->isEmpty())
                *s->firstError = job.error;
            zip_error_set(&s->error, ZIP_ER_READ, 0);
            return -1;
        }
        auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, len, &s->error);
        if (!st)
            return -1;
        zip_stat_init(st);
        st->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC | ZIP_STAT_MTIME |
                    ZIP_STAT_ENCRYPTION_METHOD;
        st->size = job.size;
        st->comp_size = zip_uint64_t(job.data.size());
        st->comp_method = s->compressor->entry(s->index).stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
        st->crc = job.crc;
        st->mtime = job.mtime;
        st->encryption_method = ZIP_EM_NONE;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_GET_FILE_ATTRIBUTES: {
        auto* a = ZIP_SOURCE_GET_ARGS(zip_file_attributes_t, data, len, &s->error);
        if (!a)
            return -1;
        a->valid = ZIP_FILE_ATTRIBUTES_HOST_SYSTEM | ZIP_FILE_ATTRIBUTES_EXTERNAL_FILE_ATTRIBUTES;
        a->host_system = ZIP_OPSYS_UNIX;
        a->external_file_attributes = 0100644u << 16;
        if (!s->compressor->entry(s->index).stored) {
            // Bits 1-2: "maximum compression", as any level-9 deflater marks its entries.
            a->valid |= ZIP_FILE_ATTRIBUTES_GENERAL_PURPOSE_BIT_FLAGS;
            a->general_purpose_bit_flags = 0x0002;
            a->general_purpose_bit_mask = 0x0006;
        }
        return sizeof(zip_file_attributes_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&s->error, data, len);
    case ZIP_SOURCE_FREE:
        zip_error_fini(&s->error);
        delete s;
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_GET_FILE_ATTRIBUTES, -1);
    default:
        zip_error_set(&s->error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

QString zipErrorText(zip_error_t* error)
{
    // The library's texts are English; the system's reason (a full disk) is given in German.
    if (zip_error_system_type(error) == ZIP_ET_SYS && zip_error_code_system(error) != 0)
        return safefile::germanReason(QFileDevice::WriteError, zip_error_code_system(error));
    return QStringLiteral("Fehler der Zip-Bibliothek (%1).").arg(QString::fromLocal8Bit(zip_error_strerror(error)));
}

QString tempNameBeside(const QString& path)
{
    return path + QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

void replaceFile(const QString& from, const QString& to)
{
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()), std::filesystem::path(to.toStdU16String()), ec);
    if (ec) {
        QFile::remove(from);
        throw EFileError(QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden: %2")
                             .arg(shown(to), QString::fromLocal8Bit(ec.message().c_str())));
    }
}

// The 22 bytes of a zip without entries; libzip writes no file for an empty archive.
QByteArray emptyArchive()
{
    QByteArray b(22, '\0');
    std::memcpy(b.data(), "PK\x05\x06", 4);
    return b;
}

// ---- reading ------------------------------------------------------------------------------

struct ArchiveItem {
    zip_uint64_t index = 0;
    QString name;     // as stored
    QString baseName; // after the last "/" or "\"
    bool regular = true;
};

QString baseNameOf(const QString& name)
{
    const qsizetype cut = std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    return name.mid(cut + 1);
}

bool isRegularEntry(zip_t* z, zip_uint64_t index, const QString& name)
{
    if (name.endsWith(QLatin1Char('/')) || name.endsWith(QLatin1Char('\\')))
        return false;
    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(z, index, 0, &opsys, &attributes) != 0)
        return true;
    if (opsys == ZIP_OPSYS_UNIX) {
        const zip_uint32_t type = (attributes >> 16) & 0170000u;
        if (type != 0 && type != 0100000u)
            return false; // folder, symbolic link, device ...
    }
    return (attributes & 0x10u) == 0; // MS-DOS folder bit
}

QString refusal(const QString& archive, const QString& reason)
{
    return QStringLiteral("Die Sicherung \"%1\" kann nicht wiederhergestellt werden: %2 Es wurde nichts verändert.")
        .arg(shown(archive), reason);
}

QString reasonFor(int zipError)
{
    switch (zipError) {
    case ZIP_ER_NOENT:
        return QStringLiteral("Die Datei wurde nicht gefunden.");
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
        return QStringLiteral("Die Datei kann nicht gelesen werden.");
    case ZIP_ER_NOZIP:
        return QStringLiteral("Die Datei ist kein Zip-Archiv.");
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_WRONGPASSWD:
        return QStringLiteral("Verschlüsselte Archive werden nicht unterstützt.");
    case ZIP_ER_COMPNOTSUPP:
        return QStringLiteral("Das Archiv verwendet ein nicht unterstütztes Kompressionsverfahren.");
    default:
        return QStringLiteral("Das Archiv ist beschädigt.");
    }
}

class Archive {
public:
    explicit Archive(const QString& path) : m_path(path)
    {
        if (QFileInfo(path).isDir())
            throw FkError(refusal(path, QStringLiteral("Es ist ein Ordner.")));
        int error = 0;
        m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
        if (!m_zip)
            throw FkError(refusal(path, reasonFor(error)));
    }
    ~Archive()
    {
        if (m_zip)
            zip_discard(m_zip);
    }
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    QList<ArchiveItem> items() const
    {
        QList<ArchiveItem> out;
        const zip_int64_t count = zip_get_num_entries(m_zip, 0);
        for (zip_int64_t i = 0; i < count; ++i) {
            const char* raw = zip_get_name(m_zip, zip_uint64_t(i), ZIP_FL_ENC_GUESS);
            if (!raw)
                throw FkError(refusal(m_path, reasonFor(zip_error_code_zip(zip_get_error(m_zip)))));
            ArchiveItem item;
            item.index = zip_uint64_t(i);
            item.name = QString::fromUtf8(raw);
            item.baseName = baseNameOf(item.name);
            item.regular = !item.baseName.isEmpty() && item.baseName != QLatin1String(".") &&
                           item.baseName != QLatin1String("..") && isRegularEntry(m_zip, item.index, item.name);
            out.append(item);
        }
        return out;
    }

    // The whole entry; libzip checks size and CRC at its end. Raises FkError with `refuse`
    // text (nothing changed yet) or a plain one.
    QByteArray read(const ArchiveItem& item, bool keep) const
    {
        zip_file_t* f = zip_fopen_index(m_zip, item.index, 0);
        if (!f)
            throw FkError(refusal(m_path, entryReason(item, zip_error_code_zip(zip_get_error(m_zip)))));
        QByteArray out;
        zip_stat_t st;
        if (keep && zip_stat_index(m_zip, item.index, 0, &st) == 0 && (st.valid & ZIP_STAT_SIZE) && st.size < (1u << 30))
            out.reserve(qsizetype(st.size));
        char buffer[1 << 16];
        for (;;) {
            const zip_int64_t n = zip_fread(f, buffer, sizeof buffer);
            if (n < 0) {
                const int code = zip_error_code_zip(zip_file_get_error(f));
                zip_fclose(f);
                throw FkError(refusal(m_path, entryReason(item, code)));
            }
            if (n == 0)
                break;
            if (keep)
                out.append(buffer, qsizetype(n));
        }
        const int closeError = zip_fclose(f);
        if (closeError != 0)
            throw FkError(refusal(m_path, entryReason(item, closeError)));
        return out;
    }

private:
    static QString entryReason(const ArchiveItem& item, int code)
    {
        if (code == ZIP_ER_CRC)
            return QStringLiteral("Die Prüfsumme des Eintrags \"%1\" stimmt nicht, das Archiv ist beschädigt.").arg(item.name);
        if (code == ZIP_ER_NOPASSWD || code == ZIP_ER_ENCRNOTSUPP || code == ZIP_ER_WRONGPASSWD ||
            code == ZIP_ER_COMPNOTSUPP)
            return QStringLiteral("Eintrag \"%1\": %2").arg(item.name, reasonFor(code));
        return QStringLiteral("Der Eintrag \"%1\" ist beschädigt.").arg(item.name);
    }

    QString m_path;
    zip_t* m_zip = nullptr;
};

void ensureFolder(const QString& dir)
{
    if (!QFileInfo(dir).isDir() && !QDir().mkpath(dir))
        throw EFileError(QStringLiteral("Der Ordner \"%1\" konnte nicht angelegt werden.").arg(shown(dir)));
}

} // namespace

bool nameLess(const QString& a, const QString& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const QChar x = foldAZ(a[i]);
        const QChar y = foldAZ(b[i]);
        if (x != y)
            return x.unicode() < y.unicode();
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b; // same but for case: a fixed order all the same
}

bool isStoredName(const QString& name)
{
    static const QStringList suffixes = {
        QStringLiteral("gif"), QStringLiteral("png"), QStringLiteral("z"),   QStringLiteral("zip"),
        QStringLiteral("zoo"), QStringLiteral("arc"), QStringLiteral("lzh"), QStringLiteral("arj"),
        QStringLiteral("taz"), QStringLiteral("tgz"), QStringLiteral("lha"), QStringLiteral("rar"),
        QStringLiteral("ace"), QStringLiteral("cab"), QStringLiteral("gz"),  QStringLiteral("gzip"),
        QStringLiteral("jar")};
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    return suffixes.contains(name.mid(dot + 1), Qt::CaseInsensitive);
}

QList<Entry> collectEntries(const QString& programFolder, const QString& dbPath, const QString& akdbPath)
{
    QList<Entry> entries = filesIn(programFolder + QStringLiteral("/img"), [](const QString&) { return true; });
    entries += filesIn(programFolder + QStringLiteral("/DATs"),
                       [](const QString& name) { return hasSuffix(name, QStringLiteral(".dat")); });
    const auto addFile = [&](const QString& path) {
        const QFileInfo info(path);
        if (path.isEmpty() || !info.isFile())
            return;
        const QString canonical = info.canonicalFilePath();
        for (const Entry& e : entries) {
            if (QFileInfo(e.path).canonicalFilePath() == canonical)
                return;
        }
        entries.append(Entry{info.fileName(), info.absoluteFilePath(), isStoredName(info.fileName())});
    };
    // A path with a NUL (a damaged settings file) names no file: a backup without the
    // database must not pass for a complete one.
    if (dbPath.contains(QChar(0)))
        throw FkError(catchdb::nulInPath(QStringLiteral("DB")));
    if (akdbPath.contains(QChar(0)))
        throw FkError(catchdb::nulInPath(QStringLiteral("AKDB")));
    addFile(dbPath);
    addFile(programFolder + QStringLiteral("/Fischkladde.ini"));
    addFile(akdbPath);

    for (qsizetype i = 0; i < entries.size(); ++i)
        for (qsizetype j = 0; j < i; ++j)
            if (entries[i].name == entries[j].name)
                throw FkError(QStringLiteral("\"%1\" und \"%2\" haben denselben Namen und können nicht zusammen "
                                             "gesichert werden. Bitte eine der Dateien umbenennen.")
                                  .arg(shown(entries[j].path), shown(entries[i].path)));
    return entries;
}

void writeArchive(const QString& archivePath, const QList<Entry>& entries, const Progress& progress)
{
    const QString target = QFileInfo(archivePath).absoluteFilePath();
    if (QFileInfo(target).isDir())
        throw EFileError(QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden: Es ist ein Ordner.").arg(shown(target)));
    if (entries.isEmpty()) {
        safefile::writeOrThrow(target, emptyArchive());
        return;
    }
    const QString temp = tempNameBeside(target);
    int openError = 0;
    zip_t* z = zip_open(QFile::encodeName(temp).constData(), ZIP_CREATE | ZIP_EXCL, &openError);
    if (!z) {
        zip_error_t e;
        zip_error_init_with_code(&e, openError);
        const QString reason = zipErrorText(&e);
        zip_error_fini(&e);
        throw EFileError(QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden: %2").arg(shown(target), reason));
    }

    QString firstError;
    Compressor compressor(entries);
    bool ok = true;
    for (qsizetype i = 0; i < entries.size() && ok; ++i) {
        auto* state = new SourceState;
        state->compressor = &compressor;
        state->index = size_t(i);
        state->firstError = &firstError;
        state->progress = &progress;
        state->total = int(entries.size());
        zip_error_init(&state->error);
        zip_source_t* src = zip_source_function(z, sourceCallback, state);
        if (!src) {
            zip_error_fini(&state->error);
            delete state;
            ok = false;
            break;
        }
        const QByteArray name = entries[i].name.toUtf8();
        const zip_int64_t index = zip_file_add(z, name.constData(), src, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(src);
            ok = false;
            break;
        }
        if (entries[i].stored)
            zip_set_file_compression(z, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    if (ok && zip_close(z) == 0) {
        // libzip does not sync: reach the disk before the old archive is replaced.
        QFile written(temp);
        QString reason;
        if (!written.open(QIODevice::ReadOnly) || !platform::syncFile(written.handle(), &reason)) {
            const int code = errno;
            written.close();
            QFile::remove(temp);
            throw EFileError(QStringLiteral("Die Sicherung \"%1\" konnte nicht geschrieben werden: "
                                            "Die Daten erreichen den Datenträger nicht: %2")
                                 .arg(shown(target), safefile::germanReason(QFileDevice::WriteError, code)));
        }
        written.close();
        replaceFile(temp, target);
        return;
    }
    const QString reason = firstError.isEmpty() ? zipErrorText(zip_get_error(z)) : firstError;
    zip_discard(z);
    QFile::remove(temp);
    throw EFileError(firstError.isEmpty()
                         ? QStringLiteral("Die Sicherung \"%1\" konnte nicht geschrieben werden: %2").arg(shown(target), reason)
                         : QStringLiteral("Die Sicherung \"%1\" konnte nicht geschrieben werden. %2").arg(shown(target), reason));
}

void createBackup(const QString& archivePath, const QString& programFolder, const QString& dbPath,
                  const QString& akdbPath, const Progress& progress)
{
    writeArchive(archivePath, collectEntries(programFolder, dbPath, akdbPath), progress);
}

QString safetyBackupName(const QDateTime& now)
{
    return QStringLiteral("vor-Wiederherstellung-%1.zip").arg(now.toString(QStringLiteral("yyyyMMdd-HHmmss")));
}

namespace {

// Sets `File` of each section (DB, AKDB) on a copy of the settings and replaces the settings
// file once: it holds all the keys or, when the write fails, none.
void writeFileKeysAtOnce(const QString& iniPath, const QList<std::pair<QString, QString>>& keys)
{
    QTemporaryDir scratch;
    if (!scratch.isValid())
        throw EFileError(QStringLiteral("Für die Einstellungen gibt es keinen temporären Ordner: %1").arg(scratch.errorString()));
    const QString copy = scratch.path() + QStringLiteral("/Fischkladde.ini");
    if (QFileInfo::exists(iniPath))
        safefile::writeOrThrow(copy, safefile::readOrThrow(iniPath));
    const IniFile ini(copy);
    for (const auto& [section, path] : keys)
        ini.writeString(section, QStringLiteral("File"), path);
    safefile::writeOrThrow(iniPath, safefile::readOrThrow(copy));
}

} // namespace

RestoreResult restore(const QString& archivePath, const QString& programFolder, Session& session,
                      const Clock& clock, const Progress& progress)
{
    // 1. Read and check everything before anything is touched. The entries to extract are
    // kept in memory (up to a limit) for step 3.
    Archive archive(archivePath);
    const QList<ArchiveItem> items = archive.items();

    struct Pass {
        QString suffix;
        QString folder;
    };
    const QList<Pass> passes = {{QStringLiteral(".fdb"), programFolder},
                                {QStringLiteral(".akdb"), programFolder},
                                {QStringLiteral(".jpg"), programFolder + QStringLiteral("/img")},
                                {QStringLiteral(".dat"), programFolder + QStringLiteral("/DATs")}};
    struct Extraction {
        const ArchiveItem* item;
        QString target;
        QByteArray data;
        bool kept = false;
    };
    std::vector<Extraction> plan;
    for (const Pass& pass : passes)
        for (const ArchiveItem& item : items)
            if (item.regular && hasSuffix(item.baseName, pass.suffix)) {
                const QString target = pass.folder + QLatin1Char('/') + item.baseName;
                // Of two entries for one file the later one wins, as if both were written in turn.
                std::erase_if(plan, [&](const Extraction& e) { return e.target == target; });
                plan.push_back(Extraction{&item, target, {}, false});
            }
    QHash<zip_uint64_t, size_t> planned;
    for (size_t i = 0; i < plan.size(); ++i)
        planned.insert(plan[i].item->index, i);
    qint64 budget = qint64(512) << 20;
    for (const ArchiveItem& item : items) {
        const auto it = planned.constFind(item.index);
        const bool keep = it != planned.constEnd() && budget > 0;
        QByteArray bytes = archive.read(item, keep);
        if (keep) {
            budget -= bytes.size();
            plan[*it].data = std::move(bytes);
            plan[*it].kept = true;
        }
    }

    QString newDb, newAkdb; // last exact match in archive order wins
    for (const ArchiveItem& item : items) {
        if (!item.regular)
            continue;
        if (item.baseName.endsWith(QLatin1String(".fdb"), Qt::CaseSensitive))
            newDb = programFolder + QLatin1Char('/') + item.baseName;
        else if (item.baseName.endsWith(QLatin1String(".akdb"), Qt::CaseSensitive))
            newAkdb = programFolder + QLatin1Char('/') + item.baseName;
    }

    // The databases that will be opened are loaded here, from the archive: one that does not
    // load refuses the archive before anything is touched, instead of after its lists and
    // pictures were written.
    struct Rewire {
        QString path;
        bool exists = false;
        TTextTable table;
    };
    const auto prepare = [&](const QString& path, bool catches) {
        Rewire r;
        r.path = path;
        const auto it = std::find_if(plan.begin(), plan.end(), [&](const Extraction& e) { return e.target == path; });
        if (path.isEmpty() || it == plan.end())
            return r;
        // The settings file is Windows-1252, one value a line: a name it cannot hold could not
        // be rewired.
        if (!win1252::canEncode(path))
            throw FkError(refusal(archivePath, QStringLiteral("Der Name \"%1\" enthält das Zeichen \"%2\", das die "
                                                              "Einstellungsdatei nicht speichern kann.")
                                                   .arg(it->item->name, win1252::firstUnencodable(path))));
        if (IniFile::hasLineBreak(path))
            throw FkError(refusal(archivePath, QStringLiteral("Der Name \"%1\" enthält einen Zeilenumbruch, den die "
                                                              "Einstellungsdatei nicht speichern kann.")
                                                   .arg(QString(it->item->name).replace(QLatin1Char('\n'), QLatin1Char(' '))
                                                            .replace(QLatin1Char('\r'), QLatin1Char(' ')))));
        try {
            r.table.loadFromBytes(it->kept ? it->data : archive.read(*it->item, true), it->item->name);
        } catch (const FkError& e) {
            throw FkError(refusal(archivePath, e.message()));
        }
        r.exists = true;
        // Brought up to date in memory as at start-up; the restored file stays as it was.
        if (catches)
            catchdb::upgradeCatchTable(r.table);
        return r;
    };
    Rewire db = prepare(newDb, true);
    Rewire akdb = prepare(newAkdb, false);

    // 2. A way back: the data as they are now.
    RestoreResult result;
    const QString safetyFolder = programFolder + QStringLiteral("/Sicherungen");
    ensureFolder(safetyFolder);
    QString safety = safetyFolder + QLatin1Char('/') + safetyBackupName(clock.now());
    for (int n = 2; QFileInfo::exists(safety); ++n)
        safety = safetyFolder + QLatin1Char('/') +
                 safetyBackupName(clock.now()).replace(QStringLiteral(".zip"), QStringLiteral("-%1.zip").arg(n));
    createBackup(safety, programFolder, session.dbPath, session.akdbPath);
    result.safetyBackup = safety;

    // 3. Extract, each file through a temporary file. Entries not kept in memory are written
    // first; the kept ones on two threads, so one file's disk sync overlaps the next.
    ensureFolder(programFolder + QStringLiteral("/img"));
    ensureFolder(programFolder + QStringLiteral("/DATs"));
    const int total = int(plan.size());
    std::atomic<int> done{0};
    for (Extraction& e : plan) {
        if (e.kept)
            continue;
        safefile::writeOrThrow(e.target, archive.read(*e.item, true));
        if (progress)
            progress(++done, total);
    }
    std::atomic<size_t> next{0};
    std::mutex errorMutex;
    QString firstError;
    const auto writeKept = [&](bool reporting) {
        for (size_t i; (i = next++) < plan.size();) {
            Extraction& e = plan[i];
            if (!e.kept)
                continue;
            QString error;
            const bool ok = safefile::write(e.target, e.data, &error);
            e.data = QByteArray();
            if (!ok) {
                std::lock_guard lock(errorMutex);
                if (firstError.isEmpty())
                    firstError = error;
                next = plan.size();
                return;
            }
            ++done;
            if (reporting && progress)
                progress(done, total);
        }
    };
    {
        std::thread helper(writeKept, false);
        writeKept(true);
        helper.join();
    }
    if (!firstError.isEmpty())
        throw EFileError(firstError);
    for (const Extraction& e : plan)
        result.extracted.append(e.target);

    // 4. Rewire the settings and the session to the restored databases (read in step 1).
    // Both keys in one write: a restore cut short leaves the settings old or new, never
    // the catches of one backup beside the costs of the other.
    QList<std::pair<QString, QString>> keys;
    if (!newDb.isEmpty())
        keys.append({QStringLiteral("DB"), newDb});
    if (!newAkdb.isEmpty())
        keys.append({QStringLiteral("AKDB"), newAkdb});
    if (!keys.isEmpty())
        writeFileKeysAtOnce(programFolder + QStringLiteral("/Fischkladde.ini"), keys);
    if (!newDb.isEmpty()) {
        session.dbPath = newDb;
        if (db.exists)
            session.DB = std::move(db.table);
        result.catchesRewired = true;
    }
    if (!newAkdb.isEmpty()) {
        session.akdbPath = newAkdb;
        if (akdb.exists)
            session.AKDB = std::move(akdb.table);
        result.costsRewired = true;
    }
    return result;
}

} // namespace backup
