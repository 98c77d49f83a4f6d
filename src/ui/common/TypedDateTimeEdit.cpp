#include "ui/common/TypedDateTimeEdit.h"

#include <QTimer>

namespace typedfield {

void selectOnEntry(QAbstractSpinBox* box, QFocusEvent* event)
{
    box->selectAll();
    if (event->reason() == Qt::MouseFocusReason)
        QTimer::singleShot(0, box, [box] {
            if (box->hasFocus())
                box->selectAll();
        });
}

bool typesIntoText(const QKeyEvent* event)
{
    const int key = event->key();
    const bool plain = !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
    const bool printable = plain && !event->text().isEmpty() && event->text().at(0).isPrint();
    return printable || key == Qt::Key_Backspace || key == Qt::Key_Delete || key == Qt::Key_Left
        || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End;
}

bool finishesTyping(const QKeyEvent* event)
{
    const int key = event->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Up || key == Qt::Key_Down
        || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
}

QValidator::State stateOf(german::Typed typed)
{
    switch (typed) {
    case german::Typed::Complete: return QValidator::Acceptable;
    case german::Typed::Partial: return QValidator::Intermediate;
    case german::Typed::Wrong: break;
    }
    return QValidator::Invalid;
}

} // namespace typedfield

TypedDateEdit::TypedDateEdit(QWidget* parent) : TypedField<QDateEdit>(parent)
{
    setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    setCalendarPopup(true);
}

german::Typed TypedDateEdit::classify(const QString& text) const { return german::typedDate(text); }

QString TypedDateEdit::finished(const QString& text) const
{
    const auto d = german::finishTypedDate(text);
    return d ? german::formatDate(*d) : QString();
}

QDateTime TypedDateEdit::dateTimeFromText(const QString& text) const
{
    const auto d = german::finishTypedDate(text);
    return d ? QDateTime(*d, dateTime().time()) : dateTime();
}

TypedTimeEdit::TypedTimeEdit(QWidget* parent) : TypedField<QTimeEdit>(parent)
{
    setDisplayFormat(QStringLiteral("HH:mm"));
}

german::Typed TypedTimeEdit::classify(const QString& text) const { return german::typedTime(text); }

QString TypedTimeEdit::finished(const QString& text) const
{
    const auto t = german::finishTypedTime(text);
    return t ? german::formatClock(*t) : QString();
}

QDateTime TypedTimeEdit::dateTimeFromText(const QString& text) const
{
    const auto t = german::finishTypedTime(text);
    return t ? QDateTime(dateTime().date(), *t) : dateTime();
}
