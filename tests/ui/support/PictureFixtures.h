#pragma once
// Helpers for the catch picture window tests: catch rows, one-colour pictures in "img", and
// a look at the modal window a handler opens.
#include "data/CatchDatabase.h"
#include "data/Clock.h"
#include "entry/Jpeg.h"
#include "support/TempHome.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

namespace fixtures {

inline void addCatch(TTextTable& db, const QList<QPair<const char*, QByteArray>>& values)
{
    if (db.FieldCount() == 0)
        db = catchdb::emptyTable(catchdb::Kind::Catches);
    db.AddRow();
    db.SetData("Fangdatum", "08.05.2006");
    db.SetData("Gewicht", "0");
    for (const auto& [field, value] : values)
        db.SetData(field, value);
}

inline QImage plain(QRgb colour, int w = 640, int h = 480)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A JPEG of one colour at <home>/<relative>; returns its full path.
inline QString writeJpeg(const TempHome& home, const QString& relative, QRgb colour, int w = 640, int h = 480)
{
    home.write(relative, jpeg::encode(plain(colour, w, h), 90));
    return home.file(relative);
}

// What the large picture window opened next looked like; it is closed right away.
struct ModalPeek {
    bool seen = false;
    QString title;
    QSize size;
    QSize pictureSize;
    void arm()
    {
        QTimer::singleShot(0, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || w->objectName() != QLatin1String("PictureWindow"))
                return;
            seen = true;
            title = w->windowTitle();
            size = w->size();
            if (auto* label = w->findChild<QLabel*>())
                pictureSize = label->pixmap().size();
            w->close();
        });
    }
};

struct FixedClock : Clock {
    QDateTime at;
    QDateTime now() const override { return at; }
};

struct QueuedRandom : RandomSource {
    QList<int> values;
    int bounded(int) override { return values.isEmpty() ? 0 : values.takeFirst(); }
};

} // namespace fixtures
