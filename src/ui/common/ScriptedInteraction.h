#pragma once
// The user of the tests: answers are queued beforehand, every question and message is
// recorded. An unexpected question (empty queue) answers "cancel"/"no" and is recorded too.
#include "ui/common/UserInteraction.h"

#include <QList>
#include <QQueue>

class ScriptedInteraction : public UserInteraction {
public:
    struct Message {
        QString kind; // "information", "warning", "error", "confirm", "open", "openMany", "save", "dir", "color", "document"
        QString text; // message text, or the filter for file dialogs, or the path for documents
        QString title;
    };

    ScriptedInteraction() { setUserInteraction(this); }
    ~ScriptedInteraction() override { setUserInteraction(nullptr); }

    QQueue<QString> openFiles;        // answers for getOpenFileName
    QQueue<QStringList> openFileLists; // answers for getOpenFileNames
    QQueue<QString> saveFiles;        // answers for getSaveFileName
    QQueue<QString> directories;
    QQueue<bool> confirmations;
    QQueue<QColor> colors;
    bool documentOpens = true;
    QList<Message> messages;
    QString lastDefaultSuffix;

    QString getOpenFileName(QWidget*, const QString& filter, const QString& title) override;
    QStringList getOpenFileNames(QWidget*, const QString& filter, const QString& title) override;
    QString getSaveFileName(QWidget*, const QString& filter, const QString& defaultSuffix,
                            const QString& suggestedName, const QString& title) override;
    QString getExistingDirectory(QWidget*, const QString& title) override;
    void information(QWidget*, const QString& text, const QString& title) override;
    void warning(QWidget*, const QString& text, const QString& title) override;
    void error(QWidget*, const QString& text, const QString& title) override;
    bool confirm(QWidget*, const QString& text, const QString& title) override;
    QColor chooseColor(QWidget*, const QColor& initial) override;
    bool openDocument(const QString& path) override;

    // Messages of one kind, texts only.
    QStringList texts(const QString& kind) const;
};
