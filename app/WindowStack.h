#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

// The front-to-back order of our own windows, and which of them is the active one. A screen
// becomes active when it is shown on top, when a message box over it closes and when the window
// above it hides; each time, onActivated runs for it. Coming back from another program changes
// nothing here, so it activates nothing. A disabled window on top does not count as activated.
class WindowStack
{
public:
    using Activation = std::function<void(QWidget*)>;

    explicit WindowStack(Activation onActivated);

    void bringToFront(QWidget* window);
    void remove(QWidget* window);
    // A message box stands on top while it is open; the window under it is active again after.
    void pushMessageBox();
    void popMessageBox();
    // After the program was asked to end, windows still change but nothing is activated.
    void stopActivations() { m_activationsStopped = true; }

    // Puts a window back in front in the window system, without any activation of ours.
    static void raise(QWidget* window);

    QWidget* topWindow() const;
    QWidget* activeWindow() const;
    bool contains(const QWidget* window) const;
    bool messageBoxOpen() const;

private:
    struct Entry
    {
        quint64 id;
        QPointer<QWidget> window;
        bool messageBox = false;
    };

    void settle();
    void dropDeadEntries();

    Activation m_onActivated;
    std::vector<Entry> m_entries;
    quint64 m_nextId = 1;
    quint64 m_activeId = 0;
    bool m_activationsStopped = false;
};
