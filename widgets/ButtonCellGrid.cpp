#include "widgets/ButtonCellGrid.h"

#include "widgets/ButtonCellGridAccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

ButtonCellGrid::ButtonCellGrid(QWidget* parent) : QWidget(parent)
{
    // Here rather than in a static initializer, which the linker may drop from a static library.
    ButtonCellGridAccessible::install();
    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    m_scrollBar->setSingleStep(1);
    m_scrollBar->hide();
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this] {
        setHoveredCell(NoCell);
        update();
    });

    setMouseTracking(true); // for the hover look of the button cells
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setColumnCount(5);
    setRowCount(5);
    m_constructed = true;
}

void ButtonCellGrid::setRowCount(int count)
{
    count = std::clamp(count, 0, MaximumRowCount);
    if (count == m_rowCount)
        return;
    m_rowCount = count;
    for (auto& column : m_columns)
        column.resize(size_t(count));
    m_pressedCell = NoCell;
    m_hoveredCell = NoCell;
    layoutScrollBar();
    announceNewShape();
}

void ButtonCellGrid::setColumnCount(int count)
{
    count = std::clamp(count, 0, MaximumColumnCount);
    if (size_t(count) == m_columns.size())
        return;
    m_columns.resize(size_t(count), std::vector<QString>(size_t(m_rowCount)));
    m_fixedColumns = std::min(m_fixedColumns, count);
    m_pressedCell = NoCell;
    m_hoveredCell = NoCell;
    updateGeometry();
    update();
    announceNewShape();
}

void ButtonCellGrid::setFixedColumns(int count)
{
    const int fixed = std::clamp(count, 0, columnCount());
    const bool changed = fixed != m_fixedColumns;
    m_fixedColumns = fixed;
    m_pressedCell = NoCell;
    m_hoveredCell = NoCell;
    update();
    if (changed)
        announceNewShape(); // cells became buttons or stopped being buttons
}

QString ButtonCellGrid::cell(int col, int row) const
{
    if (col < 0 || col >= columnCount() || row < 0 || row >= m_rowCount)
        return {};
    return m_columns[size_t(col)][size_t(row)];
}

void ButtonCellGrid::setCell(int col, int row, const QString& text)
{
    if (col < 0 || col >= columnCount() || row < 0 || row >= m_rowCount)
        return;
    const bool changed = m_columns[size_t(col)][size_t(row)] != text;
    m_columns[size_t(col)][size_t(row)] = text;
    update(fullCellRect(col, row));
    if (changed && QAccessible::isActive()) {
        if (QAccessibleInterface* table = QAccessible::queryAccessibleInterface(this))
            if (QAccessibleInterface* cell = table->tableInterface()->cellAt(row, col)) {
                QAccessibleEvent event(cell, QAccessible::NameChanged);
                QAccessible::updateAccessibility(&event);
            }
    }
}

int ButtonCellGrid::columnWidth(int col) const
{
    return m_columnWidths.value(col, m_defaultColumnWidth);
}

void ButtonCellGrid::setColumnWidth(int col, int px)
{
    if (col < 0 || col >= MaximumColumnCount)
        return;
    m_columnWidths.insert(col, std::max(0, px));
    updateGeometry();
    update();
}

void ButtonCellGrid::setDefaultColumnWidth(int px)
{
    m_defaultColumnWidth = std::max(0, px);
    updateGeometry();
    update();
}

void ButtonCellGrid::setDefaultRowHeight(int px)
{
    m_rowHeight = std::max(1, px);
    updateGeometry();
    layoutScrollBar();
}

void ButtonCellGrid::setGridLineColor(const QColor& color)
{
    m_gridLineColor = color;
    m_faces.clear(); // the hover face is tinted with it
    update();
}

int ButtonCellGrid::visibleRowCount() const
{
    return std::max(0, height() - 2 * FrameWidth) / m_rowHeight;
}

int ButtonCellGrid::topRow() const
{
    if (!isScrollBarShown())
        return 0;
    return std::clamp(m_scrollBar->value(), 0, std::max(0, m_rowCount - visibleRowCount()));
}

void ButtonCellGrid::scrollToRow(int row)
{
    layoutScrollBar();
    if (!isScrollBarShown())
        return;
    row = std::clamp(row, 0, std::max(0, m_rowCount - 1));
    const int top = topRow();
    const int visible = std::max(1, visibleRowCount());
    if (row < top)
        m_scrollBar->setValue(row);
    else if (row >= top + visible)
        m_scrollBar->setValue(row - visible + 1);
}

void ButtonCellGrid::pressButtonCell(int col, int row)
{
    if (!isFixedColumn(col) || row < 0 || row >= m_rowCount || !isEnabled())
        return;
    scrollToRow(row);
    Q_EMIT buttonClicked(col, row);
}

void ButtonCellGrid::announceNewShape()
{
    // Not while constructing: the interface would be made for a half-built widget.
    if (!m_constructed || !QAccessible::isActive())
        return;
    QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&event);
}

bool ButtonCellGrid::isScrollBarShown() const
{
    return m_rowCount > visibleRowCount();
}

