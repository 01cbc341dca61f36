#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace vellicor {

// The start-up picture: a borderless window centred over `over` that closes after three seconds
// or at the first key or mouse button press anywhere in the application, which it swallows.
class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMs = 3000;

    explicit CSplashWnd(QWidget* over);
    ~CSplashWnd() override;

    void Close();
    // Over the window, or the screen without one.
    void CentreOver(const QWidget* over);

signals:
    void Closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPixmap picture_;
    QTimer timer_;
    bool closed_ = false;
};

} // namespace vellicor
