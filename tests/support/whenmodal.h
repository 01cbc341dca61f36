#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

namespace vellicor::test {

// Runs `act` once a modal dialog of type T is the active modal window, however many other modal
// dialogs come and go before it; so several can be lined up for one command.
template <typename T, typename F>
void WhenModal(F act)
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(dialog);
        // A check that failed inside `act` must not leave the test waiting on the dialog.
        if (dialog->isVisible())
            static_cast<QDialog*>(dialog)->reject();
    });
    timer->start();
}

} // namespace vellicor::test
