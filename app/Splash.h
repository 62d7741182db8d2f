#pragma once

#include <QWidget>

// The window shown alone during the start-up pause, before any screen exists: borderless and
// without an owner. The pause processes no events, so start-up waits until it has been painted.
class Splash : public QWidget
{
    Q_OBJECT

public:
    Splash();

    bool hasBeenPainted() const { return m_painted; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_painted = false;
};
