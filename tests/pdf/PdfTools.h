#pragma once
// Foreign readers for the PDF tests: qpdf and poppler, run on files the writer made.
#include <QByteArray>
#include <QString>
#include <QStringList>

struct ToolResult {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

ToolResult runTool(const QString& program, const QStringList& args);
// "qpdf --check" output; *clean is set when it passed without warnings.
QByteArray qpdfCheck(const QString& path, bool* clean);
// pdftotext -layout as UTF-8 text.
QString pdfText(const QString& path, int firstPage = 0, int lastPage = 0);
// Outline titles in tree order, children indented by two blanks per level (qpdf --json).
QStringList outlineTitles(const QString& path);
// Number of pages pdftoppm renders (each one a PNG in a temporary folder).
int renderedPages(const QString& path);
QByteArray testJpeg(int width = 40, int height = 30);