int ButtonCellGrid::baseWidth() const
{
    // A width that differs from the one this widget gave itself was set by its owner: it is the
    // width of the grid without the scroll bar.
    return width() != m_appliedWidth ? width() : m_baseWidth;
}

int ButtonCellGrid::scrollBarExtent() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scrollBar);
}

QSize ButtonCellGrid::sizeHint() const
{
    int columnsWidth = 0;
    for (int col = 0; col < columnCount(); ++col)
        columnsWidth += columnWidth(col);
    const int rows = std::min(m_rowCount, 33);
    return {columnsWidth + 2 * FrameWidth, rows * m_rowHeight + 2 * FrameWidth};
}

QRect ButtonCellGrid::cellsArea() const
{
    // Worked out from the owner's width and the height alone, so that it also holds for a
    // hidden grid that has not yet been told of its new size.
    return {FrameWidth, FrameWidth, std::max(0, baseWidth() - 2 * FrameWidth),
            std::max(0, height() - 2 * FrameWidth)};
}

int ButtonCellGrid::columnLeft(int col) const
{
    int x = FrameWidth;
    for (int c = 0; c < col; ++c)
        x += columnWidth(c);
    return x;
}

QRect ButtonCellGrid::fullCellRect(int col, int row) const
{
    return {columnLeft(col), FrameWidth + (row - topRow()) * m_rowHeight, columnWidth(col),
            m_rowHeight};
}

QRect ButtonCellGrid::cellRect(int col, int row) const
{
    if (col < 0 || col >= columnCount() || row < 0 || row >= m_rowCount)
        return {};
    // The grid lines are the last pixel column and row of every cell.
    const QRect full = fullCellRect(col, row);
    const QRect inner(full.topLeft(), full.size() - QSize(1, 1));
    return inner.intersected(cellsArea());
}

QPoint ButtonCellGrid::cellAt(const QPoint& pos) const
{
    const QRect area = cellsArea();
    if (!area.contains(pos))
        return NoCell;
    const int row = topRow() + (pos.y() - FrameWidth) / m_rowHeight;
    if (row >= m_rowCount)
        return NoCell;
    int x = FrameWidth;
    for (int col = 0; col < columnCount(); ++col) {
        x += columnWidth(col);
        if (pos.x() < x)
            return {col, row};
    }
    return NoCell;
}

void ButtonCellGrid::layoutScrollBar()
{
    m_baseWidth = baseWidth();
    const int visible = visibleRowCount();
    const bool needed = isScrollBarShown();
    const int extent = scrollBarExtent();
    const int target = m_baseWidth + (needed ? extent : 0);
    if (target != width()) {
        m_adjustingWidth = true;
        if (minimumWidth() == maximumWidth())
            setFixedWidth(target);
        else
            resize(target, height());
        m_adjustingWidth = false;
    }
    m_appliedWidth = width();

    m_scrollBar->setRange(0, std::max(0, m_rowCount - visible));
    m_scrollBar->setPageStep(std::max(1, visible));
    m_scrollBar->setGeometry(m_baseWidth - FrameWidth, FrameWidth, extent,
                             std::max(0, height() - 2 * FrameWidth));
    m_scrollBar->setVisible(needed);
    if (!needed)
        m_scrollBar->setValue(0);
    updateGeometry();
    update();
}

void ButtonCellGrid::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!m_adjustingWidth)
        layoutScrollBar();
}

void ButtonCellGrid::showEvent(QShowEvent* event)
{
    layoutScrollBar();
    QWidget::showEvent(event);
}

void ButtonCellGrid::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::StyleChange)
        layoutScrollBar();
    QWidget::changeEvent(event);
}

void ButtonCellGrid::setHoveredCell(QPoint cell)
{
    if (cell == m_hoveredCell)
        return;
    if (m_hoveredCell != NoCell)
        update(fullCellRect(m_hoveredCell.x(), m_hoveredCell.y()));
    m_hoveredCell = cell;
    if (cell != NoCell)
        update(fullCellRect(cell.x(), cell.y()));
}

void ButtonCellGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint cell = cellAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || cell == NoCell || !isFixedColumn(cell.x())) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressedCell = cell;
    m_pressedInside = true;
    update(fullCellRect(cell.x(), cell.y()));
    event->accept();
}

void ButtonCellGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint cell = cellAt(event->position().toPoint());
    if (m_pressedCell != NoCell) {
        // Like a push button: pressed only while the pointer stays on it.
        const bool inside = cell == m_pressedCell;
        if (inside != m_pressedInside) {
            m_pressedInside = inside;
            update(fullCellRect(m_pressedCell.x(), m_pressedCell.y()));
        }
    }
    setHoveredCell(cell != NoCell && isFixedColumn(cell.x()) ? cell : NoCell);
    QWidget::mouseMoveEvent(event);
}

void ButtonCellGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_pressedCell == NoCell) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const QPoint pressed = m_pressedCell;
    m_pressedCell = NoCell;
    m_pressedInside = false;
    update(fullCellRect(pressed.x(), pressed.y()));
    event->accept();
    // Last: a receiver may change the grid, and it sees it no longer pressed.
    if (cellAt(event->position().toPoint()) == pressed)
        Q_EMIT buttonClicked(pressed.x(), pressed.y());
}

void ButtonCellGrid::leaveEvent(QEvent* event)
{
    setHoveredCell(NoCell);
    QWidget::leaveEvent(event);
}

void ButtonCellGrid::wheelEvent(QWheelEvent* event)
{
    if (!isScrollBarShown()) {
        event->ignore();
        return;
    }
    // Whole rows per notch of 120; high-resolution wheels accumulate until a notch is reached.
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / 120;
    m_wheelRemainder -= notches * 120;
    if (notches != 0)
        m_scrollBar->setValue(m_scrollBar->value() - notches * QApplication::wheelScrollLines());
    event->accept();
}

void ButtonCellGrid::paintButtonCell(QPainter& painter, const QRect& rect, bool pressed,
                                     bool hovered) const
{
    const QColor face = palette().color(QPalette::Button);
    // The name under the pointer takes a light tint of the grid line colour.
    const auto tinted = [&](const QColor& c) {
        const QColor t = m_gridLineColor;
        return QColor((c.red() * 3 + t.red()) / 4, (c.green() * 3 + t.green()) / 4,
                      (c.blue() * 3 + t.blue()) / 4);
    };
    const QColor top = pressed   ? face.darker(118)
                       : hovered ? tinted(face.lighter(125))
                                 : face.lighter(106);
    const QColor bottom = pressed ? face.darker(104) : hovered ? tinted(face) : face.darker(110);
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    painter.fillRect(rect, fill);

    // A one-pixel bevel: light above and left, dark below and right; inverted while pressed.
    const QColor light = pressed ? face.darker(150) : QColor(255, 255, 255, 230);
    const QColor dark = pressed ? face.lighter(110) : face.darker(165);
    painter.setPen(light);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(dark);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
}

const QPixmap& ButtonCellGrid::buttonFace(QSize size, bool pressed, bool hovered) const
{
    const QColor face = palette().color(QPalette::Button);
    const qreal ratio = devicePixelRatioF();
    if (face != m_facesColor || ratio != m_facesPixelRatio) {
        m_faces.clear();
        m_facesColor = face;
        m_facesPixelRatio = ratio;
    }
    QPixmap& pixmap = m_faces[{size.width(), size.height(), pressed ? 2 : hovered ? 1 : 0}];
    if (pixmap.isNull()) {
        pixmap = QPixmap(size * ratio);
        pixmap.setDevicePixelRatio(ratio);
        QPainter painter(&pixmap);
        paintButtonCell(painter, QRect(QPoint(0, 0), size), pressed, hovered);
    }
    return pixmap;
}

void ButtonCellGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = cellsArea();
    painter.fillRect(rect(), palette().color(QPalette::Base));

    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setClipRect(area);

    const int first = topRow();
    const int last = std::min(m_rowCount, first + area.height() / m_rowHeight + 2);
    int right = area.left();
    for (int col = 0; col < columnCount() && right <= area.right(); ++col) {
        const int w = columnWidth(col);
        const bool fixed = isFixedColumn(col);
        for (int row = first; row < last; ++row) {
            const QRect full = fullCellRect(col, row);
            const QRect inner(full.topLeft(), full.size() - QSize(1, 1));
            if (inner.isEmpty())
                continue;
            const QPoint here(col, row);
            const bool pressed = m_pressedCell == here && m_pressedInside;
            if (fixed)
                painter.drawPixmap(inner.topLeft(),
                                   buttonFace(inner.size(), pressed, m_hoveredCell == here));
            // Blanks that pad a text to a fixed width must not push it off the centre.
            const QString text = m_columns[size_t(col)][size_t(row)].trimmed();
            if (text.isEmpty())
                continue;
            painter.setPen(palette().color(fixed ? QPalette::ButtonText : QPalette::Text));
            painter.drawText(pressed ? inner.translated(1, 1) : inner, Qt::AlignCenter, text);
        }
        right += w;
    }

    // Grid lines: the right and bottom pixel of every cell, over the whole cell block.
    const int columnsRight = std::min(area.right(), right - 1);
    const int rowsBottom =
        std::min(area.bottom(), area.top() + (m_rowCount - first) * m_rowHeight - 1);
    painter.setPen(m_gridLineColor);
    if (columnsRight >= area.left() && rowsBottom >= area.top()) {
        int x = area.left();
        for (int col = 0; col < columnCount() && x <= area.right(); ++col) {
            x += columnWidth(col);
            if (columnWidth(col) > 0)
                painter.drawLine(x - 1, area.top(), x - 1, rowsBottom);
        }
        for (int y = area.top() + m_rowHeight - 1; y <= rowsBottom; y += m_rowHeight)
            painter.drawLine(area.left(), y, columnsRight, y);
    }

    painter.setClipping(false);
    painter.setPen(m_gridLineColor.darker(140));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
