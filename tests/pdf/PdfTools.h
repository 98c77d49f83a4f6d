#pragma once
// Foreign readers for the PDF tests (qpdf and poppler, run on files the writer made) and a
// one-page report to put items on.
#include "pdf/Report.h"
#include "support/ErrorText.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

struct ToolResult {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

ToolResult runTool(const QString& program, const QStringList& args);
// Passes when "qpdf --check" finds neither errors nor warnings; otherwise shows its output.
::testing::AssertionResult qpdfClean(const QString& path);
// pdftotext -layout as UTF-8 text, pages separated by form feeds.
QString pdfText(const QString& path);
// Outline titles in tree order, children indented by two blanks per level (qpdf --json).
QStringList outlineTitles(const QString& path);
// Number of pages pdftoppm renders.
int renderedPages(const QString& path);
QByteArray testJpeg(int width = 40, int height = 30);

// A report in a temporary folder whose page holds one free band covering it.
struct OnePage {
    QTemporaryDir dir;
    TReport report;
    TReportPage page;
    TReportLayoutPanel* band;
    explicit OnePage(int width = 200, int height = 100);
    // Prints the page that many times and returns the file.
    QByteArray run(int pages = 1);
    // The content stream of the first page.
    std::string content();
};

// Adds an item to the panel at the given place.
template <class T>
T* place(TReportPanel* panel, int left, int top, int width, int height, const QByteArray& name = "Teil")
{
    T* item = panel->add<T>(name);
    item->setBounds(left, top, width, height);
    return item;
}

inline TReportLabel* label(TReportPanel* panel, int left, int top, int width, int height, const QByteArray& caption)
{
    TReportLabel* item = place<TReportLabel>(panel, left, top, width, height);
    item->Caption = caption;
    return item;
}
