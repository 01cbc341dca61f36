#include "app/splashwnd.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

namespace vellicor {
namespace {

QPixmap SplashPicture()
{
    QSvgRenderer svg(QStringLiteral(":/icons/splash.svg"));
    QPixmap picture(svg.defaultSize());
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    svg.render(&painter);
    return picture;
}

} // namespace

CSplashWnd::CSplashWnd(QWidget* over)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(SplashPicture())
{
    setObjectName("Splash");
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(picture_.size());
    CentreOver(over);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &CSplashWnd::Close);
    timer_.start(kShowMs);
    qApp->installEventFilter(this);
}

void CSplashWnd::CentreOver(const QWidget* over)
{
    const QRect area = over ? over->frameGeometry() : screen()->availableGeometry();
    move(area.center() - rect().center());
}

CSplashWnd::~CSplashWnd()
{
    qApp->removeEventFilter(this);
}

void CSplashWnd::Close()
{
    if (closed_)
        return;
    closed_ = true;
    timer_.stop();
    qApp->removeEventFilter(this);
    close();
    emit Closed();
}

void CSplashWnd::paintEvent(QPaintEvent*)
{
    QPainter(this).drawPixmap(0, 0, picture_);
}

bool CSplashWnd::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
        Close();
        return true;
    default:
        return false;
    }
}

} // namespace vellicor
