#include "ui/map/TfrmKarte.h"
#include "ui/map/MapChooser.h"
#include "ui/common/FkApplication.h"
#include "ui/common/UserInteraction.h"
#include "ui/common/WindowHost.h"
#include "base/FkError.h"
#include "base/Jpeg.h"
#include "base/SafeFile.h"
#include "data/Clock.h"
#include "data/IniFile.h"
#include "data/LookupLists.h"
#include "data/MapColours.h"
#include "data/Session.h"
#include "data/Trace.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>

namespace {
const QString kPictureFilter =
    QStringLiteral("Alle (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp|JPEG-Grafikdatei (*.jpg)|*.jpg;*.jpeg|Bitmaps (*.bmp)|*.bmp");

// Tries to read a JPEG; reports the decoder's error and returns a null image on failure.
QImage readPicture(const QString& path)
{
    try {
        return jpeg::decode(safefile::readOrThrow(path), QSize(), QFileInfo(path).fileName());
    } catch (const FkError& e) {
        FkApplication::handleError(e.message());
        return QImage();
    }
}
} // namespace

MapImage::MapImage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Image1"));
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
}

void MapImage::setPicture(const QImage& picture)
{
    m_picture = picture;
    setFixedSize(picture.size());
    update();
}

void MapImage::clearPicture()
{
    m_picture = QImage();
    setFixedSize(0, 0);
    update();
}

void MapImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

void MapImage::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit pressed(event->position().toPoint());
}

void MapImage::mouseMoveEvent(QMouseEvent* event) { emit moved(event->position().toPoint()); }

TfrmKarte::TfrmKarte(const Session* session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("frmKarte"));
    setWindowTitle(QStringLiteral("Karte"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* datei = MainMenu1->addMenu(QStringLiteral("&Datei"));
    Schlieen1 = datei->addAction(QStringLiteral("&Schließen"));
    Schlieen1->setObjectName(QStringLiteral("Schlieen1"));
    QMenu* einstellungen = MainMenu1->addMenu(QStringLiteral("&Einstellungen"));
    Farben1 = einstellungen->addAction(QStringLiteral("&Farben"));
    Farben1->setObjectName(QStringLiteral("Farben1"));
    Farben1->setVisible(false);
    einstellungen->menuAction()->setVisible(false); // nothing in it to use

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    ListView1 = new QTableWidget(0, 2, Panel1);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->horizontalHeader()->hide();
    ListView1->verticalHeader()->hide();
    ListView1->setShowGrid(true);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    ListView1->setColumnWidth(1, 80);
    ListView1->setToolTip(QStringLiteral("Doppelklick ändert die Farbe"));
    BitBtn1 = new QPushButton(QStringLiteral("&Speichern"), Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAutoDefault(false);
    auto* panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(ListView1, 1);
    panelLayout->addWidget(BitBtn1);
    Panel1->setFixedWidth(230);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1 = new MapImage;
    ScrollBox1->setWidget(Image1);
    ScrollBox1->setWidgetResizable(false);

    auto* layout = new QHBoxLayout(this);
    layout->setMenuBar(MainMenu1);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(Panel1);
    layout->addWidget(ScrollBox1, 1);
    resize(900, 650);

    connect(Schlieen1, &QAction::triggered, this, &QDialog::reject);
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmKarte::BitBtn1Click);
    connect(ListView1, &QTableWidget::cellDoubleClicked, this, &TfrmKarte::ListView1DblClick);
    connect(Image1, &MapImage::pressed, this, &TfrmKarte::Image1MouseDown);
    connect(Image1, &MapImage::moved, this, &TfrmKarte::Image1MouseMove);
}

int TfrmKarte::execMap()
{
    m_chosen.clear();
    m_dots.clear();
    Image1->clearPicture();
    Image1->setToolTip(QString());
    refillColours();
    if (m_tag == ChoosePosition) {
        setWindowTitle(QStringLiteral("Karte - Linke Maustaste klicken um aktuelle Position zu übernehmen"));
        Panel1->hide();
    } else {
        setWindowTitle(QStringLiteral("Karte"));
        Panel1->show();
    }
    if (!loadMap())
        return QDialog::Rejected;
    setWindowState(windowState() | Qt::WindowMaximized);
    return exec();
}

void TfrmKarte::refillColours()
{
    ListView1->setRowCount(0);
    const IniFile settings = IniFile::settings();
    const QString file = lookup::listPath(QStringLiteral("Fischarten"));
    if (!QFileInfo::exists(file))
        return;
    for (const QString& species : lookup::readList(file)) {
        if (species.isEmpty())
            continue;
        const int row = ListView1->rowCount();
        ListView1->insertRow(row);
        ListView1->setItem(row, 0, new QTableWidgetItem(species));
        ListView1->setItem(row, 1, new QTableWidgetItem);
        setColourCell(row, settings.readString(mapcolours::kSection, species));
    }
}

void TfrmKarte::setColourCell(int row, const QString& text)
{
    QTableWidgetItem* item = ListView1->item(row, 1);
    item->setText(text);
    if (text.isEmpty()) {
        item->setData(Qt::BackgroundRole, QVariant());
        item->setData(Qt::ForegroundRole, QVariant());
        return;
    }
    const QColor colour = mapcolours::colourFromText(text);
    item->setBackground(colour);
    // The text stays readable on dark and light colours.
    item->setForeground(colour.lightness() < 128 ? Qt::white : Qt::black);
}

bool TfrmKarte::loadMap()
{
    trace::step(QStringLiteral("Karte: load"));
    m_dots.clear();
    const IniFile settings = IniFile::settings();
    QImage picture;
    const QString stored = settings.readString(watermap::kSection, m_water);
    if (!stored.isEmpty() && QFileInfo(stored).isFile())
        picture = readPicture(stored);
    if (picture.isNull()) {
        const QString chosen = userInteraction().getOpenFileName(this, kPictureFilter);
        if (chosen.isEmpty())
            return false;
        picture = readPicture(chosen);
        if (picture.isNull())
            return Image1->hasPicture(); // the picture shown stays, nothing is stored
        try {
            watermap::storeCopy(settings, m_water, chosen, picture);
        } catch (const FkError& e) {
            // The map shows all the same; the next view asks again.
            FkApplication::handleError(e.message());
        }
    }

    if (m_tag == View && m_session) {
        const watermap::Dots found =
            watermap::collectDots(m_session->DB, m_water, mapcolours::speciesColours(settings));
        watermap::drawDots(picture, found.dots);
        m_dots = found.dots;
        Image1->setPicture(picture);
        if (!found.error.isEmpty())
            FkApplication::handleError(found.error);
        return true;
    }
    if (m_tag == ChoosePosition && !m_current.isEmpty()) {
        try {
            // A ring around the present position, so the angler sees what a click replaces.
            const QPoint p = watermap::parsePosition(m_current);
            QPainter painter(&picture);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(Qt::red, 2));
            painter.drawEllipse(QPointF(p) + QPointF(2.5, 2.5), 7, 7);
        } catch (const EConvertError&) {
            // An unreadable old position is simply not marked.
        }
    }
    Image1->setPicture(picture);
    return true;
}

