#pragma once
#include "ui/common/UserInteraction.h"

class QtInteraction : public UserInteraction {
public:
    QString getOpenFileName(QWidget* parent, const QString& filter, const QString& title) override;
    QStringList getOpenFileNames(QWidget* parent, const QString& filter, const QString& title) override;
    QString getSaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                            const QString& suggestedName, const QString& title) override;
    QString getExistingDirectory(QWidget* parent, const QString& title) override;
    void information(QWidget* parent, const QString& text, const QString& title) override;
    void warning(QWidget* parent, const QString& text, const QString& title) override;
    void error(QWidget* parent, const QString& text, const QString& title) override;
    bool confirm(QWidget* parent, const QString& text, const QString& title) override;
    QColor chooseColor(QWidget* parent, const QColor& initial) override;
    bool openDocument(const QString& path) override;
};
