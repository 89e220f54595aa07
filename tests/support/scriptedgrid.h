#pragma once

#include "platform/grid.h"

#include <algorithm>
#include <map>
#include <utility>

namespace pomiro::testing {

// A grid that only remembers: cells in maps, clicks on demand. Its normal background differs from
// white so that a test can tell a row never clicked from a deselected one.
class ScriptedGrid : public Grid
{
public:
    static inline const QColor kNormal{250, 250, 240};
    static inline const QColor kFixed{200, 200, 200};

    // What the user's click does: the cell becomes current, then the window hears of it.
    void click(int row, int col)
    {
        setCurrentCell(row, col);
        if (m_handler)
            m_handler();
    }

    QWidget *widget() override { return nullptr; }

    void setCols(int cols) override { m_cols = std::max(cols, 0); }
    void setRows(int rows) override { m_rows = std::max(rows, 0); }
    int cols() const override { return m_cols; }
    int rows() const override { return m_rows; }

    void setFixedRows(int rows) override { m_fixedRows = rows; }
    void setFixedCols(int cols) override { m_fixedCols = cols; }
    int fixedRows() const override { return m_fixedRows; }
    int fixedCols() const override { return m_fixedCols; }

    void setColWidth(int col, int twips) override
    {
        if (col >= 0 && col < m_cols)
            m_widths[col] = twips;
    }
    int colWidth(int col) const override { return get(m_widths, col, 0); }

    void setText(int row, int col, const QString &text) override { put(m_texts, row, col, text); }
    QString text(int row, int col) const override { return get(m_texts, {row, col}, QString()); }

    void setCellBackground(int row, int col, const QColor &colour) override { put(m_backgrounds, row, col, colour); }
    QColor cellBackground(int row, int col) const override
    {
        if (!contains(row, col))
            return {};
        const bool fixed = row < m_fixedRows || col < m_fixedCols;
        return get(m_backgrounds, {row, col}, fixed ? kFixed : kNormal);
    }

    void setToolTip(const QString &text) override { m_toolTip = text; }
    void setCellToolTip(int row, int col, const QString &text) override { put(m_toolTips, row, col, text); }
    QString cellToolTip(int row, int col) const override
    {
        const QString own = get(m_toolTips, {row, col}, QString());
        return own.isEmpty() && contains(row, col) ? m_toolTip : own;
    }

    void setColAlignmentFixed(int col, Qt::Alignment alignment) override { m_fixedAlign[col] = alignment; }
    void setColAlignment(int col, Qt::Alignment alignment) override { m_align[col] = alignment; }
    Qt::Alignment cellAlignment(int row, int col) const override
    {
        if (!contains(row, col))
            return {};
        const bool fixed = row < m_fixedRows || col < m_fixedCols;
        return get(fixed ? m_fixedAlign : m_align, col, Qt::Alignment());
    }

    void setFontName(const QString &family) override { m_fontName = family; }
    void setFontSize(double points) override { m_fontSize = points; }
    QString fontName() const override { return m_fontName; }
    double fontSize() const override { return m_fontSize; }

    void setCurrentCell(int row, int col) override
    {
        if (contains(row, col)) {
            m_currentRow = row;
            m_currentCol = col;
        }
    }
    int currentRow() const override { return m_currentRow; }
    int currentCol() const override { return m_currentCol; }

    void setClickHandler(std::function<void()> handler) override { m_handler = std::move(handler); }

private:
    using Key = std::pair<int, int>;

    bool contains(int row, int col) const { return row >= 0 && row < m_rows && col >= 0 && col < m_cols; }

    template <typename V>
    void put(std::map<Key, V> &map, int row, int col, const V &value)
    {
        if (contains(row, col))
            map[{row, col}] = value;
    }

    template <typename K, typename V>
    static V get(const std::map<K, V> &map, const K &key, const V &fallback)
    {
        const auto it = map.find(key);
        return it == map.end() ? fallback : it->second;
    }

    int m_rows = 0;
    int m_cols = 0;
    int m_fixedRows = 1;
    int m_fixedCols = 1;
    int m_currentRow = 0;
    int m_currentCol = 0;
    std::map<int, int> m_widths;
    std::map<Key, QString> m_texts;
    std::map<Key, QColor> m_backgrounds;
    std::map<Key, QString> m_toolTips;
    std::map<int, Qt::Alignment> m_fixedAlign;
    std::map<int, Qt::Alignment> m_align;
    QString m_toolTip;
    QString m_fontName;
    double m_fontSize = 0.0;
    std::function<void()> m_handler;
};

} // namespace pomiro::testing