void TfrmKarte::Image1MouseDown(const QPoint& position)
{
    if (m_tag != ChoosePosition)
        return;
    if (!QRect(QPoint(0, 0), Image1->picture().size()).contains(position))
        return;
    m_chosen = watermap::positionText(position);
    accept();
}

void TfrmKarte::Image1MouseMove(const QPoint& position)
{
    const int row = m_session ? watermap::dotAt(m_dots, position) : 0;
    if (row == 0) {
        Image1->setToolTip(QString());
        QToolTip::hideText();
        return;
    }
    const QString hint = watermap::hintText(m_session->DB, row);
    Image1->setToolTip(hint);
    QToolTip::showText(Image1->mapToGlobal(position), hint, Image1);
}

void TfrmKarte::ListView1DblClick()
{
    const int row = ListView1->currentRow();
    if (row < 0)
        return;
    const QString old = ListView1->item(row, 1)->text();
    const QColor colour = userInteraction().chooseColor(this, mapcolours::colourFromText(old));
    if (colour.isValid())
        setColourCell(row, mapcolours::colourText(colour));
}

void TfrmKarte::BitBtn1Click()
{
    const IniFile settings = IniFile::settings();
    for (int row = 0; row < ListView1->rowCount(); ++row)
        settings.writeString(mapcolours::kSection, ListView1->item(row, 0)->text(), ListView1->item(row, 1)->text());
    if (!loadMap())
        reject();
}

namespace mapchooser {

std::optional<QString> choosePosition(QWidget* parent, const QString& water, const QString& current)
{
    if (water.trimmed().isEmpty()) {
        userInteraction().information(parent, QStringLiteral("Bitte Gewässer auswählen!"));
        return std::nullopt;
    }
    TfrmKarte map(nullptr, parent);
    map.setTag(TfrmKarte::ChoosePosition);
    map.setWater(water);
    map.setCurrentPosition(current);
    if (map.execMap() != QDialog::Accepted)
        return std::nullopt;
    return map.chosenPosition();
}

} // namespace mapchooser

namespace {
const host::FamilyRegistrar kMapFamily("map", 60, [](WindowHost& host) {
    auto* frmKarte = new TfrmKarte(&host.session(), host.window());
    host.setKarteHandler([frmKarte](const QString& caption) {
        QString water = caption;
        water.remove(QLatin1Char('&'));
        frmKarte->setTag(TfrmKarte::View);
        frmKarte->setWater(water);
        mapcolours::fillColoursOnce(IniFile::settings(), appRandom());
        frmKarte->execMap();
    });
});
} // namespace
