#pragma once

#include <QColor>
#include <QWidget>

// A plain surface filled with a linear gradient from startColor to endColor: top to bottom when
// vertical, left to right when horizontal. Child widgets stand on it like on any panel.
class GradientPanel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor startColor READ startColor WRITE setStartColor)
    Q_PROPERTY(QColor endColor READ endColor WRITE setEndColor)
    Q_PROPERTY(Qt::Orientation orientation READ orientation WRITE setOrientation)

public:
    explicit GradientPanel(QWidget* parent = nullptr);

    QColor startColor() const { return m_startColor; }
    QColor endColor() const { return m_endColor; }
    Qt::Orientation orientation() const { return m_orientation; }
    void setStartColor(const QColor& color);
    void setEndColor(const QColor& color);
    void setOrientation(Qt::Orientation orientation);
    void setColors(const QColor& start, const QColor& end);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void colorsChanged();

    QColor m_startColor{30, 52, 74};
    QColor m_endColor{6, 12, 18};
    Qt::Orientation m_orientation = Qt::Vertical;
};
