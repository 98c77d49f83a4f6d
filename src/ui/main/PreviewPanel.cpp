#include "ui/main/PreviewPanel.h"
#include "data/Session.h"
#include "data/Trace.h"
#include "ui/common/PictureStepper.h"
#include "ui/common/PictureView.h"

#include <exception>
#include <QHBoxLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* arrowButton(QWidget* parent, const char* name, Qt::ArrowType arrow, const QString& hint)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setArrowType(arrow);
    b->setAutoRaise(true); // flat
    b->setToolTip(hint);
    b->setFixedSize(20, 28);
    return b;
}

QLabel* textLabel(QWidget* parent, const char* name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

// The picture at the 4:3 shape of the stored pictures, as large as the row allows, with the
// arrows at its sides; the panel on the main window is small, so every pixel counts.
class PictureRow : public QWidget {
public:
    PictureRow(PictureBox* picture, QToolButton* back, QToolButton* forward, QWidget* parent)
        : QWidget(parent), m_picture(picture), m_back(back), m_forward(forward)
    {
        for (QWidget* w : {static_cast<QWidget*>(picture), static_cast<QWidget*>(back), static_cast<QWidget*>(forward)})
            w->setParent(this);
        setMinimumSize(2 * (ArrowWidth + 2) + 80, 60);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    QSize sizeHint() const override { return QSize(2 * (ArrowWidth + 2) + 240, 180); }

protected:
    void resizeEvent(QResizeEvent*) override
    {
        const int room = width() - 2 * (ArrowWidth + 2);
        QSize size(4, 3);
        size.scale(room, height(), Qt::KeepAspectRatio);
        const QRect box(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
        m_picture->setGeometry(box);
        const int y = box.center().y() - m_back->height() / 2;
        m_back->move(box.left() - 2 - m_back->width(), y);
        m_forward->move(box.right() + 3, y);
    }

private:
    static constexpr int ArrowWidth = 20;
    PictureBox* m_picture;
    QToolButton* m_back;
    QToolButton* m_forward;
};

} // namespace

PreviewPanel::PreviewPanel(Session& session, QWidget* parent) : QFrame(parent), m_session(session)
{
    setObjectName(QStringLiteral("PreviewPanel"));

    im_left = new PictureBox(this);
    im_left->setObjectName(QStringLiteral("im_left"));
    im_left->setFrameShape(QFrame::Box);

    Bildzurueck = arrowButton(this, "Bildzurueck", Qt::LeftArrow, QStringLiteral("Bild zurück"));
    Bildvor = arrowButton(this, "Bildvor", Qt::RightArrow, QStringLiteral("Bild vor"));

    lb_leftfischart = textLabel(this, "lb_leftfischart");
    QFont bold = lb_leftfischart->font();
    bold.setBold(true);
    lb_leftfischart->setFont(bold);
    lb_leftlaenge = textLabel(this, "lb_leftlaenge");
    lb_leftzeit = textLabel(this, "lb_leftzeit");
    lb_leftzeit->setWordWrap(true);
    lb_leftkoeder = textLabel(this, "lb_leftkoeder");
    lb_leftkoeder->setWordWrap(true);

    auto* pictureRow = new PictureRow(im_left, Bildzurueck, Bildvor, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(1);
    layout->addWidget(pictureRow, 1);
    // lb_leftlaenge follows 4 pixels after the end of the species.
    auto* species = new QHBoxLayout;
    species->setSpacing(4);
    species->addWidget(lb_leftfischart);
    species->addWidget(lb_leftlaenge);
    species->addStretch(1);
    layout->addLayout(species);
    layout->addWidget(lb_leftzeit);
    layout->addWidget(lb_leftkoeder);

    m_pictures = std::make_unique<PictureStepper>(im_left, Bildzurueck, Bildvor);
    connect(Bildzurueck, &QToolButton::clicked, this, &PreviewPanel::BildzurueckClick);
    connect(Bildvor, &QToolButton::clicked, this, &PreviewPanel::BildvorClick);
    connect(im_left, &PictureBox::clicked, this, &PreviewPanel::im_leftClick);

    clearPreview();
}

void PreviewPanel::clearPreview()
{
    m_pictures->reset({});
    for (QLabel* l : {lb_leftfischart, lb_leftlaenge, lb_leftzeit, lb_leftkoeder})
        l->clear();
}

void PreviewPanel::showPreview(int row)
{
    m_pictures->reset({});
    for (QLabel* l : {lb_leftfischart, lb_leftlaenge, lb_leftzeit, lb_leftkoeder})
        l->clear();
    if (!m_session.DB.GoToRow(row))
        return;
    // As the details window: what was read before a value that does not convert is shown,
    // nothing of the previous catch stays.
    catchdetails::PreviewTexts texts;
    std::exception_ptr failure;
    try {
        catchdetails::fillPreviewTexts(m_session.DB, texts);
    } catch (...) {
        failure = std::current_exception();
    }
    lb_leftfischart->setText(texts.fischart);
    lb_leftlaenge->setText(texts.laenge);
    m_pictures->reset(texts.pictures);
    if (failure)
        std::rethrow_exception(failure);
    lb_leftzeit->setText(texts.zeit);
    lb_leftkoeder->setText(texts.koeder);
}

void PreviewPanel::BildvorClick()
{
    trace::step(QStringLiteral("Main: Bildvor"));
    m_pictures->forward();
}

void PreviewPanel::BildzurueckClick()
{
    trace::step(QStringLiteral("Main: Bild zurück"));
    m_pictures->back();
}

void PreviewPanel::im_leftClick()
{
    trace::step(QStringLiteral("Main: Bild klicken"));
    m_pictures->openLarge(this);
}
