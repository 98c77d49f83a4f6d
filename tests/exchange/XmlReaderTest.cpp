// The exchange files' XML reader against Qt's stream reader as the reference: the same
// verdict on well-formed and damaged documents, the same elements and text.
#include "ErrorText.h"
#include "reports/XmlReader.h"

#include <QXmlStreamReader>
#include <gtest/gtest.h>

#define EXPECT_EQ_TEXT(a, b) EXPECT_EQ((a).toStdString(), QString(b).toStdString())

namespace {

// "<a>", "</>" and the text, as one string per document.
struct Recorder : xmlreader::Handler {
    QString events;
    void startElement(std::string_view name) override
    {
        events += QLatin1Char('<') + QString::fromUtf8(name.data(), qsizetype(name.size())) + QLatin1Char('>');
    }
    void endElement() override { events += QStringLiteral("</>"); }
    void characters(std::string_view utf8) override
    {
        events += QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    }
};

// The same from Qt's reader (after the same choice of encoding); a null string when it finds
// the document not well-formed.
QString reference(const QByteArray& doc)
{
    QXmlStreamReader r(xmlreader::toUtf8(doc));
    QString events;
    while (!r.atEnd()) {
        switch (r.readNext()) {
        case QXmlStreamReader::StartElement: events += QLatin1Char('<') + r.qualifiedName().toString() + QLatin1Char('>'); break;
        case QXmlStreamReader::EndElement: events += QStringLiteral("</>"); break;
        case QXmlStreamReader::Characters: events += r.text().toString(); break;
        default: break;
        }
    }
    return r.hasError() ? QString() : events;
}

QString mine(const QByteArray& doc)
{
    Recorder rec;
    try {
        xmlreader::parse(xmlreader::toUtf8(doc), rec);
    } catch (const xmlreader::SyntaxError&) {
        return QString();
    }
    return rec.events;
}

} // namespace

TEST(XmlReader, AgreesWithQtOnWellFormedAndDamagedDocuments)
{
    const QByteArray docs[] = {
        // well-formed
        "<a/>",
        "<?xml version=\"1.0\" ?>\r\n<a>\r\n<b>x</b>\r\n</a>\r\n",
        "<?xml version='1.0' encoding='UTF-8' standalone='yes'?><a x=\"1\" y='&lt;2&gt;'><b/><c >t</c ></a>",
        "<!-- vorher --><?pi daten?><a><!-- k --><?x y?><![CDATA[<&>]]>&amp;&#228;&#xDF;&#x1F41F;&quot;&apos;</a><!-- nachher -->  ",
        "<!DOCTYPE a [<!ELEMENT a (#PCDATA)>]><a>t</a>",
        "<a>Zeile 1\r\nZeile 2\rZeile 3&#13;&#10;\tTab ] ]] </a>",
        "<a><b><c>tief</c>er</b>e<d/></a>",
        "<a:b xmlns:a=\"urn:x\"><a:c>v</a:c></a:b>",
        "<\xc3\xa4><\xc3\xb6 \xc3\xbc=\"1\">\xe2\x82\xac</\xc3\xb6></\xc3\xa4>",
        "\xef\xbb\xbf<a>mit Marke</a>",
        "<a>\xe4\xf6\xfc</a>", // Windows-1252 without a declared encoding
        // damaged
        "",
        "   ",
        "<?xml version=\"1.0\"?>",
        "<a>",
        "<a></b>",
        "<a><b></a></b>",
        "<a>A & B</a>",
        "<a>&unbekannt;</a>",
        "<a>&#0;</a>",
        "<a>&#xD800;</a>",
        "<a>&#12a;</a>",
        "<a>&#;</a>",
        "<a>x</a><b/>",
        "<a>x</a>text",
        "text<a/>",
        "<a x=1/>",
        "<a x=\"<\"/>",
        "<ax=\"1\"/>",
        "<a x=\"1\"y=\"2\"/>",
        "<a x=\"1\" x=\"2\"/>",
        "<a><!-- a -- b --></a>",
        "<a><![CDATA[offen</a>",
        "<a>\x01</a>",
        "<a><?xml version=\"1.0\"?></a>",
        "<a><1/></a>",
        "<a>]]></a>",
        "<a></a",
        "<a/><!-- offen",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>\xe4</a>",
    };
    for (const QByteArray& doc : docs) {
        const QString expected = reference(doc);
        EXPECT_EQ(mine(doc).toStdString(), expected.toStdString()) << doc.constData() << (expected.isNull() ? "  (not well-formed)" : "");
    }
}

TEST(XmlReader, ReasonsNameThePlace)
{
    Recorder rec;
    EXPECT_EQ_TEXT(errorText([&] { xmlreader::parse("<a>\n<b>x</c>\n</a>", rec); }),
              "Das Ende-Tag </c> passt nicht zu <b>. (Zeile 2, Spalte 5)");
    EXPECT_EQ_TEXT(errorText([&] { xmlreader::parse("<a>\n  <b>A & B</b></a>", rec); }),
              "Ein \"&\" muss einen Verweis wie \"&amp;\" beginnen. (Zeile 2, Spalte 8)");
    EXPECT_EQ_TEXT(errorText([&] { xmlreader::parse("<Fischkladde><Fang>", rec); }),
              "Unerwartetes Dateiende: <Fang> wird nicht geschlossen. (Zeile 1, Spalte 20)");
    EXPECT_EQ_TEXT(errorText([&] { xmlreader::parse("", rec); }), "Die Datei enthält kein Wurzelelement. (Zeile 1, Spalte 1)");
    // Entities of a document type are not expanded.
    EXPECT_EQ_TEXT(errorText([&] { xmlreader::parse("<!DOCTYPE a [<!ENTITY e \"x\">]><a>&e;</a>", rec); }),
              "Unbekannte Entität \"&e;\". (Zeile 1, Spalte 34)");
    EXPECT_EQ_TEXT(errorText([&] { xmlreader::toUtf8("<?xml version=\"1.0\" encoding=\"EBCDIC\"?><a/>"); }),
              "Die Kodierung \"ebcdic\" wird nicht unterstützt.");
}
