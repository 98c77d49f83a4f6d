#include "ui/main/TfrmDetails.h"
#include "data/Session.h"
#include "ui/common/PictureStepper.h"
#include "ui/common/PictureView.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* arrowButton(QWidget* parent, const char* name, Qt::ArrowType arrow, const QString& hint)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setArrowType(arrow);
    b->setAutoRaise(true);
    b->setToolTip(hint);
    b->setFixedSize(24, 22);
    return b;
}

} // namespace

TfrmDetails::TfrmDetails(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("frmDetails"));
    setWindowTitle(QStringLiteral("Details"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(771, 487); // 32 pixels more than before for the sun and moon rows
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    im_bild = new PictureBox(this);
    im_bild->setObjectName(QStringLiteral("im_bild"));
    im_bild->setFixedSize(360, 270);
    im_bild->setFrameShape(QFrame::Box);
    Bildzurueck = arrowButton(this, "Bildzurueck", Qt::LeftArrow, QStringLiteral("Bild zurück"));
    Bildvor = arrowButton(this, "Bildvor", Qt::RightArrow, QStringLiteral("Bild vor"));

    auto makeLabel = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return l;
    };
    lb_fischart = makeLabel("lb_fischart");
    QFont bold = lb_fischart->font();
    bold.setBold(true);
    lb_fischart->setFont(bold);
    lb_laenge = makeLabel("lb_laenge");
    lb_gewicht = makeLabel("lb_gewicht");
    lb_fangdatum = makeLabel("lb_fangdatum");
    lb_fangzeit = makeLabel("lb_fangzeit");
    lb_angelzeit = makeLabel("lb_angelzeit");
    lb_koeder = makeLabel("lb_koeder");
    lb_fangmethode = makeLabel("lb_fangmethode");
    lb_gewaesser = makeLabel("lb_gewaesser");
    lb_stelle = makeLabel("lb_stelle");
    lb_uferdistanz = makeLabel("lb_uferdistanz");
    lb_fangtiefe = makeLabel("lb_fangtiefe");
    lb_mond = makeLabel("lb_mond");
    lb_sonne = makeLabel("lb_sonne");
    lb_mondzeiten = makeLabel("lb_mondzeiten");
    lb_wetter = makeLabel("lb_wetter");
    lb_lufttemp = makeLabel("lb_lufttemp");
    lb_luftdruck = makeLabel("lb_luftdruck");
    lb_windrichtung = makeLabel("lb_windrichtung");
    lb_windstaerke = makeLabel("lb_windstaerke");
    lb_wassertemp = makeLabel("lb_wassertemp");
    lb_wassertruebung = makeLabel("lb_wassertruebung");
    lb_wasserstand = makeLabel("lb_wasserstand");

    me_bemerkung = new QPlainTextEdit(this);
    me_bemerkung->setObjectName(QStringLiteral("me_bemerkung"));
    me_bemerkung->setReadOnly(true);
    me_bemerkung->setFrameShape(QFrame::NoFrame);
    me_bemerkung->setPalette(pal);

    cb_zurueckgesetzt = new QCheckBox(QStringLiteral("Fisch zurückgesetzt"), this);
    cb_zurueckgesetzt->setObjectName(QStringLiteral("cb_zurueckgesetzt"));
    // Shows the stored flag; the user cannot change it here.
    cb_zurueckgesetzt->setAttribute(Qt::WA_TransparentForMouseEvents);
    cb_zurueckgesetzt->setFocusPolicy(Qt::NoFocus);

    BitBtn1 = new QPushButton(QStringLiteral("Schließen"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);

    // Left: picture, arrows, remarks, released box. Right: the catch, then the weather.
    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(im_bild);
    auto* arrows = new QHBoxLayout;
    arrows->addWidget(Bildzurueck);
    arrows->addStretch(1);
    arrows->addWidget(Bildvor);
    auto* arrowRow = new QWidget(this);
    arrowRow->setLayout(arrows);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrowRow->setFixedHeight(24);
    left->addWidget(arrowRow);
    auto* remarksCaption = new QLabel(QStringLiteral("Bemerkungen:"), this);
    remarksCaption->setFont(bold);
    left->addWidget(remarksCaption);
    left->addWidget(me_bemerkung, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(cb_zurueckgesetzt);
    bottom->addStretch(1);
    left->addLayout(bottom);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignLeft);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(2);
    auto add = [&](const char* caption, QLabel* value) {
        auto* c = new QLabel(QString::fromUtf8(caption), this);
        c->setStyleSheet(QStringLiteral("color: #555555;"));
        form->addRow(c, value);
    };
    auto heading = [&](const char* text) {
        auto* h = new QLabel(QString::fromUtf8(text), this);
        h->setFont(bold);
        form->addRow(h);
    };
    heading("Fang");
    add("Fischart:", lb_fischart);
    add("Länge:", lb_laenge);
    add("Gewicht:", lb_gewicht);
    add("Fangdatum:", lb_fangdatum);
    add("Fangzeit:", lb_fangzeit);
    add("Angelzeit:", lb_angelzeit);
    add("Köder:", lb_koeder);
    add("Fangmethode:", lb_fangmethode);
    add("Gewässer:", lb_gewaesser);
    add("Stelle:", lb_stelle);
    add("Uferdistanz:", lb_uferdistanz);
    add("Fangtiefe:", lb_fangtiefe);
    add("Mondphase:", lb_mond);
    add("Sonne:", lb_sonne);
    add("Mond:", lb_mondzeiten);
    heading("Wetter");
    add("Wetter:", lb_wetter);
    add("Lufttemperatur:", lb_lufttemp);
    add("Luftdruck:", lb_luftdruck);
    add("Windrichtung:", lb_windrichtung);
    add("Windstärke:", lb_windstaerke);
    add("Wassertemperatur:", lb_wassertemp);
    add("Wassertrübung:", lb_wassertruebung);
    add("Wasserstand:", lb_wasserstand);

    auto* right = new QVBoxLayout;
    right->addLayout(form);
    right->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    right->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(16);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    m_pictures = std::make_unique<PictureStepper>(im_bild, Bildzurueck, Bildvor);
    connect(Bildzurueck, &QToolButton::clicked, this, &TfrmDetails::BildzurueckClick);
    connect(Bildvor, &QToolButton::clicked, this, &TfrmDetails::BildvorClick);
    connect(im_bild, &PictureBox::clicked, this, &TfrmDetails::im_bildClick);
}

QList<QLabel*> TfrmDetails::valueLabels() const
{
    return {lb_fischart, lb_laenge, lb_gewicht, lb_fangdatum, lb_fangzeit, lb_angelzeit, lb_koeder,
            lb_fangmethode, lb_gewaesser, lb_uferdistanz, lb_fangtiefe, lb_wetter, lb_stelle, lb_mond, lb_sonne, lb_mondzeiten,
            lb_wassertemp, lb_windrichtung, lb_wassertruebung, lb_luftdruck, lb_lufttemp, lb_windstaerke,
            lb_wasserstand};
}

void TfrmDetails::showDetails(int row)
{
    fill(row);
    exec();
}

void TfrmDetails::fill(int row)
{
    for (QLabel* l : valueLabels())
        l->clear();
    me_bemerkung->clear();
    m_session.DB.GoToRow(row);
    m_pictures->reset({});

    const catchdetails::DetailTexts t = catchdetails::detailTexts(m_session.DB);
    lb_fischart->setText(t.fischart);
    lb_laenge->setText(t.laenge);
    lb_gewicht->setText(t.gewicht);
    lb_fangdatum->setText(t.fangdatum);
    lb_fangzeit->setText(t.fangzeit);
    lb_angelzeit->setText(t.angelzeit);
    lb_koeder->setText(t.koeder);
    lb_fangmethode->setText(t.fangmethode);
    lb_gewaesser->setText(t.gewaesser);
    lb_stelle->setText(t.stelle);
    lb_uferdistanz->setText(t.uferdistanz);
    lb_fangtiefe->setText(t.fangtiefe);
    lb_mond->setText(t.mond);
    lb_sonne->setText(t.sonne);
    lb_mondzeiten->setText(t.mondzeiten);
    lb_wetter->setText(t.wetter);
    me_bemerkung->setPlainText(t.bemerkung);
    lb_wassertemp->setText(t.wassertemp);
    lb_lufttemp->setText(t.lufttemp);
    lb_windrichtung->setText(t.windrichtung);
    lb_wassertruebung->setText(t.wassertruebung);
    lb_windstaerke->setText(t.windstaerke);
    lb_wasserstand->setText(t.wasserstand);
    lb_luftdruck->setText(t.luftdruck);
    cb_zurueckgesetzt->setChecked(t.zurueckgesetzt);

    m_pictures->reset(t.pictures);
}

void TfrmDetails::BildvorClick()
{
    m_pictures->forward();
}

void TfrmDetails::BildzurueckClick()
{
    m_pictures->back();
}

void TfrmDetails::im_bildClick()
{
    m_pictures->openLarge(this);
}
