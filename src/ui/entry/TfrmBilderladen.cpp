#include "ui/entry/TfrmBilderladen.h"
#include "data/CommaText.h"
#include "data/ProgramFolder.h"
#include "data/Trace.h"
#include "entry/PictureImport.h"
#include "base/FkError.h"
#include "ui/common/UserInteraction.h"
#include "ui/common/PictureView.h"

#include <QAction>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

const QString TfrmBilderladen::PictureFilter = QStringLiteral(
    "Alle (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp|JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|BMP (*.bmp)|*.bmp");

TfrmBilderladen::TfrmBilderladen(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmBilderladen"));
    setWindowTitle(QStringLiteral("Bilder hinzufügen"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(420, 320);

    Label1 = new QLabel(QStringLiteral("Bilder:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox1->setMouseTracking(true);
    ListBox1->viewport()->setMouseTracking(true);
    ListBox1->installEventFilter(this);
    ListBox1->viewport()->installEventFilter(this);
    Label1->setBuddy(ListBox1);

    Entfernen1 = new QAction(QStringLiteral("Entfernen"), this);
    Entfernen1->setObjectName(QStringLiteral("Entfernen1"));
    ListBox1->setContextMenuPolicy(Qt::ActionsContextMenu);
    ListBox1->addAction(Entfernen1);

    BitBtn1 = new QPushButton(QStringLiteral("Bilder hinzufügen"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(QStringLiteral("Speichern"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn3 = new QPushButton(QStringLiteral("Abbrechen"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3})
        b->setAutoDefault(false);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(Label1);
    layout->addWidget(ListBox1, 1);
    // The bar has a fixed place so showing it does not move the buttons.
    auto* barRow = new QWidget(this);
    barRow->setFixedHeight(16);
    auto* barLayout = new QHBoxLayout(barRow);
    barLayout->setContentsMargins(0, 0, 0, 0);
    barLayout->addWidget(ProgressBar1);
    ProgressBar1->setFixedHeight(14);
    layout->addWidget(barRow);
    layout->addLayout(buttons);

    connect(BitBtn1, &QPushButton::clicked, this, &TfrmBilderladen::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmBilderladen::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TfrmBilderladen::BitBtn3Click);
    connect(Entfernen1, &QAction::triggered, this, &TfrmBilderladen::Entfernen1Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TfrmBilderladen::ListBox1DblClick);
}

std::optional<QString> TfrmBilderladen::editPictures(const QString& commaText)
{
    setPictureText(commaText);
    if (exec() == QDialog::Accepted)
        return m_savedText;
    return std::nullopt;
}

void TfrmBilderladen::setPictureText(const QString& commaText)
{
    ListBox1->clear();
    if (!commaText.isEmpty())
        ListBox1->addItems(commatext::split(commaText));
    m_hintIndex = -1;
    ListBox1->setToolTip(QString());
}

QStringList TfrmBilderladen::items() const
{
    QStringList out;
    for (int i = 0; i < ListBox1->count(); ++i)
        out << ListBox1->item(i)->text();
    return out;
}

void TfrmBilderladen::BitBtn1Click()
{
    trace::step(QStringLiteral("Bilderladen: hinzufügen"));
    const QStringList files = userInteraction().getOpenFileNames(this, PictureFilter);
    ListBox1->addItems(files);
}

void TfrmBilderladen::Entfernen1Click()
{
    for (int i = ListBox1->count() - 1; i >= 0; --i)
        if (ListBox1->item(i)->isSelected())
            delete ListBox1->takeItem(i);
}

void TfrmBilderladen::ListBox1DblClick()
{
    QListWidgetItem* item = ListBox1->currentItem();
    if (!item)
        return;
    const QString text = item->text();
    QString file = ProgramFolder::file(QStringLiteral("img/") + text);
    if (!QFileInfo(file).isFile())
        file = text;
    if (QFileInfo(file).isFile())
        showPictureWindow(this, file);
}

void TfrmBilderladen::setBusy(bool busy)
{
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3})
        b->setEnabled(!busy);
    ListBox1->setEnabled(!busy);
    ProgressBar1->setVisible(busy);
}

void TfrmBilderladen::BitBtn2Click()
{
    trace::step(QStringLiteral("Bilderladen: speichern"));
    const QStringList list = items();
    setBusy(true);
    ProgressBar1->setRange(0, qMax(1, int(list.size())));
    ProgressBar1->setValue(0);
    ProgressBar1->repaint();
    QStringList names;
    try {
        names = pictures::importPictures(list, ProgramFolder::file(QStringLiteral("img")),
                                         [this](int index, const QString& name) {
                                             // A converted file is now a stored name: saving again
                                             // after an error must not convert it a second time.
                                             ListBox1->item(index)->setText(name);
                                             ProgressBar1->setValue(index + 1);
                                             ProgressBar1->repaint();
                                         });
    } catch (...) {
        // The user gets a working dialog back; the error goes on to the "Fehler" box.
        setBusy(false);
        throw;
    }
    setBusy(false);
    m_savedText = commatext::join(names);
    accept();
}

void TfrmBilderladen::BitBtn3Click()
{
    trace::step(QStringLiteral("Bilderladen: abbrechen"));
    reject();
}

bool TfrmBilderladen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListBox1 && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        Entfernen1Click();
        return true;
    }
    if (watched == ListBox1->viewport()) {
        switch (event->type()) {
        case QEvent::Enter:
            m_hintIndex = -1;
            break;
        case QEvent::MouseMove: {
            const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
            QListWidgetItem* item = ListBox1->itemAt(pos);
            const int index = item ? ListBox1->row(item) : -1;
            if (index != m_hintIndex) {
                m_hintIndex = index;
                QToolTip::hideText();
                ListBox1->setToolTip(item ? item->text() : QString());
            }
            break;
        }
        case QEvent::ToolTip: {
            const auto* help = static_cast<QHelpEvent*>(event);
            if (ListBox1->toolTip().isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), ListBox1->toolTip(), ListBox1->viewport());
            return true;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
