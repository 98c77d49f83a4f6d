#include "ui/exchange/ExchangeCommands.h"
#include "ui/common/UserInteraction.h"
#include "ui/common/WindowHost.h"
#include "data/Session.h"
#include "reports/CsvExchange.h"
#include "reports/XmlExchange.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

namespace exchangecommands {
namespace {

// Large logs take a moment; the wait cursor shows the program is busy.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

QString filter(Format format)
{
    return format == Format::Xml ? QStringLiteral("XML|*.xml") : QStringLiteral("CSV|*.csv");
}

QString suffix(Format format)
{
    return format == Format::Xml ? QStringLiteral("xml") : QStringLiteral("csv");
}

} // namespace

void exportTable(WindowHost& host, catchdb::Kind kind, Format format)
{
    const QString path = userInteraction().getSaveFileName(host.window(), filter(format), suffix(format));
    if (path.isEmpty())
        return;
    Session& s = host.session();
    const TTextTable& table = kind == catchdb::Kind::Catches ? s.DB : s.AKDB;
    BusyCursor busy;
    if (format == Format::Xml)
        xmlexchange::exportFile(table, kind, path);
    else
        csvexchange::exportFile(table, path);
}

void importTable(WindowHost& host, catchdb::Kind kind, Format format)
{
    const QString path = userInteraction().getOpenFileName(host.window(), filter(format));
    if (path.isEmpty())
        return;
    Session& s = host.session();
    const bool catches = kind == catchdb::Kind::Catches;
    TTextTable& table = catches ? s.DB : s.AKDB;
    const QString& tablePath = catches ? s.dbPath : s.akdbPath;
    {
        BusyCursor busy;
        if (format == Format::Xml)
            xmlexchange::importFile(table, tablePath, kind, path);
        else
            csvexchange::importFile(table, tablePath, path);
    }
    host.notifyChanged(catches ? host::Change::Catches : host::Change::Costs);
}

namespace {

void install(WindowHost& host)
{
    using catchdb::Kind;
    struct Item {
        const char* menu;
        const char* xmlAction;
        const char* csvAction;
        const char* csvText;
        Kind kind;
        bool isExport;
    };
    const Item items[] = {
        {"mnuExportieren", "aExportXML", "aExportCSV", "Als &CSV", Kind::Catches, true},
        {"mnuImportieren", "aImportXML", "aImportCSV", "aus &CSV", Kind::Catches, false},
        {"mnuAKExportieren", "aAKExportXML", "aAKExportCSV", "Als &CSV", Kind::Costs, true},
        {"mnuAKImportieren", "aAKImportXML", "aAKImportCSV", "aus &CSV", Kind::Costs, false},
    };
    for (const Item& item : items) {
        QMenu* menu = host.menu(QLatin1String(item.menu));
        QAction* xml = host.menuAction(QLatin1String(item.xmlAction));
        if (!menu || !xml)
            continue;
        QAction* csv = menu->addAction(QString::fromUtf8(item.csvText));
        csv->setObjectName(QLatin1String(item.csvAction));
        const Kind kind = item.kind;
        WindowHost* h = &host;
        for (auto [action, format] : {std::pair{xml, Format::Xml}, std::pair{csv, Format::Csv}}) {
            const Format f = format;
            if (item.isExport)
                host.wireAction(action, [h, kind, f] { exportTable(*h, kind, f); });
            else
                host.wireAction(action, [h, kind, f] { importTable(*h, kind, f); });
        }
        // The catch exchange menus were hidden while they had nothing to offer.
        menu->menuAction()->setVisible(true);
    }
}

const host::FamilyRegistrar registrar("exchange", 60, install);

} // namespace
} // namespace exchangecommands
