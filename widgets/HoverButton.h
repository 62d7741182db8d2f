#pragma once

#include <QColor>
#include <QPushButton>

// The push button that the drawn buttons paint themselves on: it knows whether the pointer is
// over it, and repaints when that changes.
class HoverButton : public QPushButton
{
    Q_OBJECT

public:
    explicit HoverButton(const QString& text, QWidget* parent = nullptr);

    // True while the pointer is over the button.
    bool isHovered() const { return m_hovered; }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

    static QColor withAlpha(QColor color, int alpha);

private:
    bool m_hovered = false;
};
