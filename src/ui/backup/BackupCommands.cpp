// "Backup erstellen" and "Backup laden" in the "Datei" menu.
#include "ui/common/FkApplication.h"
#include "ui/common/UserInteraction.h"
#include "ui/common/WindowHost.h"
#include "data/Clock.h"
#include "data/ProgramFolder.h"
#include "data/Session.h"
#include "data/Trace.h"
#include "reports/Backup.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QProgressDialog>
#include <memory>

namespace {

// A progress dialog for the archive work, shown when it takes longer than a moment.
std::unique_ptr<QProgressDialog> progressDialog(QWidget* parent, const QString& text)
{
    auto dialog = std::make_unique<QProgressDialog>(text, QString(), 0, 0, parent);
    dialog->setObjectName(QStringLiteral("BackupProgress"));
    dialog->setWindowTitle(QStringLiteral("Fischkladde"));
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(400);
    dialog->setCancelButton(nullptr);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    return dialog;
}

backup::Progress reporter(QProgressDialog* dialog)
{
    return [dialog](int done, int total) {
        dialog->setMaximum(total);
        dialog->setValue(done);
    };
}

void createBackup(WindowHost& host)
{
    trace::step(QStringLiteral("Main: Backup erstellen"));
    const QString path = userInteraction().getSaveFileName(host.window(), QStringLiteral("Zip|*.zip"), QStringLiteral("zip"));
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto progress = progressDialog(host.window(), QStringLiteral("Die Sicherung wird erstellt …"));
    try {
        const Session& s = host.session();
        backup::createBackup(path, ProgramFolder::path(), s.dbPath, s.akdbPath, reporter(progress.get()));
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
}

void restoreBackup(WindowHost& host)
{
    trace::step(QStringLiteral("Main: Backup laden"));
    const QString path = userInteraction().getOpenFileName(host.window(), QStringLiteral("Zip|*.zip"));
    if (path.isEmpty())
        return;
    const host::Changes everything = host::Change::Databases | host::Change::Lists | host::Change::Settings;
    backup::RestoreResult result;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto progress = progressDialog(host.window(), QStringLiteral("Die Sicherung wird wiederhergestellt …"));
    try {
        result = backup::restore(path, ProgramFolder::path(), host.session(), appClock(), reporter(progress.get()));
    } catch (...) {
        progress.reset();
        QApplication::restoreOverrideCursor();
        // Files may already be replaced when a late step failed; show what is on disk.
        host.notifyChanged(everything);
        throw;
    }
    progress.reset();
    QApplication::restoreOverrideCursor();
    host.notifyChanged(everything);
    userInteraction().information(host.window(),
                                  QStringLiteral("Die Sicherung wurde wiederhergestellt.\n\nDie bisherigen Daten wurden "
                                                 "vorher gesichert in:\n%1")
                                      .arg(QDir::toNativeSeparators(result.safetyBackup)),
                                  QStringLiteral("Backup laden"));
}

const host::FamilyRegistrar registrar("backup", 40, [](WindowHost& host) {
    WindowHost* h = &host;
    if (QAction* a = host.menuAction(QStringLiteral("aBackupErstellen")))
        host.wireAction(a, [h] { createBackup(*h); });
    if (QAction* a = host.menuAction(QStringLiteral("aBackupLaden")))
        host.wireAction(a, [h] { restoreBackup(*h); });
});

} // namespace
