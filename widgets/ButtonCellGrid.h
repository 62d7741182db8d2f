#pragma once

#include <QColor>
#include <QHash>
#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <map>
#include <tuple>
#include <vector>

class QScrollBar;

// A grid of text cells addressed column first, cell(col, row), in bold type, every text centred,
// with blue grid lines and no header row (blanks around a text do not shift it off the centre). The
// first fixedColumns columns are button columns: each of their cells is drawn as a raised push
// button, looks pressed while the mouse button is held on it, and a press released on the same cell
// emits buttonClicked(col, row).
//
// Every column and row includes its grid line (drawn at its right and bottom edge), so rows of 20
// pixels in a grid of 665 pixels (1 pixel of frame above and below) show 33 whole rows.
//
// Scrolling: while all rows fit in the height there is no scroll bar. With more rows a vertical
// scroll bar appears at the right and the grid widens itself by the scroll bar's extent, so the
// columns keep the width they were given; it narrows again when the bar goes. The width given with
// resize(), setGeometry() or setFixedWidth() is the width without the bar. The mouse wheel scrolls
// by whole rows. The mouse is received by the grid widget itself (clickTarget() returns it).
// Qt tells a hidden widget of a new size only when it is shown: a hidden grid given a width
// widens itself when shown or at its next change of rows, and its cell rectangles hold meanwhile.
//
// Assistive tools see the grid as a table of its cells (ButtonCellGridAccessible.h).
class ButtonCellGrid : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int rowCount READ rowCount WRITE setRowCount)
    Q_PROPERTY(int columnCount READ columnCount WRITE setColumnCount)
    Q_PROPERTY(int fixedColumns READ fixedColumns WRITE setFixedColumns)
    Q_PROPERTY(int defaultRowHeight READ defaultRowHeight WRITE setDefaultRowHeight)
    Q_PROPERTY(int defaultColumnWidth READ defaultColumnWidth WRITE setDefaultColumnWidth)
    Q_PROPERTY(QColor gridLineColor READ gridLineColor WRITE setGridLineColor)
    Q_PROPERTY(int topRow READ topRow)

public:
    static constexpr int MaximumRowCount = 100000;
    static constexpr int MaximumColumnCount = 1000;

    explicit ButtonCellGrid(QWidget* parent = nullptr);

    // Counts are clamped to 0..Maximum*Count. Cells that remain keep their texts; cells that go
    // away lose theirs. Fewer columns than fixedColumns lowers fixedColumns.
    int rowCount() const { return m_rowCount; }
    void setRowCount(int count);
    int columnCount() const { return int(m_columns.size()); }
    void setColumnCount(int count);
    int fixedColumns() const { return m_fixedColumns; }
    void setFixedColumns(int count); // clamped to 0..columnCount
    bool isFixedColumn(int col) const { return col >= 0 && col < m_fixedColumns; }

    // Outside the grid: cell() returns an empty text and setCell() does nothing.
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);

    // Widths are remembered per column index, also while the column count is smaller; a column
    // never given a width has defaultColumnWidth. Negative widths count as 0.
    int columnWidth(int col) const;
    void setColumnWidth(int col, int px);
    int defaultColumnWidth() const { return m_defaultColumnWidth; }
    void setDefaultColumnWidth(int px);
    // The height of every row, grid line included; at least 1.
    int defaultRowHeight() const { return m_rowHeight; }
    void setDefaultRowHeight(int px);

    QColor gridLineColor() const { return m_gridLineColor; }
    void setGridLineColor(const QColor& color);

    // Rows that fit whole in the current height.
    int visibleRowCount() const;
    // The first row shown; 0 while every row fits.
    int topRow() const;
    // Scrolls as little as needed to show the row whole (clamped into the grid).
    void scrollToRow(int row);
    // Presses a button cell as assistive tools do: its row is scrolled into view and
    // buttonClicked is emitted as for a click. Nothing happens for a cell that is not a button
    // cell of this grid, or while the grid is disabled.
    void pressButtonCell(int col, int row);

    // The part of the cell visible now, in this widget's coordinates, grid lines excluded; an
    // empty rectangle for a cell outside the grid or out of view.
    QRect cellRect(int col, int row) const;
    // The cell under a point of this widget, or (-1, -1) where there is none.
    QPoint cellAt(const QPoint& pos) const;
    // The widget that receives the mouse for the cells: the grid itself.
    QWidget* clickTarget() { return this; }

    QScrollBar* verticalScrollBar() const { return m_scrollBar; }
    // Whether the rows need the scroll bar at the current height.
    bool isScrollBarShown() const;
    int scrollBarExtent() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    // A button cell (a cell of a fixed column) was pressed and released.
    void buttonClicked(int col, int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    static constexpr int FrameWidth = 1;
    static constexpr QPoint NoCell{-1, -1};

    QRect cellsArea() const;                    // inside the frame, left of the scroll bar
    QRect fullCellRect(int col, int row) const; // grid lines included, unclipped
    int columnLeft(int col) const;
    int baseWidth() const;
    void layoutScrollBar(); // shows or hides the bar and widens or narrows the grid
    void paintButtonCell(QPainter& painter, const QRect& rect, bool pressed, bool hovered) const;
    // The face of a button cell of this size, drawn once and reused by every paint.
    const QPixmap& buttonFace(QSize size, bool pressed, bool hovered) const;
    void setHoveredCell(QPoint cell);
    // Tells assistive tools that the rows or columns changed, so that they read the table anew.
    void announceNewShape();

    std::vector<std::vector<QString>> m_columns; // m_columns[col][row]
    int m_rowCount = 0;
    int m_fixedColumns = 0;
    int m_defaultColumnWidth = 64;
    int m_rowHeight = 20;
    QHash<int, int> m_columnWidths;
    QColor m_gridLineColor{38, 96, 214};

    QScrollBar* m_scrollBar = nullptr;
    int m_baseWidth = 0;     // the width given by the owner, without the scroll bar
    int m_appliedWidth = -1; // the width this widget last gave itself
    bool m_adjustingWidth = false;
    int m_wheelRemainder = 0;

    mutable std::map<std::tuple<int, int, int>, QPixmap> m_faces; // (width, height, state)
    mutable QColor m_facesColor;
    mutable qreal m_facesPixelRatio = 0;

    QPoint m_pressedCell = NoCell;
    bool m_pressedInside = false;
    QPoint m_hoveredCell = NoCell;
    bool m_constructed = false;
};
