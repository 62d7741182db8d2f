#include "app/WindowStack.h"

#include <QGuiApplication>
#include <algorithm>

namespace {

// The offscreen platform (headless tests) has no stacking order and warns at every raise.
bool platformStacksWindows()
{
    static const bool stacks = QGuiApplication::platformName() != QLatin1String("offscreen");
    return stacks;
}

} // namespace

WindowStack::WindowStack(Activation onActivated) : m_onActivated(std::move(onActivated)) {}

void WindowStack::bringToFront(QWidget* window)
{
    if (!m_entries.empty() && m_entries.back().window == window)
        return;
    std::erase_if(m_entries, [window](const Entry& e) { return e.window == window; });
    m_entries.push_back({m_nextId++, window});
    settle();
}

void WindowStack::remove(QWidget* window)
{
    const auto before = m_entries.size();
    std::erase_if(m_entries, [window](const Entry& e) { return e.window == window; });
    if (m_entries.size() != before)
        settle();
}

void WindowStack::pushMessageBox()
{
    m_entries.push_back({m_nextId++, nullptr, true});
    settle();
}

void WindowStack::popMessageBox()
{
    const auto box = std::find_if(m_entries.rbegin(), m_entries.rend(),
                                  [](const Entry& e) { return e.messageBox; });
    if (box == m_entries.rend())
        return;
    m_entries.erase(std::next(box).base());
    settle();
}

void WindowStack::raise(QWidget* window)
{
    if (platformStacksWindows())
        window->raise();
    window->activateWindow();
}

QWidget* WindowStack::topWindow() const
{
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it)
        if (!it->messageBox && it->window)
            return it->window;
    return nullptr;
}

QWidget* WindowStack::activeWindow() const
{
    for (const Entry& e : m_entries)
        if (e.id == m_activeId)
            return e.window;
    return nullptr;
}

bool WindowStack::contains(const QWidget* window) const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [window](const Entry& e) { return e.window == window; });
}

bool WindowStack::messageBoxOpen() const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [](const Entry& e) { return e.messageBox; });
}

void WindowStack::dropDeadEntries()
{
    // A window destroyed while it was listed leaves an empty entry behind.
    std::erase_if(m_entries, [](const Entry& e) { return !e.messageBox && e.window.isNull(); });
}

void WindowStack::settle()
{
    dropDeadEntries();
    if (m_entries.empty()) {
        m_activeId = 0;
        return;
    }
    const Entry top = m_entries.back();
    if (top.id == m_activeId)
        return;
    m_activeId = top.id;
    if (top.messageBox)
        return; // nothing of ours is active while a box is open
    QWidget* window = top.window;
    raise(window);
    if (!window->isEnabled() || m_activationsStopped)
        return;
    if (m_onActivated)
        m_onActivated(window);
}
