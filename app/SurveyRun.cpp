#include "app/SurveyRun.h"

#include "app/Screen.h"
#include "state/SurveyError.h"

#include <QDir>
#include <QWindow>
#include <cassert>
#include <exception>

namespace {
bool g_runExists = false;
const QString MessageBoxTitle = QStringLiteral("Программа ввода данных");
} // namespace

SurveyRun::SurveyRun(Environment environment)
    : m_env(std::move(environment)), m_windows([this](QWidget* w) { activate(w); })
{
    assert(!g_runExists && "one run at a time");
    g_runExists = true;
}

SurveyRun::~SurveyRun()
{
    m_windows.stopActivations();
    m_modalDisplays.clear();
    // Destroy the later screens first: the main window goes last.
    while (!m_screens.isEmpty())
        delete m_screens.last(); // unregisters itself
    g_runExists = false;
}

void SurveyRun::createScreens(const Composition& composition)
{
    composition.createScreens(*this); // each screen registers itself with the run
    Screen* main = mainWindow();
    if (!main)
        return;

    // Every screen shares the main window's taskbar entry: it is owned by the main window, so a
    // pupil cannot bring an earlier screen in front of the current one from the taskbar.
    main->winId();
    for (Screen* screen : std::as_const(m_screens)) {
        if (screen == main)
            continue;
        screen->winId();
        screen->windowHandle()->setTransientParent(main->windowHandle());
    }
}

Screen* SurveyRun::mainWindow() const
{
    return m_screens.isEmpty() ? nullptr : m_screens.first();
}

QString SurveyRun::workingPath(const QString& name) const
{
    return QDir(m_env.workingFolder).filePath(name);
}

bool SurveyRun::existsInWorkingFolder(const QString& name) const
{
    return !name.isEmpty() && m_env.fileExists(workingPath(name));
}

void SurveyRun::showScreen(Screen* screen)
{
    // FormShow runs from the show event; the activation comes once the window is fully shown,
    // so that FormActivate may show or hide other windows, this one included.
    if (!screen->isVisible())
        screen->show();
    m_windows.bringToFront(screen);
}

void SurveyRun::showModal(Screen* screen, std::function<void()> whenEnded)
{
    ModalDisplay display{screen, {}, std::move(whenEnded)};
    for (Screen* other : std::as_const(m_screens)) {
        if (other == screen || !other->isVisible() || !other->isEnabled())
            continue;
        if (m_disabledCount[other]++ == 0)
            other->setEnabled(false);
        display.disabled.emplace_back(other);
    }
    m_modalDisplays.push_back(std::move(display));
    showScreen(screen);
}

bool SurveyRun::isInModalDisplay(const Screen* screen) const
{
    for (const ModalDisplay& d : m_modalDisplays)
        if (d.window == screen)
            return true;
    return false;
}

void SurveyRun::endModalDisplay(std::size_t index)
{
    ModalDisplay display = std::move(m_modalDisplays[index]);
    m_modalDisplays.erase(m_modalDisplays.begin() + static_cast<std::ptrdiff_t>(index));
    for (const QPointer<QWidget>& window : display.disabled) {
        if (!window)
            continue;
        if (--m_disabledCount[window] == 0) {
            m_disabledCount.erase(window);
            window->setEnabled(true);
        }
    }
    if (display.whenEnded)
        handle(display.whenEnded);
}

void SurveyRun::Terminate()
{
    if (m_terminationRequested)
        return;
    m_terminationRequested = true;
    m_windows.stopActivations();
    while (!m_modalDisplays.empty())
        endModalDisplay(m_modalDisplays.size() - 1);
    if (m_env.endEventLoop)
        m_env.endEventLoop(0);
}

void SurveyRun::showError(const QString& text)
{
    presentBox(MessageBoxRequest::Kind::Error, text);
}

void SurveyRun::showMessage(const QString& text)
{
    presentBox(MessageBoxRequest::Kind::Information, text);
}

void SurveyRun::presentBox(MessageBoxRequest::Kind kind, const QString& text)
{
    QWidget* over = m_windows.topWindow();
    // Set here: without a title of its own a box would show the executable's name.
    const MessageBoxRequest request{kind, MessageBoxTitle, text};
    m_windows.pushMessageBox();
    if (m_env.presentMessageBox)
        m_env.presentMessageBox(request, over);
    m_windows.popMessageBox();
}

void SurveyRun::handle(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const SurveyError& error) {
        showError(error.text());
    } catch (const std::exception& error) {
        showError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        showError(QStringLiteral("Неизвестная ошибка"));
    }
}

void SurveyRun::activate(QWidget* window)
{
    if (auto* screen = qobject_cast<Screen*>(window))
        handle([screen] { screen->FormActivate(); });
}

void SurveyRun::screenCreated(Screen* screen)
{
    m_screens.append(screen);
}

void SurveyRun::screenDestroyed(Screen* screen)
{
    m_screens.removeOne(screen);
    m_disabledCount.erase(screen);
    m_windows.remove(screen);
}

void SurveyRun::screenHidden(Screen* screen)
{
    // The modal displays of this window end first, so that the window that comes to the front
    // is enabled again when it is activated.
    for (std::size_t i = m_modalDisplays.size(); i-- > 0;)
        if (i < m_modalDisplays.size() && m_modalDisplays[i].window == screen)
            endModalDisplay(i);
    m_windows.remove(screen);
}

void SurveyRun::screenRaisedByUser(Screen* screen)
{
    // A pupil may not bring an earlier screen in front of the current one: the current one goes
    // back on top. Nothing is activated by that.
    QWidget* top = m_windows.topWindow();
    if (top && top != screen && m_windows.contains(screen) && !m_windows.messageBoxOpen())
        m_windows.raise(top);
}
