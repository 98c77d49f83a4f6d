#pragma once
// Date and time fields that take what a German user types: "14.05.2026", "14.5.26" or
// "05:30", "5:30" key by key, instead of Qt's section editing that turns "14.05.2026" into
// "14.12.0000". The calendar pop-up, the arrow keys and the QDateEdit/QTimeEdit interface stay.
#include "data/GermanFormat.h"

#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimeEdit>

namespace typedfield {
// Selects the whole text on entering, so typing replaces it (after a click once more, when
// the line edit has placed its cursor).
void selectOnEntry(QAbstractSpinBox* box, QFocusEvent* event);
// Keys that go straight into the line edit.
bool typesIntoText(const QKeyEvent* event);
// Keys that first take over what was typed.
bool finishesTyping(const QKeyEvent* event);
QValidator::State stateOf(german::Typed typed);
} // namespace typedfield

template <class Base>
class TypedField : public Base {
public:
    explicit TypedField(QWidget* parent) : Base(parent)
    {
        // Qt moves the cursor between the sections of the display format whenever it moves;
        // that is what eats typed digits, so the field's own handler is cut off.
        QObject::disconnect(this->lineEdit(), SIGNAL(cursorPositionChanged(int, int)), this, nullptr);
    }

protected:
    virtual german::Typed classify(const QString& text) const = 0;
    // The stored form of a finished entry, empty when it means nothing.
    virtual QString finished(const QString& text) const = 0;

    QValidator::State validate(QString& input, int&) const override
    {
        QValidator::State state = typedfield::stateOf(classify(input));
        if (state == QValidator::Acceptable) {
            const QDateTime value = this->dateTimeFromText(input);
            if (value < this->minimumDateTime() || value > this->maximumDateTime())
                state = QValidator::Intermediate;
        }
        return state;
    }
    void fixup(QString& input) const override
    {
        const QString form = finished(input);
        if (!form.isEmpty())
            input = form;
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        if (typedfield::typesIntoText(event)) {
            QAbstractSpinBox::keyPressEvent(event);
            return;
        }
        if (typedfield::finishesTyping(event))
            finishTyping();
        Base::keyPressEvent(event);
    }
    void focusInEvent(QFocusEvent* event) override
    {
        Base::focusInEvent(event);
        typedfield::selectOnEntry(this, event);
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        finishTyping();
        Base::focusOutEvent(event);
    }
    // One Tab leaves the field instead of walking through its sections.
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }

private:
    void finishTyping()
    {
        const QString text = this->lineEdit()->text();
        const QString form = finished(text);
        if (form.isEmpty() || form == text)
            return;
        const QDateTime value = this->dateTimeFromText(form);
        if (value >= this->minimumDateTime() && value <= this->maximumDateTime())
            this->setDateTime(value);
    }
};

class TypedDateEdit : public TypedField<QDateEdit> {
public:
    explicit TypedDateEdit(QWidget* parent = nullptr);

protected:
    german::Typed classify(const QString& text) const override;
    QString finished(const QString& text) const override;
    QDateTime dateTimeFromText(const QString& text) const override;
};

class TypedTimeEdit : public TypedField<QTimeEdit> {
public:
    explicit TypedTimeEdit(QWidget* parent = nullptr);

protected:
    german::Typed classify(const QString& text) const override;
    QString finished(const QString& text) const override;
    QDateTime dateTimeFromText(const QString& text) const override;
};
