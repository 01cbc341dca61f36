#pragma once

#include <QApplication>
#include <QTimer>

#include <functional>

namespace vellicor::test {

// Calls `act` on the next modal dialog of type T, from inside that dialog's own event loop, so that
// a test can answer a dialog that the code under test runs with exec().
template <class T>
void OnModal(std::function<void(T&)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(*dialog);
        }
    });
    timer->start();
}

} // namespace vellicor::test
