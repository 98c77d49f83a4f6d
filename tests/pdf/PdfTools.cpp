#include "PdfTools.h"
#include "base/Jpeg.h"
#include "base/SafeFile.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

ToolResult runTool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    ToolResult r;
    if (!p.waitForStarted(10000)) {
        r.err = "cannot start " + program.toUtf8();
        return r;
    }
    p.waitForFinished(120000);
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

::testing::AssertionResult qpdfClean(const QString& path)
{
    const ToolResult r = runTool("qpdf", {"--check", path});
    const QByteArray all = r.out + r.err;
    if (r.status == 0 && !all.contains("WARNING") && all.contains("No syntax or stream encoding errors found"))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << all.constData();
}

QString pdfText(const QString& path)
{
    return QString::fromUtf8(runTool("pdftotext", {"-layout", "-enc", "UTF-8", path, "-"}).out);
}

namespace {
void collect(const QJsonArray& items, int depth, QStringList& out)
{
    for (const auto& v : items) {
        const QJsonObject o = v.toObject();
        out << QString(depth * 2, ' ') + o.value("title").toString();
        collect(o.value("kids").toArray(), depth + 1, out);
    }
}
} // namespace

QStringList outlineTitles(const QString& path)
{
    const ToolResult r = runTool("qpdf", {"--json=2", "--json-key=outlines", path});
    QStringList out;
    collect(QJsonDocument::fromJson(r.out).object().value("outlines").toArray(), 0, out);
    return out;
}

int renderedPages(const QString& path)
{
    QTemporaryDir dir;
    if (runTool("pdftoppm", {"-r", "20", "-png", path, dir.filePath("p")}).status != 0)
        return -1;
    return int(QDir(dir.path()).entryList({"*.png"}).size());
}

QByteArray testJpeg(int width, int height)
{
    QImage img(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            img.setPixel(x, y, qRgb(40 + x * 200 / width, 90, 200 - y * 150 / height));
    return jpeg::encode(img, 85);
}

OnePage::OnePage(int width, int height)
{
    report.FileName = dir.filePath("t.pdf");
    page.PageWidth = width;
    page.PageHeight = height;
    band = page.add<TReportLayoutPanel>("Band");
    band->setBounds(0, 0, width, height);
}

QByteArray OnePage::run(int pages)
{
    report.beginDoc();
    for (int i = 0; i < pages; ++i)
        report.print(page);
    report.endDoc();
    return safefile::readOrThrow(report.FileName);
}

std::string OnePage::content()
{
    const QByteArray file = run();
    const qsizetype start = file.indexOf("stream\r\n") + 8;
    return file.mid(start, file.indexOf("\nendstream", start) - start).toStdString();
}
