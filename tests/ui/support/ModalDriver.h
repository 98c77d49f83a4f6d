#pragma once
// Drives a modal window the code under test opens with exec(): the action runs once a window
// of the type is the active modal one, and must close it.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <memory>

template <class W>
void onModal(const std::function<void(W*)>& action)
{
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, action] {
        if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(w);
        } else if (clock->elapsed() > 10000) {
            timer->stop();
            timer->deleteLater();
            qWarning("no modal window of the expected type appeared");
        }
    });
    timer->start(5);
}
