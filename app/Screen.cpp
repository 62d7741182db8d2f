#include "app/Screen.h"

#include "app/SurveyRun.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

namespace {

Qt::WindowFlags flagsFor(ScreenFrame::Border border)
{
    switch (border) {
    case ScreenFrame::Border::None:
        return Qt::Window | Qt::FramelessWindowHint;
    case ScreenFrame::Border::Sizeable:
        return Qt::Window;
    case ScreenFrame::Border::Dialog:
        break;
    }
    return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint;
}

} // namespace

Screen::Screen(SurveyRun& run, const ScreenFrame& frame) : QWidget(nullptr), m_run(run)
{
    setObjectName(frame.instanceName);
    setWindowFlags(flagsFor(frame.border));
    setWindowTitle(frame.caption);
    if (frame.border == ScreenFrame::Border::Sizeable) {
        resize(frame.clientSize);
    } else {
        setFixedSize(frame.clientSize);
        if (const QScreen* desktop = QGuiApplication::primaryScreen()) {
            QRect geometry(QPoint(), frame.clientSize);
            geometry.moveCenter(desktop->availableGeometry().center());
            move(geometry.topLeft());
        }
    }
    QPalette look = palette();
    look.setColor(QPalette::Window, frame.background);
    setPalette(look);
    setAutoFillBackground(true);
    m_run.screenCreated(this);
}

Screen::~Screen()
{
    m_run.screenDestroyed(this);
}

void Screen::FormClose()
{
    m_run.Terminate();
}

void Screen::closeByProgram()
{
    m_closingByProgram = true;
    close();
    m_closingByProgram = false;
}

void Screen::runHandler(const std::function<void()>& handler)
{
    m_run.handle(handler);
}

void Screen::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return; // restored from minimised: not shown by the program
    m_run.handle([this] { FormShow(); });
}

void Screen::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        m_run.screenHidden(this);
}

void Screen::closeEvent(QCloseEvent* event)
{
    if (!isEnabled() && !m_closingByProgram) {
        event->ignore(); // a disabled window ignores its close box
        return;
    }
    event->accept();
    m_run.handle([this] { FormClose(); });
}

void Screen::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_run.screenRaisedByUser(this);
}
